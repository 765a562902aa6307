#pragma once
// The checks of the pay elements before a contract is saved, in the order
// the user meets them; the first value refused stops the save.
#include "rules/refusal.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace rules {

// A pay profile as PROFIL holds it.
struct ProfilLu {
    QString code;
    bool existe = false;
    std::string champ4;              // "1": agent profile of agreement "02"
    std::vector<std::string> charges; // field 3: its charge items
};

struct ElementsPaieSaisie {
    QString mutSal, mutPat, plafond; // Txt_MutSalContrat, Txt_MutPatContrat, Txt_PlafSecu
    QString chargeMutuelle;          // Txt_ChargMutContrat
    QString profil1, profil2;        // Txt_ProfilContrat, Txt_ProfilContrat2
    QString modePaiement;            // Cbo_ModPaieContrat's text
    QStringList activites;           // Lst_ActiviteContrat
    QStringList parts;               // Lst_RepartActContrat
    bool administratif = false;      // Opt_Administratif
    std::string statut;              // contract field 6
    bool production = false, mensuel = false;
    QString convention;
    // Read only when the profile test applies: the two profiles, and the
    // home-help charge items (RUBCHARGE field 28 "1", field 30 empty).
    ProfilLu lu1, lu2;
    std::set<std::string> chargesAideDomicile;
};

// Whether the profile test applies: it reads PROFIL, so the form reads the
// two profiles only then.
bool TestProfilsApplicable(const ElementsPaieSaisie& saisie);

// The first refusal, or none.
std::optional<Refus> VerifElementsPaie(const ElementsPaieSaisie& saisie);

// The pay-entry items (field 93, values until the first empty one) whose
// activity is not among the contract's (field 36): the first such activity
// code, or none. Administrative contracts charge no activity.
std::optional<std::string> RubriqueHorsActivites(const std::vector<std::string>& rubriques,
                                                 const std::vector<std::string>& activites);

} // namespace rules
