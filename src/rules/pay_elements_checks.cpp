#include "rules/pay_elements_checks.h"

#include "rules/pay_entry_amounts.h"

#include <algorithm>

namespace rules {

namespace {

Refus Refuser(const char* message, const char* focus) {
    return {QString::fromUtf8(message), ui::Icon::Exclamation, QString::fromLatin1(focus)};
}

std::optional<Scaled> Montant(const QString& text) {
    return ParseScaled(text.toStdString(), 2);
}

} // namespace

bool TestProfilsApplicable(const ElementsPaieSaisie& s) {
    return s.production && s.mensuel && !s.profil2.isEmpty();
}

std::optional<Refus> VerifElementsPaie(const ElementsPaieSaisie& s) {
    // A figure that is no number is never stored: said before anything else.
    struct Figure {
        const QString& text;
        const char* box;
    };
    for (const Figure& f : {Figure{s.mutSal, "Txt_MutSalContrat"}, Figure{s.mutPat, "Txt_MutPatContrat"},
                            Figure{s.plafond, "Txt_PlafSecu"}})
        if (!f.text.trimmed().isEmpty() && !Montant(f.text))
            return Refus{QStringLiteral("Le montant saisi est incorrect, veuillez le ressaisir."),
                         ui::Icon::Exclamation, QString::fromLatin1(f.box)};

    const std::optional<Scaled> employerPart = Montant(s.mutPat);
    if (employerPart && *employerPart != 0 && s.chargeMutuelle.isEmpty())
        return Refuser("La rubrique de charge liée à la mutuelle est obligatoire.", "Txt_ChargMutContrat");
    if (s.profil1.trimmed().isEmpty())
        return Refuser("Le profil est obligatoire.", "Txt_ProfilContrat");
    if (s.modePaiement.isEmpty())
        return Refuser("Le mode de paiement est obligatoire.", "Cbo_ModPaieContrat");
    if (s.activites.isEmpty() || s.activites.front().isEmpty())
        return Refuser("Au moins une activité est obligatoire.", "Cbo_Activite");
    if (s.administratif && s.statut == "A") {
        Scaled total = 0;
        for (int row = 0; row < s.activites.size(); ++row)
            total += row < s.parts.size() ? Montant(s.parts[row]).value_or(0) : 0;
        if (total != 100 * 100)
            return Refuser("Le total de la répartition des activités est différent de 100.", "");
    }
    if (!TestProfilsApplicable(s))
        return std::nullopt;
    for (const auto& [profil, box] : {std::pair{&s.lu1, "Txt_ProfilContrat"}, std::pair{&s.lu2, "Txt_ProfilContrat2"}}) {
        if (s.convention == QLatin1String("02") && profil->champ4 == "0") {
            Refus refus = Refuser("Vous devez entrer un profil mandataire.", box);
            refus.vider = true;
            return refus;
        }
        for (const std::string& charge : profil->charges)
            if (s.chargesAideDomicile.count(charge))
                return Refuser("Pour un salarié Production - Mensualisé, la saisie d'un profil comportant une "
                               "rubrique de type aide à domicile est impossible, veuillez saisir un nouveau profil.",
                               box);
    }
    return std::nullopt;
}

std::optional<std::string> RubriqueHorsActivites(const std::vector<std::string>& rubriques,
                                                 const std::vector<std::string>& activites) {
    for (const std::string& activity : rubriques) {
        if (activity.empty())
            break;
        if (std::find(activites.begin(), activites.end(), activity) == activites.end())
            return activity;
    }
    return std::nullopt;
}

} // namespace rules
