#include "rules/end_of_contract.h"

#include "data/dates.h"

#include <QLocale>
#include <QStringList>
#include <algorithm>

namespace rules {

namespace {

bool Parmi(const QString& code, std::initializer_list<const char*> codes) {
    for (const char* c : codes)
        if (code == QLatin1String(c))
            return true;
    return false;
}

QLocale Francais() {
    return QLocale(QLocale::French, QLocale::France);
}

// A date box as a day number; nullopt when empty or not a date.
std::optional<long long> Jour(const QString& text) {
    const QString day = data::dates::DateToInternal(text.trimmed());
    if (day.isEmpty())
        return std::nullopt;
    return day.toLongLong();
}

Refus Refuser(const QString& message, const QString& focus, ui::Icon icon = ui::Icon::Exclamation) {
    return Refus{message, icon, focus};
}

const QString Rupture = QStringLiteral("La date de signature de convention pour le motif de fin de contrat "
                                       "Rupture conventionnelle");

} // namespace

bool MotifAvecIndemnite(const QString& code) {
    return Parmi(code, {"11", "12", "14", "15", "20", "25", "26", "38", "65", "91", "92", "93", "33"});
}

bool MotifAvecPreavis(const QString& code) {
    return Parmi(code, {"11", "12", "14", "15", "20", "25", "26", "38", "65", "92", "93"});
}

ChampsDuMotif ChampsSelonMotif(const QString& code, bool contratDetermine) {
    ChampsDuMotif champs;
    champs.signature = code == QLatin1String(MotifRuptureConventionnelle);
    champs.indemnite = MotifAvecIndemnite(code);
    if (contratDetermine)
        champs.primePrecarite = !Parmi(code, {"37", "34", "35"});
    return champs;
}

// --- Last payslip period ---

QString PeriodeEnLettres(const std::string& period) {
    if (period.size() != 6)
        return {};
    const QDate first(std::atoi(period.substr(0, 4).c_str()), std::atoi(period.substr(4, 2).c_str()), 1);
    if (!first.isValid())
        return {};
    return Francais().toString(first, QStringLiteral("MMMM yyyy"));
}

std::string PeriodeDepuisLettres(const QString& text) {
    const QStringList parts = text.trimmed().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (parts.size() != 2 || parts[1].size() != 4)
        return {};
    bool ok = false;
    const int year = parts[1].toInt(&ok);
    if (!ok)
        return {};
    const QLocale fr = Francais();
    for (int month = 1; month <= 12; ++month)
        if (fr.monthName(month, QLocale::LongFormat).compare(parts[0], Qt::CaseInsensitive) == 0)
            return QStringLiteral("%1%2").arg(year, 4, 10, QLatin1Char('0')).arg(month, 2, 10, QLatin1Char('0'))
                .toStdString();
    return {};
}

std::string PlageBulletin::Periode(int step) const {
    const QDate month = premier.addMonths(std::clamp(step, 0, pas));
    return QStringLiteral("%1%2").arg(month.year(), 4, 10, QLatin1Char('0')).arg(month.month(), 2, 10,
                                                                                    QLatin1Char('0')).toStdString();
}

int PlageBulletin::Pas(const std::string& period) const {
    if (period.size() != 6 || !premier.isValid())
        return pas;
    const int year = std::atoi(period.substr(0, 4).c_str()), month = std::atoi(period.substr(4, 2).c_str());
    const int step = (year - premier.year()) * 12 + month - premier.month();
    return std::clamp(step, 0, pas);
}

PlageBulletin PlageDernierBulletin(const QDate& start, const QDate& end) {
    PlageBulletin plage;
    if (!end.isValid())
        return plage;
    const QDate endMonth(end.year(), end.month(), 1);
    plage.premier = endMonth;
    if (!start.isValid() || start > end)
        return plage;
    plage.premier = QDate(start.year(), start.month(), 1);
    plage.pas = (endMonth.year() - plage.premier.year()) * 12 + endMonth.month() - plage.premier.month();
    return plage;
}

// --- Checks at save ---

ResultatVerifFin VerifFinContrat(const FinContratSaisie& s) {
    ResultatVerifFin r;
    const QString notification = s.dateNotification.trimmed(), end = s.dateFin.trimmed();
    if (!notification.isEmpty() && end.isEmpty()) {
        r.refus = Refuser(QStringLiteral("La date de notification est renseignée, mais pas la date de fin.\n"
                                         "Vous devez supprimer la date de notification ou terminer la saisie "
                                         "de fin du contrat."),
                          QStringLiteral("Txt_DatNotifContrat"));
        return r;
    }
    if (end.isEmpty())
        return r;
    const std::optional<long long> endDay = Jour(end), startDay = Jour(s.dateDebut);
    if (endDay && startDay && *endDay <= *startDay) {
        r.refus = Refuser(QStringLiteral("La date de fin de contrat doit être supérieure à la date de début de "
                                         "contrat."),
                          QStringLiteral("Txt_DateFinContrat"));
        return r;
    }
    if (s.motif.trimmed().isEmpty()) {
        r.refus = Refuser(QStringLiteral("Le motif de fin de contrat est obligatoire."),
                          QStringLiteral("Cbo_MotifFinContrat"));
        return r;
    }
    const QString signatureBox = QStringLiteral("Txt_DateSignConvCol");
    if (s.signatureActive && s.dateSignature.trimmed().isEmpty()) {
        r.refus = Refuser(Rupture + QStringLiteral(" est obligatoire."), signatureBox, ui::Icon::None);
        return r;
    }
    const std::optional<long long> signature = Jour(s.dateSignature), actualEnd = Jour(s.dateFinReelle);
    if (!s.dateFinReelle.trimmed().isEmpty()) {
        if (signature && actualEnd && *signature > *actualEnd) {
            r.refus = Refuser(Rupture + QStringLiteral(" doit être inférieure ou égale à la date de fin réelle."),
                              signatureBox, ui::Icon::None);
            return r;
        }
    } else if (signature && endDay && *signature > *endDay) {
        r.refus = Refuser(Rupture + QStringLiteral(" doit être inférieure ou égale à la date de fin du contrat."),
                          signatureBox, ui::Icon::None);
        return r;
    }
    if (s.indetermine && notification.isEmpty()) {
        r.refus = Refuser(QStringLiteral("La date de notification de fin de contrat est obligatoire."),
                          QStringLiteral("Txt_DatNotifContrat"));
        return r;
    }
    const std::optional<long long> notified = Jour(notification);
    if (notified && endDay && *notified > *endDay) {
        r.refus = Refuser(QStringLiteral("La date de notification ne peut être supérieure à la date de fin de "
                                         "contrat."),
                          QStringLiteral("Txt_DatNotifContrat"));
        return r;
    }
    if (s.dernierJour.trimmed().isEmpty()) {
        r.refus = Refuser(QStringLiteral("Le dernier jour travaillé est obligatoire."),
                          QStringLiteral("Txt_DernJrWContrat"));
        return r;
    }
    const std::optional<long long> lastDay = Jour(s.dernierJour);
    if (lastDay && endDay && *lastDay > *endDay) {
        r.refus = Refuser(QStringLiteral("La date du dernier jour travaillé ne peut être supérieure à la date de "
                                         "fin de contrat."),
                          QStringLiteral("Txt_DernJrWContrat"));
        return r;
    }
    if (s.dernierBulletin.trimmed().isEmpty()) {
        r.refus = Refuser(QStringLiteral("La période du dernier bulletin est obligatoire."), QString());
        r.periodeParDefaut = true;
        return r;
    }
    const std::string period = PeriodeDepuisLettres(s.dernierBulletin);
    const QDate endDate = endDay ? data::dates::FromDayNumber(*endDay) : QDate();
    if (endDate.isValid() && !period.empty() &&
        period > QStringLiteral("%1%2").arg(endDate.year(), 4, 10, QLatin1Char('0'))
                     .arg(endDate.month(), 2, 10, QLatin1Char('0')).toStdString()) {
        r.refus = Refuser(QStringLiteral("La période du dernier bulletin doit être inférieure ou égale au mois de "
                                         "la date de fin."),
                          QString());
        return r;
    }
    for (const PreavisSaisi& p : s.preavis) {
        if (!p.coche)
            continue;
        const std::optional<long long> from = Jour(p.debut), to = Jour(p.fin);
        if (from && to && *from > *to) {
            r.refus = Refuser(QStringLiteral("La date de début de préavis ne peut être supérieure à la date de fin "
                                             "de préavis."),
                              p.controleDebut, ui::Icon::None);
            return r;
        }
        if (from && startDay && *from < *startDay) {
            r.refus = Refuser(QStringLiteral("La date de début du préavis ne peut être inférieure à la date de "
                                             "début de contrat."),
                              p.controleDebut, ui::Icon::None);
            return r;
        }
        if (to && endDay && *to > *endDay) {
            r.refus = Refuser(QStringLiteral("La date de fin du préavis ne peut être supérieure à la date de fin "
                                             "de contrat."),
                              p.controleFin, ui::Icon::None);
            return r;
        }
        if (!p.debut.trimmed().isEmpty() && p.fin.trimmed().isEmpty()) {
            r.refus = Refuser(QStringLiteral("La date de fin du préavis doit être renseignée."), p.controleFin,
                              ui::Icon::None);
            return r;
        }
        if (p.debut.trimmed().isEmpty()) {
            r.refus = Refuser(QStringLiteral("La date de début du préavis doit être renseignée."), p.controleDebut,
                              ui::Icon::None);
            return r;
        }
    }
    if (s.organismeRetraite.trimmed().isEmpty() && s.convention != QLatin1String("02")) {
        r.refus = Refuser(QStringLiteral("L'organisme de retraite est obligatoire."),
                          QStringLiteral("Cbo_OrgRetraite"));
        return r;
    }
    return r;
}

// --- Notice ---

std::pair<int, int> Anciennete(const QDate& since, const QDate& on) {
    if (!since.isValid() || !on.isValid() || on < since)
        return {0, 0};
    int years = on.year() - since.year();
    int months = on.month() - since.month();
    if (on.day() < since.day())
        --months;
    if (months < 0) {
        --years;
        months += 12;
    }
    return {years, months};
}

QChar CategorieSalarie(const QString& qualification) {
    const QStringList words = qualification.trimmed().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.isEmpty() || words.last().size() != 1)
        return {};
    const QChar letter = words.last().at(0).toUpper();
    return letter >= QLatin1Char('A') && letter <= QLatin1Char('I') ? letter : QChar();
}

bool CodePCSCadre(const QString& code) {
    return code.startsWith(QLatin1Char('3')) || code.startsWith(QLatin1String("23")) ||
           code.compare(QLatin1String("0431a"), Qt::CaseInsensitive) == 0;
}

Preavis CalculPreavis(const PreavisEntree& e) {
    Preavis p;
    if (!MotifAvecPreavis(e.motif))
        return p;
    p.applicable = true;
    const auto [years, months] = Anciennete(e.anciennete, e.notification);
    const bool sixMonths = years == 1 || (years == 0 && months >= 6);
    const QString& cc = e.convention;
    const QChar cat = e.categorie;
    if (cc == QLatin1String("01") && (cat.isNull() || (cat >= QLatin1Char('A') && cat <= QLatin1Char('D')))) {
        if (years >= 2) p.mois = 2; else if (sixMonths) p.mois = 1; else p.jours = 6;
    } else if (cc == QLatin1String("01") && (cat == QLatin1Char('E') || cat == QLatin1Char('F'))) {
        p.mois = years >= 2 ? 2 : 1;
    } else if (cc == QLatin1String("01")) {
        p.mois = years >= 2 ? 4 : 2;
    } else if (cc == QLatin1String("02")) {
        if (years >= 2) p.mois = 2; else if (sixMonths) p.mois = 1; else p.jours = 6;
    } else if (cc == QLatin1String("05")) {
        p.mois = e.cadre ? 4 : years >= 2 ? 2 : 1;
    } else if (cc == QLatin1String("06")) {
        p.mois = e.cadre ? 3 : years >= 2 ? 2 : 1;
    } else {
        if (years >= 2) p.mois = 2; else if (sixMonths) p.mois = 1;
    }
    if (e.preavisDouble && e.motif != QLatin1String("92")) {
        p.jours *= 2;
        if (p.mois < 3)
            p.mois = std::min(p.mois * 2, 3);
    }
    if (!e.notification.isValid() || (p.mois == 0 && p.jours == 0))
        return p;
    if (p.mois == 0) {
        p.fin = e.notification.addDays(p.jours);
        return p;
    }
    // The notice ends the day before the same day N months on; when that
    // month has no such day (notified on the 29th to the 31st), it ends on
    // the last day of that month.
    const QDate same = e.notification.addMonths(p.mois);
    p.fin = same.day() == e.notification.day() ? same.addDays(-1) : same;
    return p;
}

} // namespace rules
