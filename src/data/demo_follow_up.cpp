// Modulated contracts of the demo: the running modulated contracts, and a
// few more monthly ones made modulated in each mode, get a follow-up laid
// out on their own contract year, the one the follow-up screen offers:
//  - agreement "02" (entity mode): the calendar year, or December to
//    November when the entity follows its years that way (ASSOCIATION 25);
//  - other agreements (employer mode): the months after the employer's
//    closing month (ETABLISSEMENT 24).
// The current year runs up to the last calculated pay period, the previous
// year is whole. Runs after the contracts are written, and rewrites them.
#include "data/contrat_fields.h"
#include "data/demo_builder.h"
#include "data/table_fields.h"
#include "data/tables.h"

#include <algorithm>
#include <array>
#include <string>

namespace data::demo {

namespace {

namespace c = data::contrat;
namespace s = data::contrat::suivi;

constexpr int ParMode = 3;                    // contracts made modulated in each mode, besides those already
constexpr char DerniereCalculee[] = "202610"; // last calculated pay period of the demo

std::string Minus12(const std::string& period) {
    return std::to_string(std::stoi(period.substr(0, 4)) - 1) + period.substr(4);
}

// First period of the contract year that holds the current pay period.
std::string FirstPeriod(const std::string& agreement, const std::string& entityFollowUp,
                        const std::string& closingMonth) {
    const std::string year = std::string(PeriodeCourante).substr(0, 4);
    if (agreement == c::ConventionParticulierEmployeur)
        return entityFollowUp.empty() || entityFollowUp == "0" ? year + "01" : Minus12(year + "12");
    const std::string month = closingMonth.size() == 2 ? closingMonth : std::string("12");
    const std::string closing = year + month;
    return PeriodeCourante > closing ? NextPeriod(closing) : NextPeriod(Minus12(closing));
}

// Monthly contracted hours (x 100) of the contract's last entry.
long long MonthlyHours(const dba::Record& r) {
    const int last = std::max(1, r.DCount(c::DureeTravail));
    const std::string duration = r.Item(c::DureeTravail, last);
    const std::string frequency = r.Item(c::FrequenceTravail, last);
    const long long hours = duration.empty() ? 15167 : std::stoll(duration);
    if (frequency == "3")
        return hours;
    if (frequency == "2")
        return hours * 26 / 12;
    if (frequency == "4")
        return hours / 12;
    return hours * 52 / 12;
}

void WriteYear(dba::Record& r, DemoRandom& rng, const std::string& first, const std::string& last,
               long long monthly, const std::array<int, 6>& fields) {
    for (int f : fields)
        r.SetItem(f, std::string());
    int n = 1;
    for (std::string period = first; period <= last; period = NextPeriod(period), ++n) {
        const long long absence = rng.Percent(25) ? rng.Between(1, 6) * 350 : 0;
        const long long flat = monthly - absence;
        const long long actual = std::max<long long>(0, flat + rng.Between(-24, 24) * 25);
        const long long adjustment = n % 4 == 0 ? rng.Between(-3, 3) * 100 : 0;
        r.SetItem(fields[0], n, period);
        r.SetItem(fields[1], n, std::to_string(monthly));
        r.SetItem(fields[2], n, std::to_string(absence));
        r.SetItem(fields[3], n, std::to_string(actual));
        r.SetItem(fields[4], n, std::to_string(actual - flat));
        r.SetItem(fields[5], n, std::to_string(adjustment));
    }
}

} // namespace

void WriteModulatedContracts(Builder& b) {
    DemoRandom rng(0x5017u + static_cast<std::uint64_t>(b.scale));
    dba::Table contracts = b.db.OpenTable(tables::CONTRAT);
    dba::Table entities = b.db.OpenTable(tables::ASSOCIATION);
    dba::Table employers = b.db.OpenTable(tables::ETABLISSEMENT);
    int entityMode = 0, employerMode = 0;
    for (const Helper& helper : b.helpers) {
        for (int number = 1; number < helper.nextContract; ++number) {
            dba::Record r = contracts.ReadRecordOrEmpty(helper.code + Padded(number, 3));
            const std::string start = r.Item(c::DateDebut);
            if (r.Item(c::ModeSalaire) != c::SalaireMensuel || r.Item(c::Statut) != c::StatutProduction ||
                !r.Item(c::DateFin).empty() || !r.Item(c::Supprime).empty() ||
                r.Item(c::PeriodeBulletinCalcule) != DerniereCalculee || start.empty())
                continue;
            const std::string agreement = r.Item(c::ConventionCollective);
            const bool entity = agreement == c::ConventionParticulierEmployeur;
            const std::string first = FirstPeriod(
                agreement,
                entities.ReadRecordOrEmpty(r.Item(c::EntiteJuridique))
                    .Item(association::SuiviParEtablissement),
                entity ? std::string()
                       : employers.ReadRecordOrEmpty(r.Item(c::Employeur)).Item(etablissement::MoisCloture));
            // A contract started during the years is followed from its start.
            const std::string startPeriod = PeriodOfDay(std::stoll(start));
            // Every modulated contract gets its own contract year; a few more
            // become modulated so that each mode has some.
            const int entries = std::max(1, r.DCount(c::NumeroAvenant));
            int& made = entity ? entityMode : employerMode;
            if (r.Item(c::Lissage, entries) != "1") {
                if (made >= ParMode)
                    continue;
                for (int n = 1; n <= entries; ++n) {
                    r.SetItem(c::Lissage, n, "1");
                    r.SetItem(c::HeuresModulation, n, "C");
                }
            }
            const long long monthly = MonthlyHours(r);
            WriteYear(r, rng, std::max(first, startPeriod), DerniereCalculee, monthly,
                      {s::Periode, s::HeuresContrat, s::HeuresAbsence, s::HeuresReelles, s::Difference,
                       s::RegulModulation});
            // The previous year: the twelve months before the current one.
            std::string lastOfPrevious = Minus12(first);
            for (int i = 0; i < 11; ++i)
                lastOfPrevious = NextPeriod(lastOfPrevious);
            WriteYear(r, rng, std::max(Minus12(first), startPeriod), lastOfPrevious, monthly,
                      {s::PrecPeriode, s::PrecHeuresContrat, s::PrecHeuresAbsence, s::PrecHeuresReelles,
                       s::PrecDifference, s::PrecRegulModulation});
            r.DBWrite();
            ++made;
        }
    }
}

} // namespace data::demo
