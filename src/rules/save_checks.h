#pragma once
// The rule checks the contract editor runs around the write of a contract,
// each at its own place in the save flows:
//
//   HoursLimit            Verif_NbHeures            weekly hours of every contract of the helper
//   ContractOverlap       VerifContratExist         another contract over the same dates (OK only)
//   ModificationPossible  Verif_ModificationPossible  work already done forbids the change
//   EndDateRemoval        Verif_SuppDateFin         the end date may not change or go
//   PlanningIncidences    Verif_IncidencesPlanning  planned work outside the new dates
//
// Each check is a callable installed on the editor. It gathers what it
// needs, tells the user itself (message, question, focus) and answers
// whether the save must stop. A check that is not installed lets the save
// go on.
//
// Installed by the editor when it is built: the hours and overlap checks
// (rules/hours_limit.h, rules/contract_overlap.h), the payroll guards
// (rules/contract_guards.h) and the planning incidences
// (rules/planning_incidences.h).
#include <QString>
#include <array>
#include <functional>

namespace rules {

enum class SaveCheck {
    HoursLimit,
    ContractOverlap,
    ModificationPossible,
    EndDateRemoval,
    PlanningIncidences
};
inline constexpr int SaveCheckCount = 5;

// The procedure name of a check, for logs.
QString SaveCheckName(SaveCheck check);

class SaveChecks {
public:
    // true: the save must stop (the check has already told the user).
    using Check = std::function<bool()>;

    void Install(SaveCheck which, Check check);
    bool Installed(SaveCheck which) const;
    // Runs the check; one that is not installed passes.
    bool Refuses(SaveCheck which) const;

private:
    std::array<Check, SaveCheckCount> checks_{};
};

} // namespace rules
