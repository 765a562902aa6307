// The editor opened from the browser as a user opens it: real widgets
// offscreen, a real database, scripted message boxes and modal runner.
#include "editor_fixture.h"

#include "data/tables.h"
#include "editor/level_lock.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

namespace {

using data::tables::ASSOCIATION;
using data::tables::CONTRAT;
using data::tables::DETAILCALCUL;
using editor::Onglet;

TEST_F(EditorTest, DoubleClickShowsTheContractAndTheListIsSearchedAgain) {
    OpenBrowser();
    ASSERT_EQ(ListedKeys(), QStringList({"50001001"}));
    bool shown = false;
    OpenEditor([&](Frm_ElementsContrat& editor) {
        shown = true;
        EXPECT_EQ(editor.windowTitle(), "Eléments du contrat de travail");
        EXPECT_EQ(child<QLabel>(editor, "Etq_Aidant")->text(), "Aidant : 50001 MARTIN Jeanne");
        EXPECT_EQ(editor.Etq_CodeAidant(), "50001");
        EXPECT_EQ(editor.Etq_NomPrenomAidant(), "MARTIN Jeanne");
        EXPECT_EQ(child<QTabWidget>(editor, "Ong_Contrat")->currentIndex(), 0);
        EXPECT_FALSE(browser->Globals().EditorLoading);
        EXPECT_TRUE(browser->isEnabled());
        // Tab "Origine" shows the stored identity.
        EXPECT_EQ(child<QLineEdit>(editor, "Txt_NumContrat")->text(), "001");
        EXPECT_EQ(child<QLineEdit>(editor, "Txt_ConvColContrat")->text(), "02");
        EXPECT_EQ(child<QComboBox>(editor, "Cbo_LibConvColContrat")->currentText(), "Particulier employeur");
        EXPECT_EQ(child<QComboBox>(editor, "Cbo_LibAssocContrat")->currentText(), "Aide à domicile du Val");
        EXPECT_EQ(child<QLineEdit>(editor, "Txt_EmplEtabContrat")->text(), "00100");
        EXPECT_EQ(child<QComboBox>(editor, "Cbo_LibEmplEtabContrat")->currentText(), "DUPONT Marie");
        EXPECT_TRUE(child<QRadioButton>(editor, "Opt_Indetermine")->isChecked());
        EXPECT_TRUE(child<QRadioButton>(editor, "Opt_Mensuel")->isChecked());
        EXPECT_TRUE(child<QRadioButton>(editor, "Opt_Production")->isChecked());
        EXPECT_EQ(child<QLineEdit>(editor, "Txt_DatDebContrat")->text(), "01/03/2020");
        EXPECT_EQ(child<QComboBox>(editor, "Cbo_NatureContrat")->currentText(), "Remplacement");
        EXPECT_TRUE(child<QCheckBox>(editor, "Cac_RenouvEssaiContrat")->isChecked());
        // A payslip exists: the start date is fixed; so are agreement and employer.
        EXPECT_FALSE(child<QLineEdit>(editor, "Txt_DatDebContrat")->isEnabled());
        EXPECT_FALSE(child<QLineEdit>(editor, "Txt_ConvColContrat")->isEnabled());
        EXPECT_FALSE(child<QComboBox>(editor, "Cbo_LibEmplEtabContrat")->isEnabled());
        // Meanwhile the contract is deleted elsewhere.
        dba::Record r = lib.db.OpenTable(CONTRAT).ReadRecord("50001001");
        r.SetItem(65, "O");
        r.DBWrite();
        // The search that follows the editor finds nothing left.
        scripted.messages.expect("Aucun contrat correspondant aux paramètres sélectionnés.",
                                 ui::Icon::Information);
    });
    EXPECT_TRUE(shown);
    EXPECT_TRUE(ListedKeys().isEmpty());
    ASSERT_NE(browser->EditorForm(), nullptr);
    EXPECT_FALSE(browser->EditorForm()->isVisible());
}

TEST_F(EditorTest, TheEditorIsKeptBetweenContractsAndUnloadedByTheBrowsersRetour) {
    OpenBrowser();
    QDialog* first = nullptr;
    OpenEditor([&](Frm_ElementsContrat& editor) { first = &editor; });
    OpenEditor([&](Frm_ElementsContrat& editor) {
        EXPECT_EQ(&editor, first);
        // A new contract starts with fresh state: only tabs 1 and 5 shown.
        EXPECT_EQ(editor.State().displays, (std::array<int, 5>{1, 0, 0, 0, 1}));
    });
    EXPECT_TRUE(browser->Globals().CombosFilled);
    QTest::mouseClick(child<QPushButton>(*browser, "Cmd_Retour"), Qt::LeftButton);
    EXPECT_EQ(browser->EditorForm(), nullptr);
    EXPECT_FALSE(browser->Globals().CombosFilled);
}

TEST_F(EditorTest, TabsAreDisplayedOnFirstSelectionOnly) {
    OpenBrowser();
    OpenEditor([&](Frm_ElementsContrat& editor) {
        const editor::EditorState& s = editor.State();
        // Tabs 1 and 5 at once; the others wait for their first selection.
        EXPECT_EQ(s.displays, (std::array<int, 5>{1, 0, 0, 0, 1}));
        EXPECT_EQ(s.tabLoaded, (std::array<bool, 5>{false, false, false, false, true}));

        SelectTab(editor, Onglet::Caracteristiques);
        SelectTab(editor, Onglet::Origine);
        SelectTab(editor, Onglet::Caracteristiques);
        EXPECT_EQ(s.displays, (std::array<int, 5>{1, 1, 0, 0, 1}));
        EXPECT_EQ(s.tabLoaded, (std::array<bool, 5>{false, true, false, false, true}));
        // The amendment shown is the latest one.
        EXPECT_EQ(child<QLineEdit>(editor, "Txt_AvenantContrat")->text(), "01");
        EXPECT_EQ(child<QLineEdit>(editor, "Txt_DatEffetContrat")->text(), "01/01/2024");

        SelectTab(editor, Onglet::DroitsConges);
        EXPECT_EQ(s.displays, (std::array<int, 5>{1, 1, 0, 1, 1}));
        EXPECT_EQ(child<QLabel>(editor, "Etq_JOAcquis")->text(), "Jours ouvrés acquis");
        EXPECT_EQ(child<QLabel>(editor, "Etq_CARestants")->text(), "Jours ouvrables restants");
        EXPECT_EQ(child<QLabel>(editor, "Etq_PeriodeConges")->text(), "novembre 2026");
        // Nothing is checked or written by selecting tabs.
        EXPECT_EQ(s.checks, (std::array<int, 5>{}));
        EXPECT_EQ(s.writes, (std::array<int, 5>{}));
    });
}

TEST_F(EditorTest, TheEndTabShowsThePayTabWithoutMarkingItLoaded) {
    OpenBrowser();
    OpenEditor([&](Frm_ElementsContrat& editor) {
        const editor::EditorState& s = editor.State();
        SelectTab(editor, Onglet::FinContrat);
        EXPECT_EQ(child<QTabWidget>(editor, "Ong_Contrat")->currentIndex(), Onglet::FinContrat);
        EXPECT_EQ(s.displays[Onglet::ElementsPaie], 1);
        EXPECT_FALSE(s.tabLoaded[Onglet::ElementsPaie]);
        EXPECT_TRUE(child<QCheckBox>(editor, "Cac_ProvCP")->isChecked());
        // The pay tab itself is then displayed again and becomes one to save.
        SelectTab(editor, Onglet::ElementsPaie);
        EXPECT_EQ(s.displays[Onglet::ElementsPaie], 2);
        EXPECT_TRUE(s.tabLoaded[Onglet::ElementsPaie]);
        SelectTab(editor, Onglet::FinContrat);
        EXPECT_EQ(s.displays[Onglet::ElementsPaie], 2);
        EXPECT_EQ(s.displays[Onglet::FinContrat], 1);
    });
}

TEST_F(EditorTest, AnUninvoicedLastMonthKeepsTheEndTabClosed) {
    // Calculated but not invoiced, and the employer was last invoiced before.
    lib.Put(DETAILCALCUL, "50001001202611", {{1, "P"}});
    lib.Put(data::tables::CIVILAIDE, "00100", {{2, "DUPONT"}, {3, "Marie"}, {16, "202610"}});
    OpenBrowser();
    OpenEditor([&](Frm_ElementsContrat& editor) {
        SelectTab(editor, Onglet::DroitsConges);
        scripted.messages.expect(
            "Vous ne pouvez pas accéder à l'onglet fin de contrat tant que vous n'avez pas "
            "fait la facture du mois de novembre 2026",
            ui::Icon::Exclamation);
        SelectTab(editor, Onglet::FinContrat);
        scripted.messages.verify();
        EXPECT_EQ(child<QTabWidget>(editor, "Ong_Contrat")->currentIndex(), Onglet::DroitsConges);
    });
}

TEST_F(EditorTest, TheInvoicingGuardLetsThroughWhatIsInvoicedOrNotConcerned) {
    struct Case {
        const char* what;
        std::initializer_list<std::pair<int, std::string>> contract;
        const char* calculation;
    } cases[] = {
        {"already invoiced", {}, "F"},
        {"leave paid monthly: no provision", {{31, "1"}}, "P"},
        {"salary not paid by the association", {{28, "0"}}, "P"},
        {"no pay period yet", {{81, ""}}, "P"},
    };
    lib.Put(data::tables::CIVILAIDE, "00100", {{2, "DUPONT"}, {3, "Marie"}, {16, "202610"}});
    OpenBrowser();
    for (const Case& c : cases) {
        PutContract(c.contract);
        lib.Put(DETAILCALCUL, "50001001202611", {{1, c.calculation}});
        OpenEditor([&](Frm_ElementsContrat& editor) {
            SelectTab(editor, Onglet::FinContrat);
            EXPECT_EQ(child<QTabWidget>(editor, "Ong_Contrat")->currentIndex(), Onglet::FinContrat) << c.what;
        });
    }
}

TEST_F(EditorTest, TheCloseBoxAndEscapeNeverCloseTheEditor) {
    OpenBrowser();
    OpenEditor([&](Frm_ElementsContrat& editor) {
        editor.close();
        EXPECT_TRUE(editor.isVisible());
        QTest::keyClick(&editor, Qt::Key_Escape);
        EXPECT_TRUE(editor.isVisible());
        ClickButton(editor, "Cmd_Retour");
        EXPECT_FALSE(editor.isVisible());
    });
}

TEST_F(EditorTest, ContractManagementLevelLocksInputsWhenItIsThreeOrMoreAsText) {
    OpenBrowser();
    const char* sample[] = {"Txt_PerEssaiContrat", "Cbo_NatureContrat",  "Cdr_Type",
                            "Cdr_Lissage",         "Cbo_ModPaieContrat", "Txt_CPConsoAcqContrat",
                            "Txt_ObsFinContrat_1", "Cdr_Preavis"};
    struct Case {
        QString level;
        bool locked;
    } cases[] = {{"3", true},  {"4", true},  {"A", true},  {"0", false},
                 {"1", false}, {"2", false}, {"10", false}};
    for (const Case& c : cases) {
        // A fresh editor: a lock stays for the life of the loaded editor.
        QTest::mouseClick(child<QPushButton>(*browser, "Cmd_Retour"), Qt::LeftButton);
        browser->Globals().ContractManagementLevel = c.level;
        OpenEditor([&](Frm_ElementsContrat& editor) {
            for (const char* name : sample)
                EXPECT_EQ(child<QWidget>(editor, name)->isEnabled(), !c.locked)
                    << c.level.toStdString() << " " << name;
            EXPECT_FALSE(child<QPushButton>(editor, "Cmd_OK")->isHidden());
            EXPECT_TRUE(child<QPushButton>(editor, "Cmd_Retour")->isEnabled());
            // A screen registered later does not lift the lock.
            editor.SetEcranLateral("Cmd_QualifPro", [] {});
            EXPECT_EQ(child<QPushButton>(editor, "Cmd_QualifPro")->isEnabled(), !c.locked) << c.level.toStdString();
        });
    }
}

TEST_F(EditorTest, ReadOnlyUsersLoseTheFiveWritingButtons) {
    for (const std::string user : {"lecture", "plein"}) {
        OpenBrowser(user);
        OpenEditor([&](Frm_ElementsContrat& editor) {
            for (std::string_view name : editor::BoutonsEcriture)
                EXPECT_EQ(child<QPushButton>(editor, name.data())->isHidden(), user == "lecture")
                    << user << name;
            EXPECT_FALSE(child<QPushButton>(editor, "Cmd_Retour")->isHidden());
        });
        delete browser;
    }
}

TEST_F(EditorTest, TelemanagementButtonFollowsTheEntitySystem) {
    struct Case {
        const char* system;
        bool shown;
    } cases[] = {{"ZORVELIA", true}, {"06", true}, {"6", false}, {"zorvelia", false}, {"", false}};
    OpenBrowser();
    for (const Case& c : cases) {
        lib.Put(ASSOCIATION, "001", {{1, "Aide à domicile du Val"}, {38, c.system}});
        OpenEditor([&](Frm_ElementsContrat& editor) {
            QPushButton* button = child<QPushButton>(editor, "Cmd_Telegestion");
            EXPECT_EQ(button->isHidden(), !c.shown) << c.system;
            EXPECT_EQ(button->isEnabled(), c.shown) << c.system;
        });
    }
}

TEST_F(EditorTest, RightClickOnTheFormOrItsFramesOpensTheHelpMenu) {
    OpenBrowser();
    OpenEditor([&](Frm_ElementsContrat& editor) {
        QMenu* menu = editor.Mnu_Aide();
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(menu->title(), "Aide");
        ASSERT_EQ(menu->actions().size(), 1);
        EXPECT_EQ(menu->actions().first()->text(), "Aide ARBELDONE");
        EXPECT_EQ(menu->actions().first()->objectName(), "Mnu_Sommaire");
        for (const char* name : {"Cdr_Type", "Cdr_Salaire", "Ong_Contrat"}) {
            QTest::mouseClick(child<QWidget>(editor, name), Qt::RightButton, {}, QPoint(5, 5));
            EXPECT_TRUE(menu->isVisible()) << name;
            menu->hide();
        }
        QTest::mouseClick(child<QWidget>(editor, "Cdr_Type"), Qt::LeftButton, {}, QPoint(5, 5));
        EXPECT_FALSE(menu->isVisible());
    });
}

TEST_F(EditorTest, SideScreenButtonsFollowTheirScreenTheRulesAndTheLevel) {
    OpenBrowser();
    OpenEditor([&](Frm_ElementsContrat& editor) {
        // Every screen is there; the fixed-term reason of an open-ended
        // contract is not offered.
        for (const char* name : {"Cmd_RubSaisie", "Cmd_SuiviAnnuel", "Cmd_Comment", "Cmd_Conges", "Cmd_DetailEmpl",
                                 "Cmd_QualifPro", "Cmd_TpsIndem"})
            EXPECT_TRUE(child<QPushButton>(editor, name)->isEnabled()) << name;
        EXPECT_FALSE(child<QPushButton>(editor, "Cmd_MotifCDD")->isEnabled());
        EXPECT_TRUE(child<QPushButton>(editor, "Cmd_ImpContrat")->isEnabled());
        int opened = 0;
        editor.SetEcranLateral("Cmd_Comment", [&] { opened = 10; });
        editor.SetEcranLateral("Cmd_Comment", [&] { ++opened; });
        ClickButton(editor, "Cmd_Comment");
        EXPECT_EQ(opened, 1);
        // A screen does not lift what the editor's rules decided: the
        // fixed-term reason of an open-ended contract stays disabled.
        editor.SetEcranLateral("Cmd_MotifCDD", [] {});
        EXPECT_FALSE(child<QPushButton>(editor, "Cmd_MotifCDD")->isEnabled());
        child<QRadioButton>(editor, "Opt_Determine")->click();
        EXPECT_TRUE(child<QPushButton>(editor, "Cmd_MotifCDD")->isEnabled());
        child<QRadioButton>(editor, "Opt_Indetermine")->click();
        EXPECT_FALSE(child<QPushButton>(editor, "Cmd_MotifCDD")->isEnabled());
    });
}

TEST_F(EditorTest, ViderDonneesResetsTheControls) {
    OpenBrowser();
    OpenEditor([&](Frm_ElementsContrat& editor) {
        SelectTab(editor, Onglet::Caracteristiques);
        child<QLineEdit>(editor, "Txt_CmpltMotif")->setText("x");
        child<QLineEdit>(editor, "Txt_TauxHorContrat")->setText("12,5");
        child<QCheckBox>(editor, "Cac_Lissage")->setChecked(true);
        child<QRadioButton>(editor, "Opt_Administratif")->setChecked(true);
        child<QRadioButton>(editor, "Opt_Determine")->setChecked(true);
        child<QComboBox>(editor, "Cbo_FoncPCSContrat")->addItem("Aide à domicile");
        child<QListWidget>(editor, "Lst_ActiviteContrat")->addItem("Ménage");
        editor.Vider_Donnees();
        EXPECT_TRUE(child<QLineEdit>(editor, "Txt_CmpltMotif")->text().isEmpty());
        EXPECT_TRUE(child<QLineEdit>(editor, "Txt_NumContrat")->text().isEmpty());
        EXPECT_TRUE(child<QLineEdit>(editor, "Txt_TauxHorContrat")->text().isEmpty());
        EXPECT_FALSE(child<QCheckBox>(editor, "Cac_Lissage")->isChecked());
        EXPECT_FALSE(child<QCheckBox>(editor, "Cac_RenouvEssaiContrat")->isChecked());
        EXPECT_FALSE(child<QRadioButton>(editor, "Opt_Determine")->isChecked());
        EXPECT_FALSE(child<QRadioButton>(editor, "Opt_Indetermine")->isChecked());
        EXPECT_TRUE(child<QRadioButton>(editor, "Opt_Horaire")->isChecked());
        EXPECT_TRUE(child<QRadioButton>(editor, "Opt_Production")->isChecked());
        EXPECT_FALSE(child<QLineEdit>(editor, "Txt_DepartGrilContrat")->isEnabled());
        EXPECT_TRUE(child<QLineEdit>(editor, "Txt_CoefNivContrat")->isEnabled());
        EXPECT_EQ(child<QComboBox>(editor, "Cbo_FoncPCSContrat")->count(), 0);
        EXPECT_EQ(child<QListWidget>(editor, "Lst_ActiviteContrat")->count(), 0);
        EXPECT_TRUE(child<QComboBox>(editor, "Cbo_LibEmplEtabContrat")->currentText().isEmpty());
        EXPECT_TRUE(child<QComboBox>(editor, "Cbo_NatureContrat")->currentText().isEmpty());
        EXPECT_EQ(child<QComboBox>(editor, "Cbo_ModPaieContrat")->currentIndex(), -1);
        EXPECT_TRUE(child<QPushButton>(editor, "Cmd_SupprimerContrat")->isHidden());
        EXPECT_EQ(child<QLabel>(editor, "Etq_Aidant")->text(), "Aidant : 50001 MARTIN Jeanne");
        // Emptied boxes are changes: leaving asks, and "Non" keeps the stored contract.
        scripted.messages.expect("Voulez-vous enregistrer les modifications apportées à cet article ?",
                                 ui::Icon::Question, ui::Buttons::YesNoCancel, ui::Answer::No);
    });
}

TEST_F(EditorTest, EveryControlTheRightsNameExistsInTheForm) {
    OpenBrowser();
    Frm_ElementsContrat editor(browser->Globals());
    for (std::string_view name : editor::ControlesVerrouilles)
        EXPECT_NE(editor.findChild<QWidget*>(QString::fromLatin1(name.data(), int(name.size()))), nullptr)
            << name;
    for (std::string_view name : editor::BoutonsEcriture)
        EXPECT_NE(editor.findChild<QPushButton*>(QString::fromLatin1(name.data(), int(name.size()))), nullptr)
            << name;
    EXPECT_EQ(editor.findChildren<QLabel*>(QRegularExpression("^Etq_Conges_[0-3]$")).size(), 4);
}

} // namespace
