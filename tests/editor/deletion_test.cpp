// Deleting a contract from the editor, and the end-date guard at save.
#include "editor_fixture.h"

#include "data/tables.h"

#include <QLineEdit>
#include <QPushButton>

namespace {

using namespace data::tables;
const char* Question = "Etes-vous sûr de vouloir supprimer ce contrat ?";

class DeletionTest : public EditorTest {
protected:
    dba::Record Stored() { return lib.db.OpenTable(CONTRAT).ReadRecord("50001001"); }
};

TEST_F(DeletionTest, RefusedByPayrollWorkOrAnOppositionAndNoChangesNothing) {
    const std::string before = Stored().Item();
    OpenBrowser();
    OpenEditor([&](Frm_ElementsContrat& editor) {
        // The fixture's contract was calculated for 202611.
        scripted.messages.expect(
            "Suppression impossible du contrat car des traitements ont été effectués sur celui-ci.",
            ui::Icon::Exclamation);
        ClickButton(editor, "Cmd_SupprimerContrat");
        scripted.messages.verify();
        lib.db.OpenTable(DETAILCALCUL).DeleteRecord("50001001202611");

        scripted.messages.expect(Question, ui::Icon::Exclamation, ui::Buttons::YesNo, ui::Answer::No);
        ClickButton(editor, "Cmd_SupprimerContrat");
        scripted.messages.verify();
        EXPECT_TRUE(editor.isVisible());
        EXPECT_TRUE(editor.isEnabled());

        lib.Put(OPPOSITION, "500010011", {{1, "Saisie"}});
        scripted.messages.expect(Question, ui::Icon::Exclamation, ui::Buttons::YesNo, ui::Answer::Yes);
        scripted.messages.expect("Il existe une opposition sur ce contrat, impossible de supprimer ce contrat.",
                                 ui::Icon::Exclamation);
        ClickButton(editor, "Cmd_SupprimerContrat");
        scripted.messages.verify();
        EXPECT_TRUE(editor.isVisible());
    });
    EXPECT_EQ(Stored().Item(), before);
}

TEST_F(DeletionTest, YesMarksTheStoredContractDeletedAndTheBrowserNoLongerListsIt) {
    lib.db.OpenTable(DETAILCALCUL).DeleteRecord("50001001202611");
    const std::string before = Stored().Item();
    OpenBrowser();
    OpenEditor([&](Frm_ElementsContrat& editor) {
        child<QLineEdit>(editor, "Txt_PerEssaiContrat")->setText("45"); // not saved by a deletion
        scripted.messages.expect(Question, ui::Icon::Exclamation, ui::Buttons::YesNo, ui::Answer::Yes);
        scripted.messages.expect("Le contrat 50001001 a été supprimé.", ui::Icon::None);
        ClickButton(editor, "Cmd_SupprimerContrat");
        scripted.messages.verify();
        EXPECT_FALSE(editor.isVisible());
        scripted.messages.answerNext(ui::Answer::Ok); // the browser's empty list
    });
    const dba::Record r = Stored();
    EXPECT_EQ(r.Item(65), "O");
    EXPECT_EQ(r.Item(11), "30");
    EXPECT_TRUE(ListedKeys().isEmpty());
}

TEST_F(DeletionTest, AnEndDateBeforeCalculatedPayIsRefusedAtSave) {
    // Calculated for April 2026, ended in March.
    PutContract({{8, Day("31/03/2026")}, {49, "31"}, {50, Day("01/03/2026")}, {51, Day("15/03/2026")},
                 {58, "202603"}, {63, "202604"}, {81, "202604"}});
    lib.Put(DETAILCALCUL, "50001001202604", {{1, "F"}});
    OpenBrowser();
    OpenEditor([&](Frm_ElementsContrat& editor) {
        child<QLineEdit>(editor, "Txt_DateFinContrat")->setText("30/03/2026");
        scripted.messages.expect(
            "Date de fin du contrat non compatible car des traitements ont été effectués après celle-ci.",
            ui::Icon::Exclamation);
        ClickButton(editor, "Cmd_OK");
        scripted.messages.verify();
        EXPECT_TRUE(editor.isVisible());
        child<QLineEdit>(editor, "Txt_DateFinContrat")->setText("31/03/2026");
    });
    EXPECT_EQ(Stored().Item(8), Day("31/03/2026"));
}

} // namespace
