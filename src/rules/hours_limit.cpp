#include "rules/hours_limit.h"

#include "data/contrat_fields.h"
#include "data/dates.h"
#include "data/dictionaries.h"
#include "data/table_fields.h"
#include "data/tables.h"

namespace rules {

namespace {

using data::tables::CONSTANTESPAIE;
using data::tables::CONTRAT;
using data::tables::TPSAIDANTINDISPO;

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

std::string StoredDay(const QString& shown) {
    return data::dates::DateToInternal(shown.trimmed()).toStdString();
}

// The limit text of the constants; nullopt when there are no constants.
std::optional<std::string> LimitText(const dba::Database& db) {
    try {
        const dba::Record constants =
            db.OpenTable(CONSTANTESPAIE).ReadRecord(data::tables::keys::ConstantesPaie);
        return constants.Item(data::constantespaie::PlafondHebdomadaire);
    } catch (const dba::RecordNotFound&) {
        return std::nullopt;
    } catch (const dba::TableNotFound&) {
        return std::nullopt;
    }
}

// The weekly hours of a stored contract from its last entry; nullopt when
// its duration or its period code cannot be read.
std::optional<Hundredths> StoredWeeklyHundredths(const dba::Record& contract) {
    using namespace data::contrat;
    const int n = contract.DCount(DureeTravail);
    if (n == 0)
        return std::nullopt;
    const std::optional<WorkPeriod> period = WorkPeriodFromCode(contract.Item(FrequenceTravail, n));
    const std::optional<Hundredths> duration = ParseStoredHundredths(contract.Item(DureeTravail, n));
    if (!period || !duration)
        return std::nullopt;
    return WeeklyHundredths(*duration, *period);
}

} // namespace

std::string ContractsInForceQuery(const std::string& codeAidant, const std::string& day) {
    return "SSELECT " + std::string(CONTRAT) + " AVEC 0 = " + Quoted(codeAidant + "]") +
           " AND AVEC 8 = \"\" OR >= " + Quoted(day) + " AND AVEC 7 <= " + Quoted(day) +
           " AND AVEC 65 <> \"O\"";
}

std::string RecurringUnavailabilityQuery(const std::string& codeAidant, const std::string& day) {
    return "SSELECT " + std::string(TPSAIDANTINDISPO) + " AVEC 0 = " + Quoted(codeAidant + "]") +
           " AND AVEC 5 = \"O\" AND AVEC " + data::dict::DateDebIndispo + " <= " + Quoted(day) +
           " AND AVEC 1 >= " + Quoted(day) + " OR = \"\"";
}

Hundredths EditedWeeklyHundredths(const QString& dureeWContrat, const QString& freqWContrat) {
    const Hundredths h = ParseTypedHours(dureeWContrat.toStdString()).value_or(0);
    const std::optional<WorkPeriod> period = WorkPeriodFromLabel(freqWContrat.toStdString());
    return period ? WeeklyHundredths(h, *period) : h;
}

HoursLimitResult CheckHoursLimit(const HoursLimitInput& input, const dba::Database& db) {
    HoursLimitResult result;
    const std::string code = input.codeAidant.toStdString();
    const std::string editedKey = code + input.numContrat.toStdString();

    db.Snapshot([&] {
        const std::optional<std::string> limitText = LimitText(db);
        if (!limitText) {
            result.outcome = HoursLimitResult::Outcome::Refuse;
            result.message = QString::fromUtf8(MessageConstantesPaieAbsentes);
            return;
        }
        // An empty limit reads 0: any hours at all then ask, rather than
        // let the total through unchecked.
        result.limit = ParseStoredHundredths(*limitText).value_or(0);

        result.edited = EditedWeeklyHundredths(input.dureeWContrat, input.freqWContrat);

        // The contract on screen is counted from its controls, not from its
        // stored record, which may still hold the hours before this edit.
        const dba::ResultList inForce =
            db.SelectRecords(ContractsInForceQuery(code, StoredDay(input.datEffetContrat)), "0 8");
        const dba::Table contracts = db.OpenTable(CONTRAT);
        Hundredths weekly = 0; // a contract that cannot be read counts as the one before it
        for (int row = 1; row <= inForce.DCount(); ++row) {
            const std::string key = inForce.Item(row, 1);
            if (key.empty())
                break;
            if (key == editedKey)
                continue;
            try {
                if (const std::optional<Hundredths> w = StoredWeeklyHundredths(contracts.ReadRecord(key)))
                    weekly = *w;
            } catch (const dba::RecordNotFound&) {
                // deleted since the selection: counted like an unreadable one
            }
            result.counted.push_back({key, weekly});
            result.otherContracts += weekly;
        }

        const dba::ResultList unavailable =
            db.SelectRecords(RecurringUnavailabilityQuery(code, StoredDay(input.datDebContrat)), "0 2");
        for (int row = 1; row <= unavailable.DCount(); ++row) {
            const std::string key = unavailable.Item(row, 1);
            const std::size_t from = data::tpsaidantindispo::DebutCreneauPosition - 1;
            const std::optional<long long> slotStart = ParseWholeNumber(
                key.size() > from
                    ? std::string_view(key).substr(from, data::tpsaidantindispo::DebutCreneauLongueur)
                    : std::string_view());
            const std::optional<long long> slotEnd = ParseWholeNumber(unavailable.Item(row, 2));
            if (slotStart && slotEnd)
                result.unavailability += *slotEnd - *slotStart;
        }

        result.total = result.edited + result.otherContracts + result.unavailability;
        if (result.total > result.limit) {
            result.outcome = HoursLimitResult::Outcome::Ask;
            result.message = QString::fromUtf8(QuestionHeuresLegalesDepassees);
        }
    });
    return result;
}

} // namespace rules
