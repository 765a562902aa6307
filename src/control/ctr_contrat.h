#pragma once
// The contract browser: the library's one public component. A host places
// it on one of its forms, hands it the open database, the client context,
// the user's rights and the beneficiary to show, then calls Init:
//
//   auto* browser = new Ctr_Contrat(hostForm);
//   browser->setTheDatabase(db);
//   browser->setTheClient(data::Client::FromSystem());
//   browser->setW_Code("00012");
//   browser->setW_NomPrenom("MARTIN Jeanne");
//   browser->setW_EtatSuppAidant(false);
//   browser->setDroitsUtilisateur(rights);
//   browser->Init();   // throws when rights or settings are missing
//
// "Retour" sets W_Sortir and closes the host's form (the parent widget).
#include "control/contract_search.h"
#include "data/access_rights.h"
#include "data/client.h"
#include "data/global_state.h"
#include "dba/database.h"

#include <QDialog>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>

namespace Ui {
class Ctr_Contrat;
}
class QListWidget;

// Raised by Init when the host did not give what the control needs.
class Ctr_ContratError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Ctr_Contrat : public QWidget {
    Q_OBJECT

public:
    explicit Ctr_Contrat(QWidget* parent = nullptr);
    ~Ctr_Contrat() override;

    // --- Public interface, in the order of use ---
    bool W_Sortir() const { return sortir_; }
    void setW_Sortir(bool value) { sortir_ = value; }
    bool W_EtatSuppAidant() const { return etatSuppAidant_; }
    void setW_EtatSuppAidant(bool value) { etatSuppAidant_ = value; }
    QString W_Code() const { return code_; }
    void setW_Code(const QString& code) { code_ = code; }
    QString W_NomPrenom() const { return nomPrenom_; }
    void setW_NomPrenom(const QString& name) { nomPrenom_ = name; }
    // The user's access-rights object; kept and handed on to the editor.
    void setDroitsUtilisateur(std::shared_ptr<data::AccessRights> rights);
    void Afficher_Liste();
    void Appel_Contrat();
    void Effacer_Donnees();
    void Init();
    void Recherche_Contrat();
    void setTheClient(const data::Client& client);
    void setTheDatabase(const dba::Database& database);

    // --- For the editor and the library's own screens ---
    data::GlobalState& Globals() { return globals_; }
    const dba::ResultList& Resultats() const { return result_; }
    const std::shared_ptr<data::AccessRights>& AccessRightsObject() const { return rights_; }
    const std::optional<data::RightsProfile>& Profile() const { return profile_; }
    // Opens the contract read by Appel_Contrat (the editor installs itself
    // here); the list is searched again when it returns.
    using EditorOpener = std::function<void(Ctr_Contrat&)>;
    void setEditorOpener(EditorOpener opener) { editorOpener_ = std::move(opener); }
    // The editor, once loaded; it stays loaded (hidden) until "Retour".
    QDialog* EditorForm() const { return editor_; }
    void setEditorForm(QDialog* editor) { editor_ = editor; }

private:
    // Event handlers, connected in one place (connectHandlers).
    void Cmd_Recherche_Click();
    void Cmd_OK_Click();
    void Cmd_Retour_Click();
    void Lst_CodeContrat_Click();
    void Lst_DatDebContrat_Click();
    void Lst_DatFinContrat_Click();
    void Lst_AidantContrat_Click();
    void Lst_Type_Click();
    void Bdv_Detail_Change();
    void Lst_DblClick();

    void connectHandlers();
    void SetScrollBar();
    void ClearLists();
    QList<QListWidget*> DetailLists() const;
    control::Validity SelectedValidity() const;
    control::SortOrder SelectedOrder() const;

    std::unique_ptr<Ui::Ctr_Contrat> ui;
    data::GlobalState globals_;
    std::shared_ptr<data::AccessRights> rights_;
    std::optional<data::RightsProfile> profile_;
    dba::ResultList result_;
    EditorOpener editorOpener_;
    QPointer<QDialog> editor_;

    bool sortir_ = false;
    bool etatSuppAidant_ = false;
    QString code_, nomPrenom_;
};
