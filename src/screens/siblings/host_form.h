#pragma once
// The small form a sibling control is placed on. It only hosts the control
// and guards its closing: the close box and Escape are refused until the
// control's W_Sortir is true, and the control leaving closes the form
// (accepted). Some forms carry the suite's right-click help menu.
#include "screens/siblings/sibling_control.h"

#include <QDialog>

class QMenu;

namespace screens::siblings {

class HostForm : public QDialog {
    Q_OBJECT

public:
    struct Description {
        const char* form;    // objectName of the form
        QString caption;     // window title (may be empty)
        const char* control; // objectName of the hosted control
        bool helpMenu = false;
    };

    SiblingControl& Controle() const { return *control_; }
    // Mnu_Aide ("Aide", item Mnu_Sommaire "Aide ARBELDONE"); null on forms
    // without the help menu.
    QMenu* Mnu_Aide() const { return mnuAide_; }

protected:
    // Takes `control` (parentless) as its child.
    HostForm(const Description& description, SiblingControl* control, QWidget* parent);

    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void Form_MouseDown(QMouseEvent* event);

    SiblingControl* control_;
    QMenu* mnuAide_ = nullptr;
};

// A host form that knows its control's type.
template <class Control> class HostFormOf : public HostForm {
public:
    Control& Controle() const { return static_cast<Control&>(HostForm::Controle()); }

protected:
    HostFormOf(const Description& description, QWidget* parent)
        : HostForm(description, new Control(), parent) {}
};

} // namespace screens::siblings
