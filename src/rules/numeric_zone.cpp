#include "rules/numeric_zone.h"

namespace rules {

std::optional<ZoneRefusee> ZoneNumCarac(const QString& text, int avant, int apres, const QString& separator) {
    const bool minus = text.contains(QLatin1Char('-'));
    if (minus)
        ++avant;
    if (text == QLatin1String("-"))
        return ZoneRefusee{QStringLiteral("Vous ne pouvez pas saisir seulement un moins."), ui::Icon::Information};
    if (text == separator)
        return ZoneRefusee{QStringLiteral("Vous ne pouvez pas saisir une virgule seule."), ui::Icon::Information};
    if (text == QLatin1String("-") + separator)
        return ZoneRefusee{QStringLiteral("Vous ne pouvez pas saisir un moins et une virgule seuls."),
                           ui::Icon::Information};
    const int at = text.indexOf(separator);
    if (at >= 0) {
        if (at > avant)
            return ZoneRefusee{QStringLiteral("Trop de chiffres avant la virgule")};
        if (text.size() - at - separator.size() > apres)
            return ZoneRefusee{QStringLiteral("Trop de chiffres après la virgule")};
    } else if (text.size() > avant) {
        return ZoneRefusee{QStringLiteral("Zone numerique trop longue")};
    }
    return std::nullopt;
}

} // namespace rules
