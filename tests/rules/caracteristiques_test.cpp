#include "rules/amendments.h"
#include "rules/caracteristiques_checks.h"

#include "support/library_fixture.h"

#include <gtest/gtest.h>
#include <map>
#include <set>

using namespace rules;

namespace {

// A monthly production contract with a modulation agreement, paid by a
// rate: every check passes.
CaracteristiquesSaisie Valide() {
    CaracteristiquesSaisie s;
    s.dateEffet = "01/01/2024";
    s.qualification = "Assistant(e) de vie B";
    s.categorie = "Employés";
    s.fonction = "Aides à domicile";
    s.codePCS = "563b";
    s.duree = "151,67";
    s.frequence = "Mensuelle";
    s.taux = "12,50";
    s.cadreLissageVisible = true;
    s.lissage = true;
    s.mensuel = true;
    s.production = true;
    s.libelleCategoriePCS = "Employés";
    s.libelleFonctionPCS = "Aides à domicile";
    s.grilles = {"Emploi A - agent à domicile"};
    return s;
}

Refus Exclamation(const char* message, const char* focus) {
    return {QString::fromUtf8(message), ui::Icon::Exclamation, QString::fromLatin1(focus)};
}

} // namespace

TEST(CaracteristiquesChecks, FirstRefusalInOrderWithItsFocus) {
    struct Case {
        const char* what;
        std::function<void(CaracteristiquesSaisie&)> change;
        std::optional<Refus> expected;
    } cases[] = {
        {"every value right", [](CaracteristiquesSaisie&) {}, std::nullopt},
        {"no effective date, no qualification either: the date first",
         [](CaracteristiquesSaisie& s) { s.dateEffet.clear(), s.qualification.clear(); },
         Exclamation("La date d'effet de l'avenant est obligatoire.", "Txt_DatEffetContrat")},
        {"no qualification", [](CaracteristiquesSaisie& s) { s.qualification.clear(); },
         Exclamation("La qualification professionnelle est obligatoire.", "Cbo_QualifContrat")},
        {"no category", [](CaracteristiquesSaisie& s) { s.categorie.clear(); },
         Exclamation("La catégorie P.C.S est obligatoire.", "Cbo_CategPCSContrat")},
        {"no function", [](CaracteristiquesSaisie& s) { s.fonction.clear(); },
         Exclamation("La fonction P.C.S est obligatoire.", "Cbo_FoncPCSContrat")},
        {"no duration", [](CaracteristiquesSaisie& s) { s.duree.clear(); },
         Exclamation("La durée de travail est obligatoire.", "Txt_DureeWContrat")},
        {"no period", [](CaracteristiquesSaisie& s) { s.frequence.clear(); },
         Exclamation("La fréquence est obligatoire.", "Cbo_FreqWContrat")},
        {"neither grid nor rate", [](CaracteristiquesSaisie& s) { s.taux.clear(); },
         Exclamation("Le taux horaire est obligatoire.", "Txt_TauxHorContrat")},
        {"a grid and no rate",
         [](CaracteristiquesSaisie& s) { s.taux.clear(), s.grille = "Emploi A - agent à domicile"; },
         std::nullopt},
        {"monthly production without modulation agreement", [](CaracteristiquesSaisie& s) { s.lissage = false; },
         Exclamation("Le lissage des rémunérations est obligatoire.", "")},
        {"no modulation agreement, frame hidden",
         [](CaracteristiquesSaisie& s) { s.lissage = false, s.cadreLissageVisible = false; }, std::nullopt},
        {"no modulation agreement, hourly", [](CaracteristiquesSaisie& s) { s.lissage = false, s.mensuel = false; },
         std::nullopt},
        {"category of another code",
         [](CaracteristiquesSaisie& s) { s.libelleCategoriePCS = "Ouvriers"; },
         Exclamation("Cette catégorie P.C.S n'existe pas.", "Cbo_CategPCSContrat")},
        {"function unknown", [](CaracteristiquesSaisie& s) { s.libelleFonctionPCS.clear(); },
         Exclamation("Cette fonction P.C.S n'existe pas.", "Cbo_FoncPCSContrat")},
        {"grid not among the agreement's", [](CaracteristiquesSaisie& s) { s.grille = "Ancienne grille"; },
         Exclamation("Cette grille n'existe pas.", "Cbo_GrilleContrat")},
        {"duration not a number", [](CaracteristiquesSaisie& s) { s.duree = "35h"; },
         Exclamation(MessageDureeNonNombre, "Txt_DureeWContrat")},
        {"rate not a number", [](CaracteristiquesSaisie& s) { s.taux = "12,5,0"; },
         Exclamation(MessageTauxNonNombre, "Txt_TauxHorContrat")},
        {"coefficient not a number", [](CaracteristiquesSaisie& s) { s.coefficient = ","; },
         Exclamation(MessageCoefficientNonNombre, "Txt_CoefNivContrat")},
        {"seniority suspension not a number", [](CaracteristiquesSaisie& s) { s.joursSuspAnc = "-"; },
         Exclamation(MessageJoursNonNombre, "Txt_JourSuspAnc")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CaracteristiquesSaisie s = Valide();
        c.change(s);
        EXPECT_EQ(VerifCaracteristiques(s), c.expected);
    }
}

TEST(CaracteristiquesChecks, FiguresGoBackAndForthWithoutDrift) {
    struct Case {
        const char* stored;
        int decimals, minimum;
        const char* shown;
    } cases[] = {
        {"3500", 2, 2, "35,00"},     {"15167", 2, 2, "151,67"}, {"10500", 3, 2, "10,50"},
        {"10505", 3, 2, "10,505"},   {"274000", 3, 0, "274"},   {"280500", 3, 0, "280,5"},
        {"5", 3, 2, "0,005"},        {"0", 3, 2, "0,00"},       {"-150", 2, 0, "-1,5"},
        {"", 2, 2, ""},              {"12,5", 2, 2, "12,5"}, // not a stored integer: shown as it is
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        const QString shown = AfficherEchelle(c.stored, c.decimals, c.minimum, ",");
        EXPECT_EQ(shown, QString::fromUtf8(c.shown));
        if (std::string(c.stored).find(',') == std::string::npos && *c.stored)
            EXPECT_EQ(SaisieEchelle(shown, c.decimals), std::optional<std::string>(c.stored));
    }
    // Typed with either separator.
    EXPECT_EQ(SaisieEchelle("35", 2), "3500");
    EXPECT_EQ(SaisieEchelle("151.67", 2), "15167");
    EXPECT_EQ(SaisieEchelle("10,5", 3), "10500");
    EXPECT_EQ(SaisieEchelle("12,35", 2), "1235");
    EXPECT_EQ(SaisieEchelle("abc", 2), std::nullopt);
    EXPECT_EQ(SaisieEchelle("", 2), std::nullopt);
    EXPECT_EQ(NormaliserSaisie("10.5", 3, 2, ","), QStringLiteral("10,50"));
}

TEST(CaracteristiquesChecks, ModulationCodesBothWays) {
    struct Case {
        const char* code;
        HeuresModulation heures;
        const char* written; // what the boxes read back write
    } cases[] = {{"C", {true, true}, "C"}, {"L", {true, false}, "L"}, {"S", {false, false}, "S"},
                 {"", {false, false}, "S"}, {"X", {false, false}, "S"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(LireHeuresModulation(c.code), c.heures);
        EXPECT_EQ(CodeHeuresModulation(c.heures), c.written);
    }
    // The withdrawal alone is written as both.
    EXPECT_EQ(CodeHeuresModulation({false, true}), "C");
}

TEST(CaracteristiquesChecks, ReferenceDateMovesByTheWholeSuspensionDays) {
    EXPECT_EQ(DateReference("01/03/2020", "01/01/2020", "10"), "11/03/2020");
    EXPECT_EQ(DateReference("", "01/01/2020", "31,5"), "01/02/2020"); // the start when no grid start
    EXPECT_EQ(DateReference("01/03/2020", "01/01/2020", "0"), "");
    EXPECT_EQ(DateReference("01/03/2020", "01/01/2020", ""), "");
    EXPECT_EQ(DateReference("", "", "10"), "");
}

TEST(Amendments, NumberingAndEffectiveDates) {
    EXPECT_EQ(NumeroAvenantSuivant("00"), "01");
    EXPECT_EQ(NumeroAvenantSuivant("09"), "10");
    EXPECT_EQ(NumeroAvenantSuivant("99"), "100");
    EXPECT_EQ(NumeroAvenantSuivant(""), "01");

    const std::string start = Day("01/03/2020"), previous = Day("01/01/2024");
    struct Case {
        const char* what;
        std::string typed, start, previous;
        const char* message;
        bool emptied;
    } cases[] = {
        {"after the previous amendment", Day("02/01/2024"), start, previous, "", false},
        {"the same day as the previous one: taken here, refused by Valider", previous, start, previous, "", false},
        {"before the previous amendment", Day("31/12/2023"), start, previous,
         "La date d'effet doit être supérieure à la date d'effet de l'avenant précédent.", true},
        {"before the start, no previous amendment", Day("28/02/2020"), start, "",
         "La date d'effet doit être supérieure ou égale à la date de début du contrat.", true},
        {"no start date", Day("02/01/2024"), "", previous, "Vous devez renseigner la date de début du contrat.",
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const SortieDateEffet s = ControleDateEffet(c.typed, c.start, c.previous);
        EXPECT_EQ(s.message, QString::fromUtf8(c.message));
        EXPECT_EQ(s.vider, c.emptied);
    }

    const QString later = QStringLiteral("La date d'effet de l'avenant doit être supérieure à la date du dernier avenant.");
    EXPECT_EQ(VerifValidationAvenant("", previous)->message, "La date d'effet de l'avenant est obligatoire.");
    EXPECT_EQ(VerifValidationAvenant("01/01/2024", previous)->message, later);
    EXPECT_EQ(VerifValidationAvenant("01/01/2024", previous)->focus, "Txt_DatEffetContrat");
    EXPECT_FALSE(VerifValidationAvenant("02/01/2024", previous));
}

TEST(Amendments, DeletionLooksForWorkFromTheAmendmentsMonthOn) {
    EXPECT_EQ(PeriodesDepuis(Day("15/11/2025"), "202602"),
              (std::vector<std::string>{"202511", "202512", "202601", "202602"}));
    EXPECT_TRUE(PeriodesDepuis(Day("01/12/2026"), "202611").empty());

    struct Case {
        const char* what;
        std::set<std::string> existing; // "TABLE key"
        bool agreement02, administrative;
        std::optional<QString> refusal;
    } cases[] = {
        {"nothing done", {}, true, false, std::nullopt},
        {"payslip in the amendment's month", {"DETAILCALCUL 50001001202510"}, true, false,
         QString::fromUtf8(MessageTraitementsPaie)},
        {"payslip the month before: not this amendment's", {"DETAILCALCUL 50001001202509"}, true, false,
         std::nullopt},
        {"mandate details under 02", {"DETAILMANDAT 50001001202611"}, true, false,
         QString::fromUtf8(MessageTraitementsPaie)},
        {"mandate details under another agreement", {"DETAILMANDAT 50001001202611"}, false, false, std::nullopt},
        {"administrative work", {"DETAILADMIN 50001001202601"}, false, true, QString::fromUtf8(MessageTraitements)},
        {"interventions", {"DETAILINTER 50001001202601"}, true, false, QString::fromUtf8(MessageTraitements)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SuppressionAvenantEntree e{"50001001", Day("20/10/2025"), "202611", c.agreement02, c.administrative};
        const auto refusal = VerifSuppressionAvenant(
            e, [&](const char* table, const std::string& key) { return c.existing.count(table + (" " + key)) > 0; });
        EXPECT_EQ(refusal, c.refusal);
    }
}

TEST(Amendments, DeletingRemovesTheEntryFromEveryAmendmentField) {
    LibraryDatabase lib;
    dba::Record r = lib.db.OpenTable("CONTRAT").NewRecord("50001001");
    r.SetItem(14, Values({"00", "01", "02"}));
    r.SetItem(24, Values({"3500", "3000", "2500"}));
    r.SetItem(82, Values({"", ""})); // a field one value short
    r.SetItem(133, Values({"a", "b", "c"}));
    r.SetItem(70, "150"); // not an amendment field
    SupprimerEntree(r, 3);
    EXPECT_EQ(r.Item(14), Values({"00", "01"}));
    EXPECT_EQ(r.Item(24), Values({"3500", "3000"}));
    EXPECT_EQ(r.Item(82), Values({"", ""}));
    EXPECT_EQ(r.Item(133), Values({"a", "b"}));
    EXPECT_EQ(r.Item(70), "150");
}
