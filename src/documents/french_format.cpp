#include "documents/french_format.h"

#include "data/dates.h"

#include <QStringList>
#include <cstdlib>

namespace documents {

namespace {

const QChar EspaceInsecable(0x00A0);

QString Grouper(const QString& digits) {
    QString grouped;
    const int n = static_cast<int>(digits.size());
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            grouped += EspaceInsecable;
        grouped += digits[i];
    }
    return grouped;
}

} // namespace

std::optional<long long> LireEntierStocke(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && text.front() == '-') {
        negative = true;
        text.remove_prefix(1);
    }
    if (text.empty() || text.size() > 17)
        return std::nullopt;
    long long value = 0;
    for (char ch : text) {
        if (ch < '0' || ch > '9')
            return std::nullopt;
        value = value * 10 + (ch - '0');
    }
    return negative ? -value : value;
}

QString FormatDecimal(long long value, int decimals, int minDecimals) {
    const bool negative = value < 0;
    const unsigned long long magnitude =
        negative ? 0ULL - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
    QString digits = QString::number(magnitude);
    if (digits.size() <= decimals)
        digits = QString(decimals - digits.size() + 1, QLatin1Char('0')) + digits;
    QString whole = digits.left(digits.size() - decimals);
    QString fraction = digits.right(decimals);
    while (fraction.size() > minDecimals && fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);
    QString text = Grouper(whole);
    if (!fraction.isEmpty())
        text += QLatin1Char(',') + fraction;
    return negative && magnitude != 0 ? QLatin1Char('-') + text : text;
}

QString FormatTauxHoraire(long long thousandths) {
    return FormatDecimal(thousandths, 3, 2) + EspaceInsecable + QChar(0x20AC);
}

QString FormatHeures(long long hundredths) {
    // Whole hours alone, otherwise both decimals: "20 heures", "25,50 heures".
    const QString figure = FormatDecimal(hundredths, 2, hundredths % 100 == 0 ? 0 : 2);
    // French takes the singular below two.
    const bool singulier = hundredths > -200 && hundredths < 200;
    return figure + QStringLiteral(" heure") + (singulier ? QString() : QStringLiteral("s"));
}

QString FormatDateLongue(const QDate& date) {
    static const char* const mois[] = {"janvier", "février", "mars",      "avril",   "mai",      "juin",
                                       "juillet", "août",    "septembre", "octobre", "novembre", "décembre"};
    if (!date.isValid())
        return {};
    const QString jour = date.day() == 1 ? QStringLiteral("1er") : QString::number(date.day());
    return jour + QLatin1Char(' ') + QString::fromUtf8(mois[date.month() - 1]) + QLatin1Char(' ') +
           QString::number(date.year());
}

QString FormatDateCourte(const QDate& date) {
    return date.isValid() ? date.toString(QStringLiteral("dd/MM/yyyy")) : QString();
}

QString DateLongueStockee(const std::string& dayNumber) {
    const std::optional<long long> day = LireEntierStocke(dayNumber);
    if (!day)
        return {};
    return FormatDateLongue(data::dates::FromDayNumber(*day));
}

} // namespace documents
