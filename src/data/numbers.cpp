#include "data/numbers.h"

#include <charconv>
#include <cmath>
#include <string>

namespace data::numbers {

namespace {

// Rounds the decimal text "digits[.digits]" (no sign) to `decimals` places,
// halves up; returns the integer and fraction digits.
void RoundDecimalText(const std::string& text, int decimals, std::string& intPart, std::string& fracPart) {
    const auto dot = text.find('.');
    intPart = text.substr(0, dot);
    fracPart = dot == std::string::npos ? std::string() : text.substr(dot + 1);
    if (intPart.empty())
        intPart.push_back('0');
    if (static_cast<int>(fracPart.size()) <= decimals) {
        fracPart.append(decimals - fracPart.size(), '0');
        return;
    }
    const bool roundUp = fracPart[decimals] >= '5';
    fracPart.resize(decimals);
    if (!roundUp)
        return;
    // Carry through the fraction, then the integer part.
    std::string all = intPart + fracPart;
    int i = static_cast<int>(all.size()) - 1;
    while (i >= 0 && all[i] == '9') {
        all[i] = '0';
        --i;
    }
    if (i >= 0)
        ++all[i];
    else
        all.insert(all.begin(), '1');
    intPart = all.substr(0, all.size() - decimals);
    fracPart = all.substr(all.size() - decimals);
}

bool AllZero(const std::string& s) {
    return s.find_first_not_of('0') == std::string::npos;
}

} // namespace

QString FormatDecimals(double value, int decimals, const QString& separator) {
    if (!std::isfinite(value))
        return {};
    if (decimals < 0)
        decimals = 0;
    // The shortest fixed text that reads back as `value`: rounding on it
    // gives what the user sees (1.005 is "1.005", so it rounds to 1.01).
    char buffer[400];
    auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::fixed);
    if (ec != std::errc())
        return {};
    std::string intPart, fracPart;
    RoundDecimalText(std::string(buffer, end), decimals, intPart, fracPart);
    const bool negative = value < 0 && !(AllZero(intPart) && AllZero(fracPart));
    QString out = QString::fromStdString((negative ? "-" : "") + intPart);
    if (decimals > 0)
        out += separator + QString::fromStdString(fracPart);
    return out;
}

QString FormatFixed(double value, int integerDigits, int decimals, bool isSigned, const QString& separator) {
    const QString text = FormatDecimals(value, decimals, separator);
    const int width = integerDigits + (decimals > 0 ? 1 + decimals : 0) + (isSigned ? 1 : 0);
    return text.rightJustified(width, QLatin1Char(' '));
}

std::optional<double> ToNumber(const QString& text) {
    const QString t = text.trimmed();
    int digits = 0, separators = 0;
    for (int i = 0; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c >= u'0' && c <= u'9')
            ++digits;
        else if (c == u',' || c == u'.')
            ++separators;
        else if (!(c == u'-' && i == 0))
            return std::nullopt;
    }
    if (digits == 0 || separators > 1)
        return std::nullopt;
    QString normalised = t;
    normalised.replace(u',', u'.');
    bool ok = false;
    const double v = normalised.toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return v;
}

bool CheckNumericEntry(const QString& text) {
    return text.trimmed().isEmpty() || ToNumber(text).has_value();
}

int FilterNumericKey(int ascii, bool allowMinus, const QString& separator, const QString& currentText) {
    if (ascii < 32 || ascii == 127)
        return ascii;
    if (ascii >= '0' && ascii <= '9')
        return ascii;
    const int separatorCode = separator.isEmpty() ? ',' : separator.at(0).unicode();
    if (ascii == ',' || ascii == '.' || ascii == separatorCode) {
        if (currentText.contains(u',') || currentText.contains(u'.') ||
            (!separator.isEmpty() && currentText.contains(separator)))
            return 0;
        return separatorCode;
    }
    if (ascii == '-')
        return allowMinus && !currentText.contains(u'-') ? ascii : 0;
    return 0;
}

} // namespace data::numbers
