#pragma once
// Tab "Origine": the identity of the contract (agreement, entity, employer,
// type, salary mode, status, dates, trial period, nature).
#include "editor/code_lookup.h"
#include "editor/list_lookup.h"
#include "editor/onglet_contrat.h"

#include <QList>
#include <QPair>
#include <memory>
#include <vector>

class QLineEdit;
class QWidget;

namespace editor {

class OngletOrigine : public OngletContrat {
public:
    explicit OngletOrigine(EditorContext& context);

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

    void Txt_DatFinContrat_LostFocus();
    void Cbo_LibEmplEtabContrat_KeyPress(int& ascii);
    // The employers offered: beneficiaries found by name under agreement
    // "02", the entity's establishments otherwise.
    void RemplirEmployeurs();
    int LigneEmployeur(const QString& code);
    void EntiteTrouvee();
    void EntiteEffacee();
    QString OrganismeRetraite(const QString& entity) const;
    void ConventionTrouvee();
    void Opt_Determine_Click();
    void Opt_Indetermine_Click();
    void Opt_Horaire_Click();
    void Opt_Mensuel_Click();
    void Opt_Production_Click();
    void Opt_Administratif_Click();

    dba::Record natureContrat_; // TABLES "NATURECONTRAT"
    QList<QPair<QString, QString>> employeurs_; // code as typed, label
    QString entiteVue_;                          // the entity whose employers are offered
    std::vector<std::unique_ptr<RechercheCode>> lookups_;
    std::unique_ptr<ListeSaisie> nature_;

protected:
    void AfficherControles() override;
};

} // namespace editor
