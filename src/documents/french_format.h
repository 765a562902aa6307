#pragma once
// Figures and dates as a French contract writes them. Stored figures are
// scaled whole numbers (hours x 100, rates x 1000): they are written from
// their digits, never through binary floating point.
#include <QDate>
#include <QString>
#include <optional>
#include <string_view>

namespace documents {

// A stored scaled figure ("11500" with 3 decimals); nullopt when the text
// is not a whole number (blanks around allowed, optional minus sign).
std::optional<long long> LireEntierStocke(std::string_view text);

// `value` / 10^decimals written with a comma, thousands grouped by a
// non-breaking space, and at least `minDecimals` decimals: trailing zeros
// beyond them are dropped (11500 with 3 decimals and minDecimals 2 gives
// "11,50"; 1234567 with 2 gives "12 345,67"; 2000 with 2 and 0 gives "20").
QString FormatDecimal(long long value, int decimals, int minDecimals);

// "11,50 €" for an hourly rate stored x 1000 (a third decimal is kept when
// it is not zero: "11,505 €").
QString FormatTauxHoraire(long long thousandths);
// "20 heures", "1 heure", "25,50 heures" for hours stored x 100.
QString FormatHeures(long long hundredths);

// "1er mars 2020", "15 décembre 2026".
QString FormatDateLongue(const QDate& date);
// "01/03/2020".
QString FormatDateCourte(const QDate& date);
// A stored day number as a long date; empty for empty or invalid text.
QString DateLongueStockee(const std::string& dayNumber);

} // namespace documents
