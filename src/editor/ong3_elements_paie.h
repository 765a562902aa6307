#pragma once
// Tab "Elements de paie": what the payroll needs to pay the helper.
#include "editor/activities_frame.h"
#include "editor/code_lookup.h"
#include "editor/list_lookup.h"
#include "editor/onglet_contrat.h"
#include "rules/pay_elements_checks.h"

#include <memory>
#include <vector>

namespace editor {

class OngletElementsPaie : public OngletContrat {
public:
    explicit OngletElementsPaie(EditorContext& context);

    void Verif() override;
    // The bank-transfer test, the write, then the pay-entry items against
    // the contract's activities.
    void Ecrire() override;
    void EcrireDans(dba::Record& record) const override;

    // The two profile lists, of the agreement's kind.
    void ProfilContrat();
    // The provident schemes of the agreement shown.
    void RemplirPrevoyance();
    CadreActivites& Activites() { return activites_; }
    // The transport zones read when the editor loads.
    void ChargerListes();
    void LibererListes();

private:
    void connecter();
    rules::ElementsPaieSaisie Saisie() const;
    void Cac_CPMoisContrat_Click();
    // A figure left is rewritten in its fixed-width form.
    void Montant_LostFocus(QLineEdit* box, int integerDigits, bool isSigned);
    std::optional<rules::Refus> RefusProfil(const QString& code, bool premier) const;

    CadreActivites activites_;
    dba::ResultList profileList_;   // PROFIL "0 1 4"
    dba::ResultList providentList_; // CONTRATSPREV "0 1"
    dba::ResultList chargeList_;    // RUBCHARGE "0 1", on first drop-down
    dba::Record carteOrange_;       // TABLES "CARTEORANGE"
    std::vector<std::unique_ptr<RechercheCode>> lookups_;
    std::vector<std::unique_ptr<ListeSaisie>> lists_;

protected:
    void AfficherControles() override;
};

} // namespace editor
