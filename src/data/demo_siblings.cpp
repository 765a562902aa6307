#include "data/demo_siblings.h"

#include "data/contrat_fields.h"
#include "data/table_fields.h"
#include "data/tables.h"
#include "dba/dynarray.h"

#include <algorithm>
#include <map>

namespace data::demo {

namespace {

namespace c = contrat;
using Periodes = std::vector<std::pair<long long, long long>>; // (first day, last day)

// The contracts of beneficiary 00001 go to the first helpers.
constexpr std::size_t ShowcaseHelpers = 17;
// Started this month: no leave taken yet, its view stays empty.
constexpr std::size_t HelperWithoutLeave = 5;
// Never set up for telemanagement: its screen shows the default settings.
constexpr long long HelperWithDefaults = 2;

long long Number(const std::string& text) {
    return text.empty() || text.find_first_not_of("-0123456789") != std::string::npos ? 0 : std::stoll(text);
}

std::string Last(const std::string& field) {
    const auto values = dba::Split(field, dba::VM);
    return values.empty() ? std::string() : values.back();
}

// Working days (every day but Sunday) of [from, to]; day 1 (01/01/1968) was a Monday.
long long WorkingDays(long long from, long long to) {
    long long days = 0;
    for (long long d = from; d <= to; ++d)
        if ((d - 1) % 7 != 6)
            ++days;
    return days;
}

std::map<std::string, Periodes> WritePaidLeave(Builder& b) {
    std::map<std::string, Periodes> leave;
    for (std::size_t i = 0; i < b.helpers.size(); ++i) {
        const Helper& h = b.helpers[i];
        if (!h.working || i == HelperWithoutLeave || (i >= ShowcaseHelpers && !b.rng.Percent(60)))
            continue;
        Periodes periods;
        // Summer, a winter week, and for some the coming holidays.
        const long long summer = Day(2026, 7, 1) + b.rng.Between(0, 45);
        periods.emplace_back(summer, summer + b.rng.Between(1, 3) * 7 - 1);
        const long long winter = Day(2026, 2, 2) + b.rng.Between(0, 30);
        periods.emplace_back(winter, winter + 6);
        if (b.rng.Percent(40))
            periods.emplace_back(Day(2026, 12, 21), Day(2027, 1, 2));
        int sequence = static_cast<int>(h.absences.size()) + 1;
        for (const auto& [start, end] : periods) {
            // A leave that would overlap an absence already recorded is not taken.
            const bool clash = std::any_of(h.absences.begin(), h.absences.end(), [&](const auto& a) {
                return a.first <= end && start <= a.second;
            });
            if (clash)
                continue;
            DemoRecord r;
            r.Set(absencesaidant::DateFin, DayText(end));
            r.Set(absencesaidant::Type, "01"); // paid leave, list ABSENCES
            b.Write(tables::ABSENCESAIDANT, h.code + Padded(sequence++, 2) + DayText(start), r);
            leave[h.code].emplace_back(start, end);
        }
    }
    return leave;
}

// Each paid contract: its last six months of payroll, from the contract's
// hours and rate; the months payroll already wrote keep their state.
void WritePayrollDetail(Builder& b, const std::map<std::string, Periodes>& leave) {
    const std::string fields = "0 " + std::to_string(c::DernierePeriodePaie) + " " +
                               std::to_string(c::DateDebut) + " " + std::to_string(c::DateFin) + " " +
                               std::to_string(c::TauxHoraire) + " " + std::to_string(c::DureeTravail) + " " +
                               std::to_string(c::FrequenceTravail);
    const dba::ResultList contracts =
        b.db.SelectRecords("SELECT CONTRAT AVEC 81 AND AVEC 65 <> \"O\"", fields);
    const dba::Table detail = b.db.OpenTable(tables::DETAILCALCUL);
    for (int row = 1; row <= contracts.DCount(); ++row) {
        const std::string key = contracts.Item(row, 1);
        const long long start = Number(contracts.Item(row, 3));
        const long long end = contracts.Item(row, 4).empty() ? Today() : Number(contracts.Item(row, 4));
        const long long rate = Number(Last(contracts.Item(row, 5)));     // x 1000
        const long long duration = Number(Last(contracts.Item(row, 6))); // x 100 per period
        const long long per[] = {0, 100, 200, 5200 / 12, 5200};          // weeks x 100 in one period
        const long long frequency = std::clamp(Number(Last(contracts.Item(row, 7))), 1LL, 4LL);
        const long long weekly = duration * 100 / per[frequency]; // x 100
        const auto found = leave.find(key.substr(0, 5));

        std::string period = contracts.Item(row, 2);
        for (int month = 0; month < 6 && FirstDayOfPeriod(period) <= end; ++month) {
            const long long first = FirstDayOfPeriod(period);
            const long long last = FirstDayOfPeriod(NextPeriod(period)) - 1;
            const long long from = std::max(first, start), to = std::min(last, end);
            if (to < from)
                break;
            const long long share = (to - from + 1) * 1000 / (last - first + 1); // x 1000 of the month
            const long long hours = (weekly * 52 / 12 * share + 500) / 1000;     // x 100
            const long long gross = (hours * rate + 500) / 1000;                 // x 100
            long long taken = 0;
            if (found != leave.end())
                for (const auto& [s, e] : found->second)
                    if (s <= to && from <= e)
                        taken += WorkingDays(std::max(s, from), std::min(e, to)) * 100;
            const dba::Record before = detail.ReadRecordOrEmpty(key + period);
            DemoRecord r;
            r.Set(detailcalcul::Etat,
                  before.Item(detailcalcul::Etat).empty() ? "F" : before.Item(detailcalcul::Etat));
            r.Set(detailcalcul::SalaireBrut, std::to_string(gross));
            r.Set(detailcalcul::HeuresPayees, std::to_string(hours));
            r.Set(detailcalcul::CongesAcquis, std::to_string((250 * share + 500) / 1000));
            r.Set(detailcalcul::CongesPris, std::to_string(taken));
            r.Set(detailcalcul::IndemniteConges, std::to_string((gross * taken + 1300) / 2600));
            b.Write(tables::DETAILCALCUL, key + period, r);
            // The month before.
            const long long previous = first - 1;
            if (previous < start)
                break;
            period = PeriodOfDay(previous);
        }
    }
}

// Stoppages: their end (the latest may still run) and the daily allowance;
// the first helpers always have one on each provident scheme.
void WriteCompensation(Builder& b) {
    const dba::Table history = b.db.OpenTable(tables::HISTORINDEM);
    for (std::size_t i = 0; i < std::min(b.helpers.size(), std::size_t{5}); ++i)
        for (const auto& scheme : b.helpers[i].providentSchemes)
            if (!scheme.empty() && !history.Exists(b.helpers[i].code + scheme)) {
                DemoRecord r;
                const long long first = Today() - b.rng.Between(20, 300);
                r.Add(historindem::Dates, DayText(first));
                r.Add(historindem::Dates, DayText(first - b.rng.Between(200, 600)));
                b.Write(tables::HISTORINDEM, b.helpers[i].code + scheme, r);
            }
    const dba::ResultList records = b.db.SelectRecords("SELECT HISTORINDEM", "0 1");
    for (int row = 1; row <= records.DCount(); ++row) {
        DemoRecord r;
        const auto starts = dba::Split(records.Item(row, 2), dba::VM);
        for (std::size_t v = 0; v < starts.size(); ++v) {
            const long long start = Number(starts[v]);
            const bool running = v == 0 && start > Today() - 40;
            r.Add(historindem::Dates, starts[v]);
            r.Add(historindem::DatesFin, running ? std::string() : DayText(start + b.rng.Between(6, 90)));
            r.Add(historindem::IndemniteJournaliere, std::to_string(b.rng.Between(1800, 4200)));
        }
        b.Write(tables::HISTORINDEM, records.Item(row, 1), r);
    }
}

void WriteTelemanagement(Builder& b) {
    std::vector<std::string> entities;
    for (const Entity& e : b.entities) {
        const std::string system =
            b.db.OpenTable(tables::ASSOCIATION).ReadRecord(e.code).Item(association::Telegestion);
        if (system == "ZORVELIA" || system == "06")
            entities.push_back(e.code);
    }
    const dba::ResultList contracts = b.db.SelectRecords("SELECT CONTRAT SANS 8 AND AVEC 65 <> \"O\"",
                                                         "0 1 2 3 " + std::to_string(c::Activites));
    const char* modes[] = {"M", "M", "M", "B", "B", "T"};
    const char* users[] = {"demo", "direction"};
    for (int row = 1; row <= contracts.DCount(); ++row) {
        if (std::find(entities.begin(), entities.end(), contracts.Item(row, 3)) == entities.end())
            continue;
        const std::string helper = contracts.Item(row, 1).substr(0, 5);
        const bool mandate = contracts.Item(row, 2) == c::ConventionParticulierEmployeur;
        const auto activities = dba::Split(contracts.Item(row, 5), dba::VM);
        for (std::size_t a = 0; a < activities.size(); ++a) {
            // Some activities keep the default settings: never set up yet. The
            // first activity of each contract of 00001 is set, but for one helper.
            const long long index = std::stoll(helper) - 50001;
            const bool showcase = index >= 0 && index < static_cast<long long>(ShowcaseHelpers) && a == 0;
            if (activities[a].empty() || index == HelperWithDefaults ||
                (!showcase && ((a > 0 && !b.rng.Percent(60)) || !b.rng.Percent(80))))
                continue;
            const std::string mode = b.rng.Pick(modes);
            DemoRecord r;
            r.Set(paramtelegestion::Pointage, b.rng.Percent(90) ? "1" : "0");
            r.Set(paramtelegestion::Mode, mode);
            r.Set(paramtelegestion::Tolerance, std::to_string(b.rng.Between(1, 3) * 5));
            r.Set(paramtelegestion::Arrondi, b.rng.Pick(std::vector<std::string>{"0", "0", "5", "15"}));
            r.Set(paramtelegestion::Badge, mode == "B"   ? "BDG-" + Padded(b.rng.Below(1000000), 6)
                                           : mode == "T" ? "02 47 " + Padded(b.rng.Below(100), 2) + " " +
                                                               Padded(b.rng.Below(100), 2) + " " +
                                                               Padded(b.rng.Below(100), 2)
                                                         : std::string());
            r.Set(paramtelegestion::DateModif, DayText(Today() - b.rng.Between(3, 400)));
            r.Set(paramtelegestion::Utilisateur, b.rng.Pick(users));
            b.Write(tables::PARAMTELEGESTION,
                    helper + (mandate ? contracts.Item(row, 4) : std::string()) + activities[a], r);
        }
    }
}

} // namespace

void WriteSiblingShowcase(Builder& b) {
    const auto leave = WritePaidLeave(b);
    WritePayrollDetail(b, leave);
    WriteCompensation(b);
    WriteTelemanagement(b);
}

} // namespace data::demo
