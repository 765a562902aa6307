#pragma once
// The document editor control of the suite, placed on the contract editor.
// Its host sets, in this order, the database, the client context, the
// user's rights, the document key (a contract key, or a contract key
// followed by an amendment number), the model selector (entity code then
// agreement code), an option text (empty) and a text the control fills with
// what became of the document; then calls Executer, which prepares the
// document whole, shows its preview, and prints it on the printer the user
// picks or saves it as PDF. A document that cannot be filled whole is
// never printed: the control says what is missing.
#include "data/access_rights.h"
#include "data/client.h"
#include "dba/database.h"

#include <QString>
#include <QWidget>
#include <functional>
#include <memory>

namespace documents {
struct DocumentPret;
}

namespace screens {

class Ctr_Edit : public QWidget {
    Q_OBJECT

public:
    explicit Ctr_Edit(QWidget* parent = nullptr);
    ~Ctr_Edit() override;

    void setTheDatabase(dba::Database db) { db_ = std::move(db); }
    void setTheClient(const data::Client& client) { client_ = client; }
    void setDroitsUtilisateur(std::shared_ptr<data::AccessRights> rights) { rights_ = std::move(rights); }
    void setW_CleDocument(const QString& key) { cle_ = key; }
    void setW_Modele(const QString& selector) { modele_ = selector; }
    void setW_Option(const QString& option) { option_ = option; }
    // Filled by Executer: "imprimante NAME", "PDF PATH", empty when the
    // preview was closed without printing, or the message that stopped it.
    void setW_Retour(QString* report) { retour_ = report; }

    const QString& W_CleDocument() const { return cle_; }
    const QString& W_Modele() const { return modele_; }
    const QString& W_Option() const { return option_; }
    // How many times Executer ran (the host and the tests see that a
    // document was asked for).
    int Executions() const { return executions_; }

    // The run method. Never throws.
    void Executer();

    // Where a PDF goes: asked through a file dialog unless replaced (tests,
    // hosts with their own chooser). Empty: cancelled.
    using ChoixFichier = std::function<QString(QWidget* parent, const QString& suggested)>;
    void SetChoixFichierPdf(ChoixFichier choose) { choixPdf_ = std::move(choose); }

private:
    void Noter(const documents::DocumentPret& document, const QString& destination);
    void Retour(const QString& text);

    dba::Database db_;
    data::Client client_;
    std::shared_ptr<data::AccessRights> rights_;
    QString cle_, modele_, option_;
    QString* retour_ = nullptr;
    int executions_ = 0;
    ChoixFichier choixPdf_;
};

} // namespace screens
