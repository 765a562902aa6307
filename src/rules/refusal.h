#pragma once
// A value refused by a check of the contract editor: what to tell the user
// and where to take them.
#include "ui/messages.h"

#include <QString>

namespace rules {

struct Refus {
    QString message;
    ui::Icon icon = ui::Icon::Exclamation;
    QString focus;               // objectName of the control; empty: the focus stays
    bool motifEmbauche = false;  // the fixed-term reason screen is where to fix it
    bool vider = false;          // the control is emptied before it takes the focus
    bool operator==(const Refus&) const = default;
};

} // namespace rules
