#include "editor/activity_query.h"

#include "data/contrat_fields.h"

namespace editor {

std::string RequeteActivitesChargement(bool administratif, const QString& convention, const QString& entite) {
    const std::string head = "SSELECT ACTIVITES AVEC 0 = \"" + entite.toStdString() + "\"";
    if (administratif)
        return head + " PAR 1";
    if (convention != QLatin1String(data::contrat::ConventionParticulierEmployeur))
        return head + " AND AVEC 12 <> \"M\" PAR 1";
    return head + " AND AVEC 12 = \"M\" PAR 1";
}

} // namespace editor
