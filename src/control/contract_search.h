#pragma once
// The browser's search as plain rules: the query text for the chosen
// validity and order, and the lines shown for its result.
#include "dba/result_list.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace control {

enum class Validity { Historiques, Actifs, Tous };
enum class SortOrder { Aidant, AncienneteCroissante, AncienneteDecroissante };

// The output fields of the search: key, start, end, type.
inline constexpr char SearchFields[] = "0 7 8 4";

// Day number of the first day of a pay period "yyyymm" (0 when the period
// is not of that form, which selects like a period long past).
long long PeriodStartDay(const std::string& period);

// The query text of the search for beneficiary `code`. `today` and
// `periodStart` are day numbers.
std::string BuildSearchQuery(const std::string& code, Validity validity, SortOrder order, long long today,
                             long long periodStart);

// One line of the five lists.
struct ContractLine {
    QString key, start, end, type, helper;
};

// What the search needs to know of a helper: nullopt when the helper has
// no record.
struct HelperInfo {
    QString name, firstName, entity;
};
using HelperLookup = std::function<std::optional<HelperInfo>(const std::string& helperCode)>;
// Whether the user may see the helpers of an entity (Null counts as no).
using EntityFilter = std::function<bool(const std::string& entity)>;
// The entity of a contract, used for a contract whose helper is missing.
using ContractEntity = std::function<std::string(const std::string& contractKey)>;

// The caption shown in place of the name of a helper without a record: the
// contract stays visible (it is payroll data) and the gap is plain to see.
QString MissingHelperCaption(const QString& helperCode);

// The lines for the rows of `result`, in order, for rows while column 1 is
// not empty; rows whose helper's entity the user may not see get no line.
// A contract whose helper has no record is authorised on the contract's
// own entity and shown with MissingHelperCaption.
std::vector<ContractLine> BuildContractLines(const dba::ResultList& result, const HelperLookup& helper,
                                             const EntityFilter& authorised, const ContractEntity& entityOf);

// The scroll bar of the lists: maximum = lines - 1, shown from 16 lines.
inline int ScrollMaximum(int lines) {
    return lines > 0 ? lines - 1 : 0;
}
inline bool ScrollBarVisible(int lines) {
    return ScrollMaximum(lines) >= 15;
}

} // namespace control
