#pragma once
// Dates and figures the read-only sibling views show, as plain functions:
// stored day numbers and pay periods made readable, paid-leave days
// counted the French way (working days: every day but Sunday), and the
// compensated days of a work stoppage. Amounts stay whole hundredths.
#include <QDate>
#include <QString>
#include <optional>
#include <string>

namespace screens::siblings {

// "dd/mm/yyyy" of a stored day number; empty for empty or invalid text.
QString TexteDate(const std::string& jour);
// "novembre 2026" of "202611"; the text itself when it is no period.
QString TexteMois(const std::string& periode);
// "12,50" of a stored amount x 100 ("1250"); empty stays empty, and a
// text that is no number is shown as stored.
QString TexteCentiemes(const std::string& stocke);

// A start date as the opening screens hand it: a pay period "yyyymm" (its
// first day), a day number, or "dd/mm/yyyy". nullopt for anything else.
std::optional<QDate> LireDateDebut(const QString& texte);

// Days from `du` to `au` inclusive that are not Sundays (0 when au < du).
int JoursOuvrables(const QDate& du, const QDate& au);

// The paid-leave year that holds `jour`: 1 June to 31 May.
struct PeriodeReference {
    QDate debut, fin;
};
PeriodeReference PeriodeReferenceDe(const QDate& jour);

// Calendar days of [du, au] (au invalid: still running, counted to
// `aujourdhui`) from `depuis` on; an invalid `depuis` counts them all.
int JoursIndemnises(const QDate& du, const QDate& au, const QDate& depuis, const QDate& aujourdhui);

} // namespace screens::siblings
