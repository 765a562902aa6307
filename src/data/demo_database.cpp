#include "data/demo_database.h"

#include "data/demo_amendments.h"
#include "data/demo_builder.h"
#include "data/demo_end_showcase.h"
#include "data/demo_fixed_term.h"
#include "data/demo_pay_entry_items.h"
#include "data/demo_planning.h"
#include "data/demo_siblings.h"
#include "data/dictionaries.h"
#include "data/tables.h"
#include "documents/modeles_defaut.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace data {

void BuildDemoDatabase(dba::Database& db, int scale, std::uint32_t seed) {
    if (scale < 1 || scale > demo::MaxDemoScale)
        throw std::invalid_argument("échelle de démonstration hors limites (1 à " +
                                    std::to_string(demo::MaxDemoScale) + ") : " + std::to_string(scale));
    const auto existing = db.Tables();
    if (std::find(existing.begin(), existing.end(), tables::CONTRAT) != existing.end() &&
        db.SelectRecords(std::string("SELECT ") + tables::CONTRAT).DCount() > 0)
        throw std::invalid_argument(
            "la base contient déjà des contrats : la démonstration demande une base vide");

    db.Transaction([&] {
        InstallDictionaries(db);
        demo::Builder b(db, scale, seed);
        demo::WriteSettings(b);
        demo::WriteLists(b);
        demo::WriteCatalogues(b);
        demo::WriteUsers(b);
        demo::WriteEntities(b);
        demo::CreatePeople(b);
        demo::WriteContracts(b);
        demo::WritePayEntryShowcase(b);
        // Before the follow-up years: the showcase ends under a modulation agreement.
        demo::WriteAmendmentShowcase(b);
        demo::WriteModulatedContracts(b);
        demo::WriteEndShowcase(b);
        demo::WriteFixedTermShowcase(b);
        demo::WritePeople(b);
        demo::WriteSiblingShowcase(b);
        demo::WritePlanningShowcase(b);
        documents::InstallerModelesDefaut(db, demo::DayText(demo::Today()));
    });
}

} // namespace data
