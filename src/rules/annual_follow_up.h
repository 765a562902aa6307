#pragma once
// Annual follow-up of a contract's hours (modulation of working time): one
// row per month ("period") of the contract year, with the contracted,
// absence and actual hours, the difference and the modulation adjustment,
// all in hundredths of an hour. The flat-rate hours, the cumulative
// difference and the balance are derived, never stored.
//
// Every figure is an exact whole number of hundredths: typed texts are read
// digit by digit (rules/hours.h), sums run on integers, and what is written
// back is the integer itself (151,67 h stores "15167", not 15166.99...).
#include "dba/database.h"
#include "rules/hours.h"

#include <QString>
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace rules::suivi {

// --- Periods ---------------------------------------------------------------

// "202601" -> "JANVIER 2026": the French month name upper-cased, a blank,
// the year. Empty for a code that is not "yyyymm" with a month 01..12.
QString PeriodLabel(const std::string& code);
// The inverse of PeriodLabel; empty when `label` is not a period label.
std::string PeriodCode(const QString& label);
// The month after `code` ("202612" -> "202701"); empty for an invalid code.
std::string NextPeriod(const std::string& code);

// What decides which periods may be entered.
struct PeriodChoiceData {
    std::string agreement;        // the contract's collective agreement ("02": entity mode)
    std::string lastCalculated;   // CONTRAT field 63, may be empty
    std::string lastPayPeriod;    // CONTRAT field 81, may be empty
    std::string currentPayPeriod; // PERIODESPAIE "1" field 1
    std::string entityFollowUp;   // ASSOCIATION field 25 (0: the calendar year)
    std::string closingMonth;     // ETABLISSEMENT field 24 ("mm")
};

// The year the follow-up is entered for ("yyyy").
std::string ReferenceYear(const PeriodChoiceData& data);
// The period codes that may be added, in increasing order.
//  - agreement "02", field 25 = 0: January to December of the reference year;
//  - agreement "02", field 25 not 0: December of the year before, then
//    January to November;
//  - any other agreement: from the month after the employer's closing month
//    (of the reference year when the current pay period is past it, else of
//    the year before) up to the month after the current pay period. A
//    missing or invalid closing month is taken as December.
std::vector<std::string> OfferedPeriods(const PeriodChoiceData& data);

// --- Rows ------------------------------------------------------------------

struct Row {
    std::string period; // "yyyymm"
    Hundredths contracted = 0;
    Hundredths absence = 0;
    Hundredths actual = 0;
    Hundredths difference = 0; // signed
    Hundredths adjustment = 0; // modulation adjustment, signed
    Hundredths FlatRate() const { return contracted - absence; }
    bool operator==(const Row&) const = default;
};

// Running totals of one row: cumulative difference K and balance B, summed
// from the first row (K += difference, B += difference - adjustment).
struct Totals {
    Hundredths cumulative = 0;
    Hundredths balance = 0;
    bool operator==(const Totals&) const = default;
};
std::vector<Totals> Accumulate(const std::vector<Row>& rows);

// The fields of CONTRAT holding one contract year.
struct YearFields {
    int period, contracted, absence, actual, difference, adjustment;
    std::array<int, 6> All() const { return {period, contracted, absence, actual, difference, adjustment}; }
};
extern const YearFields CurrentYear;  // 76 77 78 79 80 100 (written)
extern const YearFields PreviousYear; // 71 72 73 74 75 99 (read only)

// The rows of a year, up to the first empty period value. A stored amount
// that is empty or not a number reads as 0.
std::vector<Row> ReadYear(const dba::Record& contract, const YearFields& year);
// Replaces the current year's fields with `rows`, in order.
void WriteCurrentYear(dba::Record& contract, const std::vector<Row>& rows);
// Removes period `index` (from 0) from the current year's fields. The
// following values move up one place, so the fields never hold a hole that
// a later reading would take for the end of the year.
void DeletePeriod(dba::Record& contract, std::size_t index);
// Empties the current year's fields.
void DeleteFollowUp(dba::Record& contract);

// True when the record's current year no longer holds what the screen
// shows: another row count than at the last reading, or a row whose stored
// values differ from the row's.
bool HasChanges(const dba::Record& contract, const std::vector<Row>& rows, std::size_t rowsAtReading);

// The current year's fields as read, to give back on leaving without saving.
struct Snapshot {
    std::array<std::string, 6> fields; // whole field texts, in YearFields order
    std::size_t rows = 0;
};
Snapshot TakeSnapshot(const dba::Record& contract, std::size_t rows);
void Restore(dba::Record& contract, const Snapshot& snapshot);

// --- Adding a period ---------------------------------------------------------

enum class AddRefusal { None, Missing, Duplicate };
inline constexpr char MessageObligatoires[] = "La période ainsi que les heures mensuelles sont obligatoires.";
inline constexpr char MessageExisteDeja[] = "La période saisie existe déjà, veuillez en saisir une autre.";

struct AddResult {
    AddRefusal refusal = AddRefusal::None;
    std::size_t index = 0; // where the row went
};
// Inserts the period chosen (`label`) with the contracted hours typed:
// absence 0, actual hours = contracted hours (so difference 0), the
// adjustment as typed (empty: 0). Refused, rows unchanged, when the label
// or the hours are empty (Missing) or a row has that period (Duplicate).
// The row goes before the first later period.
AddResult AddPeriod(std::vector<Row>& rows, const QString& label, const QString& contractedText,
                    const QString& adjustmentText);
std::size_t InsertionIndex(const std::vector<Row>& rows, const std::string& period);

// --- Numbers as shown and typed ----------------------------------------------

// A column text: 2 decimals with `separator`, right-aligned in 4 integer
// digits (one more column for the sign when `isSigned`), like
// UtilityServices::FormatFixed(value, 4, 2, isSigned), but exact.
QString FormatHours(Hundredths amount, bool isSigned, const QString& separator);
// A typed or shown amount; nullopt when blank or not a number.
std::optional<Hundredths> ReadHours(const QString& text);
// The amount of a box: blank or not a number (a lone "-" or separator) is 0.
Hundredths HoursOrZero(const QString& text);

// Key filter of the signed boxes: digits and the separator as
// data::numbers::FilterNumericKey lets them through; a minus only as the
// first character (cursor or selection at 0) and only once; nothing typed in
// front of a leading minus unless text is selected. Returns the character
// to insert, or 0 to drop it.
int FilterSignedKey(int ascii, const QString& text, int cursor, int selectionStart, int selectionLength,
                    const QString& separator);

} // namespace rules::suivi
