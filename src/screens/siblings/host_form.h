#pragma once
// The small form a sibling control is placed on. It only hosts the control
// and guards its closing: the close box and Escape are refused until the
// control's W_Sortir is true, and the control leaving closes the form
// (accepted). Some forms carry the suite's right-click help menu.
#include "screens/siblings/sibling_control.h"

#include <QDialog>

class QMenu;

namespace screens::siblings {

// The host forms, each described once (caption, control name, help menu)
// in host_form.cpp.
enum class Formulaire {
    CivilAide,
    PeriodeConges,
    DetailDecompte,
    TpsIndem,
    QualifPro,
    MotifsEmbauche,
    ParamTelegestion
};

class HostForm : public QDialog {
    Q_OBJECT

public:
    SiblingControl& Controle() const { return *control_; }
    // Mnu_Aide ("Aide", item Mnu_Sommaire "Aide ARBELDONE"); null on forms
    // without the help menu.
    QMenu* Mnu_Aide() const { return mnuAide_; }

protected:
    // Takes `control` (parentless) as its child.
    HostForm(Formulaire form, SiblingControl* control, QWidget* parent);

    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void Form_MouseDown(QMouseEvent* event);

    SiblingControl* control_;
    QMenu* mnuAide_ = nullptr;
};

// A host form that knows its control's type: each form is one of these,
// taking its constructor as it is.
template <class Control, Formulaire F> class HostFormOf : public HostForm {
public:
    explicit HostFormOf(QWidget* parent = nullptr) : HostForm(F, new Control(), parent) {}
    Control& Controle() const { return static_cast<Control&>(HostForm::Controle()); }
};

} // namespace screens::siblings
