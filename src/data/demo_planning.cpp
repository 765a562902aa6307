#include "data/demo_planning.h"

#include "data/contrat_fields.h"
#include "data/demo_database.h"
#include "data/table_fields.h"
#include "data/tables.h"

#include <map>
#include <vector>

namespace data::demo {

namespace {

namespace c = contrat;
namespace t = tpsdetailsinterv;

std::string SlotKey(const std::string& contract, const std::string& beneficiary, long long start,
                    const char* type, int seq, int weekday, const char* time) {
    return contract + beneficiary + Padded(start, 5) + type + Padded(seq, 2) + std::to_string(weekday) + time;
}

void RemoveSlots(Builder& b, const std::string& contract) {
    const dba::Table planning = b.db.OpenTable(tables::TPSDETAILSINTERV);
    const dba::ResultList rows = b.db.SelectRecords("SELECT TPSDETAILSINTERV = \"" + contract + "]\"");
    for (int r = 1; r <= rows.DCount(); ++r)
        planning.DeleteRecord(rows.Item(r));
}

// A week of visits at one beneficiary: mornings and evenings, a slot that
// stops in two months and one that starts next month.
void WriteWeek(Builder& b, const dba::Record& contract) {
    const std::string key = contract.key();
    RemoveSlots(b, key);
    const long long from = std::max(std::stoll(contract.Item(c::DateDebut)), Today() - 120);
    const struct {
        int weekday;
        const char *start, *end;
        long long first;
        long long last; // 0: open
    } week[] = {
        {0, "0850", "1050", from, 0},            // Monday 8h30-10h30
        {0, "1700", "1800", from, 0},            // Monday 17h00-18h00
        {2, "1400", "1525", from, 0},            // Wednesday 14h00-15h15
        {4, "0900", "1100", from, Today() + 60}, // Friday 9h00-11h00, two more months
        {5, "1000", "1200", Today() + 30, 0},    // Saturday 10h00-12h00 from next month
    };
    int seq = 1;
    for (const auto& s : week) {
        DemoRecord r;
        if (s.last)
            r.Set(t::DateFin, DayText(s.last));
        r.Set(t::HeureFin, s.end);
        r.Set(t::Activite, contract.Item(c::Activites, 1));
        b.Write(tables::TPSDETAILSINTERV,
                SlotKey(key, contract.Item(c::Employeur), s.first, "M", seq++, s.weekday, s.start), r);
    }
}

// Team meetings and training: hours worked away from the beneficiaries.
void WriteIndirectLabour(Builder& b, const std::string& contract, int count) {
    static const char* const kinds[] = {"Réunion d'équipe", "Formation gestes et postures",
                                        "Analyse de pratiques"};
    for (int i = 0; i < count; ++i) {
        const long long day = Today() - 7 * (i + 1) - (i % 3);
        DemoRecord r;
        r.Set(tpsmoi::Libelle, kinds[i % 3]);
        r.Set(tpsmoi::HeureDebut, i % 2 ? "1400" : "0900");
        r.Set(tpsmoi::HeureFin, i % 2 ? "1600" : "1200");
        r.Set(tpsmoi::Contrat, contract);
        b.Write(tables::TPSMOI, contract.substr(0, 5) + Padded(day, 5) + Padded(i + 1, 2), r);
    }
}

// The detail tables payroll fills beside DETAILCALCUL, by kind of contract.
void WritePayrollDetails(Builder& b) {
    const dba::Table contrats = b.db.OpenTable(tables::CONTRAT);
    const dba::Table activites = b.db.OpenTable(tables::ACTIVITES);
    const dba::ResultList months = b.db.SelectRecords("SSELECT DETAILCALCUL", "0 2");
    std::map<std::string, std::pair<std::string, std::string>> kinds; // contract -> status, activity type
    for (int r = 1; r <= months.DCount(); ++r) {
        const std::string key = months.Item(r, 1);
        const std::string contract = key.substr(0, 8), period = key.substr(8);
        auto found = kinds.find(contract);
        if (found == kinds.end()) {
            const dba::Record cr = contrats.ReadRecordOrEmpty(contract);
            found =
                kinds
                    .emplace(contract,
                             std::pair{
                                 cr.Item(c::Statut),
                                 activites.ReadRecordOrEmpty(cr.Item(c::Activites, 1)).Item(activites::Type)})
                    .first;
        }
        const std::string hours = std::to_string(b.rng.Between(20, 151) * 100);
        if (found->second.first == c::StatutAdministratif) {
            DemoRecord d;
            d.Set(detailadmin::HeuresPayees, hours);
            b.Write(tables::DETAILADMIN, key, d);
        } else if (found->second.second == "P" && b.rng.Percent(70)) {
            DemoRecord p;
            p.Set(detailprest::HeuresFacturees, hours);
            b.Write(tables::DETAILPREST, key, p);
            DemoRecord i;
            i.Set(detailinter::Heures, hours);
            b.Write(tables::DETAILINTER, contract + "01" + period, i);
        }
    }
}

} // namespace

std::string PlanningShowcaseContract(const dba::Database& db) {
    const dba::ResultList running = db.SelectRecords(
        "SSELECT CONTRAT AVEC 1 = \"02\" AND SANS 8 AND AVEC 65 # \"O\" AND AVEC 36 AND AVEC 7 <= \"" +
            std::to_string(Today() - 30) + "\"",
        "0");
    return running.Item(1, 1);
}

void WritePlanningShowcase(Builder& b) {
    const dba::Table contrats = b.db.OpenTable(tables::CONTRAT);
    const std::string showcase = PlanningShowcaseContract(b.db);
    if (!showcase.empty()) {
        WriteWeek(b, contrats.ReadRecord(showcase));
        WriteIndirectLabour(b, showcase, 3);
    }

    // Indirect labour on one running contract in eight.
    const dba::ResultList running =
        b.db.SelectRecords("SSELECT CONTRAT SANS 8 AND AVEC 65 # \"O\" AND AVEC 6 = \"P\"", "0");
    for (int r = 8; r <= running.DCount(); r += 8)
        if (running.Item(r, 1) != showcase)
            WriteIndirectLabour(b, running.Item(r, 1), 1 + r % 2);

    // A Tuesday slot that went on after its contract ended, kept without
    // contract.
    const dba::ResultList ended =
        b.db.SelectRecords("SSELECT CONTRAT AVEC 1 = \"02\" AND AVEC 8 > \"0\" AND < \"" +
                               std::to_string(Today() - 30) + "\" AND AVEC 65 # \"O\" AND AVEC 36",
                           "0 3 8 36");
    if (ended.DCount() > 0) {
        const std::string contract = ended.Item(1, 1);
        const long long end = std::stoll(ended.Item(1, 3));
        RemoveSlots(b, contract);
        const std::string slot = SlotKey(contract, ended.Item(1, 2), end - 60, "M", 1, 1, "0900");
        DemoRecord r;
        r.Set(t::HeureFin, "1100");
        r.Set(t::Activite, contrats.ReadRecord(contract).Item(c::Activites, 1));
        b.Write(tables::TPSDETAILSINTERV, slot, r);
        DemoRecord kept;
        kept.Set(tpssanscontrat::Contrat, contract);
        kept.Set(tpssanscontrat::Debuts, DayText(end + 1));
        kept.Set(tpssanscontrat::Fins, "");
        kept.Set(tpssanscontrat::JourNote, DayText(end));
        kept.Set(tpssanscontrat::Utilisateur, UtilisateurDemo);
        b.Write(tables::TPSSANSCONTRAT, slot, kept);
    }

    WritePayrollDetails(b);

    // A garnishment on the first running contract paid so far that is not
    // the showcase: it may not be deleted.
    const dba::ResultList paid = b.db.SelectRecords("SSELECT DETAILCALCUL", "0");
    for (int r = 1; r <= paid.DCount(); ++r) {
        const std::string contract = paid.Item(r, 1).substr(0, 8);
        const dba::Record cr = contrats.ReadRecordOrEmpty(contract);
        if (contract == showcase || !cr.Item(c::DateFin).empty() || cr.Item(c::Supprime) == c::MarqueSupprime)
            continue;
        DemoRecord o;
        o.Set(opposition::Nature, "Saisie sur salaire");
        o.Set(opposition::Creancier, "Trésor public");
        o.Set(opposition::MontantMensuel, "15000");
        o.Set(opposition::DateDebut, DayText(Today() - 90));
        b.Write(tables::OPPOSITION, contract + "1", o);
        break;
    }
}

} // namespace data::demo
