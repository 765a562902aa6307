#include "screens/siblings/host_form.h"

#include <QCloseEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QVBoxLayout>

namespace screens::siblings {

HostForm::HostForm(const Description& description, SiblingControl* control, QWidget* parent)
    : QDialog(parent), control_(control) {
    setObjectName(QString::fromLatin1(description.form));
    setWindowTitle(description.caption);
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
