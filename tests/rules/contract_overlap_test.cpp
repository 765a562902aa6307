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

void PutOther(LibraryDatabase& lib, const Other& o) {
    lib.Put(data::tables::CONTRAT, o.key,
            {{1, o.agreement},
             {2, o.entity},
             {3, o.employer},
             {7, Day(o.start)},
             {8, *o.end ? Day(o.end) : std::string()},
             {65, o.deleted}});
}

long long DayNumber(const char* date) {
    return std::stoll(Day(date));
}

} // namespace

TEST(ContractOverlap, CasesByDatesEntityAgreementAndEmployer) {
    // The edited contract is 50001001 of entity 001; the others are stored.
    // Unless a case says otherwise, the bounds stay 0 and JourSansFin.
    struct Edited {
        const char *agreement, *employer, *start, *end;
    };
    struct Expected {
        std::string conflict; // key of the conflicting contract, empty: none
        const char* focus;
        long long earlierEnd = 0, laterStart = JourSansFin;
    };
    struct Case {
        const char* name;
        std::vector<Other> others;
        Edited edited;
        Expected expected;
    } cases[] = {
        {"sharing one day",
         {{"50001002", "01", "001", "001001", "01/01/2025", "01/01/2026", ""}},
         {"01", "001001", "01/01/2026", "31/12/2026"},
         {"50001002", "Txt_DatDebContrat"}},
        {"31/12 then 01/01",
         {{"50001002", "01", "001", "001001", "01/01/2025", "31/12/2025", ""}},
         {"01", "001001", "01/01/2026", "31/12/2026"},
         {"", "", DayNumber("31/12/2025")}},
        {"open-ended other, edited starting later",
         {{"50001002", "01", "001", "001001", "01/01/2025", "", ""}},
         {"01", "001001", "01/06/2026", ""},
         {"50001002", "Txt_DatDebContrat"}},
        {"other starting inside the edited one",
         {{"50001002", "01", "001", "001001", "01/06/2026", "", ""}},
         {"01", "001001", "01/01/2026", "31/12/2026"},
         {"50001002", "Txt_DateFinContrat"}},
        {"open-ended edited, other starting later",
         {{"50001002", "01", "001", "001001", "01/06/2030", "31/12/2030", ""}},
         {"01", "001001", "01/01/2026", ""},
         {"50001002", "Txt_DateFinContrat"}},
        {"another legal entity",
         {{"50001002", "01", "002", "002001", "01/01/2025", "", ""}},
         {"01", "001001", "01/01/2026", ""},
         {"", ""}},
        {"deleted contract",
         {{"50001002", "01", "001", "001001", "01/01/2025", "", "O"}},
         {"01", "001001", "01/01/2026", ""},
         {"", ""}},
        {"another helper",
         {{"50002001", "01", "001", "001001", "01/01/2025", "", ""}},
         {"01", "001001", "01/01/2026", ""},
         {"", ""}},
        {"agreement 02, another employer",
         {{"50001002", "02", "001", "00200", "01/01/2025", "", ""}},
         {"02", "00100", "01/01/2026", ""},
         {"", ""}},
        {"agreement 02, same employer",
         {{"50001002", "02", "001", "00100", "01/01/2025", "", ""}},
         {"02", "00100", "01/01/2026", ""},
         {"50001002", "Txt_DatDebContrat"}},
        {"other agreement, employer not compared",
         {{"50001002", "03", "001", "001009", "01/01/2025", "", ""}},
         {"01", "001001", "01/01/2026", ""},
         {"50001002", "Txt_DatDebContrat"}},
        {"agreement 02 never meets another agreement",
         {{"50001002", "02", "001", "00100", "01/01/2025", "", ""}},
         {"01", "00100", "01/01/2026", ""},
         {"", ""}},
        {"another agreement never meets agreement 02",
         {{"50001002", "01", "001", "00100", "01/01/2025", "", ""}},
         {"02", "00100", "01/01/2026", ""},
         {"", ""}},
        {"the edited contract itself",
         {{"50001001", "01", "001", "001001", "01/01/2026", "31/12/2026", ""}},
         {"01", "001001", "01/01/2026", "31/12/2026"},
         {"", ""}},
        {"bounds: latest earlier end, earliest later start",
         {{"50001002", "01", "001", "001001", "01/01/2024", "30/06/2025", ""},
          {"50001003", "01", "001", "001001", "01/07/2025", "31/12/2025", ""},
          {"50001004", "01", "001", "001001", "01/09/2026", "", ""},
          {"50001005", "01", "001", "001001", "01/07/2026", "31/08/2026", ""}},
         {"01", "001001", "01/01/2026", "30/06/2026"},
         {"", "", DayNumber("31/12/2025"), DayNumber("01/07/2026")}},
        {"no end date keeps the later bound open",
         {{"50001002", "01", "001", "001001", "01/01/2024", "31/12/2025", ""}},
         {"01", "001001", "01/01/2026", ""},
         {"", "", DayNumber("31/12/2025")}},
        {"empty start compares from day 0",
         {{"50001002", "01", "001", "001001", "01/01/2000", "31/12/2000", ""}},
         {"01", "001001", "", "31/12/2026"},
         {"50001002", "Txt_DatDebContrat"}},
    };

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LibraryDatabase lib;
        const Other* conflicting = nullptr;
        for (const Other& o : c.others) {
            PutOther(lib, o);
            if (o.key == c.expected.conflict)
                conflicting = &o;
        }
        const Edited& e = c.edited;
        const ContractOverlapResult r =
            CheckContractOverlap({"50001", "001", e.agreement, "001", e.employer, e.start, e.end}, lib.db);
        EXPECT_EQ(r.overlap, conflicting != nullptr);
        EXPECT_EQ(r.conflictingKey, c.expected.conflict);
        EXPECT_EQ(r.conflictingStart, conflicting ? QString::fromUtf8(conflicting->start) : QString());
        EXPECT_EQ(r.conflictingEnd, conflicting ? QString::fromUtf8(conflicting->end) : QString());
        EXPECT_EQ(r.focus, QString::fromUtf8(c.expected.focus));
        EXPECT_EQ(r.earlierEndBound, c.expected.earlierEnd);
        EXPECT_EQ(r.laterStartBound, c.expected.laterStart);
        EXPECT_EQ(r.message.isEmpty(), !r.overlap);
    }
}

TEST(ContractOverlap, TheFirstConflictByEmployerIsReportedInTheMessage) {
    LibraryDatabase lib;
    // Same entity, agreement other than "02": sorted by employer, not by key.
    PutOther(lib, {"50001002", "01", "001", "001009", "01/01/2025", "", ""});
    PutOther(lib, {"50001003", "01", "001", "001002", "15/02/2025", "31/03/2026", ""});
    const ContractOverlapResult r =
        CheckContractOverlap({"50001", "001", "01", "001", "001001", "01/03/2026", ""}, lib.db);
    EXPECT_EQ(r.conflictingKey, "50001003");
    EXPECT_EQ(r.message,
              QString::fromUtf8("Création impossible car 2 contrats ont des dates qui se chevauchent : "
                                "\n\nDate début        Date Fin\n15/02/2025       31/03/2026"));
    // An open-ended conflict leaves the end column empty.
    EXPECT_EQ(OverlapMessage("01/01/2025", ""),
              QString::fromUtf8("Création impossible car 2 contrats ont des dates qui se chevauchent : "
                                "\n\nDate début        Date Fin\n01/01/2025       "));
}
