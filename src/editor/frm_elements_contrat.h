#pragma once
// The contract editor: one existing employment contract on five tabs. The
// browser (Ctr_Contrat) reads the contract into its globals, builds the
// editor once, then for every contract it opens:
//
//   editor->Afficher_Donnees();
//   editor->SetEtq_Aidant("Aidant : 50001 MARTIN Jeanne");
//   editor->setDroitsUtilisateur(rights);
//   editor->Init();
//   ui::modal().Show(*editor);   // the editor hides itself when done
//
// The editor never creates a contract and cannot be closed by the window's
// close box or Escape while a contract is open.
#include "data/access_rights.h"
#include "data/global_state.h"
#include "editor/editor_state.h"
#include "rules/contract_overlap.h"
#include "rules/save_checks.h"

#include <QDialog>
#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <optional>

namespace Ui {
class Frm_ElementsContrat;
}
class QLineEdit;
class QMenu;
class QPushButton;

class Frm_ElementsContrat : public QDialog {
    Q_OBJECT

public:
    // Loads the form (Form_Load) on the globals of the browser that opens it.
    explicit Frm_ElementsContrat(data::GlobalState& globals, QWidget* parent = nullptr);
    ~Frm_ElementsContrat() override;

    // --- Members the browser calls, in this order ---
    void Afficher_Donnees();
    void SetEtq_Aidant(const QString& caption);
    void SelectOnglet(int tab);
    void setDroitsUtilisateur(std::shared_ptr<data::AccessRights> rights);
    void Init();

    // The helper code (5 characters from position 10 of Etq_Aidant) and the
    // helper's name (from position 16 to the end).
    QString Etq_CodeAidant() const;
    QString Etq_NomPrenomAidant() const;

    // Resets every control (used when the editor closes).
    void Vider_Donnees();
    // Hides the writing buttons or locks the inputs, from the rights and the
    // site's contract-management level.
    void Appliquer_Droits();
    // Shows the tabs whose write procedures do not exist yet as read-only.
    void ProtegerOngletsSansEcriture();
    // Swallows the user's mouse and key input on the choices of those tabs.
    class InputBlocker : public QObject {
    public:
        bool eventFilter(QObject* watched, QEvent* event) override;
    };
    InputBlocker inputBlocker_;

    // --- Tab procedures: display from ContractRecord, check, write back ---
    void Afficher_Ong1();
    void Afficher_Ong2();
    void Afficher_Ong3();
    void Afficher_Ong4();
    void Afficher_Ong5();
    void Verif_Ong1();
    void Verif_Ong2();
    void Verif_Ong3();
    void Verif_Ong4();
    void Verif_Ong5();
    void Ecrire_Ong1();
    void Ecrire_Ong2();
    void Ecrire_Ong3();
    void Ecrire_Ong4();
    void Ecrire_Ong5();

    // Tab "Origine": the convention look-up locks and frees the agreement,
    // entity and employer boxes; the fixed-term reason button follows the
    // identity typed so far.
    void Griser_ComboOng1();
    void Degriser_ComboOng1();
    void Activer_MotifCDD();
    void Remplir_Aide();

    // The rule checks of the save flows. The editor installs the hours and
    // overlap checks itself; a host or a test may replace any of them.
    rules::SaveChecks& ControlesEnregistrement() { return saveChecks_; }
    // What the last overlap check found: the conflicting contract's dates and
    // the bounds the planning check works within.
    const rules::ContractOverlapResult& ResultatChevauchement() const { return overlapResult_; }

    editor::EditorState& State() { return state_; }
    const editor::EditorState& State() const { return state_; }
    data::GlobalState& Globals() { return g_; }
    const std::optional<data::RightsProfile>& Profile() const { return profile_; }
    const std::shared_ptr<data::AccessRights>& AccessRightsObject() const { return rights_; }
    QMenu* Mnu_Aide() const { return mnuAide_; }

    // Side screens not built into the library yet keep their button
    // disabled; a screen registered here makes its button usable.
    void SetEcranLateral(const QString& button, std::function<void()> open);

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    void InitElementContrat();
    void Remplir_CombosElement();
    void RemplirActivites();
    // True when the window may close (close permission 1); releases what
    // the editor holds.
    bool Form_Unload();
    void DesinitElementContrat();

    void Ong_Contrat_Click(int previous);
    bool GardeFacturationRefuse();
    // --- Saving and returning (save_return.cpp) ---
    void Cmd_OK_Click();
    void Ecrire_Donnees();
    void Cmd_Retour_Click();
    // Writes ContractRecord over the stored contract, unless another
    // workstation holds it or changed it since it was opened; reads it back.
    // False when nothing was written (the user was told why).
    bool EnregistrerContrat();
    // The end-date warning after a write; true when it was shown.
    bool AvertirDateFinCreee();
    void Maj_Missions();
    void Maj_LiensDocuments();
    void Toucher_LienDocument(const std::string& linkTable, const std::string& table, const std::string& key);
    // Bank transfer chosen for a helper without bank details: says so, puts
    // the focus on the payment mode and answers true.
    bool VirementSansRib();
    void Fermer();
    // The save flows' rule checks, at their places.
    bool DureeModifiee() const;
    void Verif_NbHeures();
    void VerifContratExist();
    void Verif_ModificationPossible();
    void Verif_SuppDateFin();
    bool Verif_IncidencesPlanning();
    bool IncidencesAVerifier() const;
    // The hours and overlap rules on the values shown (controles_heures_chevauchement.cpp):
    // each tells the user and answers true when the save must stop.
    void InstallerControlesHeuresChevauchement();
    bool ControleNbHeures();
    bool ControleContratExist();

    // --- Tab "Origine" handlers (ong1_handlers.cpp) ---
    void connectOng1Handlers();
    // Completes and checks the date typed in `box`; false when the focus
    // went back to it.
    bool ControleDate(QLineEdit* box);
    void Txt_DatDebContrat_LostFocus();
    void Txt_DatFinContrat_LostFocus();
    void Txt_AssocContrat_KeyPress(int& ascii);
    void Txt_ConvColContrat_KeyPress(int& ascii);
    void Txt_EmplEtabContrat_KeyPress(int& ascii);
    void Cbo_LibEmplEtabContrat_KeyPress(int& ascii);
    void Cbo_LibConvColContrat_Click();
    void Cbo_LibAssocContrat_Click();
    void Cbo_LibAssocContrat_Change();
    void Cbo_LibEmplEtabContrat_Click();
    void Cbo_NatureContrat_DropDown();
    void Cbo_NatureContrat_LostFocus();
    void Opt_Determine_Click();
    void Opt_Indetermine_Click();
    void Opt_Horaire_Click();
    void Opt_Mensuel_Click();
    void Opt_Production_Click();
    void Opt_Administratif_Click();
    // Puts tab "Origine" in front and the focus on `control`.
    void FocusOngletOrigine(QWidget* control);
    void Mnu_Sommaire_Click();
    void Aide_MouseDown(QMouseEvent* event);

    void connectHandlers();
    // Shows or hides, enables or disables a side-screen button; it is only
    // enabled when its screen exists.
    void ActiverEcran(QPushButton* button, bool enabled);
    QWidget* Controle(std::string_view name) const;

    std::unique_ptr<Ui::Frm_ElementsContrat> ui;
    data::GlobalState& g_;
    editor::EditorState state_;
    std::shared_ptr<data::AccessRights> rights_;
    std::optional<data::RightsProfile> profile_;
    QMenu* mnuAide_ = nullptr;
    int currentTab_ = 0;
    bool loaded_ = false;
    std::map<QString, std::function<void()>> sideScreens_;
    rules::SaveChecks saveChecks_;
    bool overlap_ = false;      // VerifContratExist found another contract on the same dates
    bool writeRefused_ = false; // the last write stored nothing (lock held or contract changed elsewhere)
    rules::ContractOverlapResult overlapResult_;

    // Tables and lists the editor holds while loaded.
    dba::Table civilAide_, pcs_, rubCharge_;
    dba::Record natureContrat_, carteOrange_, finContrat_, natureVoie_;
    dba::ResultList activityList_;    // ACTIVITES "0 1 12"
    dba::ResultList entityList_;      // ASSOCIATION "0 1"
    dba::ResultList agreementList_;   // CONVENTIONCOL "0 1 2 12"
    dba::ResultList homeHelpCharges_; // RUBCHARGE "0": home-help charge items
    dba::ResultList employerList_;    // CIVILAIDE "0 2 3": beneficiaries found by Remplir_Aide
    int homeHelpChargeCount_ = 0;
};
