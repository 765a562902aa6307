// Records and tables on a real database file: item access at every level,
// the refusals that keep invalid text out, and what reaches the disk.
#include "storage_fixture.h"

#include "dba/errors.h"


#include <cstdio>
#include <functional>

#include <gtest/gtest.h>

using namespace dba;
using dba::testing::R;

namespace {

class StorageRecords : public ::testing::TestWithParam<dba::testing::Backend> {
protected:
    void SetUp() override {
        db = Database::Create(place.Location("base"));
        db.CreateTable("CONTRAT");
        contrats = db.OpenTable("CONTRAT");
    }
    dba::testing::TestPlace place{GetParam()};
    Database db;
    Table contrats;
};

TEST_P(StorageRecords, ItemsGetAndSetAtEveryLevelWithPadding) {
    Record r = contrats.NewRecord("00012001");
    r.SetItem(3, "A0001");
    EXPECT_EQ(r.Item(), R("^^A0001"));
    r.SetItem(24, 3, "3500");
    EXPECT_EQ(r.Item(24), R("]]3500"));
    EXPECT_EQ(r.DCount(24), 3);
    r.SetItem(24, 1, 2, "x");
    EXPECT_EQ(r.Item(24, 1), R("\\x"));
    EXPECT_EQ(r.Item(24, 1, 2), "x");
    r.SetItem(24, R("1]2"));
    EXPECT_EQ(r.Item(24), R("1]2"));
    EXPECT_EQ(r.DCount(24), 2);
    EXPECT_EQ(r.Item(0), "00012001");
    EXPECT_EQ(r.Item(99), "");
    EXPECT_EQ(r.Item(3, 5), "");
    EXPECT_EQ(r.DCount(50), 0);
    r.SetItem(0, "00012002");
    EXPECT_EQ(r.key(), "00012002");
    r.SetRecord(R("a^b]c^d"));
    EXPECT_EQ(r.Item(2, 2), "c");
    EXPECT_EQ(r.Item(3), "d");
}

TEST_P(StorageRecords, InsertAppendsAndDeleteMovesValuesUp) {
    struct Step {
        const char* what;
        std::function<void(Record&)> act;
        const char* field5;
    };
    Record r = contrats.NewRecord("K");
    const std::vector<Step> steps = {
        {"append to empty", [](Record& x) { x.Insert(5, -1, "a"); }, "a"},
        {"append", [](Record& x) { x.Insert(5, -1, "c"); }, "a]c"},
        {"insert in the middle", [](Record& x) { x.Insert(5, 2, "b"); }, "a]b]c"},
        {"insert first", [](Record& x) { x.Insert(5, 1, "z"); }, "z]a]b]c"},
        {"delete first", [](Record& x) { x.Delete(5, 1); }, "a]b]c"},
        {"delete past the end", [](Record& x) { x.Delete(5, 9); }, "a]b]c"},
        {"delete last", [](Record& x) { x.Delete(5, 3); }, "a]b"},
        {"append an empty value", [](Record& x) { x.Insert(5, -1, ""); }, "a]b]"},
    };
    for (const Step& s : steps) {
        s.act(r);
        EXPECT_EQ(r.Item(5), R(s.field5)) << s.what;
        EXPECT_EQ(r.DCount(5), dba::CountParts(R(s.field5), VM)) << s.what;
    }
    EXPECT_EQ(r.Item(), R("^^^^a]b]"));
}

TEST_P(StorageRecords, WrittenRecordReadsBackFromAnotherSession) {
    Record r = contrats.NewRecord("00012001");
    r.SetRecord(R("02^E01^A0001]A0002\\s^^^Hélène"));
    r.DBWrite();
    Database other = Database::Open(place.Location("base"));
    Record back = other.OpenTable("CONTRAT").ReadRecord("00012001");
    EXPECT_EQ(back.Item(), r.Item());
    EXPECT_EQ(back.Item(3, 2, 2), "s");
    EXPECT_EQ(back.table(), "CONTRAT");
    EXPECT_TRUE(other.OpenTable("CONTRAT").Exists("00012001"));
    EXPECT_FALSE(other.OpenTable("CONTRAT").Exists("00012002"));

    back.SetItem(7, "20000");
    back.DBWrite();
    EXPECT_EQ(contrats.ReadRecord("00012001").Item(7), "20000");

    contrats.DeleteRecord("00012001");
    EXPECT_FALSE(contrats.Exists("00012001"));
    EXPECT_NO_THROW(contrats.DeleteRecord("00012001")); // missing: no error
}

TEST_P(StorageRecords, MissingRecordAndTableRaiseTheirErrors) {
    try {
        contrats.ReadRecord("nope");
        FAIL() << "no error";
    } catch (const RecordNotFound& e) {
        EXPECT_EQ(e.number(), 0x8004000Bu);
        EXPECT_EQ(e.table(), "CONTRAT");
        EXPECT_EQ(e.key(), "nope");
    }
    Record empty = contrats.ReadRecordOrEmpty("nope");
    EXPECT_EQ(empty.Item(), "");
    EXPECT_EQ(empty.key(), "nope");
    EXPECT_TRUE(empty.hasTable());
    EXPECT_THROW(db.OpenTable("ABSENT"), TableNotFound);
    EXPECT_THROW(db.SelectRecords("SELECT ABSENT"), TableNotFound);
    EXPECT_THROW(Database::Open(place.Location("absent")), StorageError);
    EXPECT_THROW(Database::Create(place.Location("base")), StorageError);
    EXPECT_THROW(db.CreateTable("minuscule"), InvalidValue);
    EXPECT_NO_THROW(db.CreateTable("CONTRAT")); // already there: nothing to do
    EXPECT_EQ(db.Tables(), std::vector<std::string>{"CONTRAT"});
}

// Tables named after codes (the documents of entity 001, agreement 02)
// start with a digit: written, read and selected like any other.
TEST_P(StorageRecords, ATableNameMayStartWithADigit) {
    db.CreateTable("00102CONTRAT");
    db.OpenTable("00102CONTRAT").NewRecord("50001001").DBWrite();
    EXPECT_TRUE(db.OpenTable("00102CONTRAT").Exists("50001001"));
    const ResultList found = db.SelectRecords("SELECT 00102CONTRAT", "0");
    ASSERT_EQ(found.DCount(), 1);
    EXPECT_EQ(found.Item(1, 1), "50001001");
}

TEST_P(StorageRecords, InvalidValuesAreRefusedAndNothingIsStored) {
    const std::string bad = "caf\xE9"; // Latin-1, not UTF-8
    struct Case {
        const char* what;
        std::function<void(Record&)> act;
    };
    const std::vector<Case> cases = {
        {"field mark inside a field", [](Record& r) { r.SetItem(2, R("a^b")); }},
        {"value mark inside a value", [](Record& r) { r.SetItem(2, 1, R("a]b")); }},
        {"subvalue mark inside a subvalue", [](Record& r) { r.SetItem(2, 1, 1, R("a\\b")); }},
        {"field mark inside a value", [](Record& r) { r.SetItem(2, 1, R("a^b")); }},
        {"value mark in an inserted value", [](Record& r) { r.Insert(2, -1, R("a]b")); }},
        {"mark inside the key", [](Record& r) { r.SetItem(0, R("k]1")); }},
        {"non UTF-8 field", [&](Record& r) { r.SetItem(2, bad); }},
        {"non UTF-8 value", [&](Record& r) { r.SetItem(2, 2, bad); }},
        {"non UTF-8 subvalue", [&](Record& r) { r.SetItem(2, 2, 1, bad); }},
        {"non UTF-8 record", [&](Record& r) { r.SetRecord("a" + std::string(1, FM) + bad); }},
        {"overlong UTF-8", [](Record& r) { r.SetItem(2, "\xC0\xAF"); }},
    };
    for (const Case& c : cases) {
        Record r = contrats.NewRecord("K1");
        r.SetItem(1, "keep");
        EXPECT_THROW(c.act(r), InvalidValue) << c.what;
        EXPECT_EQ(r.Item(), "keep") << c.what; // the record is unchanged
        r.DBWrite();
        EXPECT_EQ(contrats.ReadRecord("K1").Item(), "keep") << c.what;
    }
    // A field may hold values and subvalues.
    Record r = contrats.NewRecord("K2");
    EXPECT_NO_THROW(r.SetItem(2, R("a]b\\c")));
    // Empty keys are never stored.
    Record nokey = contrats.NewRecord("");
    nokey.SetItem(1, "x");
    EXPECT_THROW(nokey.DBWrite(), InvalidValue);
    EXPECT_TRUE(db.Check().empty());
}

TEST_P(StorageRecords, TransactionCommitsTogetherOrNotAtAll) {
    db.Transaction([&] {
        dba::testing::Put(contrats, "A", "1");
        dba::testing::Put(contrats, "B", "2");
    });
    EXPECT_TRUE(contrats.Exists("A"));
    EXPECT_TRUE(contrats.Exists("B"));
    EXPECT_THROW(db.Transaction([&] {
        dba::testing::Put(contrats, "C", "3");
        contrats.DeleteRecord("A");
        throw std::runtime_error("abandon");
    }),
                 std::runtime_error);
    EXPECT_FALSE(contrats.Exists("C"));
    EXPECT_TRUE(contrats.Exists("A"));
    // A failed write inside a transaction undoes only itself when caught.
    db.Transaction([&] {
        dba::testing::Put(contrats, "D", "4");
        Record bad = contrats.NewRecord("");
        EXPECT_THROW(bad.DBWrite(), InvalidValue);
    });
    EXPECT_TRUE(contrats.Exists("D"));
}

DBA_ON_BOTH_BACKENDS(StorageRecords);

} // namespace
