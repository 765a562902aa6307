// Contracts of the demo database and the records that hang off them: pay
// calculation details, planning, absences covered by replacements.
//
// Contracts are planned helper by helper, in memory, then written. The
// plans keep the rules a real file keeps: one helper never has two
// contracts at the same time with the same employer, a helper's running
// contracts stay under the legal weekly hours, end dates follow start dates,
// and every code written exists in its table.
#include "data/contrat_fields.h"
#include "data/demo_builder.h"
#include "data/demo_catalogue.h"
#include "data/demo_database.h"
#include "data/table_fields.h"
#include "data/tables.h"
#include "rules/pay_entry_amounts.h"

#include <algorithm>

namespace data::demo {

namespace {

namespace c = data::contrat;

constexpr long long MaxWeeklyHours = 4400; // x 100: stay clear of the 48-hour limit

struct Plan {
    int helper = 0;
    std::string agreement;
    int entity = 0;
    int beneficiary = -1;  // agreement "02"
    int establishment = 0; // other agreements: index in the entity's establishments
    bool fixedTerm = false;
    bool monthly = false;
    bool administrative = false;
    long long start = 0;
    long long end = 0;         // 0: running
    long long plannedEnd = 0;  // fixed-term: presumed end
    long long weeklyHours = 0; // x 100
    bool deleted = false;
    std::string endReason;
    long long seniorityStart = 0; // first contract with the same employer
    // Forced details of the showcase contracts.
    bool noPayslip = false;      // field 63 empty although the start is past
    bool pendingInvoice = false; // DETAILCALCUL "P" on the last pay period
    bool replacement = false;    // fixed-term replacing another helper's absence
    int amendments = -1;         // -1: drawn
};

bool Running(const Plan& p) {
    return p.end == 0 || p.end >= Today();
}

// The non-"02" agreement of an establishment: the nursing service is under
// the hospital agreement, the rural associations under their own.
std::string AgreementOf(int entity, int establishment) {
    if (entity == 1)
        return establishment == 1 ? "05" : "01";
    return entity == 3 ? "01" : "06";
}

// Demo amounts stay exact like typed ones: integer ratios rounded half up.
std::string Ratio(long long numerator, long long denominator) {
    return std::to_string((2 * numerator + denominator) / (2 * denominator));
}

const Activity* FirstActivityOfType(const Entity& e, const std::string& type) {
    for (const auto& a : e.activities)
        if (a.type == type)
            return &a;
    return nullptr;
}

std::vector<const Activity*> ActivitiesOfType(const Entity& e, const std::string& type) {
    std::vector<const Activity*> out;
    for (const auto& a : e.activities)
        if (a.type == type)
            out.push_back(&a);
    return out;
}

class ContractWriter {
public:
    explicit ContractWriter(Builder& b) : b_(b) {}

    void Write(Plan& p);

private:
    Builder& b_;
    DemoRandom& rng() { return b_.rng; }

    struct Entry {
        long long effective;
        std::string qualification, pcs, grid, coefficient, rate, duration, frequency, lissage, modulation;
        std::string comment1, comment2;
    };

    std::vector<Entry> Entries(const Plan& p);
    void WriteIdentity(const Plan& p, DemoRecord& r);
    void WriteTerms(const Plan& p, DemoRecord& r, const std::vector<Entry>& entries);
    std::vector<std::string> WritePay(const Plan& p, DemoRecord& r);
    void WriteLeave(const Plan& p, DemoRecord& r, const Entry& terms);
    void WriteEnd(const Plan& p, DemoRecord& r);
    std::string WritePayPeriods(const Plan& p, DemoRecord& r);
    void WriteFollowUp(const Plan& p, DemoRecord& r, const Entry& terms);
    void WritePayEntryItems(const Plan& p, DemoRecord& r, const std::vector<std::string>& activities,
                            const Entry& terms);
    void WriteComments(DemoRecord& r);
    void WriteFixedTermReason(const Plan& p, DemoRecord& r);
    void WriteCalculations(const Plan& p, const std::string& key, const std::string& lastPeriod);
    void WritePlanning(const Plan& p, const std::string& key, const std::vector<std::string>& activities);
};

const char* PcsLabel(const std::string& code) {
    for (const auto& e : PcsEntries())
        if (e.code == code)
            return e.label.c_str();
    return "";
}

std::vector<ContractWriter::Entry> ContractWriter::Entries(const Plan& p) {
    const bool mandataire = p.agreement == c::ConventionParticulierEmployeur;
    Entry first;
    first.effective = p.start;
    if (mandataire) {
        first.qualification = rng().Pick(
            std::vector<std::string>{"Assistant(e) de vie A", "Assistant(e) de vie B",
                                     "Assistant(e) de vie C", "Employé(e) familial(e)", "Garde de nuit"});
        first.pcs = rng().Percent(70) ? "563b" : "563c";
        first.rate = std::to_string(rng().Between(1150, 1580) * 10); // 11.50 to 15.80 an hour
        first.coefficient = "";
    } else if (p.administrative) {
        first.qualification = rng().Percent(70) ? "Secrétaire administrative" : "Responsable de secteur";
        first.pcs = rng().Percent(60) ? "542a" : "543d";
    } else if (p.agreement == "05") {
        first.qualification = "Aide-soignant(e)";
        first.pcs = "526a";
    } else {
        first.qualification = rng().Percent(60) ? "Aide à domicile" : "Auxiliaire de vie sociale";
        first.pcs = "563b";
    }
    if (!mandataire) {
        // Most associations pay by the agreement's career grid; some by a
        // coefficient and a rate of their own.
        std::vector<const Grid*> grids;
        for (const auto& g : Grids())
            if (g.agreement == p.agreement && !g.withdrawn)
                grids.push_back(&g);
        if (!grids.empty() && rng().Percent(70)) {
            const Grid* g =
                grids[static_cast<std::size_t>(rng().Below(static_cast<long long>(grids.size())))];
            first.grid = g->key;
            first.coefficient = g->baseCoefficient;
            first.rate = "0";
        } else {
            first.coefficient = std::to_string(rng().Between(255, 340) * 1000);
            first.rate = std::to_string(rng().Between(1190, 1720) * 10);
        }
    }
    // Duration: weekly hours, or the monthly equivalent for monthly pay.
    if (p.monthly && !mandataire) {
        first.frequency = "3";
        first.duration = Ratio(static_cast<long long>(p.weeklyHours) * 52, 12);
    } else {
        first.frequency = "1";
        first.duration = std::to_string(p.weeklyHours);
    }
    // A monthly production employee always has the modulation agreement
    // (the tab refuses one without it); half of them carry hours over.
    const bool monthlyProduction = p.monthly && !p.administrative;
    const bool carriesHours = monthlyProduction && rng().Percent(50);
    first.lissage = monthlyProduction ? "1" : "0";
    first.modulation = carriesHours ? (rng().Percent(70) ? "C" : "L") : "S";

    std::vector<Entry> entries{first};
    int count = p.amendments >= 0 ? p.amendments : 0;
    if (p.amendments < 0) {
        const long long n = rng().Below(100);
        count = n < 62 ? 0 : n < 84 ? 1 : n < 95 ? 2 : 3;
    }
    const long long lastDay = std::min(p.end ? p.end : Today(), Today());
    long long from = p.start + 60;
    for (int i = 0; i < count && from < lastDay - 30; ++i) {
        Entry e = entries.back();
        e.effective = rng().Between(from, std::min(lastDay, from + 700));
        from = e.effective + 60;
        const long long kind = rng().Below(3);
        if (kind == 0 && e.frequency == "1") {
            const long long hours =
                std::max<long long>(100, std::stoll(e.duration) + rng().Between(-4, 8) * 50);
            e.duration = std::to_string(hours);
            e.comment1 = "Modification de la durée hebdomadaire de travail";
            e.comment2 = "à la demande de l'employeur.";
        } else if (kind == 1 && !e.grid.empty()) {
            e.coefficient = std::to_string(std::stoll(e.coefficient) + 6000);
            e.comment1 = "Passage à l'échelon supérieur de la grille.";
        } else if (kind == 1 && e.qualification == "Assistant(e) de vie A") {
            e.qualification = "Assistant(e) de vie B";
            e.rate = std::to_string(std::stoll(e.rate) + 350);
            e.comment1 = "Changement de qualification après formation.";
        } else if (e.rate != "0" && !e.rate.empty()) {
            e.rate = std::to_string(std::stoll(e.rate) + rng().Between(10, 45) * 10);
            e.comment1 = "Revalorisation du taux horaire.";
        } else {
            e.coefficient = std::to_string(std::stoll(e.coefficient.empty() ? "0" : e.coefficient) + 3000);
            e.comment1 = "Revalorisation du coefficient.";
        }
        entries.push_back(e);
    }
    return entries;
}

void ContractWriter::WriteIdentity(const Plan& p, DemoRecord& r) {
    const Entity& e = b_.entities[static_cast<std::size_t>(p.entity)];
    r.Set(c::ConventionCollective, p.agreement);
    r.Set(c::EntiteJuridique, e.code);
    r.Set(c::Employeur, p.agreement == c::ConventionParticulierEmployeur
                            ? b_.beneficiaries[static_cast<std::size_t>(p.beneficiary)].code
                            : e.establishments[static_cast<std::size_t>(p.establishment)]);
    r.Set(c::TypeContrat, p.fixedTerm ? c::TypeCDD : c::TypeCDI);
    r.Set(c::ModeSalaire, p.monthly ? c::SalaireMensuel : c::SalaireHoraire);
    r.Set(c::Statut, p.administrative ? c::StatutAdministratif : c::StatutProduction);
    r.Set(c::DateDebut, DayText(p.start));
    if (p.end)
        r.Set(c::DateFin, DayText(p.end));
    r.Set(c::PeriodeEssai, p.fixedTerm ? "15" : p.administrative ? "60" : "30");
    r.Set(c::EssaiRenouvelable, !p.fixedTerm && rng().Percent(40) ? "1" : "0");
    const bool fullTime = p.weeklyHours >= 3500;
    r.Set(c::Nature, p.fixedTerm && !fullTime && rng().Percent(10) ? "05" : fullTime ? "01" : "02");
    if (p.fixedTerm) {
        r.Set(c::DateFinPresumee, DayText(p.plannedEnd));
        r.Set(c::DureeMinimale,
              std::to_string(std::max<long long>(1, (p.plannedEnd - p.start) / 30)) + " mois");
    }
    if (p.deleted)
        r.Set(c::Supprime, c::MarqueSupprime);
}

void ContractWriter::WriteTerms(const Plan& p, DemoRecord& r, const std::vector<Entry>& entries) {
    int n = 1;
    for (const auto& e : entries) {
        r.SetValue(c::NumeroAvenant, n, Padded(n - 1, 2));
        r.SetValue(c::DateEffet, n, DayText(e.effective));
        r.SetValue(c::Qualification, n, e.qualification);
        r.SetValue(c::CodePCS, n, e.pcs);
        r.SetValue(c::CategoriePCS, n, PcsLabel(e.pcs.substr(0, 2)));
        r.SetValue(c::FonctionPCS, n, PcsLabel(e.pcs));
        r.SetValue(c::Grille, n, e.grid);
        r.SetValue(c::DateDepartGrille, n, e.grid.empty() ? "" : DayText(p.start));
        r.SetValue(c::Coefficient, n, e.coefficient);
        r.SetValue(c::TauxHoraire, n, e.rate);
        r.SetValue(c::DureeTravail, n, e.duration);
        r.SetValue(c::FrequenceTravail, n, e.frequency);
        r.SetValue(c::Lissage, n, e.lissage);
        r.SetValue(c::HeuresModulation, n, e.modulation);
        r.SetValue(c::Commentaire1, n, e.comment1);
        r.SetValue(c::Commentaire2, n, e.comment2);
        ++n;
    }
    // The remaining entry fields carry nothing in this demo but keep one
    // (empty) value per entry, as the amendment commands expect.
    const int count = static_cast<int>(entries.size());
    for (int field : c::ChampsAvenant)
        if (r.Count(field) < count)
            r.SetValue(field, count, std::string());
    r.Set(c::JoursSuspensionGrille, "0");
    r.Set(c::DateAnciennete, DayText(p.seniorityStart ? p.seniorityStart : p.start));
    r.Set(c::JoursSuspensionAnciennete, "0");
}

std::vector<std::string> ContractWriter::WritePay(const Plan& p, DemoRecord& r) {
    const bool mandataire = p.agreement == c::ConventionParticulierEmployeur;
    const Helper& h = b_.helpers[static_cast<std::size_t>(p.helper)];
    const Entity& e = b_.entities[static_cast<std::size_t>(p.entity)];

    std::string profile, profile2;
    if (mandataire) {
        profile = p.monthly ? "102" : "101";
        if (!p.monthly && rng().Percent(12))
            profile2 = "104";
    } else if (p.administrative) {
        profile = p.agreement == "01" ? "206" : "205";
    } else if (p.agreement == "05") {
        profile = "204";
    } else if (p.agreement == "01") {
        profile = p.monthly ? "207" : "201";
    } else {
        profile = p.monthly ? "203" : "202";
    }
    r.Set(c::Profil, profile);
    r.Set(c::Profil2, profile2);
    r.Set(c::ModePaiement, h.hasBankDetails ? "1" : rng().Percent(80) ? "2" : "3");
    const bool paidByAssociation = !mandataire || p.pendingInvoice || rng().Percent(60);
    r.Set(c::PaiementParAssociation, paidByAssociation ? "1" : "0");
    std::string scheme;
    for (const auto& s : ProvidentSchemes())
        if (s.agreement == p.agreement && (scheme.empty() || (p.administrative && s.code == "05") ||
                                           (mandataire && s.code == "02" && rng().Percent(20))))
            scheme = s.code;
    r.Set(c::Prevoyance, scheme);
    b_.helpers[static_cast<std::size_t>(p.helper)].providentSchemes.insert(scheme);
    r.Set(c::MarqueOngletPaie, "B");
    const bool leaveMonthly = mandataire && !p.pendingInvoice && rng().Percent(10);
    r.Set(c::CongesPayesAuMois, leaveMonthly ? "1" : "0");
    if (rng().Percent(45)) {
        const long long share = rng().Between(12, 32) * 100 + rng().Below(4) * 25;
        r.Set(c::MutuellePartSalariale, std::to_string(share));
        r.Set(c::MutuellePartPatronale, std::to_string(share));
        r.Set(c::RubriqueChargeMutuelle, rng().Pick(std::vector<std::string>{"300", "301", "302"}));
    } else {
        r.Set(c::MutuellePartSalariale, "0");
        r.Set(c::MutuellePartPatronale, "0");
    }
    r.Set(c::CarteOrange, rng().Percent(85) ? "0" : "5");

    std::vector<std::string> activities;
    std::vector<std::string> shares;
    if (p.administrative) {
        activities.push_back(FirstActivityOfType(e, "A")->key);
        if (rng().Percent(50)) {
            activities.push_back(FirstActivityOfType(e, "P")->key);
            const long long first = rng().Between(5, 9) * 1000;
            shares = {std::to_string(first), std::to_string(10000 - first)};
        } else {
            shares = {"10000"};
        }
    } else if (mandataire) {
        const auto mandates = ActivitiesOfType(e, "M");
        const Activity* a = rng().Pick(mandates);
        activities.push_back(a->key);
        if (rng().Percent(15)) {
            const Activity* other = rng().Pick(mandates);
            if (other != a)
                activities.push_back(other->key);
        }
        shares.assign(activities.size(), "");
    } else if (p.agreement == "05") {
        activities.push_back(FirstActivityOfType(e, "S")->key);
        shares = {""};
    } else {
        const auto services = ActivitiesOfType(e, "P");
        activities.push_back(rng().Pick(services)->key);
        if (rng().Percent(20))
            activities.push_back(FirstActivityOfType(e, "I")->key);
        shares.assign(activities.size(), "");
    }
    r.SetValues(c::Activites, activities);
    r.SetValues(c::RepartitionActivites, shares);

    if (rng().Percent(4))
        r.Set(c::PlafondSecuIndividuel, std::to_string(rng().Between(1800, 3900) * 100));
    const bool provision =
        mandataire && paidByAssociation && !leaveMonthly && (p.pendingInvoice || rng().Percent(60));
    r.Set(c::ProvisionConges, provision ? "1" : "0");
    if (mandataire && p.fixedTerm && rng().Percent(30)) {
        r.Set(c::MotifDispense, "1");
        r.Set(c::DateFinValiditeDispense, DayText(p.plannedEnd));
    } else {
        r.Set(c::MotifDispense, "0");
    }
    return activities;
}

void ContractWriter::WriteLeave(const Plan& p, DemoRecord& r, const Entry& terms) {
    const long long weekly =
        terms.frequency == "3" ? std::stoll(terms.duration) * 12 / 52 : std::stoll(terms.duration);
    const long long rate = terms.rate.empty() || terms.rate == "0" ? 11880 : std::stoll(terms.rate);
    const long long dayHours = weekly / 6;                                 // a working day, x 100
    const long long acquired = Running(p) ? rng().Between(0, 60) * 50 : 0; // half days, x 100
    const long long remaining = std::min(acquired, rng().Between(0, 60) * 50);
    // Days being earned are whole days: the tab refuses anything else.
    const long long current = Running(p) ? rng().Between(0, 25) * 100 : 0;
    r.Set(c::CPAcquis, std::to_string(acquired));
    r.Set(c::CPRestants, std::to_string(remaining));
    r.Set(c::CFAcquis, std::to_string(acquired >= 2400 ? rng().Between(0, 2) : 0));
    r.Set(c::CFRestants, "0");
    r.Set(c::JourOuvrableHeures, std::to_string(dayHours));
    // Amounts in cents: hours x 100 times the rate x 1000.
    r.Set(c::JourOuvrableMontant, Ratio(dayHours * rate, 1000));
    r.Set(c::CPEnCoursJours, std::to_string(current));
    r.Set(c::CPEnCoursHeures, Ratio(current * dayHours, 100));
    r.Set(c::CPEnCoursMontant, Ratio(current * dayHours * rate, 100000));
    r.Set(c::CAncienneteAcquis, "0");
    r.Set(c::CAncienneteRestants, "0");
    r.Set(c::JoursAnticipation, "0");
    // The provision carries the 10 % of leave pay on top.
    r.Set(c::ProvisionCP, Ratio(remaining * dayHours * rate * 110, 10000000));
    r.Set(c::ProvisionEnCours, Ratio(current * dayHours * rate * 110, 10000000));
}

void ContractWriter::WriteEnd(const Plan& p, DemoRecord& r) {
    if (!p.end)
        return;
    const std::string& reason = p.endReason;
    r.Set(c::MotifFin, reason);
    r.Set(c::DernierJourTravaille, DayText(p.end));
    r.Set(c::DateFinReelle, DayText(p.end));
    r.Set(c::PrimePrecarite, p.fixedTerm && reason == "31" ? "1" : "0");
    r.Set(c::PeriodeDernierBulletin, PeriodOfDay(p.end));
    r.Set(c::OrganismeRetraite, b_.entities[static_cast<std::size_t>(p.entity)].retirementBodies.front());
    const bool withNotice =
        !p.fixedTerm && reason != "34" && reason != "35" && reason != "65" && reason != "43";
    if (withNotice) {
        r.Set(c::DateNotification, DayText(p.end - rng().Between(30, 62)));
        if (rng().Percent(80)) {
            r.Set(c::PreavisEffectueDebut, DayText(p.end - 29));
            r.Set(c::PreavisEffectueFin, DayText(p.end));
        } else {
            r.Set(c::PreavisPayeDebut, DayText(p.end - 29));
            r.Set(c::PreavisPayeFin, DayText(p.end));
            r.Set(c::MotifNonVersement, "Préavis dispensé à la demande de la salariée.");
        }
    }
    if (reason == "43")
        r.Set(c::DateSignatureRupture, DayText(p.end - rng().Between(35, 60)));
    static const std::set<std::string> dismissals = {"11", "12", "14", "15", "20", "25", "26",
                                                     "38", "65", "91", "92", "93", "33"};
    if (dismissals.count(reason))
        r.Set(c::CalculIndemniteLicenciement, rng().Percent(70) ? "1" : "0");
    if (reason == "65")
        r.Set(c::ComplementMotif, "Décès de l'employeur, contrat rompu de plein droit.");
    else if (reason == "93")
        r.Set(c::ComplementMotif, "Entrée de l'employeur en EHPAD.");
    if (rng().Percent(25)) {
        r.SetValue(c::Observations, 1, "Documents de fin de contrat remis en main propre.");
        r.SetValue(c::Observations, 2, "Solde de tout compte signé.");
    }
}

// The pay periods a payslip was calculated for: none before the start,
// none for the current period (being prepared).
std::string ContractWriter::WritePayPeriods(const Plan& p, DemoRecord& r) {
    if (p.noPayslip || p.start >= CurrentPeriodStart())
        return {};
    std::string last = p.end ? PeriodOfDay(p.end) : std::string("202610");
    if (last > "202610")
        last = "202610";
    r.Set(c::PeriodeBulletinCalcule, last);
    r.Set(c::DernierePeriodePaie, last);
    return last;
}

void ContractWriter::WriteFollowUp(const Plan& p, DemoRecord& r, const Entry& terms) {
    if (!p.monthly || p.administrative)
        return;
    const long long monthly = terms.frequency == "3" ? std::stoll(terms.duration) : p.weeklyHours * 52 / 12;
    const std::string startPeriod = PeriodOfDay(p.start);
    const std::string endPeriod = p.end ? PeriodOfDay(p.end) : std::string("999999");
    struct Year {
        const char* first;
        const char* last;
        int period, contracted, absence, actual, difference, adjustment;
    };
    namespace s = c::suivi;
    const Year years[] = {
        {"202501", "202512", s::PrecPeriode, s::PrecHeuresContrat, s::PrecHeuresAbsence, s::PrecHeuresReelles,
         s::PrecDifference, s::PrecRegulModulation},
        {"202601", "202610", s::Periode, s::HeuresContrat, s::HeuresAbsence, s::HeuresReelles, s::Difference,
         s::RegulModulation},
    };
    for (const auto& y : years) {
        std::string period = std::max<std::string>(y.first, startPeriod);
        const std::string last = std::min<std::string>(y.last, endPeriod);
        for (; period <= last; period = NextPeriod(period)) {
            const long long absence = rng().Percent(20) ? rng().Between(2, 12) * 350 : 0;
            const long long flat = monthly - absence;
            const long long actual = std::max<long long>(0, flat + rng().Between(-16, 16) * 25);
            const long long adjustment = rng().Percent(10) ? rng().Between(-4, 4) * 100 : 0;
            r.Add(y.period, period);
            r.Add(y.contracted, std::to_string(monthly));
            r.Add(y.absence, std::to_string(absence));
            r.Add(y.actual, std::to_string(actual));
            r.Add(y.difference, std::to_string(actual - flat));
            r.Add(y.adjustment, std::to_string(adjustment));
        }
    }
}

void ContractWriter::WritePayEntryItems(const Plan& p, DemoRecord& r,
                                        const std::vector<std::string>& activities, const Entry& terms) {
    std::vector<const PayEntryItem*> offered;
    for (const auto& item : PayEntryItems())
        if (!item.withdrawn)
            offered.push_back(&item);
    const long long count = rng().Between(1, 3);
    const long long hourlyRate = terms.rate.empty() || terms.rate == "0" ? 11880 : std::stoll(terms.rate);
    for (long long i = 0; i < count; ++i) {
        const PayEntryItem& item = *rng().Pick(offered);
        long long base = 0, rate = 0, amount = 0; // x 100, x 10000, x 100
        if (item.baseMode == "0" || item.baseMode == "1")
            base = rng().Between(2, 40) * 50;
        if (item.rateMode == "0")
            rate = hourlyRate * 10;
        else if (item.rateMode == "1" || item.rateMode == "4")
            rate = std::stoll(item.fixedRate);
        if (item.amountMode == "0")
            amount = rng().Between(20, 250) * 100;
        else if (item.amountMode == "1")
            amount = std::stoll(item.fixedAmount);
        else
            amount = rules::AmountFromBaseAndRate(base, rate);
        r.Add(c::RubSaisieCode, item.code);
        r.Add(c::RubSaisieBase, std::to_string(base));
        r.Add(c::RubSaisieTaux, std::to_string(rate));
        r.Add(c::RubSaisieMontant, std::to_string(amount));
        r.Add(c::RubSaisieActivite, p.administrative ? std::string() : activities.front());
    }
}

void ContractWriter::WriteComments(DemoRecord& r) {
    static const char* const texts[] = {
        "Régularisation des heures d'octobre.",   "Prime de fin d'année versée en décembre.",
        "Indemnités kilométriques du trimestre.", "Rappel de salaire suite à l'avenant.",
        "Heures de nuit majorées à 25 %.",
    };
    const std::string periods[] = {"202610", PeriodeCourante, PeriodeSuivante};
    const long long first = rng().Below(2);
    const long long count = rng().Between(1, 2);
    for (long long i = 0; i < count; ++i) {
        r.Add(c::PeriodesCommentaire, periods[first + i]);
        r.Add(c::TextesCommentaire, rng().Pick(texts));
    }
}

void ContractWriter::WriteFixedTermReason(const Plan& p, DemoRecord& r) {
    if (!p.fixedTerm)
        return;
    const bool replacement = p.replacement || rng().Percent(45);
    if (replacement && b_.helpers.size() > 1) {
        r.Set(c::MotifEmbauche, "01");
        // The helper replaced is another helper of the association, absent
        // for the length of the contract.
        int replaced = static_cast<int>(rng().Below(static_cast<long long>(b_.helpers.size())));
        if (replaced == p.helper)
            replaced = (replaced + 1) % static_cast<int>(b_.helpers.size());
        Helper& h = b_.helpers[static_cast<std::size_t>(replaced)];
        h.absences.emplace_back(p.start, p.plannedEnd);
        const std::string absenceKey =
            h.code + Padded(static_cast<long long>(h.absences.size()), 2) + DayText(p.start);
        r.Set(c::AidantsRemplaces, h.code);
        r.Set(c::AbsencesRemplacees, absenceKey);
        r.SetValue(c::MotifEmbaucheTexte, 1, "Remplacement de " + h.firstName + " " + h.name);
        r.SetValue(c::MotifEmbaucheTexte, 2, "absente pendant la durée du contrat.");
        if (rng().Percent(20))
            r.Set(c::RemplacesSansCode, "Mme Lucienne Garnier (salariée de l'employeur)");
    } else {
        const std::string code = rng().Pick(std::vector<std::string>{"02", "02", "03", "05"});
        r.Set(c::MotifEmbauche, code);
        r.SetValue(c::MotifEmbaucheTexte, 1,
                   code == "02" ? "Surcroît d'activité lié au retour à domicile"
                                : "Besoin temporaire du service");
        r.SetValue(c::MotifEmbaucheTexte, 2, "jusqu'au " + ShownDate(p.plannedEnd) + " (date de fin prévue).");
    }
}

void ContractWriter::WriteCalculations(const Plan& p, const std::string& key, const std::string& lastPeriod) {
    if (lastPeriod.empty())
        return;
    if (!p.pendingInvoice && !rng().Percent(35))
        return;
    // The last two calculated months, not before the start.
    std::vector<std::string> periods{lastPeriod};
    const long long previousDay = FirstDayOfPeriod(lastPeriod) - 1;
    if (previousDay >= p.start)
        periods.insert(periods.begin(), PeriodOfDay(previousDay));
    for (const auto& period : periods) {
        DemoRecord r;
        const bool pending = p.pendingInvoice && period == lastPeriod;
        r.Set(detailcalcul::Etat, pending ? "P" : "F");
        r.Set(2, std::to_string(rng().Between(200, 1600) * 100)); // gross pay, x 100
        b_.Write(tables::DETAILCALCUL, key + period, r);
        if (p.agreement == c::ConventionParticulierEmployeur) {
            DemoRecord m;
            m.Set(1, pending ? "P" : "F");
            b_.Write(tables::DETAILMANDAT, key + period, m);
        }
    }
}

void ContractWriter::WritePlanning(const Plan& p, const std::string& key,
                                   const std::vector<std::string>& activities) {
    if (p.deleted || p.administrative || !Running(p) || p.start > Today() || !rng().Percent(45))
        return;
    const Entity& e = b_.entities[static_cast<std::size_t>(p.entity)];
    std::string beneficiary;
    if (p.agreement == c::ConventionParticulierEmployeur) {
        beneficiary = b_.beneficiaries[static_cast<std::size_t>(p.beneficiary)].code;
    } else {
        // A service provider's helper goes to beneficiaries of the entity.
        for (int tries = 0; tries < 8 && beneficiary.empty(); ++tries) {
            const auto& candidate = b_.beneficiaries[static_cast<std::size_t>(
                rng().Between(3, static_cast<long long>(b_.beneficiaries.size()) - 1))];
            if (candidate.entity == p.entity)
                beneficiary = candidate.code;
        }
        if (beneficiary.empty())
            return;
    }
    std::string type = "M";
    for (const auto& a : e.activities)
        if (a.key == activities.front())
            type = a.type;
    const long long from = std::max(p.start, Today() - 180);
    const long long slots = rng().Between(1, 3);
    for (long long i = 0; i < slots; ++i) {
        const long long weekday = rng().Below(6);
        const long long startHour = rng().Between(8, 16);
        const std::string start = Padded(startHour, 2) + (rng().Percent(50) ? "00" : "50");
        const long long length = rng().Between(1, 3);
        const std::string interventionKey =
            key + beneficiary + Padded(from, 5) + type + Padded(i + 1, 2) + std::to_string(weekday) + start;
        DemoRecord r;
        if (p.end)
            r.Set(tpsdetailsinterv::DateFin, DayText(p.end));
        r.Set(tpsdetailsinterv::HeureFin, Padded(startHour + length, 2) + start.substr(2));
        r.Set(tpsdetailsinterv::Activite, activities.front());
        b_.Write(tables::TPSDETAILSINTERV, interventionKey, r);
    }
}

void ContractWriter::Write(Plan& p) {
    Helper& helper = b_.helpers[static_cast<std::size_t>(p.helper)];
    const std::string key = helper.code + Padded(helper.nextContract++, 3);
    DemoRecord r;
    WriteIdentity(p, r);
    const auto entries = Entries(p);
    WriteTerms(p, r, entries);
    const auto activities = WritePay(p, r);
    WriteLeave(p, r, entries.back());
    WriteEnd(p, r);
    const std::string lastPeriod = WritePayPeriods(p, r);
    WriteFollowUp(p, r, entries.back());
    if (!lastPeriod.empty() && rng().Percent(25))
        WritePayEntryItems(p, r, activities, entries.back());
    if (rng().Percent(12))
        WriteComments(r);
    WriteFixedTermReason(p, r);
    b_.Write(tables::CONTRAT, key, r);
    WriteCalculations(p, key, lastPeriod);
    WritePlanning(p, key, activities);

    // What the people's records need to know.
    if (p.deleted)
        return;
    if (p.beneficiary >= 0) {
        Beneficiary& ben = b_.beneficiaries[static_cast<std::size_t>(p.beneficiary)];
        ++ben.contracts;
        ben.running = ben.running || Running(p);
    }
    long long& mission = helper.missions.try_emplace(p.entity, -1).first->second;
    if (Running(p))
        mission = 0;
    else if (mission != 0)
        mission = std::max(mission, p.end);
    if (Running(p))
        helper.working = true;
    else
        helper.lastEnd = std::max(helper.lastEnd, p.end);
}

// --- Planning the contracts ---

const std::string EndReasonsOpenEnded[] = {"59", "59", "59", "43", "91", "20", "39", "65", "93", "14"};
const std::string EndReasonsFixedTerm[] = {"31", "31", "31", "31", "36", "37", "33"};

class Planner {
public:
    explicit Planner(Builder& b) : b_(b) {
        // Some beneficiaries employ many helpers: they weigh more in the draw.
        for (std::size_t i = 3; i < b.beneficiaries.size(); ++i) {
            const int weight = b.rng.Percent(15) ? 10 : 1;
            for (int w = 0; w < weight; ++w)
                urn_[b.beneficiaries[i].entity].push_back(static_cast<int>(i));
        }
    }

    std::vector<Plan> Showcase();
    void Random(int helper, std::vector<Plan>& plans);

private:
    Builder& b_;
    std::map<int, std::vector<int>> urn_; // entity -> beneficiaries, weighted

    DemoRandom& rng() { return b_.rng; }
    bool Fits(const Plan& p) const {
        return !Running(p) ||
               b_.helpers[static_cast<std::size_t>(p.helper)].weeklyHours + p.weeklyHours <= MaxWeeklyHours;
    }
    void Commit(Plan& p, std::vector<Plan>& plans) {
        Helper& h = b_.helpers[static_cast<std::size_t>(p.helper)];
        if (Running(p) && !p.deleted)
            h.weeklyHours += p.weeklyHours;
        h.employers.insert(EmployerOf(p));
        plans.push_back(p);
    }
    std::string EmployerOf(const Plan& p) const {
        return p.beneficiary >= 0 ? b_.beneficiaries[static_cast<std::size_t>(p.beneficiary)].code
                                  : b_.entities[static_cast<std::size_t>(p.entity)]
                                        .establishments[static_cast<std::size_t>(p.establishment)];
    }
    void DrawDates(Plan& p, long long earliest);
};

void Planner::DrawDates(Plan& p, long long earliest) {
    if (p.start == 0)
        p.start = rng().Between(std::max(earliest, Day(2013, 1, 1)), Day(2026, 11, 30));
    if (p.fixedTerm) {
        p.plannedEnd = p.start + rng().Between(30, 540);
        if (p.plannedEnd < Today()) {
            p.endReason = rng().Pick(EndReasonsFixedTerm);
            p.end = p.endReason == "31" ? p.plannedEnd : rng().Between(p.start + 20, p.plannedEnd);
        }
    } else if (rng().Percent(45)) {
        const long long end = p.start + rng().Between(20, 3000);
        if (end < Today()) {
            p.end = end;
            p.endReason =
                end - p.start < 60 ? (rng().Percent(50) ? "34" : "35") : rng().Pick(EndReasonsOpenEnded);
            if (p.agreement != c::ConventionParticulierEmployeur &&
                (p.endReason == "65" || p.endReason == "93"))
                p.endReason = "59";
        }
    }
}

std::vector<Plan> Planner::Showcase() {
    std::vector<Plan> plans;
    const int many = 0; // beneficiary 00001
    const int helpers = std::min<int>(17, static_cast<int>(b_.helpers.size()));
    // Beneficiary 00001: one running contract with each of 17 helpers.
    for (int i = 0; i < helpers; ++i) {
        Plan p;
        p.helper = i;
        p.agreement = c::ConventionParticulierEmployeur;
        p.entity = b_.beneficiaries[many].entity;
        p.beneficiary = many;
        p.fixedTerm = i % 5 == 4;
        p.monthly = i % 4 == 1;
        p.weeklyHours = rng().Between(8, 24) * 25;
        p.start = rng().Between(Day(2018, 9, 1), Day(2026, 9, 30));
        if (p.fixedTerm)
            p.plannedEnd = Day(2027, 1, 1) + rng().Between(0, 300);
        if (i == 2) // after the fixed-term contract below
            p.start = rng().Between(Day(2021, 9, 1), Day(2026, 9, 30));
        if (i == 3) { // resigned this month; last month's invoice is not made yet
            p.end = Day(2026, 11, 20);
            p.endReason = "59";
            p.pendingInvoice = true;
            b_.beneficiaries[many].lastInvoiced = "202609";
        }
        if (i == 5) { // started this month: no payslip yet, the start can still move
            p.start = Day(2026, 11, 16);
            p.noPayslip = true;
            p.amendments = 0;
        }
        if (i == 6) { // starts next year
            p.start = Day(2027, 1, 4);
            p.amendments = 0;
        }
        if (i == 7) { // a long story of amendments
            p.start = rng().Between(Day(2018, 9, 1), Day(2022, 12, 31));
            p.amendments = 3;
        }
        plans.push_back(p);
    }
    // Earlier contracts with 00001: ended, and one deleted.
    if (helpers >= 3) {
        Plan ended;
        ended.helper = 0;
        ended.agreement = c::ConventionParticulierEmployeur;
        ended.entity = b_.beneficiaries[many].entity;
        ended.beneficiary = many;
        ended.weeklyHours = 1000;
        ended.start = Day(2016, 3, 1);
        ended.end = Day(2018, 6, 30);
        ended.endReason = "43";
        plans.insert(plans.begin(), ended);

        Plan fixed = ended;
        fixed.helper = 2;
        fixed.fixedTerm = true;
        fixed.start = Day(2021, 2, 1);
        fixed.plannedEnd = Day(2021, 7, 31);
        fixed.end = fixed.plannedEnd;
        fixed.endReason = "31";
        fixed.replacement = true;
        plans.insert(plans.begin(), fixed);

        Plan deleted = ended;
        deleted.helper = 1;
        deleted.start = Day(2024, 2, 1);
        deleted.end = 0;
        deleted.endReason.clear();
        deleted.deleted = true;
        plans.push_back(deleted);
    }
    // Beneficiary 00003: only ended contracts (moved to a nursing home).
    if (b_.helpers.size() >= 9) {
        const long long ends[] = {Day(2019, 8, 31), Day(2022, 1, 15), Day(2025, 3, 31), Day(2025, 3, 31)};
        const char* reasons[] = {"59", "31", "93", "93"};
        for (int i = 0; i < 4; ++i) {
            Plan p;
            p.helper = 4 + i;
            p.agreement = c::ConventionParticulierEmployeur;
            p.entity = b_.beneficiaries[2].entity;
            p.beneficiary = 2;
            p.fixedTerm = i == 1;
            p.weeklyHours = rng().Between(8, 30) * 50;
            p.end = ends[i];
            p.start = p.end - rng().Between(200, 1400);
            p.plannedEnd = p.fixedTerm ? p.end : 0;
            p.endReason = reasons[i];
            plans.push_back(p);
        }
    }
    // Other employers: an administrative employee of the head office and a
    // nurse's aide replacing an absent colleague.
    if (b_.helpers.size() >= 18) {
        Plan office;
        office.helper = 17;
        office.agreement = AgreementOf(0, 2);
        office.entity = 0;
        office.establishment = 2;
        office.administrative = true;
        office.monthly = true;
        office.weeklyHours = 3500;
        office.start = Day(2017, 9, 4);
        office.amendments = 2;
        plans.push_back(office);

        Plan ssiad;
        ssiad.helper = 9;
        ssiad.agreement = AgreementOf(1, 1);
        ssiad.entity = 1;
        ssiad.establishment = 1;
        ssiad.fixedTerm = true;
        ssiad.monthly = true;
        ssiad.weeklyHours = 2450;
        ssiad.start = Day(2026, 6, 1);
        ssiad.plannedEnd = Day(2027, 2, 28);
        ssiad.replacement = true;
        plans.push_back(ssiad);
    }
    for (auto& p : plans) {
        if (p.beneficiary >= 0 && p.helper == 0 && !p.end)
            p.seniorityStart = Day(2016, 3, 1);
        Helper& h = b_.helpers[static_cast<std::size_t>(p.helper)];
        if (Running(p) && !p.deleted)
            h.weeklyHours += p.weeklyHours;
        h.employers.insert(EmployerOf(p));
    }
    return plans;
}

void Planner::Random(int helperIndex, std::vector<Plan>& plans) {
    const Helper& h = b_.helpers[static_cast<std::size_t>(helperIndex)];
    const long long count = rng().Between(1, 6);
    Plan previous;
    bool hasPrevious = false;
    for (long long j = 0; j < count; ++j) {
        Plan p;
        p.helper = helperIndex;
        // A fixed-term contract often goes on with the same employer.
        if (hasPrevious && previous.end && previous.end < Today() - 31 && rng().Percent(30)) {
            p.agreement = previous.agreement;
            p.entity = previous.entity;
            p.beneficiary = previous.beneficiary;
            p.establishment = previous.establishment;
            p.administrative = previous.administrative;
            p.monthly = previous.monthly;
            p.weeklyHours = previous.weeklyHours;
            p.start = previous.end + rng().Between(1, 30);
            p.seniorityStart = previous.seniorityStart ? previous.seniorityStart : previous.start;
            p.fixedTerm = rng().Percent(30);
            DrawDates(p, p.start);
        } else {
            p.entity = rng().Percent(80) ? h.entity : static_cast<int>(rng().Below(4));
            if (rng().Percent(70)) {
                p.agreement = c::ConventionParticulierEmployeur;
                const auto& urn = urn_[p.entity];
                if (urn.empty())
                    continue;
                p.beneficiary =
                    urn[static_cast<std::size_t>(rng().Below(static_cast<long long>(urn.size())))];
                p.fixedTerm = rng().Percent(25);
                p.monthly = rng().Percent(20);
                p.weeklyHours = rng().Between(8, 64) * 25;
            } else {
                const Entity& e = b_.entities[static_cast<std::size_t>(p.entity)];
                p.establishment =
                    static_cast<int>(rng().Below(static_cast<long long>(e.establishments.size())));
                p.agreement = AgreementOf(p.entity, p.establishment);
                p.administrative = p.agreement != "05" && rng().Percent(12);
                p.fixedTerm = rng().Percent(40);
                p.monthly = rng().Percent(75);
                p.weeklyHours = p.administrative || rng().Percent(30) ? 3500 : rng().Between(35, 60) * 50;
            }
            if (h.employers.count(EmployerOf(p)))
                continue; // never two contracts with the same employer, unless one follows the other
            DrawDates(p, 0);
        }
        if (!Fits(p)) {
            // Too many hours for a running contract: it becomes one that ended.
            if (p.fixedTerm)
                continue;
            p.end = std::min(Today() - 1, p.start + rng().Between(60, 900));
            if (p.end <= p.start)
                continue;
            p.endReason = "59";
        }
        p.deleted = rng().Percent(3);
        Commit(p, plans);
        previous = p;
        hasPrevious = true;
    }
}

void WriteHelperSchedules(Builder& b) {
    for (const auto& h : b.helpers) {
        if (!h.missions.empty()) {
            DemoRecord r;
            for (const auto& [entity, end] : h.missions) {
                r.Add(missionsaidant::DateFin, end > 0 ? DayText(end) : std::string());
                r.Add(missionsaidant::Entite, b.entities[static_cast<std::size_t>(entity)].code);
            }
            b.Write(tables::MISSIONSAIDANT, h.code, r);
        }
        // Recurring unavailability (another job, school run...).
        if (h.working && (&h == &b.helpers.front() || b.rng.Percent(15))) {
            const long long start = Today() - b.rng.Between(30, 400);
            const long long weekday = b.rng.Below(5);
            const long long hour = b.rng.Between(8, 16);
            DemoRecord r;
            if (b.rng.Percent(25))
                r.Set(tpsaidantindispo::DateFin, DayText(Today() + b.rng.Between(30, 200)));
            r.Set(tpsaidantindispo::FinCreneau, Padded(hour + 2, 2) + "00");
            r.Set(tpsaidantindispo::Recurrente, b.rng.Percent(80) ? "O" : "N");
            b.Write(tables::TPSAIDANTINDISPO,
                    h.code + Padded(start, 5) + std::to_string(weekday) + Padded(hour, 2) + "00", r);
        }
        // Compensation of a work stoppage by the provident scheme.
        for (const auto& scheme : h.providentSchemes) {
            if (scheme.empty() || !b.rng.Percent(10))
                continue;
            DemoRecord r;
            const long long first = Today() - b.rng.Between(60, 700);
            r.Add(historindem::Dates, DayText(first));
            r.Add(historindem::Dates, DayText(first - b.rng.Between(100, 400)));
            b.Write(tables::HISTORINDEM, h.code + scheme, r);
        }
    }
}

} // namespace

void WriteContracts(Builder& b) {
    Planner planner(b);
    std::vector<Plan> plans = planner.Showcase();
    for (int i = 0; i < static_cast<int>(b.helpers.size()); ++i)
        planner.Random(i, plans);
    // Contract numbers follow the start dates of each helper's contracts.
    std::stable_sort(plans.begin(), plans.end(), [](const Plan& x, const Plan& y) {
        return x.helper != y.helper ? x.helper < y.helper : x.start < y.start;
    });
    ContractWriter writer(b);
    for (auto& p : plans)
        writer.Write(p);
    WriteHelperSchedules(b);
}

} // namespace data::demo
