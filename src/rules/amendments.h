#pragma once
// Amendments ("avenants") of a contract: entry n of every amendment field
// of the contract record holds entry n of the terms, entry 1 the initial
// terms ("00"), entry 2 the first amendment ("01") and so on. These rules
// number a new amendment, check its effective date, and say whether the
// last one may be deleted and what deleting it removes.
#include "dba/database.h"
#include "rules/origine_checks.h"

#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace rules {

// The number after the last one, as a number, on two digits at least
// ("00" -> "01", "09" -> "10"); "01" when the last is empty or not a number.
QString NumeroAvenantSuivant(const std::string& dernier);

// Whether a shown amendment number is the initial terms ("0", "00" or empty).
bool EstTermesInitiaux(const QString& numero);

// What leaving the effective date of a new amendment gives: a message to
// show (exclamation), and whether the date is emptied.
struct SortieDateEffet {
    QString message;
    bool vider = false;
};
// `dateEffet` is the day number typed; `debutContrat` and
// `dateEffetPrecedente` are day numbers, empty when unknown or when there
// is no previous amendment.
SortieDateEffet ControleDateEffet(const std::string& dateEffet, const std::string& debutContrat,
                                  const std::string& dateEffetPrecedente);

// The checks of "Valider" on the amendment being added: the effective date
// ("dd/mm/yyyy") must be given and later than the last entry's (day
// number, empty when none).
std::optional<Refus> VerifValidationAvenant(const QString& dateEffet, const std::string& derniereDateEffet);

// The pay periods "yyyymm" from the month of `jour` (day number) up to
// `courante` included; empty when `jour` is not a date or is later.
std::vector<std::string> PeriodesDepuis(const std::string& jour, const std::string& courante);

// What the deletion test reads: whether a record exists in a table.
using ExisteDans = std::function<bool(const char* table, const std::string& key)>;

struct SuppressionAvenantEntree {
    std::string cleContrat;      // helper code + contract number
    std::string dateEffet;       // effective date of the last amendment (day number)
    std::string periodeCourante; // PERIODESPAIE "1" field 1
    bool particulierEmployeur = false; // agreement "02"
    bool administratif = false;        // Opt_Administratif
};

inline constexpr char MessageTraitementsPaie[] =
    "Suppression impossible de l'avenant car des traitements de paie ont été effectués sur celui-ci.";
inline constexpr char MessageTraitements[] =
    "Suppression impossible de l'avenant car des traitements ont été effectués sur celui-ci.";

// The refusal of the deletion of the last amendment, or none: pay work
// (DETAILCALCUL, and DETAILMANDAT under agreement "02") or other work
// (DETAILADMIN for an administrative contract, DETAILPREST, DETAILINTER)
// recorded for the contract in a pay period from the amendment's month on.
std::optional<QString> VerifSuppressionAvenant(const SuppressionAvenantEntree& entree, const ExisteDans& existe);

// Removes entry `n` from every amendment field of `record`, in the order
// 14 to 25, 68, 69, 82, 108, 120 to 128, 133, 111, 112.
void SupprimerEntree(dba::Record& record, int n);

} // namespace rules
