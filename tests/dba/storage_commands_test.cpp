// Commands, saved lists and registered routines of a session.
#include "storage_fixture.h"

#include "dba/errors.h"

#include <gtest/gtest.h>

using namespace dba;
using dba::testing::Put;

namespace {

class StorageCommands : public ::testing::TestWithParam<dba::testing::Backend> {
protected:
    dba::testing::TestPlace place{GetParam()};
};

TEST_P(StorageCommands, EffacerListeDropsOnlyThatListOfThisSession) {
    Database db = Database::Create(place.Location("cmd"));
    Database other = Database::Open(place.Location("cmd"));
    ResultList list({{"A"}, {"B"}});
    db.SaveList("L1", list);
    db.SaveList("L2", list);
    other.SaveList("L1", list);
    ResultList out = db.RunCommand("EFFACER-LISTE L1");
    EXPECT_TRUE(out.empty());
    EXPECT_FALSE(db.HasList("L1"));
    EXPECT_TRUE(db.HasList("L2"));
    EXPECT_TRUE(other.HasList("L1"));
    EXPECT_NO_THROW(db.RunCommand("EFFACER-LISTE L1")); // already gone
    for (const char* bad : {"", "EFFACER-LISTE", "EFFACER-LISTE L2 L3", "DELETE-LIST L2", "effacer-liste L2"})
        EXPECT_THROW(db.RunCommand(bad), UnknownName) << bad;
    EXPECT_TRUE(db.HasList("L2"));
}

TEST_P(StorageCommands, CallRoutineRunsTheRegisteredRoutineOnThisSession) {
    Database db = Database::Create(place.Location("cmd"));
    db.CreateTable("CONTRAT");
    Put(db.OpenTable("CONTRAT"), "1", "a");
    Put(db.OpenTable("CONTRAT"), "2", "b");
    std::string seen;
    db.RegisterRoutine("REMPLRECURSIF", [&](Database& self, const std::string& command) {
        seen = command;
        ResultList rows = self.SelectRecords(command, "0 1");
        self.SaveList("RESULTAT", rows);
        return rows;
    });
    ResultList rows = db.CallRoutine("REMPLRECURSIF", "SSELECT CONTRAT AVEC 1 = \"b\"");
    EXPECT_EQ(seen, "SSELECT CONTRAT AVEC 1 = \"b\"");
    EXPECT_EQ(rows.rows(), (std::vector<std::vector<std::string>>{{"2", "b"}}));
    EXPECT_TRUE(db.HasList("RESULTAT"));
    EXPECT_THROW(db.CallRoutine("INCONNUE", ""), UnknownName);
    Database other = Database::Open(place.Location("cmd"));
    EXPECT_THROW(other.CallRoutine("REMPLRECURSIF", ""), UnknownName); // registries are per session
}

TEST_P(StorageCommands, SelectQueryObjectsRunOnTheirTable) {
    Database db = Database::Create(place.Location("cmd"));
    db.CreateTable("CONTRAT");
    Put(db.OpenTable("CONTRAT"), "00012001", "02^^^^^^20000");
    Put(db.OpenTable("CONTRAT"), "00012002", "01^^^^^^19000");
    Put(db.OpenTable("CONTRAT"), "00013001", "02^^^^^^18000");
    SelectQuery q;
    q.SetItem(1, "AVEC 1 = \"2\" PAR 7");
    q.SetItem(2, "CONTRAT");
    q.SetItem(3, "0 7");
    EXPECT_EQ(db.SelectRecords(q).rows(),
              (std::vector<std::vector<std::string>>{{"00013001", "18000"}, {"00012001", "20000"}}));
    SelectQuery whole;
    whole.SetItem(1, "SELECT CONTRAT AVEC 7 < \"19500\"");
    EXPECT_EQ(db.SelectRecords(whole).Item(), "00012002" + std::string(1, FM) + "00013001");
    EXPECT_TRUE(db.SelectRecords("SSELECT CONTRAT AVEC 1 = \"9\"").empty());
    EXPECT_EQ(db.SelectRecords("SSELECT CONTRAT AVEC 1 = \"9\"").Item(), "");
}

DBA_ON_BOTH_BACKENDS(StorageCommands);

} // namespace
