// The pay-entry items screen, opened as the contract editor opens it, on a
// real database: what it shows, what it computes and refuses, and what it
// writes back into the contract record.
#include "data/access_rights.h"
#include "data/procedures.h"
#include "data/tables.h"
#include "dba/dynarray.h"
#include "editor/frm_elements_contrat.h"
#include "screens/rub_saisie/frm_rub_saisie.h"
#include "screens/rub_saisie/ouvrir_rub_saisie.h"
#include "support/install_scripted.h"
#include "support/library_fixture.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include "support/form_probe.h"

#include <gtest/gtest.h>

using namespace data::tables;

namespace {

using probe::child;
using probe::Click;
using probe::Rows;
using probe::Screenshot;

const QString ItemMissing = "Cette rubrique de saisie n'existe pas.";
const QString SaveQuestion = "Voulez-vous enregistrer les modifications apportées à cet article ?";
const QString DeleteQuestion = "Etes-vous sûr de vouloir supprimer cette ligne ?";
const QString LeaveCreation = "Etes-vous sûr de vouloir quitter cette création ?";

class RubSaisieTest : public ::testing::Test {
protected:
    InstallScripted scripted;
    LibraryDatabase lib;
    data::GlobalState g;
    QWidget editor; // stands for the contract editor
    std::vector<screens::ActiviteContrat> activities = {{"00101", "Aide à domicile"},
                                                        {"00102", "Garde de nuit"}};

    void SetUp() override {
        // base mode, percentage, rate mode, fixed rate, amount mode, fixed amount, withdrawn
        PutItem("010", "Heures complémentaires", "0", "", "0", "", "2", "");
        PutItem("020", "Heures majorées dimanche", "1", "125", "0", "", "2", "");
        PutItem("030", "Indemnité kilométrique", "0", "", "1", "3500", "2", "");
        PutItem("040", "Prime exceptionnelle", "2", "", "2", "", "0", "");
        PutItem("050", "Indemnité de repas", "3", "", "3", "", "1", "550");
        PutItem("007", "Astreinte", "0", "", "0", "", "0", "");
        PutItem("070", "Acompte sur salaire", "3", "", "2", "", "0", "", "1");
        lib.Put(ACTIVITES, "00101", {{1, "Aide à domicile"}, {12, "P"}});
        lib.Put(ACTIVITES, "00102", {{1, "Garde de nuit"}, {12, "P"}});
        PutContract({{"010", "15167", "96100", "145755", "00101"},
                     {"030", "24000", "3500", "8400", "00102"},
                     {"040", "0", "0", "15000", "00101"}});
        g.TheDatabase = lib.db;
        data::Ouvrir_Tables(g);
        g.SetDecimalSeparator(",");
        ReadContract();
    }

    void PutItem(const char* code, const char* label, const char* baseMode, const char* percentage,
                 const char* rateMode, const char* fixedRate, const char* amountMode, const char* fixedAmount,
                 const char* withdrawn = "0") {
        lib.Put(RUBSAISIE, code,
                {{1, label},
                 {6, baseMode},
                 {7, percentage},
                 {8, rateMode},
                 {9, fixedRate},
                 {10, amountMode},
                 {11, fixedAmount},
                 {18, withdrawn}});
    }
    struct Stored {
        std::string code, base, rate, amount, activity;
    };
    void PutContract(const std::vector<Stored>& items) {
        std::vector<std::string> f[5];
        for (const Stored& s : items)
            for (auto [i, v] :
                 {std::pair{0, s.code}, {1, s.base}, {2, s.rate}, {3, s.amount}, {4, s.activity}})
                f[i].push_back(v);
        lib.Put(CONTRAT, "50001001",
                {{1, "02"},
                 {6, "P"},
                 {36, Values({"00101", "00102"})},
                 {89, dba::Join(f[0], dba::VM)},
                 {90, dba::Join(f[1], dba::VM)},
                 {91, dba::Join(f[2], dba::VM)},
                 {92, dba::Join(f[3], dba::VM)},
                 {93, dba::Join(f[4], dba::VM)},
                 {148, "fin"}});
    }
    void ReadContract() { g.ContractRecord = g.Handles.Contrat.ReadRecord("50001001"); }

    // Opens the screen as the editor does; `whileOpen` must close it.
    bool Open(const std::function<void(Frm_RubSaisie&)>& whileOpen, bool administrative = false,
              const std::string& user = "plein") {
        scripted.modal.onNext("Frm_RubSaisie",
                              [&](QDialog& dialog) { whileOpen(dynamic_cast<Frm_RubSaisie&>(dialog)); });
        return screens::OuvrirRubSaisie(g, std::make_shared<data::AccessRights>(lib.db, user), "50001",
                                        "MARTIN Jeanne", administrative, activities, &editor);
    }

    // Types into a box as the user does, then leaves it with Tab.
    static void Type(QWidget& form, const char* box, const QString& text) {
        auto* edit = child<QLineEdit>(form, box);
        edit->setFocus(Qt::TabFocusReason);
        edit->selectAll();
        QTest::keyClicks(edit, text);
        child<QWidget>(form, "Cmd_Annuler")->setFocus(Qt::TabFocusReason);
    }
    static QString Text(QWidget& form, const char* box) { return child<QLineEdit>(form, box)->text(); }
    static void DoubleClickRow(QWidget& form, const char* list, int row) {
        auto* l = child<QListWidget>(form, list);
        const QRect rect = l->visualItemRect(l->item(row));
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, rect.center());
        QTest::mouseDClick(l->viewport(), Qt::LeftButton, {}, rect.center());
    }
};

TEST_F(RubSaisieTest, ShowsTheItemsAndGivesThemBackUnchanged) {
    const std::string before = g.ContractRecord.Item();
    const bool changed = Open([&](Frm_RubSaisie& f) {
        EXPECT_EQ(f.windowTitle(), "Rubriques de saisie");
        EXPECT_EQ(child<QLabel>(f, "Etq_Aidant")->text(),
                  "Aidant : 50001 MARTIN Jeanne - contrat n° 001 (Production)");
        EXPECT_EQ(Rows(f, "Lst_Code"), QStringList({"010", "030", "040"}));
        EXPECT_EQ(Rows(f, "Lst_LibRub"),
                  QStringList({"Heures complémentaires", "Indemnité kilométrique", "Prime exceptionnelle"}));
        EXPECT_EQ(Rows(f, "Lst_Base"), QStringList({"   151,67", "   240,00", "     0,00"}));
        EXPECT_EQ(Rows(f, "Lst_Taux"), QStringList({"  9,6100", "  0,3500", "  0,0000"}));
        EXPECT_EQ(Rows(f, "Lst_Montant"), QStringList({"  1457,55", "    84,00", "   150,00"}));
        EXPECT_EQ(Rows(f, "Lst_Activite"),
                  QStringList({"Aide à domicile", "Garde de nuit", "Aide à domicile"}));
        EXPECT_EQ(Rows(f, "Lst_CodeActSelect"), QStringList({"00101", "00102", "00101"}));
        EXPECT_FALSE(child<QScrollBar>(f, "Bdv_Detail")->isVisible());
        EXPECT_FALSE(child<QLineEdit>(f, "Txt_Code")->isEnabled());
        // The withdrawn item is not offered.
        auto* labels = child<QComboBox>(f, "Cbo_LibRub");
        EXPECT_EQ(labels->count(), 6);
        EXPECT_EQ(labels->findText("Acompte sur salaire"), -1);
        Screenshot(f, "rub_saisie_trois_rubriques.png");
        Click(f, "Cmd_Retour"); // nothing changed: no question
    });
    EXPECT_FALSE(changed);
    EXPECT_EQ(g.ContractRecord.Item(), before);
    EXPECT_TRUE(scripted.messages.shown().empty());
    EXPECT_EQ(scripted.messages.beeps(), 0);
}

TEST_F(RubSaisieTest, NewItemAmountIsBaseTimesRateAndReadsBackAfterSaving) {
    scripted.messages.expect(SaveQuestion, ui::Icon::Exclamation, ui::Buttons::YesNoCancel, ui::Answer::Yes);
    const bool changed = Open([&](Frm_RubSaisie& f) {
        Click(f, "Cmd_Ajouter");
        EXPECT_FALSE(child<QPushButton>(f, "Cmd_Retour")->isEnabled());
        EXPECT_FALSE(child<QListWidget>(f, "Lst_Code")->isEnabled());
        QTest::keyClicks(child<QLineEdit>(f, "Txt_Code"), "010");
        EXPECT_EQ(child<QComboBox>(f, "Cbo_LibRub")->currentText(), "Heures complémentaires");
        EXPECT_TRUE(child<QLineEdit>(f, "Txt_Base")->hasFocus());
        EXPECT_FALSE(child<QLineEdit>(f, "Txt_Montant")->isEnabled());
        Type(f, "Txt_Base", "151.67x");
        EXPECT_EQ(Text(f, "Txt_Base"), "151,67");
        Type(f, "Txt_Taux", "-9,61");
        EXPECT_EQ(Text(f, "Txt_Taux"), "9,6100"); // the rate has no sign
        child<QComboBox>(f, "Cbo_Activite")->setCurrentIndex(1);
        Screenshot(f, "rub_saisie_saisie_en_cours.png");
        Click(f, "Cmd_OK");
        EXPECT_EQ(Rows(f, "Lst_Montant").value(3), "  1457,55");
        EXPECT_EQ(Rows(f, "Lst_Activite").value(3), "Garde de nuit");
        EXPECT_TRUE(Text(f, "Txt_Code").isEmpty());
        EXPECT_TRUE(child<QPushButton>(f, "Cmd_Retour")->isEnabled());
        Click(f, "Cmd_Retour");
    });
    EXPECT_TRUE(changed);
    EXPECT_EQ(scripted.messages.beeps(), 1);
    EXPECT_EQ(g.ContractRecord.Item(89, 4), "010");
    EXPECT_EQ(g.ContractRecord.Item(90, 4), "15167");
    EXPECT_EQ(g.ContractRecord.Item(91, 4), "96100");
    EXPECT_EQ(g.ContractRecord.Item(92, 4), "145755");
    EXPECT_EQ(g.ContractRecord.Item(93, 4), "00102");
    EXPECT_EQ(g.ContractRecord.Item(148), "fin");

    // Saved, read again and shown again: the same figures.
    g.ContractRecord.DBWrite();
    ReadContract();
    const std::string saved = g.ContractRecord.Item();
    Open([&](Frm_RubSaisie& f) {
        EXPECT_EQ(Rows(f, "Lst_Base").value(3), "   151,67");
        EXPECT_EQ(Rows(f, "Lst_Taux").value(3), "  9,6100");
        EXPECT_EQ(Rows(f, "Lst_Montant").value(3), "  1457,55");
        Click(f, "Cmd_OK"); // nothing being entered: writes back and closes
    });
    EXPECT_EQ(g.ContractRecord.Item(), saved);
}

TEST_F(RubSaisieTest, CodeEntryCompletesLooksUpAndRefuses) {
    Open([&](Frm_RubSaisie& f) {
        Click(f, "Cmd_Ajouter");
        auto* code = child<QLineEdit>(f, "Txt_Code");
        auto* labels = child<QComboBox>(f, "Cbo_LibRub");
        struct Case {
            const char* what;
            std::function<void()> act;
            QString code, label;
            bool refused;
        } cases[] = {
            {"7 then leaving", [&] { Type(f, "Txt_Code", "7"); }, "007", "Astreinte", false},
            {"10 then Enter",
             [&] {
                 code->setFocus();
                 code->selectAll();
                 QTest::keyClicks(code, "10");
                 QTest::keyClick(code, Qt::Key_Return);
             },
             "010", "Heures complémentaires", false},
            {"withdrawn item typed", [&] { Type(f, "Txt_Code", "070"); }, "", "", true},
            {"unknown code", [&] { Type(f, "Txt_Code", "99"); }, "", "", true},
            {"label chosen", [&] { labels->setCurrentIndex(labels->findText("Indemnité de repas")); }, "050",
             "Indemnité de repas", false},
            {"label emptied",
             [&] {
                 labels->setCurrentIndex(0);
                 labels->setEditText("");
             },
             "", "", false},
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(c.what);
            code->clear();
            labels->setCurrentIndex(-1);
            if (c.refused)
                scripted.messages.expect(ItemMissing, ui::Icon::Exclamation);
            c.act();
            EXPECT_EQ(code->text(), c.code);
            if (!c.label.isEmpty()) {
                EXPECT_EQ(labels->currentText(), c.label);
            }
            scripted.messages.verify();
        }
        scripted.messages.expect(LeaveCreation, ui::Icon::Exclamation, ui::Buttons::YesNo, ui::Answer::Yes);
        Click(f, "Cmd_Annuler");
        Click(f, "Cmd_Annuler");
    });
}

TEST_F(RubSaisieTest, ItemModesSetTheBoxes) {
    Open([&](Frm_RubSaisie& f) {
        Click(f, "Cmd_Ajouter");
        struct Case {
            const char* code;
            QString base, rate, amount;
            bool baseOn, rateOn, amountOn;
        } cases[] = {
            {"050", "0,00", "0,0000", "5,50", false, false, false},
            {"040", "0,00", "0", "", false, false, true},
            {"030", "", "0,3500", "", true, false, false},
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(c.code);
            for (const char* box : {"Txt_Base", "Txt_Taux", "Txt_Montant"})
                child<QLineEdit>(f, box)->clear();
            QLineEdit* code = child<QLineEdit>(f, "Txt_Code");
            code->clear();
            QTest::keyClicks(code, c.code);
            EXPECT_EQ(Text(f, "Txt_Base"), c.base);
            EXPECT_EQ(Text(f, "Txt_Taux"), c.rate);
            EXPECT_EQ(Text(f, "Txt_Montant"), c.amount);
            EXPECT_EQ(child<QLineEdit>(f, "Txt_Base")->isEnabled(), c.baseOn);
            EXPECT_EQ(child<QLineEdit>(f, "Txt_Taux")->isEnabled(), c.rateOn);
            EXPECT_EQ(child<QLineEdit>(f, "Txt_Montant")->isEnabled(), c.amountOn);
        }
        // A fixed-amount item needs nothing typed but its activity.
        child<QLineEdit>(f, "Txt_Code")->clear();
        QTest::keyClicks(child<QLineEdit>(f, "Txt_Code"), "050");
        child<QComboBox>(f, "Cbo_Activite")->setCurrentIndex(0);
        Click(f, "Cmd_OK");
        EXPECT_EQ(Rows(f, "Lst_Montant").value(3), "     5,50");
        Click(f, "Cmd_Annuler"); // nothing in progress: closes without writing
    });
    EXPECT_EQ(g.ContractRecord.DCount(89), 3);
}

TEST_F(RubSaisieTest, BaseModeOneTakesItsPercentageOfTheBaseTypedOnce) {
    scripted.messages.answerNext(ui::Answer::Yes);
    Open([&](Frm_RubSaisie& f) {
        Click(f, "Cmd_Ajouter");
        QTest::keyClicks(child<QLineEdit>(f, "Txt_Code"), "020");
        Type(f, "Txt_Base", "10");
        EXPECT_EQ(Text(f, "Txt_Base"), "12,50");
        EXPECT_EQ(Frm_RubSaisie::DerniereBaseSaisie(), 10);
        // Leaving the computed base again does not apply the percentage twice.
        child<QLineEdit>(f, "Txt_Base")->setFocus(Qt::TabFocusReason);
        child<QWidget>(f, "Txt_Taux")->setFocus(Qt::TabFocusReason);
        EXPECT_EQ(Text(f, "Txt_Base"), "12,50");
        Type(f, "Txt_Taux", "11,88");
        child<QComboBox>(f, "Cbo_Activite")->setCurrentIndex(0);
        Click(f, "Cmd_OK");
        EXPECT_EQ(Rows(f, "Lst_Base").value(3), "    12,50");
        EXPECT_EQ(Rows(f, "Lst_Montant").value(3), "   148,50");
        Click(f, "Cmd_Retour");
    });
    EXPECT_EQ(g.ContractRecord.Item(90, 4), "1250");
    EXPECT_EQ(g.ContractRecord.Item(92, 4), "14850");
}

TEST_F(RubSaisieTest, ConfirmationRefusesAnIncompleteLineAndKeepsWhatWasTyped) {
    Open([&](Frm_RubSaisie& f) {
        Click(f, "Cmd_Ajouter");
        QTest::keyClicks(child<QLineEdit>(f, "Txt_Code"), "010");
        Type(f, "Txt_Base", "35");
        scripted.messages.expect("Le taux de la rubrique de saisie est obligatoire.", ui::Icon::Exclamation);
        Click(f, "Cmd_OK");
        EXPECT_TRUE(child<QLineEdit>(f, "Txt_Taux")->hasFocus());
        EXPECT_EQ(Text(f, "Txt_Base"), "35,00");
        Type(f, "Txt_Taux", "11,88");
        // Two activities: the production contract needs one chosen.
        scripted.messages.expect("L'activité est obligatoire.", ui::Icon::Exclamation);
        Click(f, "Cmd_OK");
        EXPECT_EQ(Rows(f, "Lst_Code").size(), 3);
        // The code changed to one no longer complete.
        child<QComboBox>(f, "Cbo_Activite")->setCurrentIndex(0);
        child<QLineEdit>(f, "Txt_Code")->setText("01");
        scripted.messages.expect("La rubrique de saisie n'existe pas, veuillez la ressaisir.",
                                 ui::Icon::Exclamation);
        Click(f, "Cmd_OK");
        EXPECT_TRUE(child<QComboBox>(f, "Cbo_LibRub")->currentText().isEmpty());
        // The window's close box and Escape do not close it.
        f.close();
        QTest::keyClick(&f, Qt::Key_Escape);
        EXPECT_TRUE(f.isVisible());
        scripted.messages.expect(LeaveCreation, ui::Icon::Exclamation, ui::Buttons::YesNo, ui::Answer::No);
        Click(f, "Cmd_Annuler");
        EXPECT_TRUE(child<QLineEdit>(f, "Txt_Code")->isEnabled());
        scripted.messages.expect(LeaveCreation, ui::Icon::Exclamation, ui::Buttons::YesNo, ui::Answer::Yes);
        Click(f, "Cmd_Annuler");
        EXPECT_FALSE(child<QLineEdit>(f, "Txt_Code")->isEnabled());
        Click(f, "Cmd_Annuler");
    });
}

TEST_F(RubSaisieTest, AdministrativeContractItemsCarryNoActivity) {
    scripted.messages.answerNext(ui::Answer::Yes);
    const bool changed = Open(
        [&](Frm_RubSaisie& f) {
            EXPECT_EQ(Rows(f, "Lst_Activite"), QStringList({"", "", ""}));
            Click(f, "Cmd_Ajouter");
            EXPECT_FALSE(child<QComboBox>(f, "Cbo_Activite")->isEnabled());
            QTest::keyClicks(child<QLineEdit>(f, "Txt_Code"), "040");
            Type(f, "Txt_Montant", "-150,5");
            Click(f, "Cmd_OK");
            EXPECT_EQ(Rows(f, "Lst_Montant").value(3), "  -150,50");
            Click(f, "Cmd_Retour");
        },
        true);
    EXPECT_TRUE(changed);
    EXPECT_EQ(g.ContractRecord.Item(92, 4), "-15050");
    EXPECT_EQ(g.ContractRecord.Item(93), Values({"", "", "", ""}));
}

TEST_F(RubSaisieTest, DeletingAndTheSaveQuestion) {
    struct Case {
        const char* what;
        ui::Answer answer;
        std::string codes, activities;
    } cases[] = {
        {"Oui writes the items", ui::Answer::Yes, Values({"010", "040"}), Values({"00101", "00101"})},
        {"Annuler keeps the written items and closes", ui::Answer::Cancel, Values({"010", "040"}),
         Values({"00101", "00101"})},
        {"Non puts the items back", ui::Answer::No, Values({"010", "030", "040"}),
         Values({"00101", "00102", "00101"})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ReadContract();
        scripted.messages.expect(DeleteQuestion, ui::Icon::Exclamation, ui::Buttons::YesNo, ui::Answer::No);
        scripted.messages.expect(DeleteQuestion, ui::Icon::Exclamation, ui::Buttons::YesNo, ui::Answer::Yes);
        scripted.messages.expect(SaveQuestion, ui::Icon::Exclamation, ui::Buttons::YesNoCancel, c.answer);
        Open([&](Frm_RubSaisie& f) {
            child<QListWidget>(f, "Lst_Montant")->setCurrentRow(1);
            EXPECT_EQ(child<QListWidget>(f, "Lst_Code")->currentRow(), 1); // the lists keep one line
            Click(f, "Cmd_Supprimer");
            EXPECT_EQ(Rows(f, "Lst_Code").size(), 3);
            Click(f, "Cmd_Supprimer");
            EXPECT_EQ(Rows(f, "Lst_Code"), QStringList({"010", "040"}));
            EXPECT_EQ(Rows(f, "Lst_CodeActSelect"), QStringList({"00101", "00101"}));
            Click(f, "Cmd_Retour");
            EXPECT_FALSE(f.isVisible());
        });
        scripted.messages.verify();
        EXPECT_EQ(g.ContractRecord.Item(89), c.codes);
        EXPECT_EQ(g.ContractRecord.Item(93), c.activities);
    }
}

TEST_F(RubSaisieTest, ChangingALineRecomputesItsAmount) {
    scripted.messages.answerNext(ui::Answer::Yes);
    Open([&](Frm_RubSaisie& f) {
        DoubleClickRow(f, "Lst_Base", 0);
        EXPECT_FALSE(child<QListWidget>(f, "Lst_Code")->isEnabled());
        EXPECT_EQ(Text(f, "Txt_Code"), "010");
        EXPECT_EQ(Text(f, "Txt_Base"), "151,67");
        EXPECT_EQ(Text(f, "Txt_Taux"), "9,6100");
        EXPECT_EQ(Text(f, "Txt_Montant"), "1457,55");
        EXPECT_EQ(child<QComboBox>(f, "Cbo_Activite")->currentText(), "Aide à domicile");
        Type(f, "Txt_Base", "100");
        child<QComboBox>(f, "Cbo_Activite")->setCurrentIndex(1);
        Click(f, "Cmd_OK");
        EXPECT_EQ(Rows(f, "Lst_Base").value(0), "   100,00");
        EXPECT_EQ(Rows(f, "Lst_Montant").value(0), "   961,00");
        EXPECT_EQ(Rows(f, "Lst_Code").size(), 3);
        Click(f, "Cmd_Retour");
    });
    EXPECT_EQ(g.ContractRecord.Item(92, 1), "96100");
    EXPECT_EQ(g.ContractRecord.Item(93, 1), "00102");
}

TEST_F(RubSaisieTest, ALineOfAWithdrawnItemGoesWhenLoaded) {
    PutContract({{"010", "100", "10000", "100", "00101"},
                 {"070", "0", "0", "20000", "00102"},
                 {"040", "0", "0", "15000", "00101"}});
    ReadContract();
    scripted.messages.expect(SaveQuestion, ui::Icon::Exclamation, ui::Buttons::YesNoCancel, ui::Answer::Yes);
    Open([&](Frm_RubSaisie& f) {
        EXPECT_EQ(Rows(f, "Lst_LibRub").value(1), "Acompte sur salaire");
        DoubleClickRow(f, "Lst_Code", 1);
        EXPECT_EQ(Rows(f, "Lst_Code"), QStringList({"010", "040"}));
        EXPECT_EQ(Rows(f, "Lst_CodeActSelect"), QStringList({"00101", "00101"}));
        EXPECT_TRUE(child<QListWidget>(f, "Lst_Code")->isEnabled());
        Click(f, "Cmd_Retour");
    });
    EXPECT_EQ(g.ContractRecord.Item(89), Values({"010", "040"}));
}

TEST_F(RubSaisieTest, ReadOnlyUserSeesNoWritingButton) {
    Open(
        [&](Frm_RubSaisie& f) {
            EXPECT_FALSE(child<QPushButton>(f, "Cmd_Ajouter")->isVisible());
            EXPECT_FALSE(child<QPushButton>(f, "Cmd_OK")->isVisible());
            EXPECT_FALSE(child<QPushButton>(f, "Cmd_Supprimer")->isVisible());
            EXPECT_TRUE(child<QPushButton>(f, "Cmd_Retour")->isVisible());
            Click(f, "Cmd_Retour");
        },
        false, "lecture");
}

TEST_F(RubSaisieTest, ScrollBarFromTheSixteenthLine) {
    for (int lines : {15, 16}) {
        SCOPED_TRACE(lines);
        std::vector<Stored> items(lines, Stored{"040", "0", "0", "100", "00101"});
        PutContract(items);
        ReadContract();
        Open([&](Frm_RubSaisie& f) {
            auto* bar = child<QScrollBar>(f, "Bdv_Detail");
            EXPECT_EQ(bar->isVisible(), lines > 15);
            EXPECT_EQ(bar->maximum(), lines - 1);
            EXPECT_EQ(child<QListWidget>(f, "Lst_Activite")->width(), lines > 15 ? 185 : 169);
            bar->setValue(lines - 1);
            if (lines > 15)
                Screenshot(f, "rub_saisie_defilement.png");
            EXPECT_EQ(child<QListWidget>(f, "Lst_Activite")->currentRow(), lines - 1);
            Click(f, "Cmd_Retour");
        });
    }
}

TEST_F(RubSaisieTest, ContractWithoutItemsAndADatabaseError) {
    PutContract({});
    ReadContract();
    Open([&](Frm_RubSaisie& f) {
        EXPECT_EQ(Rows(f, "Lst_Code").size(), 0);
        Click(f, "Cmd_Ajouter");
        // The only activity is chosen for the user.
        EXPECT_EQ(child<QComboBox>(f, "Cbo_Activite")->currentIndex(), -1); // two activities here
        scripted.messages.expect(LeaveCreation, ui::Icon::Exclamation, ui::Buttons::YesNo, ui::Answer::Yes);
        Click(f, "Cmd_Annuler");
        Click(f, "Cmd_OK");
    });
    EXPECT_EQ(g.ContractRecord.Item(89), "");

    activities.resize(1);
    Open([&](Frm_RubSaisie& f) {
        Click(f, "Cmd_Ajouter");
        EXPECT_EQ(child<QComboBox>(f, "Cbo_Activite")->currentText(), "Aide à domicile");
        scripted.messages.expect(LeaveCreation, ui::Icon::Exclamation, ui::Buttons::YesNo, ui::Answer::Yes);
        Click(f, "Cmd_Annuler");
        Click(f, "Cmd_Annuler");
    });

    // Without its catalogue the screen does not open, and says why.
    QTemporaryDir dir;
    data::GlobalState bare;
    bare.TheDatabase = dba::Database::Create(dir.filePath("vide.arbel").toStdString());
    bare.ContractRecord = g.ContractRecord;
    scripted.messages.clearShown();
    scripted.messages.answerNext(ui::Answer::Ok);
    const bool changed =
        screens::OuvrirRubSaisie(bare, nullptr, "50001", "MARTIN Jeanne", false, activities, &editor);
    EXPECT_FALSE(changed);
    ASSERT_EQ(scripted.messages.shown().size(), 1u);
    EXPECT_TRUE(scripted.messages.shown()[0].text.startsWith(
        "Les rubriques de saisie ne peuvent pas être affichées"));
}

} // namespace

namespace {

// The editor's side-screen button reaches the screen through the opening
// function, the way the editor wires Cmd_RubSaisie.
TEST_F(RubSaisieTest, EditorButtonOpensTheScreen) {
    Frm_ElementsContrat form(g);
    auto rights = std::make_shared<data::AccessRights>(lib.db, "plein");
    bool changed = false;
    form.SetEcranLateral("Cmd_RubSaisie", [&] {
        changed = screens::OuvrirRubSaisie(g, rights, "50001", "MARTIN Jeanne", false, activities, &form);
    });
    auto* button = form.findChild<QPushButton*>("Cmd_RubSaisie");
    ASSERT_NE(button, nullptr);
    EXPECT_TRUE(button->isEnabled());
    scripted.messages.answerNext(ui::Answer::Yes);
    scripted.modal.onNext("Frm_RubSaisie", [&](QDialog& dialog) {
        child<QListWidget>(dialog, "Lst_Code")->setCurrentRow(2);
        Click(dialog, "Cmd_Supprimer");
        Click(dialog, "Cmd_OK");
    });
    button->click();
    EXPECT_EQ(scripted.modal.shown(), QStringList({"Frm_RubSaisie"}));
    EXPECT_TRUE(changed);
    EXPECT_EQ(g.ContractRecord.DCount(89), 2);
    EXPECT_TRUE(form.isEnabled()); // the hourglass and the disabled editor are gone
}

} // namespace
