#include "rules/save_checks.h"

namespace rules {

QString SaveCheckName(SaveCheck check) {
    switch (check) {
    case SaveCheck::HoursLimit:
        return QStringLiteral("Verif_NbHeures");
    case SaveCheck::ContractOverlap:
        return QStringLiteral("VerifContratExist");
    case SaveCheck::ModificationPossible:
        return QStringLiteral("Verif_ModificationPossible");
    case SaveCheck::EndDateRemoval:
        return QStringLiteral("Verif_SuppDateFin");
    case SaveCheck::PlanningIncidences:
        return QStringLiteral("Verif_IncidencesPlanning");
    }
    return {};
}

void SaveChecks::Install(SaveCheck which, Check check) {
    checks_[static_cast<std::size_t>(which)] = std::move(check);
}

bool SaveChecks::Installed(SaveCheck which) const {
    return static_cast<bool>(checks_[static_cast<std::size_t>(which)]);
}

bool SaveChecks::Refuses(SaveCheck which) const {
    const Check& check = checks_[static_cast<std::size_t>(which)];
    return check ? check() : false;
}

} // namespace rules
