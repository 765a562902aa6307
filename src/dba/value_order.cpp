// Numeric-aware comparison of values. Numbers are compared on their decimal
// digits, never through floating point, so that long codes and amounts stay
// exact ("12345678901234567890" and "12345678901234567891" differ).
#include "dba/query.h"

namespace dba {

namespace {

// A number split into sign and significant digits: no leading zeros in the
// whole part, no trailing zeros in the fraction, zero never negative.
struct Decimal {
    bool negative = false;
    std::string_view whole;
    std::string_view fraction;
    bool isZero() const { return whole.empty() && fraction.empty(); }
};

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

Decimal ToDecimal(std::string_view text) {
    Decimal d;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        d.negative = text.front() == '-';
        text.remove_prefix(1);
    }
    std::size_t point = text.find('.');
    std::string_view whole = text.substr(0, point);
    std::string_view fraction = point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    while (!whole.empty() && whole.front() == '0')
        whole.remove_prefix(1);
    while (!fraction.empty() && fraction.back() == '0')
        fraction.remove_suffix(1);
    d.whole = whole;
    d.fraction = fraction;
    if (d.isZero())
        d.negative = false;
    return d;
}

int Sign(int v) {
    return (v > 0) - (v < 0);
}

int CompareBytes(std::string_view a, std::string_view b) {
    return Sign(a.compare(b));
}

int CompareMagnitude(const Decimal& a, const Decimal& b) {
    if (a.whole.size() != b.whole.size())
        return a.whole.size() < b.whole.size() ? -1 : 1;
    if (int c = CompareBytes(a.whole, b.whole))
        return c;
    // Trailing zeros are gone, so digit strings of the fraction order as
    // their values do ("45" < "5" as 0.45 < 0.5).
    return CompareBytes(a.fraction, b.fraction);
}

int CompareNumbers(std::string_view a, std::string_view b) {
    Decimal x = ToDecimal(a), y = ToDecimal(b);
    if (x.negative != y.negative)
        return x.negative ? -1 : 1;
    int c = CompareMagnitude(x, y);
    return x.negative ? -c : c;
}

} // namespace

bool IsNumber(std::string_view text) {
    if (!text.empty() && (text.front() == '-' || text.front() == '+'))
        text.remove_prefix(1);
    bool digit = false, point = false;
    for (char c : text) {
        if (IsDigit(c)) {
            digit = true;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    return digit;
}

int CompareValues(std::string_view a, std::string_view b) {
    // Conditions pass the record's value first and the query's short text
    // second: looking at the short one first spares a pass over a long value.
    if (IsNumber(b) && IsNumber(a))
        return CompareNumbers(a, b);
    return CompareBytes(a, b);
}

int CompareForSort(std::string_view a, std::string_view b) {
    // Classes in order: empty, number, other text.
    auto rank = [](std::string_view v) { return v.empty() ? 0 : IsNumber(v) ? 1 : 2; };
    int ra = rank(a), rb = rank(b);
    if (ra != rb)
        return ra < rb ? -1 : 1;
    if (ra == 1) {
        if (int c = CompareNumbers(a, b))
            return c;
    }
    return CompareBytes(a, b);
}

} // namespace dba
