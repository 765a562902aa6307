#pragma once
// Another contract of the same helper, for the same legal entity, whose
// dates overlap those of the contract being saved. Contracts under
// agreement "02" are compared only with contracts of the same employer
// under that agreement; the others only with each other. Two contracts
// sharing one day overlap; one ending the day before the other starts
// does not. On the way, the check finds the bounds the planning check
// needs: the latest end of an earlier contract and the earliest start of
// a later one.
//
// The editor's adapter (VerifContratExist) reads its controls into
// ContractOverlapInput, calls CheckContractOverlap, keeps the bounds and
// the conflicting end date, sets its overlap flag from `overlap` and, on
// an overlap, shows `message` (exclamation, OK) and gives the focus to
// the control named `focus`. A dba::Error (storage failure) propagates:
// the adapter reports it and does not save.
#include "dba/database.h"

#include <QString>
#include <string>

namespace rules {

// The control texts the check reads, as shown on screen.
struct ContractOverlapInput {
    QString codeAidant;      // Etq_CodeAidant
    QString numContrat;      // Txt_NumContrat: the edited contract's key is codeAidant + numContrat
    QString convColContrat;  // Txt_ConvColContrat: collective agreement
    QString assocContrat;    // Txt_AssocContrat: legal entity
    QString emplEtabContrat; // Txt_EmplEtabContrat: employer
    QString datDebContrat;   // Txt_DatDebContrat: "dd/mm/yyyy"; empty or not a date reads day 0
    QString dateFinContrat;  // Txt_DateFinContrat: "dd/mm/yyyy", empty while open
};

// The day number that stands for "no end date".
inline constexpr long long JourSansFin = 99999;

inline constexpr char MessageChevauchement[] =
    "Création impossible car 2 contrats ont des dates qui se chevauchent : ";
inline constexpr char EnteteChevauchement[] = "Date début        Date Fin";
inline constexpr char SeparateurChevauchement[] = "       ";

struct ContractOverlapResult {
    bool overlap = false;
    QString message; // on an overlap: the text to show
    QString focus;   // on an overlap: objectName of the control to give the focus to
    std::string conflictingKey;
    QString conflictingStart; // "dd/mm/yyyy" of the conflicting contract
    QString conflictingEnd;   // "dd/mm/yyyy"; empty when it is open-ended or there is no overlap

    // Latest end of another contract that ended before the edited one's
    // start; 0 when none.
    long long earlierEndBound = 0;
    // Earliest start of another contract that starts after the edited one's
    // end; JourSansFin when none or when the edited contract has no end.
    long long laterStartBound = JourSansFin;
};

// The selection of the contracts to compare with, by the edited contract's
// agreement: rows sorted by employer.
std::string OverlapQuery(const ContractOverlapInput& input);

// The message for a conflicting contract's dates as shown ("dd/mm/yyyy",
// the end empty when open-ended).
QString OverlapMessage(const QString& start, const QString& end);

ContractOverlapResult CheckContractOverlap(const ContractOverlapInput& input, const dba::Database& db);

} // namespace rules
