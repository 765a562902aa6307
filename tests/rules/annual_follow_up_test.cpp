#include "rules/annual_follow_up.h"

#include "data/numbers.h"
#include "dba/dynarray.h"

#include <functional>
#include <gtest/gtest.h>

using namespace rules::suivi;
using rules::Hundredths;

namespace {

std::vector<std::string> Range(const std::string& first, const std::string& last) {
    std::vector<std::string> codes;
    for (std::string p = first; p <= last; p = NextPeriod(p))
        codes.push_back(p);
    return codes;
}

std::string Join(std::initializer_list<std::string> values) {
    return dba::Join(values, dba::VM);
}

// A contract whose current year holds `rows` as stored texts.
dba::Record Contract(std::initializer_list<std::pair<int, std::string>> fields) {
    dba::Record r;
    for (const auto& [f, v] : fields)
        r.SetItem(f, v);
    return r;
}

} // namespace

TEST(AnnualFollowUp, PeriodsOfferedAroundYearEnds) {
    struct Case {
        const char* what;
        PeriodChoiceData data;
        std::vector<std::string> expected;
    } cases[] = {
        {"entity, calendar year", {"02", "", "", "202611", "0", ""}, Range("202601", "202612")},
        {"entity, empty field 25 counts as 0", {"02", "", "", "202611", "", ""}, Range("202601", "202612")},
        {"entity, year from December",
         {"02", "", "", "202611", "1", ""},
         {"202512", "202601", "202602", "202603", "202604", "202605", "202606", "202607", "202608", "202609",
          "202610", "202611"}},
        {"employer, closing May, current November",
         {"10", "", "", "200511", "", "05"},
         Range("200506", "200512")},
        {"employer, closing May, current March",
         {"10", "", "", "200503", "", "05"},
         Range("200406", "200504")},
        {"employer, closing May, current December",
         {"10", "", "", "200512", "", "05"},
         Range("200506", "200601")},
        {"employer, closing May, current May", {"10", "", "", "200505", "", "05"}, Range("200406", "200506")},
        {"employer, closing December, current December",
         {"10", "", "", "202612", "", "12"},
         Range("202601", "202701")},
        {"employer, closing December, current November",
         {"10", "", "", "202611", "", "12"},
         Range("202601", "202612")},
        {"employer, no closing month is December",
         {"10", "", "", "202611", "", ""},
         Range("202601", "202612")},
        {"field 63 in December: the next year",
         {"02", "202512", "202512", "202511", "0", ""},
         Range("202601", "202612")},
        {"field 63 otherwise: the current pay period's year",
         {"02", "202410", "202410", "202611", "0", ""},
         Range("202601", "202612")},
        {"only field 81: its year", {"02", "", "202403", "202611", "0", ""}, Range("202401", "202412")},
        {"no current pay period in employer mode", {"10", "", "", "", "", "05"}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(OfferedPeriods(c.data), c.expected);
    }
}

TEST(AnnualFollowUp, PeriodLabelsReadBackAsCodes) {
    EXPECT_EQ(PeriodLabel("200512"), QStringLiteral("DÉCEMBRE 2005"));
    EXPECT_EQ(PeriodLabel("202602"), QStringLiteral("FÉVRIER 2026"));
    EXPECT_EQ(PeriodLabel("202608"), QStringLiteral("AOÛT 2026"));
    for (const auto& code : Range("202601", "202612")) {
        SCOPED_TRACE(code);
        EXPECT_EQ(PeriodCode(PeriodLabel(code)), code);
    }
    for (const char* bad : {"202613", "202600", "2026", "20261a", ""}) {
        SCOPED_TRACE(bad);
        EXPECT_TRUE(PeriodLabel(bad).isEmpty());
    }
    EXPECT_EQ(PeriodCode(QStringLiteral("MOIS 2026")), "");
    EXPECT_EQ(PeriodCode(QString()), "");
}

TEST(AnnualFollowUp, ReadingDerivesFlatRateCumulativeAndBalance) {
    const dba::Record contract = Contract({{76, Join({"202601", "202602", "202603"})},
                                           {77, Join({"15167", "15167", "15167"})},
                                           {78, Join({"800", "0", ""})},
                                           {79, Join({"14617", "15067", "15167"})},
                                           {80, Join({"250", "-100", "0"})},
                                           {100, Join({"100"})}});
    const auto rows = ReadYear(contract, CurrentYear);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].contracted, 15167);
    EXPECT_EQ(rows[0].absence, 800);
    EXPECT_EQ(rows[0].FlatRate(), 14367);
    EXPECT_EQ(rows[2].absence, 0);    // empty value
    EXPECT_EQ(rows[1].adjustment, 0); // field 100 shorter than the others
    const auto totals = Accumulate(rows);
    EXPECT_EQ(totals, (std::vector<Totals>{{250, 150}, {150, 50}, {150, 50}}));

    EXPECT_EQ(FormatHours(rows[0].contracted, false, ","), QStringLiteral(" 151,67"));
    EXPECT_EQ(FormatHours(rows[0].absence, false, ","), QStringLiteral("   8,00"));
    EXPECT_EQ(FormatHours(rows[0].FlatRate(), false, ","), QStringLiteral(" 143,67"));
    EXPECT_EQ(FormatHours(totals[0].balance, true, ","), QStringLiteral("    1,50"));
    EXPECT_EQ(FormatHours(rows[1].difference, true, ","), QStringLiteral("   -1,00"));

    // The previous year lives in its own fields.
    EXPECT_TRUE(ReadYear(contract, PreviousYear).empty());
}

TEST(AnnualFollowUp, ReadingStopsAtTheFirstEmptyPeriod) {
    const dba::Record contract =
        Contract({{71, Join({"202501", "", "202503"})}, {72, Join({"100", "200", "300"})}});
    const auto rows = ReadYear(contract, PreviousYear);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].contracted, 100);
}

TEST(AnnualFollowUp, ColumnsMatchTheSharedFixedFormatAndReadBack) {
    for (Hundredths h : {0LL, 5LL, -5LL, 15167LL, -15167LL, 99999LL, -99999LL, 1234567LL}) {
        for (bool isSigned : {false, true}) {
            SCOPED_TRACE(std::to_string(h) + (isSigned ? " signed" : " unsigned"));
            const QString text = FormatHours(h, isSigned, ",");
            EXPECT_EQ(text, data::numbers::FormatFixed(h / 100.0, 4, 2, isSigned, ","));
            EXPECT_EQ(ReadHours(text), h);
        }
    }
    EXPECT_EQ(HoursOrZero(""), 0);
    EXPECT_EQ(HoursOrZero("-"), 0);
    EXPECT_EQ(HoursOrZero(","), 0);
}

TEST(AnnualFollowUp, WriteBackStoresExactHundredths) {
    struct Case {
        const char* typed;
        const char* stored;
    } cases[] = {{"151,67", "15167"}, {"151.67", "15167"}, {"8", "800"},     {"0,29", "29"},
                 {"70,01", "7001"},   {"1,15", "115"},     {"-2,50", "-250"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        dba::Record contract;
        std::vector<Row> rows;
        ASSERT_EQ(AddPeriod(rows, PeriodLabel("202601"), c.typed, c.typed).refusal, AddRefusal::None);
        WriteCurrentYear(contract, rows);
        EXPECT_EQ(contract.Item(76), "202601");
        EXPECT_EQ(contract.Item(77), c.stored);
        EXPECT_EQ(contract.Item(79), c.stored); // actual hours start as the contracted hours
        EXPECT_EQ(contract.Item(78), "0");
        EXPECT_EQ(contract.Item(80), "0");
        EXPECT_EQ(contract.Item(100), c.stored);
    }
}

TEST(AnnualFollowUp, WriteBackReplacesTheYearAndLeavesThePreviousOne) {
    dba::Record contract = Contract({{71, "202501"},
                                     {72, "15167"},
                                     {76, Join({"202601", "202602", "202603"})},
                                     {77, Join({"1", "2", "3"})},
                                     {100, Join({"9", "9", "9"})}});
    std::vector<Row> rows = {{"202601", 15167, 800, 14000, -367, 100}, {"202603", 0, 0, 0, 0, 0}};
    WriteCurrentYear(contract, rows);
    EXPECT_EQ(contract.Item(76), Join({"202601", "202603"}));
    EXPECT_EQ(contract.Item(77), Join({"15167", "0"}));
    EXPECT_EQ(contract.Item(78), Join({"800", "0"}));
    EXPECT_EQ(contract.Item(80), Join({"-367", "0"}));
    EXPECT_EQ(contract.Item(100), Join({"100", "0"}));
    EXPECT_EQ(contract.Item(71), "202501");
    EXPECT_EQ(contract.Item(72), "15167");
    EXPECT_EQ(ReadYear(contract, CurrentYear), rows);
    EXPECT_FALSE(HasChanges(contract, rows, rows.size()));
}

TEST(AnnualFollowUp, ChangesAreThoseTheRecordDoesNotHold) {
    const dba::Record contract = Contract({{76, Join({"202601", "202602"})},
                                           {77, Join({"15167", "15167"})},
                                           {78, Join({"800", "0"})},
                                           {79, Join({"14367", "15167"})},
                                           {80, Join({"0", "0"})}}); // no field 100 at all
    const auto read = ReadYear(contract, CurrentYear);
    struct Case {
        const char* what;
        std::function<void(std::vector<Row>&)> change;
        std::size_t rowsAtReading;
        bool expected;
    } cases[] = {
        {"nothing", [](auto&) {}, 2, false},
        {"a difference", [](auto& r) { r[1].difference = 1; }, 2, true},
        {"an adjustment where none is stored", [](auto& r) { r[0].adjustment = -50; }, 2, true},
        {"a row added", [](auto& r) { r.push_back({"202603"}); }, 2, true},
        {"a row fewer than read", [](auto& r) { r.pop_back(); }, 2, true},
        {"rows read differ from the count read", [](auto&) {}, 3, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto rows = read;
        c.change(rows);
        EXPECT_EQ(HasChanges(contract, rows, c.rowsAtReading), c.expected);
    }
}

TEST(AnnualFollowUp, AddingAPeriodKeepsTheOrderAndRefusesDuplicates) {
    const std::vector<Row> start = {{"202603", 100, 0, 100, 0, 0}, {"202605", 100, 0, 100, 0, 0}};
    struct Case {
        const char* what;
        const char* period;
        QString hours;
        AddRefusal refusal;
        std::size_t index;
    } cases[] = {
        {"earlier than every row", "202601", "151,67", AddRefusal::None, 0},
        {"between", "202604", "10", AddRefusal::None, 1},
        {"after every row", "202611", "10", AddRefusal::None, 2},
        {"duplicate", "202605", "10", AddRefusal::Duplicate, 0},
        {"no hours", "202604", "", AddRefusal::Missing, 0},
        {"no period", "", "10", AddRefusal::Missing, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto rows = start;
        const auto result = AddPeriod(rows, PeriodLabel(c.period), c.hours, "");
        EXPECT_EQ(result.refusal, c.refusal);
        if (c.refusal != AddRefusal::None) {
            EXPECT_EQ(rows, start);
            continue;
        }
        ASSERT_EQ(rows.size(), 3u);
        EXPECT_EQ(result.index, c.index);
        EXPECT_EQ(rows[c.index].period, c.period);
        EXPECT_EQ(rows[c.index].difference, 0);
    }
    std::vector<Row> none;
    EXPECT_EQ(AddPeriod(none, PeriodLabel("202601"), "1", "").index, 0u);
}

TEST(AnnualFollowUp, DeletingAPeriodClosesTheGap) {
    dba::Record contract = Contract({{76, Join({"202601", "202602", "202603"})},
                                     {77, Join({"100", "200", "300"})},
                                     {78, Join({"1", "2", "3"})},
                                     {79, Join({"10", "20", "30"})},
                                     {80, Join({"-1", "-2", "-3"})},
                                     {100, Join({"7"})}});
    const Snapshot snapshot = TakeSnapshot(contract, 3);
    const std::string before = contract.Item();

    DeletePeriod(contract, 1);
    EXPECT_EQ(contract.Item(76), Join({"202601", "202603"}));
    EXPECT_EQ(contract.Item(80), Join({"-1", "-3"}));
    EXPECT_EQ(contract.Item(100), "7");
    const auto rows = ReadYear(contract, CurrentYear);
    ASSERT_EQ(rows.size(), 2u); // a reading after the deletion still sees the last period
    EXPECT_EQ(rows[1].contracted, 300);
    EXPECT_TRUE(HasChanges(contract, rows, snapshot.rows));

    Restore(contract, snapshot);
    EXPECT_EQ(contract.Item(), before);

    DeleteFollowUp(contract);
    for (int f : CurrentYear.All())
        EXPECT_EQ(contract.DCount(f), 0) << f;
    Restore(contract, snapshot);
    EXPECT_EQ(contract.Item(), before);
}

TEST(AnnualFollowUp, SignedBoxesTakeOneLeadingMinus) {
    struct Case {
        const char* what;
        char key;
        QString text;
        int cursor, selStart, selLength;
        int expected;
    } cases[] = {
        {"digit", '5', "12", 2, -1, 0, '5'},
        {"minus first", '-', "12", 0, -1, 0, '-'},
        {"minus elsewhere", '-', "12", 1, -1, 0, 0},
        {"second minus", '-', "-12", 3, -1, 0, 0},
        {"nothing before a leading minus", '5', "-12", 0, -1, 0, 0},
        {"minus replacing a selection from the start", '-', "-12", 0, 0, 3, '-'},
        {"digit replacing the leading minus", '5', "-12", 0, 0, 1, '5'},
        {"separator", '.', "12", 2, -1, 0, ','},
        {"second separator", ',', "1,2", 3, -1, 0, 0},
        {"letter", 'a', "12", 2, -1, 0, 0},
        {"backspace", 8, "-12", 0, -1, 0, 8},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(FilterSignedKey(c.key, c.text, c.cursor, c.selStart, c.selLength, ","), c.expected);
    }
}
