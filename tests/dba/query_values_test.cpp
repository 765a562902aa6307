// Value-level rules of the query language: what is a number, how values
// compare in conditions and in sorting, and how one test meets one value or
// a multi-valued field.
#include "dba/dynarray.h"
#include "dba/query.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

namespace dba {
namespace {

int Sign(int v) {
    return (v > 0) - (v < 0);
}

TEST(QueryValues, IsNumber) {
    struct Case {
        const char* text;
        bool number;
    } cases[] = {
        {"0", true},
        {"02", true},
        {"-3", true},
        {"+3", true},
        {"1.5", true},
        {".5", true},
        {"5.", true},
        {"+.5", true},
        {"-0", true},
        {"00012001", true},
        {"12345678901234567890123", true},
        {"", false},
        {"-", false},
        {"+", false},
        {".", false},
        {"-.", false},
        {"1.2.3", false},
        {"1e5", false},
        {" 1", false},
        {"1 ", false},
        {"--1", false},
        {"+-1", false},
        {"12a", false},
        {"0x10", false},
        {"1,5", false},
        {"563b", false},
        {"1-", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsNumber(c.text), c.number) << '"' << c.text << '"';
}

struct Comparison {
    const char* a;
    const char* b;
    int expected;
};

TEST(QueryValues, CompareValuesIsNumericWhenBothAreNumbers) {
    const Comparison cases[] = {
        {"02", "2", 0},
        {"9999", "10000", -1},
        {"1.50", "1.5", 0},
        {"-0", "0", 0},
        {"-0.0", "+0", 0},
        {".5", "0.5", 0},
        {"5.", "5", 0},
        {"100", "100.000", 0},
        {"007", "7", 0},
        {"+7", "7", 0},
        {"-3", "2", -1},
        {"-3", "-20", 1},
        {"-1.5", "-1.25", -1},
        {"0.45", "0.5", -1},
        {"0.05", "0.5", -1},
        {"10.01", "10.1", -1},
        {"-0.001", "0", -1},
        // Beyond what a double tells apart.
        {"12345678901234567890", "12345678901234567891", -1},
        {"0.10000000000000000001", "0.1", 1},
        // Either side not a number: bytes.
        {"10", "9a", -1},
        {"2", "2 ", -1},
        {"", "0", -1},
        {"", "a", -1},
        {"", "", 0},
        {"a", "B", 1},
        {"abc", "abd", -1},
        {"ab", "abc", -1},
        {"\xC3\x89LIE", "ZOE", 1},
    };
    for (const Comparison& c : cases) {
        EXPECT_EQ(Sign(CompareValues(c.a, c.b)), c.expected) << '"' << c.a << "\" vs \"" << c.b << '"';
        EXPECT_EQ(Sign(CompareValues(c.b, c.a)), -c.expected) << '"' << c.b << "\" vs \"" << c.a << '"';
    }
}

TEST(QueryValues, CompareForSortOrdersEmptyThenNumbersThenTexts) {
    const Comparison cases[] = {
        {"", "0", -1},       {"", "-5", -1},   {"", "a", -1},       {"", "", 0},      {"0", "a", -1},
        {"99999", "1A", -1}, {"100", "A", -1}, {"9", "10", -1},     {"-5", "-1", -1}, {"10", "9a", -1},
        {"02", "2", -1},     {"2", "2", 0},    {"1.5", "1.50", -1}, {"Z", "a", -1},   {"zz", "\xC3\x89", -1},
    };
    for (const Comparison& c : cases) {
        EXPECT_EQ(Sign(CompareForSort(c.a, c.b)), c.expected) << '"' << c.a << "\" vs \"" << c.b << '"';
        EXPECT_EQ(Sign(CompareForSort(c.b, c.a)), -c.expected) << '"' << c.b << "\" vs \"" << c.a << '"';
    }

    std::vector<std::string> values = {"b", "10", "", "9", "02", "2", "-1", "A", "1.5", "10a", "-0", "0"};
    std::sort(values.begin(), values.end(),
              [](const std::string& x, const std::string& y) { return CompareForSort(x, y) < 0; });
    EXPECT_EQ(values,
              (std::vector<std::string>{"", "-1", "-0", "0", "1.5", "02", "2", "9", "10", "10a", "A", "b"}));
}

// std::sort and the database both need a strict total order: check it on
// every pair and triple of a set that mixes all the classes.
TEST(QueryValues, CompareForSortIsATotalOrder) {
    const std::vector<std::string> values = {
        "",  "0",  "-0", "00",   "0.0",  "1",  "01", "1.0",  "-1", "9",  "10", "1a",  "a",    "A",  "-",
        ".", "1.", ".1", "10.5", "9999", "02", "2",  "\xC3", "z",  "Z9", "+1", "1e3", "0.10", "-.5"};
    for (const std::string& a : values) {
        EXPECT_EQ(CompareForSort(a, a), 0) << a;
        for (const std::string& b : values) {
            int ab = Sign(CompareForSort(a, b));
            EXPECT_EQ(ab, -Sign(CompareForSort(b, a))) << a << " " << b;
            if (a != b) {
                EXPECT_NE(ab, 0) << a << " " << b;
            }
            for (const std::string& c : values) {
                if (ab <= 0 && CompareForSort(b, c) <= 0) {
                    EXPECT_LE(CompareForSort(a, c), 0) << a << " " << b << " " << c;
                }
            }
        }
    }
}

struct ValueCase {
    Op op;
    Match match;
    const char* text;
    const char* value;
    bool holds;
};

TEST(QueryValues, TestValueForEveryOperatorAndForm) {
    const ValueCase cases[] = {
        // Whole value, numbers.
        {Op::Eq, Match::Whole, "02", "2", true},
        {Op::Ne, Match::Whole, "02", "2", false},
        {Op::Lt, Match::Whole, "10000", "9999", true},
        {Op::Le, Match::Whole, "10000", "10000.0", true},
        {Op::Gt, Match::Whole, "10000", "9999", false},
        {Op::Ge, Match::Whole, "2", "02", true},
        {Op::Gt, Match::Whole, "-1", "-0.5", true},
        // Whole value, texts and the empty value.
        {Op::Eq, Match::Whole, "O", "O", true},
        {Op::Eq, Match::Whole, "O", "o", false},
        {Op::Ne, Match::Whole, "O", "", true},
        {Op::Lt, Match::Whole, "b", "a", true},
        {Op::Le, Match::Whole, "b", "b", true},
        {Op::Gt, Match::Whole, "10", "9a", true},
        {Op::Ge, Match::Whole, "x", "", false},
        {Op::Lt, Match::Whole, "x", "", true},
        {Op::Lt, Match::Whole, "0", "", true},
        {Op::Eq, Match::Whole, "", "", true},
        {Op::Ne, Match::Whole, "", "", false},
        {Op::Gt, Match::Whole, "", "0", true},
        // Begins: the value's first bytes, compared as bytes.
        {Op::Eq, Match::Prefix, "00012", "00012001", true},
        {Op::Eq, Match::Prefix, "00012", "00012", true},
        {Op::Eq, Match::Prefix, "12", "012", false},
        {Op::Eq, Match::Prefix, "2", "02", false},
        {Op::Eq, Match::Prefix, "1.0", "1.00", true},
        {Op::Eq, Match::Prefix, "1.0", "1.5", false},
        {Op::Ne, Match::Prefix, "abc", "abd", true},
        {Op::Ne, Match::Prefix, "ab", "abd", false},
        {Op::Lt, Match::Prefix, "0002", "00012001", true},
        {Op::Le, Match::Prefix, "0001", "00019999", true},
        {Op::Gt, Match::Prefix, "9", "10", false},
        {Op::Gt, Match::Prefix, "0001", "00012001", false},
        {Op::Ge, Match::Prefix, "0001", "00020000", true},
        // A value shorter than the text is compared whole.
        {Op::Eq, Match::Prefix, "abc", "ab", false},
        {Op::Lt, Match::Prefix, "abc", "ab", true},
        {Op::Eq, Match::Prefix, "abc", "", false},
        {Op::Le, Match::Prefix, "abc", "", true},
        // Ends: the value's last bytes, compared as bytes.
        {Op::Eq, Match::Suffix, "202403", "00042001202403", true},
        {Op::Ne, Match::Suffix, "202403", "00042001202403", false},
        {Op::Gt, Match::Suffix, "202403", "00042001202412", true},
        {Op::Gt, Match::Suffix, "202403", "00042001202312", false},
        {Op::Ge, Match::Suffix, "5", "15", true},
        {Op::Le, Match::Suffix, "05", "5", false},
        {Op::Lt, Match::Suffix, "2403", "03", true},
        {Op::Eq, Match::Suffix, "2403", "03", false},
        {Op::Ge, Match::Suffix, "20650", "x20650", true},
        {Op::Lt, Match::Suffix, "20650", "", true},
        // Contains, case-sensitive, as bytes.
        {Op::Eq, Match::Contains, "ONT", "DUPONT", true},
        {Op::Ne, Match::Contains, "ONT", "DUPONT", false},
        {Op::Eq, Match::Contains, "ont", "DUPONT", false},
        {Op::Eq, Match::Contains, "2", "02", true},
        {Op::Eq, Match::Contains, "x", "", false},
        {Op::Ne, Match::Contains, "x", "", true},
        {Op::Eq, Match::Contains, "à d", "Aides à domicile", true},
    };
    for (const ValueCase& c : cases) {
        dba::Test t{c.op, c.match, c.text};
        EXPECT_EQ(TestValue(t, c.value), c.holds)
            << "op " << static_cast<int>(c.op) << " match " << static_cast<int>(c.match) << " text \""
            << c.text << "\" value \"" << c.value << '"';
    }
    EXPECT_THROW(TestValue(dba::Test{Op::Lt, Match::Contains, "x"}, "x"), std::logic_error);
}

std::string Values(std::initializer_list<const char*> values) {
    std::vector<std::string> parts(values.begin(), values.end());
    return Join(parts, VM);
}

// The same tests on a whole field: any value may satisfy each test.
TEST(QueryValues, ConditionsOnMultiValuedFields) {
    struct Case {
        const char* query;
        std::string field;
        bool holds;
    } cases[] = {
        {R"(SELECT T AVEC 24 = "900")", Values({"800", "900", "1000"}), true},
        {R"(SELECT T AVEC 24 > "950")", Values({"800", "900", "1000"}), true},
        {R"(SELECT T AVEC 24 < "800")", Values({"800", "900", "1000"}), false},
        {R"(SELECT T AVEC 24 <> "900")", Values({"800", "900", "1000"}), true},
        {R"(SELECT T AVEC 24 <> "900")", Values({"900", "0900"}), false},
        {R"(SELECT T SANS 24 = "900")", Values({"800", "900", "1000"}), false},
        {R"(SELECT T SANS 24 = "950")", Values({"800", "900", "1000"}), true},
        // Each test of a short form may be met by a different value.
        {R"(SELECT T AVEC 24 >= "850" AND <= "850")", Values({"800", "900"}), true},
        {R"(SELECT T AVEC 24 >= "850" AND <= "850")", Values({"900", "1000"}), false},
        {R"(SELECT T AVEC 24 > "5000" OR = "")", Values({"", "700"}), true},
        {R"(SELECT T SANS 24 > "5000" OR = "")", Values({"", "700"}), false},
        {R"(SELECT T SANS 24 > "5000" OR = "")", Values({"600", "700"}), true},
        // Presence: some value not empty.
        {R"(SELECT T AVEC 24)", "", false},
        {R"(SELECT T SANS 24)", "", true},
        {R"(SELECT T AVEC 24)", Values({"", ""}), false},
        {R"(SELECT T SANS 24)", Values({"", ""}), true},
        {R"(SELECT T AVEC 24)", Values({"", "x"}), true},
        {R"(SELECT T SANS 24)", Values({"x", ""}), false},
        // An empty field is one empty value.
        {R"(SELECT T AVEC 24 = "")", "", true},
        {R"(SELECT T AVEC 24 <> "")", "", false},
        {R"(SELECT T AVEC 24 < "1")", "", true},
        {R"(SELECT T AVEC 24 = "")", Values({"a", ""}), true},
        {R"(SELECT T AVEC 24 = "a]")", Values({"b", "abc"}), true},
        {R"(SELECT T AVEC 24 = "[c")", Values({"abc", "b"}), true},
        {R"(SELECT T AVEC 24 # "[b]")", Values({"abc", "b"}), false},
    };
    for (const Case& c : cases) {
        Query q = ParseQuery(c.query);
        ASSERT_EQ(q.groups.size(), 1u);
        FieldFetcher fetch = [&](const FieldRef& f) -> std::string_view {
            EXPECT_EQ(f.number, 24);
            return c.field;
        };
        EXPECT_EQ(EvaluateCond(q.groups[0].conds.at(0), fetch), c.holds) << c.query;
    }
}

// The key condition holds together with the whole criteria, ORs included.
TEST(QueryValues, KeyConditionIsAndedWithEveryGroup) {
    Query q = ParseQuery(R"(SELECT T = "A]" OR = "B]" AVEC 1 = "x" OR AVEC 2 = "y")");
    struct Case {
        const char* key;
        const char* f1;
        const char* f2;
        bool holds;
    } cases[] = {
        {"A1", "x", "", true}, {"B1", "", "y", true}, {"C1", "x", "y", false},
        {"A1", "", "", false}, {"", "x", "y", false},
    };
    for (const Case& c : cases) {
        FieldFetcher fetch = [&](const FieldRef& f) -> std::string_view {
            if (f.isKey())
                return c.key;
            return f.number == 1 ? c.f1 : c.f2;
        };
        EXPECT_EQ(Evaluate(q, fetch), c.holds) << c.key << " " << c.f1 << " " << c.f2;
    }
    Query all = ParseQuery("SELECT T");
    EXPECT_TRUE(Evaluate(all, [](const FieldRef&) { return std::string_view(); }));
}

// A record is read once per field however many conditions test it, and
// the conditions see every value of it: the cost of a query repeating a
// condition on a large field grows with the field plus the conditions.
TEST(QueryValues, EachFieldIsFetchedOncePerRecord) {
    struct Case {
        const char* name;
        std::string query;
        std::string f1, f2;
        bool holds;
        int fetches;
    };
    std::string repeated = "SELECT T";
    for (int i = 0; i < 1000; ++i)
        repeated += (i ? " AND" : "") + std::string(" AVEC 1 # \"x\"");
    // More fields than are kept inline, the first tested again at the end.
    std::string manyFields = "SELECT T AVEC 1 = \"a\"";
    for (int f = 2; f <= 12; ++f)
        manyFields += " AND AVEC " + std::to_string(f) + " = \"b\"";
    manyFields += " AND AVEC 1 = \"a\"";
    const std::string big(1 << 20, 'a');
    const Case cases[] = {
        {"twelve fields", manyFields, "a", "b", true, 12},
        {"repeated on a large field", repeated, big, "", true, 1},
        {"repeated, last value fails", repeated, Values({"a", "b", "x"}), "", true, 1},
        {"repeated, every value fails", repeated, Values({"x", "x"}), "", false, 1},
        {"two fields", R"(SELECT T AVEC 1 = "a" AND AVEC 2 = "b]" AND AVEC 1 # "z" OR AVEC 2 = "q")", "a",
         Values({"c", "bd"}), true, 2},
        {"second group on the first field", R"(SELECT T AVEC 2 = "q" OR AVEC 1 = "a")", "a", "b", true, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Query q = ParseQuery(c.query);
        int fetches = 0;
        EXPECT_EQ(Evaluate(q,
                           [&](const FieldRef& f) -> std::string_view {
                               ++fetches;
                               return f.number == 1 ? c.f1 : c.f2;
                           }),
                  c.holds);
        EXPECT_EQ(fetches, c.fetches);
    }
}

TEST(QueryValues, SortRowsUseFirstValuesThenTheKey) {
    Query q = ParseQuery("SSELECT T PAR 1 PAR-DECR 2");
    auto row = [&](const char* key, std::string f1, std::string f2) {
        return MakeSortRow(q, key, [&](const FieldRef& f) -> std::string_view { return f.number == 1 ? f1 : f2; });
    };
    SortRow a = row("k1", Values({"5", "1"}), "x");
    EXPECT_EQ(a.values, (std::vector<std::string>{"5", "x"}));
    SortRow b = row("k2", "5", "y");
    SortRow c = row("k0", "05", "z");
    SortRow d = row("k3", "5", "y");
    EXPECT_LT(CompareSortRows(q.sort, b, a), 0); // same first key, "y" before "x" descending
    EXPECT_LT(CompareSortRows(q.sort, c, a), 0); // "05" before "5" on ties of equal numbers
    EXPECT_LT(CompareSortRows(q.sort, b, d), 0); // all equal: key ascending
    EXPECT_EQ(CompareSortRows(q.sort, b, b), 0);
    EXPECT_EQ(SortValue(Values({"", "9"})), "");
}

} // namespace
} // namespace dba
