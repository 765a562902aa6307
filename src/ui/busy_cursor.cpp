#include "ui/busy_cursor.h"

#include <QApplication>

namespace ui {

BusyCursor::BusyCursor(QWidget* form) : form_(form) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (form_) {
        wasDisabled_ = form_->testAttribute(Qt::WA_ForceDisabled);
        form_->setEnabled(false);
    }
    // The form is disabled, so the user's clicks on it are dropped; what runs
    // here is mostly painting, so the hourglass and the greyed form show.
    QApplication::processEvents();
}

BusyCursor::~BusyCursor() {
    if (form_)
        form_->setEnabled(!wasDisabled_);
    QApplication::restoreOverrideCursor();
}

} // namespace ui
