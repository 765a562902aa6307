#include "data/demo_amendments.h"

#include "data/contrat_fields.h"
#include "data/demo_catalogue.h"
#include "data/tables.h"

#include <algorithm>

namespace data::demo {

namespace {

namespace c = data::contrat;

// Career grids of the private employers' agreement: the classification
// levels of home assistants.
struct Level {
    const char* key;
    const char* name;
    const char* coefficient; // x 1000
};
constexpr Level Levels[] = {{"0201", "Niveau II - assistant(e) de vie", "270000"},
                            {"0202", "Niveau III - assistant(e) de vie qualifié(e)", "285000"},
                            {"0203", "Niveau IV - assistant(e) de vie dépendance", "300000"}};

std::string PcsLabel(const std::string& code) {
    for (const auto& e : PcsEntries())
        if (e.code == code)
            return e.label;
    return {};
}

struct Terms {
    std::string qualification = "Assistant(e) de vie A", pcs = "563b", grid, gridStart, coefficient, rate,
                duration, frequency, lissage = "0", modulation = "S", comment1, comment2;
};

// The running contract of `helper` with `beneficiary`, empty when none.
std::string RunningContract(Builder& b, const std::string& helper, const std::string& beneficiary) {
    const dba::ResultList found = b.db.SelectRecords("SSELECT CONTRAT AVEC 0 = \"" + helper + "]\" AND AVEC 3 = \"" +
                                                         beneficiary + "\" AND SANS 8 AND AVEC 65 # \"O\" PAR 7",
                                                     "0");
    return found.DCount() > 0 ? found.Item(1, 1) : std::string();
}

// Rewrites the entries of contract `key`: entry i takes effect at the
// i-th of `count` even steps between the start and today.
void WriteEntries(Builder& b, const std::string& key, const std::vector<Terms>& entries) {
    dba::Table contrats = b.db.OpenTable(tables::CONTRAT);
    dba::Record r = contrats.ReadRecord(key);
    const long long start = std::stoll(r.Item(c::DateDebut));
    const long long span = std::max<long long>(static_cast<long long>(entries.size()) * 30, Today() - start);
    for (int field : c::ChampsAvenant)
        r.SetItem(field, "");
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const Terms& e = entries[i];
        const int n = static_cast<int>(i) + 1;
        const long long effective = start + span * static_cast<long long>(i) / static_cast<long long>(entries.size());
        r.SetItem(c::NumeroAvenant, n, Padded(static_cast<long long>(i), 2));
        r.SetItem(c::DateEffet, n, DayText(effective));
        r.SetItem(c::Qualification, n, e.qualification);
        r.SetItem(c::CodePCS, n, e.pcs);
        r.SetItem(c::CategoriePCS, n, PcsLabel(e.pcs.substr(0, 2)));
        r.SetItem(c::FonctionPCS, n, PcsLabel(e.pcs));
        r.SetItem(c::Grille, n, e.grid);
        r.SetItem(c::DateDepartGrille, n, e.grid.empty() ? "" : DayText(effective));
        r.SetItem(c::Coefficient, n, e.coefficient);
        r.SetItem(c::TauxHoraire, n, e.rate);
        r.SetItem(c::DureeTravail, n, e.duration);
        r.SetItem(c::FrequenceTravail, n, e.frequency);
        r.SetItem(c::Lissage, n, e.lissage);
        r.SetItem(c::HeuresModulation, n, e.modulation);
        r.SetItem(c::Commentaire1, n, e.comment1);
        r.SetItem(c::Commentaire2, n, e.comment2);
        // Every amendment field keeps one value per entry.
        for (int field : c::ChampsAvenant)
            if (r.DCount(field) < n)
                r.SetItem(field, n, "");
    }
    r.DBWrite();
}

} // namespace

void WriteAmendmentShowcase(Builder& b) {
    for (const Level& l : Levels) {
        DemoRecord g;
        g.Set(1, l.name);
        g.Set(2, "02");
        g.Set(7, l.coefficient);
        g.Set(8, "0");
        b.Write(tables::GRILLESCC, l.key, g);
    }
    if (b.helpers.size() < 3 || b.beneficiaries.empty())
        return;
    const std::string beneficiary = b.beneficiaries.front().code;

    // A monthly contract: more hours, a better rate with a new
    // qualification, a modulation agreement, then the agreement's grid.
    const std::string monthly = RunningContract(b, b.helpers[1].code, beneficiary);
    if (!monthly.empty()) {
        const dba::Record r = b.db.OpenTable(tables::CONTRAT).ReadRecord(monthly);
        Terms t;
        t.frequency = r.Item(c::FrequenceTravail, r.DCount(c::FrequenceTravail));
        t.duration = r.Item(c::DureeTravail, r.DCount(c::DureeTravail));
        t.rate = "11500";
        t.lissage = "1";
        t.modulation = "L";
        std::vector<Terms> entries{t};
        t.duration = std::to_string(std::stoll(t.duration) + (t.frequency == "3" ? 867 : 200));
        t.comment1 = "Augmentation de la durée de travail";
        t.comment2 = "à la demande de l'employeur.";
        entries.push_back(t);
        t.qualification = "Assistant(e) de vie B";
        t.rate = "12350";
        t.comment1 = "Changement de qualification après formation.";
        t.comment2.clear();
        entries.push_back(t);
        t.modulation = "C";
        t.comment1 = "Accord de modulation : paiement des heures positives";
        t.comment2 = "et retrait des heures négatives.";
        entries.push_back(t);
        t.grid = Levels[1].key;
        t.coefficient = Levels[1].coefficient;
        t.rate = "0";
        t.comment1 = "Classement au niveau III de la grille de la convention.";
        t.comment2.clear();
        entries.push_back(t);
        WriteEntries(b, monthly, entries);
        dba::Record done = b.db.OpenTable(tables::CONTRAT).ReadRecord(monthly);
        done.SetItem(c::JoursSuspensionGrille, "1500"); // 15 days of unpaid leave
        done.SetItem(c::JoursSuspensionAnciennete, "300");
        done.DBWrite();
    }

    // An hourly contract: fewer hours, then a raise.
    const std::string hourly = RunningContract(b, b.helpers[2].code, beneficiary);
    if (!hourly.empty()) {
        const dba::Record r = b.db.OpenTable(tables::CONTRAT).ReadRecord(hourly);
        Terms t;
        t.qualification = "Employé(e) familial(e)";
        t.pcs = "563c";
        t.frequency = "1";
        t.duration = r.Item(c::DureeTravail, r.DCount(c::DureeTravail));
        t.rate = "11800";
        std::vector<Terms> entries{t};
        t.duration = std::to_string(std::max<long long>(100, std::stoll(t.duration) - 100));
        t.comment1 = "Réduction d'une heure par semaine";
        t.comment2 = "à la demande de la salariée.";
        entries.push_back(t);
        t.rate = "12150";
        t.comment1 = "Revalorisation du taux horaire.";
        t.comment2.clear();
        entries.push_back(t);
        WriteEntries(b, hourly, entries);
    }
}

} // namespace data::demo
