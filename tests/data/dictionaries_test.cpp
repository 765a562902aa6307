#include "data/dictionaries.h"
#include "data/tables.h"
#include "support/library_fixture.h"

#include <gtest/gtest.h>

namespace {

// A key made of parts, written apart for reading.
std::string K(std::initializer_list<const char*> parts) {
    std::string key;
    for (const char* part : parts)
        key += part;
    return key;
}

std::vector<std::string> Keys(const dba::ResultList& list) {
    std::vector<std::string> keys;
    for (int r = 1; r <= list.DCount(); ++r)
        keys.push_back(list.Item(r, 1));
    return keys;
}

struct SeededDatabase : TempDatabase {
    SeededDatabase() {
        data::InstallDictionaries(db);
        using namespace data::tables;
        Put(CIVILAIDANT, "00001", {{2, "MARTIN"}, {3, "Paul"}});
        Put(CIVILAIDANT, "00002", {{2, "Dubois"}, {3, "anne"}});
        Put(CIVILAIDANT, "00003", {{2, "MARTIN"}, {3, "Alice"}});
        Put(CONTRAT, "00001001", {{1, "02"}, {3, "10001"}});
        Put(CONTRAT, "00002001", {{1, "02"}, {3, "10001"}});
        Put(CONTRAT, "00003001", {{1, "02"}, {3, "10001"}});
        Put(CONTRAT, "00003002", {{1, "01"}, {3, "001002"}});
        Put(CONTRAT, "00009001", {{1, "02"}, {3, "10001"}}); // helper record missing
        Put(CIVILAIDE, "10001", {{2, "DURAND"}, {3, "Jeanne"}});
        Put(CIVILAIDE, "10002", {{2, "DURAND"}, {3, "Marc"}, {43, "1"}});
        Put(CIVILAIDE, "10003", {{2, "DUPONT"}, {3, "Louis"}});
        Put(ELTSPARTEMP, "10001", {{1, "x"}});
        Put(ELTSPARTEMP, "10002", {{1, "x"}});
        // helper, start day, weekday, slot start
        Put(TPSAIDANTINDISPO, K({"00001", "10000", "0", "0800"}), {{1, ""}, {2, "1200"}, {5, "O"}});
        Put(TPSAIDANTINDISPO, K({"00001", "10100", "1", "0900"}), {{1, ""}, {2, "1000"}, {5, "O"}});
        Put(TPSAIDANTINDISPO, K({"00001", "09000", "2", "0900"}), {{1, "09500"}, {2, "1000"}, {5, "O"}});
        // contract, beneficiary, start day, activity type, sequence, weekday, start time
        Put(TPSDETAILSINTERV, K({"00001001", "10001", "10000", "M", "01", "2", "0830"}),
            {{2, "1000"}, {3, "ACT01"}});
        Put(TPSDETAILSINTERV, K({"00001001", "10001", "10000", "M", "02", "0", "1400"}),
            {{2, "1600"}, {3, "ACT01"}});
        Put(TPSDETAILSINTERV, K({"00001001", "10001", "10000", "P", "03", "0", "0900"}),
            {{2, "1000"}, {3, "ACT01"}});
        Put(TPSDETAILSINTERV, K({"00001001", "10001", "10000", "M", "04", "1", "0900"}),
            {{2, "1000"}, {3, "ACT02"}});
        Put(TPSEXCEPTIONS, K({"00001", "10200", "01"}), {{1, "00001001"}});
        Put(TPSEXCEPTIONS, K({"00001", "09000", "01"}), {{1, "00001001"}});
        Put(ABSENCESAIDANT, K({"00001", "01", "10500"}), {{2, "10510"}, {11, "05"}});
        Put(ABSENCESAIDANT, K({"00001", "02", "9000"}), {{2, "9005"}, {11, "05"}});
        Put(ABSENCESAIDANT, K({"00001", "03", "10600"}), {{2, "10610"}, {11, "18"}});
        Put(CONTRATSPREV, "01", {{1, "Prévoyance mandataire"}, {2, "02"}});
        Put(CONTRATSPREV, "02", {{1, "Prévoyance"}, {2, "01"}});
    }
};

} // namespace

TEST(Dictionaries, EveryNameResolvesInAQueryOnItsTable) {
    SeededDatabase t;
    for (const auto& def : data::DictionaryDefinitions()) {
        SCOPED_TRACE(def.table + " " + def.name);
        const std::string command =
            "SSELECT " + def.table + " AVEC " + def.name + " <> \"#\" PAR " + def.name;
        dba::ResultList list;
        ASSERT_NO_THROW(list = t.db.SelectRecords(command, "0 " + def.name));
        EXPECT_GT(list.DCount(), 0) << "every table of a name is seeded";
        EXPECT_EQ(list.DCount(), t.db.SelectRecordsByScan(command, "0 " + def.name).DCount());
    }
}

TEST(Dictionaries, QueriesOfTheLibraryGiveTheExpectedRows) {
    SeededDatabase t;
    struct Case {
        const char* command;
        std::vector<std::string> keys;
    } cases[] = {
        // The browser sorted by helper: a missing helper sorts first (empty name).
        {"SSELECT CONTRAT AVEC 1 = \"02\" AND AVEC 3 = \"10001\" PAR NomAidantContrat PAR "
         "PrenomAidantContrat",
         {"00009001", "00002001", "00003001", "00001001"}},
        {"SSELECT CIVILAIDANT AVEC NomPrenomAidant = \"MARTIN A]\" PAR 2 PAR 3", {"00003"}},
        {"SSELECT CIVILAIDANT AVEC NomPrenomAidant = \"DUBOIS ANNE]\" PAR 2 PAR 3", {"00002"}},
        {"SSELECT CIVILAIDANT AVEC NomPrenomAidant = \"MARTIN]\" PAR 2 PAR 3", {"00003", "00001"}},
        {"SSELECT CIVILAIDE AVEC NomPrenomAide = \"DUR]\" AND AVEC CodeAideElts AND SANS 43 PAR 2",
         {"10001"}},
        {"SSELECT CIVILAIDE AVEC NomPrenomAide = \"DU]\" AND AVEC CodeAideElts PAR 2", {"10001", "10002"}},
        {"SSELECT CIVILAIDE AVEC NomPrenomAide = \"DURAND Marc\"", {"10002"}},
        {"SSELECT TPSAIDANTINDISPO AVEC 0 = \"00001]\" AND AVEC 5 = \"O\" AND AVEC DateDebIndispo <= "
         "\"10060\" "
         "AND AVEC 1 >= \"10060\" OR = \"\"",
         {K({"00001", "10000", "0", "0800"})}},
        {"SELECT TPSDETAILSINTERV = \"00001001]\" AVEC 1 >= \"10100\" OR = \"\" AND AVEC CodeActInterv = "
         "\"ACT01\" "
         "AND AVEC CodeAide = \"10001\" AND AVEC TypeActDetailInterv = \"M\" PAR JourInterv PAR HeureInterv",
         {K({"00001001", "10001", "10000", "M", "02", "0", "1400"}),
          K({"00001001", "10001", "10000", "M", "01", "2", "0830"})}},
        {"SELECT TPSDETAILSINTERV = \"00001001]\" AVEC TypeActDetailInterv # \"M\" AND AVEC DateDebInterv <= "
         "\"10000\"",
         {K({"00001001", "10001", "10000", "P", "03", "0", "0900"})}},
        {"SSELECT TPSEXCEPTIONS AVEC 1 = \"00001001\" AND AVEC DateDebExcep >= \"10000\"",
         {K({"00001", "10200", "01"})}},
        {"SSELECT ABSENCESAIDANT AVEC @ID = \"00001]\" AND AVEC TypeAbs <> \"18\" AND AVEC TypeAbs <> \"19\" "
         "PAR DebAbsAidant",
         {K({"00001", "02", "9000"}), K({"00001", "01", "10500"})}},
        {"SSELECT CONTRATSPREV AVEC ConvColPrev = \"02\"", {"01"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        EXPECT_EQ(Keys(t.db.SelectRecords(c.command)), c.keys);
        EXPECT_EQ(Keys(t.db.SelectRecordsByScan(c.command)), c.keys);
    }
    const dba::ResultList names = t.db.SelectRecords("SSELECT CONTRAT AVEC @ID = \"00003002\"",
                                                     "0 NomAidantContrat PrenomAidantContrat NumeroContrat");
    EXPECT_EQ(names.Item(1, 2), "MARTIN");
    EXPECT_EQ(names.Item(1, 3), "Alice");
    EXPECT_EQ(names.Item(1, 4), "002");
}

TEST(Dictionaries, InstallIsIdempotentAndRepairs) {
    SeededDatabase t;
    std::map<std::string, std::map<std::string, std::string>> before;
    std::map<std::string, std::vector<std::string>> indexesBefore;
    for (std::string_view table : data::tables::All) {
        for (const auto& [name, entry] : t.db.Dictionary(std::string(table)))
            before[std::string(table)][name] = entry.Serialize();
        indexesBefore[std::string(table)] = t.db.Indexes(std::string(table));
    }
    for (const auto& index : data::IndexDefinitions()) {
        const auto present = t.db.Indexes(index.table);
        EXPECT_NE(std::find(present.begin(), present.end(), index.item), present.end()) << index.item;
    }

    // A wrong definition is put right by the next run.
    dba::DictEntry wrong;
    wrong.kind = dba::DictEntry::Kind::Field;
    wrong.field = 9;
    t.db.DefineDictionary(data::tables::CONTRAT, data::dict::NomAidantContrat, wrong);
    data::InstallDictionaries(t.db);
    data::InstallDictionaries(t.db);

    for (std::string_view table : data::tables::All) {
        std::map<std::string, std::string> after;
        for (const auto& [name, entry] : t.db.Dictionary(std::string(table)))
            after[name] = entry.Serialize();
        EXPECT_EQ(after, before[std::string(table)]) << table;
        EXPECT_EQ(t.db.Indexes(std::string(table)), indexesBefore[std::string(table)]) << table;
    }
    EXPECT_EQ(t.db.Tables().size(), data::tables::All.size());
    EXPECT_TRUE(t.db.Check().empty());
}
