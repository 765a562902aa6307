#include "data/demo_fixed_term.h"

#include "data/contrat_fields.h"
#include "data/demo_catalogue.h"
#include "data/table_fields.h"
#include "data/tables.h"

namespace data::demo {

namespace {

namespace c = data::contrat;

struct Aidante {
    const char* code;
    const char* nom;
    const char* prenom;
    const char* rue;
    long long sortie = 0; // day she left the association, 0 while she works
};

// Built on first use: day numbers need the calendar of the demo builder.
const std::vector<Aidante>& Aidantes() {
    static const std::vector<Aidante> aidantes = {
        {"49001", "Guérin", "Nathalie", "rue Colbert"},
        {"49002", "Moreau", "Patricia", "avenue de Grammont"},
        {"49003", "Lebreton", "Sophie", "boulevard Béranger"},
        {"49004", "Faucher", "Amandine", "rue Nationale"},
        {"49005", "Pasquier", "Élodie", "quai Paul Bert"},
        {"49006", "Roussel", "Karine", "rue du Commerce"},
        {"49008", "Vidal", "Monique", "place Plumereau", Day(2026, 6, 30)},
    };
    return aidantes;
}

struct Absence {
    const char* aidant;
    const char* numero; // characters 6-7 of the key
    long long debut, fin;
    const char* type; // list ABSENCES
};

const std::vector<Absence>& Absences() {
    static const std::vector<Absence> absences = {
        {"49001", "01", Day(2025, 2, 10), Day(2025, 2, 21), "02"},   // past: never offered again
        {"49001", "02", Day(2026, 11, 2), Day(2026, 12, 13), "02"},  // current sick leave
        {"49001", "03", Day(2026, 12, 21), Day(2027, 1, 3), "01"},   // holidays to come
        {"49002", "01", Day(2026, 11, 30), Day(2026, 12, 11), "18"}, // training: nobody replaces that
        {"49002", "02", Day(2027, 1, 11), Day(2027, 5, 3), "04"},    // maternity leave to come
        {"49003", "01", Day(2026, 8, 4), Day(2026, 8, 22), "01"},    // over before any replacement
    };
    return absences;
}

std::string CleAbsence(const Absence& a) {
    return std::string(a.aidant) + a.numero + DayText(a.debut);
}

struct Contrat {
    const char* aidant;
    long long debut;
    long long finPresumee = 0; // fixed-term only
    long long fin = 0;         // ended
};

const std::string& Libelle(const char* code) {
    for (const auto& e : PcsEntries())
        if (e.code == code)
            return e.label;
    static const std::string none;
    return none;
}

DemoRecord Contrat02(const Entity& e, const Contrat& s) {
    const bool cdd = s.finPresumee != 0;
    DemoRecord r;
    r.Set(c::ConventionCollective, c::ConventionParticulierEmployeur);
    r.Set(c::EntiteJuridique, e.code);
    r.Set(c::Employeur, AideMotifsCDD);
    r.Set(c::TypeContrat, cdd ? c::TypeCDD : c::TypeCDI);
    r.Set(c::ModeSalaire, c::SalaireHoraire);
    r.Set(c::Statut, c::StatutProduction);
    r.Set(c::DateDebut, DayText(s.debut));
    r.Set(c::PeriodeEssai, cdd ? "15" : "30");
    r.Set(c::EssaiRenouvelable, "0");
    r.Set(c::Nature, "02");
    if (cdd) {
        r.Set(c::DateFinPresumee, DayText(s.finPresumee));
        r.Set(c::DureeMinimale,
              std::to_string(std::max<long long>(1, (s.finPresumee - s.debut) / 30)) + " mois");
    }

    // One entry: the initial terms, twelve hours a week.
    for (int field : c::ChampsAvenant)
        r.SetValue(field, 1, std::string());
    r.SetValue(c::NumeroAvenant, 1, "00");
    r.SetValue(c::DateEffet, 1, DayText(s.debut));
    r.SetValue(c::Qualification, 1, "Assistant(e) de vie B");
    r.SetValue(c::CodePCS, 1, "563b");
    r.SetValue(c::CategoriePCS, 1, Libelle("56"));
    r.SetValue(c::FonctionPCS, 1, Libelle("563b"));
    r.SetValue(c::TauxHoraire, 1, "12850");
    r.SetValue(c::DureeTravail, 1, "1200");
    r.SetValue(c::FrequenceTravail, 1, "1");
    r.SetValue(c::Lissage, 1, "0");
    r.SetValue(c::HeuresModulation, 1, "S");
    r.Set(c::JoursSuspensionGrille, "0");
    r.Set(c::DateAnciennete, DayText(s.debut));
    r.Set(c::JoursSuspensionAnciennete, "0");

    r.Set(c::Profil, "101");
    r.Set(c::ModePaiement, "2"); // by cheque: no bank details needed
    r.Set(c::PaiementParAssociation, "1");
    for (const auto& scheme : ProvidentSchemes())
        if (scheme.agreement == c::ConventionParticulierEmployeur) {
            r.Set(c::Prevoyance, scheme.code);
            break;
        }
    r.Set(c::MarqueOngletPaie, "B");
    r.Set(c::CongesPayesAuMois, "0");
    r.Set(c::MutuellePartSalariale, "0");
    r.Set(c::MutuellePartPatronale, "0");
    r.Set(c::CarteOrange, "0");
    for (const auto& a : e.activities)
        if (a.type == "M") {
            r.Set(c::Activites, a.key);
            break;
        }
    r.Set(c::RepartitionActivites, "");
    r.Set(c::ProvisionConges, "0");
    r.Set(c::MotifDispense, "0");

    for (int field : {c::CPAcquis, c::CPRestants, c::CFAcquis, c::CFRestants, c::CPEnCoursJours,
                      c::CPEnCoursHeures, c::CPEnCoursMontant, c::CAncienneteAcquis, c::CAncienneteRestants,
                      c::JoursAnticipation, c::ProvisionCP, c::ProvisionEnCours})
        r.Set(field, "0");
    r.Set(c::JourOuvrableHeures, "200");
    r.Set(c::JourOuvrableMontant, "2570");

    if (s.fin) {
        r.Set(c::DateFin, DayText(s.fin));
        r.Set(c::MotifFin, "59");
        r.Set(c::DateNotification, DayText(s.fin - 30));
        r.Set(c::DernierJourTravaille, DayText(s.fin));
        r.Set(c::DateFinReelle, DayText(s.fin));
        r.Set(c::PrimePrecarite, "0");
        r.Set(c::PeriodeDernierBulletin, PeriodOfDay(s.fin));
        r.Set(c::OrganismeRetraite, e.retirementBodies.front());
    }
    if (s.debut < CurrentPeriodStart()) {
        const std::string last = s.fin ? PeriodOfDay(s.fin) : std::string("202610");
        r.Set(c::PeriodeBulletinCalcule, last);
        r.Set(c::DernierePeriodePaie, last);
    }
    return r;
}

void Commentaires(DemoRecord& r, const std::vector<std::pair<std::string, std::string>>& lignes) {
    for (const auto& [periode, texte] : lignes) {
        r.Add(c::PeriodesCommentaire, periode);
        r.Add(c::TextesCommentaire, texte);
    }
}

} // namespace

void WriteFixedTermShowcase(Builder& b) {
    const Entity& e = b.entities.front();

    DemoRecord aide;
    aide.Set(civilaide::Nom, "Berthelot");
    aide.Set(civilaide::Prenom, "Simone");
    aide.Set(5, "14");
    aide.Set(6, "RUE");
    aide.Set(7, "des Tanneurs");
    aide.Set(8, "37000");
    aide.Set(9, "Tours");
    aide.Set(10, "02 47 61 18 35");
    aide.Set(16, "202610");
    b.Write(tables::CIVILAIDE, AideMotifsCDD, aide);
    DemoRecord elts;
    elts.Set(1, "Z37106484");
    elts.Set(2, "1");
    b.Write(tables::ELTSPARTEMP, AideMotifsCDD, elts);

    int numero = 3;
    for (const Aidante& a : Aidantes()) {
        DemoRecord r;
        r.Set(civilaidant::Nom, a.nom);
        r.Set(civilaidant::Prenom, a.prenom);
        r.Set(5, std::to_string(numero += 7));
        r.Set(7, a.rue);
        r.Set(8, "37000");
        r.Set(9, "Tours");
        r.Set(civilaidant::Entite, e.code);
        if (a.sortie)
            r.Set(civilaidant::DateSortie, DayText(a.sortie));
        b.Write(tables::CIVILAIDANT, a.code, r);

        DemoRecord missions;
        missions.Add(missionsaidant::DateFin, a.sortie ? DayText(a.sortie) : std::string());
        missions.Add(missionsaidant::Entite, e.code);
        b.Write(tables::MISSIONSAIDANT, a.code, missions);
    }
    for (const Absence& a : Absences()) {
        DemoRecord r;
        r.Set(absencesaidant::DateFin, DayText(a.fin));
        r.Set(absencesaidant::Type, a.type);
        b.Write(tables::ABSENCESAIDANT, CleAbsence(a), r);
    }

    // The helpers replaced and those who may be: open-ended contracts.
    b.Write(tables::CONTRAT, "49001001", Contrat02(e, {"49001", Day(2023, 3, 6)}));
    b.Write(tables::CONTRAT, "49002001", Contrat02(e, {"49002", Day(2024, 9, 2)}));
    b.Write(tables::CONTRAT, "49003001", Contrat02(e, {"49003", Day(2025, 1, 13)}));
    b.Write(tables::CONTRAT, "49008001", Contrat02(e, {"49008", Day(2024, 2, 1), 0, Day(2026, 6, 30)}));

    // A replacement: a person known by name only, one helper for two of her
    // absences, another without an absence.
    DemoRecord remplacement = Contrat02(e, {"49004", Day(2026, 11, 2), Day(2027, 1, 31)});
    remplacement.Set(c::MotifEmbauche, "01");
    remplacement.SetValue(c::MotifEmbaucheTexte, 1,
                          "Remplacement de Nathalie Guérin en arrêt maladie puis en congés,");
    remplacement.SetValue(c::MotifEmbaucheTexte, 2, "et de Sophie Lebreton sur ses heures du samedi matin.");
    remplacement.Set(c::RemplacesSansCode,
                     "Mme Marie-Christine de La Roche-Beauregard, salariée directe de Mme Berthelot");
    remplacement.SetValues(c::AidantsRemplaces, {"49001", "49001", "49003"});
    remplacement.SetValues(c::AbsencesRemplacees, {CleAbsence(Absences()[1]), CleAbsence(Absences()[2]), ""});
    Commentaires(remplacement, {{"202611", "Heures de remplacement payées au taux de l'aidante remplacée."},
                                {"202612", "Prime de fin d'année versée en décembre."}});
    b.Write(tables::CONTRAT, "49004001", remplacement);

    // No reason at all: the editor will not save it until one is given.
    b.Write(tables::CONTRAT, "49005001", Contrat02(e, {"49005", Day(2026, 11, 16), Day(2027, 2, 28)}));

    // More activity, and a comment on every payslip of the year.
    DemoRecord surcroit = Contrat02(e, {"49006", Day(2025, 12, 1), Day(2026, 12, 31)});
    surcroit.Set(c::MotifEmbauche, "02");
    surcroit.SetValue(c::MotifEmbaucheTexte, 1, "Surcroît d'activité lié au retour à domicile");
    surcroit.SetValue(c::MotifEmbaucheTexte, 2, "de Mme Berthelot après son hospitalisation.");
    static const char* const Mois[] = {"décembre", "janvier",  "février", "mars", "avril",
                                       "mai",      "juin",     "juillet", "août", "septembre",
                                       "octobre",  "novembre", "décembre"};
    std::vector<std::pair<std::string, std::string>> lignes;
    std::string periode = "202512";
    for (const char* mois : Mois) {
        lignes.emplace_back(periode, std::string("Heures complémentaires de ") + mois + " majorées de 10 %.");
        periode = NextPeriod(periode);
    }
    Commentaires(surcroit, lignes);
    b.Write(tables::CONTRAT, "49006001", surcroit);
}

} // namespace data::demo
