// Entities, establishments, activities, beneficiaries and helpers of the
// demo database, and the records that hang off the people.
#include "data/demo_builder.h"
#include "data/demo_catalogue.h"
#include "data/demo_database.h"
#include "data/demo_names.h"
#include "data/table_fields.h"
#include "data/tables.h"

namespace data::demo {

namespace {

struct EntitySeed {
    const char* code;
    const char* name;
    const char* telemanagement;                                      // field 38
    const char* followUpByEstablishment;                             // field 25
    std::vector<std::pair<const char*, const char*>> establishments; // label, closing month
    const char* urssaf;
};

const std::vector<EntitySeed>& EntitySeeds() {
    static const std::vector<EntitySeed> seeds = {
        {"001",
         "ADAR Val de Loire",
         "ZORVELIA",
         "0",
         {{"Service prestataire de Tours", "12"}, {"Antenne d'Amboise", "12"}, {"Siège administratif", "06"}},
         "URSSAF Centre-Val de Loire"},
        {"002",
         "ADMR des Coteaux d'Anjou",
         "06",
         "1",
         {{"Service d'aide à domicile de Saumur", "12"}, {"SSIAD de Doué-en-Anjou", "08"}},
         "URSSAF Pays de la Loire"},
        {"003",
         "Aide et Présence Saint-Éloi",
         "03",
         "0",
         {{"Service d'aide et d'accompagnement d'Angers", "12"}, {"Antenne de Cholet", "05"}},
         "URSSAF Pays de la Loire"},
        {"004",
         "Familles Rurales de l'Orléanais",
         "",
         "0",
         {{"Service d'aide à domicile d'Orléans", "12"}, {"Antenne de Beaugency", "12"}},
         "URSSAF Centre-Val de Loire"},
    };
    return seeds;
}

struct ActivitySeed {
    const char* code;
    const char* label;
    const char* type;
};

const ActivitySeed ActivitySeeds[] = {
    {"01", "Aide à domicile (mandataire)", "M"},
    {"02", "Garde de nuit (mandataire)", "M"},
    {"03", "Ménage et repassage (mandataire)", "M"},
    {"04", "Aide à domicile (prestataire)", "P"},
    {"05", "Accompagnement et transport (prestataire)", "P"},
    {"06", "Soins infirmiers à domicile (SSIAD)", "S"},
    {"07", "Retour d'hospitalisation (intervention ponctuelle)", "I"},
    {"08", "Administration et encadrement", "A"},
};

// Absences that call for a replacement (sick leave above all).
const std::string AbsenceTypes[] = {"01", "02", "02", "02", "03", "04", "05"};

// Weighted entity choice: the first association is the largest.
int DrawEntity(DemoRandom& rng) {
    const long long n = rng.Below(100);
    return n < 35 ? 0 : n < 65 ? 1 : n < 90 ? 2 : 3;
}

void Name(DemoRandom& rng, Person& p, int womenPercent) {
    p.name = rng.Pick(Surnames());
    p.firstName = rng.Percent(womenPercent) ? rng.Pick(WomenFirstNames()) : rng.Pick(MenFirstNames());
}

void Address(DemoRandom& rng, DemoRecord& r) {
    const Town& town = rng.Pick(Towns());
    r.Set(5, std::to_string(rng.Between(1, 148)) + (rng.Percent(8) ? " bis" : ""));
    r.Set(6, rng.Pick(StreetKinds()));
    r.Set(7, rng.Pick(StreetNames()));
    r.Set(8, town.postCode);
    r.Set(9, town.name);
    r.Set(10, "0" + std::to_string(rng.Percent(60) ? 2 : 6) + " " + Padded(rng.Between(10, 99), 2) + " " +
                  Padded(rng.Below(100), 2) + " " + Padded(rng.Below(100), 2) + " " +
                  Padded(rng.Below(100), 2));
}

std::string Iban(DemoRandom& rng) {
    std::string iban = "FR76 " + Padded(rng.Between(10000, 19999), 4);
    for (int group = 0; group < 5; ++group)
        iban += " " + Padded(rng.Below(10000), 4);
    return iban + " " + Padded(rng.Below(1000), 3);
}

} // namespace

void WriteEntities(Builder& b) {
    for (const auto& seed : EntitySeeds()) {
        Entity e;
        e.code = seed.code;
        e.name = seed.name;

        DemoRecord assoc;
        assoc.Set(association::Nom, seed.name);
        assoc.Set(association::SuiviParEtablissement, seed.followUpByEstablishment);
        assoc.Set(association::Telegestion, seed.telemanagement);
        b.Write(tables::ASSOCIATION, e.code, assoc);

        int number = 1;
        for (const auto& [label, closingMonth] : seed.establishments) {
            const std::string key = e.code + Padded(number++, 3);
            DemoRecord etab;
            etab.Set(etablissement::Libelle, label);
            etab.Set(3, seed.name);
            etab.Set(etablissement::DernierePeriodeFacturee, "202610");
            etab.Set(etablissement::MoisCloture, closingMonth);
            b.Write(tables::ETABLISSEMENT, key, etab);
            e.establishments.push_back(key);
        }

        for (const auto& a : ActivitySeeds) {
            // The rural association has no nursing service.
            if (e.code == "004" && std::string(a.type) == "S")
                continue;
            Activity activity{e.code + a.code, a.label, a.type};
            DemoRecord r;
            r.Set(activites::Libelle, activity.label);
            r.Set(activites::Type, activity.type);
            b.Write(tables::ACTIVITES, activity.key, r);
            e.activities.push_back(activity);
        }

        const std::pair<const char*, const char*> bodies[] = {{"R01", "IRCEM Retraite"},
                                                              {"R02", "AG2R La Mondiale - Agirc-Arrco"}};
        for (const auto& [code, name] : bodies) {
            DemoRecord r;
            r.Set(1, name);
            r.Set(organismesocial::Type, "03");
            b.Write(tables::ORGANISMESOCIAL, e.code + code, r);
            e.retirementBodies.push_back(code);
        }
        DemoRecord urssaf;
        urssaf.Set(1, seed.urssaf);
        urssaf.Set(organismesocial::Type, "01");
        b.Write(tables::ORGANISMESOCIAL, e.code + "U01", urssaf);

        b.entities.push_back(std::move(e));
    }
}

void CreatePeople(Builder& b) {
    const int beneficiaries = 20 * b.scale + 4;
    const int helpers = 16 * b.scale + 2;
    b.beneficiaries.reserve(static_cast<std::size_t>(beneficiaries));
    for (int i = 1; i <= beneficiaries; ++i) {
        Beneficiary p;
        p.code = Padded(i, 5);
        Name(b.rng, p, 70);
        p.entity = i <= 3 ? 0 : DrawEntity(b.rng);
        p.hasEmployerSettings = i <= 3 || b.rng.Percent(92);
        b.beneficiaries.push_back(std::move(p));
    }
    b.helpers.reserve(static_cast<std::size_t>(helpers));
    for (int i = 0; i < helpers; ++i) {
        Helper h;
        h.code = Padded(50001 + i, 5);
        Name(b.rng, h, 88);
        h.entity = DrawEntity(b.rng);
        // The second helper never gave bank details: pay by transfer is refused for her.
        h.hasBankDetails = b.rng.Percent(85) && i != 1;
        b.helpers.push_back(std::move(h));
    }
}

void WritePeople(Builder& b) {
    for (const auto& p : b.beneficiaries) {
        DemoRecord r;
        r.Set(civilaide::Nom, p.name);
        r.Set(civilaide::Prenom, p.firstName);
        Address(b.rng, r);
        r.Set(16, p.lastInvoiced); // last invoiced period, read as the employer's like an establishment's
        // Some beneficiaries without a running contract have left the service.
        if (!p.running && p.contracts > 0 && b.rng.Percent(40))
            r.Set(civilaide::Sortie, DayText(Today() - b.rng.Between(30, 900)));
        b.Write(tables::CIVILAIDE, p.code, r);

        if (p.hasEmployerSettings) {
            DemoRecord elts;
            elts.Set(1, "Z" + Padded(b.rng.Below(100000000), 8)); // employer number at the URSSAF
            elts.Set(2, b.rng.Percent(70) ? "1" : "0");           // employer declares through the association
            b.Write(tables::ELTSPARTEMP, p.code, elts);
        }
    }

    for (const auto& h : b.helpers) {
        DemoRecord r;
        r.Set(civilaidant::Nom, h.name);
        r.Set(civilaidant::Prenom, h.firstName);
        Address(b.rng, r);
        r.Set(civilaidant::Entite, b.entities[static_cast<std::size_t>(h.entity)].code);
        if (!h.working && h.lastEnd > 0)
            r.Set(civilaidant::DateSortie, DayText(h.lastEnd));
        b.Write(tables::CIVILAIDANT, h.code, r);

        if (h.hasBankDetails) {
            DemoRecord rib;
            rib.Set(1, Iban(b.rng));
            rib.Set(2, std::string("AGRIFRPP8") + Padded(b.rng.Below(100), 2));
            rib.Set(3, b.rng.Pick(Banks()));
            rib.Set(4, h.name + " " + h.firstName);
            b.Write(tables::RIBAIDANT, h.code, rib);
        }

        int sequence = 1;
        for (const auto& [start, end] : h.absences) {
            DemoRecord abs;
            abs.Set(absencesaidant::DateFin, DayText(end));
            abs.Set(absencesaidant::Type, b.rng.Pick(AbsenceTypes));
            b.Write(tables::ABSENCESAIDANT, h.code + Padded(sequence++, 2) + DayText(start), abs);
        }
    }
}

} // namespace data::demo
