// Dictionaries of every kind, resolved through real selections.
#include "storage_fixture.h"

#include "dba/errors.h"

#include <gtest/gtest.h>

using namespace dba;
using dba::testing::Put;
using dba::testing::R;

namespace {

DictEntry FieldItem(int f) {
    DictEntry e;
    e.kind = DictEntry::Kind::Field;
    e.field = f;
    return e;
}
DictEntry SliceItem(int start, int length) {
    DictEntry e;
    e.kind = DictEntry::Kind::KeySlice;
    e.start = start;
    e.length = length;
    return e;
}
DictEntry TranslateItem(std::string source, int start, int length, std::string table, int field) {
    DictEntry e;
    e.kind = DictEntry::Kind::Translate;
    e.sourceItem = std::move(source);
    e.start = start;
    e.length = length;
    e.targetTable = std::move(table);
    e.targetField = field;
    return e;
}
DictEntry ConcatItem(std::string separator, std::vector<std::string> items) {
    DictEntry e;
    e.kind = DictEntry::Kind::Concat;
    e.separator = std::move(separator);
    e.items = std::move(items);
    return e;
}
DictEntry UpperItem(std::string item) {
    DictEntry e;
    e.kind = DictEntry::Kind::Upper;
    e.items = {std::move(item)};
    return e;
}

TEST(StorageDictionary, EntriesReadBackFromTheirText) {
    const std::vector<DictEntry> entries = {
        FieldItem(0),
        FieldItem(65),
        SliceItem(6, 3),
        SliceItem(2, 0),
        TranslateItem("", 1, 5, "CIVILAIDANT", 2),
        TranslateItem("CodeAide", 1, 0, "AIDE", 0),
        ConcatItem(" ", {"Nom", "Prenom"}),
        ConcatItem("\"quoted\\ sep\"", {"3", "@ID", "Nom avec \" guillemet"}),
        UpperItem("Nom"),
    };
    for (const DictEntry& e : entries) {
        std::string text = e.Serialize();
        DictEntry back = DictEntry::Parse(text);
        EXPECT_EQ(back.Serialize(), text);
        EXPECT_EQ(back.kind, e.kind) << text;
        EXPECT_EQ(back.items, e.items) << text;
        EXPECT_EQ(back.separator, e.separator) << text;
        EXPECT_EQ(back.sourceItem, e.sourceItem) << text;
    }
    for (const char* bad : {"", "X 1", "F", "F -1", "F 2 3", "K 1", "K 0 3", "C \" \"", "U", "U \"a\" \"b\"",
                            "T 1 5 2 \"\" \"\"", "C \"unterminated", "F x"})
        EXPECT_THROW(DictEntry::Parse(bad), InvalidValue) << bad;
}

class StorageDictionaryDb : public ::testing::TestWithParam<dba::testing::Backend> {
protected:
    void SetUp() override {
        db = Database::Create(place.Location("dict"));
        db.CreateTable("CONTRAT");
        db.CreateTable("CIVILAIDANT");
        Table civil = db.OpenTable("CIVILAIDANT");
        Put(civil, "00012", "M^Dupont^Hélène");
        Put(civil, "00013", "Mme^Lefèvre^Zoé");
        Put(civil, "00014", "M^Œuvray^Ÿves");
        Table contrats = db.OpenTable("CONTRAT");
        Put(contrats, "00012001", "02^E01^^^^^20000");
        Put(contrats, "00013001", "02^E01^^^^^20100");
        Put(contrats, "00014002", "02^E02^^^^^20200");
        Put(contrats, "00017001", "02^E02^^^^^20300"); // no CIVILAIDANT record
        db.DefineDictionary("CONTRAT", "CodeAidantContrat", SliceItem(1, 5));
        db.DefineDictionary("CONTRAT", "NumContrat", SliceItem(6, 0));
        db.DefineDictionary("CONTRAT", "NomAidantContrat", TranslateItem("", 1, 5, "CIVILAIDANT", 2));
        db.DefineDictionary("CONTRAT", "PrenomAidantContrat",
                            TranslateItem("CodeAidantContrat", 1, 0, "CIVILAIDANT", 3));
        db.DefineDictionary("CONTRAT", "NomPrenom",
                            ConcatItem(" ", {"NomAidantContrat", "PrenomAidantContrat"}));
        db.DefineDictionary("CONTRAT", "NomMaj", UpperItem("NomPrenom"));
        db.DefineDictionary("CONTRAT", "Entite", FieldItem(2));
        db.DefineDictionary("CONTRAT", "Cle", FieldItem(0));
        db.DefineDictionary("CONTRAT", "EntiteDebut", ConcatItem("/", {"2", "7", "@ID"}));
    }
    dba::testing::TestPlace place{GetParam()};
    Database db;
};

TEST_P(StorageDictionaryDb, EveryKindResolvesInOutputsConditionsAndSorts) {
    ResultList all = db.SelectRecords(
        "SSELECT CONTRAT",
        "0 CodeAidantContrat NumContrat NomAidantContrat PrenomAidantContrat NomPrenom NomMaj "
        "Entite Cle EntiteDebut");
    ASSERT_EQ(all.DCount(), 4);
    const std::vector<std::vector<std::string>> expected = {
        {"00012001", "00012", "001", "Dupont", "Hélène", "Dupont Hélène", "DUPONT HÉLÈNE", "E01", "00012001",
         "E01/20000/00012001"},
        {"00013001", "00013", "001", "Lefèvre", "Zoé", "Lefèvre Zoé", "LEFÈVRE ZOÉ", "E01", "00013001",
         "E01/20100/00013001"},
        {"00014002", "00014", "002", "Œuvray", "Ÿves", "Œuvray Ÿves", "ŒUVRAY ŸVES", "E02", "00014002",
         "E02/20200/00014002"},
        {"00017001", "00017", "001", "", "", " ", " ", "E02", "00017001", "E02/20300/00017001"},
    };
    EXPECT_EQ(all.rows(), expected);

    struct Case {
        const char* query;
        std::vector<std::string> keys;
    };
    const std::vector<Case> cases = {
        {R"(SSELECT CONTRAT AVEC NomAidantContrat = "Lefèvre")", {"00013001"}},
        {R"(SSELECT CONTRAT SANS NomAidantContrat)", {"00017001"}},
        {R"(SSELECT CONTRAT AVEC NomMaj = "[HÉLÈNE")", {"00012001"}},
        {R"(SSELECT CONTRAT AVEC NumContrat = "2")", {"00014002"}},
        {R"(SSELECT CONTRAT AVEC CodeAidantContrat = "00013]")", {"00013001"}},
        {R"(SSELECT CONTRAT AVEC Entite = "E02" PAR-DECR NomPrenom)", {"00014002", "00017001"}},
        {R"(SSELECT CONTRAT PAR NomMaj)", {"00017001", "00012001", "00013001", "00014002"}},
        {R"(SSELECT CONTRAT AVEC Cle = "13001")", {"00013001"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(dba::testing::Keys(db.SelectRecords(c.query)), c.keys) << c.query;
        EXPECT_EQ(dba::testing::Keys(db.SelectRecordsByScan(c.query)), c.keys) << c.query;
    }
}

TEST_P(StorageDictionaryDb, UnknownNamesAndBadDefinitionsAreErrors) {
    EXPECT_THROW(db.SelectRecords(R"(SSELECT CONTRAT AVEC Inconnu = "x")"), UnknownName);
    EXPECT_THROW(db.SelectRecords("SSELECT CONTRAT PAR Inconnu"), UnknownName);
    EXPECT_THROW(db.SelectRecords("SSELECT CONTRAT", "0 Inconnu"), UnknownName);
    db.DefineDictionary("CONTRAT", "Boucle", UpperItem("Boucle"));
    EXPECT_THROW(db.SelectRecords("SSELECT CONTRAT", "Boucle"), UnknownName);
    db.DefineDictionary("CONTRAT", "VersAbsente", TranslateItem("", 1, 5, "ABSENTE", 1));
    EXPECT_THROW(db.SelectRecords("SSELECT CONTRAT", "VersAbsente"), TableNotFound);
    EXPECT_THROW(db.DefineDictionary("ABSENTE", "X", FieldItem(1)), TableNotFound);
    for (const char* name : {"", "12", "AVEC", "a b", "x=y", "@ID"})
        EXPECT_THROW(db.DefineDictionary("CONTRAT", name, FieldItem(1)), InvalidValue) << name;
    // An index may not depend on another table: it would go stale silently.
    EXPECT_THROW(db.CreateIndex("CONTRAT", "NomAidantContrat"), InvalidValue);
    EXPECT_THROW(db.CreateIndex("CONTRAT", "Inconnu"), UnknownName);
    EXPECT_TRUE(db.Indexes("CONTRAT").empty());
}

TEST_P(StorageDictionaryDb, DictionaryIsSharedAndRedefinitionRebuildsIndexes) {
    db.CreateIndex("CONTRAT", "Entite");
    Database other = Database::Open(place.Location("dict"));
    EXPECT_EQ(other.Dictionary("CONTRAT").at("Entite").field, 2);
    EXPECT_EQ(other.Indexes("CONTRAT"), std::vector<std::string>{"Entite"});
    EXPECT_EQ(dba::testing::Keys(other.SelectRecords(R"(SSELECT CONTRAT AVEC Entite = "E02")")),
              (std::vector<std::string>{"00014002", "00017001"}));
    // Entite now means field 7: the index follows in the same transaction.
    db.DefineDictionary("CONTRAT", "Entite", FieldItem(7));
    EXPECT_EQ(dba::testing::Keys(other.SelectRecords(R"(SSELECT CONTRAT AVEC Entite = "20100")")),
              std::vector<std::string>{"00013001"});
    EXPECT_TRUE(other.SelectRecords(R"(SSELECT CONTRAT AVEC Entite = "E02")").empty());
    // Writes of the other session keep the redefined index.
    Record r = other.OpenTable("CONTRAT").ReadRecord("00017001");
    r.SetItem(7, "20100");
    r.DBWrite();
    EXPECT_EQ(dba::testing::Keys(db.SelectRecords(R"(SSELECT CONTRAT AVEC Entite = "20100")")),
              (std::vector<std::string>{"00013001", "00017001"}));
    EXPECT_TRUE(db.Check().empty());
}

DBA_ON_BOTH_BACKENDS(StorageDictionaryDb);

} // namespace
