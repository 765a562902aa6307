#pragma once
// Modal screens are shown through one service, never by calling exec()
// directly, so that tests can drive a screen without a blocking event loop.
class QDialog;

namespace ui {

class Modal {
public:
    virtual ~Modal() = default;
    // Shows `dialog` modally and returns its result (QDialog::Accepted,
    // QDialog::Rejected or the value given to done()).
    virtual int Show(QDialog& dialog) = 0;
};

// The real runner: QDialog::exec().
class ExecModal : public Modal {
public:
    int Show(QDialog& dialog) override;
};

// The runner forms use; ExecModal until something else is installed.
Modal& modal();

// Installs `runner` for the whole process (not owned) and returns the one
// installed before; nullptr goes back to ExecModal.
Modal* setModal(Modal* runner);

} // namespace ui
