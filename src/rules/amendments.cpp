#include "rules/amendments.h"

#include "data/contrat_fields.h"
#include "data/dates.h"
#include "data/tables.h"
#include "rules/caracteristiques_checks.h"

#include <stdexcept>

namespace rules {

namespace {

std::optional<long long> Jour(const std::string& text) {
    if (text.empty())
        return std::nullopt;
    for (std::size_t i = text[0] == '-' ? 1 : 0; i < text.size(); ++i)
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
    try {
        return std::stoll(text);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

// The order in which the deletion removes the entry from the fields.
constexpr int ChampsSuppression[] = {14,  15,  16,  17,  18,  19,  20,  21,  22,  23,  24,  25,  68,  69,
                                     82,  108, 120, 121, 122, 123, 124, 125, 126, 127, 128, 133, 111, 112};

} // namespace

QString NumeroAvenantSuivant(const std::string& dernier) {
    const std::optional<long long> n = Jour(dernier);
    const long long suivant = n && *n >= 0 ? *n + 1 : 1;
    return QString::number(suivant).rightJustified(2, QLatin1Char('0'));
}

bool EstTermesInitiaux(const QString& numero) {
    return numero.isEmpty() || numero == QLatin1String("0") || numero == QLatin1String("00");
}

SortieDateEffet ControleDateEffet(const std::string& dateEffet, const std::string& debutContrat,
                                  const std::string& dateEffetPrecedente) {
    const std::optional<long long> effet = Jour(dateEffet);
    if (!effet)
        return {};
    const std::optional<long long> debut = Jour(debutContrat);
    if (!debut)
        return {QStringLiteral("Vous devez renseigner la date de début du contrat."), false};
    if (const std::optional<long long> precedente = Jour(dateEffetPrecedente); precedente && *effet < *precedente)
        return {QStringLiteral("La date d'effet doit être supérieure à la date d'effet de l'avenant précédent."),
                true};
    if (*effet < *debut)
        return {QStringLiteral("La date d'effet doit être supérieure ou égale à la date de début du contrat."), true};
    return {};
}

std::optional<Refus> VerifValidationAvenant(const QString& dateEffet, const std::string& derniereDateEffet) {
    Refus refus;
    refus.icon = ui::Icon::Exclamation;
    refus.focus = QStringLiteral("Txt_DatEffetContrat");
    if (dateEffet.isEmpty()) {
        refus.message = QString::fromUtf8(MessageDateEffetObligatoire);
        return refus;
    }
    const std::optional<long long> effet = Jour(data::dates::DateToInternal(dateEffet).toStdString());
    const std::optional<long long> derniere = Jour(derniereDateEffet);
    if (!effet || (derniere && *effet <= *derniere)) {
        refus.message =
            QStringLiteral("La date d'effet de l'avenant doit être supérieure à la date du dernier avenant.");
        return refus;
    }
    return std::nullopt;
}

std::vector<std::string> PeriodesDepuis(const std::string& jour, const std::string& courante) {
    std::vector<std::string> periodes;
    const std::optional<long long> j = Jour(jour);
    if (!j || courante.size() != 6)
        return periodes;
    const QDate date = data::dates::FromDayNumber(*j);
    int annee = date.year(), mois = date.month();
    // Bounded: a current period that is not one would otherwise never come.
    for (int garde = 0; garde < 1200; ++garde) {
        const std::string periode =
            QStringLiteral("%1%2").arg(annee, 4, 10, QLatin1Char('0')).arg(mois, 2, 10, QLatin1Char('0')).toStdString();
        if (periode > courante)
            break;
        periodes.push_back(periode);
        if (++mois > 12) {
            mois = 1;
            ++annee;
        }
    }
    return periodes;
}

std::optional<QString> VerifSuppressionAvenant(const SuppressionAvenantEntree& e, const ExisteDans& existe) {
    namespace t = data::tables;
    const std::vector<std::string> periodes = PeriodesDepuis(e.dateEffet, e.periodeCourante);
    for (const std::string& periode : periodes) {
        const std::string cle = e.cleContrat + periode;
        if (existe(t::DETAILCALCUL, cle) || (e.particulierEmployeur && existe(t::DETAILMANDAT, cle)))
            return QString::fromUtf8(MessageTraitementsPaie);
    }
    for (const std::string& periode : periodes) {
        const std::string cle = e.cleContrat + periode;
        if ((e.administratif && existe(t::DETAILADMIN, cle)) || existe(t::DETAILPREST, cle) ||
            existe(t::DETAILINTER, cle))
            return QString::fromUtf8(MessageTraitements);
    }
    return std::nullopt;
}

void SupprimerEntree(dba::Record& record, int n) {
    for (int field : ChampsSuppression)
        record.Delete(field, n);
}

} // namespace rules
