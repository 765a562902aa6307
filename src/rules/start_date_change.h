#pragma once
// Moving the start date of an existing contract. Payroll has already used
// the start date of a contract paid once, so a move is refused when:
// - a payslip was calculated for the contract (its period is kept in the
//   contract) in or after the month the contract started;
// - otherwise, the new start falls before the current pay period, or a
//   payslip calculation exists for the current or the following period;
// - or the current pay period cannot be read.
#include <QString>
#include <functional>
#include <string>

namespace rules {

inline constexpr char MessageBulletinCalcule[] =
    "Impossible de modifier la date de début : un bulletin a déjà été calculé pour ce contrat.";
inline constexpr char MessageDebutAvantPeriode[] = "La date de début de contrat ne peut être antérieure au ";
inline constexpr char MessagePeriodeIllisible[] =
    "Contrôle de la date de début impossible : la période de paie courante (table PERIODESPAIE) est "
    "absente ou illisible.";

struct StartDateChangeInput {
    QString newStart;             // day number of the start date on screen
    QString savedStart;           // day number of the start date as the contract was opened
    std::string calculatedPeriod; // contract field 63 ("yyyymm"), empty when none
    std::string contractKey;      // helper code + contract number
    // The current pay period "yyyymm" (PERIODESPAIE "1" field 1); read only
    // when needed.
    std::function<std::string()> currentPeriod;
    // Whether a payslip calculation (DETAILCALCUL) exists under this key.
    std::function<bool(const std::string& key)> calculationExists;
};

// Empty when the start date may move (or did not move); otherwise the
// message refusing it.
QString VerifChangementDebut(const StartDateChangeInput& input);

} // namespace rules
