#include "rules/annual_follow_up.h"

#include "data/contrat_fields.h"
#include "data/numbers.h"

#include <QDate>
#include <QLocale>
#include <algorithm>

namespace rules::suivi {

namespace s = data::contrat::suivi;

const YearFields CurrentYear{s::Periode,       s::HeuresContrat, s::HeuresAbsence,
                             s::HeuresReelles, s::Difference,    s::RegulModulation};
const YearFields PreviousYear{s::PrecPeriode,       s::PrecHeuresContrat, s::PrecHeuresAbsence,
                              s::PrecHeuresReelles, s::PrecDifference,    s::PrecRegulModulation};

namespace {

// Labels are French whatever the system locale: the whole screen is.
const QLocale& French() {
    static const QLocale locale(QLocale::French, QLocale::France);
    return locale;
}

// "yyyymm" as the number yyyy * 100 + mm; nullopt unless six digits with a
// month 01..12.
std::optional<int> PeriodNumber(const std::string& code) {
    if (code.size() != 6 ||
        !std::all_of(code.begin(), code.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    const int n = std::stoi(code);
    if (n % 100 < 1 || n % 100 > 12)
        return std::nullopt;
    return n;
}

int Following(int period) {
    return period % 100 == 12 ? (period / 100 + 1) * 100 + 1 : period + 1;
}

std::string Code(int period) {
    std::string text = std::to_string(period);
    return std::string(6 - std::min<std::size_t>(6, text.size()), '0') + text;
}

// A stored amount; empty reads as 0 (old records may lack a column).
std::optional<Hundredths> Stored(const std::string& text) {
    if (text.find_first_not_of(' ') == std::string::npos)
        return 0;
    return ParseStoredHundredths(text);
}

} // namespace

QString PeriodLabel(const std::string& code) {
    const auto n = PeriodNumber(code);
    if (!n)
        return {};
    const QDate first(*n / 100, *n % 100, 1);
    return French().toString(first, QStringLiteral("MMMM yyyy")).toUpper();
}

std::string PeriodCode(const QString& label) {
    const QStringList parts = label.simplified().split(QLatin1Char(' '));
    if (parts.size() != 2 || parts[1].size() != 4)
        return {};
    bool ok = false;
    const int year = parts[1].toInt(&ok);
    if (!ok || year < 1)
        return {};
    for (int month = 1; month <= 12; ++month)
        if (French().monthName(month, QLocale::LongFormat).toUpper() == parts[0].toUpper())
            return Code(year * 100 + month);
    return {};
}

std::string NextPeriod(const std::string& code) {
    const auto n = PeriodNumber(code);
    return n ? Code(Following(*n)) : std::string();
}

std::string ReferenceYear(const PeriodChoiceData& d) {
    const std::string currentYear = d.currentPayPeriod.substr(0, 4);
    if (d.lastCalculated.empty())
        return d.lastPayPeriod.empty() ? currentYear : d.lastPayPeriod.substr(0, 4);
    if (d.lastCalculated.size() > 4 && d.lastCalculated.substr(4) == "12") {
        const auto year = ParseWholeNumber(d.lastCalculated.substr(0, 4));
        return year ? std::to_string(*year + 1) : currentYear;
    }
    return currentYear;
}

std::vector<std::string> OfferedPeriods(const PeriodChoiceData& d) {
    const auto year = ParseWholeNumber(ReferenceYear(d));
    if (!year || *year < 1 || *year > 9998)
        return {};
    const int y = static_cast<int>(*year);
    std::vector<std::string> offered;
    if (d.agreement == data::contrat::ConventionParticulierEmployeur) {
        if (ParseWholeNumber(d.entityFollowUp).value_or(0) == 0) {
            for (int m = 1; m <= 12; ++m)
                offered.push_back(Code(y * 100 + m));
        } else {
            offered.push_back(Code((y - 1) * 100 + 12));
            for (int m = 1; m <= 11; ++m)
                offered.push_back(Code(y * 100 + m));
        }
        return offered;
    }
    const auto current = PeriodNumber(d.currentPayPeriod);
    if (!current)
        return {};
    auto month = ParseWholeNumber(d.closingMonth);
    if (!month || *month < 1 || *month > 12)
        month = 12;
    const int closing = y * 100 + static_cast<int>(*month);
    const int first = *current > closing ? Following(closing) : Following(closing - 100);
    const int last = Following(*current);
    for (int p = first; p <= last; p = Following(p))
        offered.push_back(Code(p));
    return offered;
}

std::vector<Totals> Accumulate(const std::vector<Row>& rows) {
    std::vector<Totals> totals;
    totals.reserve(rows.size());
    Totals t;
    for (const Row& r : rows) {
        t.cumulative += r.difference;
        t.balance += r.difference - r.adjustment;
        totals.push_back(t);
    }
    return totals;
}

std::vector<Row> ReadYear(const dba::Record& contract, const YearFields& year) {
    std::vector<Row> rows;
    const int count = contract.DCount(year.period);
    for (int n = 1; n <= count; ++n) {
        Row r;
        r.period = contract.Item(year.period, n);
        if (r.period.empty())
            break;
        const auto amount = [&](int field) { return Stored(contract.Item(field, n)).value_or(0); };
        r.contracted = amount(year.contracted);
        r.absence = amount(year.absence);
        r.actual = amount(year.actual);
        r.difference = amount(year.difference);
        r.adjustment = amount(year.adjustment);
        rows.push_back(std::move(r));
    }
    return rows;
}

void WriteCurrentYear(dba::Record& contract, const std::vector<Row>& rows) {
    const YearFields& y = CurrentYear;
    DeleteFollowUp(contract);
    int n = 1;
    for (const Row& r : rows) {
        contract.SetItem(y.period, n, r.period);
        contract.SetItem(y.contracted, n, std::to_string(r.contracted));
        contract.SetItem(y.absence, n, std::to_string(r.absence));
        contract.SetItem(y.actual, n, std::to_string(r.actual));
        contract.SetItem(y.difference, n, std::to_string(r.difference));
        contract.SetItem(y.adjustment, n, std::to_string(r.adjustment));
        ++n;
    }
}

void DeletePeriod(dba::Record& contract, std::size_t index) {
    const int value = static_cast<int>(index) + 1;
    for (int field : CurrentYear.All())
        if (contract.DCount(field) >= value)
            contract.Delete(field, value);
}

void DeleteFollowUp(dba::Record& contract) {
    for (int field : CurrentYear.All())
        contract.SetItem(field, std::string());
}

bool HasChanges(const dba::Record& contract, const std::vector<Row>& rows, std::size_t rowsAtReading) {
    if (rows.size() != rowsAtReading)
        return true;
    const YearFields& y = CurrentYear;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int n = static_cast<int>(i) + 1;
        const Row& r = rows[i];
        if (contract.Item(y.period, n) != r.period)
            return true;
        const std::pair<int, Hundredths> amounts[] = {{y.contracted, r.contracted},
                                                      {y.absence, r.absence},
                                                      {y.actual, r.actual},
                                                      {y.difference, r.difference},
                                                      {y.adjustment, r.adjustment}};
        for (const auto& [field, amount] : amounts)
            if (Stored(contract.Item(field, n)) != amount)
                return true;
    }
    return false;
}

Snapshot TakeSnapshot(const dba::Record& contract, std::size_t rows) {
    Snapshot snapshot;
    const auto fields = CurrentYear.All();
    for (std::size_t i = 0; i < fields.size(); ++i)
        snapshot.fields[i] = contract.Item(fields[i]);
    snapshot.rows = rows;
    return snapshot;
}

void Restore(dba::Record& contract, const Snapshot& snapshot) {
    const auto fields = CurrentYear.All();
    for (std::size_t i = 0; i < fields.size(); ++i)
        contract.SetItem(fields[i], snapshot.fields[i]);
}

std::size_t InsertionIndex(const std::vector<Row>& rows, const std::string& period) {
    const auto later =
        std::find_if(rows.begin(), rows.end(), [&](const Row& r) { return r.period > period; });
    return static_cast<std::size_t>(later - rows.begin());
}

AddResult AddPeriod(std::vector<Row>& rows, const QString& label, const QString& contractedText,
                    const QString& adjustmentText) {
    const std::string code = PeriodCode(label);
    if (code.empty() || contractedText.trimmed().isEmpty())
        return {AddRefusal::Missing, 0};
    if (std::any_of(rows.begin(), rows.end(), [&](const Row& r) { return r.period == code; }))
        return {AddRefusal::Duplicate, 0};
    Row r;
    r.period = code;
    r.contracted = HoursOrZero(contractedText);
    r.actual = r.contracted;
    r.adjustment = HoursOrZero(adjustmentText);
    const std::size_t index = InsertionIndex(rows, code);
    rows.insert(rows.begin() + static_cast<std::ptrdiff_t>(index), r);
    return {AddRefusal::None, index};
}

QString FormatHours(Hundredths amount, bool isSigned, const QString& separator) {
    const char sep = separator.isEmpty() ? ',' : separator.at(0).toLatin1();
    const int width = 4 + 1 + 2 + (isSigned ? 1 : 0);
    return QString::fromStdString(FormatHundredths(amount, sep ? sep : ','))
        .rightJustified(width, QLatin1Char(' '));
}

std::optional<Hundredths> ReadHours(const QString& text) {
    if (text.trimmed().isEmpty())
        return std::nullopt;
    return ParseTypedHours(text.toStdString());
}

Hundredths HoursOrZero(const QString& text) {
    return ReadHours(text).value_or(0);
}

int FilterSignedKey(int ascii, const QString& text, int cursor, int selectionStart, int selectionLength,
                    const QString& separator) {
    if (ascii < 32 || ascii == 127)
        return ascii;
    const bool selection = selectionLength > 0 && selectionStart >= 0;
    const int at = selection ? selectionStart : cursor;
    if (!selection && at == 0 && text.startsWith(QLatin1Char('-')))
        return 0;
    if (ascii == '-') {
        const QString kept = selection ? QString(text).remove(selectionStart, selectionLength) : text;
        return at == 0 && !kept.contains(QLatin1Char('-')) ? ascii : 0;
    }
    return data::numbers::FilterNumericKey(ascii, false, separator, text);
}

} // namespace rules::suivi
