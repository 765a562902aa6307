#pragma once
// The activities a contract is employed for. Each activity has a type
// (ACTIVITES field 12): "M" for the private-employer agreement "02", "P" for
// service-provider work, others for the entity's own services. A production
// contract keeps to one type; its type is that of its first activity.
#include <QString>
#include <QStringList>
#include <optional>
#include <string>

namespace rules {

// The query of the entity's activities for the contract's status and
// agreement, on ACTIVITES fields "0 1 12" (codes begin with the entity's).
std::string RequeteActivites(bool administratif, const QString& convention, const QString& entite);

// Whether an activity of type `picked` may join a production contract of
// type `contractType` that already has `count` activities.
bool ActiviteAdmise(const QString& contractType, int count, const QString& picked);

// A share typed for an administrative contract: its value ×100, or none
// when it is no number or zero (nothing is added then).
std::optional<long long> PartSaisie(const QString& text);

// The values the telemanagement rights need, as shown on the editor.
struct TelegestionSaisie {
    QString entite, convention, employeur;
    int activites = 0;
};
// The first refusal of the telemanagement button, or none.
std::optional<QString> RefusTelegestion(const TelegestionSaisie& saisie);

} // namespace rules
