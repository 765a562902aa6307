// The follow-up screen opened from the editor's "Suivi Contrat" button: the
// helper, the contract's identity as shown and the editor's rights reach the
// screen, which works on the editor's record.
#include "editor_fixture.h"

#include "data/contrat_fields.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

namespace s = data::contrat::suivi;
using editor::Onglet;

TEST_F(EditorTest, SuiviContratOpensTheFollowUpOfTheContractShown) {
    PutContract({{s::Periode, Values({"202601", "202602"})},
                 {s::HeuresContrat, Values({"15167", "15167"})},
                 {s::HeuresAbsence, Values({"800", "0"})},
                 {s::HeuresReelles, Values({"14617", "15067"})},
                 {s::Difference, Values({"250", "-100"})},
                 {s::RegulModulation, Values({"100", "0"})}});
    OpenBrowser();
    OpenEditor([&](Frm_ElementsContrat& editor) {
        SelectTab(editor, Onglet::Caracteristiques);
        scripted.modal.onNext("Frm_ContratAnnuel", [&](QDialog& screen) {
            EXPECT_EQ(screen.findChild<QLabel*>("Etq_CodeAidant")->text(), QStringLiteral("50001"));
            EXPECT_EQ(screen.findChild<QListWidget*>("Lst_Periode")->count(), 2);
            EXPECT_EQ(screen.findChild<QListWidget*>("Lst_Solde")->item(1)->text().trimmed(),
                      "0" + editor.Globals().DecimalSeparator + "50"); // the workstation's separator
            auto* periods = screen.findChild<QComboBox*>("Cbo_Periode");
            ASSERT_EQ(periods->count(), 12);
            EXPECT_EQ(periods->itemText(11), QStringLiteral("DÉCEMBRE 2026"));
            EXPECT_TRUE(screen.findChild<QPushButton*>("Cmd_OK")->isVisibleTo(&screen));
            // Everything deleted, then OK: the editor's record loses its follow-up.
            scripted.messages.answerNext(ui::Answer::Yes);
            QTest::mouseClick(screen.findChild<QPushButton*>("Cmd_Supprimer"), Qt::LeftButton);
            QTest::mouseClick(screen.findChild<QPushButton*>("Cmd_OK"), Qt::LeftButton);
        });
        ClickButton(editor, "Cmd_SuiviAnnuel");
        scripted.modal.verify();
        EXPECT_TRUE(editor.Globals().ContractRecord.Item(s::Periode).empty());
        EXPECT_TRUE(editor.Globals().ContractRecord.Item(s::HeuresContrat).empty());
        EXPECT_TRUE(editor.isEnabled());
        // Leaving the editor now asks whether to save the changed contract.
        scripted.messages.answerNext(ui::Answer::No);
    });
}

} // namespace
