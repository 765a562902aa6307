// Runs the shared conformance cases through the query tree alone: every
// record of the table is evaluated and the matches are put in result order.
// The database runs the same cases; both must give the same keys in the
// same order.
#include "query_conformance_cases.h"

#include "dba/dynarray.h"
#include "dba/errors.h"
#include "dba/query.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <map>

namespace dba {
namespace {

using conformance::DictItem;
using conformance::DictKind;

class MemoryTables {
public:
    MemoryTables() {
        for (const conformance::Record& r : conformance::kRecords)
            tables_[std::string(r.table)][std::string(r.key)] = conformance::RecordText(r);
    }

    std::vector<std::string> Select(std::string_view text) const {
        Query q = ParseQuery(text);
        auto table = tables_.find(q.table);
        if (table == tables_.end())
            throw TableNotFound(q.table);
        std::vector<SortRow> rows;
        for (const auto& [key, record] : table->second) {
            std::deque<std::string> fields; // what the views point into
            FieldFetcher fetch = [&](const FieldRef& f) -> std::string_view {
                return fields.emplace_back(Fetch(q.table, key, record, f));
            };
            if (Evaluate(q, fetch))
                rows.push_back(MakeSortRow(q, key, fetch));
        }
        std::sort(rows.begin(), rows.end(),
                  [&](const SortRow& a, const SortRow& b) { return CompareSortRows(q.sort, a, b) < 0; });
        std::vector<std::string> keys;
        for (const SortRow& r : rows)
            keys.push_back(r.key);
        return keys;
    }

private:
    std::string Fetch(const std::string& table, const std::string& key, const std::string& record,
                      const FieldRef& f) const {
        if (f.isKey())
            return key;
        if (f.kind == FieldRef::Kind::Number)
            return Extract(record, f.number);
        const DictItem& item = Lookup(table, f.name);
        switch (item.kind) {
        case DictKind::Field:
            return Extract(record, item.field);
        case DictKind::KeySlice:
            return Slice(key, item);
        case DictKind::Translate: {
            const auto& target = tables_.at(std::string(item.targetTable));
            auto found = target.find(Slice(key, item));
            return found == target.end() ? std::string() : Extract(found->second, item.targetField);
        }
        }
        return {};
    }

    static std::string Slice(const std::string& key, const DictItem& item) {
        std::size_t start = static_cast<std::size_t>(item.start - 1);
        return start >= key.size() ? std::string() : key.substr(start, static_cast<std::size_t>(item.length));
    }

    static const DictItem& Lookup(const std::string& table, const std::string& name) {
        for (const DictItem& item : conformance::kDictionary)
            if (item.table == table && item.name == name)
                return item;
        throw UnknownName("Nom inconnu : " + table + " " + name);
    }

    std::map<std::string, std::map<std::string, std::string>> tables_;
};

std::string Joined(const std::vector<std::string>& keys) {
    std::string out;
    for (const std::string& k : keys)
        out += (out.empty() ? "" : " ") + k;
    return out;
}

TEST(QueryConformance, EveryCaseSelectsItsKeysInOrder) {
    MemoryTables db;
    ASSERT_GE(conformance::kCases.size(), 60u);
    for (const conformance::Case& c : conformance::kCases) {
        SCOPED_TRACE(std::string(c.query));
        std::vector<std::string> expected(c.keys.begin(), c.keys.end());
        std::vector<std::string> actual;
        ASSERT_NO_THROW(actual = db.Select(c.query));
        EXPECT_EQ(Joined(actual), Joined(expected));
    }
}

// Guards the data set itself: a case whose answer is every record or no
// record says little, so most cases must select a proper subset, and every
// query must name a table and only known dictionary names.
TEST(QueryConformance, CasesDiscriminate) {
    MemoryTables db;
    std::map<std::string, std::size_t> tableSizes;
    for (const conformance::Record& r : conformance::kRecords)
        ++tableSizes[std::string(r.table)];
    std::size_t proper = 0;
    for (const conformance::Case& c : conformance::kCases) {
        Query q = ParseQuery(c.query);
        ASSERT_TRUE(tableSizes.count(q.table)) << c.query;
        std::size_t n = c.keys.size();
        if (n > 0 && n < tableSizes[q.table])
            ++proper;
    }
    EXPECT_GE(proper * 10, conformance::kCases.size() * 7);
}

TEST(QueryConformance, UnknownDictionaryNameIsAnError) {
    MemoryTables db;
    EXPECT_THROW(db.Select(R"(SSELECT CONTRAT AVEC NomInconnu = "x")"), UnknownName);
    EXPECT_THROW(db.Select("SSELECT CONTRAT PAR NomInconnu"), UnknownName);
}

} // namespace
} // namespace dba
