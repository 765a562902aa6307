#pragma once
// The legal weekly hours limit, checked before a contract or an amendment
// is saved: the weekly hours of the contract on screen, plus those of the
// helper's other contracts in force at its effective date, plus the
// helper's recurring unavailability, against the weekly limit of the
// payroll constants.
//
// The editor's adapter (Verif_NbHeures) reads its controls into
// HoursLimitInput, calls CheckHoursLimit and sets its refusal flag:
//   Pass   -> false, no message;
//   Refuse -> show `message` (exclamation, OK), true;
//   Ask    -> ask `message` (exclamation, Yes/No), RefusalAfterAnswer(yes).
// A dba::Error other than the missing constants (a storage failure)
// propagates: the adapter reports it and refuses the save, since an
// unchecked total is not a checked one.
#include "dba/database.h"
#include "rules/hours.h"

#include <QString>
#include <string>
#include <vector>

namespace rules {

// The control texts the check reads, as shown on screen.
struct HoursLimitInput {
    QString codeAidant;      // Etq_CodeAidant: helper code, the first 5 characters of his contract keys
    QString numContrat;      // Txt_NumContrat: the edited contract's key is codeAidant + numContrat
    QString datEffetContrat; // Txt_DatEffetContrat: effective date "dd/mm/yyyy"
    QString datDebContrat;   // Txt_DatDebContrat: contract start "dd/mm/yyyy"
    QString dureeWContrat;   // Txt_DureeWContrat: hours as typed ("48,01"); not a number counts 0
    QString freqWContrat;    // Cbo_FreqWContrat: "Hebdo", "Quatorzaine", "Mensuelle" or "Annuelle"
};

inline constexpr char MessageConstantesPaieAbsentes[] =
    "La création d'un contrat de travail est impossible tant que les constantes de paie ne sont pas "
    "renseignées.";
inline constexpr char QuestionHeuresLegalesDepassees[] =
    "Le nombre d'heures cumulées tous contrats confondus est supérieur au nombre d'heures légal "
    "autorisé, voulez-vous continuer ?";

// One other contract added to the total.
struct CountedContract {
    std::string key;
    Hundredths weekly = 0;
};

struct HoursLimitResult {
    enum class Outcome { Pass, Ask, Refuse };
    Outcome outcome = Outcome::Pass;
    QString message; // the question (Ask) or the refusal (Refuse)

    // The figures, in hundredths of an hour per week.
    Hundredths limit = 0;          // CONSTANTESPAIE "1" field 10; empty or unreadable reads 0
    Hundredths edited = 0;         // the contract on screen
    Hundredths otherContracts = 0; // sum of `counted`
    Hundredths unavailability = 0; // recurring unavailability in force at the start
    Hundredths total = 0;          // edited + otherContracts + unavailability
    std::vector<CountedContract> counted;
};

// The selection of the helper's contracts in force on `day` (day number).
std::string ContractsInForceQuery(const std::string& codeAidant, const std::string& day);
// The selection of the helper's recurring unavailability in force on `day`.
std::string RecurringUnavailabilityQuery(const std::string& codeAidant, const std::string& day);

// Weekly hundredths of the contract on screen: the typed duration (0 when
// not a number) converted from its period; any other caption is weekly.
Hundredths EditedWeeklyHundredths(const QString& dureeWContrat, const QString& freqWContrat);

HoursLimitResult CheckHoursLimit(const HoursLimitInput& input, const dba::Database& db);

// The refusal flag once the user answered the question of an Ask.
inline bool RefusalAfterAnswer(bool answeredYes) {
    return !answeredYes;
}

} // namespace rules
