// The demo's modulated contracts: a follow-up on the contract year the
// follow-up screen offers, in entity mode and in employer mode.
#include "data/contrat_fields.h"
#include "data/demo_builder.h"
#include "data/demo_database.h"
#include "data/table_fields.h"
#include "data/tables.h"
#include "rules/annual_follow_up.h"

#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

namespace c = data::contrat;
namespace t = data::tables;
using namespace rules::suivi;

TEST(DemoFollowUp, ModulatedContractsFollowTheirContractYear) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    dba::Database db = dba::Database::Create(dir.filePath(QStringLiteral("demo.arbel")).toStdString());
    data::BuildDemoDatabase(db, 1, 7);

    const std::string current = db.OpenTable(t::PERIODESPAIE).ReadRecord("1").Item(1);
    const dba::ResultList keys = db.SelectRecords(
        "SELECT CONTRAT AVEC 76 AND SANS 8 AND AVEC 5 = \"M\" AND AVEC 6 = \"P\" AND SANS 65", "0");
    dba::Table contracts = db.OpenTable(t::CONTRAT);
    int entityMode = 0, employerMode = 0;
    bool entityYearOffset = false, employerYearOffset = false; // a year not starting in January
    for (int k = 1; k <= keys.DCount(); ++k) {
        const dba::Record r = contracts.ReadRecord(keys.Item(k, 1));
        const int entries = std::max(1, r.DCount(c::NumeroAvenant));
        if (r.Item(c::Lissage, entries) != "1" || r.Item(c::PeriodeBulletinCalcule) != "202610")
            continue;
        SCOPED_TRACE(r.key());
        const std::string startPeriod = data::demo::PeriodOfDay(std::stoll(r.Item(c::DateDebut)));
        PeriodChoiceData d;
        d.agreement = r.Item(c::ConventionCollective);
        d.lastCalculated = r.Item(c::PeriodeBulletinCalcule);
        d.lastPayPeriod = r.Item(c::DernierePeriodePaie);
        d.currentPayPeriod = current;
        d.entityFollowUp =
            db.OpenTable(t::ASSOCIATION).ReadRecordOrEmpty(r.Item(c::EntiteJuridique)).Item(25);
        const bool entity = d.agreement == c::ConventionParticulierEmployeur;
        if (!entity)
            d.closingMonth = db.OpenTable(t::ETABLISSEMENT).ReadRecordOrEmpty(r.Item(c::Employeur)).Item(24);
        if (entity)
            ++entityMode;
        else
            ++employerMode;

        const auto offered = OfferedPeriods(d);
        const auto rows = ReadYear(r, CurrentYear);
        ASSERT_FALSE(rows.empty());
        ASSERT_FALSE(offered.empty());
        // From the start of the contract year, or of the contract.
        EXPECT_EQ(rows.front().period, std::max(offered.front(), startPeriod));
        EXPECT_EQ(rows.back().period, "202610");
        for (std::size_t i = 0; i < rows.size(); ++i) {
            EXPECT_NE(std::find(offered.begin(), offered.end(), rows[i].period), offered.end())
                << rows[i].period;
            EXPECT_EQ(rows[i].difference, rows[i].actual - rows[i].FlatRate()) << rows[i].period;
            if (i > 0) {
                EXPECT_EQ(rows[i].period, NextPeriod(rows[i - 1].period));
            }
        }
        if (offered.front().substr(4) != "01")
            (entity ? entityYearOffset : employerYearOffset) = true;
        const auto previous = ReadYear(r, PreviousYear);
        if (startPeriod < offered.front()) {
            ASSERT_FALSE(previous.empty());
            EXPECT_EQ(NextPeriod(previous.back().period), offered.front());
            EXPECT_LE(previous.size(), 12u);
        }
    }
    EXPECT_GE(entityMode, 3);
    EXPECT_GE(employerMode, 1);
    EXPECT_TRUE(entityYearOffset);
    EXPECT_TRUE(employerYearOffset);
}

} // namespace
