#include "rules/hours.h"

#include <gtest/gtest.h>

using namespace rules;

TEST(Hours, TypedHoursAreReadExactly) {
    struct Case {
        const char* typed;
        std::optional<Hundredths> expected;
    } cases[] = {{"48,01", 4801},
                 {"48.01", 4801},
                 {"0,29", 29},  // 0.29 x 100 truncated in binary floating point is 28
                 {"1,15", 115}, // and this one 114
                 {"48,1", 4810},
                 {",5", 50},
                 {"5,", 500},
                 {"-1,5", -150},
                 {"+2", 200},
                 // beyond the hundredth: nearest, ties to the even hundredth
                 {"48,005", 4800},
                 {"48,015", 4802},
                 {"48,0051", 4801},
                 {"-48,005", -4800},
                 // not numbers
                 {"", std::nullopt},
                 {"  ", std::nullopt},
                 {"1,2,3", std::nullopt},
                 {"1 2", std::nullopt},
                 {"-", std::nullopt},
                 {",", std::nullopt},
                 {"12h", std::nullopt},
                 {"1e3", std::nullopt},
                 {"9999999999999999", std::nullopt}};
    for (const Case& c : cases)
        EXPECT_EQ(ParseTypedHours(c.typed), c.expected) << '"' << c.typed << '"';
}

TEST(Hours, StoredAmountsAndWholeNumbers) {
    EXPECT_EQ(ParseStoredHundredths("4801"), 4801);
    EXPECT_EQ(ParseStoredHundredths(" 0 "), 0);
    EXPECT_EQ(ParseStoredHundredths("4801.5"), 4802); // stored with a fraction: nearest, ties to even
    EXPECT_EQ(ParseStoredHundredths("4800.5"), 4800);
    EXPECT_EQ(ParseStoredHundredths(""), std::nullopt);
    EXPECT_EQ(ParseStoredHundredths("48h"), std::nullopt);

    EXPECT_EQ(ParseWholeNumber("0900"), 900);
    EXPECT_EQ(ParseWholeNumber("1450"), 1450);
    EXPECT_EQ(ParseWholeNumber("-3"), -3);
    EXPECT_EQ(ParseWholeNumber("9,5"), std::nullopt);
    EXPECT_EQ(ParseWholeNumber(""), std::nullopt);
}

TEST(Hours, PeriodsFromCaptionsAndCodes) {
    EXPECT_EQ(WorkPeriodFromLabel("Hebdo"), WorkPeriod::Hebdo);
    EXPECT_EQ(WorkPeriodFromLabel("Quatorzaine"), WorkPeriod::Quatorzaine);
    EXPECT_EQ(WorkPeriodFromLabel("Mensuelle"), WorkPeriod::Mensuelle);
    EXPECT_EQ(WorkPeriodFromLabel("Annuelle"), WorkPeriod::Annuelle);
    for (const char* other : {"", "hebdo", "Hebdomadaire", "Mensuel", " Hebdo"})
        EXPECT_EQ(WorkPeriodFromLabel(other), std::nullopt) << other;

    EXPECT_EQ(WorkPeriodFromCode("1"), WorkPeriod::Hebdo);
    EXPECT_EQ(WorkPeriodFromCode("2"), WorkPeriod::Quatorzaine);
    EXPECT_EQ(WorkPeriodFromCode("3"), WorkPeriod::Mensuelle);
    EXPECT_EQ(WorkPeriodFromCode("04"), WorkPeriod::Annuelle);
    for (const char* other : {"", "0", "5", "H", "1,5"})
        EXPECT_EQ(WorkPeriodFromCode(other), std::nullopt) << other;
}

TEST(Hours, WeeklyHundredthsRoundHalvesUp) {
    struct Case {
        Hundredths perPeriod;
        WorkPeriod period;
        Hundredths weekly;
    } cases[] = {
        {3500, WorkPeriod::Hebdo, 3500},      {7001, WorkPeriod::Quatorzaine, 3501},
        {1, WorkPeriod::Quatorzaine, 1},      {-3, WorkPeriod::Quatorzaine, -1},
        {15167, WorkPeriod::Mensuelle, 3500}, {15166, WorkPeriod::Mensuelle, 3500},
        {20803, WorkPeriod::Mensuelle, 4801}, {-100, WorkPeriod::Mensuelle, -23},
        {182000, WorkPeriod::Annuelle, 3500}, {26, WorkPeriod::Annuelle, 1},
        {25, WorkPeriod::Annuelle, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WeeklyHundredths(c.perPeriod, c.period), c.weekly)
            << c.perPeriod << " period " << static_cast<int>(c.period);
}

TEST(Hours, FormatHundredths) {
    EXPECT_EQ(FormatHundredths(4801, ','), "48,01");
    EXPECT_EQ(FormatHundredths(5, ','), "0,05");
    EXPECT_EQ(FormatHundredths(0, '.'), "0.00");
    EXPECT_EQ(FormatHundredths(-50, ','), "-0,50");
    EXPECT_EQ(FormatHundredths(350000, ','), "3500,00");
}
