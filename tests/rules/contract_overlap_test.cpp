#include "rules/contract_overlap.h"

#include "data/tables.h"
#include "support/library_fixture.h"

#include <gtest/gtest.h>

using namespace rules;

namespace {

struct Other {
    std::string key, agreement, entity, employer;
    const char* start;
    const char* end; // "" = open-ended
    std::string deleted;
};

std::string DayOrEmpty(const char* date) {
    return *date ? Day(date) : std::string();
}

long long DayNumber(const char* date) {
    return std::stoll(Day(date));
}

} // namespace

TEST(ContractOverlap, CasesByDatesEntityAgreementAndEmployer) {
    // The edited contract is 50001001; the others are stored.
    struct Case {
        const char* name;
        std::vector<Other> others;
        ContractOverlapInput edited;
        std::string conflictingKey; // empty: no overlap
        const char* conflictingEnd;
        const char* focus;
        long long earlierEnd;
        long long laterStart;
    } cases[] = {
        {"sharing one day",
         {{"50001002", "01", "001", "001001", "01/01/2025", "01/01/2026", ""}},
         {"50001", "001", "01", "001", "001001", "01/01/2026", "31/12/2026"},
         "50001002",
         "01/01/2026",
         "Txt_DatDebContrat",
         0,
         JourSansFin},
        {"31/12 then 01/01",
         {{"50001002", "01", "001", "001001", "01/01/2025", "31/12/2025", ""}},
         {"50001", "001", "01", "001", "001001", "01/01/2026", "31/12/2026"},
         "",
         "",
         "",
         DayNumber("31/12/2025"),
         JourSansFin},
        {"open-ended other, edited starting later",
         {{"50001002", "01", "001", "001001", "01/01/2025", "", ""}},
         {"50001", "001", "01", "001", "001001", "01/06/2026", ""},
         "50001002",
         "",
         "Txt_DatDebContrat",
         0,
         JourSansFin},
        {"other starting inside the edited one",
         {{"50001002", "01", "001", "001001", "01/06/2026", "", ""}},
         {"50001", "001", "01", "001", "001001", "01/01/2026", "31/12/2026"},
         "50001002",
         "",
         "Txt_DateFinContrat",
         0,
         JourSansFin},
        {"open-ended edited, other starting later",
         {{"50001002", "01", "001", "001001", "01/06/2030", "31/12/2030", ""}},
         {"50001", "001", "01", "001", "001001", "01/01/2026", ""},
         "50001002",
         "31/12/2030",
         "Txt_DateFinContrat",
         0,
         JourSansFin},
        {"another legal entity",
         {{"50001002", "01", "002", "002001", "01/01/2025", "", ""}},
         {"50001", "001", "01", "001", "001001", "01/01/2026", ""},
         "",
         "",
         "",
         0,
         JourSansFin},
        {"deleted contract",
         {{"50001002", "01", "001", "001001", "01/01/2025", "", "O"}},
         {"50001", "001", "01", "001", "001001", "01/01/2026", ""},
         "",
         "",
         "",
         0,
         JourSansFin},
        {"another helper",
         {{"50002001", "01", "001", "001001", "01/01/2025", "", ""}},
         {"50001", "001", "01", "001", "001001", "01/01/2026", ""},
         "",
         "",
         "",
         0,
         JourSansFin},
        {"agreement 02, another employer",
         {{"50001002", "02", "001", "00200", "01/01/2025", "", ""}},
         {"50001", "001", "02", "001", "00100", "01/01/2026", ""},
         "",
         "",
         "",
         0,
         JourSansFin},
        {"agreement 02, same employer",
         {{"50001002", "02", "001", "00100", "01/01/2025", "", ""}},
         {"50001", "001", "02", "001", "00100", "01/01/2026", ""},
         "50001002",
         "",
         "Txt_DatDebContrat",
         0,
         JourSansFin},
        {"other agreement, employer not compared",
         {{"50001002", "03", "001", "001009", "01/01/2025", "", ""}},
         {"50001", "001", "01", "001", "001001", "01/01/2026", ""},
         "50001002",
         "",
         "Txt_DatDebContrat",
         0,
         JourSansFin},
        {"agreement 02 never meets another agreement",
         {{"50001002", "02", "001", "00100", "01/01/2025", "", ""}},
         {"50001", "001", "01", "001", "00100", "01/01/2026", ""},
         "",
         "",
         "",
         0,
         JourSansFin},
        {"another agreement never meets agreement 02",
         {{"50001002", "01", "001", "00100", "01/01/2025", "", ""}},
         {"50001", "001", "02", "001", "00100", "01/01/2026", ""},
         "",
         "",
         "",
         0,
         JourSansFin},
        {"the edited contract itself",
         {{"50001001", "01", "001", "001001", "01/01/2026", "31/12/2026", ""}},
         {"50001", "001", "01", "001", "001001", "01/01/2026", "31/12/2026"},
         "",
         "",
         "",
         0,
         JourSansFin},
        {"bounds: latest earlier end, earliest later start",
         {{"50001002", "01", "001", "001001", "01/01/2024", "30/06/2025", ""},
          {"50001003", "01", "001", "001001", "01/07/2025", "31/12/2025", ""},
          {"50001004", "01", "001", "001001", "01/09/2026", "", ""},
          {"50001005", "01", "001", "001001", "01/07/2026", "31/08/2026", ""}},
         {"50001", "001", "01", "001", "001001", "01/01/2026", "30/06/2026"},
         "",
         "",
         "",
         DayNumber("31/12/2025"),
         DayNumber("01/07/2026")},
        {"no end date keeps the later bound open",
         {{"50001002", "01", "001", "001001", "01/01/2024", "31/12/2025", ""}},
         {"50001", "001", "01", "001", "001001", "01/01/2026", ""},
         "",
         "",
         "",
         DayNumber("31/12/2025"),
         JourSansFin},
        {"empty start compares from day 0",
         {{"50001002", "01", "001", "001001", "01/01/2000", "31/12/2000", ""}},
         {"50001", "001", "01", "001", "001001", "", "31/12/2026"},
         "50001002",
         "31/12/2000",
         "Txt_DatDebContrat",
         0,
         JourSansFin},
    };

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LibraryDatabase lib;
        for (const Other& o : c.others)
            lib.Put(data::tables::CONTRAT, o.key,
                    {{1, o.agreement},
                     {2, o.entity},
                     {3, o.employer},
                     {7, Day(o.start)},
                     {8, DayOrEmpty(o.end)},
                     {65, o.deleted}});
        const ContractOverlapResult r = CheckContractOverlap(c.edited, lib.db);
        EXPECT_EQ(r.overlap, !c.conflictingKey.empty());
        EXPECT_EQ(r.conflictingKey, c.conflictingKey);
        EXPECT_EQ(r.conflictingEnd, QString::fromUtf8(c.conflictingEnd));
        EXPECT_EQ(r.focus, QString::fromUtf8(c.focus));
        EXPECT_EQ(r.earlierEndBound, c.earlierEnd);
        EXPECT_EQ(r.laterStartBound, c.laterStart);
        if (r.overlap)
            EXPECT_EQ(r.message, OverlapMessage(r.conflictingStart, QString::fromUtf8(c.conflictingEnd)));
        else
            EXPECT_TRUE(r.message.isEmpty());
    }
}

TEST(ContractOverlap, TheFirstConflictByEmployerIsReported) {
    LibraryDatabase lib;
    // Same entity, agreement other than "02": sorted by employer, not by key.
    lib.Put(data::tables::CONTRAT, "50001002",
            {{1, "01"}, {2, "001"}, {3, "001009"}, {7, Day("01/01/2025")}, {8, ""}});
    lib.Put(data::tables::CONTRAT, "50001003",
            {{1, "01"}, {2, "001"}, {3, "001002"}, {7, Day("15/02/2025")}, {8, Day("31/03/2026")}});
    const ContractOverlapResult r =
        CheckContractOverlap({"50001", "001", "01", "001", "001001", "01/03/2026", ""}, lib.db);
    ASSERT_TRUE(r.overlap);
    EXPECT_EQ(r.conflictingKey, "50001003");
    EXPECT_EQ(r.conflictingStart, "15/02/2025");
    EXPECT_EQ(r.conflictingEnd, "31/03/2026");
    EXPECT_EQ(r.message,
              QString::fromUtf8("Création impossible car 2 contrats ont des dates qui se chevauchent : "
                                "\n\nDate début        Date Fin\n15/02/2025       31/03/2026"));
}

TEST(ContractOverlap, MessageOfAnOpenEndedConflict) {
    EXPECT_EQ(OverlapMessage("01/01/2025", ""),
              QString::fromUtf8("Création impossible car 2 contrats ont des dates qui se chevauchent : "
                                "\n\nDate début        Date Fin\n01/01/2025       "));
}

TEST(ContractOverlap, QueryTextsByAgreement) {
    ContractOverlapInput in{"50001", "001", "02", "001", "00100", "01/01/2026", ""};
    EXPECT_EQ(OverlapQuery(in),
              "SSELECT CONTRAT AVEC 1 = \"02\" AND AVEC 2 = \"001\" AND AVEC 3 = \"00100\" AND "
              "AVEC 0 = \"50001]\" AND SANS 0 = \"50001001\" AND AVEC 65 <> \"O\" PAR 3");
    in.convColContrat = "01";
    in.emplEtabContrat = "001001";
    EXPECT_EQ(OverlapQuery(in),
              "SSELECT CONTRAT AVEC 1 <> \"02\" AND AVEC 2 = \"001\" AND AVEC 0 = \"50001]\" "
              "AND SANS 0 = \"50001001\" AND AVEC 65 <> \"O\" PAR 3");
}
