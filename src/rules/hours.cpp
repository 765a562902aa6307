#include "rules/hours.h"

#include <algorithm>

namespace rules {

namespace {

// Far beyond any duration, and small enough that x 24 + 52 stays in range.
constexpr int MaxIntegerDigits = 15;

std::string_view TrimBlanks(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// floor(a / b) for b > 0, whatever the sign of a.
long long FloorDiv(long long a, long long b) {
    long long q = a / b;
    if (a % b != 0 && a < 0)
        --q;
    return q;
}

// The number in `text` x 10^decimals, rounded half to even on the digits
// themselves.
std::optional<long long> ParseScaled(std::string_view text, int decimals, bool allowSeparator) {
    text = TrimBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    long long scaled = 0;
    int integerDigits = 0, fractionDigits = 0;
    int firstDropped = -1;     // the first digit beyond `decimals`, -1 when none
    bool nonZeroAfter = false; // any non-zero digit after that one
    bool separatorSeen = false, anyDigit = false;
    for (char c : text) {
        if (c == ',' || c == '.') {
            if (!allowSeparator || separatorSeen)
                return std::nullopt;
            separatorSeen = true;
            continue;
        }
        if (!IsDigit(c))
            return std::nullopt;
        const int digit = c - '0';
        anyDigit = true;
        if (!separatorSeen) {
            if (integerDigits > 0 || digit != 0)
                ++integerDigits;
            if (integerDigits > MaxIntegerDigits)
                return std::nullopt;
            scaled = scaled * 10 + digit;
        } else if (fractionDigits < decimals) {
            scaled = scaled * 10 + digit;
            ++fractionDigits;
        } else if (firstDropped < 0) {
            firstDropped = digit;
            ++fractionDigits;
        } else {
            nonZeroAfter = nonZeroAfter || digit != 0;
            ++fractionDigits;
        }
    }
    if (!anyDigit)
        return std::nullopt;
    for (int i = std::min(fractionDigits, decimals); i < decimals; ++i)
        scaled *= 10;
    if (firstDropped > 5 || (firstDropped == 5 && (nonZeroAfter || scaled % 2 != 0)))
        ++scaled;
    return negative ? -scaled : scaled;
}

} // namespace

std::optional<Hundredths> ParseTypedHours(std::string_view text) {
    return ParseScaled(text, 2, true);
}

std::optional<Hundredths> ParseStoredHundredths(std::string_view text) {
    return ParseScaled(text, 0, true);
}

std::optional<long long> ParseWholeNumber(std::string_view text) {
    return ParseScaled(text, 0, false);
}

std::optional<WorkPeriod> WorkPeriodFromLabel(std::string_view label) {
    if (label == LibelleHebdo)
        return WorkPeriod::Hebdo;
    if (label == LibelleQuatorzaine)
        return WorkPeriod::Quatorzaine;
    if (label == LibelleMensuelle)
        return WorkPeriod::Mensuelle;
    if (label == LibelleAnnuelle)
        return WorkPeriod::Annuelle;
    return std::nullopt;
}

std::optional<WorkPeriod> WorkPeriodFromCode(std::string_view code) {
    const std::optional<long long> n = ParseWholeNumber(code);
    if (!n || *n < 1 || *n > 4)
        return std::nullopt;
    return static_cast<WorkPeriod>(*n);
}

Hundredths WeeklyHundredths(Hundredths h, WorkPeriod period) {
    // floor(a / b + 1/2) = floor((2a + b) / 2b)
    switch (period) {
    case WorkPeriod::Hebdo:
        return h;
    case WorkPeriod::Quatorzaine:
        return FloorDiv(h + 1, 2);
    case WorkPeriod::Mensuelle:
        return FloorDiv(24 * h + 52, 104);
    case WorkPeriod::Annuelle:
        return FloorDiv(2 * h + 52, 104);
    }
    return h;
}

std::string FormatHundredths(Hundredths amount, char separator) {
    const unsigned long long magnitude =
        amount < 0 ? 0ULL - static_cast<unsigned long long>(amount) : static_cast<unsigned long long>(amount);
    const unsigned long long cents = magnitude % 100;
    std::string text = amount < 0 ? "-" : "";
    text += std::to_string(magnitude / 100);
    text += separator;
    text += static_cast<char>('0' + cents / 10);
    text += static_cast<char>('0' + cents % 10);
    return text;
}

} // namespace rules
