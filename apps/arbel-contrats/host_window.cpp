#include "host_window.h"

#include "beneficiary_chooser.h"
#include "contracts_form.h"
#include "control/ctr_contrat.h"
#include "ui/messages.h"

#include <QPushButton>
#include <QStackedWidget>
#include <QStatusBar>
#include <QVBoxLayout>

HostWindow::HostWindow(dba::Database db, data::Client client, std::shared_ptr<data::AccessRights> rights,
                       QWidget* parent)
    : QMainWindow(parent), db_(std::move(db)), client_(std::move(client)), rights_(std::move(rights)) {
    setWindowTitle(QStringLiteral("ARBELDONE - Contrats des aidants"));
    stack_ = new QStackedWidget(this);
    chooser_ = new BeneficiaryChooser(db_, stack_);
    stack_->addWidget(chooser_);
    setCentralWidget(stack_);
    statusBar()->showMessage(QStringLiteral("Utilisateur : %1   Poste : %2   Base : %3%4")
                                 .arg(QString::fromStdString(rights_->User()), client_.Workstation(),
                                      QString::fromStdString(db_.path()),
                                      db_.WriteRefusal() ? QStringLiteral(" (consultation seulement)")
                                                         : QString()));
    connect(chooser_, &BeneficiaryChooser::chosen, this,
            [this](const QString& code, const QString& name) { OpenBeneficiary(code, name); });
    resize(820, 620);
}

bool HostWindow::OpenBeneficiary(const QString& code, const QString& nameAndFirstName) {
    if (hostForm_)
        hostForm_->deleteLater();
    auto* form = new ContractsForm(stack_);
    auto* layout = new QVBoxLayout(form);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* browser = new Ctr_Contrat(form);
    layout->addWidget(browser);

    // The calling order every host of the suite follows.
    browser->setTheDatabase(db_);
    browser->setTheClient(client_);
    browser->setW_Code(code);
    browser->setW_NomPrenom(nameAndFirstName);
    browser->setW_EtatSuppAidant(false);
    browser->setDroitsUtilisateur(rights_);
    try {
        browser->Init();
    } catch (const std::exception& error) {
        delete form;
        ui::messages().Show(QStringLiteral("Impossible d'afficher les contrats de cet aidé :\n%1")
                                .arg(QString::fromUtf8(error.what())),
                            ui::Buttons::Ok, ui::Icon::Exclamation);
        return false;
    }
    connect(form, &ContractsForm::closed, this, &HostWindow::BackToChooser);
    stack_->addWidget(form);
    stack_->setCurrentWidget(form);
    hostForm_ = form;
    browser_ = browser;
    return true;
}

void HostWindow::Search() {
    if (!browser_)
        return;
    if (auto* button = browser_->findChild<QPushButton*>(QStringLiteral("Cmd_Recherche")))
        button->click();
}

void HostWindow::BackToChooser() {
    stack_->setCurrentWidget(chooser_);
    if (hostForm_)
        hostForm_->deleteLater();
    hostForm_ = nullptr;
    browser_ = nullptr;
    chooser_->Reload();
}
