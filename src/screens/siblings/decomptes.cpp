#include "screens/siblings/decomptes.h"

#include "data/dates.h"
#include "rules/hours.h"

#include <QLocale>
#include <QRegularExpression>
#include <algorithm>

namespace screens::siblings {

QString TexteDate(const std::string& jour) {
    return data::dates::InternalToDate(QString::fromStdString(jour));
}

QString TexteMois(const std::string& periode) {
    const QDate premier =
        QDate::fromString(QString::fromStdString(periode) + QStringLiteral("01"), QStringLiteral("yyyyMMdd"));
    if (periode.size() != 6 || !premier.isValid())
        return QString::fromStdString(periode);
    return QLocale(QLocale::French, QLocale::France).toString(premier, QStringLiteral("MMMM yyyy"));
}

QString TexteCentiemes(const std::string& stocke) {
    if (stocke.empty())
        return {};
    const auto valeur = rules::ParseStoredHundredths(stocke);
    return QString::fromStdString(valeur ? rules::FormatHundredths(*valeur, ',') : stocke);
}

std::optional<QDate> LireDateDebut(const QString& texte) {
    const QString t = texte.trimmed();
    static const QRegularExpression periode(QStringLiteral("^\\d{6}$"));
    static const QRegularExpression jour(QStringLiteral("^-?\\d{1,5}$"));
    QDate date;
    if (periode.match(t).hasMatch()) {
        date = QDate::fromString(t + QStringLiteral("01"), QStringLiteral("yyyyMMdd"));
    } else if (jour.match(t).hasMatch()) {
        date = data::dates::FromDayNumber(t.toLongLong());
    } else if (const QString j = data::dates::DateToInternal(t); !j.isEmpty()) {
        date = data::dates::FromDayNumber(j.toLongLong());
    }
    return date.isValid() ? std::optional<QDate>(date) : std::nullopt;
}

int JoursOuvrables(const QDate& du, const QDate& au) {
    int jours = 0;
    for (QDate d = du; d.isValid() && au.isValid() && d <= au; d = d.addDays(1))
        if (d.dayOfWeek() != Qt::Sunday)
            ++jours;
    return jours;
}

PeriodeReference PeriodeReferenceDe(const QDate& jour) {
    const int annee = jour.month() >= 6 ? jour.year() : jour.year() - 1;
    return {QDate(annee, 6, 1), QDate(annee + 1, 5, 31)};
}

int JoursIndemnises(const QDate& du, const QDate& au, const QDate& depuis, const QDate& aujourdhui) {
    const QDate debut = depuis.isValid() ? std::max(du, depuis) : du;
    const QDate fin = au.isValid() ? au : aujourdhui;
    return debut.isValid() && fin >= debut ? static_cast<int>(debut.daysTo(fin)) + 1 : 0;
}

} // namespace screens::siblings
