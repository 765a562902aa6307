#pragma once
// A pay profile typed in one of the contract's two profile boxes. Profiles
// are of two kinds: those of the private-employer agreement "02" (field 4
// "1", the agent profiles) and those of every other agreement; a contract
// takes two different profiles of its agreement's kind.
#include "rules/origine_checks.h"

#include <QString>
#include <optional>

namespace rules {

struct ProfilSaisi {
    QString code;          // the code typed, at its full length
    QString autreProfil;   // the code in the other profile box
    bool premier = true;   // Txt_ProfilContrat (true) or Txt_ProfilContrat2
    bool existe = false;   // PROFIL holds the code
    bool mandataire = false; // its field 4 is "1"
    QString convention;    // Txt_ConvColContrat
};

// Why the profile is refused, or none. The focus is the box typed in.
std::optional<Refus> VerifProfil(const ProfilSaisi& saisie);

} // namespace rules
