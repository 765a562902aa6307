#include "rules/start_date_change.h"

#include "data/dates.h"

#include <optional>

namespace rules {

namespace {

// "yyyymm" of a day number.
std::string PeriodeDuJour(long long day) {
    const QDate date = data::dates::FromDayNumber(day);
    return QString::asprintf("%04d%02d", date.year(), date.month()).toStdString();
}

} // namespace

QString VerifChangementDebut(const StartDateChangeInput& input) {
    if (input.newStart == input.savedStart)
        return {};
    const QString calculated = QString::fromUtf8(MessageBulletinCalcule);

    if (!input.calculatedPeriod.empty()) {
        // Paid from its first month on: the start is part of what was paid.
        bool ok = false;
        const long long saved = input.savedStart.trimmed().toLongLong(&ok);
        const std::string started = ok ? PeriodeDuJour(saved) : std::string();
        return input.calculatedPeriod >= started ? calculated : QString();
    }

    const std::string period = input.currentPeriod ? input.currentPeriod() : std::string();
    const QDate first(QString::fromStdString(period.substr(0, 4)).toInt(),
                      period.size() >= 6 ? QString::fromStdString(period.substr(4, 2)).toInt() : 0, 1);
    const std::optional<long long> firstDay = data::dates::ToDayNumber(first);
    if (!firstDay)
        // Without the current pay period nothing tells whether payroll used
        // the date: the move is refused rather than let through unchecked.
        return QString::fromUtf8(MessagePeriodeIllisible);
    bool ok = false;
    const long long start = input.newStart.trimmed().toLongLong(&ok);
    if (!ok || start < *firstDay)
        return QString::fromUtf8(MessageDebutAvantPeriode) + first.toString(QStringLiteral("dd/MM/yyyy")) +
               QLatin1Char('.');
    for (const long long day : {*firstDay, *firstDay + 32})
        if (input.calculationExists && input.calculationExists(input.contractKey + PeriodeDuJour(day)))
            return calculated;
    return {};
}

} // namespace rules
