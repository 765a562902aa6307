#include "ui/modal.h"

#include <QDialog>

namespace ui {

namespace {
Modal* installedModal = nullptr;
} // namespace

int ExecModal::Show(QDialog& dialog) {
    return dialog.exec();
}

Modal& modal() {
    if (installedModal != nullptr)
        return *installedModal;
    static ExecModal production;
    return production;
}

Modal* setModal(Modal* runner) {
    Modal* previous = installedModal;
    installedModal = runner;
    return previous;
}

} // namespace ui
