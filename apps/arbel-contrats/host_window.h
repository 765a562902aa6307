#pragma once
// The host application's window: the beneficiary choice, then the host form
// holding the contract browser; "Retour" in the browser comes back here.
#include "data/access_rights.h"
#include "data/client.h"
#include "dba/database.h"

#include "control/ctr_contrat.h"

#include <QMainWindow>
#include <QPointer>
#include <memory>

class BeneficiaryChooser;
class QStackedWidget;

class HostWindow : public QMainWindow {
    Q_OBJECT

public:
    HostWindow(dba::Database db, data::Client client, std::shared_ptr<data::AccessRights> rights,
               QWidget* parent = nullptr);
    // Opens the contracts of beneficiary `code`; false (with a message)
    // when the browser could not start.
    bool OpenBeneficiary(const QString& code, const QString& nameAndFirstName);
    // Runs the browser's search as its "Recherche" button does.
    void Search();
    BeneficiaryChooser* Chooser() const { return chooser_; }
    Ctr_Contrat* Browser() const { return browser_; }

private:
    void BackToChooser();

    dba::Database db_;
    data::Client client_;
    std::shared_ptr<data::AccessRights> rights_;
    QStackedWidget* stack_;
    BeneficiaryChooser* chooser_;
    QPointer<QWidget> hostForm_;
    QPointer<Ctr_Contrat> browser_;
};
