#pragma once
// The document models a site starts with: an employment contract for a
// beneficiary who employs the helper (agreement "02", the association
// acting as agent), one for a helper employed by the association, and an
// amendment for both. Sites adapt them record by record in MODELEDOC.
#include "dba/database.h"
#include "documents/modeles.h"

#include <string>

namespace documents {

Modele ModeleContratParticulierEmployeur(const std::string& selecteur);
Modele ModeleContratAssociation(const std::string& selecteur);
Modele ModeleAvenant(const std::string& selecteur);

// Writes the default contract and amendment models of every entity of
// ASSOCIATION for every agreement of CONVENTIONCOL, leaving alone the
// models that already exist. `day` dates them. Returns how many were written.
int InstallerModelesDefaut(dba::Database& db, const std::string& day);

} // namespace documents
