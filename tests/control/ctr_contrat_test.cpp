// The contract browser driven as a user drives it: real widgets offscreen,
// a real database, scripted message boxes.
#include "control/ctr_contrat.h"

#include "data/access_rights.h"
#include "data/contrat_fields.h"
#include "data/tables.h"
#include "support/install_scripted.h"
#include "support/library_fixture.h"
#include "support/qt_printers.h"

#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using data::tables::CIVILAIDANT;
using data::tables::CONTRAT;

class BrowserTest : public ::testing::Test {
protected:
    InstallScripted scripted;
    LibraryDatabase lib;
    QWidget hostForm;
    Ctr_Contrat* browser = nullptr;

    void SetUp() override {
        // Pay period 202611: "active" means not ended before 01/11/2026.
        lib.Put(CIVILAIDANT, "50001", {{2, "BERNARD"}, {3, "Alice"}, {31, "001"}});
        lib.Put(CIVILAIDANT, "50002", {{2, "ADAM"}, {3, "Zoé"}, {31, "001"}});
        lib.Put(CIVILAIDANT, "50003", {{2, "ADAM"}, {3, "Bruno"}, {31, "002"}});
        lib.Put(CIVILAIDANT, "50004", {{2, "CARON"}, {3, "Denis"}, {31, "001"}});
        Contract("50001001", "02", "00100", "01/03/2020", "", "I");           // open-ended: active
        Contract("50002001", "02", "00100", "15/06/2018", "31/12/2019", "D"); // ended long ago
        Contract("50003001", "02", "00100", "01/01/2021", "15/11/2026", "D"); // ends this period: active
        Contract("50004001", "02", "00100", "01/02/2019", "31/10/2026", "D"); // ended the day before
        Contract("50004002", "02", "00100", "01/01/2025", "", "I", "O");      // deleted
        Contract("50001002", "05", "00100", "01/01/2024", "", "I");           // another agreement
        Contract("50002002", "02", "00200", "01/01/2024", "", "I");           // another beneficiary
    }

    void Contract(const std::string& key, const std::string& agreement, const std::string& employer,
                  const char* start, const char* end, const std::string& type,
                  const std::string& deleted = "") {
        lib.Put(CONTRAT, key,
                {{1, agreement},
                 {2, "001"},
                 {3, employer},
                 {4, type},
                 {7, Day(start)},
                 {8, *end ? Day(end) : std::string()},
                 {65, deleted}});
    }

    void Open(const std::string& user = "plein", const QString& code = "00100") {
        browser = new Ctr_Contrat(&hostForm);
        browser->setTheDatabase(lib.db);
        browser->setTheClient(data::Client("test", "poste1"));
        browser->setW_Code(code);
        browser->setW_NomPrenom("DUPONT Marie");
        browser->setW_EtatSuppAidant(true);
        browser->setDroitsUtilisateur(std::make_shared<data::AccessRights>(lib.db, user));
        browser->Init();
    }

    template <class T> T* child(const char* name) {
        T* w = browser->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QListWidget* list(const char* name) { return child<QListWidget>(name); }
    QStringList lines(const char* name) {
        QStringList out;
        for (int i = 0; i < list(name)->count(); ++i)
            out << list(name)->item(i)->text();
        return out;
    }
    void Search(const char* validity = "Opt_Actif", const char* order = "Opt_TriAidant") {
        child<QRadioButton>(validity)->setChecked(true);
        child<QRadioButton>(order)->setChecked(true);
        QTest::mouseClick(child<QPushButton>("Cmd_Recherche"), Qt::LeftButton);
    }
    void BackToSearchMode() { QTest::mouseClick(child<QPushButton>("Cmd_OK"), Qt::LeftButton); }
};

TEST_F(BrowserTest, InitShowsTheBeneficiaryAndKeepsTheSettings) {
    lib.Put(data::tables::COMPTEUR, "999", {{18, "1"}, {45, ""}});
    Open();
    EXPECT_EQ(child<QLabel>("Etq_CodeAide")->text(), "00100");
    EXPECT_EQ(child<QLabel>("Etq_NomPrenomAide")->text(), "DUPONT Marie");
    EXPECT_EQ(browser->Globals().ContractManagementLevel, "0");
    EXPECT_TRUE(browser->Globals().PlanningCheck);
    EXPECT_TRUE(browser->Globals().EndDateEntryLocked);
    EXPECT_TRUE(browser->Globals().Handles.AllOpen());
    EXPECT_EQ(browser->Resultats().DCount(), 0);
    EXPECT_TRUE(browser->Resultats().Item().empty());
}

// Each search lists its contracts in list mode; OK goes back to search mode
// with the default criteria and empty lists.
TEST_F(BrowserTest, EachValidityAndOrderListsTheRightContractsThenOkStartsAgain) {
    Open();
    auto expectMode = [&](bool listMode) {
        EXPECT_EQ(child<QGroupBox>("Cdr_Validite")->isEnabled(), !listMode);
        EXPECT_EQ(child<QGroupBox>("Cdr_TriContrat")->isEnabled(), !listMode);
        EXPECT_EQ(child<QPushButton>("Cmd_Recherche")->isEnabled(), !listMode);
        EXPECT_EQ(child<QPushButton>("Cmd_OK")->isEnabled(), listMode);
        for (const char* name : {"Lst_DatDebContrat", "Lst_DatFinContrat", "Lst_AidantContrat", "Lst_Type"})
            EXPECT_EQ(list(name)->isEnabled(), listMode) << name;
    };
    expectMode(false);
    struct Case {
        const char* validity;
        const char* order;
        QStringList keys;
    } cases[] = {
        // Sorted by helper name then first name: ADAM Bruno, BERNARD Alice.
        {"Opt_Actif", "Opt_TriAidant", {"50003001", "50001001"}},
        {"Opt_Actif", "Opt_TriCroiss", {"50001001", "50003001"}},
        {"Opt_Actif", "Opt_TriDecroiss", {"50003001", "50001001"}},
        // Never a contract without end date; ended before 01/11/2026.
        {"Opt_Historique", "Opt_TriCroiss", {"50002001", "50004001"}},
        // Every "02" contract of the beneficiary but the deleted one.
        {"Opt_TousValid", "Opt_TriAidant", {"50003001", "50002001", "50001001", "50004001"}},
        {"Opt_TousValid", "Opt_TriDecroiss", {"50003001", "50001001", "50004001", "50002001"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.validity) + " " + c.order);
        Search(c.validity, c.order);
        EXPECT_EQ(lines("Lst_CodeContrat"), c.keys);
        expectMode(true);
        BackToSearchMode();
        expectMode(false);
        EXPECT_TRUE(child<QRadioButton>("Opt_Actif")->isChecked());
        EXPECT_TRUE(child<QRadioButton>("Opt_TriAidant")->isChecked());
        for (const char* name :
             {"Lst_CodeContrat", "Lst_DatDebContrat", "Lst_DatFinContrat", "Lst_AidantContrat", "Lst_Type"})
            EXPECT_EQ(list(name)->count(), 0) << name;
    }
}

TEST_F(BrowserTest, LinesShowDatesTypeAndHelperInStep) {
    Open();
    Search("Opt_TousValid", "Opt_TriCroiss");
    EXPECT_EQ(lines("Lst_CodeContrat"), QStringList({"50002001", "50004001", "50001001", "50003001"}));
    EXPECT_EQ(lines("Lst_DatDebContrat"),
              QStringList({"15/06/2018", "01/02/2019", "01/03/2020", "01/01/2021"}));
    // The open-ended contract has an empty end line.
    EXPECT_EQ(lines("Lst_DatFinContrat"), QStringList({"31/12/2019", "31/10/2026", "", "15/11/2026"}));
    EXPECT_EQ(lines("Lst_Type"), QStringList({"D", "D", "I", "D"}));
    EXPECT_EQ(lines("Lst_AidantContrat"),
              QStringList({"ADAM Zoé", "CARON Denis", "BERNARD Alice", "ADAM Bruno"}));

    // A click on any list brings the other four to the same line.
    for (const char* name : {"Lst_AidantContrat", "Lst_Type", "Lst_DatFinContrat", "Lst_DatDebContrat"}) {
        QListWidget* clicked = list(name);
        const int row = 3 - (std::string(name).size() % 3);
        QTest::mouseClick(clicked->viewport(), Qt::LeftButton, {},
                          clicked->visualItemRect(clicked->item(row)).center());
        for (const char* other :
             {"Lst_CodeContrat", "Lst_DatDebContrat", "Lst_DatFinContrat", "Lst_AidantContrat", "Lst_Type"})
            EXPECT_EQ(list(other)->currentRow(), row) << "click on " << name << ", line of " << other;
    }
}

TEST_F(BrowserTest, EmptyResultShowsTheMessageAndStaysInListMode) {
    Open("plein", "00999");
    scripted.messages.expect("Aucun contrat correspondant aux paramètres sélectionnés.",
                             ui::Icon::Information);
    Search("Opt_TousValid");
    EXPECT_EQ(list("Lst_CodeContrat")->count(), 0);
    EXPECT_TRUE(child<QPushButton>("Cmd_OK")->isEnabled());
    EXPECT_FALSE(child<QPushButton>("Cmd_Recherche")->isEnabled());
}

TEST_F(BrowserTest, UnauthorisedHelpersAreLeftOutAndClosingTheEditorSearchesAgainWithTheSameCriteria) {
    lib.PutUser("antenne", 2, {"002"});
    Open("antenne");
    std::string opened;
    std::string openingText;
    int linesWhileOpen = 0;
    browser->setEditorOpener([&](Ctr_Contrat& b) {
        opened = b.Globals().ContractRecord.key();
        openingText = b.Globals().OpeningRecordText;
        linesWhileOpen = list("Lst_CodeContrat")->count();
        // The editor deleted the contract meanwhile.
        lib.Put(CONTRAT, "50001001", {{1, "02"}, {2, "001"}, {3, "00100"}, {65, "O"}});
    });
    const std::string stored = lib.db.OpenTable(CONTRAT).ReadRecord("50001001").Item();
    // The rights are read again at each search.
    lib.PutUser("antenne", 2, {"001"});
    Search("Opt_TousValid", "Opt_TriCroiss");
    // Only the helpers of entity 001 remain: 50003 (entity 002) is left out.
    ASSERT_EQ(lines("Lst_CodeContrat"), QStringList({"50002001", "50004001", "50001001"}));

    QListWidget* helpers = list("Lst_AidantContrat");
    const QPoint at = helpers->visualItemRect(helpers->item(2)).center();
    QTest::mouseClick(helpers->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(helpers->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(opened, "50001001");
    EXPECT_EQ(openingText, stored);
    EXPECT_EQ(linesWhileOpen, 3);
    // Searched again on closing, with every contract, oldest first.
    EXPECT_EQ(lines("Lst_CodeContrat"), QStringList({"50002001", "50004001"}));
}

TEST_F(BrowserTest, ScrollBarAppearsFromSixteenLines) {
    for (int i = 0; i < 16; ++i) {
        const std::string key = "6" + QString::number(i).rightJustified(4, '0').toStdString() + "001";
        lib.Put(CIVILAIDANT, key.substr(0, 5), {{2, "HELP" + std::to_string(i)}, {3, "X"}, {31, "001"}});
        Contract(key, "02", "00300", "01/01/2022", "", "I");
    }
    // Fifteen lines: no scroll bar.
    lib.db.OpenTable(CONTRAT).DeleteRecord("60015001");
    Open("plein", "00300");
    Search();
    auto* bar = child<QScrollBar>("Bdv_Detail");
    EXPECT_EQ(list("Lst_CodeContrat")->count(), 15);
    EXPECT_FALSE(bar->isVisibleTo(browser));

    BackToSearchMode();
    Contract("60015001", "02", "00300", "01/01/2022", "", "I");
    Search();
    EXPECT_EQ(list("Lst_CodeContrat")->count(), 16);
    EXPECT_TRUE(bar->isVisibleTo(browser));
    EXPECT_EQ(bar->maximum(), 15);
    // Moving the bar selects that line in every list.
    bar->setValue(12);
    EXPECT_EQ(list("Lst_AidantContrat")->currentRow(), 12);
    EXPECT_EQ(list("Lst_CodeContrat")->currentRow(), 12);
}

TEST_F(BrowserTest, MissingHelperIsListedWithAVisibleMarker) {
    lib.db.OpenTable(CIVILAIDANT).DeleteRecord("50003");
    Open();
    Search("Opt_Actif", "Opt_TriCroiss");
    EXPECT_EQ(lines("Lst_CodeContrat"), QStringList({"50001001", "50003001"}));
    EXPECT_EQ(lines("Lst_AidantContrat"), QStringList({"BERNARD Alice", "(aidant 50003 introuvable)"}));

    // A user limited to another entity than the contract's does not see it.
    BackToSearchMode();
    lib.PutUser("plein", 2, {"002"});
    Search("Opt_Actif", "Opt_TriCroiss");
    EXPECT_TRUE(lines("Lst_CodeContrat").isEmpty());
}

TEST_F(BrowserTest, InitFailsWithoutRightsOrSettings) {
    Ctr_Contrat noRights(&hostForm);
    noRights.setTheDatabase(lib.db);
    EXPECT_THROW(noRights.Init(), Ctr_ContratError);

    lib.db.OpenTable(data::tables::COMPTEUR).DeleteRecord("999");
    Ctr_Contrat noSettings(&hostForm);
    noSettings.setTheDatabase(lib.db);
    noSettings.setDroitsUtilisateur(std::make_shared<data::AccessRights>(lib.db, "plein"));
    try {
        noSettings.Init();
        ADD_FAILURE() << "Init without settings record succeeded";
    } catch (const dba::RecordNotFound& error) {
        EXPECT_EQ(error.number(), 0x8004000Bu);
    }
    EXPECT_FALSE(noSettings.Globals().Handles.AllOpen());
}

TEST_F(BrowserTest, RetourClosesTheHostFormAndForgetsTheCombos) {
    Open();
    hostForm.show();
    browser->Globals().CombosFilled = true;
    QTest::mouseClick(child<QPushButton>("Cmd_Retour"), Qt::LeftButton);
    EXPECT_TRUE(browser->W_Sortir());
    EXPECT_FALSE(browser->Globals().CombosFilled);
    EXPECT_FALSE(hostForm.isVisible());
}

} // namespace
