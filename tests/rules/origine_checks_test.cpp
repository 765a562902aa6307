#include "rules/origine_checks.h"

#include "dba/errors.h"
#include "support/library_fixture.h"

#include <gtest/gtest.h>

using namespace rules;

namespace {

const QString BulletinCalcule = QString::fromUtf8(MessageBulletinCalcule);

// A fixed-term contract of 01/03/2020 with its presumed end and a reason,
// whose start date does not move: every check passes.
OrigineSaisie Valide() {
    OrigineSaisie s;
    s.convention = "02";
    s.entite = "001";
    s.employeur = "00100";
    s.dateDebut = "01/03/2020";
    s.dateFinPresumee = "31/08/2020";
    s.determine = true;
    s.motifCode = "01";
    s.changementDebut.savedStart = QString::fromStdString(Day("01/03/2020"));
    s.changementDebut.contractKey = "50001001";
    s.changementDebut.currentPeriod = [] { return std::string("202611"); };
    s.changementDebut.calculationExists = [](const std::string&) { return false; };
    return s;
}

// The start date moved to `start`, payroll in period 202611.
OrigineSaisie Deplacee(const char* savedStart, const char* start) {
    OrigineSaisie s = Valide();
    s.dateDebut = start;
    s.dateFinPresumee.clear();
    s.determine = false;
    s.changementDebut.savedStart = QString::fromStdString(Day(savedStart));
    return s;
}

Refus Exclamation(const char* message, const char* focus = "") {
    return {QString::fromUtf8(message), ui::Icon::Exclamation, QString::fromLatin1(focus)};
}
Refus Information(const char* message, const char* focus) {
    return {QString::fromUtf8(message), ui::Icon::Information, QString::fromLatin1(focus)};
}

} // namespace

TEST(OrigineChecks, FirstRefusalInOrderWithItsIconAndFocus) {
    struct Case {
        const char* what;
        std::function<void(OrigineSaisie&)> change;
        std::optional<Refus> expected;
    } cases[] = {
        {"every value right", [](OrigineSaisie&) {}, std::nullopt},
        {"no agreement, no entity either: the agreement first",
         [](OrigineSaisie& s) { s.convention.clear(), s.entite.clear(); },
         Exclamation("La convention collective est obligatoire.", "Txt_ConvColContrat")},
        {"no entity", [](OrigineSaisie& s) { s.entite.clear(); },
         Exclamation("L'entité juridique est obligatoire.", "Txt_AssocContrat")},
        {"no employer: the focus on its name", [](OrigineSaisie& s) { s.employeur.clear(); },
         Exclamation("L'employeur est obligatoire.", "Cbo_LibEmplEtabContrat")},
        {"no start", [](OrigineSaisie& s) { s.dateDebut.clear(); },
         Exclamation("La date de début de contrat est obligatoire.", "Txt_DatDebContrat")},
        {"start not a date", [](OrigineSaisie& s) { s.dateDebut = "30/02/2020"; },
         Information(MessageDateIncorrecte, "Txt_DatDebContrat")},
        {"fixed term without presumed end", [](OrigineSaisie& s) { s.dateFinPresumee.clear(); },
         Information("La date de fin présumée est obligatoire pour un CDD.", "Txt_DatFinContrat")},
        {"fixed term ended: no presumed end needed",
         [](OrigineSaisie& s) { s.dateFinPresumee.clear(), s.dateFinReelle = "30/06/2020"; }, std::nullopt},
        {"open-ended: no presumed end needed nor reason",
         [](OrigineSaisie& s) { s.determine = false, s.dateFinPresumee.clear(), s.motifCode.clear(); },
         std::nullopt},
        {"presumed end not a date", [](OrigineSaisie& s) { s.dateFinPresumee = "31/02/2020"; },
         Information(MessageDateIncorrecte, "Txt_DatFinContrat")},
        {"presumed end the day before the start", [](OrigineSaisie& s) { s.dateFinPresumee = "29/02/2020"; },
         Information("La date de fin de contrat présumée doit être supérieure ou égale à la date de début de "
                     "contrat.",
                     "Txt_DatFinContrat")},
        {"presumed end on the start day", [](OrigineSaisie& s) { s.dateFinPresumee = "01/03/2020"; },
         std::nullopt},
        {"no reason: blanks are no reason",
         [](OrigineSaisie& s) { s.motifCode = "  ", s.motifTexte = " "; }, [] {
             Refus r = Exclamation("La saisie d'un motif d'embauche est obligatoire.");
             r.motifEmbauche = true;
             return r;
         }()},
        {"a reason typed as text only", [](OrigineSaisie& s) { s.motifCode.clear(), s.motifTexte = "Surcroît"; },
         std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        OrigineSaisie s = Valide();
        c.change(s);
        EXPECT_EQ(VerifOrigine(s), c.expected);
    }
}

TEST(OrigineChecks, TheStartDateMovesOnlyWhilePayrollHasNotUsedIt) {
    struct Case {
        const char* what;
        const char* calculated; // contract field 63
        const char* savedStart;
        const char* newStart;
        std::vector<std::string> calculations; // DETAILCALCUL periods of the contract
        QString refusal;
    } cases[] = {
        {"unchanged, even with a payslip", "202301", "15/01/2023", "15/01/2023", {}, {}},
        {"payslip of the start month", "202301", "15/01/2023", "20/01/2023", {}, BulletinCalcule},
        {"payslip after the start month", "202301", "15/12/2022", "20/12/2022", {}, BulletinCalcule},
        {"payslip before the start month", "202212", "15/01/2023", "20/01/2023", {}, {}},
        {"before the current pay period", "", "15/11/2026", "31/10/2026", {},
         QStringLiteral("La date de début de contrat ne peut être antérieure au 01/11/2026.")},
        {"first day of the current period, nothing calculated", "", "15/11/2026", "01/11/2026", {}, {}},
        {"calculated for the current period", "", "15/11/2026", "02/11/2026", {"202611"}, BulletinCalcule},
        {"calculated for the next period", "", "15/11/2026", "02/11/2026", {"202612"}, BulletinCalcule},
        {"calculated two periods on only", "", "15/11/2026", "02/11/2026", {"202701"}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        OrigineSaisie s = Deplacee(c.savedStart, c.newStart);
        s.changementDebut.calculatedPeriod = c.calculated;
        s.changementDebut.calculationExists = [&](const std::string& key) {
            for (const std::string& period : c.calculations)
                if (key == "50001001" + period)
                    return true;
            return false;
        };
        const std::optional<Refus> refus = VerifOrigine(s);
        EXPECT_EQ(refus ? refus->message : QString(), c.refusal);
        if (refus) {
            EXPECT_EQ(refus->icon, ui::Icon::Exclamation);
            EXPECT_TRUE(refus->focus.isEmpty());
        }
    }
}

TEST(OrigineChecks, AStartDateThatCannotBeCheckedIsRefused) {
    struct Case {
        const char* what;
        std::function<std::string()> currentPeriod;
        std::function<bool(const std::string&)> calculationExists;
        QString refusal;
    } cases[] = {
        {"no current pay period", [] { return std::string(); }, nullptr, QString::fromUtf8(MessagePeriodeIllisible)},
        {"a current pay period that is no period", [] { return std::string("2026"); }, nullptr,
         QString::fromUtf8(MessagePeriodeIllisible)},
        {"the pay periods unreadable", []() -> std::string { throw dba::StorageError("disque illisible"); },
         nullptr, QStringLiteral("Contrôle de la date de début impossible : disque illisible")},
        {"the calculations unreadable", [] { return std::string("202611"); },
         [](const std::string&) -> bool { throw dba::StorageError("disque illisible"); },
         QStringLiteral("Contrôle de la date de début impossible : disque illisible")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        OrigineSaisie s = Deplacee("15/11/2026", "20/11/2026");
        s.changementDebut.currentPeriod = c.currentPeriod;
        if (c.calculationExists)
            s.changementDebut.calculationExists = c.calculationExists;
        const std::optional<Refus> refus = VerifOrigine(s);
        ASSERT_TRUE(refus.has_value());
        EXPECT_TRUE(refus->message.startsWith(c.refusal)) << refus->message.toStdString();
    }
}
