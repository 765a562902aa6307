#include "rules/pay_entry_amounts.h"

#include <algorithm>
#include <limits>

namespace rules {

namespace {

constexpr Scaled Pow10(int n) {
    Scaled p = 1;
    for (int i = 0; i < n; ++i)
        p *= 10;
    return p;
}

// n / d rounded half away from zero (d > 0).
__int128 DivideRounded(__int128 n, __int128 d) {
    const __int128 magnitude = (n < 0 ? -n : n);
    const __int128 q = (magnitude + d / 2) / d;
    return n < 0 ? -q : q;
}

std::optional<Scaled> Narrow(__int128 v) {
    if (v > std::numeric_limits<Scaled>::max() || v < std::numeric_limits<Scaled>::min())
        return std::nullopt;
    return static_cast<Scaled>(v);
}

} // namespace

std::optional<Scaled> ParseScaled(std::string_view text, int decimals) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    __int128 whole = 0;
    int digits = 0, fractionDigits = 0;
    bool separator = false, roundUp = false;
    for (char c : text) {
        if (c == ',' || c == '.') {
            if (separator)
                return std::nullopt;
            separator = true;
        } else if (c >= '0' && c <= '9') {
            ++digits;
            if (!separator || fractionDigits < decimals) {
                whole = whole * 10 + (c - '0');
                if (separator)
                    ++fractionDigits;
                if (whole > std::numeric_limits<Scaled>::max())
                    return std::nullopt;
            } else if (fractionDigits == decimals) {
                // The first digit dropped decides the rounding.
                roundUp = c >= '5';
                ++fractionDigits;
            }
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0)
        return std::nullopt;
    for (int i = std::min(fractionDigits, decimals); i < decimals; ++i)
        whole *= 10;
    if (roundUp)
        ++whole;
    return Narrow(negative ? -whole : whole);
}

Scaled StoredScaled(std::string_view text) {
    return ParseScaled(text, 0).value_or(0);
}

Scaled AmountFromBaseAndRate(Scaled baseHundredths, Scaled rateTenThousandths) {
    // Hundredths x ten-thousandths = millionths; the amount is in hundredths.
    const __int128 product = static_cast<__int128>(baseHundredths) * rateTenThousandths;
    const __int128 amount = DivideRounded(product, Pow10(RateDecimals));
    if (amount > std::numeric_limits<Scaled>::max())
        return std::numeric_limits<Scaled>::max();
    if (amount < std::numeric_limits<Scaled>::min())
        return std::numeric_limits<Scaled>::min();
    return static_cast<Scaled>(amount);
}

long long WholeBaseEntry(Scaled baseHundredths) {
    return baseHundredths / Pow10(BaseDecimals);
}

Scaled BaseFromPercentage(std::string_view percentage, long long lastBaseEntry) {
    constexpr int PercentDecimals = 4;
    const Scaled percent = ParseScaled(percentage, PercentDecimals).value_or(0);
    // percent / 10^4 / 100 x last, in hundredths: percent x last / 10^4.
    const __int128 base =
        DivideRounded(static_cast<__int128>(percent) * lastBaseEntry, Pow10(PercentDecimals));
    return Narrow(base).value_or(0);
}

} // namespace rules
