#pragma once
// The checks of the contract's identity before it is saved, in the order
// the user meets them: the first value refused stops the save with its
// message, and the focus goes to the control that holds it.
#include "rules/refusal.h"
#include "rules/start_date_change.h"

#include <QString>
#include <optional>

namespace rules {

// The values of the "Origine" tab as shown.
struct OrigineSaisie {
    QString convention;       // Txt_ConvColContrat
    QString entite;           // Txt_AssocContrat
    QString employeur;        // Txt_EmplEtabContrat
    QString dateDebut;        // Txt_DatDebContrat, "dd/mm/yyyy"
    QString dateFinPresumee;  // Txt_DatFinContrat
    QString dateFinReelle;    // Txt_DateFinContrat (tab "Fin du contrat")
    bool determine = false;   // Opt_Determine
    QString motifTexte;       // contract field 9, value 1
    QString motifCode;        // contract field 113
    // The start date's move, checked last (its sources read the database).
    StartDateChangeInput changementDebut;
};

inline constexpr char MessageDateIncorrecte[] = "La date saisie est incorrecte, veuillez la ressaisir.";

// The first refusal, or none. A database that cannot be read refuses: the
// start date of a contract payroll may have used is never left unchecked.
std::optional<Refus> VerifOrigine(OrigineSaisie saisie);

} // namespace rules
