#include "rules/planning_incidences.h"

#include "support/library_fixture.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

using namespace rules;

namespace {

// A slot of contract 50001001 at beneficiary 00100 ("M": agreement 02).
Intervention Slot(const char* start, char weekday, const char* time, const char* endTime,
                  const char* end = "", const char* seq = "01") {
    Intervention i;
    i.cle = std::string("50001001") + "00100" + Day(start) + "M" + seq + weekday + time;
    i.dateFin = *end ? Day(end) : "";
    i.heureFin = endTime;
    i.beneficiaire = "DUPONT Marie";
    return i;
}

NouvellesDates Dates(const char* start, const char* lastDay) {
    NouvellesDates d;
    d.debut = std::stoll(Day(start));
    if (*lastDay)
        d.dernierJour = std::stoll(Day(lastDay));
    return d;
}

} // namespace

TEST(PlanningIncidences, TimesFromHundredthsAndDayNames) {
    const struct {
        const char* hhcc;
        const char* shown;
    } times[] = {{"0850", "8h30"}, {"1400", "14h00"}, {"1525", "15h15"}, {"0833", "8h20"},
                 {"0899", "8h59"}, {"2308", "23h05"}, {"0001", "0h01"}};
    for (const auto& t : times) {
        SCOPED_TRACE(t.hhcc);
        EXPECT_EQ(Heure(t.hhcc), QString::fromUtf8(t.shown));
    }
    EXPECT_EQ(NomJour('0'), "Lundi    ");
    EXPECT_EQ(NomJour('2'), "Mercredi ");
    EXPECT_EQ(NomJour('6'), "Dimanche ");
    EXPECT_EQ(NomJour('7'), "");
}

TEST(PlanningIncidences, TheTextOfOneSlotCutAndOneLeftWithoutContract) {
    const std::vector<Intervention> inForce = {Slot("01/09/2026", '0', "0850", "1050"),
                                               Slot("01/02/2027", '2', "1400", "1525", "30/06/2027")};
    const NouvellesDates dates = Dates("01/03/2020", "31/12/2026");
    const QString expected = QString::fromUtf8(
        "La modification du contrat aura les incidences suivantes sur le planning : "
        "\nLundi    de 8h30 à 10h30, chez DUPONT Marie à partir du 01/09/2026"
        "\n                    Nouvelle date de fin au 31/12/2026."
        "\nMercredi de 14h00 à 15h15, chez DUPONT Marie à partir du 01/02/2027 jusqu'au 30/06/2027"
        "\n                    Sera sans contrat.");
    EXPECT_EQ(TexteIncidences({}, inForce, dates, true), expected);
    QString deleted = expected;
    deleted.replace("Sera sans contrat.", QString::fromUtf8("Sera supprimée."));
    EXPECT_EQ(TexteIncidences({}, inForce, dates, false), deleted);
    EXPECT_EQ(TexteIncidences({}, {}, dates, true), "");
    EXPECT_EQ(TexteIncidences({}, inForce, Dates("01/03/2020", ""), true), "")
        << "an open-ended contract cuts nothing";
}

TEST(PlanningIncidences, WhatBecomesOfEachSlot) {
    // New dates: 01/03/2026 to 30/06/2026.
    const NouvellesDates dates = Dates("01/03/2026", "30/06/2026");
    const long long start = dates.debut, last = *dates.dernierJour;
    const Intervention acrossBoth = Slot("01/01/2026", '0', "0800", "0900");
    const Intervention beforeStart = Slot("05/01/2026", '1', "0800", "0900", "31/01/2026");
    const Intervention movedStart = Slot("01/02/2026", '2', "0800", "0900", "15/05/2026");
    const Intervention cut = Slot("01/04/2026", '3', "0800", "0900", "31/12/2026");
    const Intervention afterEnd = Slot("01/09/2026", '4', "0800", "0900");
    const std::vector<Intervention> avant = {acrossBoth, beforeStart, movedStart};
    const std::vector<Intervention> vigueur = {acrossBoth, cut, afterEnd};

    using Periods = std::vector<std::pair<long long, std::optional<long long>>>;
    const struct Case {
        const char* what;
        bool allowed;
        std::size_t index;
        long long debut;
        std::optional<long long> fin;
        bool outside, deleted;
        Periods periods;
    } cases[] = {
        {"across both ends",
         true,
         0,
         start,
         last,
         false,
         false,
         {{acrossBoth.Debut(), start - 1}, {last + 1, std::nullopt}}},
        {"wholly before the start, kept",
         true,
         1,
         beforeStart.Debut(),
         beforeStart.Fin(),
         true,
         false,
         {{beforeStart.Debut(), beforeStart.Fin()}}},
        {"wholly before the start, removed",
         false,
         1,
         beforeStart.Debut(),
         beforeStart.Fin(),
         true,
         true,
         {{beforeStart.Debut(), beforeStart.Fin()}}},
        {"start moved", true, 2, start, movedStart.Fin(), false, false, {{movedStart.Debut(), start - 1}}},
        {"cut", true, 3, cut.Debut(), last, false, false, {{last + 1, cut.Fin()}}},
        {"after the end, removed",
         false,
         4,
         afterEnd.Debut(),
         std::nullopt,
         true,
         true,
         {{afterEnd.Debut(), std::nullopt}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<Devenir> all = DevenirInterventions(avant, vigueur, dates, c.allowed);
        ASSERT_EQ(all.size(), 5u) << "a slot in both lists is dealt with once";
        const Devenir& d = all[c.index];
        EXPECT_EQ(d.debut, c.debut);
        EXPECT_EQ(d.fin, c.fin);
        EXPECT_EQ(d.horsContrat, c.outside);
        EXPECT_EQ(d.supprimee, c.deleted);
        EXPECT_EQ(d.periodesHorsContrat, c.periods);
    }

    // The requests given to the planning routine.
    const std::vector<Devenir> all = DevenirInterventions(avant, vigueur, dates, false);
    const data::DemandeRemplacement moved = Demande(all[0]);
    EXPECT_EQ(moved.premierJour, std::to_string(start));
    EXPECT_EQ(moved.dernierJour, std::to_string(last));
    EXPECT_EQ(moved.heure, "0800");
    EXPECT_EQ(moved.etat, "AFAIRE");
    EXPECT_FALSE(moved.Suppression());
    EXPECT_TRUE(Demande(all[4]).Suppression());
    EXPECT_TRUE(Demande(all[1]).Suppression());
    EXPECT_EQ(data::DemandeRemplacement::Lire(moved.Texte()).Texte(), moved.Texte());
}

TEST(PlanningIncidences, TheStartSectionComesFirst) {
    const NouvellesDates dates = Dates("01/03/2026", "30/06/2026");
    const QString text =
        TexteIncidences({Slot("01/02/2026", '2', "0800", "0900", "15/05/2026"),
                         Slot("05/01/2026", '1', "0800", "0900", "31/01/2026")},
                        {Slot("01/04/2026", '3', "0800", "0900", "31/12/2026")}, dates, false);
    EXPECT_EQ(text,
              QString::fromUtf8(
                  "Des interventions du planning sont en dehors des dates de validité du contrat : "
                  "\nMercredi de 8h00 à 9h00, chez DUPONT Marie à partir du 01/02/2026 jusqu'au 15/05/2026"
                  "\n                    Nouvelle date de début au 01/03/2026."
                  "\nMardi    de 8h00 à 9h00, chez DUPONT Marie à partir du 05/01/2026 jusqu'au 31/01/2026"
                  "\n                    Sera supprimée."
                  "\n\nLa modification du contrat aura les incidences suivantes sur le planning : "
                  "\nJeudi    de 8h00 à 9h00, chez DUPONT Marie à partir du 01/04/2026 jusqu'au 31/12/2026"
                  "\n                    Nouvelle date de fin au 30/06/2026."));
    EXPECT_TRUE(HorsContratAVerifier("30/06/2026", "30/06/2026", true));
    EXPECT_TRUE(HorsContratAVerifier("15/06/2026", "30/06/2026", false));
    EXPECT_FALSE(HorsContratAVerifier("30/06/2026", "15/07/2026", false)) << "compared as text";
    EXPECT_FALSE(HorsContratAVerifier("", "30/06/2026", false));
}

TEST(PlanningIncidences, TheQueriesSelectTheContractsSlotsInDayAndHourOrder) {
    PerimetrePlanning p02{"50001001", true, "00101", "00100"};
    EXPECT_EQ(
        RequeteInterventionsEnVigueur(p02, "21550"),
        "SELECT TPSDETAILSINTERV = \"50001001]\" AVEC 1 >= \"21550\" OR = \"\" AND AVEC CodeActInterv = "
        "\"00101\" AND AVEC CodeAide = \"00100\" AND AVEC TypeActDetailInterv = \"M\" PAR JourInterv PAR "
        "HeureInterv");
    PerimetrePlanning other{"50001002", false, "00102", ""};
    EXPECT_EQ(
        RequeteInterventionsEnVigueur(other, "21550"),
        "SELECT TPSDETAILSINTERV = \"50001002]\" AVEC 1 >= \"21550\" OR = \"\" AND AVEC CodeActInterv = "
        "\"00102\" AND AVEC TypeActDetailInterv # \"M\" PAR JourInterv PAR HeureInterv");

    LibraryDatabase lib;
    auto put = [&](const Intervention& i, const char* activity = "00101") {
        lib.Put("TPSDETAILSINTERV", i.cle, {{1, i.dateFin}, {2, i.heureFin}, {3, activity}});
    };
    const Intervention friday = Slot("01/01/2026", '4', "0800", "0900");
    const Intervention mondayLate = Slot("01/01/2026", '0', "1400", "1500", "31/12/2026");
    const Intervention mondayEarly = Slot("01/02/2026", '0', "0850", "1000", "", "02");
    const Intervention endedBefore = Slot("01/01/2026", '1', "0800", "0900", "31/05/2026");
    const Intervention endsThatDay = Slot("01/01/2026", '2', "0800", "0900", "30/06/2026");
    for (const Intervention& i : {friday, mondayLate, mondayEarly, endedBefore, endsThatDay})
        put(i);
    put(Slot("01/01/2026", '3', "0800", "0900"), "00102"); // another activity
    Intervention otherContract = Slot("01/01/2026", '3', "0800", "0900");
    otherContract.cle.replace(5, 3, "002");
    put(otherContract);
    Intervention otherEmployer = Slot("01/01/2026", '3', "0800", "0900");
    otherEmployer.cle.replace(8, 5, "00200");
    put(otherEmployer);
    Intervention provider = Slot("01/01/2026", '3', "0800", "0900");
    provider.cle[18] = 'P';
    put(provider);

    auto keys = [&](const std::string& query) {
        std::vector<std::string> k;
        const dba::ResultList rows = lib.db.SelectRecords(query, "0 1 2 3 4 5 6");
        for (int r = 1; r <= rows.DCount(); ++r)
            k.push_back(rows.Item(r, 1));
        return k;
    };
    EXPECT_EQ(keys(RequeteInterventionsEnVigueur(p02, Day("30/06/2026"))),
              (std::vector<std::string>{mondayEarly.cle, mondayLate.cle, endsThatDay.cle, friday.cle}));
    EXPECT_EQ(keys(RequeteInterventionsAvantDebut(p02, Day("15/01/2026"))),
              (std::vector<std::string>{mondayLate.cle, endedBefore.cle, endsThatDay.cle, friday.cle}));
    p02.convention02 = false;
    EXPECT_EQ(keys(RequeteInterventionsEnVigueur(p02, Day("30/06/2026"))),
              std::vector<std::string>{provider.cle})
        << "under another agreement, only the slots of another kind than agreement 02";
}

namespace {

// A slot kept without contract again after another change of dates: what
// was noted and the new period are one stretch of time, never two.
TEST(PlanningIncidences, PeriodsWithoutContractAreMergedWhenTheyMeet) {
    using P = rules::PeriodeSansContrat;
    const std::optional<long long> open;
    const struct Case {
        const char* what;
        std::vector<P> noted;
        P added;
        std::vector<P> expected;
    } cases[] = {
        {"nothing noted", {}, {100, 113}, {{100, 113}}},
        {"the start moved further: same first day", {{100, 113}}, {100, 118}, {{100, 118}}},
        {"the end moved earlier: open periods", {{200, open}}, {190, open}, {{190, open}}},
        {"touching the day after", {{100, 113}}, {114, 120}, {{100, 120}}},
        {"apart by one day", {{100, 113}}, {115, 120}, {{100, 113}, {115, 120}}},
        {"bridging two", {{100, 110}, {120, 130}, {300, open}}, {111, 119}, {{300, open}, {100, 130}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(rules::AjouterPeriode(c.noted, c.added), c.expected);
    }
}

} // namespace
