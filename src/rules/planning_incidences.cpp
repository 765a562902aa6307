#include "rules/planning_incidences.h"

#include "data/dates.h"
#include "data/table_fields.h"

#include <algorithm>
#include <map>

namespace rules {

namespace {

namespace t = data::tpsdetailsinterv;

// The scope shared by both selections, after the condition on the dates.
std::string Perimetre(const PerimetrePlanning& p) {
    std::string q = " AND AVEC CodeActInterv = \"" + p.activite + "\"";
    if (p.convention02)
        q += " AND AVEC CodeAide = \"" + p.beneficiaire + "\" AND AVEC TypeActDetailInterv = \"M\"";
    else
        q += " AND AVEC TypeActDetailInterv # \"M\"";
    return q + " PAR JourInterv PAR HeureInterv";
}

long long Nombre(const std::string& text, long long otherwise = 0) {
    try {
        return text.empty() ? otherwise : std::stoll(text);
    } catch (const std::exception&) {
        return otherwise;
    }
}

QString Date(long long day) {
    return data::dates::InternalToDate(QString::number(day));
}

QString Description(const Intervention& i) {
    QString line = NomJour(i.Jour()) + QStringLiteral("de ") + Heure(i.HeureDebut()) + QStringLiteral(" à ") +
                   Heure(i.heureFin) + QStringLiteral(",") + QStringLiteral(" chez ") + i.beneficiaire +
                   QStringLiteral(" à partir du ") + Date(i.Debut());
    if (const auto fin = i.Fin())
        line += QStringLiteral(" jusqu'au ") + Date(*fin);
    return line;
}

QString Hors(bool sansContratPermis) {
    return QString::fromUtf8(sansContratPermis ? SeraSansContrat : SeraSupprimee);
}

QString Ligne(const Intervention& i, const QString& consequence) {
    return QStringLiteral("\n") + Description(i) + QStringLiteral("\n") + QString(20, QLatin1Char(' ')) +
           consequence;
}

// The last day the slot keeps once cut at the new last working day.
std::optional<long long> FinCoupee(const Intervention& i, const NouvellesDates& d) {
    const auto fin = i.Fin();
    if (!d.dernierJour || i.Debut() > *d.dernierJour)
        return fin;
    if (!fin || *fin > *d.dernierJour)
        return d.dernierJour;
    return fin;
}

} // namespace

std::string RequeteInterventionsEnVigueur(const PerimetrePlanning& p, const std::string& jour) {
    return "SELECT TPSDETAILSINTERV = \"" + p.cleContrat + "]\" AVEC 1 >= \"" + jour + "\" OR = \"\"" +
           Perimetre(p);
}

std::string RequeteInterventionsAvantDebut(const PerimetrePlanning& p, const std::string& debut) {
    return "SELECT TPSDETAILSINTERV = \"" + p.cleContrat + "]\" AVEC DateDebInterv < \"" + debut + "\"" +
           Perimetre(p);
}

std::string Intervention::CodeBeneficiaire() const {
    return cle.size() >= 13 ? cle.substr(8, 5) : std::string();
}

long long Intervention::Debut() const {
    return cle.size() >= 18 ? Nombre(cle.substr(13, 5)) : 0;
}

std::optional<long long> Intervention::Fin() const {
    if (dateFin.empty())
        return std::nullopt;
    return Nombre(dateFin);
}

char Intervention::Jour() const {
    return cle.size() >= t::JourPosition ? cle[t::JourPosition - 1] : '\0';
}

std::string Intervention::HeureDebut() const {
    return cle.size() >= t::HeurePosition ? cle.substr(t::HeurePosition - 1, 4) : std::string();
}

std::string Intervention::CleDebutant(long long jour) const {
    std::string key = cle;
    const std::string day = QStringLiteral("%1").arg(jour, 5, 10, QLatin1Char('0')).toStdString();
    if (key.size() >= 18)
        key.replace(13, 5, day);
    return key;
}

QString Heure(const std::string& hhcc) {
    const long long hours = Nombre(hhcc.substr(0, 2));
    const long long hundredths = hhcc.size() > 2 ? Nombre(hhcc.substr(2, 2)) : 0;
    // Whole part of hundredths x 0.6 + 0.5, on whole numbers.
    const long long minutes = (hundredths * 6 + 5) / 10;
    return QString::number(hours) + QStringLiteral("h") +
           QStringLiteral("%1").arg(minutes, 2, 10, QLatin1Char('0'));
}

QString NomJour(char jour) {
    static const char* const noms[] = {"Lundi    ", "Mardi    ", "Mercredi ", "Jeudi    ",
                                       "Vendredi ", "Samedi   ", "Dimanche "};
    if (jour < '0' || jour > '6')
        return {};
    return QString::fromLatin1(noms[jour - '0']);
}

bool HorsContratAVerifier(const QString& dernierJourOuvert, const QString& dernierJour, bool debutModifie) {
    if (debutModifie)
        return true;
    return !dernierJourOuvert.trimmed().isEmpty() && dernierJour.trimmed() > dernierJourOuvert.trimmed();
}

QString TexteIncidences(const std::vector<Intervention>& avantDebut,
                        const std::vector<Intervention>& enVigueur, const NouvellesDates& dates,
                        bool sansContratPermis) {
    QString text;
    if (!avantDebut.empty()) {
        text = QString::fromUtf8(IntroHorsContrat);
        for (const Intervention& i : avantDebut) {
            const auto fin = FinCoupee(i, dates);
            text += Ligne(i, !fin || *fin >= dates.debut ? QStringLiteral("Nouvelle date de début au ") +
                                                               Date(dates.debut) + QStringLiteral(".")
                                                         : Hors(sansContratPermis));
        }
    }
    if (!enVigueur.empty() && dates.dernierJour) {
        if (!text.isEmpty())
            text += QStringLiteral("\n\n");
        text += QString::fromUtf8(IntroIncidences);
        for (const Intervention& i : enVigueur)
            text +=
                Ligne(i, i.Debut() <= *dates.dernierJour ? QStringLiteral("Nouvelle date de fin au ") +
                                                               Date(*dates.dernierJour) + QStringLiteral(".")
                                                         : Hors(sansContratPermis));
    }
    return text;
}

std::vector<Devenir> DevenirInterventions(const std::vector<Intervention>& avantDebut,
                                          const std::vector<Intervention>& enVigueur,
                                          const NouvellesDates& dates, bool sansContratPermis) {
    struct Vu {
        Intervention intervention;
        bool avant = false, vigueur = false;
    };
    std::vector<Vu> ordre;
    std::map<std::string, std::size_t> position;
    auto noter = [&](const Intervention& i, bool avant) {
        auto [it, nouveau] = position.try_emplace(i.cle, ordre.size());
        if (nouveau)
            ordre.push_back({i});
        (avant ? ordre[it->second].avant : ordre[it->second].vigueur) = true;
    };
    for (const Intervention& i : avantDebut)
        noter(i, true);
    if (dates.dernierJour)
        for (const Intervention& i : enVigueur)
            noter(i, false);

    std::vector<Devenir> result;
    for (const Vu& vu : ordre) {
        const Intervention& i = vu.intervention;
        Devenir d;
        d.intervention = i;
        d.debut = i.Debut();
        d.fin = i.Fin();
        const bool apresFin = vu.vigueur && i.Debut() > *dates.dernierJour;
        if (vu.vigueur && !apresFin)
            d.fin = FinCoupee(i, dates);
        const bool avantDebut = vu.avant && d.fin && *d.fin < dates.debut;
        if (apresFin || avantDebut) {
            d.horsContrat = true;
            d.supprimee = !sansContratPermis;
            d.periodesHorsContrat.push_back({i.Debut(), i.Fin()});
        } else {
            if (vu.avant) {
                d.debut = dates.debut;
                d.periodesHorsContrat.push_back({i.Debut(), dates.debut - 1});
            }
            if (d.fin != i.Fin())
                d.periodesHorsContrat.push_back({*d.fin + 1, i.Fin()});
        }
        result.push_back(std::move(d));
    }
    return result;
}

data::DemandeRemplacement Demande(const Devenir& devenir) {
    data::DemandeRemplacement d;
    d.cle = devenir.intervention.cle;
    d.heure = devenir.intervention.HeureDebut();
    if (devenir.horsContrat) {
        d.premierJour = std::to_string(devenir.intervention.Debut());
        d.dernierJour = std::to_string(devenir.intervention.Debut() - 1);
        return d;
    }
    d.premierJour = std::to_string(devenir.debut);
    if (devenir.fin)
        d.dernierJour = std::to_string(*devenir.fin);
    return d;
}

std::vector<PeriodeSansContrat> AjouterPeriode(std::vector<PeriodeSansContrat> notees,
                                               PeriodeSansContrat nouvelle) {
    auto& [first, last] = nouvelle;
    std::vector<PeriodeSansContrat> gardees;
    for (const auto& [debut, fin] : notees) {
        const bool disjointes = (last && debut > *last + 1) || (fin && first > *fin + 1);
        if (disjointes) {
            gardees.emplace_back(debut, fin);
            continue;
        }
        first = std::min(first, debut);
        last = last && fin ? std::optional<long long>(std::max(*last, *fin)) : std::nullopt;
    }
    gardees.push_back(nouvelle);
    return gardees;
}

} // namespace rules
