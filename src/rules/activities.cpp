#include "rules/activities.h"

#include "data/contrat_fields.h"

#include <QRegularExpression>

namespace rules {

std::string RequeteActivites(bool administratif, const QString& convention, const QString& entite) {
    const std::string head = "SSELECT ACTIVITES AVEC 0 = \"" + entite.toStdString() + "]\"";
    if (administratif)
        return head + " PAR 1";
    if (convention != QLatin1String(data::contrat::ConventionParticulierEmployeur))
        return head + " AND AVEC 12 <> \"M\" PAR 1";
    return head + " AND AVEC 12 = \"M\" PAR 1";
}

bool ActiviteAdmise(const QString& contractType, int count, const QString& picked) {
    return count == 0 || contractType.isEmpty() || picked == contractType;
}

std::optional<long long> PartSaisie(const QString& text) {
    // Digits with at most two decimals after "," or ".", read exactly.
    const QString t = text.trimmed();
    const int sep = t.indexOf(QRegularExpression(QStringLiteral("[.,]")));
    const QString whole = sep < 0 ? t : t.left(sep);
    QString decimals = sep < 0 ? QString() : t.mid(sep + 1);
    if (whole.isEmpty() && decimals.isEmpty())
        return std::nullopt;
    for (const QString& part : {whole, decimals})
        for (QChar ch : part)
            if (!ch.isDigit())
                return std::nullopt;
    if (decimals.size() > 2)
        return std::nullopt;
    decimals = decimals.leftJustified(2, QLatin1Char('0'));
    const long long value = (whole.isEmpty() ? 0 : whole.toLongLong()) * 100 + decimals.toLongLong();
    if (value == 0)
        return std::nullopt;
    return value;
}

std::optional<QString> RefusTelegestion(const TelegestionSaisie& s) {
    if (s.entite.isEmpty())
        return QStringLiteral("Vous devez renseigner l'association sur l'onglet 'Origine'.");
    if (s.convention.isEmpty())
        return QStringLiteral("Vous devez renseigner la convention sur l'onglet 'Origine'.");
    if (s.employeur.isEmpty())
        return QStringLiteral("Vous devez renseigner l'employeur sur l'onglet 'Origine'.");
    if (s.activites == 0)
        return QStringLiteral("Vous devez renseigner les activités du contrat.");
    return std::nullopt;
}

} // namespace rules
