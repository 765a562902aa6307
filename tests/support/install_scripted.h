#pragma once
// Installs scripted message and modal services for the lifetime of the
// object and puts the previous ones back afterwards. Declared first in a test
// (or as a fixture member), it checks at the end that every scripted answer
// and dialog was used.
//
//   InstallScripted ui;
//   ui.messages.expect("Ce profil n'existe pas.", ui::Icon::Information);
#include "scripted_messages.h"
#include "scripted_modal.h"

class InstallScripted {
public:
    InstallScripted();
    ~InstallScripted();
    InstallScripted(const InstallScripted&) = delete;
    InstallScripted& operator=(const InstallScripted&) = delete;

    ScriptedMessages messages;
    ScriptedModal modal;

private:
    ui::Messages* previousMessages_;
    ui::Modal* previousModal_;
};
