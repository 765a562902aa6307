// Tab "Droits aux congés" through the browser: counters shown from their
// hundredths, written back exactly, refused at save and when left.
#include "editor_fixture.h"

#include "data/tables.h"

#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

namespace {

using data::tables::CONTRAT;
using editor::Onglet;

class DroitsCongesTest : public EditorTest {
protected:
    dba::Record Stored() { return lib.db.OpenTable(CONTRAT).ReadRecord("50001001"); }
    static QLineEdit* Edit(Frm_ElementsContrat& editor, const char* name) { return child<QLineEdit>(editor, name); }
    static void LoseFocus(QWidget* w) {
        QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
        QApplication::sendEvent(w, &in);
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(w, &out);
    }
    // Counters of every kind, negative and half days among them.
    void PutCounters() {
        PutContract({{38, "2500"},
                     {39, "1050"},
                     {40, "2"},
                     {41, "150"},
                     {42, "700"},
                     {43, "8316"},
                     {44, "1200"},
                     {45, "8400"},
                     {46, "99792"},
                     {47, "300"},
                     {48, "250"},
                     {83, "-150"},
                     {85, "1234567"},
                     {86, "5"}});
    }
};

TEST_F(DroitsCongesTest, CountersShowTheirHundredthsAndReadBackUnchangedAfterOK) {
    PutCounters();
    const std::string before = Stored().Item();
    OpenBrowser();
    browser->Globals().SetDecimalSeparator(QStringLiteral(","));  // a French workstation
    OpenEditor([&](Frm_ElementsContrat& editor) {
        SelectTab(editor, Onglet::DroitsConges);
        struct Box {
            const char* name;
            const char* shown;
        } boxes[] = {{"Txt_CPConsoAcqContrat", "25,00"}, {"Txt_CPRestConsoContrat", "10,50"},
                     {"Txt_CFConsoAcqContrat", "2"},     {"Txt_CFRestConsoContrat", "1,50"},
                     {"Txt_JrOuvrHContrat", "7,00"},     {"Txt_JrOuvreHContrat", "8,40"},
                     {"Txt_JrOuvrMContrat", "83,16"},    {"Txt_JrOuvreMContrat", "99,79"},
                     {"Txt_CPCoursJContrat", "12"},      {"Txt_CPCoursHContrat", "84,00"},
                     {"Txt_CPCoursMContrat", "997,92"},  {"Txt_CAncAcqContrat", "3,00"},
                     {"Txt_CAncRestContrat", "2,50"},    {"Txt_JourAnticipation", "-1,50"},
                     {"Txt_ProvisionCP", "12345,67"},    {"Txt_ProvisionCours", "0,05"}};
        for (const Box& b : boxes)
            EXPECT_EQ(Edit(editor, b.name)->text(), QString::fromUtf8(b.shown)) << b.name;
        // Agreement "02": field 2 is 1 (worked days), field 12 is 2.
        EXPECT_EQ(child<QLabel>(editor, "Etq_JOAcquis")->text(), "Jours ouvrés acquis");
        EXPECT_EQ(child<QLabel>(editor, "Etq_CARestants")->text(), "Jours ouvrables restants");
        EXPECT_EQ(child<QLabel>(editor, "Etq_PeriodeConges")->text(), "novembre 2026");
        EXPECT_FALSE(Edit(editor, "Txt_CPRestConsoContrat")->isReadOnly());
        ClickButton(editor, "Cmd_OK");
        EXPECT_FALSE(editor.isVisible());
    });
    EXPECT_EQ(Stored().Item(), before);
}

TEST_F(DroitsCongesTest, TypedCountersAreStoredExactlyAndEmptyOnesAsZero) {
    PutCounters();
    OpenBrowser();
    browser->Globals().SetDecimalSeparator(QStringLiteral(","));  // a French workstation
    OpenEditor([&](Frm_ElementsContrat& editor) {
        SelectTab(editor, Onglet::DroitsConges);
        Edit(editor, "Txt_CPRestConsoContrat")->setText("2,5");
        Edit(editor, "Txt_ProvisionCP")->setText("0,29");
        Edit(editor, "Txt_CPCoursMContrat")->setText("");
        Edit(editor, "Txt_CFRestConsoContrat")->setText("");
        Edit(editor, "Txt_JrOuvrHContrat")->setText("12,34");
        EXPECT_EQ(Edit(editor, "Txt_JrOuvreHContrat")->text(), "14,81");
        ClickButton(editor, "Cmd_OK");
        EXPECT_FALSE(editor.isVisible());
    });
    const dba::Record r = Stored();
    EXPECT_EQ(r.Item(39), "250");
    EXPECT_EQ(r.Item(85), "29"); // 0,29 through a double would risk 28
    EXPECT_EQ(r.Item(46), "0");
    EXPECT_EQ(r.Item(41), "0");
    EXPECT_EQ(r.Item(40), "2");
    EXPECT_EQ(r.Item(42), "1234");
}

TEST_F(DroitsCongesTest, ARefusedCounterKeepsTheTabOpenAndStoresNothing) {
    PutCounters();
    const std::string before = Stored().Item();
    OpenBrowser();
    browser->Globals().SetDecimalSeparator(QStringLiteral(","));  // a French workstation
    struct Case {
        const char* box;
        const char* text;
        const char* message;
        const char* focus;
        const char* shown;
    } cases[] = {
        {"Txt_CPRestConsoContrat", "2,25",
         "Le nombre de jours restants pour congés payés acquis doit être un entier ou une demi-journée.",
         "Txt_CPRestConsoContrat", "10,50"},
        {"Txt_CFConsoAcqContrat", "2,0", "Le nombre de jours pour congés pour fractionnement acquis doit être un entier.",
         "Txt_CFConsoAcqContrat", "2"},
        {"Txt_CPRestConsoContrat", "-13",
         "Le nombre de jours pour congés payés pris par avance doit être inférieur au nombre de jours en cours "
         "d'acquisition.",
         "Txt_CPRestConsoContrat", "10,50"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        OpenEditor([&](Frm_ElementsContrat& editor) {
            SelectTab(editor, Onglet::DroitsConges);
            SelectTab(editor, Onglet::Origine);
            Edit(editor, c.box)->setText(c.text);
            scripted.messages.expect(QString::fromUtf8(c.message), ui::Icon::Exclamation);
            ClickButton(editor, "Cmd_OK");
            scripted.messages.verify();
            EXPECT_TRUE(editor.isVisible());
            EXPECT_TRUE(editor.State().tabError[Onglet::DroitsConges]);
            EXPECT_EQ(child<QTabWidget>(editor, "Ong_Contrat")->currentIndex(), Onglet::DroitsConges);
            ASSERT_NE(editor.focusWidget(), nullptr);
            EXPECT_EQ(editor.focusWidget()->objectName(), c.focus);
            // Put back as shown, the counter leaves nothing to save.
            Edit(editor, c.box)->setText(c.shown);
            ClickButton(editor, "Cmd_Retour");
            scripted.messages.verify();
            EXPECT_FALSE(editor.isVisible());
        });
    }
    EXPECT_EQ(Stored().Item(), before);
}

TEST_F(DroitsCongesTest, LeavingACounterChecksItsHalfDaysAndLength) {
    PutCounters();
    OpenBrowser();
    browser->Globals().SetDecimalSeparator(QStringLiteral(","));  // a French workstation
    OpenEditor([&](Frm_ElementsContrat& editor) {
        SelectTab(editor, Onglet::DroitsConges);
        QLineEdit* rest = Edit(editor, "Txt_CPRestConsoContrat");
        rest->setText("2,3");
        scripted.messages.expect(
            "Le nombre de jours restants ne peut être qu'un nombre de jours entier ou un nombre de demi-journées.",
            ui::Icon::Exclamation);
        LoseFocus(rest);
        scripted.messages.verify();
        EXPECT_EQ(rest->text(), "");

        QLineEdit* advance = Edit(editor, "Txt_JourAnticipation");
        advance->setText("12,5"); // 12 days being earned
        scripted.messages.expect("Le nombre de jours pris par anticipation ne peut être supérieur au nombre de "
                                 "jours de congès en cours d'acquisition.",
                                 ui::Icon::Exclamation);
        LoseFocus(advance);
        scripted.messages.verify();

        QLineEdit* provision = Edit(editor, "Txt_ProvisionCP");
        provision->setText("-");
        scripted.messages.expect("Vous ne pouvez pas saisir seulement un moins.", ui::Icon::Information);
        LoseFocus(provision);
        scripted.messages.verify();
        EXPECT_EQ(editor.focusWidget(), provision);
        provision->setText("12345,67");

        // The key filter: a letter never reaches the box.
        rest->clear();
        rest->setFocus();
        QTest::keyClicks(rest, "1a.5");
        EXPECT_EQ(rest->text(), "1,5");
        scripted.messages.answerNext(ui::Answer::No);
        ClickButton(editor, "Cmd_Retour");
    });
}

} // namespace
