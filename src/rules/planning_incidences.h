#pragma once
// What a change of a contract's dates does to the helper's planned
// interventions: which interventions are concerned, the text that tells the
// user, and what becomes of each one once the user has chosen.
//
// The planning holds one row per recurring slot (TPSDETAILSINTERV): the key
// says whose contract, for which beneficiary, from which day, on which
// weekday and at what time; field 1 is the last day (empty while open).
#include "data/planning_routines.h"

#include <QString>
#include <optional>
#include <string>
#include <vector>

namespace rules {

// The contract whose planning is looked at.
struct PerimetrePlanning {
    std::string cleContrat; // helper code + contract number
    bool convention02 = false;
    std::string activite;     // ACTIVITES key of the contract's first activity
    std::string beneficiaire; // the employer under agreement "02"
};

// Interventions in force on `jour` (day number) or later, in day and hour
// order, fields "0 1 2 3 4 5 6".
std::string RequeteInterventionsEnVigueur(const PerimetrePlanning& p, const std::string& jour);
// Interventions starting before `debut` (day number), in the same order.
std::string RequeteInterventionsAvantDebut(const PerimetrePlanning& p, const std::string& debut);

// One planned slot as selected.
struct Intervention {
    std::string cle;
    std::string dateFin;  // field 1: day number, empty while open
    std::string heureFin; // field 2: "hhcc"
    QString beneficiaire; // as shown: the beneficiary's name, or code

    std::string CodeBeneficiaire() const; // key characters 9-13
    long long Debut() const;              // key characters 14-18
    std::optional<long long> Fin() const;
    char Jour() const;              // key character 22, "0" Monday
    std::string HeureDebut() const; // key characters 23-26
    // The key with another start day.
    std::string CleDebutant(long long jour) const;
};

// "0850" -> "8h30": hours, then hundredths of an hour as minutes rounded.
QString Heure(const std::string& hhcc);
// "Lundi    " ... "Dimanche " (nine characters); empty for another day.
QString NomJour(char jour);

inline constexpr char IntroHorsContrat[] =
    "Des interventions du planning sont en dehors des dates de validité du contrat : ";
inline constexpr char IntroIncidences[] =
    "La modification du contrat aura les incidences suivantes sur le planning : ";
inline constexpr char SeraSansContrat[] = "Sera sans contrat.";
inline constexpr char SeraSupprimee[] = "Sera supprimée.";

// The new dates of the contract, day numbers.
struct NouvellesDates {
    long long debut = 0;
    std::optional<long long> dernierJour; // last working day; none while open-ended
};

// Whether the interventions starting before the start are looked at: the
// start moved, or a last working day filled when the contract was opened
// moved later (both as shown, "dd/mm/yyyy", compared as text).
bool HorsContratAVerifier(const QString& dernierJourOuvert, const QString& dernierJour, bool debutModifie);

// The incidences text: the interventions starting before the new start,
// then those still in force after the new last working day. Empty when
// neither list has any.
QString TexteIncidences(const std::vector<Intervention>& avantDebut,
                        const std::vector<Intervention>& enVigueur, const NouvellesDates& dates,
                        bool sansContratPermis);

// What becomes of one intervention listed in the text. Days are day numbers.
struct Devenir {
    Intervention intervention;
    long long debut = 0;          // the first day it keeps
    std::optional<long long> fin; // the last day it keeps (none: open)
    bool horsContrat = false;     // wholly outside the new dates
    bool supprimee = false;       // outside, and interventions without contract are not allowed
    // Parts of the slot outside the contract, [first, last] (last none: open).
    std::vector<std::pair<long long, std::optional<long long>>> periodesHorsContrat;

    bool DebutChange() const { return !horsContrat && debut != intervention.Debut(); }
    bool FinChange() const { return !horsContrat && fin != intervention.Fin(); }
};
// One per listed intervention, in the order of the text (an intervention in
// both lists once, where it first appears).
std::vector<Devenir> DevenirInterventions(const std::vector<Intervention>& avantDebut,
                                          const std::vector<Intervention>& enVigueur,
                                          const NouvellesDates& dates, bool sansContratPermis);

// The request that gives the slot its new dates, or removes it.
data::DemandeRemplacement Demande(const Devenir& devenir);

// A slot's periods without contract, [first, last] (last none: open).
using PeriodeSansContrat = std::pair<long long, std::optional<long long>>;
// The periods already noted with `nouvelle` added: periods that overlap or
// touch it are merged into it, so that a slot kept again after another
// change of dates is never counted twice. In the order noted, the merged
// period last.
std::vector<PeriodeSansContrat> AjouterPeriode(std::vector<PeriodeSansContrat> notees,
                                               PeriodeSansContrat nouvelle);

} // namespace rules
