// Tab "Droits aux congés": the helper's leave counters for the contract.
#include "data/contrat_fields.h"
#include "editor/contract_fields_text.h"
#include "editor/ong4_droits_conges.h"
#include "editor/invoicing_guard.h"
#include "ui_frm_elements_contrat.h"

namespace editor {

namespace c = data::contrat;

OngletDroitsConges::OngletDroitsConges(EditorContext& context) : OngletContrat(context, DroitsConges) {}

namespace {

// "ouvrés" for an agreement value of 1, "ouvrables" otherwise.
QString Jours(const std::string& kind) {
    return kind == "1" ? QStringLiteral("Jours ouvrés") : QStringLiteral("Jours ouvrables");
}

} // namespace

void OngletDroitsConges::AfficherControles() {
    ++ctx.state.displays[DroitsConges];
    const dba::Record& r = ctx.g.ContractRecord;
    const std::string period = r.Item(c::PeriodeBulletinCalcule);
    if (!period.empty())
        ui.Etq_PeriodeConges->setText(MoisEnLettres(period));

    std::string paidLeaveKind, seniorityKind;
    const std::string agreement = r.Item(c::ConventionCollective);
    for (int row = 1; row <= ctx.agreementList.DCount(); ++row)
        if (ctx.agreementList.Item(row, 1) == agreement) {
            paidLeaveKind = ctx.agreementList.Item(row, 3);
            seniorityKind = ctx.agreementList.Item(row, 4);
            break;
        }
    ui.Etq_JOAcquis->setText(Jours(paidLeaveKind) + QStringLiteral(" acquis"));
    ui.Etq_JORestants->setText(Jours(paidLeaveKind) + QStringLiteral(" restants"));
    ui.Etq_CAAcquis->setText(Jours(seniorityKind) + QStringLiteral(" acquis"));
    ui.Etq_CARestants->setText(Jours(seniorityKind) + QStringLiteral(" restants"));

    ui.Txt_CFConsoAcqContrat->setText(Champ(r, c::CFAcquis));
}

void OngletDroitsConges::Verif() {
    CommencerVerif();
}

void OngletDroitsConges::EcrireDans(dba::Record&) const {
    // The tab is not written back yet: it is shown read-only.
}

} // namespace editor
