// Tab "Elements de paie" through the browser: what it shows and writes
// back, and what it refuses at save.
#include "editor_fixture.h"

#include "data/tables.h"
#include "data/utility_services.h"
#include "editor/editor_opener.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>

namespace {

using editor::Onglet;
using namespace data::tables;

class PayElementsTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        lib.Put(PROFIL, "101", {{1, "Mandataire horaire"}, {4, "1"}});
        lib.Put(PROFIL, "201", {{1, "Prestataire"}, {4, "0"}});
        lib.Put(ACTIVITES, "001MEN", {{1, "Ménage"}, {12, "M"}});
        lib.Put(ACTIVITES, "001REP", {{1, "Repas"}, {12, "M"}});
        lib.Put(RIBAIDANT, "50001", {{1, "FR76"}});
        PutContract({{26, "101"}, {27, "2"}, {36, "001MEN"}});
        data::UtilityServices::Instance().SetDecimalSeparator(QStringLiteral(","));
    }
    void TearDown() override {
        data::UtilityServices::Instance().ResetDecimalSeparator();
        EditorTest::TearDown();
    }
    dba::Record Stored() { return lib.db.OpenTable(CONTRAT).ReadRecord("50001001"); }
    static QLineEdit* Edit(Frm_ElementsContrat& editor, const char* name) {
        return child<QLineEdit>(editor, name);
    }
};

TEST_F(PayElementsTest, AnUnchangedTabIsWrittenBackAsItWasStored) {
    PutContract({{26, "101"}, {27, "3"}, {32, "1235"}, {33, "0"}, {36, "001MEN"}, {37, ""}, {147, "0"}, {28, "1"},
                 {29, ""}, {30, "B"}, {31, "0"}, {61, ""}, {64, ""}, {66, "-15000"}, {94, "1"}});
    const std::string before = Stored().Item();
    OpenBrowser();
    OpenEditor([&](Frm_ElementsContrat& editor) {
        SelectTab(editor, Onglet::ElementsPaie);
        EXPECT_EQ(child<QComboBox>(editor, "Cbo_ModPaieContrat")->currentText(), "Espèces");
        EXPECT_EQ(Edit(editor, "Txt_MutSalContrat")->text(), "12,35");
        EXPECT_EQ(Edit(editor, "Txt_PlafSecu")->text(), "-150,00");
        EXPECT_EQ(child<QComboBox>(editor, "Cbo_MotifDispense")->currentIndex(), 0);
        ClickButton(editor, "Cmd_OK");
        EXPECT_FALSE(editor.isVisible());
        EXPECT_EQ(editor.State().writes[Onglet::ElementsPaie], 1);
    });
    EXPECT_EQ(Stored().Item(), before);
}

TEST_F(PayElementsTest, WhatTheTabWritesFromWhatWasTyped) {
    lib.Put(ACTIVITES, "001SOI", {{1, "Soins"}, {12, "S"}});
    lib.Put(ACTIVITES, "001AID", {{1, "Aide"}, {12, "S"}});
    OpenBrowser();
    // A contract under agreement "05", which the beneficiary's browser does
    // not list: opened as the suite's screens do.
    PutContract({{1, "05"}, {26, "201"}, {27, "2"}, {36, Values({"001SOI", "001AID"})}, {94, "1"}, {28, "0"}});
    data::GlobalState& g = browser->Globals();
    g.ContractRecord = g.Handles.Contrat.ReadRecord("50001001");
    g.OpeningRecordText = g.ContractRecord.Item();
    scripted.modal.onNext("Frm_ElementsContrat", [&](QDialog& dialog) {
        auto& editor = dynamic_cast<Frm_ElementsContrat&>(dialog);
        SelectTab(editor, Onglet::ElementsPaie);
        Edit(editor, "Txt_MutSalContrat")->clear();
        Edit(editor, "Txt_MutPatContrat")->setText("0,00");
        Edit(editor, "Txt_PlafSecu")->clear();
        ClickButton(editor, "Cmd_OK");
        EXPECT_FALSE(editor.isVisible());
    });
    editor::OuvrirEditeur(*browser);
    scripted.modal.verify();
    const dba::Record r = Stored();
    EXPECT_EQ(r.Item(28), "1"); // not "02": the association always pays
    EXPECT_EQ(r.Item(94), "0");
    EXPECT_EQ(r.Item(32), "0");
    EXPECT_EQ(r.Item(33), "0");
    EXPECT_EQ(r.Item(66), "");
    EXPECT_EQ(r.Item(147), "0");
    // A production contract: one empty share per activity.
    EXPECT_EQ(r.Item(36), Values({"001SOI", "001AID"}));
    EXPECT_EQ(r.DCount(37), 2);
    EXPECT_EQ(r.Item(37, 1), "");
}

TEST_F(PayElementsTest, RefusalsAtSaveWriteNothing) {
    const std::string before = Stored().Item();
    OpenBrowser();
    // A pay-entry item charged to an activity the contract no longer has.
    PutContract({{26, "101"}, {27, "2"}, {36, "001MEN"}, {93, "001REP"}});
    const std::string withItem = Stored().Item();
    OpenEditor([&](Frm_ElementsContrat& editor) {
        SelectTab(editor, Onglet::ElementsPaie);
        scripted.messages.expect(
            "Les activités des rubriques de saisie ne sont pas en correspondance avec les activités du contrat.",
            ui::Icon::Exclamation);
        ClickButton(editor, "Cmd_OK");
        scripted.messages.verify();
        EXPECT_TRUE(editor.isVisible());
        // Leaving writes the tab in memory again, which says it again;
        // nothing changed, so nothing is asked.
        scripted.messages.expect(
            "Les activités des rubriques de saisie ne sont pas en correspondance avec les activités du contrat.",
            ui::Icon::Exclamation);
    });
    EXPECT_EQ(Stored().Item(), withItem);

    // A bank transfer for a helper without bank details: on Retour/Yes the
    // message, and nothing written.
    lib.db.OpenTable(RIBAIDANT).DeleteRecord("50001");
    PutContract({{26, "101"}, {27, "2"}, {36, "001MEN"}});
    OpenEditor([&](Frm_ElementsContrat& editor) {
        SelectTab(editor, Onglet::ElementsPaie);
        child<QComboBox>(editor, "Cbo_ModPaieContrat")->setCurrentIndex(0);
        scripted.messages.expect("Voulez-vous enregistrer les modifications apportées à cet article ?",
                                 ui::Icon::Question, ui::Buttons::YesNoCancel, ui::Answer::Yes);
        scripted.messages.expect(
            "Vous ne pouvez pas sélectionner le mode de paiment virement\ncar l'aidant ne possède pas de RIB.",
            ui::Icon::Exclamation);
        ClickButton(editor, "Cmd_Retour");
        scripted.messages.verify();
        EXPECT_TRUE(editor.isVisible());
        // The mode can be changed now: cheque, and the contract is left.
        child<QComboBox>(editor, "Cbo_ModPaieContrat")->setCurrentIndex(1);
        ClickButton(editor, "Cmd_Retour");
        EXPECT_FALSE(editor.isVisible());
    });
    EXPECT_EQ(Stored().Item(), before);
}

TEST_F(PayElementsTest, ALockedLevelWritesNothingOfTheTabAndTestsNoBankDetails) {
    lib.db.OpenTable(RIBAIDANT).DeleteRecord("50001");
    PutContract({{26, "101"}, {27, "1"}, {36, "001MEN"}});
    const std::string before = Stored().Item();
    OpenBrowser();
    browser->Globals().ContractManagementLevel = "3";
    OpenEditor([&](Frm_ElementsContrat& editor) {
        SelectTab(editor, Onglet::ElementsPaie);
        ClickButton(editor, "Cmd_OK");
        EXPECT_FALSE(editor.isVisible());
        EXPECT_EQ(editor.State().writes[Onglet::ElementsPaie], 1);
    });
    EXPECT_EQ(Stored().Item(), before);
}

} // namespace
