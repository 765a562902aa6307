// Tab "Fin du contrat" through the browser: an ended contract shown and
// written back unchanged, the fields each end reason asks for, the checks
// at save, the date rules and the last payslip's up-down.
#include "editor_fixture.h"

#include "data/tables.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>

namespace {

using data::tables::CONTRAT;
using editor::Onglet;
using namespace data::tables;

class FinContratTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        lib.Put(TABLES, lists::FINCONTRAT,
                {{1, "1"},
                 {2, Values({"31", "43", "11", "91", "34", "12"})},
                 {3, Values({"Démission", "Rupture conventionnelle", "Licenciement", "Fin de contrat aidé",
                             "Fin de CDD", "Licenciement ancien"})},
                 {5, Values({"", "", "", "", "", "O"})}});
    }
    dba::Record Stored() { return lib.db.OpenTable(CONTRAT).ReadRecord("50001001"); }
    static QLineEdit* Edit(Frm_ElementsContrat& editor, const char* name) { return child<QLineEdit>(editor, name); }
    static void LoseFocus(QWidget* w) {
        QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
        QApplication::sendEvent(w, &in);
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(w, &out);
    }
    // Chooses `label` in the reason combo as a click does.
    static void ChooseReason(Frm_ElementsContrat& editor, const char* label) {
        auto* combo = child<QComboBox>(editor, "Cbo_MotifFinContrat");
        if (combo->count() == 0) {
            combo->showPopup();
            combo->hidePopup();
        }
        combo->setCurrentIndex(combo->findText(QString::fromUtf8(label)));
    }
    // A dismissal notified on 30/04/2026, notice worked to 30/06/2026; pay
    // calculated up to June.
    void PutDismissal(std::initializer_list<std::pair<int, std::string>> more = {}) {
        PutContract({{63, "202606"},
                     {81, "202606"},
                     {8, Day("30/06/2026")},
                     {49, "11"},
                     {50, Day("30/04/2026")},
                     {51, Day("30/06/2026")},
                     {52, "0"},
                     {55, Day("30/04/2026")},
                     {56, Day("30/06/2026")},
                     {57, "Néant"},
                     {58, "202606"},
                     {59, Values({"Remis en main propre", "Solde signé"})},
                     {84, "IRCEM"},
                     {96, Day("30/06/2026")},
                     {98, "Faute grave"},
                     {132, "0"}});
        lib.db.OpenTable(DETAILCALCUL).DeleteRecord("50001001202611");
        lib.Put(DETAILCALCUL, "50001001202606", {{1, "F"}});
        dba::Record r = Stored();
        for (const auto& [f, v] : more)
            r.SetItem(f, v);
        // Records end on their last filled field, as the editor writes them.
        std::string text = r.Item();
        while (!text.empty() && text.back() == '\xFE')
            text.pop_back();
        r.SetRecord(text);
        r.DBWrite();
    }
};

TEST_F(FinContratTest, EndedContractsOfEachReasonShowAndReadBackUnchangedAfterOK) {
    struct Case {
        const char* what;
        std::function<void()> put;
        bool signature, indemnity;
    } cases[] = {
        {"dismissal", [&] { PutDismissal(); }, false, true},
        {"agreed termination",
         [&] { PutDismissal({{49, "43"}, {129, Day("10/04/2026")}, {132, ""}, {55, ""}, {56, ""}}); }, true, false},
        {"withdrawn reason kept", [&] { PutDismissal({{49, "12"}, {132, "1"}}); }, false, true},
        {"paid notice, one observation",
         [&] { PutDismissal({{49, "31"}, {132, ""}, {55, ""}, {56, ""}, {53, Day("01/05/2026")},
                             {54, Day("30/06/2026")}, {59, "Une ligne"}}); },
         false, false},
        {"fixed term without notification",
         [&] { PutDismissal({{4, "D"}, {113, "01"}, {60, Day("30/06/2026")}, {49, "34"}, {50, ""}, {132, ""},
                             {55, ""}, {56, ""}}); },
         false, false},
        {"open contract", [&] { PutContract(); }, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.put();
        const std::string before = Stored().Item();
        if (!browser)
            OpenBrowser();
        OpenEditor([&](Frm_ElementsContrat& editor) {
            SelectTab(editor, Onglet::FinContrat);
            EXPECT_EQ(child<QLabel>(editor, "Etq_DateSignConvCol")->isVisibleTo(&editor), c.signature);
            EXPECT_EQ(Edit(editor, "Txt_DateSignConvCol")->isEnabled(), c.signature);
            EXPECT_EQ(child<QCheckBox>(editor, "Cac_CalcIndLic")->isVisibleTo(&editor), c.indemnity);
            EXPECT_FALSE(Edit(editor, "Txt_CmpltMotif")->isReadOnly());
            ClickButton(editor, "Cmd_OK");
            EXPECT_FALSE(editor.isVisible());
        });
        EXPECT_EQ(Stored().Item(), before);
    }
}

TEST_F(FinContratTest, TheTabShowsTheWholeEnd) {
    PutDismissal({{132, "1"}});
    OpenBrowser();
    OpenEditor([&](Frm_ElementsContrat& editor) {
        SelectTab(editor, Onglet::FinContrat);
        EXPECT_EQ(child<QComboBox>(editor, "Cbo_MotifFinContrat")->currentText(), "Licenciement");
        EXPECT_TRUE(child<QCheckBox>(editor, "Cac_CalcIndLic")->isChecked());
        EXPECT_EQ(Edit(editor, "Txt_DernBullContrat")->text(), "juin 2026");
        EXPECT_FALSE(Edit(editor, "Txt_DernBullContrat")->isEnabled());
        auto* upDown = child<QScrollBar>(editor, "Bdh_Bulletin");
        // March 2020 to June 2026: 75 months after the first.
        EXPECT_EQ(upDown->maximum(), 75);
        EXPECT_EQ(upDown->value(), 75);
        EXPECT_EQ(child<QComboBox>(editor, "Cbo_OrgRetraite")->currentText(), "IRCEM");
        EXPECT_TRUE(child<QCheckBox>(editor, "Opt_Effectue")->isChecked());
        EXPECT_TRUE(Edit(editor, "Txt_DebEffContrat")->isEnabled());
        EXPECT_FALSE(Edit(editor, "Txt_DebPayeContrat")->isEnabled());
        EXPECT_EQ(Edit(editor, "Txt_ObsFinContrat_1")->text(), "Solde signé");
        // One step down: May.
        upDown->setValue(74);
        EXPECT_EQ(Edit(editor, "Txt_DernBullContrat")->text(), "mai 2026");
        ClickButton(editor, "Cmd_OK");
    });
    EXPECT_EQ(Stored().Item(58), "202605");
}

TEST_F(FinContratTest, ChoosingAReasonSetsItsFieldsAndWritesItsIndemnityChoice) {
    struct Case {
        const char* label;
        const char* field132;
        bool signature, indemnity;
    } cases[] = {{"Fin de contrat aidé", "0", false, true}, // 91, indemnity unchecked by the user
                 {"Rupture conventionnelle", "", true, false},
                 {"Démission", "", false, false}};
    // Notified the day it ends: reasons without notice end on the
    // notification date, which changes nothing here.
    PutDismissal({{50, Day("30/06/2026")}, {55, ""}, {56, ""}});
    OpenBrowser();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        OpenEditor([&](Frm_ElementsContrat& editor) {
            SelectTab(editor, Onglet::FinContrat);
            ChooseReason(editor, c.label);
            EXPECT_EQ(child<QLabel>(editor, "Etq_DateSignConvCol")->isVisibleTo(&editor), c.signature);
            EXPECT_EQ(Edit(editor, "Txt_DateSignConvCol")->isEnabled(), c.signature);
            auto* indemnity = child<QCheckBox>(editor, "Cac_CalcIndLic");
            EXPECT_EQ(indemnity->isVisibleTo(&editor), c.indemnity);
            EXPECT_EQ(indemnity->isChecked(), c.indemnity);
            if (c.indemnity)
                indemnity->setChecked(false);
            if (c.signature)
                Edit(editor, "Txt_DateSignConvCol")->setText("15/04/2026");
            ClickButton(editor, "Cmd_OK");
            EXPECT_FALSE(editor.isVisible());
        });
        EXPECT_EQ(Stored().Item(132), c.field132);
    }
    EXPECT_EQ(Stored().Item(129), Day("15/04/2026"));
    EXPECT_EQ(Stored().Item(49), "31");
}

TEST_F(FinContratTest, SaveChecksStopOnTheTabWithTheFocusOnTheBox) {
    PutDismissal();
    OpenBrowser();
    struct Case {
        const char* box;
        const char* text;
        const char* message;
        const char* focus;
    } cases[] = {
        {"Txt_DateFinContrat", "01/03/2020", "La date de fin de contrat doit être supérieure à la date de début de contrat.",
         "Txt_DateFinContrat"},
        {"Txt_DernJrWContrat", "", "Le dernier jour travaillé est obligatoire.", "Txt_DernJrWContrat"},
        {"Txt_FinEffContrat", "", "La date de fin du préavis doit être renseignée.", "Txt_FinEffContrat"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.box);
        OpenEditor([&](Frm_ElementsContrat& editor) {
            SelectTab(editor, Onglet::FinContrat);
            Edit(editor, c.box)->setText(c.text);
            SelectTab(editor, Onglet::Origine);
            scripted.messages.expect(QString::fromUtf8(c.message),
                                     std::string(c.box) == "Txt_FinEffContrat" ? ui::Icon::None
                                                                               : ui::Icon::Exclamation);
            ClickButton(editor, "Cmd_OK");
            scripted.messages.verify();
            EXPECT_TRUE(editor.State().tabError[Onglet::FinContrat]);
            EXPECT_EQ(child<QTabWidget>(editor, "Ong_Contrat")->currentIndex(), Onglet::FinContrat);
            ASSERT_NE(editor.focusWidget(), nullptr);
            EXPECT_EQ(editor.focusWidget()->objectName(), c.focus);
            scripted.messages.answerNext(ui::Answer::No);
            ClickButton(editor, "Cmd_Retour");
            scripted.messages.verify();
        });
    }
}

TEST_F(FinContratTest, AnImpossibleDateInEachKindOfBoxIsRefusedAndKeepsTheFocus) {
    PutDismissal({{55, ""}, {56, ""}, {53, Day("01/05/2026")}, {54, Day("30/06/2026")}});
    OpenBrowser();
    OpenEditor([&](Frm_ElementsContrat& editor) {
        SelectTab(editor, Onglet::FinContrat);
        for (const char* name : {"Txt_DateFinContrat", "Txt_DatNotifContrat", "Txt_DernJrWContrat", "Txt_FinReelle",
                                 "Txt_DebPayeContrat", "Txt_FinPayeContrat"}) {
            SCOPED_TRACE(name);
            QLineEdit* box = Edit(editor, name);
            const QString shown = box->text();
            box->setText("31/02/2026");
            LoseFocus(box);
            EXPECT_EQ(editor.focusWidget(), box);
            box->setText(shown);
        }
        scripted.messages.answerNext(ui::Answer::No);
        ClickButton(editor, "Cmd_Retour");
    });
}

TEST_F(FinContratTest, EndingAnOpenContractAndRemovingTheEndAgain) {
    OpenBrowser();
    OpenEditor([&](Frm_ElementsContrat& editor) {
        SelectTab(editor, Onglet::FinContrat);
        QLineEdit* end = Edit(editor, "Txt_DateFinContrat");

        // A resignation notified on 15/01/2027 owes no notice: it ends that day.
        QLineEdit* notified = Edit(editor, "Txt_DatNotifContrat");
        notified->setText("15/01/2027");
        ChooseReason(editor, "Démission");
        EXPECT_EQ(end->text(), "15/01/2027");
        EXPECT_TRUE(Edit(editor, "Txt_DernJrWContrat")->isEnabled());
        EXPECT_EQ(Edit(editor, "Txt_DernBullContrat")->text(), "janvier 2027");
        EXPECT_EQ(child<QComboBox>(editor, "Cbo_OrgRetraite")->currentText(), "");

        // A dismissal: six years of seniority, two months of notice
        // across the year end of the notice dates.
        child<QCheckBox>(editor, "Opt_Effectue")->setChecked(true);
        EXPECT_TRUE(Edit(editor, "Txt_DebEffContrat")->isEnabled());
        notified->setText("15/11/2026");
        ChooseReason(editor, "Licenciement");
        EXPECT_EQ(end->text(), "14/01/2027");
        EXPECT_EQ(Edit(editor, "Txt_DebEffContrat")->text(), "15/11/2026");
        EXPECT_EQ(Edit(editor, "Txt_FinEffContrat")->text(), "14/01/2027");
        LoseFocus(end);
        EXPECT_EQ(child<QComboBox>(editor, "Cbo_OrgRetraite")->currentText(), "IRCEM");
        // The up-down runs from March 2020 to January 2027.
        auto* upDown = child<QScrollBar>(editor, "Bdh_Bulletin");
        EXPECT_EQ(upDown->maximum(), 82);
        upDown->setValue(81);
        EXPECT_EQ(Edit(editor, "Txt_DernBullContrat")->text(), "décembre 2026");

        // The end removed: what depended on it is emptied and disabled.
        end->clear();
        LoseFocus(end);
        EXPECT_EQ(Edit(editor, "Txt_DernBullContrat")->text(), "");
        EXPECT_EQ(Edit(editor, "Txt_DebEffContrat")->text(), "");
        EXPECT_FALSE(child<QCheckBox>(editor, "Opt_Effectue")->isChecked());
        EXPECT_FALSE(Edit(editor, "Txt_DernJrWContrat")->isEnabled());

        // Ended again and saved.
        end->setText("14/01/2027");
        LoseFocus(end);
        Edit(editor, "Txt_DernJrWContrat")->setText("14/01/2027");
        ClickButton(editor, "Cmd_OK");
        EXPECT_FALSE(editor.isVisible());
    });
    const dba::Record r = Stored();
    EXPECT_EQ(r.Item(8), Day("14/01/2027"));
    EXPECT_EQ(r.Item(49), "11");
    EXPECT_EQ(r.Item(50), Day("15/11/2026"));
    EXPECT_EQ(r.Item(58), "202701");
    EXPECT_EQ(r.Item(84), "IRCEM");
    EXPECT_EQ(r.Item(132), "1");
}

} // namespace
