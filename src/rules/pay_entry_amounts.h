#pragma once
// Exact figures of pay-entry items: base and amount in hundredths, rate in
// ten-thousandths, read from text digit by digit and computed on scaled
// integers, never through binary floating point. No Qt here, so the demo
// generator computes its amounts with the same rule as the screen.
#include <optional>
#include <string_view>

namespace rules {

using Scaled = long long; // a decimal number times 10^decimals

inline constexpr int BaseDecimals = 2;   // stored x 100
inline constexpr int RateDecimals = 4;   // stored x 10000
inline constexpr int AmountDecimals = 2; // stored x 100

// A number typed or listed ("151,67", " -12.5", "  1457,55", "7"): blanks
// around, optional sign, digits, at most one decimal separator ("," or
// "."), at least one digit. Digits beyond `decimals` are rounded half away
// from zero. nullopt for anything else, empty text included, and for a
// number too large to hold.
std::optional<Scaled> ParseScaled(std::string_view text, int decimals);

// A stored figure (field 90, 91 or 92 of a contract, field 9 or 11 of the
// catalogue): a whole number of hundredths or ten-thousandths. Empty or
// unreadable text counts as 0, as the payroll reads it.
Scaled StoredScaled(std::string_view text);

// Amount of an item computed from its base and rate (amount mode 2):
// base x rate rounded half up to the hundredth. A negative product (a
// deduction) rounds its size the same way, so it is exactly the opposite
// of the matching positive line.
Scaled AmountFromBaseAndRate(Scaled baseHundredths, Scaled rateTenThousandths);

// The whole-number value kept as the last base entry when the user leaves
// the base box: the integer part of the base typed.
long long WholeBaseEntry(Scaled baseHundredths);

// Base mode 1: `percentage` (field 7 of the catalogue, a number, empty
// read as 0) of the last base entry, in hundredths rounded half up.
Scaled BaseFromPercentage(std::string_view percentage, long long lastBaseEntry);

} // namespace rules
