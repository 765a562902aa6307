// The editor's rules that need no window.
#include "editor/activity_query.h"
#include "editor/invoicing_guard.h"
#include "editor/level_lock.h"

#include <gtest/gtest.h>

namespace {

TEST(LevelLock, ComparesTheLevelAsText) {
    struct Case {
        const char* level;
        bool locked;
    } cases[] = {{"0", false}, {"1", false}, {"2", false}, {"10", false}, {"29", false}, {"", false},
                 {"3", true},  {"4", true},  {"9", true},  {"30", true},  {"A", true},   {"a", true}};
    for (const Case& c : cases)
        EXPECT_EQ(editor::NiveauVerrouille(QString::fromLatin1(c.level)), c.locked) << c.level;
}

TEST(ActivityQuery, FollowsStatusAndAgreement) {
    EXPECT_EQ(editor::RequeteActivitesChargement(true, "02", "001"),
              "SSELECT ACTIVITES AVEC 0 = \"001\" PAR 1");
    EXPECT_EQ(editor::RequeteActivitesChargement(false, "05", "001"),
              "SSELECT ACTIVITES AVEC 0 = \"001\" AND AVEC 12 <> \"M\" PAR 1");
    EXPECT_EQ(editor::RequeteActivitesChargement(false, "02", "003"),
              "SSELECT ACTIVITES AVEC 0 = \"003\" AND AVEC 12 = \"M\" PAR 1");
}

TEST(MonthName, FrenchMonthAndYear) {
    struct Case {
        const char* period;
        const char* text;
    } cases[] = {{"202601", "janvier 2026"},
                 {"202608", "août 2026"},
                 {"202612", "décembre 2026"},
                 {"202613", ""},
                 {"2026", ""},
                 {"", ""}};
    for (const Case& c : cases)
        EXPECT_EQ(editor::MoisEnLettres(c.period), QString::fromUtf8(c.text)) << c.period;
}

TEST(InvoicingGuard, RefusesOnlyAPendingCalculationNotInvoicedToTheEmployer) {
    int employerReads = 0;
    std::string askedKey;
    auto sources = [&](std::string invoiced, std::string state) {
        editor::GardeFacturationSources s;
        s.periodeFactureeEmployeur = [&employerReads, invoiced] {
            ++employerReads;
            return invoiced;
        };
        s.etatCalcul = [&askedKey, state](const std::string& key) {
            askedKey = key;
            return state;
        };
        return s;
    };
    editor::GardeFacturationEntree in{true, true, "02", "202603", "50001001"};
    EXPECT_EQ(
        editor::GardeFacturation(in, sources("202602", "P")),
        "Vous ne pouvez pas accéder à l'onglet fin de contrat tant que vous n'avez pas fait la facture du "
        "mois de mars 2026");
    EXPECT_EQ(askedKey, "50001001202603");
    EXPECT_TRUE(editor::GardeFacturation(in, sources("202603", "P")).isEmpty());
    EXPECT_TRUE(editor::GardeFacturation(in, sources("202602", "F")).isEmpty());
    EXPECT_TRUE(editor::GardeFacturation(in, sources("202602", "")).isEmpty());

    employerReads = 0;
    for (editor::GardeFacturationEntree other :
         {editor::GardeFacturationEntree{false, true, "02", "202603", "k"},
          editor::GardeFacturationEntree{true, false, "02", "202603", "k"},
          editor::GardeFacturationEntree{true, true, "05", "202603", "k"},
          editor::GardeFacturationEntree{true, true, "02", "", "k"}})
        EXPECT_TRUE(editor::GardeFacturation(other, sources("202602", "P")).isEmpty());
    EXPECT_EQ(employerReads, 0);
}

} // namespace
