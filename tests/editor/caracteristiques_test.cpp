// Tab "Caractéristiques" and its amendments through the browser, as a user
// works: what an entry shows, what the tab refuses, what it writes back,
// and how adding, validating, cancelling and deleting amendments change the
// contract.
#include "editor_fixture.h"

#include "data/contrat_fields.h"
#include "data/tables.h"
#include "data/utility_services.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <algorithm>

namespace {

using data::tables::CONTRAT;
using editor::Onglet;
namespace c = data::contrat;

const QString QuestionEnregistrer =
    QStringLiteral("Voulez-vous enregistrer les modifications apportées à cet article ?");
const QString QuestionHeures =
    QStringLiteral("Le nombre d'heures cumulées tous contrats confondus est supérieur au nombre d'heures "
                   "légal autorisé, voulez-vous continuer ?");
const QString QuestionQuitterCreation = QStringLiteral("Etes-vous sûr de vouloir quitter cette création ?");

class CaracteristiquesTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        data::UtilityServices::Instance().SetDecimalSeparator(",");
        lib.Put(data::tables::CONSTANTESPAIE, data::tables::keys::ConstantesPaie, {{10, "4800"}});
        lib.Put(data::tables::GRILLESCC, "0201", {{1, "Niveau II - assistant de vie"}, {8, "0"}});
        lib.Put(data::tables::GRILLESCC, "0209", {{1, "Ancienne grille"}, {8, "1"}});
    }
    void TearDown() override { data::UtilityServices::Instance().ResetDecimalSeparator(); }

    dba::Record Stored() { return lib.db.OpenTable(CONTRAT).ReadRecord("50001001"); }
    // Three entries: the initial terms, "01" of 01/01/2024 and "02" of
    // 01/06/2025 (30 hours a week at 12,50, a coefficient of 274).
    void PutThreeEntries() {
        PutContract({{14, Values({"00", "01", "02"})},
                     {15, Values({Day("01/03/2020"), Day("01/01/2024"), Day("01/06/2025")})},
                     {16, Values({"Assistant(e) de vie A", "Assistant(e) de vie B", "Assistant(e) de vie B"})},
                     {17, Values({"563b", "563b", "563b"})},
                     {18, Values({"Employés des services directs aux particuliers",
                                  "Employés des services directs aux particuliers",
                                  "Employés des services directs aux particuliers"})},
                     {19, Values({"Aides à domicile, aides ménagères", "Aides à domicile, aides ménagères",
                                  "Aides à domicile, aides ménagères"})},
                     {22, Values({"", "", "274000"})},
                     {23, Values({"11500", "12000", "12500"})},
                     {24, Values({"2000", "2000", "3000"})},
                     {25, Values({"1", "1", "1"})},
                     {68, Values({"1", "1", "1"})},
                     {69, Values({"C", "L", "S"})},
                     {111, Values({"", "", "Passage à 30 heures."})}});
    }
    static QLineEdit* Edit(Frm_ElementsContrat& e, const char* name) { return child<QLineEdit>(e, name); }
    static QComboBox* Combo(Frm_ElementsContrat& e, const char* name) { return child<QComboBox>(e, name); }
    static QPushButton* Button(Frm_ElementsContrat& e, const char* name) { return child<QPushButton>(e, name); }
    static QScrollBar* Bdh(Frm_ElementsContrat& e) { return child<QScrollBar>(e, "Bdh_Avenant"); }
    static bool HasFocus(Frm_ElementsContrat& e, QWidget* w) {
        QWidget* f = e.focusWidget();
        return f && (f == w || w->isAncestorOf(f) || f->focusProxy() == w);
    }
    void Leave(Frm_ElementsContrat& e) {
        if (!e.isVisible())
            return;
        scripted.messages.expect(QuestionEnregistrer, ui::Icon::Question, ui::Buttons::YesNoCancel, ui::Answer::No);
        ClickButton(e, "Cmd_Retour");
        scripted.messages.verify();
    }
    // Adds an amendment of `date` over the entry shown.
    void Add(Frm_ElementsContrat& e, const char* date) {
        ClickButton(e, "Cmd_AjoutAvenant");
        Edit(e, "Txt_DatEffetContrat")->setText(QString::fromLatin1(date));
    }
};

TEST_F(CaracteristiquesTest, TheLatestEntryIsShownAndTheUpDownStepsBackToTheInitialTerms) {
    PutThreeEntries();
    OpenBrowser();
    OpenEditor([&](Frm_ElementsContrat& e) {
        SelectTab(e, Onglet::Caracteristiques);
        struct Case {
            int value;
            const char* number, *effective;
            bool dateEnabled, printable;
            const char* rate, *coefficient, *duration, *qualification;
            bool payment, withdrawal;
        } cases[] = {
            {2, "02", "01/06/2025", true, true, "12,50", "274", "30,00", "Assistant(e) de vie B", false, false},
            {0, "0", "01/03/2020", false, false, "11,50", "", "20,00", "Assistant(e) de vie A", true, true},
            {1, "01", "01/01/2024", true, true, "12,00", "", "20,00", "Assistant(e) de vie B", true, false},
        };
        EXPECT_EQ(Bdh(e)->maximum(), 2);
        for (const Case& k : cases) {
            SCOPED_TRACE(k.number);
            Bdh(e)->setValue(k.value);
            EXPECT_EQ(Edit(e, "Txt_AvenantContrat")->text(), k.number);
            EXPECT_EQ(Edit(e, "Txt_DatEffetContrat")->text(), k.effective);
            EXPECT_EQ(Edit(e, "Txt_DatEffetContrat")->isEnabled(), k.dateEnabled);
            // Printing and deleting are for amendments.
            EXPECT_EQ(Button(e, "Cmd_ImpAvenant")->isEnabled(), k.printable);
            EXPECT_EQ(Button(e, "Cmd_SupprAv")->isEnabled(), k.printable);
            EXPECT_EQ(Edit(e, "Txt_TauxHorContrat")->text(), k.rate);
            EXPECT_EQ(Edit(e, "Txt_CoefNivContrat")->text(), k.coefficient);
            EXPECT_EQ(Edit(e, "Txt_DureeWContrat")->text(), k.duration);
            EXPECT_EQ(Combo(e, "Cbo_FreqWContrat")->currentText(), "Hebdo");
            EXPECT_EQ(Combo(e, "Cbo_QualifContrat")->currentText(), k.qualification);
            EXPECT_EQ(child<QCheckBox>(e, "Cac_PaiementHeuresPos")->isChecked(), k.payment);
            EXPECT_EQ(child<QCheckBox>(e, "Cac_RetraitHeuresNeg")->isChecked(), k.withdrawal);
        }
        // Browsing changes nothing: Retour closes without a question.
        ClickButton(e, "Cmd_Retour");
        EXPECT_FALSE(e.isVisible());
    });
}

TEST_F(CaracteristiquesTest, OkOnAnUntouchedContractWritesBackExactlyWhatWasStored) {
    struct Case {
        const char* what;
        int shown; // Bdh_Avenant
    } cases[] = {{"latest entry", 2}, {"initial terms", 0}};
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        PutThreeEntries();
        // Stored forms the screen shows otherwise: no effective date on the
        // initial terms, "" for the number and the hours.
        dba::Record r = Stored();
        r.SetItem(14, 1, "");
        r.SetItem(15, 1, "");
        r.SetItem(69, 1, "");
        r.SetItem(70, "");
        r.DBWrite();
        const std::string before = Stored().Item();
        OpenBrowser();
        OpenEditor([&](Frm_ElementsContrat& e) {
            SelectTab(e, Onglet::Caracteristiques);
            Bdh(e)->setValue(k.shown);
            ClickButton(e, "Cmd_OK");
            EXPECT_FALSE(e.isVisible());
        });
        EXPECT_EQ(Stored().Item(), before);
    }
}

TEST_F(CaracteristiquesTest, ARefusedValueStopsTheSaveWithItsMessageAndFocus) {
    struct Case {
        const char* what;
        const char* control;
        const char* text;
        const char* message;
    } cases[] = {
        {"no qualification", "Cbo_QualifContrat", "", "La qualification professionnelle est obligatoire."},
        {"a function of no category", "Cbo_FoncPCSContrat", "Cuisinier", "Cette fonction P.C.S n'existe pas."},
        {"a rate that is no number", "Txt_TauxHorContrat", "12,5,0", "Le taux horaire saisi n'est pas un nombre."},
        {"no duration", "Txt_DureeWContrat", "", "La durée de travail est obligatoire."},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        PutContract();
        const std::string before = Stored().Item();
        OpenBrowser();
        OpenEditor([&](Frm_ElementsContrat& e) {
            SelectTab(e, Onglet::Caracteristiques);
            QWidget* w = e.findChild<QWidget*>(QString::fromLatin1(k.control));
            auto* combo = qobject_cast<QComboBox*>(w);
            auto put = [&](const QString& text) {
                if (combo)
                    combo->setEditText(text);
                else
                    static_cast<QLineEdit*>(w)->setText(text);
            };
            const QString shown = combo ? combo->currentText() : static_cast<QLineEdit*>(w)->text();
            put(QString::fromUtf8(k.text));
            SelectTab(e, Onglet::Origine);
            scripted.messages.expect(QString::fromUtf8(k.message), ui::Icon::Exclamation);
            ClickButton(e, "Cmd_OK");
            scripted.messages.verify();
            EXPECT_TRUE(e.isVisible());
            EXPECT_TRUE(e.State().tabError[Onglet::Caracteristiques]);
            EXPECT_EQ(child<QTabWidget>(e, "Ong_Contrat")->currentIndex(), Onglet::Caracteristiques);
            EXPECT_TRUE(HasFocus(e, w));
            // Shown as it was, the contract holds no change: Retour closes.
            put(shown);
            ClickButton(e, "Cmd_Retour");
            EXPECT_FALSE(e.isVisible());
        });
        EXPECT_EQ(Stored().Item(), before);
    }
}

TEST_F(CaracteristiquesTest, TypedFiguresAndModulationAreStoredExactly) {
    OpenBrowser();
    OpenEditor([&](Frm_ElementsContrat& e) {
        SelectTab(e, Onglet::Caracteristiques);
        Edit(e, "Txt_DureeWContrat")->setText("151,67");
        QComboBox* freq = Combo(e, "Cbo_FreqWContrat");
        freq->setCurrentIndex(freq->findText("Mensuelle"));
        Edit(e, "Txt_TauxHorContrat")->setText("10,5");
        // Entry "01" had "L": the withdrawal alone is stored as "C".
        EXPECT_TRUE(child<QCheckBox>(e, "Cac_PaiementHeuresPos")->isChecked());
        child<QCheckBox>(e, "Cac_PaiementHeuresPos")->setChecked(false);
        child<QCheckBox>(e, "Cac_RetraitHeuresNeg")->setChecked(true);
        // 151,67 a month is 35 hours a week, under the limit.
        ClickButton(e, "Cmd_OK");
        EXPECT_FALSE(e.isVisible());
    });
    dba::Record r = Stored();
    EXPECT_EQ(r.Item(24), Values({"2000", "15167"}));
    EXPECT_EQ(r.Item(25), Values({"1", "3"}));
    EXPECT_EQ(r.Item(23), Values({"11500", "10500"}));
    EXPECT_EQ(r.Item(69), Values({"C", "C"}));
    EXPECT_EQ(r.Item(68), Values({"1", "1"}));

    // Paid by the hour, a production employee keeps no modulation.
    OpenEditor([&](Frm_ElementsContrat& e) {
        SelectTab(e, Onglet::Caracteristiques);
        EXPECT_TRUE(child<QCheckBox>(e, "Cac_RetraitHeuresNeg")->isChecked());
        EXPECT_TRUE(child<QCheckBox>(e, "Cac_PaiementHeuresPos")->isChecked());
        SelectTab(e, Onglet::Origine);
        child<QRadioButton>(e, "Opt_Horaire")->click();
        ClickButton(e, "Cmd_OK");
        EXPECT_FALSE(e.isVisible());
    });
    r = Stored();
    EXPECT_EQ(r.Item(68), Values({"1", "0"}));
    EXPECT_EQ(r.Item(69), Values({"C", ""}));
}

TEST_F(CaracteristiquesTest, ChoosingAGridEmptiesCoefficientAndRateAndGoesToTheGridStart) {
    OpenBrowser();
    OpenEditor([&](Frm_ElementsContrat& e) {
        SelectTab(e, Onglet::Caracteristiques);
        QComboBox* grid = Combo(e, "Cbo_GrilleContrat");
        // The agreement's grids still in use.
        ASSERT_EQ(grid->count(), 1);
        EXPECT_EQ(grid->itemText(0), "Niveau II - assistant de vie");
        EXPECT_FALSE(Edit(e, "Txt_DepartGrilContrat")->isEnabled());
        grid->setCurrentIndex(0);
        EXPECT_EQ(Edit(e, "Txt_CoefNivContrat")->text(), "0");
        EXPECT_EQ(Edit(e, "Txt_TauxHorContrat")->text(), "");
        EXPECT_FALSE(Edit(e, "Txt_TauxHorContrat")->isEnabled());
        EXPECT_TRUE(Edit(e, "Txt_DepartGrilContrat")->isEnabled());
        EXPECT_TRUE(HasFocus(e, Edit(e, "Txt_DepartGrilContrat")));
        // Suspension days move the reference date from the contract start.
        Edit(e, "Txt_JourSusp")->setText("10");
        Edit(e, "Txt_JourSusp")->setFocus();
        Edit(e, "Txt_DureeWContrat")->setFocus();
        EXPECT_EQ(Edit(e, "Txt_DatReference")->text(), "11/03/2020");
        ClickButton(e, "Cmd_OK");
        EXPECT_FALSE(e.isVisible());
    });
    const dba::Record r = Stored();
    EXPECT_EQ(r.Item(20), Values({"", "0201"}));
    EXPECT_EQ(r.Item(21), Values({"", Day("01/03/2020")})); // no grid start typed: the contract start
    EXPECT_EQ(r.Item(22), Values({"", "0"}));
    EXPECT_EQ(r.Item(23), Values({"11500", "0"})); // no rate with a grid: 0
    EXPECT_EQ(r.Item(70), "1000");
}

TEST_F(CaracteristiquesTest, AddingThenCancellingLeavesTheContractAsItWas) {
    const std::string before = Stored().Item();
    OpenBrowser();
    OpenEditor([&](Frm_ElementsContrat& e) {
        SelectTab(e, Onglet::Caracteristiques);
        ClickButton(e, "Cmd_AjoutAvenant");
        EXPECT_EQ(Edit(e, "Txt_AvenantContrat")->text(), "02");
        EXPECT_TRUE(Edit(e, "Txt_DatEffetContrat")->text().isEmpty());
        EXPECT_TRUE(HasFocus(e, Edit(e, "Txt_DatEffetContrat")));
        // Only the amendment can be finished or dropped meanwhile.
        QTabWidget* tabs = child<QTabWidget>(e, "Ong_Contrat");
        for (int tab : {0, 2, 3, 4})
            EXPECT_FALSE(tabs->isTabEnabled(tab)) << tab;
        for (const char* name : {"Cmd_OK", "Cmd_Retour", "Cmd_AjoutAvenant", "Cmd_SupprAv", "Cmd_ImpAvenant"})
            EXPECT_FALSE(Button(e, name)->isEnabled()) << name;
        EXPECT_FALSE(Bdh(e)->isEnabled());
        // Nothing typed: cancelled without a question.
        ClickButton(e, "Cmd_AnnulerAvenant");
        EXPECT_EQ(Edit(e, "Txt_AvenantContrat")->text(), "01");
        EXPECT_TRUE(tabs->isTabEnabled(0));
        EXPECT_TRUE(Button(e, "Cmd_OK")->isEnabled());

        // Something typed: asked, "No" keeps the amendment open.
        Add(e, "01/06/2025");
        Edit(e, "Txt_DureeWContrat")->setText("25");
        scripted.messages.expect(QuestionQuitterCreation, ui::Icon::Exclamation, ui::Buttons::YesNo, ui::Answer::No);
        ClickButton(e, "Cmd_AnnulerAvenant");
        scripted.messages.verify();
        EXPECT_EQ(scripted.messages.beeps(), 1);
        EXPECT_TRUE(Button(e, "Cmd_OKAvenant")->isEnabled());
        scripted.messages.expect(QuestionQuitterCreation, ui::Icon::Exclamation, ui::Buttons::YesNo, ui::Answer::Yes);
        ClickButton(e, "Cmd_AnnulerAvenant");
        scripted.messages.verify();
        EXPECT_EQ(Edit(e, "Txt_DureeWContrat")->text(), "20,00");
        EXPECT_EQ(Edit(e, "Txt_AvenantContrat")->text(), "01");
        // Nothing changed: Retour closes without asking.
        ClickButton(e, "Cmd_Retour");
        EXPECT_FALSE(e.isVisible());
    });
    EXPECT_EQ(Stored().Item(), before);
}

TEST_F(CaracteristiquesTest, AValidatedAmendmentAddsOneValueToEveryAmendmentField) {
    const dba::Record before = Stored();
    OpenBrowser();
    OpenEditor([&](Frm_ElementsContrat& e) {
        SelectTab(e, Onglet::Caracteristiques);
        // Refused by Valider: not after the last amendment.
        Add(e, "01/01/2024");
        scripted.messages.expect(
            "La date d'effet de l'avenant doit être supérieure à la date du dernier avenant.", ui::Icon::Exclamation);
        ClickButton(e, "Cmd_OKAvenant");
        scripted.messages.verify();
        EXPECT_TRUE(Button(e, "Cmd_OKAvenant")->isEnabled());

        Edit(e, "Txt_DatEffetContrat")->setText("01/06/2025");
        Edit(e, "Txt_DureeWContrat")->setText("25");
        Edit(e, "Txt_Commentaire")->setText("Passage à 25 heures.");
        ClickButton(e, "Cmd_OKAvenant");
        EXPECT_EQ(Edit(e, "Txt_AvenantContrat")->text(), "02");
        EXPECT_EQ(Bdh(e)->maximum(), 2);
        EXPECT_EQ(Bdh(e)->value(), 2);
        EXPECT_EQ(e.State().amendmentDocumentKey.Item(1), "5000100102");
        ClickButton(e, "Cmd_OK");
        EXPECT_FALSE(e.isVisible());
    });
    const dba::Record after = Stored();
    for (int f : c::ChampsAvenant) {
        SCOPED_TRACE(f);
        EXPECT_EQ(after.DCount(f), 3);
        for (int v = 1; v <= before.DCount(f); ++v)
            EXPECT_EQ(after.Item(f, v), before.Item(f, v));
    }
    EXPECT_EQ(after.Item(14, 3), "02");
    EXPECT_EQ(after.Item(15, 3), Day("01/06/2025"));
    EXPECT_EQ(after.Item(24, 3), "2500");
    EXPECT_EQ(after.Item(23, 3), "12000"); // from the entry it was typed over
    EXPECT_EQ(after.Item(111, 3), "Passage à 25 heures.");
    for (int f = 1; f <= 160; ++f) {
        if (std::find(c::ChampsAvenant.begin(), c::ChampsAvenant.end(), f) == c::ChampsAvenant.end())
            EXPECT_EQ(after.Item(f), before.Item(f)) << f;
    }
}

TEST_F(CaracteristiquesTest, AnAmendmentOverTheWeeklyLimitIsAskedAndNoDropsIt) {
    // Another contract of the helper: 30 hours a week.
    lib.Put(CONTRAT, "50001002",
            {{1, "02"}, {2, "001"}, {3, "00200"}, {7, Day("01/01/2021")}, {24, "3000"}, {25, "1"}});
    struct Case {
        ui::Answer answer;
        int entries;
    } cases[] = {{ui::Answer::No, 2}, {ui::Answer::Yes, 3}};
    OpenBrowser();
    for (const Case& k : cases) {
        PutContract();
        OpenEditor([&](Frm_ElementsContrat& e) {
            SelectTab(e, Onglet::Caracteristiques);
            Add(e, "01/06/2025");
            Edit(e, "Txt_DureeWContrat")->setText("25");
            scripted.messages.expect(QuestionHeures, ui::Icon::Exclamation, ui::Buttons::YesNo, k.answer);
            ClickButton(e, "Cmd_OKAvenant");
            scripted.messages.verify();
            EXPECT_FALSE(Button(e, "Cmd_OKAvenant")->isEnabled());
            EXPECT_EQ(e.Globals().ContractRecord.DCount(14), k.entries);
            if (k.answer == ui::Answer::No) {
                EXPECT_EQ(Edit(e, "Txt_AvenantContrat")->text(), "01");
                ClickButton(e, "Cmd_Retour"); // nothing to save
            } else {
                ClickButton(e, "Cmd_OK");
            }
            EXPECT_FALSE(e.isVisible());
        });
        EXPECT_EQ(Stored().DCount(14), k.entries);
    }
}

TEST_F(CaracteristiquesTest, DeletingTheLastAmendmentIsRefusedAfterPayAndRemovesItsValuesOtherwise) {
    PutThreeEntries();
    const dba::Record before = Stored();
    OpenBrowser();
    // A payslip of 11/2026 was calculated after amendment "02" took effect.
    OpenEditor([&](Frm_ElementsContrat& e) {
        SelectTab(e, Onglet::Caracteristiques);
        scripted.messages.expect(
            "Suppression impossible de l'avenant car des traitements de paie ont été effectués sur celui-ci.",
            ui::Icon::Exclamation);
        ClickButton(e, "Cmd_SupprAv");
        scripted.messages.verify();
        EXPECT_EQ(Edit(e, "Txt_AvenantContrat")->text(), "02");
        ClickButton(e, "Cmd_Retour");
    });
    lib.db.OpenTable(data::tables::DETAILCALCUL).DeleteRecord("50001001202611");
    OpenEditor([&](Frm_ElementsContrat& e) {
        SelectTab(e, Onglet::Caracteristiques);
        scripted.messages.expect("Etes-vous sûr de vouloir supprimer cet avenant ?", ui::Icon::Exclamation,
                                 ui::Buttons::YesNo, ui::Answer::Yes);
        ClickButton(e, "Cmd_SupprAv");
        scripted.messages.verify();
        // The previous amendment is shown.
        EXPECT_EQ(Edit(e, "Txt_AvenantContrat")->text(), "01");
        EXPECT_EQ(Bdh(e)->maximum(), 1);
        ClickButton(e, "Cmd_OK");
        EXPECT_FALSE(e.isVisible());
    });
    const dba::Record after = Stored();
    for (int f : c::ChampsAvenant) {
        SCOPED_TRACE(f);
        EXPECT_EQ(after.DCount(f), std::min(before.DCount(f), 2));
        for (int v = 1; v <= after.DCount(f); ++v)
            EXPECT_EQ(after.Item(f, v), before.Item(f, v));
    }
}

} // namespace
