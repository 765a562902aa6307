#pragma once
// The comments printed on the payslips of the contract being edited
// ("Commentaires sur bulletins"): one text per pay period, listed by
// period. The comments go back into ContractRecord (fields 87 and 88) on OK
// or Retour; the editor saves the contract. Opened by
// screens::OuvrirCommentBull.
#include "data/access_rights.h"
#include "data/global_state.h"
#include "rules/payslip_comments.h"

#include <QDialog>
#include <memory>
#include <optional>

namespace Ui {
class Frm_CommentBull;
}
class QMenu;

class Frm_CommentBull : public QDialog {
    Q_OBJECT

public:
    // Loads the form (Form_Load) on the editor's ContractRecord: fills the
    // lists and the two periods offered, keeps a copy of fields 87 and 88.
    // A pay-period record that cannot be read raises the database's error.
    explicit Frm_CommentBull(data::GlobalState& globals, QWidget* parent = nullptr);
    ~Frm_CommentBull() override;

    // --- What the opening sequence calls ---
    void setDroitsUtilisateur(std::shared_ptr<data::AccessRights> rights);
    void Init();
    void ViderListes();
    void Remplir_Donnees();
    void Remplir_Periode();

    // The lines as listed, in list order.
    std::vector<rules::CommentaireBulletin> Lignes() const;
    QMenu* Mnu_Aide() const { return mnuAide_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void connectHandlers();
    void InsererLigne(const rules::CommentaireBulletin& ligne);
    void MajBdv();
    // Entry fields emptied and disabled, lists and list buttons back.
    void FinSaisie();
    void Fermer();
    bool EnSaisie() const;

    void Lst_Periode_Click();
    void Lst_Libelle_Click();
    void Bdv_Detail_Change();
    void Lst_DblClick();
    void Cmd_Ajouter_Click();
    void Cmd_OK_Click();
    void Cmd_Supprimer_Click();
    void Cmd_Annuler_Click();
    void Cmd_Sortir_Click();

    std::unique_ptr<Ui::Frm_CommentBull> ui;
    data::GlobalState& g_;
    std::shared_ptr<data::AccessRights> rights_;
    std::optional<data::RightsProfile> profile_;
    rules::ChampsCommentaires copie_; // fields 87 and 88 as the screen found them
    bool fermetureAutorisee_ = false;
    bool creation_ = false;
    int ligneModifiee_ = -1; // row whose text is being changed
    QMenu* mnuAide_ = nullptr;
};
