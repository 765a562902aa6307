#include "control/contract_search.h"

#include "data/dates.h"

#include <gtest/gtest.h>

using namespace control;

TEST(ContractSearch, QueryTextForEachValidityAndOrder) {
    const std::string base = "SSELECT CONTRAT AVEC 1 = \"02\" AND AVEC 3 = \"00100\"";
    const std::string notDeleted = " AND AVEC 65 <> \"O\"";
    struct Case {
        Validity validity;
        SortOrder order;
        std::string expected;
    } cases[] = {
        {Validity::Actifs, SortOrder::Aidant,
         base + " AND AVEC 7 <= \"21500\" OR >= \"21500\" AND AVEC 8 >= \"21490\" OR = \"\"" + notDeleted +
             " PAR NomAidantContrat PAR PrenomAidantContrat"},
        {Validity::Historiques, SortOrder::AncienneteCroissante,
         base + " AND AVEC 8 < \"21490\" AND AVEC 8 <> \"\"" + notDeleted + " PAR 7"},
        {Validity::Tous, SortOrder::AncienneteDecroissante, base + notDeleted + " PAR-DECR 7"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BuildSearchQuery("00100", c.validity, c.order, 21500, 21490), c.expected);
}

TEST(ContractSearch, PeriodStartIsTheFirstDayOfThePayPeriod) {
    EXPECT_EQ(QString::number(PeriodStartDay("202611")),
              data::dates::DateToInternal(QStringLiteral("01/11/2026")));
    EXPECT_EQ(QString::number(PeriodStartDay("199505")),
              data::dates::DateToInternal(QStringLiteral("01/05/1995")));
    EXPECT_EQ(PeriodStartDay(""), 0);
    EXPECT_EQ(PeriodStartDay("2026"), 0);
}

TEST(ContractSearch, ScrollBarShowsFromSixteenLines) {
    EXPECT_FALSE(ScrollBarVisible(0));
    EXPECT_FALSE(ScrollBarVisible(15));
    EXPECT_TRUE(ScrollBarVisible(16));
    EXPECT_EQ(ScrollMaximum(16), 15);
    EXPECT_EQ(ScrollMaximum(0), 0);
}

TEST(ContractSearch, LinesSkipUnauthorisedHelpersAndMarkMissingOnes) {
    dba::ResultList result({{"50001001", "10000", "", "I"},
                            {"50002001", "10001", "10100", "D"},
                            {"50003001", "10002", "", "I"},
                            {"", "", "", ""}, // the list ends at the first row without key
                            {"50004001", "10003", "", "I"}});
    auto helper = [](const std::string& code) -> std::optional<HelperInfo> {
        if (code == "50001")
            return HelperInfo{"MARTIN", "Jeanne", "001"};
        if (code == "50002")
            return HelperInfo{"DURAND", "Paul", "002"};
        return std::nullopt; // 50003 has no record
    };
    auto entityOf = [](const std::string& key) {
        return key == "50003001" ? std::string("001") : std::string();
    };

    auto onlyEntity001 = [](const std::string& entity) { return entity == "001"; };
    std::vector<ContractLine> lines = BuildContractLines(result, helper, onlyEntity001, entityOf);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].key, "50001001");
    EXPECT_EQ(lines[0].start, "18/05/1995");
    EXPECT_EQ(lines[0].end, "");
    EXPECT_EQ(lines[0].helper, "MARTIN Jeanne");
    EXPECT_EQ(lines[1].key, "50003001");
    EXPECT_EQ(lines[1].helper, "(aidant 50003 introuvable)");

    auto nobody = [](const std::string&) { return false; };
    EXPECT_TRUE(BuildContractLines(result, helper, nobody, entityOf).empty());
}
