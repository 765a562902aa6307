#include "rules/leave_counters.h"
#include "rules/numeric_zone.h"

#include <gtest/gtest.h>

using namespace rules;

namespace {

TEST(LeaveCounters, StoredHundredthsShowAndReadBackExactly) {
    struct Case {
        const char* stored;
        const char* shown;
        const char* days; // the whole-days box
    } cases[] = {{"250", "2,50", "2,50"}, {"-150", "-1,50", "-1,50"}, {"1200", "12,00", "12"}, {"0", "0,00", "0"},
                 {"", "0,00", "0"},       {"5", "0,05", "0,05"},      {"-5", "-0,05", "-0,05"},
                 {"123456789", "1234567,89", "1234567,89"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        EXPECT_EQ(CentiemesEnTexte(c.stored, ","), c.shown);
        EXPECT_EQ(JoursEnTexte(c.stored, ","), c.days);
        const std::string back = std::to_string(*TexteEnCentiemes(CentiemesEnTexte(c.stored, ",")));
        EXPECT_EQ(back, std::string(*c.stored ? c.stored : "0"));
    }
    EXPECT_EQ(CentiemesEnTexte("250", "."), "2.50");
    EXPECT_FALSE(TexteEnCentiemes("abc"));
    EXPECT_FALSE(TexteEnCentiemes("1,2,3"));
}

TEST(LeaveCounters, AWorkedDayIsSixFifthsOfAWorkingDayToTheHundredth) {
    struct Case {
        const char* working;
        const char* worked;
    } cases[] = {{"7,00", "8,40"}, {"12,34", "14,81"}, {"0,01", "0,01"}, {"0,03", "0,04"},
                 {"-12,34", "-14,81"}, {"100", "120,00"}, {"", ""}, {"x", ""}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.working);
        EXPECT_EQ(JourOuvre(c.working, ","), c.worked);
    }
}

CompteursSaisie Valides() {
    CompteursSaisie s;
    s.cpAcquis = "25";
    s.cpRestants = "10,5";
    s.cfAcquis = "2";
    s.cfRestants = "1";
    s.cpEnCours = "12";
    s.caAcquis = "2";
    s.caRestants = "2";
    return s;
}

TEST(LeaveCounters, SaveChecksInOrderFirstRefusalWins) {
    struct Case {
        const char* what;
        std::function<void(CompteursSaisie&)> change;
        const char* focus; // empty: accepted
        const char* messageStart;
    } cases[] = {
        {"valid", [](CompteursSaisie&) {}, "", ""},
        {"remaining equal to acquired passes", [](CompteursSaisie& s) { s.cpRestants = "25"; }, "", ""},
        {"-1,5 remaining with 1 day earned", [](CompteursSaisie& s) { s.cpRestants = "-1,5"; s.cpEnCours = "1"; },
         "Txt_CPRestConsoContrat", "Le nombre de jours pour congés payés pris par avance"},
        {"-1,5 remaining with 2 days earned passes",
         [](CompteursSaisie& s) { s.cpRestants = "-1,5"; s.cpEnCours = "2"; }, "", ""},
        {"more remaining than acquired", [](CompteursSaisie& s) { s.cpRestants = "25,5"; },
         "Txt_CPRestConsoContrat", "Le nombre de jours pour congés payés restants doit"},
        {"split leave", [](CompteursSaisie& s) { s.cfRestants = "3"; }, "Txt_CFRestConsoContrat",
         "Le nombre de jours pour congés pour fractionnement restants"},
        {"seniority", [](CompteursSaisie& s) { s.caRestants = "2,5"; }, "Txt_CAncRestContrat",
         "Le nombre de jours pour congés d'ancienneté restants doit"},
        {"2,0 split days acquired", [](CompteursSaisie& s) { s.cfAcquis = "2,0"; }, "Txt_CFConsoAcqContrat",
         "Le nombre de jours pour congés pour fractionnement acquis doit être un entier."},
        {"2.0 split days acquired", [](CompteursSaisie& s) { s.cfAcquis = "2.0"; }, "Txt_CFConsoAcqContrat",
         "Le nombre de jours pour congés pour fractionnement acquis"},
        {"days being earned with decimals", [](CompteursSaisie& s) { s.cpEnCours = "12,00"; },
         "Txt_CPCoursJContrat", "Le nombre de jours pour congés payés en-cours"},
        {"2,25 remaining", [](CompteursSaisie& s) { s.cpRestants = "2,25"; }, "Txt_CPRestConsoContrat",
         "Le nombre de jours restants pour congés payés acquis"},
        {"-1,5 remaining is a half day", [](CompteursSaisie& s) { s.cpRestants = "-1,5"; }, "", ""},
        {"0,75 split remaining", [](CompteursSaisie& s) { s.cfRestants = "0,75"; }, "Txt_CFRestConsoContrat",
         "Le nombre de jours restants pour congés pour fractionnement"},
        {"1,2 seniority remaining", [](CompteursSaisie& s) { s.caRestants = "1,2"; }, "Txt_CAncRestContrat",
         "Le nombre de jours restants pour congés d'ancienneté en-cours"},
        {"not a number reads as 0", [](CompteursSaisie& s) { s.cpAcquis = "abc"; s.cpRestants = "0"; }, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CompteursSaisie s = Valides();
        c.change(s);
        const std::optional<Refus> refus = VerifDroitsConges(s);
        if (!*c.focus) {
            EXPECT_FALSE(refus) << (refus ? refus->message.toStdString() : "");
            continue;
        }
        ASSERT_TRUE(refus);
        EXPECT_EQ(refus->focus, c.focus);
        EXPECT_TRUE(refus->message.startsWith(QString::fromUtf8(c.messageStart))) << refus->message.toStdString();
        EXPECT_EQ(refus->icon, ui::Icon::Exclamation);
    }
}

TEST(LeaveCounters, CounterBoxesTakeWholeOrHalfDays) {
    struct Case {
        const char* box;
        const char* text;
        const char* earned;
        const char* messageStart; // empty: accepted
    } cases[] = {
        {"Txt_CPRestConsoContrat", "2,5", "0", ""},
        {"Txt_CPRestConsoContrat", "2,3", "0", "Le nombre de jours restants ne peut"},
        {"Txt_CPConsoAcqContrat", "2,3", "0", "Le nombre de jours acquis ne peut"},
        {"Txt_CAncAcqContrat", "0,5", "0", ""},
        {"Txt_CAncAcqContrat", "0,25", "0", "Le nombre de jours de congés d'ancienneté acquis"},
        {"Txt_CFRestConsoContrat", "-1,5", "0", ""},
        {"Txt_JourAnticipation", "1,5", "2", ""},
        {"Txt_JourAnticipation", "2", "2", ""},
        {"Txt_JourAnticipation", "2,5", "2", "Le nombre de jours pris par anticipation ne peut être supérieur"},
        {"Txt_JourAnticipation", "0,3", "2", "Le nombre de jours pris par anticipation ne peut être qu'un"},
        {"Txt_CPCoursHContrat", "2,33", "0", ""}, // hours are not days
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.box) + " " + c.text);
        const std::optional<QString> message = ControleCompteurJours(c.box, c.text, c.earned);
        if (!*c.messageStart) {
            EXPECT_FALSE(message);
            continue;
        }
        ASSERT_TRUE(message);
        EXPECT_TRUE(message->startsWith(QString::fromUtf8(c.messageStart))) << message->toStdString();
    }
}

TEST(NumericZone, LengthsBeforeAndAfterTheSeparator) {
    struct Case {
        const char* text;
        int before, after;
        const char* message; // empty: accepted
        ui::Icon icon;
    } cases[] = {
        {"-", 3, 2, "Vous ne pouvez pas saisir seulement un moins.", ui::Icon::Information},
        {",", 3, 2, "Vous ne pouvez pas saisir une virgule seule.", ui::Icon::Information},
        {"-,", 3, 2, "Vous ne pouvez pas saisir un moins et une virgule seuls.", ui::Icon::Information},
        {"123,45", 3, 2, "", ui::Icon::None},
        {"1234,5", 3, 2, "Trop de chiffres avant la virgule", ui::Icon::None},
        {"-123,5", 3, 2, "", ui::Icon::None}, // the minus sign takes no digit's place
        {"12,345", 3, 2, "Trop de chiffres après la virgule", ui::Icon::None},
        {"1234", 3, 2, "Zone numerique trop longue", ui::Icon::None},
        {"-123", 3, 2, "", ui::Icon::None},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const auto refus = ZoneNumCarac(c.text, c.before, c.after, ",");
        if (!*c.message) {
            EXPECT_FALSE(refus);
            continue;
        }
        ASSERT_TRUE(refus);
        EXPECT_EQ(refus->message, QString::fromUtf8(c.message));
        EXPECT_EQ(refus->icon, c.icon);
    }
}

} // namespace
