#include "rules/leave_counters.h"

#include "rules/pay_entry_amounts.h"

#include <cstdlib>

namespace rules {

namespace {

QString Chiffres(long long hundredths, const QString& separator, bool decimals) {
    const bool negative = hundredths < 0;
    const unsigned long long size = negative ? 0ULL - static_cast<unsigned long long>(hundredths)
                                             : static_cast<unsigned long long>(hundredths);
    QString text = QString::number(size / 100);
    if (decimals)
        text += separator + QStringLiteral("%1").arg(size % 100, 2, 10, QLatin1Char('0'));
    return negative && size != 0 ? QStringLiteral("-") + text : text;
}

long long OuZero(const QString& text) {
    return TexteEnCentiemes(text).value_or(0);
}

// The part after the integer part rounded down: 0 or a half day.
bool JourOuDemiJour(long long hundredths) {
    const long long fraction = ((hundredths % 100) + 100) % 100;
    return fraction == 0 || fraction == 50;
}

bool AvecVirgule(const QString& text, const QString& separator) {
    return text.contains(separator) || text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('.'));
}

Refus Refuser(const char* message, const char* focus) {
    return Refus{QString::fromUtf8(message), ui::Icon::Exclamation, QString::fromLatin1(focus)};
}

} // namespace

QString CentiemesEnTexte(const std::string& stored, const QString& separator) {
    return Chiffres(StoredScaled(stored), separator, true);
}

QString JoursEnTexte(const std::string& stored, const QString& separator) {
    const long long hundredths = StoredScaled(stored);
    return Chiffres(hundredths, separator, hundredths % 100 != 0);
}

std::optional<long long> TexteEnCentiemes(const QString& text) {
    return ParseScaled(text.toStdString(), 2);
}

QString JourOuvre(const QString& jourOuvrable, const QString& separator) {
    const std::optional<long long> day = TexteEnCentiemes(jourOuvrable);
    if (!day)
        return {};
    const long long sixTimes = *day * 6;
    long long quotient = sixTimes / 5;
    const long long remainder = sixTimes % 5;
    // Fifths: 3 and 4 (or -3, -4) round away from zero, never a tie.
    if (std::llabs(remainder) >= 3)
        quotient += sixTimes < 0 ? -1 : 1;
    return Chiffres(quotient, separator, true);
}

std::optional<Refus> VerifDroitsConges(const CompteursSaisie& s) {
    const long long cpAcquis = OuZero(s.cpAcquis), cpRestants = OuZero(s.cpRestants);
    const long long cfAcquis = OuZero(s.cfAcquis), cfRestants = OuZero(s.cfRestants);
    const long long caAcquis = OuZero(s.caAcquis), caRestants = OuZero(s.caRestants);
    const long long enCours = OuZero(s.cpEnCours);
    if (cpRestants + enCours < 0)
        return Refuser("Le nombre de jours pour congés payés pris par avance doit être inférieur au nombre de "
                       "jours en cours d'acquisition.",
                       "Txt_CPRestConsoContrat");
    if (cpAcquis - cpRestants < 0)
        return Refuser("Le nombre de jours pour congés payés restants doit être inférieur au nombre de jours acquis.",
                       "Txt_CPRestConsoContrat");
    if (cfAcquis - cfRestants < 0)
        return Refuser("Le nombre de jours pour congés pour fractionnement restants doit être inférieur au nombre "
                       "de jours acquis.",
                       "Txt_CFRestConsoContrat");
    if (caAcquis - caRestants < 0)
        return Refuser("Le nombre de jours pour congés d'ancienneté restants doit être inférieur au nombre de "
                       "jours acquis.",
                       "Txt_CAncRestContrat");
    if (AvecVirgule(s.cfAcquis, s.separator))
        return Refuser("Le nombre de jours pour congés pour fractionnement acquis doit être un entier.",
                       "Txt_CFConsoAcqContrat");
    if (AvecVirgule(s.cpEnCours, s.separator))
        return Refuser("Le nombre de jours pour congés payés en-cours doit être un entier.", "Txt_CPCoursJContrat");
    if (!JourOuDemiJour(cpRestants))
        return Refuser("Le nombre de jours restants pour congés payés acquis doit être un entier ou une "
                       "demi-journée.",
                       "Txt_CPRestConsoContrat");
    if (!JourOuDemiJour(cfRestants))
        return Refuser("Le nombre de jours restants pour congés pour fractionnement acquis doit être un entier ou "
                       "une demi-journée.",
                       "Txt_CFRestConsoContrat");
    if (!JourOuDemiJour(caRestants))
        return Refuser("Le nombre de jours restants pour congés d'ancienneté en-cours doit être un entier ou une "
                       "demi-journée.",
                       "Txt_CAncRestContrat");
    return std::nullopt;
}

std::optional<QString> ControleCompteurJours(const QString& control, const QString& text, const QString& enCours) {
    static const struct {
        const char* control;
        const char* message;
    } demiJours[] = {
        {"Txt_CAncAcqContrat", "Le nombre de jours de congés d'ancienneté acquis ne peut être qu'un nombre de jours "
                               "entier ou un nombre de demi-journées."},
        {"Txt_CAncRestContrat", "Le nombre de jours en cours d'acquisition ne peut être qu'un nombre de jours entier "
                                "ou un nombre de demi-journées."},
        {"Txt_CFRestConsoContrat", "Le nombre de jours restants ne peut être qu'un nombre de jours entier ou un "
                                   "nombre de demi-journées."},
        {"Txt_CPConsoAcqContrat", "Le nombre de jours acquis ne peut être qu'un nombre de jours entier ou un nombre "
                                  "de demi-journées."},
        {"Txt_CPRestConsoContrat", "Le nombre de jours restants ne peut être qu'un nombre de jours entier ou un "
                                   "nombre de demi-journées."},
        {"Txt_JourAnticipation", "Le nombre de jours pris par anticipation ne peut être qu'un nombre de jours "
                                 "entier ou un nombre de demi-journées."},
    };
    const std::optional<long long> value = TexteEnCentiemes(text);
    if (!value)
        return std::nullopt;
    for (const auto& d : demiJours) {
        if (control != QLatin1String(d.control))
            continue;
        // A half day is 50 hundredths: 2,5 passes, 2,3 does not.
        if (*value % 50 != 0)
            return QString::fromUtf8(d.message);
        if (control == QLatin1String("Txt_JourAnticipation") && *value > OuZero(enCours))
            return QStringLiteral("Le nombre de jours pris par anticipation ne peut être supérieur au nombre de "
                                  "jours de congès en cours d'acquisition.");
        return std::nullopt;
    }
    return std::nullopt;
}

} // namespace rules
