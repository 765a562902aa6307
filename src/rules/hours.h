#pragma once
// Hour amounts as whole numbers of hundredths of an hour (48,01 h = 4801).
// Every figure of the hours checks is exact: typed texts are read digit by
// digit, never through binary floating point (48.01 * 100 is 4800.999...
// in a double, which would let 48,01 h pass a 48 h limit), and the period
// conversions round in integers.
#include <optional>
#include <string>
#include <string_view>

namespace rules {

using Hundredths = long long;

// Hours as typed: blanks around, optional sign, digits, at most one
// decimal separator ("," or "."), at least one digit. The amount x 100 is
// rounded to the nearest whole hundredth, a tie going to the even one
// ("48,005" -> 4800, "48,015" -> 4802). nullopt for anything else,
// empty text included.
std::optional<Hundredths> ParseTypedHours(std::string_view text);

// A stored amount of hundredths ("4801"). A stored text with decimals is
// rounded to a whole number like a typed one; nullopt when not a number.
std::optional<Hundredths> ParseStoredHundredths(std::string_view text);

// A whole number as key slices and planning slots hold it ("0900", "-3",
// blanks around allowed); nullopt otherwise.
std::optional<long long> ParseWholeNumber(std::string_view text);

// The period a working duration is given for. Stored codes are the values.
enum class WorkPeriod { Hebdo = 1, Quatorzaine = 2, Mensuelle = 3, Annuelle = 4 };

// The captions of the frequency combo box, in list order.
inline constexpr char LibelleHebdo[] = "Hebdo";
inline constexpr char LibelleQuatorzaine[] = "Quatorzaine";
inline constexpr char LibelleMensuelle[] = "Mensuelle";
inline constexpr char LibelleAnnuelle[] = "Annuelle";

// The period of a caption (exact text); nullopt for any other text.
std::optional<WorkPeriod> WorkPeriodFromLabel(std::string_view label);
// The period of a stored code ("1" to "4", read as a whole number);
// nullopt for any other code, empty included.
std::optional<WorkPeriod> WorkPeriodFromCode(std::string_view code);

// Hundredths per week of a duration given per `period`, rounded to the
// nearest hundredth, halves up:
//   Hebdo h;  Quatorzaine floor(h / 2 + 0.5);
//   Mensuelle floor(h x 12 / 52 + 0.5);  Annuelle floor(h / 52 + 0.5).
Hundredths WeeklyHundredths(Hundredths perPeriod, WorkPeriod period);

// "48,01" for 4801 with separator ','; "-0,50" for -50.
std::string FormatHundredths(Hundredths amount, char separator);

} // namespace rules
