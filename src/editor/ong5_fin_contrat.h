#pragma once
// Tab "Fin du contrat": how the contract ends.
#include "editor/list_lookup.h"
#include "editor/onglet_contrat.h"
#include "rules/end_of_contract.h"

#include <memory>
#include <string>

class QComboBox;
class QLineEdit;

namespace editor {

class OngletFinContrat : public OngletContrat {
public:
    explicit OngletFinContrat(EditorContext& context);

    void Verif() override;
    // With a locked contract-management level only the reason's complement
    // is written.
    void Ecrire() override;
    void EcrireDans(dba::Record& record) const override;

    // The list of end reasons, read when the editor loads.
    void ChargerListes();
    void LibererListes();

private:
    void connecter();
    void Focus(QWidget* control);
    // Adds the reasons still offered, and `kept` even when withdrawn.
    void RemplirMotifs(QComboBox* combo, const std::string& kept) const;
    // The retirement bodies of the contract's entity (code as item data);
    // `secteurSeul`: under agreement "02", the sector's body alone.
    void RemplirOrganismes(bool secteurSeul);
    QString CodeMotif() const;

    // The date rule of every date box of the tab; false when the focus
    // went back to the box.
    bool ControleDate(QLineEdit* box);
    void DateLostFocus(QLineEdit* box);
    void Txt_DateFinContrat_LostFocus();
    void Txt_DatNotifContrat_LostFocus();
    void Cbo_MotifFinContrat_Click();
    void Cbo_OrgRetraite_Click();
    void Bdh_Bulletin_Change();
    // What the chosen reason shows and hides; `choix` when the user chose
    // it (the check boxes then follow the reason).
    void ChampsDuMotif(bool choix);
    // The end date filled enables what depends on it; emptied, empties
    // and disables it.
    void ActiverChampsFin(bool actifs);
    void ViderChampsFin(bool precarite);
    // The up-down follows the months of the contract; the period is put on
    // `period`; when empty, on the month of the end date if `finParDefaut`,
    // else on nothing (an end recorded elsewhere shows no period).
    void PlacerBulletin(const std::string& period, bool finParDefaut);
    void Calcul_Preavis();
    rules::PlageBulletin Plage() const;

    dba::Record finContrat_; // TABLES "FINCONTRAT"
    std::unique_ptr<ListeSaisie> motifs_;
    bool placement_ = false; // the up-down is being set by the tab

protected:
    void AfficherControles() override;
};

} // namespace editor
