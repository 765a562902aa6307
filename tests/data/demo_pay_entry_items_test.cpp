// The pay-entry items of the demo: the shapes the items screen shows, and
// figures that agree with the screen's own computation.
#include "data/contrat_fields.h"
#include "data/demo_database.h"
#include "data/tables.h"
#include "rules/pay_entry_items.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>
#include <set>

namespace {

namespace c = data::contrat;

TEST(DemoPayEntryItems, EveryShapeTheScreenShowsWithExactAmounts) {
    for (std::uint32_t seed : {1u, 7u}) {
        SCOPED_TRACE(seed);
        QTemporaryDir dir;
        dba::Database db = dba::Database::Create(dir.filePath("demo.arbel").toStdString());
        data::BuildDemoDatabase(db, 1, seed);

        std::map<std::string, dba::Record> catalogue;
        const dba::ResultList codes = db.SelectRecords("SSELECT RUBSAISIE", "0");
        dba::Table rubsaisie = db.OpenTable(data::tables::RUBSAISIE);
        std::set<std::string> baseModes, rateModes, amountModes;
        int withdrawn = 0;
        for (int r = 1; r <= codes.DCount(); ++r) {
            dba::Record item = rubsaisie.ReadRecord(codes.Item(r, 1));
            baseModes.insert(item.Item(6));
            rateModes.insert(item.Item(8));
            amountModes.insert(item.Item(10));
            withdrawn += item.Item(18) == "1";
            catalogue.emplace(codes.Item(r, 1), item);
        }
        EXPECT_EQ(baseModes, (std::set<std::string>{"0", "1", "2", "3", "4"}));
        EXPECT_EQ(rateModes, (std::set<std::string>{"0", "1", "2", "3", "4"}));
        EXPECT_EQ(amountModes, (std::set<std::string>{"0", "1", "2"}));
        EXPECT_GE(withdrawn, 1);

        bool twoActivities = false, withdrawnHeld = false, scrolls = false, administrative = false;
        const dba::ResultList keys = db.SelectRecords("SSELECT CONTRAT AVEC 89", "0");
        dba::Table contrats = db.OpenTable(data::tables::CONTRAT);
        for (int r = 1; r <= keys.DCount(); ++r) {
            const dba::Record contract = contrats.ReadRecord(keys.Item(r, 1));
            const auto items = rules::ReadPayEntryItems(contract);
            std::set<std::string> activities;
            for (const rules::PayEntryItem& item : items) {
                SCOPED_TRACE(contract.key() + " " + item.code);
                ASSERT_TRUE(catalogue.count(item.code));
                const dba::Record& p = catalogue.at(item.code);
                if (p.Item(10) == "2") {
                    EXPECT_EQ(item.amount, rules::AmountFromBaseAndRate(item.base, item.rate));
                }
                if (p.Item(10) == "1") {
                    EXPECT_EQ(item.amount, rules::StoredScaled(p.Item(11)));
                }
                withdrawnHeld = withdrawnHeld || p.Item(18) == "1";
                activities.insert(item.activity);
            }
            if (contract.Item(c::Statut) == c::StatutAdministratif) {
                EXPECT_EQ(activities, std::set<std::string>{""}) << contract.key();
                administrative = true;
            } else {
                EXPECT_EQ(activities.count(""), 0u) << contract.key();
                twoActivities = twoActivities || activities.size() >= 2;
            }
            scrolls = scrolls || items.size() > 15;
        }
        EXPECT_TRUE(twoActivities);
        EXPECT_TRUE(withdrawnHeld);
        EXPECT_TRUE(scrolls);
        EXPECT_TRUE(administrative);
    }
}

} // namespace
