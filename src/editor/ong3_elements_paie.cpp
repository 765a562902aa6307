// Tab "Elements de paie": what the payroll needs to pay the helper.
#include "data/contrat_fields.h"
#include "editor/contract_fields_text.h"
#include "editor/frm_elements_contrat.h"
#include "ui_frm_elements_contrat.h"

namespace c = data::contrat;

void Frm_ElementsContrat::Afficher_Ong3() {
    ++state_.displays[editor::ElementsPaie];
    const dba::Record& r = g_.ContractRecord;
    const bool beneficiaryEmploys = r.Item(c::ConventionCollective) == c::ConventionParticulierEmployeur;

    const int mode = editor::Champ(r, c::ModePaiement).toInt();
    ui->Cbo_ModPaieContrat->setCurrentIndex(mode >= 1 && mode <= ui->Cbo_ModPaieContrat->count() ? mode - 1
                                                                                                 : -1);
    state_.keptPaymentMode = ui->Cbo_ModPaieContrat->currentText();

    ui->Cac_PaieSalContrat->setVisible(beneficiaryEmploys);
    // The leave provision only exists when leave is not paid every month.
    if (beneficiaryEmploys && r.Item(c::CongesPayesAuMois) == "0") {
        ui->Cac_ProvCP->setVisible(true);
        ui->Cac_ProvCP->setChecked(r.Item(c::ProvisionConges) == "1");
    } else {
        ui->Cac_ProvCP->setVisible(false);
        ui->Cac_ProvCP->setChecked(false);
    }
    ui->Cac_PaieSalContrat->setChecked(r.Item(c::PaiementParAssociation) == "1");
    ui->Cac_CPMoisContrat->setChecked(r.Item(c::CongesPayesAuMois) == "1");

    const int exemption = editor::Champ(r, c::MotifDispense).toInt();
    ui->Cbo_MotifDispense->setCurrentIndex(
        exemption >= 0 && exemption < ui->Cbo_MotifDispense->count() ? exemption : 0);
    ui->Txt_DateFinValMut->setText(editor::DateChamp(r, c::DateFinValiditeDispense));
}

void Frm_ElementsContrat::Verif_Ong3() {
    ++state_.checks[editor::ElementsPaie];
    state_.tabError[editor::ElementsPaie] = false;
}

void Frm_ElementsContrat::Ecrire_Ong3() {
    ++state_.writes[editor::ElementsPaie];
    state_.tabError[editor::ElementsPaie] = false;
    if (state_.checkBeforeWrite)
        Verif_Ong3();
}
