// Tab "Fin du contrat": how the contract ends.
#include "data/contrat_fields.h"
#include "data/table_fields.h"
#include "editor/combo_text.h"
#include "editor/contract_fields_text.h"
#include "editor/ong5_fin_contrat.h"
#include "data/tables.h"
#include "editor/invoicing_guard.h"
#include "ui_frm_elements_contrat.h"

#include <QCheckBox>
#include <QLineEdit>

namespace editor {

namespace c = data::contrat;

OngletFinContrat::OngletFinContrat(EditorContext& context) : OngletContrat(context, FinContrat) {
    ListeSaisie::Config motifs;
    motifs.combo = ui.Cbo_MotifFinContrat;
    motifs.remplir = [this](QComboBox* combo) { RemplirMotifs(combo, ctx.g.ContractRecord.Item(c::MotifFin)); };
    motifs.inconnu = QStringLiteral("Le motif de fin de contrat saisi n'existe pas, veuillez le ressaisir.");
    motifs.focus = [this](QWidget* combo) {
        ui.Ong_Contrat->setCurrentIndex(FinContrat);
        combo->setFocus();
    };
    motifs_ = std::make_unique<ListeSaisie>(ctx, std::move(motifs));
}

void OngletFinContrat::RemplirMotifs(QComboBox* combo, const std::string& kept) const {
    // Reasons no longer offered stay for the contracts that use them.
    for (int i = 1; i <= finContrat_.DCount(data::listes::Libelles); ++i) {
        const std::string code = finContrat_.Item(data::listes::Codes, i);
        if (finContrat_.Item(data::listes::Retire, i) == "O" && code != kept)
            continue;
        combo->addItem(Valeur(finContrat_, data::listes::Libelles, i), QString::fromStdString(code));
    }
}

void OngletFinContrat::ChargerListes() {
    finContrat_ = ctx.g.Handles.Tables.ReadRecordOrEmpty(data::tables::lists::FINCONTRAT);
}

void OngletFinContrat::LibererListes() {
    finContrat_ = dba::Record();
}

namespace {

// Reasons for which the dismissal indemnity may be calculated.
bool MotifAvecIndemnite(const std::string& code) {
    static const char* const codes[] = {"11", "12", "14", "15", "20", "25", "26",
                                        "38", "65", "91", "92", "93", "33"};
    for (const char* c : codes)
        if (code == c)
            return true;
    return false;
}

constexpr char MotifRuptureConventionnelle[] = "43";

} // namespace

void OngletFinContrat::AfficherControles() {
    ++ctx.state.displays[FinContrat];
    const dba::Record& r = ctx.g.ContractRecord;
    ui.Txt_OrgRetraite->setText(Champ(r, c::OrganismeRetraite));

    if (!r.Item(c::DateNotification).empty()) {
        ui.Txt_DatNotifContrat->setText(DateChamp(r, c::DateNotification));
        const std::string reason = r.Item(c::MotifFin);
        if (ui.Cbo_MotifFinContrat->count() == 0)
            RemplirMotifs(ui.Cbo_MotifFinContrat, reason);
        ui.Cbo_MotifFinContrat->setCurrentIndex(
            ui.Cbo_MotifFinContrat->findData(QString::fromStdString(reason)));
        ui.Cac_CalcIndLic->setChecked(false);
        if (reason == MotifRuptureConventionnelle)
            ui.Txt_DateSignConvCol->setText(DateChamp(r, c::DateSignatureRupture));
        if (MotifAvecIndemnite(reason) && r.Item(c::CalculIndemniteLicenciement) == "1")
            ui.Cac_CalcIndLic->setChecked(true);

        ui.Txt_CmpltMotif->setText(Champ(r, c::ComplementMotif));
        ui.Txt_DateFinContrat->setText(DateChamp(r, c::DateFin));
        ui.Txt_DernJrWContrat->setText(DateChamp(r, c::DernierJourTravaille));
        ui.Cac_PrecaLibContrat->setChecked(r.Item(c::PrimePrecarite) == "1");

        struct Notice {
            QCheckBox* box;
            QLineEdit *start, *end;
            int startField, endField;
        };
        for (const Notice& n :
             {Notice{ui.Opt_Paye, ui.Txt_DebPayeContrat, ui.Txt_FinPayeContrat, c::PreavisPayeDebut,
                     c::PreavisPayeFin},
              Notice{ui.Opt_Effectue, ui.Txt_DebEffContrat, ui.Txt_FinEffContrat, c::PreavisEffectueDebut,
                     c::PreavisEffectueFin},
              Notice{ui.Opt_NonEffNonPaye, ui.Txt_DebNonEffNonPaye, ui.Txt_FinNonEffNonPaye,
                     c::PreavisNonEffectueDebut, c::PreavisNonEffectueFin}}) {
            if (r.Item(n.startField).empty())
                continue;
            n.box->setChecked(true);
            n.start->setText(DateChamp(r, n.startField));
            n.end->setText(DateChamp(r, n.endField));
        }

        ui.Txt_NonVersContrat->setText(Champ(r, c::MotifNonVersement));
        const std::string lastPayslip = r.Item(c::PeriodeDernierBulletin);
        if (!lastPayslip.empty())
            ui.Txt_DernBullContrat->setText(MoisEnLettres(lastPayslip));
        else
            ui.Bdh_Bulletin->setValue(0);
        ui.Txt_ObsFinContrat_0->setText(Valeur(r, c::Observations, 1));
        ui.Txt_ObsFinContrat_1->setText(Valeur(r, c::Observations, 2));
        if (!r.Item(c::DateFinReelle).empty())
            ui.Txt_FinReelle->setText(DateChamp(r, c::DateFinReelle));

        for (QWidget* w :
             {static_cast<QWidget*>(ui.Cbo_MotifFinContrat), static_cast<QWidget*>(ui.Txt_CmpltMotif),
              static_cast<QWidget*>(ui.Txt_DatNotifContrat), static_cast<QWidget*>(ui.Txt_DernJrWContrat),
              static_cast<QWidget*>(ui.Txt_FinReelle), static_cast<QWidget*>(ui.Cac_PrecaLibContrat),
              static_cast<QWidget*>(ui.Opt_Paye), static_cast<QWidget*>(ui.Opt_Effectue),
              static_cast<QWidget*>(ui.Opt_NonEffNonPaye), static_cast<QWidget*>(ui.Txt_NonVersContrat)})
            w->setEnabled(true);
        // The host's end-date lock wins over the display of an ended contract.
        ui.Txt_DateFinContrat->setEnabled(!ctx.g.EndDateEntryLocked);
        ui.Txt_DernBullContrat->setEnabled(false);
    }
    ctx.state.savedLastWorkingDay = ui.Txt_DernJrWContrat->text().trimmed();
    Deselectionner(ui.Cbo_MotifFinContrat);
}

void OngletFinContrat::Verif() {
    CommencerVerif();
}

void OngletFinContrat::EcrireDans(dba::Record&) const {
    // The tab is not written back yet: it is shown read-only.
}

} // namespace editor
