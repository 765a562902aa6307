#pragma once
// The real message service: a modal QMessageBox over the active window, with
// the French button texts, and the system beep.
#include "ui/messages.h"

namespace ui {

class MessageBoxMessages : public Messages {
public:
    Answer Show(const QString& text, Buttons buttons = Buttons::Ok, Icon icon = Icon::None,
                DefaultButton def = DefaultButton::First) override;
    void Beep() override;
};

} // namespace ui
