#pragma once
// "Suivi du Contrat": the month-by-month follow-up of a contract's hours
// over its contract year, on the shared ContractRecord. The editor opens it
// through screens::OuvrirContratAnnuel (ouvrir_contrat_annuel.h):
//
//   Frm_ContratAnnuel form(globals, editor);
//   form.SetEtq_CodeAidant(code); form.SetEtq_NomAidant(name);
//   form.SetContrat(agreement, entity, employer);
//   form.Remplir_Periode(); form.Lecture_EnCours();
//   form.setDroitsUtilisateur(rights); form.Init();
//   ui::modal().Show(form);
//
// The rows live in the screen until they are written back into
// ContractRecord (OK with nothing entered, or "Oui" on leaving); deleting a
// period or the whole follow-up changes ContractRecord at once, and leaving
// without saving puts back the current year as it was last read. The
// record reaches the database when the editor saves the contract.
#include "data/access_rights.h"
#include "data/global_state.h"
#include "rules/annual_follow_up.h"

#include <QDialog>
#include <array>
#include <memory>
#include <optional>

namespace Ui {
class Frm_ContratAnnuel;
}
class QLineEdit;
class QListWidget;
class QMenu;

class Frm_ContratAnnuel : public QDialog {
    Q_OBJECT

public:
    explicit Frm_ContratAnnuel(data::GlobalState& globals, QWidget* parent = nullptr);
    ~Frm_ContratAnnuel() override;

    // --- Opening, in this order ---
    void SetEtq_CodeAidant(const QString& code);
    void SetEtq_NomAidant(const QString& name);
    // The contract's agreement, legal entity and employer as the editor
    // shows them: they decide which periods may be entered.
    void SetContrat(const QString& agreement, const QString& entity, const QString& employer);
    void Remplir_Periode();
    void Lecture_EnCours();
    void setDroitsUtilisateur(std::shared_ptr<data::AccessRights> rights);
    void Init();

    void Lecture_Precedent();

    // What the screen shows (tests, the editor).
    const std::vector<rules::suivi::Row>& Lignes() const { return rows_; }
    bool PrecedentAffiche() const { return previousShown_; }
    bool CreationEnCours() const { return creating_; }
    const std::optional<data::RightsProfile>& Profile() const { return profile_; }
    QMenu* Mnu_Aide() const { return mnuAide_; }
    // The number of pixels of `twips` on this screen (1440 twips an inch).
    int Twips(int twips) const;

    static constexpr int LignesVisibles = 12;
    static constexpr int LargeurDiffCumul = 975;       // twips, scroll bar hidden
    static constexpr int LargeurDiffCumulLarge = 1215; // twips, scroll bar shown

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    void done(int result) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectHandlers();
    void Placer_Colonnes();
    void Appliquer_Droits();

    // --- The columns ---
    void Afficher_Lignes();
    void Vider_Liste();
    void Vider_Texte();
    void Griser_Liste();
    void Griser_Texte();
    void Descendre_Liste();
    void Deselectionner();
    void Init_Defilement();
    void RemplirTable();
    void DonneesOriginales();
    bool Recherche_Periode();
    void Modifier_Ligne();
    void Fermer();

    // --- Handlers ---
    void Lst_Click(int column);
    void Bdv_Detail_Change();
    void Cmd_Ajouter_Click();
    void Cmd_OK_Click();
    void Cmd_Annuler_Click();
    void Cmd_Supprimer_Click();
    void Cmd_Retour_Click();
    void Opt_EnCours_Click();
    void Opt_Precedent_Click();
    void Cbo_Periode_KeyPress(int& ascii);
    void Txt_Unsigned_KeyPress(QLineEdit* box, int& ascii);
    void Txt_Signed_KeyPress(QLineEdit* box, int& ascii);
    void Txt_HresParContrat_LostFocus();
    void Txt_HresAbs_LostFocus();
    void Txt_HresReel_LostFocus();
    void Txt_Signe_LostFocus(QLineEdit* box);
    void Mnu_Sommaire_Click();

    QString Format(rules::Hundredths amount, bool isSigned) const;
    // "0" in an empty box; its amount.
    rules::Hundredths ZeroIfEmpty(QLineEdit* box) const;

    std::unique_ptr<Ui::Frm_ContratAnnuel> ui;
    data::GlobalState& g_;
    std::array<QListWidget*, 9> lists_{};
    std::array<QLineEdit*, 8> boxes_{};
    QMenu* mnuAide_ = nullptr;

    QString agreement_, entity_, employer_;
    std::vector<rules::suivi::Row> rows_;
    bool previousShown_ = false;
    bool closePermission_ = false;
    bool creating_ = false;
    int selectedRow_ = -1;
    rules::suivi::Snapshot snapshot_;
    bool noSnapshot_ = true;
    std::shared_ptr<data::AccessRights> rights_;
    std::optional<data::RightsProfile> profile_;
};
