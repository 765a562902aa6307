#include "rules/contract_guards.h"

#include "support/library_fixture.h"

#include <gtest/gtest.h>
#include <set>

using namespace rules;

TEST(ContractGuards, PayrollWorkForbidsDeletion) {
    // The tables holding rows for the contract, by name.
    struct Case {
        const char* what;
        ContratGarde contrat;
        std::set<std::string> tables;
        bool forbidden;
    } cases[] = {
        {"nothing done", {"50001001"}, {}, false},
        {"one calculation whatever the rest", {"50001001", false, false, "P"}, {"DETAILCALCUL"}, true},
        {"agent details under 02", {"50001001", true}, {"DETAILMANDAT"}, true},
        {"agent details, another agreement", {"50001001", false}, {"DETAILMANDAT"}, false},
        {"administrative details", {"50001001", false, true}, {"DETAILADMIN"}, true},
        {"service provider without service details", {"50001001", false, false, "P"}, {"DETAILINTER"}, false},
        {"service provider with service and intervention details", {"50001001", false, false, "P"},
         {"DETAILPREST", "DETAILINTER"}, true},
        {"service provider with service details only", {"50001001", false, false, "P"}, {"DETAILPREST"}, false},
        {"intervention details", {"50001001", false, false, "S"}, {"DETAILINTER"}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(TraitementsEffectues(RequetesTraitements(c.contrat, {}),
                                       [&](const std::string& query) {
                                           for (const std::string& table : c.tables)
                                               if (query.rfind("SSELECT " + table + " ", 0) == 0)
                                                   return true;
                                           return false;
                                       }),
                  c.forbidden);
    }
}

TEST(ContractGuards, AnEndDateBeforePayrollWorkOnARealDatabase) {
    // The queries run on the engine: rows of the contract after the period.
    LibraryDatabase lib;
    lib.Put("DETAILCALCUL", "50001001202604", {{1, "F"}});
    lib.Put("DETAILCALCUL", "50001002202612", {{1, "F"}}); // another contract
    lib.Put("DETAILINTER", "5000100120260515", {{1, "1"}});
    const ContratGarde contrat{"50001001"};
    auto anyRow = [&](const std::string& query) { return lib.db.SelectRecords(query, "0").DCount() > 0; };
    EXPECT_TRUE(TraitementsEffectues(RequetesTraitements(contrat, PeriodeLimite("202603", "")), anyRow));
    EXPECT_TRUE(TraitementsEffectues(RequetesTraitements(contrat, PeriodeLimite("202603", "202604")), anyRow));
    lib.db.OpenTable("DETAILINTER").DeleteRecord("5000100120260515");
    EXPECT_FALSE(TraitementsEffectues(RequetesTraitements(contrat, PeriodeLimite("202603", "202604")), anyRow));
    EXPECT_FALSE(TraitementsEffectues(RequetesTraitements(contrat, PeriodeLimite("202606", "")), anyRow));
}

TEST(ContractGuards, AnEndDateRemovedOrMovedAgainstTheOtherContracts) {
    const long long start = std::stoll(Day("01/03/2020"));
    const QString open = "Suppression impossible de la date de fin car 2 contrats se retrouvent sans date de fin : "
                         "\n\nDate début        Date Fin\n";
    const QString overlap = "Modification impossible de la date de fin car 2 contrats ont maintenant des dates qui se "
                            "chevauchent : \n\nDate début        Date Fin\n";
    const AutreContrat ouvert{Day("01/01/2019"), ""};
    const AutreContrat avant{Day("01/01/2019"), Day("28/02/2020")};
    const AutreContrat apres{Day("01/07/2020"), Day("31/12/2020")};
    EXPECT_EQ(ConflitDateFin({ouvert}, start, std::nullopt), open + "01/01/2019       ");
    EXPECT_EQ(ConflitDateFin({avant}, start, std::nullopt), std::nullopt);
    EXPECT_EQ(ConflitDateFin({avant, apres}, start, std::stoll(Day("30/06/2020"))), std::nullopt);
    EXPECT_EQ(ConflitDateFin({avant, apres}, start, std::stoll(Day("01/07/2020"))),
              overlap + "01/07/2020       31/12/2020");
}

TEST(ContractGuards, TheOtherContractsOfTheScope) {
    EXPECT_EQ(RequeteAutresContrats("50001", "50001001", "02", "001", "00100"),
              "SSELECT CONTRAT AVEC 0 = \"50001]\" AND AVEC 1 = \"02\" AND AVEC 2 = \"001\" AND AVEC 3 = \"00100\" "
              "AND AVEC 0 <> \"50001001\" AND AVEC 65 <> \"O\"");
    EXPECT_EQ(RequeteAutresContrats("50001", "50001001", "05", "001", "007"),
              "SSELECT CONTRAT AVEC 0 = \"50001]\" AND AVEC 1 <> \"02\" AND AVEC 2 = \"001\" AND AVEC 0 <> "
              "\"50001001\" AND AVEC 65 <> \"O\"");
}
