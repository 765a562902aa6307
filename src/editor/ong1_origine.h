#pragma once
// Tab "Origine": the identity of the contract (agreement, entity, employer,
// type, salary mode, status, dates, trial period, nature).
#include "editor/onglet_contrat.h"

class QLineEdit;
class QWidget;

namespace editor {

class OngletOrigine : public OngletContrat {
public:
    explicit OngletOrigine(EditorContext& context);

    void Afficher() override;
    void Verif() override;
    void Ecrire() override;
    void EcrireDans(dba::Record& record) const override;

    // The tab's lists, read when the editor loads.
    void ChargerListes();
    void LibererListes();

    // The convention look-up locks and frees the entity and employer boxes;
    // the fixed-term reason button follows the identity typed so far.
    void Griser_ComboOng1();
    void Degriser_ComboOng1();
    void Activer_MotifCDD();
    void Remplir_Aide();
    // The start date's rules, also run when another tab is selected.
    void Txt_DatDebContrat_LostFocus();

private:
    void connecter();
    // Puts the tab in front and the focus on `control`.
    void Focus(QWidget* control);
    // Completes and checks the date typed in `box`; false when the focus
    // went back to it.
    bool ControleDate(QLineEdit* box);

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

    dba::Record natureContrat_;     // TABLES "NATURECONTRAT"
    dba::ResultList employerList_;  // CIVILAIDE "0 2 3": beneficiaries found by Remplir_Aide
};

} // namespace editor
