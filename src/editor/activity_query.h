#pragma once
// The first activity choice offered when the editor loads: the activities of
// the contract's legal entity that suit its employee status and agreement.
#include <QString>
#include <string>

namespace editor {

// The query text on ACTIVITES (fields "0 1 12"), the double quotes being
// part of it: administrative staff see every activity, production staff
// those of their agreement ("M" activities belong to agreement "02").
std::string RequeteActivitesChargement(bool administratif, const QString& convention, const QString& entite);

} // namespace editor
