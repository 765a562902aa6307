#include "editor/invoicing_guard.h"

#include "data/contrat_fields.h"

#include <QDate>
#include <QLocale>

namespace editor {

QString MoisEnLettres(const std::string& period) {
    if (period.size() != 6)
        return {};
    const QDate first = QDate::fromString(
        QStringLiteral("01/%1/%2")
            .arg(QString::fromStdString(period.substr(4, 2)), QString::fromStdString(period.substr(0, 4))),
        QStringLiteral("dd/MM/yyyy"));
    if (!first.isValid())
        return {};
    return QLocale(QLocale::French, QLocale::France).toString(first, QStringLiteral("MMMM yyyy"));
}

QString GardeFacturation(const GardeFacturationEntree& entree, const GardeFacturationSources& sources) {
    if (!entree.paiementParAssociation || !entree.provisionConges ||
        entree.convention != QLatin1String(data::contrat::ConventionParticulierEmployeur) ||
        entree.dernierePeriode.empty())
        return {};
    if (sources.periodeFactureeEmployeur() == entree.dernierePeriode)
        return {};
    if (sources.etatCalcul(entree.cleContrat + entree.dernierePeriode) != "P")
        return {};
    return QStringLiteral("Vous ne pouvez pas accéder à l'onglet fin de contrat tant que vous n'avez pas "
                          "fait la facture du mois de ") +
           MoisEnLettres(entree.dernierePeriode);
}

} // namespace editor
