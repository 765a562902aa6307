#include "data/dates.h"

#include <QRegularExpression>
#include <QStringList>

namespace data::dates {

namespace {

const qint64 DayZero = QDate(1967, 12, 31).toJulianDay();

QString FormatDate(const QDate& d) {
    return QString::asprintf("%02d/%02d/%04d", d.day(), d.month(), d.year());
}

bool AllDigits(const QString& s) {
    if (s.isEmpty())
        return false;
    for (QChar c : s)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}

// A two-digit year in the hundred years that end 20 years after today.
int ExpandYear(int yy, const QDate& today) {
    int year = 2000 + yy;
    if (year > today.year() + 20)
        year -= 100;
    return year;
}

Completion Reject(const QString& typed) {
    return {typed, true};
}

} // namespace

std::optional<long long> ToDayNumber(const QDate& date) {
    if (!date.isValid())
        return std::nullopt;
    return date.toJulianDay() - DayZero;
}

QDate FromDayNumber(long long day) {
    return QDate::fromJulianDay(DayZero + day);
}

QString DateToInternal(const QDate& date) {
    auto day = ToDayNumber(date);
    return day ? QString::number(*day) : QString();
}

QString DateToInternal(const QString& text) {
    static const QRegularExpression form(QStringLiteral("^\\s*(\\d{1,2})/(\\d{1,2})/(\\d{4})\\s*$"));
    auto m = form.match(text);
    if (!m.hasMatch())
        return {};
    return DateToInternal(QDate(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt()));
}

QString InternalToDate(const QString& dayNumber) {
    static const QRegularExpression form(QStringLiteral("^\\s*([+-]?\\d{1,9})\\s*$"));
    auto m = form.match(dayNumber);
    if (!m.hasMatch())
        return {};
    QDate d = FromDayNumber(m.captured(1).toLongLong());
    if (!d.isValid() || d.year() < 1 || d.year() > 9999)
        return {};
    return FormatDate(d);
}

Completion CompleteDate(const QString& typed, const QDate& todayGiven) {
    const QDate today = todayGiven.isValid() ? todayGiven : QDate::currentDate();
    const QString t = typed.trimmed();
    if (t.isEmpty())
        return {QString(), false};

    static const QRegularExpression separators(QStringLiteral("[/.\\- ]+"));
    QStringList parts = t.split(separators, Qt::SkipEmptyParts);
    for (const QString& p : parts)
        if (!AllDigits(p))
            return Reject(typed);

    QString day, month, year;
    if (parts.size() == 1) {
        const QString& digits = parts[0];
        switch (digits.size()) {
        case 1:
        case 2:
            day = digits;
            break;
        case 4:
            day = digits.mid(0, 2);
            month = digits.mid(2, 2);
            break;
        case 6:
        case 8:
            day = digits.mid(0, 2);
            month = digits.mid(2, 2);
            year = digits.mid(4);
            break;
        default:
            return Reject(typed);
        }
    } else if (parts.size() == 2 || parts.size() == 3) {
        day = parts[0];
        month = parts[1];
        if (parts.size() == 3)
            year = parts[2];
    } else {
        return Reject(typed);
    }

    if (day.size() > 2 || month.size() > 2)
        return Reject(typed);
    int y = today.year();
    if (!year.isEmpty()) {
        if (year.size() == 2)
            y = ExpandYear(year.toInt(), today);
        else if (year.size() == 4)
            y = year.toInt();
        else
            return Reject(typed);
    }
    const int m = month.isEmpty() ? today.month() : month.toInt();
    const QDate result(y, m, day.toInt());
    if (!result.isValid() || y < 1)
        return Reject(typed);
    return {FormatDate(result), false};
}

} // namespace data::dates
