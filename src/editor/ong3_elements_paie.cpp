// Tab "Elements de paie": what the payroll needs to pay the helper.
#include "data/contrat_fields.h"
#include "editor/contract_fields_text.h"
#include "editor/ong3_elements_paie.h"
#include "ui_frm_elements_contrat.h"

namespace editor {

namespace c = data::contrat;

OngletElementsPaie::OngletElementsPaie(EditorContext& context) : OngletContrat(context, ElementsPaie) {}

void OngletElementsPaie::Afficher() {
    ++ctx.state.displays[ElementsPaie];
    const dba::Record& r = ctx.g.ContractRecord;
    const bool beneficiaryEmploys = r.Item(c::ConventionCollective) == c::ConventionParticulierEmployeur;

    const int mode = Champ(r, c::ModePaiement).toInt();
    ui.Cbo_ModPaieContrat->setCurrentIndex(mode >= 1 && mode <= ui.Cbo_ModPaieContrat->count() ? mode - 1
                                                                                                 : -1);
    ctx.state.keptPaymentMode = ui.Cbo_ModPaieContrat->currentText();

    ui.Cac_PaieSalContrat->setVisible(beneficiaryEmploys);
    // The leave provision only exists when leave is not paid every month.
    if (beneficiaryEmploys && r.Item(c::CongesPayesAuMois) == "0") {
        ui.Cac_ProvCP->setVisible(true);
        ui.Cac_ProvCP->setChecked(r.Item(c::ProvisionConges) == "1");
    } else {
        ui.Cac_ProvCP->setVisible(false);
        ui.Cac_ProvCP->setChecked(false);
    }
    ui.Cac_PaieSalContrat->setChecked(r.Item(c::PaiementParAssociation) == "1");
    ui.Cac_CPMoisContrat->setChecked(r.Item(c::CongesPayesAuMois) == "1");

    const int exemption = Champ(r, c::MotifDispense).toInt();
    ui.Cbo_MotifDispense->setCurrentIndex(
        exemption >= 0 && exemption < ui.Cbo_MotifDispense->count() ? exemption : 0);
    ui.Txt_DateFinValMut->setText(DateChamp(r, c::DateFinValiditeDispense));
}

void OngletElementsPaie::Verif() {
    CommencerVerif();
}

void OngletElementsPaie::EcrireDans(dba::Record&) const {
    // The tab is not written back yet: it is shown read-only.
}

} // namespace editor
