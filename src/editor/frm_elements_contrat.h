#pragma once
// The contract editor: one existing employment contract on five tabs, one
// object per tab (ong1_origine.h ... ong5_fin_contrat.h), the save and
// return flows in save_return.h. The browser builds it once, then for every
// contract: Afficher_Donnees, SetEtq_Aidant, setDroitsUtilisateur, Init and
// ui::modal().Show; the editor hides itself when done. It never creates a
// contract, and neither its close box nor Escape closes it while one is open.
#include "data/access_rights.h"
#include "data/global_state.h"
#include "editor/editor_state.h"
#include "rules/contract_overlap.h"
#include "rules/save_checks.h"

#include <QDialog>
#include <array>
#include <functional>
#include <memory>
#include <optional>

namespace Ui {
class Frm_ElementsContrat;
}
namespace editor {
struct EditorContext;
class OngletContrat;
class OngletOrigine;
class OngletElementsPaie;
class SauvegardeContrat;
class CommandesAvenant;
} // namespace editor
class QMenu;
class QMouseEvent;

class Frm_ElementsContrat : public QDialog {
    Q_OBJECT

public:
    // Loads the form (Form_Load) on the globals of the browser that opens it.
    explicit Frm_ElementsContrat(data::GlobalState& globals, QWidget* parent = nullptr);
    ~Frm_ElementsContrat() override;

    void Afficher_Donnees();
    void SetEtq_Aidant(const QString& caption);
    void SelectOnglet(int tab);
    void setDroitsUtilisateur(std::shared_ptr<data::AccessRights> rights);
    void Init();
    void Appliquer_Droits();
    void Vider_Donnees();
    QString Etq_CodeAidant() const;      // 5 characters of Etq_Aidant from position 10
    QString Etq_NomPrenomAidant() const; // Etq_Aidant from position 16

    // The tab procedures, by the names the rest of the suite calls them.
    void Afficher_Ong1(), Afficher_Ong2(), Afficher_Ong3(), Afficher_Ong4(), Afficher_Ong5();
    void Verif_Ong1(), Verif_Ong2(), Verif_Ong3(), Verif_Ong4(), Verif_Ong5();
    void Ecrire_Ong1(), Ecrire_Ong2(), Ecrire_Ong3(), Ecrire_Ong4(), Ecrire_Ong5();
    void Griser_ComboOng1(), Degriser_ComboOng1(), Activer_MotifCDD(), Remplir_Aide();

    // Save then print the contract's document, or the amendment's shown
    // (impression_documents.cpp).
    void Cmd_ImpContrat_Click();
    void Cmd_ImpAvenant_Click();
    // What the document editor control reported about the last document.
    const QString& RetourDocument() const { return retourDocument_; }

    // The rule checks of the save flows (hours and overlap installed); a
    // host or a test may replace any of them.
    rules::SaveChecks& ControlesEnregistrement();
    const rules::ContractOverlapResult& ResultatChevauchement() const;
    // A side screen's button is usable once its screen is registered here.
    void SetEcranLateral(const QString& button, std::function<void()> open);

    editor::EditorState& State();
    data::GlobalState& Globals();
    const std::optional<data::RightsProfile>& Profile() const;
    const std::shared_ptr<data::AccessRights>& AccessRightsObject() const;
    QMenu* Mnu_Aide() const { return mnuAide_; }

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
    // Runs one read of the loading; a failure is kept to be told once.
    void Lire(const char* table, const std::function<void()>& read);
    bool Form_Unload(); // true when the window may close
    void DesinitElementContrat();
    void Ong_Contrat_Click(int previous);
    bool GardeFacturationRefuse();
    void NoterTexteOuverture(editor::OngletContrat& onglet);
    void Aide_MouseDown(QMouseEvent* event);
    // The side screens of the library and of the suite (side_screens_wiring.cpp).
    void EnregistrerEcransLateraux();
    void OuvrirMotifCDD();
    void ImprimerDocument(bool avenant);

    std::unique_ptr<Ui::Frm_ElementsContrat> ui;
    std::unique_ptr<editor::EditorContext> ctx_;
    std::array<std::unique_ptr<editor::OngletContrat>, editor::NombreOnglets> onglets_;
    editor::OngletOrigine* origine_ = nullptr;
    editor::OngletElementsPaie* paie_ = nullptr;
    std::unique_ptr<editor::SauvegardeContrat> sauvegarde_;
    std::unique_ptr<editor::CommandesAvenant> avenants_;
    QStringList echecsLecture_;
    QMenu* mnuAide_ = nullptr;
    int currentTab_ = 0;
    QString retourDocument_;
};
