#pragma once
// The planning routines the library calls on the database server.
//
// "REMPLRECURSIF" rebuilds one recurring slot of a helper's planning
// (TPSDETAILSINTERV) from a request: the slot runs again from the request's
// first day to its last day at the request's time, under the key those give
// it, or goes when the period ends before it starts. Whatever the slot had
// noted as kept without contract (TPSSANSCONTRAT) goes with the old slot.
// Everything is done in one transaction.
#include "dba/database.h"

#include <string>

namespace data {

inline constexpr char RoutineRemplRecursif[] = "REMPLRECURSIF";
inline constexpr char EtatAFaire[] = "AFAIRE";
inline constexpr char EtatFait[] = "FAIT";

// The request record given to "REMPLRECURSIF" as its command text: the key
// of the slot as stored, then field 1 the first day, field 3 the last day
// (empty: open), field 4 the work status ("AFAIRE" until done), field 5 the
// start time "hhcc" (empty: unchanged).
struct DemandeRemplacement {
    std::string cle;
    std::string premierJour;
    std::string dernierJour;
    std::string etat = EtatAFaire;
    std::string heure;

    std::string Texte() const;
    static DemandeRemplacement Lire(const std::string& texte);
    // The period ends before it starts: the slot is removed.
    bool Suppression() const;
};

// Registers the routines on this session. The answer of "REMPLRECURSIF" is
// one row: the slot's new key (empty when removed) and the work status
// ("FAIT"; a request not "AFAIRE" is answered with its status, untouched).
// A slot that is not in the planning raises dba::RecordNotFound; a request
// without first day, dba::InvalidValue.
void RegisterPlanningRoutines(dba::Database& db);

} // namespace data
