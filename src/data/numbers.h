#pragma once
// Numbers as users type and read them: the workstation's decimal
// separator, fixed-width columns for fixed-pitch lists, key filters.
#include <QString>
#include <optional>

namespace data::numbers {

// `value` rounded to `decimals` places, halves away from zero, computed on
// its shortest decimal form (1.005 -> "1.01"), written with `separator`;
// no separator when decimals is 0; never "-0".
QString FormatDecimals(double value, int decimals, const QString& separator);

// Fixed-width text for fixed-pitch columns: the number with `decimals`
// places and `separator`, right-aligned with blanks in a width of
// integerDigits (+ 1 for the separator and decimals when decimals > 0)
// (+ 1 for a sign column when `isSigned`). An unsigned column still shows
// a minus sign rather than lose it, and a number too large for the width
// is written whole (wider) rather than cut. ToNumber reads it back.
QString FormatFixed(double value, int integerDigits, int decimals, bool isSigned, const QString& separator);

// A number typed or formatted: blanks around, optional "-", digits, at most
// one decimal separator ("," or "."), at least one digit; nullopt otherwise.
std::optional<double> ToNumber(const QString& text);

// True for a number in the sense of ToNumber, and for empty or blank text
// (nothing typed is not an error; callers that need a value test emptiness).
bool CheckNumericEntry(const QString& text);

// Key filter of numeric text boxes. Given the typed character code:
//   digits pass; "," or "." becomes the workstation's separator (dropped
//   when `currentText` already holds one); "-" passes only when
//   `allowMinus` (dropped when `currentText` already holds one); control
//   characters (backspace, Enter, Tab, clipboard shortcuts) pass;
//   anything else gives 0 (the key is dropped).
int FilterNumericKey(int ascii, bool allowMinus, const QString& separator, const QString& currentText = {});

} // namespace data::numbers
