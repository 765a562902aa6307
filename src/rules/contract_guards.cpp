#include "rules/contract_guards.h"

#include "data/dates.h"

namespace rules {

namespace {

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

QString Date(const std::string& day) {
    return day.empty() ? QString() : data::dates::InternalToDate(QString::fromStdString(day));
}

} // namespace

std::vector<RequeteGarde> RequetesTraitements(const ContratGarde& c, const std::string& periode) {
    auto detail = [&](const char* table) {
        if (periode.empty())
            return "SSELECT " + std::string(table) + " AVEC 0 = " + Quoted(c.cle + "]");
        return "SSELECT " + std::string(table) + " AVEC 0 > " + Quoted(c.cle + periode) + " AND = " +
               Quoted(c.cle + "]");
    };
    std::vector<RequeteGarde> requetes{{detail("DETAILCALCUL")}};
    if (c.convention02)
        requetes.push_back({detail("DETAILMANDAT")});
    if (c.administratif)
        requetes.push_back({detail("DETAILADMIN")});
    if (c.typeActivite == QLatin1String("P"))
        requetes.push_back({detail("DETAILPREST"), false});
    requetes.push_back({periode.empty() ? detail("DETAILINTER")
                                        : "SSELECT DETAILINTER AVEC 0 = " + Quoted(c.cle + "]") + " AND > " +
                                              Quoted("[" + periode)});
    return requetes;
}

bool TraitementsEffectues(const std::vector<RequeteGarde>& requetes,
                          const std::function<bool(const std::string&)>& anyRow) {
    for (const RequeteGarde& r : requetes) {
        const bool rows = anyRow(r.query);
        if (r.refuseSiLigne && rows)
            return true;
        if (!r.refuseSiLigne && !rows)
            return false; // a service-provider contract without service details
    }
    return false;
}

std::string PeriodeLimite(const std::string& endPeriod, const std::string& lastPayslipPeriod) {
    return lastPayslipPeriod > endPeriod ? lastPayslipPeriod : endPeriod;
}

std::string RequeteAutresContrats(const QString& codeAidant, const std::string& cle, const QString& convention,
                                  const QString& entite, const QString& employeur) {
    const bool particulier = convention == QLatin1String("02");
    std::string q = "SSELECT CONTRAT AVEC 0 = " + Quoted(codeAidant.toStdString() + "]") +
                    (particulier ? " AND AVEC 1 = \"02\"" : " AND AVEC 1 <> \"02\"") +
                    " AND AVEC 2 = " + Quoted(entite.toStdString());
    if (particulier)
        q += " AND AVEC 3 = " + Quoted(employeur.toStdString());
    return q + " AND AVEC 0 <> " + Quoted(cle) + " AND AVEC 65 <> \"O\"";
}

std::optional<QString> ConflitDateFin(const std::vector<AutreContrat>& autres, long long debut,
                                      const std::optional<long long>& nouvelleFin) {
    for (const AutreContrat& a : autres) {
        const long long start = a.debut.empty() ? 0 : std::stoll(a.debut);
        const std::optional<long long> end = a.fin.empty() ? std::nullopt : std::optional(std::stoll(a.fin));
        QString message;
        if (!nouvelleFin) {
            if (!end || *end >= debut)
                message = QStringLiteral("Suppression impossible de la date de fin car 2 contrats se retrouvent sans "
                                         "date de fin : ");
        } else if (start <= *nouvelleFin && (!end || *end >= debut)) {
            message = QStringLiteral("Modification impossible de la date de fin car 2 contrats ont maintenant des "
                                     "dates qui se chevauchent : ");
        }
        if (!message.isEmpty())
            return message + QStringLiteral("\n\nDate début        Date Fin\n") + Date(a.debut) +
                   QStringLiteral("       ") + Date(a.fin);
    }
    return std::nullopt;
}

} // namespace rules
