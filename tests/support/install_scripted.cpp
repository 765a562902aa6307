#include "install_scripted.h"

InstallScripted::InstallScripted()
    : previousMessages_(ui::setMessages(&messages)), previousModal_(ui::setModal(&modal)) {}

// The services are put back before the members' destructors check their
// scripts, so nothing can reach a half-destroyed service.
InstallScripted::~InstallScripted() {
    ui::setModal(previousModal_);
    ui::setMessages(previousMessages_);
}
