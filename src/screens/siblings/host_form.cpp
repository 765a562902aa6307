#include "screens/siblings/host_form.h"

#include <QCloseEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QVBoxLayout>
#include <cstddef>

namespace screens::siblings {

namespace {

struct Description {
    const char* form;
    const char* caption; // UTF-8; empty: the form has none
    const char* control; // objectName of the hosted control
    bool helpMenu;
};

// In the order of Formulaire.
const Description HostForms[] = {
    {"Frm_CivilAide", "Etat Civil de l'Aidé", "Ctr_CivilAide", false},
    {"Frm_PeriodeConges", "Période de congés", "Ctr_AbsAidant", true},
    {"Frm_DetailDecompte", "Détail décompte", "Ctr_DetailDecompte", false},
    {"Frm_tpsIndem", "Temps d'indemnisation des arrêts de travail", "Ctr_IndemArrTrav", true},
    {"Frm_QualifPro", "Ajout Qualification Professionnelle", "Ctr_Parametres1", false},
    {"Frm_MotifsEmbauche", "", "Ctr_Parametres", false},
    {"Frm_ParamTelegestion", "Paramétrage télégestion", "Ctr_ParIndZorvelia", false},
};

} // namespace

HostForm::HostForm(Formulaire form, SiblingControl* control, QWidget* parent)
    : QDialog(parent), control_(control) {
    const Description& description = HostForms[static_cast<std::size_t>(form)];
    setObjectName(QString::fromLatin1(description.form));
    setWindowTitle(QString::fromUtf8(description.caption));
    // The control is the whole screen: no help button in the title bar.
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    control_->setObjectName(QString::fromLatin1(description.control));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(control_);
    connect(control_, &SiblingControl::Sortie, this, &QDialog::accept);

    if (description.helpMenu) {
        mnuAide_ = new QMenu(QStringLiteral("Aide"), this);
        mnuAide_->setObjectName(QStringLiteral("Mnu_Aide"));
        // The suite's help contents are not delivered with the library.
        mnuAide_->addAction(QStringLiteral("Aide ARBELDONE"))->setObjectName(QStringLiteral("Mnu_Sommaire"));
    }
}

void HostForm::closeEvent(QCloseEvent* event) {
    if (control_->W_Sortir())
        event->accept();
    else
        event->ignore();
}

void HostForm::reject() {
    if (control_->W_Sortir())
        QDialog::reject();
}

void HostForm::mousePressEvent(QMouseEvent* event) {
    Form_MouseDown(event);
    QDialog::mousePressEvent(event);
}

void HostForm::Form_MouseDown(QMouseEvent* event) {
    if (!mnuAide_ || event->button() != Qt::RightButton)
        return;
    mnuAide_->setEnabled(true);
    for (QAction* item : mnuAide_->actions())
        item->setEnabled(true);
    mnuAide_->popup(event->globalPosition().toPoint());
}

} // namespace screens::siblings
