#include "rules/date_entry.h"
#include "rules/end_of_contract.h"

#include <gtest/gtest.h>

using namespace rules;

namespace {

QDate D(const char* text) {
    return QDate::fromString(QString::fromLatin1(text), QStringLiteral("dd/MM/yyyy"));
}

TEST(EndReasons, EachFamilyEnablesExactlyItsFields) {
    struct Case {
        const char* code;
        bool fixedTerm;
        bool signature, indemnity;
        int precarity; // -1 unchanged, 0 unchecked, 1 checked
        bool notice;
    } cases[] = {
        {"43", false, true, false, -1, false}, // agreed termination
        {"11", false, false, true, -1, true},  // dismissal
        {"91", false, false, true, -1, false}, // indemnity without notice
        {"33", false, false, true, -1, false},
        {"92", false, false, true, -1, true},
        {"31", false, false, false, -1, false}, // resignation
        {"31", true, false, false, 1, false},
        {"34", true, false, false, 0, false},
        {"35", true, false, false, 0, false},
        {"37", true, false, false, 0, false},
        {"65", true, false, true, 1, true},
        {"", false, false, false, -1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.code) + (c.fixedTerm ? " CDD" : " CDI"));
        const ChampsDuMotif champs = ChampsSelonMotif(c.code, c.fixedTerm);
        EXPECT_EQ(champs.signature, c.signature);
        EXPECT_EQ(champs.indemnite, c.indemnity);
        EXPECT_EQ(champs.primePrecarite.has_value(), c.precarity >= 0);
        if (c.precarity >= 0 && champs.primePrecarite) {
            EXPECT_EQ(*champs.primePrecarite, c.precarity == 1);
        }
        EXPECT_EQ(MotifAvecPreavis(c.code), c.notice);
    }
}

TEST(LastPayslip, PeriodsReadAndWriteAsMonthNames) {
    EXPECT_EQ(PeriodeEnLettres("202603"), "mars 2026");
    EXPECT_EQ(PeriodeEnLettres("202612"), "décembre 2026");
    EXPECT_EQ(PeriodeEnLettres("202613"), "");
    EXPECT_EQ(PeriodeDepuisLettres("décembre 2026"), "202612");
    EXPECT_EQ(PeriodeDepuisLettres("Août 2025"), "202508");
    EXPECT_EQ(PeriodeDepuisLettres("mars"), "");
    EXPECT_EQ(PeriodeDepuisLettres("brumaire 2026"), "");
}

TEST(LastPayslip, OneStepPerMonthFromStartToEnd) {
    // A contract ending in January: the range crosses the year.
    PlageBulletin plage = PlageDernierBulletin(D("15/11/2025"), D("10/01/2026"));
    EXPECT_EQ(plage.pas, 2);
    EXPECT_EQ(plage.Periode(0), "202511");
    EXPECT_EQ(plage.Periode(1), "202512");
    EXPECT_EQ(plage.Periode(2), "202601");
    EXPECT_EQ(plage.Periode(3), "202601"); // never past the end month
    EXPECT_EQ(plage.Pas("202512"), 1);
    EXPECT_EQ(plage.Pas("202603"), 2);
    EXPECT_EQ(plage.Pas("202401"), 0);

    // Start and end in the same month: the end month only.
    plage = PlageDernierBulletin(D("02/01/2026"), D("31/01/2026"));
    EXPECT_EQ(plage.pas, 0);
    EXPECT_EQ(plage.Periode(0), "202601");

    // No start: the end month only.
    plage = PlageDernierBulletin(QDate(), D("31/01/2026"));
    EXPECT_EQ(plage.pas, 0);
    EXPECT_EQ(plage.Periode(0), "202601");
}

// An open-ended contract from 01/03/2020 ended on 30/06/2026 after a
// dismissal notified on 30/04/2026, notice worked: every check passes.
FinContratSaisie Valide() {
    FinContratSaisie s;
    s.dateDebut = "01/03/2020";
    s.dateFin = "30/06/2026";
    s.dateNotification = "30/04/2026";
    s.motif = "Licenciement";
    s.indetermine = true;
    s.dernierJour = "30/06/2026";
    s.dernierBulletin = "juin 2026";
    s.preavis[1] = {true, "30/04/2026", "30/06/2026", "Txt_DebEffContrat", "Txt_FinEffContrat"};
    s.preavis[0].controleDebut = "Txt_DebPayeContrat";
    s.preavis[0].controleFin = "Txt_FinPayeContrat";
    s.organismeRetraite = "IRCEM";
    s.convention = "02";
    return s;
}

TEST(EndOfContractChecks, FirstRefusalInOrder) {
    struct Case {
        const char* what;
        std::function<void(FinContratSaisie&)> change;
        const char* focus; // "-": accepted
        const char* messageStart;
        ui::Icon icon = ui::Icon::Exclamation;
    } cases[] = {
        {"valid", [](FinContratSaisie&) {}, "-", ""},
        {"nothing ended", [](FinContratSaisie& s) { s = FinContratSaisie(); s.convention = "05"; }, "-", ""},
        {"notification without end",
         [](FinContratSaisie& s) { s.dateFin.clear(); }, "Txt_DatNotifContrat",
         "La date de notification est renseignée, mais pas la date de fin.\nVous devez supprimer"},
        {"end on the start date", [](FinContratSaisie& s) { s.dateFin = "01/03/2020"; }, "Txt_DateFinContrat",
         "La date de fin de contrat doit être supérieure"},
        {"no reason", [](FinContratSaisie& s) { s.motif.clear(); }, "Cbo_MotifFinContrat",
         "Le motif de fin de contrat est obligatoire."},
        {"agreed termination without signature", [](FinContratSaisie& s) { s.signatureActive = true; },
         "Txt_DateSignConvCol",
         "La date de signature de convention pour le motif de fin de contrat Rupture conventionnelle est "
         "obligatoire.",
         ui::Icon::None},
        {"signature after the actual end",
         [](FinContratSaisie& s) {
             s.signatureActive = true;
             s.dateSignature = "20/06/2026";
             s.dateFinReelle = "15/06/2026";
         },
         "Txt_DateSignConvCol", "La date de signature de convention pour le motif de fin de contrat Rupture "
                                "conventionnelle doit être inférieure ou égale à la date de fin réelle.",
         ui::Icon::None},
        {"signature after the actual end but before the end passes",
         [](FinContratSaisie& s) {
             s.signatureActive = true;
             s.dateSignature = "20/06/2026";
             s.dateFinReelle = "25/06/2026";
         },
         "-", ""},
        {"signature after the end, no actual end",
         [](FinContratSaisie& s) {
             s.signatureActive = true;
             s.dateSignature = "01/07/2026";
         },
         "Txt_DateSignConvCol", "La date de signature de convention pour le motif de fin de contrat Rupture "
                                "conventionnelle doit être inférieure ou égale à la date de fin du contrat.",
         ui::Icon::None},
        {"open-ended without notification", [](FinContratSaisie& s) { s.dateNotification.clear(); },
         "Txt_DatNotifContrat", "La date de notification de fin de contrat est obligatoire."},
        {"fixed-term without notification passes",
         [](FinContratSaisie& s) {
             s.dateNotification.clear();
             s.indetermine = false;
         },
         "-", ""},
        {"notification after the end", [](FinContratSaisie& s) { s.dateNotification = "01/07/2026"; },
         "Txt_DatNotifContrat", "La date de notification ne peut être supérieure"},
        {"no last working day", [](FinContratSaisie& s) { s.dernierJour.clear(); }, "Txt_DernJrWContrat",
         "Le dernier jour travaillé est obligatoire."},
        {"last working day after the end", [](FinContratSaisie& s) { s.dernierJour = "01/07/2026"; },
         "Txt_DernJrWContrat", "La date du dernier jour travaillé ne peut être supérieure"},
        {"no last payslip", [](FinContratSaisie& s) { s.dernierBulletin.clear(); }, "",
         "La période du dernier bulletin est obligatoire."},
        {"payslip of March for an end in February",
         [](FinContratSaisie& s) {
             s.dateFin = s.dernierJour = "28/02/2026";
             s.dateNotification = "01/02/2026";
             s.preavis[1].fin = "28/02/2026";
             s.preavis[1].debut = "01/02/2026";
             s.dernierBulletin = "mars 2026";
         },
         "", "La période du dernier bulletin doit être inférieure ou égale au mois de la date de fin."},
        {"notice start after its end", [](FinContratSaisie& s) { s.preavis[1].debut = "01/06/2027"; },
         "Txt_DebEffContrat", "La date de début de préavis ne peut être supérieure", ui::Icon::None},
        {"notice before the contract", [](FinContratSaisie& s) { s.preavis[1].debut = "01/01/2019"; },
         "Txt_DebEffContrat", "La date de début du préavis ne peut être inférieure", ui::Icon::None},
        {"notice after the end", [](FinContratSaisie& s) { s.preavis[1].fin = "01/07/2026"; }, "Txt_FinEffContrat",
         "La date de fin du préavis ne peut être supérieure", ui::Icon::None},
        {"notice without end", [](FinContratSaisie& s) { s.preavis[1].fin.clear(); }, "Txt_FinEffContrat",
         "La date de fin du préavis doit être renseignée.", ui::Icon::None},
        {"notice without start", [](FinContratSaisie& s) { s.preavis[1].debut.clear(); }, "Txt_DebEffContrat",
         "La date de début du préavis doit être renseignée.", ui::Icon::None},
        {"paid notice checked first",
         [](FinContratSaisie& s) {
             s.preavis[0].coche = true;
             s.preavis[1].debut.clear();
         },
         "Txt_DebPayeContrat", "La date de début du préavis doit être renseignée.", ui::Icon::None},
        {"an unchecked notice is not checked", [](FinContratSaisie& s) { s.preavis[1].coche = false; s.preavis[1].debut.clear(); }, "-", ""},
        {"retirement body under another agreement",
         [](FinContratSaisie& s) {
             s.convention = "05";
             s.organismeRetraite.clear();
         },
         "Cbo_OrgRetraite", "L'organisme de retraite est obligatoire."},
        {"no retirement body under 02", [](FinContratSaisie& s) { s.organismeRetraite.clear(); }, "-", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FinContratSaisie s = Valide();
        c.change(s);
        const ResultatVerifFin r = VerifFinContrat(s);
        if (std::string(c.focus) == "-") {
            EXPECT_FALSE(r.refus) << (r.refus ? r.refus->message.toStdString() : "");
            continue;
        }
        ASSERT_TRUE(r.refus);
        EXPECT_TRUE(r.refus->message.startsWith(QString::fromUtf8(c.messageStart))) << r.refus->message.toStdString();
        EXPECT_EQ(r.refus->focus, c.focus);
        EXPECT_EQ(r.refus->icon, c.icon);
        EXPECT_EQ(r.periodeParDefaut, std::string(c.what) == "no last payslip");
    }
}

TEST(Notice, SeniorityBorrowsMonthsFromTheYear) {
    EXPECT_EQ(Anciennete(D("15/06/2024"), D("14/06/2026")), std::make_pair(1, 11));
    EXPECT_EQ(Anciennete(D("15/06/2024"), D("15/06/2026")), std::make_pair(2, 0));
    EXPECT_EQ(Anciennete(D("31/01/2026"), D("28/02/2026")), std::make_pair(0, 0));
    EXPECT_EQ(Anciennete(D("01/12/2025"), D("01/06/2026")), std::make_pair(0, 6));
}

TEST(Notice, LengthAndEndByAgreementCategoryAndSeniority) {
    struct Case {
        const char* what;
        const char* agreement;
        char category;
        bool managerial, doubled;
        const char* reason;
        const char* since;
        const char* notified;
        int months, days;
        const char* end; // "" when none
    } cases[] = {
        {"02, 3 years", "02", 0, false, false, "11", "01/03/2020", "15/03/2026", 2, 0, "14/05/2026"},
        {"02, 1 year, across a year end", "02", 0, false, false, "11", "01/03/2025", "15/11/2026", 1, 0,
         "14/12/2026"},
        {"02, 7 months, notified in December", "02", 0, false, false, "11", "01/05/2026", "20/12/2026", 1, 0,
         "19/01/2027"},
        {"02, 3 months: six days", "02", 0, false, false, "11", "01/09/2026", "28/12/2026", 0, 6, "03/01/2027"},
        {"02, notified on the 31st", "02", 0, false, false, "11", "01/03/2025", "31/01/2026", 1, 0, "28/02/2026"},
        {"02, notified on the 30th, February", "02", 0, false, false, "11", "01/03/2025", "30/01/2026", 1, 0,
         "28/02/2026"},
        {"02, notified on the 28th", "02", 0, false, false, "11", "01/03/2025", "28/01/2026", 1, 0, "27/02/2026"},
        {"02, notified on the 1st", "02", 0, false, false, "11", "01/03/2025", "01/03/2026", 1, 0, "31/03/2026"},
        {"02, on the 31st to a 31-day month", "02", 0, false, false, "11", "01/03/2020", "31/05/2026", 2, 0,
         "30/07/2026"},
        {"01 category B", "01", 'B', false, false, "12", "01/03/2025", "15/03/2026", 1, 0, "14/04/2026"},
        {"01 category E, new", "01", 'E', false, false, "12", "01/03/2026", "15/03/2026", 1, 0, "14/04/2026"},
        {"01 category G, old", "01", 'G', false, false, "12", "01/03/2020", "15/03/2026", 4, 0, "14/07/2026"},
        {"05 managerial", "05", 0, true, false, "14", "01/03/2026", "15/03/2026", 4, 0, "14/07/2026"},
        {"06 managerial", "06", 0, true, false, "14", "01/03/2026", "15/03/2026", 3, 0, "14/06/2026"},
        {"06 other, 2 years", "06", 0, false, false, "14", "01/03/2020", "15/03/2026", 2, 0, "14/05/2026"},
        {"other agreement, 3 months: none", "09", 0, false, false, "11", "01/01/2026", "15/03/2026", 0, 0, ""},
        {"doubled, 1 month becomes 2", "02", 0, false, true, "11", "01/03/2025", "15/03/2026", 2, 0, "14/05/2026"},
        {"doubled, capped at 3", "02", 0, false, true, "11", "01/03/2020", "15/03/2026", 3, 0, "14/06/2026"},
        {"doubled days", "02", 0, false, true, "11", "01/01/2026", "15/03/2026", 0, 12, "27/03/2026"},
        {"not doubled for 92", "02", 0, false, true, "92", "01/03/2025", "15/03/2026", 1, 0, "14/04/2026"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PreavisEntree e;
        e.motif = c.reason;
        e.notification = D(c.notified);
        e.anciennete = D(c.since);
        e.convention = c.agreement;
        e.categorie = c.category ? QChar(c.category) : QChar();
        e.cadre = c.managerial;
        e.preavisDouble = c.doubled;
        const Preavis p = CalculPreavis(e);
        EXPECT_TRUE(p.applicable);
        EXPECT_EQ(p.mois, c.months);
        EXPECT_EQ(p.jours, c.days);
        EXPECT_EQ(p.fin.toString("dd/MM/yyyy"), QString::fromLatin1(c.end));
    }
    PreavisEntree resignation;
    resignation.motif = "31";
    resignation.notification = D("15/03/2026");
    EXPECT_FALSE(CalculPreavis(resignation).applicable);
}

TEST(Notice, CategoryAndManagerialFlagFromTheClassification) {
    EXPECT_EQ(CategorieSalarie("Assistant(e) de vie B"), QChar('B'));
    EXPECT_EQ(CategorieSalarie("Assistant(e) de vie c"), QChar('C'));
    EXPECT_TRUE(CategorieSalarie("Aide à domicile").isNull());
    EXPECT_TRUE(CategorieSalarie("Niveau J").isNull());
    EXPECT_TRUE(CodePCSCadre("3710"));
    EXPECT_TRUE(CodePCSCadre("2310"));
    EXPECT_TRUE(CodePCSCadre("0431a"));
    EXPECT_FALSE(CodePCSCadre("5631"));
    EXPECT_FALSE(CodePCSCadre("0431b"));
}

TEST(DateBoxes, ImpossibleDatesAreRefusedAndEndDatesNotBeforeTheStart) {
    const QDate today = D("06/12/2026");
    for (const char* typed : {"31/02/2026", "00/13/2026", "29/02/2025", "32/01", "12/13"}) {
        SCOPED_TRACE(typed);
        const DateEntry e = ControleDate(typed, today);
        EXPECT_TRUE(e.refocus);
        EXPECT_TRUE(e.stored.isEmpty());
    }
    EXPECT_EQ(ControleDate("29/02/2028", today).text, "29/02/2028");
    EXPECT_EQ(ControleDate("12.03.2004", today).text, "12/03/2004");

    struct Case {
        const char* box;
        const char* date;
        const char* messageStart;
    } cases[] = {
        {"Txt_DernJrWContrat", "28/02/2020", "Erreur la date du dernier jour travaillé ne peut"},
        {"Txt_FinReelle", "28/02/2020", "Erreur la date de fin réelle ne peut"},
        {"Txt_DatNotifContrat", "28/02/2020", "Erreur la date de notification de licenciement / démission"},
        {"Txt_DernJrWContrat", "01/03/2020", ""},
        {"Txt_DateFinContrat", "28/02/2020", ""}, // the end date has its own check at save
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.box) + " " + c.date);
        const QString message = DateAvantDebut(c.box, c.date, "01/03/2020");
        EXPECT_EQ(message.isEmpty(), !*c.messageStart) << message.toStdString();
        if (*c.messageStart) {
            EXPECT_TRUE(message.startsWith(QString::fromUtf8(c.messageStart))) << message.toStdString();
        }
    }
}

} // namespace
