#include "rules/caracteristiques_checks.h"

#include "data/dates.h"

namespace rules {

namespace {

// A stored whole number (optional "-", digits); nullopt otherwise.
std::optional<Scaled> EntierStocke(const std::string& text) {
    if (text.empty())
        return std::nullopt;
    std::size_t i = text[0] == '-' ? 1 : 0;
    if (i == text.size())
        return std::nullopt;
    for (std::size_t j = i; j < text.size(); ++j)
        if (text[j] < '0' || text[j] > '9')
            return std::nullopt;
    return ParseScaled(text, 0);
}

QString Ecrire(Scaled value, int decimals, int minimum, const QString& separator) {
    const bool negative = value < 0;
    const unsigned long long magnitude =
        negative ? 0ULL - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
    unsigned long long scale = 1;
    for (int i = 0; i < decimals; ++i)
        scale *= 10;
    QString fraction = QString::number(magnitude % scale).rightJustified(decimals, QLatin1Char('0'));
    while (fraction.size() > minimum && fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);
    QString text = QString::number(magnitude / scale);
    if (!fraction.isEmpty())
        text += separator + fraction;
    return negative ? QLatin1Char('-') + text : text;
}

bool EstNombre(const QString& text, int decimals) {
    return text.trimmed().isEmpty() || SaisieEchelle(text, decimals).has_value();
}

Refus Refuser(const char* message, const char* focus) {
    Refus r;
    r.message = QString::fromUtf8(message);
    r.icon = ui::Icon::Exclamation;
    r.focus = QString::fromLatin1(focus);
    return r;
}

} // namespace

QString AfficherEchelle(const std::string& stored, int decimals, int minimum, const QString& separator) {
    if (stored.empty())
        return {};
    const std::optional<Scaled> value = EntierStocke(stored);
    if (!value)
        return QString::fromStdString(stored);
    return Ecrire(*value, decimals, minimum, separator);
}

std::optional<std::string> SaisieEchelle(const QString& typed, int decimals) {
    const std::optional<Scaled> value = ParseScaled(typed.toStdString(), decimals);
    if (!value)
        return std::nullopt;
    return std::to_string(*value);
}

std::optional<QString> NormaliserSaisie(const QString& typed, int decimals, int minimum,
                                        const QString& separator) {
    const std::optional<Scaled> value = ParseScaled(typed.toStdString(), decimals);
    if (!value)
        return std::nullopt;
    return Ecrire(*value, decimals, minimum, separator);
}

HeuresModulation LireHeuresModulation(const std::string& code) {
    if (code == "C")
        return {true, true};
    if (code == "L")
        return {true, false};
    return {};
}

std::string CodeHeuresModulation(const HeuresModulation& heures) {
    if (heures.retraitNegatives)
        return "C";
    return heures.paiementPositives ? "L" : "S";
}

QString DateReference(const QString& depart, const QString& debutContrat, const QString& joursSuspension) {
    const std::optional<Scaled> jours = ParseScaled(joursSuspension.toStdString(), DecimalesJours);
    if (!jours || *jours == 0)
        return {};
    const QString base = data::dates::DateToInternal(depart.isEmpty() ? debutContrat : depart);
    if (base.isEmpty())
        return {};
    // Part of a day moves nothing: a reference date is a whole day.
    return data::dates::InternalToDate(QString::number(base.toLongLong() + *jours / 100));
}

std::optional<Refus> VerifCaracteristiques(const CaracteristiquesSaisie& s) {
    if (s.dateEffet.isEmpty())
        return Refuser(MessageDateEffetObligatoire, "Txt_DatEffetContrat");
    if (s.qualification.isEmpty())
        return Refuser("La qualification professionnelle est obligatoire.", "Cbo_QualifContrat");
    if (s.categorie.isEmpty())
        return Refuser("La catégorie P.C.S est obligatoire.", "Cbo_CategPCSContrat");
    if (s.fonction.isEmpty())
        return Refuser("La fonction P.C.S est obligatoire.", "Cbo_FoncPCSContrat");
    if (s.duree.isEmpty())
        return Refuser("La durée de travail est obligatoire.", "Txt_DureeWContrat");
    if (s.frequence.isEmpty())
        return Refuser("La fréquence est obligatoire.", "Cbo_FreqWContrat");
    if (s.grille.isEmpty() && s.taux.isEmpty())
        return Refuser("Le taux horaire est obligatoire.", "Txt_TauxHorContrat");
    if (s.cadreLissageVisible && !s.lissage && s.mensuel && s.production)
        return Refuser("Le lissage des rémunérations est obligatoire.", "");
    if (s.libelleCategoriePCS != s.categorie)
        return Refuser("Cette catégorie P.C.S n'existe pas.", "Cbo_CategPCSContrat");
    if (s.libelleFonctionPCS != s.fonction)
        return Refuser("Cette fonction P.C.S n'existe pas.", "Cbo_FoncPCSContrat");
    if (!s.grille.isEmpty() && !s.grilles.contains(s.grille))
        return Refuser("Cette grille n'existe pas.", "Cbo_GrilleContrat");
    // A figure that is not a number is never written half converted.
    if (!EstNombre(s.duree, DecimalesDuree))
        return Refuser(MessageDureeNonNombre, "Txt_DureeWContrat");
    if (!EstNombre(s.coefficient, DecimalesCoefficient))
        return Refuser(MessageCoefficientNonNombre, "Txt_CoefNivContrat");
    if (!EstNombre(s.taux, DecimalesTaux))
        return Refuser(MessageTauxNonNombre, "Txt_TauxHorContrat");
    if (!EstNombre(s.joursSusp, DecimalesJours))
        return Refuser(MessageJoursNonNombre, "Txt_JourSusp");
    if (!EstNombre(s.joursSuspAnc, DecimalesJours))
        return Refuser(MessageJoursNonNombre, "Txt_JourSuspAnc");
    return std::nullopt;
}

} // namespace rules
