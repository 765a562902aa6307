#include "screens/siblings/reglages_telegestion.h"

#include "data/table_fields.h"

#include <algorithm>
#include <utility>

namespace screens::siblings {

namespace pt = data::paramtelegestion;

const std::vector<ModeTelegestion>& ModesTelegestion() {
    static const std::vector<ModeTelegestion> modes = {
        {"M", "Application mobile"}, {"B", "Badge au domicile"}, {"T", "Téléphone du domicile"}};
    return modes;
}

const std::vector<int>& ArrondisTelegestion() {
    static const std::vector<int> arrondis = {0, 5, 10, 15};
    return arrondis;
}

std::vector<QString> DecouperActivites(const QString& strAct, std::vector<QString> connues) {
    std::sort(connues.begin(), connues.end(),
              [](const QString& a, const QString& b) { return a.size() > b.size(); });
    const auto connueA = [&](qsizetype i) -> QString {
        for (const QString& cle : connues)
            if (!cle.isEmpty() && strAct.mid(i, cle.size()) == cle)
                return cle;
        return {};
    };
    const auto separateur = [](QChar c) {
        return c.isSpace() || c == QLatin1Char(';') || c == QLatin1Char(',');
    };
    std::vector<QString> activites;
    QString inconnue;
    for (qsizetype i = 0; i < strAct.size();) {
        const QString cle = separateur(strAct[i]) ? QString() : connueA(i);
        if (cle.isEmpty() && !separateur(strAct[i])) {
            inconnue += strAct[i++];
            continue;
        }
        if (!inconnue.isEmpty())
            activites.push_back(std::exchange(inconnue, QString()));
        if (cle.isEmpty()) {
            ++i;
        } else {
            activites.push_back(cle);
            i += cle.size();
        }
    }
    if (!inconnue.isEmpty())
        activites.push_back(inconnue);
    return activites;
}

std::string CleTelegestion(const QString& codeAidant, const QString& typeAct, const QString& codeAide,
                           const QString& activite) {
    return (codeAidant + (typeAct == QLatin1String("M") ? codeAide : QString()) + activite).toStdString();
}

ReglageTelegestion LireReglage(const dba::Record& record, const QString& activite, const QString& libelle) {
    ReglageTelegestion r;
    r.activite = activite;
    r.libelle = libelle;
    if (record.Item().empty())
        return r;
    const auto champ = [&record](int f) { return QString::fromStdString(record.Item(f)); };
    r.pointage = champ(pt::Pointage) == QLatin1String("1");
    r.mode = champ(pt::Mode).isEmpty() ? r.mode : champ(pt::Mode);
    r.tolerance = champ(pt::Tolerance).toInt();
    r.arrondi = champ(pt::Arrondi).toInt();
    r.badge = champ(pt::Badge);
    r.dateModif = champ(pt::DateModif);
    r.utilisateur = champ(pt::Utilisateur);
    return r;
}

void EcrireReglage(const ReglageTelegestion& r, dba::Record& record, const QString& jour,
                   const QString& utilisateur) {
    record.SetItem(pt::Pointage, r.pointage ? "1" : "0");
    record.SetItem(pt::Mode, r.mode.toStdString());
    record.SetItem(pt::Tolerance, std::to_string(r.tolerance));
    record.SetItem(pt::Arrondi, std::to_string(r.arrondi));
    record.SetItem(pt::Badge, r.badge.trimmed().toStdString());
    record.SetItem(pt::DateModif, jour.toStdString());
    record.SetItem(pt::Utilisateur, utilisateur.toStdString());
}

QString RefusReglage(const ReglageTelegestion& r) {
    if (!r.pointage || !r.badge.trimmed().isEmpty())
        return {};
    if (r.mode == QLatin1String("B"))
        return QStringLiteral("Vous devez saisir le numéro du badge pour l'activité « %1 ».").arg(r.libelle);
    if (r.mode == QLatin1String("T"))
        return QStringLiteral("Vous devez saisir le numéro de téléphone du domicile pour l'activité « %1 ».")
            .arg(r.libelle);
    return {};
}

} // namespace screens::siblings
