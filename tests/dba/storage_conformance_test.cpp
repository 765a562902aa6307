// The shared conformance cases run through a real database, once answered
// through indexes and once by reading every record.
#include "query_conformance_cases.h"
#include "storage_fixture.h"

#include "dba/errors.h"

#include <gtest/gtest.h>

#include <set>

using namespace dba;

namespace {

class StorageConformance : public ::testing::TestWithParam<dba::testing::Backend> {
protected:
    dba::testing::TestPlace place{GetParam()};
};

TEST_P(StorageConformance, DatabaseAnswersEveryCaseWithAndWithoutIndexes) {
    Database db = Database::Create(place.Location("conf"));
    std::map<std::string, std::set<int>> fieldsOf;
    db.Transaction([&] {
        for (const conformance::Record& r : conformance::kRecords) {
            std::string table(r.table);
            db.CreateTable(table);
            Record rec = db.OpenTable(table).NewRecord(std::string(r.key));
            rec.SetRecord(conformance::RecordText(r));
            rec.DBWrite();
            for (const conformance::Field& f : r.fields)
                fieldsOf[table].insert(f.number);
        }
        for (const conformance::DictItem& item : conformance::kDictionary) {
            DictEntry e;
            switch (item.kind) {
            case conformance::DictKind::Field:
                e.kind = DictEntry::Kind::Field;
                e.field = item.field;
                break;
            case conformance::DictKind::KeySlice:
                e.kind = DictEntry::Kind::KeySlice;
                e.start = item.start;
                e.length = item.length;
                break;
            case conformance::DictKind::Translate:
                e.kind = DictEntry::Kind::Translate;
                e.start = item.start;
                e.length = item.length;
                e.targetTable = std::string(item.targetTable);
                e.targetField = item.targetField;
                break;
            }
            db.DefineDictionary(std::string(item.table), std::string(item.name), e);
        }
    });
    auto run = [&](bool indexed) {
        for (const conformance::Case& c : conformance::kCases) {
            SCOPED_TRACE(std::string(indexed ? "indexes: " : "scan: ") + std::string(c.query));
            std::vector<std::string> expected(c.keys.begin(), c.keys.end());
            ResultList rows;
            ASSERT_NO_THROW(rows = indexed ? db.SelectRecords(std::string(c.query))
                                           : db.SelectRecordsByScan(std::string(c.query)));
            EXPECT_EQ(dba::testing::Keys(rows), expected);
        }
    };
    run(false);
    // Every field and every name that does not read another table indexed.
    for (const auto& [table, fields] : fieldsOf)
        for (int f : fields)
            db.CreateIndex(table, std::to_string(f));
    for (const conformance::DictItem& item : conformance::kDictionary)
        if (item.kind != conformance::DictKind::Translate)
            db.CreateIndex(std::string(item.table), std::string(item.name));
    run(true);
    EXPECT_TRUE(db.Check().empty());
}

DBA_ON_BOTH_BACKENDS(StorageConformance);

} // namespace
