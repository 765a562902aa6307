// Tab "Droits aux congés": the helper's leave counters for the contract.
#include "data/contrat_fields.h"
#include "editor/contract_fields_text.h"
#include "editor/frm_elements_contrat.h"
#include "editor/invoicing_guard.h"
#include "ui_frm_elements_contrat.h"

namespace c = data::contrat;

namespace {

// "ouvrés" for an agreement value of 1, "ouvrables" otherwise.
QString Jours(const std::string& kind) {
    return kind == "1" ? QStringLiteral("Jours ouvrés") : QStringLiteral("Jours ouvrables");
}

} // namespace

void Frm_ElementsContrat::Afficher_Ong4() {
    ++state_.displays[editor::DroitsConges];
    const dba::Record& r = g_.ContractRecord;
    const std::string period = r.Item(c::PeriodeBulletinCalcule);
    if (!period.empty())
        ui->Etq_PeriodeConges->setText(editor::MoisEnLettres(period));

    std::string paidLeaveKind, seniorityKind;
    const std::string agreement = r.Item(c::ConventionCollective);
    for (int row = 1; row <= agreementList_.DCount(); ++row)
        if (agreementList_.Item(row, 1) == agreement) {
            paidLeaveKind = agreementList_.Item(row, 3);
            seniorityKind = agreementList_.Item(row, 4);
            break;
        }
    ui->Etq_JOAcquis->setText(Jours(paidLeaveKind) + QStringLiteral(" acquis"));
    ui->Etq_JORestants->setText(Jours(paidLeaveKind) + QStringLiteral(" restants"));
    ui->Etq_CAAcquis->setText(Jours(seniorityKind) + QStringLiteral(" acquis"));
    ui->Etq_CARestants->setText(Jours(seniorityKind) + QStringLiteral(" restants"));

    ui->Txt_CFConsoAcqContrat->setText(editor::Champ(r, c::CFAcquis));
}

void Frm_ElementsContrat::Verif_Ong4() {
    ++state_.checks[editor::DroitsConges];
    state_.tabError[editor::DroitsConges] = false;
}

void Frm_ElementsContrat::Ecrire_Ong4() {
    ++state_.writes[editor::DroitsConges];
    if (state_.checkBeforeWrite)
        Verif_Ong4();
}
