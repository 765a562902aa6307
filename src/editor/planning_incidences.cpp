#include "editor/planning_incidences.h"

#include "data/contrat_fields.h"
#include "data/dates.h"
#include "data/procedures.h"
#include "data/table_fields.h"
#include "data/tables.h"
#include "ui/busy_cursor.h"
#include "ui/messages.h"
#include "ui_frm_elements_contrat.h"

#include <QDate>
#include <QtDebug>
#include <set>

namespace editor {

namespace {

namespace c = data::contrat;
namespace t = data::tpsdetailsinterv;
namespace sc = data::tpssanscontrat;

// The planning changed under the listed slots: nothing is done rather than
// half of it.
class PlanningModifie : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

std::string Jour(const std::optional<long long>& day) {
    return day ? std::to_string(*day) : std::string();
}

// A day number as noted; none for an empty (open) end or a text that is no day.
std::optional<long long> JourNote(const std::string& text) {
    if (text.empty() || text.find_first_not_of("-0123456789") != std::string::npos)
        return std::nullopt;
    try {
        return std::stoll(text);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

} // namespace

std::vector<rules::Intervention> IncidencesPlanning::Interventions(const std::string& query) {
    const dba::ResultList rows = ctx.g.TheDatabase.SelectRecords(query, "0 1 2 3 4 5 6");
    std::vector<rules::Intervention> result;
    for (int r = 1; r <= rows.DCount(); ++r) {
        rules::Intervention i;
        i.cle = rows.Item(r, 1);
        i.dateFin = rows.Item(r, 2);
        i.heureFin = rows.Item(r, 3);
        const dba::Record person = ctx.g.Handles.CivilAide.ReadRecordOrEmpty(i.CodeBeneficiaire());
        const QString name = QString::fromStdString(person.Item(data::civilaide::Nom) + " " +
                                                    person.Item(data::civilaide::Prenom))
                                 .trimmed();
        i.beneficiaire = name.isEmpty() ? QString::fromStdString(i.CodeBeneficiaire()) : name;
        result.push_back(std::move(i));
    }
    return result;
}

std::vector<rules::Intervention>
IncidencesPlanning::Verif_InterventionsHorsContrat(const rules::PerimetrePlanning& p, long long debut) {
    return Interventions(rules::RequeteInterventionsAvantDebut(p, std::to_string(debut)));
}

bool IncidencesPlanning::Verif_IncidencesPlanning() {
    Oublier();
    const dba::Record& contract = ctx.g.ContractRecord;
    rules::PerimetrePlanning p;
    p.cleContrat = (ctx.CodeAidant() + ctx.ui.Txt_NumContrat->text()).toStdString();
    p.convention02 = ctx.ui.Txt_ConvColContrat->text() == QLatin1String(c::ConventionParticulierEmployeur);
    p.activite = contract.Item(c::Activites, 1);
    p.beneficiaire = ctx.ui.Txt_EmplEtabContrat->text().toStdString();

    rules::NouvellesDates dates;
    // The tab's own check has refused a start that is no date.
    dates.debut = QString::fromStdString(contract.Item(c::DateDebut)).toLongLong();
    const QString dernierJour = ctx.ui.Txt_DernJrWContrat->text().trimmed();
    const QString dernierJourInterne = data::dates::DateToInternal(dernierJour);
    if (!dernierJourInterne.isEmpty())
        dates.dernierJour = dernierJourInterne.toLongLong();
    const bool debutModifie = QString::fromStdString(contract.Item(c::DateDebut)) != ctx.state.savedStartDate;

    std::vector<rules::Intervention> avantDebut, enVigueur;
    std::vector<std::string> requetes;
    bool sansContratPermis = false;
    try {
        ui::BusyCursor busy(&ctx.dialog);
        if (rules::HorsContratAVerifier(ctx.state.savedLastWorkingDay, dernierJour, debutModifie)) {
            avantDebut = Verif_InterventionsHorsContrat(p, dates.debut);
            requetes.push_back(rules::RequeteInterventionsAvantDebut(p, std::to_string(dates.debut)));
        }
        if (dates.dernierJour) {
            requetes.push_back(rules::RequeteInterventionsEnVigueur(p, Jour(dates.dernierJour)));
            enVigueur = Interventions(requetes.back());
        }
        sansContratPermis = ctx.g.TheDatabase.OpenTable(data::tables::TPSPARAM)
                                .ReadRecordOrEmpty(data::tables::keys::TpsParam)
                                .Item(data::tpsparam::InterventionsSansContrat) == "1";
    } catch (const dba::Error& error) {
        ui::messages().Show(QStringLiteral("Contrôle du planning impossible : ") +
                                QString::fromUtf8(error.what()),
                            ui::Buttons::Ok, ui::Icon::Exclamation);
        return false;
    }
    const QString texte = rules::TexteIncidences(avantDebut, enVigueur, dates, sansContratPermis);
    if (texte.isEmpty())
        return true;

    std::vector<rules::Devenir> devenirs =
        rules::DevenirInterventions(avantDebut, enVigueur, dates, sansContratPermis);
    std::vector<std::vector<std::string>> rows;
    for (const rules::Devenir& d : devenirs)
        rows.push_back({d.intervention.cle});
    const std::string liste = "INCIDENCES" + p.cleContrat;
    ctx.g.TheDatabase.SaveList(liste, dba::ResultList(rows));
    liste_ = liste;

    const screens::EnTeteIncidences entete{
        ctx.CodeAidant() + QLatin1Char(' ') + ctx.ui.Etq_Aidant->text().mid(15),
        ctx.ui.Txt_EmplEtabContrat->text() + QLatin1Char(' ') + ctx.ui.Cbo_LibEmplEtabContrat->currentText()};
    const screens::ChoixIncidences choix =
        screens::AfficherIncidences(texte, sansContratPermis, entete, &ctx.dialog);
    if (choix == screens::ChoixIncidences::RetourContrat) {
        Oublier();
        return false;
    }
    choix_ = choix;
    requetes_ = std::move(requetes);
    clesListees_.clear();
    for (const auto* liste : {&avantDebut, &enVigueur})
        for (const rules::Intervention& i : *liste)
            clesListees_.insert(i.cle);
    devenirs_ = std::move(devenirs);
    cleContrat_ = p.cleContrat;
    return true;
}

void IncidencesPlanning::Oublier() {
    if (!liste_.empty() && ctx.g.TheDatabase.isOpen()) {
        try {
            ctx.g.TheDatabase.RunCommand("EFFACER-LISTE " + liste_);
        } catch (const dba::Error& error) {
            qWarning() << "Frm_ElementsContrat: liste" << liste_.c_str() << "non effacée:" << error.what();
        }
    }
    liste_.clear();
    choix_.reset();
    requetes_.clear();
    clesListees_.clear();
    devenirs_.clear();
    cleContrat_.clear();
}

void IncidencesPlanning::VerifierInchange(const rules::Intervention& i) const {
    const dba::Table planning = ctx.g.TheDatabase.OpenTable(data::tables::TPSDETAILSINTERV);
    if (!planning.Exists(i.cle) || planning.ReadRecord(i.cle).Item(t::DateFin) != i.dateFin)
        throw PlanningModifie("l'intervention " + i.cle + " a été modifiée sur un autre poste");
}

void IncidencesPlanning::Arreter(const rules::Devenir& d) {
    if (d.horsContrat && !d.supprimee)
        return NoterSansContrat(d);
    if (d.horsContrat || d.DebutChange()) {
        // The start day is part of the slot's key: the planning rebuilds it.
        ctx.g.TheDatabase.CallRoutine(data::RoutineRemplRecursif, rules::Demande(d).Texte());
        return;
    }
    if (d.FinChange()) {
        dba::Record slot =
            ctx.g.TheDatabase.OpenTable(data::tables::TPSDETAILSINTERV).ReadRecord(d.intervention.cle);
        slot.SetItem(t::DateFin, Jour(d.fin));
        slot.DBWrite();
    }
}

void IncidencesPlanning::NoterSansContrat(const rules::Devenir& d) {
    if (d.periodesHorsContrat.empty())
        return;
    const dba::Table table = ctx.g.TheDatabase.OpenTable(data::tables::TPSSANSCONTRAT);
    dba::Record r = table.ReadRecordOrEmpty(d.intervention.cle);
    r.SetItem(sc::Contrat, cleContrat_);
    std::vector<rules::PeriodeSansContrat> periodes;
    for (int n = 1; n <= r.DCount(sc::Debuts); ++n) {
        const std::optional<long long> debut = JourNote(r.Item(sc::Debuts, n));
        if (!debut)
            throw PlanningModifie("les périodes sans contrat de l'intervention " + d.intervention.cle +
                                  " sont illisibles");
        periodes.emplace_back(*debut, JourNote(r.Item(sc::Fins, n)));
    }
    for (const rules::PeriodeSansContrat& p : d.periodesHorsContrat)
        periodes = rules::AjouterPeriode(std::move(periodes), p);
    r.SetItem(sc::Debuts, "");
    r.SetItem(sc::Fins, "");
    for (const auto& [first, last] : periodes) {
        r.Insert(sc::Debuts, -1, std::to_string(first));
        r.Insert(sc::Fins, -1, Jour(last));
    }
    r.SetItem(sc::JourNote, data::dates::DateToInternal(QDate::currentDate()).toStdString());
    r.SetItem(sc::Utilisateur, data::Lire_NomUtilisateur().toStdString());
    r.DBWrite();
}

void IncidencesPlanning::AppliquerChoix() {
    if (!choix_ || !ctx.g.TheDatabase.HasList(liste_))
        return;
    // Inside the write: the slots the user decided on must be all the slots
    // concerned (none added or removed on another workstation meanwhile).
    std::set<std::string> cles;
    for (const std::string& requete : requetes_) {
        const dba::ResultList rows = ctx.g.TheDatabase.SelectRecords(requete, "0");
        for (int r = 1; r <= rows.DCount(); ++r)
            cles.insert(rows.Item(r, 1));
    }
    if (cles != clesListees_)
        throw PlanningModifie(
            "le planning de l'aidant a changé sur un autre poste depuis la liste des incidences");
    for (const rules::Devenir& d : devenirs_) {
        VerifierInchange(d.intervention);
        if (*choix_ == screens::ChoixIncidences::Arreter)
            Arreter(d);
        else
            NoterSansContrat(d);
    }
}

} // namespace editor
