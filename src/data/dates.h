#pragma once
// Dates as the database stores them: whole day numbers, day 0 being
// 31/12/1967 (01/01/1968 is 1, 18/05/1995 is 10000, 99999 is 14/10/2241;
// earlier dates are negative). Screens show "dd/mm/yyyy".
#include <QDate>
#include <QString>
#include <optional>

namespace data::dates {

// The day number of a date; nullopt for an invalid date.
std::optional<long long> ToDayNumber(const QDate& date);
QDate FromDayNumber(long long day);

// QDate or "dd/mm/yyyy" text (one- or two-digit day and month, four-digit
// year) -> the day number as text; empty for anything else.
QString DateToInternal(const QDate& date);
QString DateToInternal(const QString& text);

// Day number text (an optionally signed whole number, blanks around
// allowed) -> "dd/mm/yyyy"; empty for empty or invalid text.
QString InternalToDate(const QString& dayNumber);

// A typed date completed to "dd/mm/yyyy". Accepted forms (any of / . - or
// a blank separates the parts):
//   "12/03/2004", "12.03.2004", "1/2/2004"  day, month, four-digit year
//   "12/03/04", "12/3/04"  day, month, two-digit year
//   "12/03"        day and month of the current year
//   "12032004"     ddmmyyyy;  "120304" ddmmyy;  "1203" ddmm of the current year
//   "12"           day of the current month
// A year of 1 or 3 digits, a month above 12 or more than 3 parts is rejected.
// A two-digit year yy is 20yy unless that is more than 20 years after
// `today`, then 19yy (in 2025: "45" is 2045, "46" is 1946).
// A day that does not exist (31/02, 29/02/1900) is rejected. Empty text is
// not a date but is not rejected either (the field is simply empty).
struct Completion {
    QString text;          // the completed date, or the input unchanged when rejected
    bool rejected = false; // true when the input gives no valid date
};
Completion CompleteDate(const QString& typed, const QDate& today);

} // namespace data::dates
