#include "rules/profile_choice.h"

namespace rules {

std::optional<Refus> VerifProfil(const ProfilSaisi& s) {
    const QString box = s.premier ? QStringLiteral("Txt_ProfilContrat") : QStringLiteral("Txt_ProfilContrat2");
    if (!s.existe)
        return Refus{QStringLiteral("Ce profil n'existe pas."), ui::Icon::Information, box};
    if (s.code == s.autreProfil)
        return Refus{s.premier ? QStringLiteral("Les 2 profils doivent être differents, veuillez ressaisir le premier.")
                               : QStringLiteral("Les 2 profils doivent être differents, veuillez ressaisir le deuxième."),
                     ui::Icon::Exclamation, box};
    const bool employeurParticulier = s.convention == QLatin1String("02");
    if (employeurParticulier && !s.mandataire)
        return Refus{QStringLiteral("Ce profil n'est pas un profil mandataire, veuillez en choisir un autre."),
                     ui::Icon::Exclamation, box};
    if (!employeurParticulier && s.mandataire)
        return Refus{QStringLiteral("Ce profil ne peut être saisi car il n'est pas en relation avec la convention "
                                    "collective sélectionnée."),
                     ui::Icon::Exclamation, box};
    return std::nullopt;
}

} // namespace rules
