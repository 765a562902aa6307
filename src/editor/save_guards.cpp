// The guards of the save flows and the deletion of a contract: payroll and
// planning work done on the contract forbid deleting it or moving its end
// before that work, and an end date may not leave two contracts open or
// overlapping. The rules decide (rules/contract_guards.h); here the values
// shown are gathered, the database asked, the user told.
#include "data/contrat_fields.h"
#include "data/dates.h"
#include "data/tables.h"
#include "editor/frm_elements_contrat.h"
#include "editor/invoicing_guard.h"
#include "editor/record_text.h"
#include "editor/save_return.h"
#include "editor/table_error.h"
#include "rules/contract_guards.h"
#include "ui/busy_cursor.h"
#include "ui/messages.h"
#include "ui_frm_elements_contrat.h"

#include <QLocale>

namespace editor {

namespace {

namespace c = data::contrat;

// "novembre 2026" -> "202611"; empty when the text is no month.
std::string PeriodeDeMois(const QString& text) {
    const QString t = text.trimmed();
    if (t.size() < 4)
        return {};
    const QString year = t.right(4);
    for (int month = 1; month <= 12; ++month) {
        const std::string period = year.toStdString() + QStringLiteral("%1").arg(month, 2, 10, QLatin1Char('0')).toStdString();
        if (MoisEnLettres(period).compare(t, Qt::CaseInsensitive) == 0)
            return period;
    }
    return {};
}

void Refuser(const QString& message) {
    ui::messages().Show(message, ui::Buttons::Ok, ui::Icon::Exclamation);
}

} // namespace

void SauvegardeContrat::InstallerGardes() {
    checks_.Install(rules::SaveCheck::ModificationPossible, [this] { return ControleModificationPossible(); });
    checks_.Install(rules::SaveCheck::EndDateRemoval, [this] { return ControleSuppDateFin(); });
}

rules::ContratGarde SauvegardeContrat::Garde() const {
    rules::ContratGarde garde;
    garde.cle = (ctx.CodeAidant() + ctx.ui.Txt_NumContrat->text()).toStdString();
    garde.convention02 = ctx.ui.Txt_ConvColContrat->text() == QLatin1String(c::ConventionParticulierEmployeur);
    garde.administratif = ctx.ui.Opt_Administratif->isChecked();
    garde.typeActivite = ctx.state.activityType;
    return garde;
}

bool SauvegardeContrat::ControleModificationPossible() {
    const QString end = ctx.ui.Txt_DateFinContrat->text().trimmed();
    if (end.isEmpty())
        return false;
    const QString day = data::dates::DateToInternal(end);
    if (day.isEmpty())
        return false; // the tab's own check refuses a date that is none
    const QDate date = data::dates::FromDayNumber(day.toLongLong());
    const std::string endPeriod = QString::asprintf("%04d%02d", date.year(), date.month()).toStdString();
    const std::string period = rules::PeriodeLimite(endPeriod, PeriodeDeMois(ctx.ui.Txt_DernBullContrat->text()));
    bool refused = false;
    try {
        refused = rules::TraitementsEffectues(
            rules::RequetesTraitements(Garde(), period),
            [this](const std::string& query) { return ctx.g.TheDatabase.SelectRecords(query, "0").DCount() > 0; });
    } catch (const dba::Error& error) {
        Refuser(QStringLiteral("Contrôle des traitements impossible : ") + QString::fromUtf8(error.what()));
        return true;
    }
    if (refused)
        Refuser(QString::fromUtf8(rules::MessageFinIncompatible));
    return refused;
}

bool SauvegardeContrat::ControleSuppDateFin() {
    const QString endText = ctx.ui.Txt_DateFinContrat->text().trimmed();
    const std::string end = data::dates::DateToInternal(endText).toStdString();
    // Neither removed nor moved since the contract was opened: nothing to guard.
    dba::Record opened = ctx.g.ContractRecord;
    opened.SetRecord(ctx.g.OpeningRecordText);
    if (end == opened.Item(c::DateFin))
        return false;
    std::vector<rules::AutreContrat> autres;
    try {
        const dba::ResultList rows = ctx.g.TheDatabase.SelectRecords(
            rules::RequeteAutresContrats(ctx.CodeAidant(), Garde().cle, ctx.ui.Txt_ConvColContrat->text(),
                                         ctx.ui.Txt_AssocContrat->text(), ctx.ui.Txt_EmplEtabContrat->text()),
            "0 7 8");
        for (int r = 1; r <= rows.DCount(); ++r)
            autres.push_back({rows.Item(r, 2), rows.Item(r, 3)});
    } catch (const dba::Error& error) {
        Refuser(QStringLiteral("Contrôle des autres contrats impossible : ") + QString::fromUtf8(error.what()));
        return true;
    }
    const long long start = data::dates::DateToInternal(ctx.ui.Txt_DatDebContrat->text()).toLongLong();
    const std::optional<QString> conflict = rules::ConflitDateFin(
        autres, start, endText.isEmpty() ? std::nullopt : std::optional<long long>(std::stoll(end.empty() ? "0" : end)));
    if (!conflict)
        return false;
    Refuser(*conflict);
    ctx.ui.Txt_DernBullContrat->clear();
    return true;
}

void SauvegardeContrat::Cmd_SupprimerContrat_Click() {
    const rules::ContratGarde garde = Garde();
    try {
        if (rules::TraitementsEffectues(rules::RequetesTraitements(garde, {}), [this](const std::string& query) {
                return ctx.g.TheDatabase.SelectRecords(query, "0").DCount() > 0;
            })) {
            Refuser(QString::fromUtf8(rules::MessageTraitements));
            return;
        }
    } catch (const dba::Error& error) {
        Refuser(QStringLiteral("Contrôle des traitements impossible : ") + QString::fromUtf8(error.what()));
        return;
    }
    ui::BusyCursor busy(&ctx.dialog);
    if (ui::messages().Show(QStringLiteral("Etes-vous sûr de vouloir supprimer ce contrat ?"), ui::Buttons::YesNo,
                            ui::Icon::Exclamation) != ui::Answer::Yes)
        return;
    try {
        if (ctx.g.TheDatabase.SelectRecords("SSELECT OPPOSITION AVEC 0 = \"" + garde.cle + "]\"", "0").DCount() > 0) {
            Refuser(QStringLiteral("Il existe une opposition sur ce contrat, impossible de supprimer ce contrat."));
            return;
        }
    } catch (const dba::Error& error) {
        SignalerTableIllisible(data::tables::OPPOSITION, error);
        return;
    }
    if (ctx.g.PlanningCheck && !Verif_SuppressionPlanning()) {
        ctx.ui.Cmd_SupprimerContrat->setVisible(false);
        return;
    }
    // The stored version as opened, marked deleted: what was typed meanwhile
    // goes with the contract, and another workstation's change is never
    // overwritten.
    dba::Record marked = ctx.g.ContractRecord;
    marked.SetRecord(ctx.g.OpeningRecordText);
    marked.SetItem(c::Supprime, "O");
    if (!EcrireSurVersionOuverte(marked))
        return;
    ui::messages().Show(QStringLiteral("Le contrat ") + QString::fromStdString(garde.cle) +
                            QStringLiteral(" a été supprimé."),
                        ui::Buttons::Ok, ui::Icon::None);
    Fermer();
}

bool SauvegardeContrat::Verif_SuppressionPlanning() {
    const rules::ContratGarde garde = Garde();
    const std::string start = data::dates::DateToInternal(ctx.ui.Txt_DatDebContrat->text()).toStdString();
    const bool particulier = garde.convention02;
    std::string query = "SELECT TPSDETAILSINTERV AVEC @ID = \"" + ctx.CodeAidant().toStdString() + "]\"";
    if (particulier)
        query += " AND AVEC CodeAide = \"" + ctx.ui.Txt_EmplEtabContrat->text().toStdString() +
                 "\" AND AVEC TypeActDetailInterv = \"M\"";
    else
        query += " AND AVEC TypeActDetailInterv = \"" + garde.typeActivite.toStdString() + "\"";
    query += " AND AVEC DateDebInterv <= \"" + start + "\" AND AVEC 1 >= \"" + start + "\" OR = \"\"";
    try {
        if (ctx.g.TheDatabase.SelectRecords(query, "0").DCount() > 0) {
            Refuser(QStringLiteral(
                "Impossible de supprimer ce contrat car des interventions ont été saisies dans le menu Planning."));
            return false;
        }
        if (ctx.g.TheDatabase.SelectRecords("SELECT TPSMOI AVEC 4 = \"" + garde.cle + "\"", "0").DCount() > 0) {
            Refuser(QStringLiteral("Impossible de supprimer ce contrat car de la Main d'Oeuvre Indirecte a été saisie "
                                   "dans le menu Planning."));
            return false;
        }
    } catch (const dba::Error& error) {
        Refuser(QStringLiteral("Contrôle du planning impossible : ") + QString::fromUtf8(error.what()));
        return false;
    }
    return true;
}

} // namespace editor
