// The planner may only make a query faster: on generated data, generated
// queries must give the same rows in the same order with indexes and
// without them.
#include "storage_fixture.h"

#include "dba/errors.h"

#include <gtest/gtest.h>

#include <cstdint>

using namespace dba;

namespace {

// A small deterministic generator (same sequence on every platform).
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint32_t Next() {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<std::uint32_t>(state_ >> 33);
    }
    int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint32_t>(n)); }
    template <typename T> const T& Pick(const std::vector<T>& v) {
        return v[static_cast<std::size_t>(Below(static_cast<int>(v.size())))];
    }

private:
    std::uint64_t state_;
};

// Values chosen to meet the comparison traps: numbers with leading zeros,
// signs and decimals beside texts that begin like them, accents, empties.
const std::vector<std::string> kValues = {"",   "0", "00",   "2",     "02",     "2.0",   "2.5", "-1",  "+3",
                                          "10", "9", "9999", "10000", "020000", "20000", "A",   "AB",  "B",
                                          "BA", "a", "Ab",   "é",     "éa",     "É",     "2a",  "02b", "Z9"};
const std::vector<std::string> kTexts = {"",  "0",  "02", "2",  "20000", "9999", "A",  "AB",
                                         "B", "a",  "é",  "2a", "]",     "[",    "Z",  "1",
                                         "-", "10", "00", "Ab", "02b",   "É",    "A]", "[2"};

std::string MultiValue(Random& random, int maxValues) {
    int n = random.Below(maxValues) + 1;
    std::string out;
    for (int i = 0; i < n; ++i) {
        if (i)
            out += VM;
        out += random.Pick(kValues);
    }
    return out;
}

std::string KeyFor(int i, Random& random) {
    switch (random.Below(4)) {
    case 0:
        return std::to_string(i);
    case 1:
        return "000" + std::to_string(i);
    case 2:
        return "K" + std::to_string(i);
    default:
        return std::to_string(i) + (random.Below(2) ? "a" : ".5");
    }
}

DictEntry Field(int f) {
    DictEntry e;
    e.field = f;
    return e;
}

class PlannerEquivalence : public ::testing::TestWithParam<dba::testing::Backend> {
protected:
    void SetUp() override {
        db = Database::Create(place.Location("plan"));
        db.CreateTable("GEN");
        db.DefineDictionary("GEN", "Code", Field(2));
        DictEntry slice;
        slice.kind = DictEntry::Kind::KeySlice;
        slice.start = 1;
        slice.length = 2;
        db.DefineDictionary("GEN", "Tete", slice);
        DictEntry upper;
        upper.kind = DictEntry::Kind::Upper;
        upper.items = {"4"};
        db.DefineDictionary("GEN", "Maj", upper);
        DictEntry concat;
        concat.kind = DictEntry::Kind::Concat;
        concat.separator = "-";
        concat.items = {"1", "4"};
        db.DefineDictionary("GEN", "UnQuatre", concat);
        db.DefineDictionary("GEN", "Cle", Field(0));
        // Indexes: some before the data is written, some built afterwards.
        db.CreateIndex("GEN", "1");
        db.CreateIndex("GEN", "Code");
        Table gen = db.OpenTable("GEN");
        Random random(20240611);
        db.Transaction([&] {
            for (int i = 0; i < 2000; ++i) {
                Record r = gen.NewRecord(KeyFor(i, random));
                r.SetItem(1, random.Below(8) ? random.Pick(kValues) : "");
                r.SetItem(2, MultiValue(random, 3));
                r.SetItem(3, MultiValue(random, 4));
                r.SetItem(4, random.Pick(kValues));
                r.SetItem(5, std::to_string(random.Below(50)));
                r.DBWrite();
            }
        });
        db.CreateIndex("GEN", "3");
        db.CreateIndex("GEN", "Maj");
        db.CreateIndex("GEN", "Tete");
        db.CreateIndex("GEN", "UnQuatre");
        // Rewrites and deletions move index entries after the build.
        db.Transaction([&] {
            Random again(7);
            for (int i = 0; i < 300; ++i) {
                std::string key = std::to_string(again.Below(2000));
                if (!gen.Exists(key))
                    continue;
                if (i % 3 == 0) {
                    gen.DeleteRecord(key);
                } else {
                    Record r = gen.ReadRecord(key);
                    r.SetItem(3, MultiValue(again, 3));
                    r.SetItem(1, again.Pick(kValues));
                    r.DBWrite();
                }
            }
        });
    }

    std::string Test(Random& random) {
        static const std::vector<std::string> ops = {"=", "=", "=", "<>", "#", "<", "<=", ">", ">="};
        std::string op = random.Pick(ops);
        std::string text = random.Pick(kTexts);
        switch (random.Below(6)) {
        case 0:
            if (op != "<>" && op != "#" && op != "=") // containment has only = and <>
                break;
            text = "[" + text + "]";
            break;
        case 1:
            text += "]";
            break;
        case 2:
            text = "[" + text;
            break;
        default:
            break;
        }
        return op + " \"" + text + "\"";
    }

    std::string Condition(Random& random) {
        static const std::vector<std::string> fields = {
            "1", "2", "3", "4", "5", "@ID", "0", "Code", "Tete", "Maj", "UnQuatre", "Cle", "3", "1", "Code"};
        std::string out = random.Below(5) ? "AVEC " : "SANS ";
        out += random.Pick(fields);
        if (random.Below(8) == 0)
            return out; // presence test
        out += " " + Test(random);
        for (int extra = random.Below(4); extra > 1; --extra)
            out += (random.Below(2) ? " OR " : " AND ") + Test(random);
        return out;
    }

    std::string Query(Random& random) {
        std::string q = random.Below(2) ? "SSELECT GEN" : "SELECT GEN";
        if (random.Below(6) == 0)
            q += " " + Test(random);
        int groups = random.Below(3);
        for (int g = 0; g < groups; ++g) {
            if (g)
                q += " OR";
            int conds = random.Below(3) + 1;
            for (int c = 0; c < conds; ++c)
                q += (c ? " AND " : " ") + Condition(random);
        }
        static const std::vector<std::string> sorts = {"1", "2", "3", "4", "Maj", "@ID", "Tete"};
        for (int s = random.Below(3); s > 0; --s)
            q += (random.Below(2) ? " PAR " : " PAR-DECR ") + random.Pick(sorts);
        return q;
    }

    dba::testing::TestPlace place{GetParam()};
    Database db;
};

TEST_P(PlannerEquivalence, IndexedAndScannedAnswersAgree) {
    ASSERT_TRUE(db.Check().empty());
    Random random(424242);
    int indexed = 0, proper = 0, total = 0;
    const int tableSize = db.SelectRecordsByScan("SELECT GEN").DCount();
    for (int i = 0; i < 300; ++i) {
        std::string q = Query(random);
        SCOPED_TRACE(q);
        ResultList withIndexes, byScan;
        try {
            byScan = db.SelectRecordsByScan(q, "0 1 2 Maj");
        } catch (const QuerySyntaxError&) {
            // Generated texts may combine into a form the language refuses;
            // both ways must refuse it.
            EXPECT_THROW(db.SelectRecords(q, "0 1 2 Maj"), QuerySyntaxError);
            continue;
        }
        ASSERT_NO_THROW(withIndexes = db.SelectRecords(q, "0 1 2 Maj"));
        ASSERT_EQ(withIndexes.rows(), byScan.rows());
        ++total;
        if (db.Explain(q) != "lecture complète")
            ++indexed;
        if (byScan.DCount() > 0 && byScan.DCount() < tableSize)
            ++proper;
    }
    std::printf("%d queries, %d answered through indexes, %d selecting a proper subset\n", total, indexed,
                proper);
    // The generated set must exercise the planner and discriminate.
    EXPECT_GE(indexed, total / 4);
    EXPECT_GE(proper, total / 3);
}

TEST_P(PlannerEquivalence, SelectiveQueriesReadFewCandidates) {
    struct Case {
        const char* query;
        bool usesIndex;
    };
    const std::vector<Case> cases = {
        {R"(SELECT GEN AVEC @ID = "K12")", true},
        {R"(SELECT GEN AVEC @ID = "0012")", true},
        {R"(SELECT GEN AVEC 0 = "K1]")", true},
        {R"(SELECT GEN = "K12")", true},
        {R"(SELECT GEN AVEC Code = "AB")", true},
        {R"(SELECT GEN AVEC 2 = "AB")", true}, // Code is field 2
        {R"(SELECT GEN AVEC 1 = "02" AND AVEC 5 = "7")", true},
        {R"(SELECT GEN AVEC 1 = "2" OR AVEC 3 = "A]")", true},
        {R"(SELECT GEN AVEC Maj = "É")", true},
        {R"(SELECT GEN AVEC 5 = "7")", false},
        {R"(SELECT GEN SANS 1 = "2")", false},
        {R"(SELECT GEN AVEC 1 = "2" OR AVEC 5 = "7")", false},
        {R"(SELECT GEN AVEC 1 = "[2")", false},
    };
    for (const Case& c : cases) {
        std::string plan = db.Explain(c.query);
        EXPECT_EQ(plan != "lecture complète", c.usesIndex) << c.query << " : " << plan;
        EXPECT_EQ(db.SelectRecords(c.query).rows(), db.SelectRecordsByScan(c.query).rows()) << c.query;
    }
    std::string key = db.SelectRecords(R"(SELECT GEN AVEC @ID = "K]")").Item(1);
    ASSERT_FALSE(key.empty());
    EXPECT_EQ(db.Explain("SELECT GEN AVEC @ID = \"" + key + "\""), "index : 1 candidats");
}

DBA_ON_BOTH_BACKENDS(PlannerEquivalence);

} // namespace
