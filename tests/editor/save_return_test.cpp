// Saving the contract with OK and leaving it with Retour, through the
// browser as a user does: what is written, what is asked, and that another
// workstation's work is never overwritten.
#include "editor_fixture.h"

#include "data/tables.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

using data::tables::CONTRAT;
using editor::Onglet;

const QString Question =
    QStringLiteral("Voulez-vous enregistrer les modifications apportées à cet article ?");
const QString ModifieAilleurs = QStringLiteral(
    "Ce contrat a été modifié sur un autre poste depuis son ouverture. Vos modifications ne peuvent pas être "
    "enregistrées : fermez le contrat puis ouvrez-le de nouveau.");

class SaveReturnTest : public EditorTest {
protected:
    dba::Record Stored() { return lib.db.OpenTable(CONTRAT).ReadRecord("50001001"); }
    // The stored contract, field by field (1 to 160).
    std::vector<std::string> StoredFields() {
        const dba::Record r = Stored();
        std::vector<std::string> fields;
        for (int f = 1; f <= 160; ++f)
            fields.push_back(r.Item(f));
        return fields;
    }
    static QLineEdit* Edit(Frm_ElementsContrat& editor, const char* name) {
        return child<QLineEdit>(editor, name);
    }
};

TEST_F(SaveReturnTest, RetourWithoutChangeClosesAtOnceAndWritesNothing) {
    const std::string before = Stored().Item();
    OpenBrowser();
    OpenEditor([&](Frm_ElementsContrat& editor) {
        SelectTab(editor, Onglet::Caracteristiques);
        SelectTab(editor, Onglet::Origine);
        ClickButton(editor, "Cmd_Retour");
        EXPECT_FALSE(editor.isVisible());
        EXPECT_EQ(scripted.messages.beeps(), 0);
    });
    EXPECT_EQ(Stored().Item(), before);
}

TEST_F(SaveReturnTest, AnyChangeAsksAndCancelKeepsEverythingTyped) {
    const std::vector<std::string> before = StoredFields();
    OpenBrowser();
    OpenEditor([&](Frm_ElementsContrat& editor) {
        Edit(editor, "Txt_PerEssaiContrat")->setText("45");
        Edit(editor, "Txt_DureeMinContrat")->setText("6 mois");
        child<QCheckBox>(editor, "Cac_RenouvEssaiContrat")->setChecked(false);
        scripted.messages.expect(Question, ui::Icon::Question, ui::Buttons::YesNoCancel, ui::Answer::Cancel);
        ClickButton(editor, "Cmd_Retour");
        scripted.messages.verify();
        EXPECT_EQ(scripted.messages.beeps(), 1);
        EXPECT_TRUE(editor.isVisible());
        EXPECT_EQ(Edit(editor, "Txt_PerEssaiContrat")->text(), "45");
        EXPECT_EQ(Edit(editor, "Txt_DureeMinContrat")->text(), "6 mois");
        EXPECT_FALSE(child<QCheckBox>(editor, "Cac_RenouvEssaiContrat")->isChecked());
        EXPECT_EQ(StoredFields(), before);

        // "Non" leaves without writing.
        scripted.messages.expect(Question, ui::Icon::Question, ui::Buttons::YesNoCancel, ui::Answer::No);
        ClickButton(editor, "Cmd_Retour");
        EXPECT_FALSE(editor.isVisible());
    });
    EXPECT_EQ(StoredFields(), before);
}

TEST_F(SaveReturnTest, YesOnRetourSavesTheChanges) {
    OpenBrowser();
    OpenEditor([&](Frm_ElementsContrat& editor) {
        Edit(editor, "Txt_PerEssaiContrat")->setText("45");
        scripted.messages.expect(Question, ui::Icon::Question, ui::Buttons::YesNoCancel, ui::Answer::Yes);
        ClickButton(editor, "Cmd_Retour");
        EXPECT_FALSE(editor.isVisible());
        // Saved through the tab's own check.
        EXPECT_EQ(editor.State().checks[Onglet::Origine], 1);
    });
    EXPECT_EQ(Stored().Item(11), "45");
    EXPECT_EQ(browser->Globals().OpeningRecordText, Stored().Item());
}

TEST_F(SaveReturnTest, AReadOnlyUserLeavesWithoutQuestionAndWritesNothing) {
    const std::string before = Stored().Item();
    OpenBrowser("lecture");
    OpenEditor([&](Frm_ElementsContrat& editor) {
        Edit(editor, "Txt_PerEssaiContrat")->setText("45");
        ClickButton(editor, "Cmd_Retour");
        EXPECT_FALSE(editor.isVisible());
        EXPECT_TRUE(scripted.messages.shown().empty());
    });
    EXPECT_EQ(Stored().Item(), before);
}

TEST_F(SaveReturnTest, OkWritesExactlyTheFieldsOfTheLoadedTabs) {
    lib.db.CreateTable(data::tables::LIENCONTRAT);
    std::vector<std::string> expected = StoredFields();
    OpenBrowser();
    OpenEditor([&](Frm_ElementsContrat& editor) {
        Edit(editor, "Txt_PerEssaiContrat")->setText("45");
        Edit(editor, "Txt_DureeMinContrat")->setText("6 mois");
        child<QCheckBox>(editor, "Cac_RenouvEssaiContrat")->setChecked(false);
        QComboBox* nature = child<QComboBox>(editor, "Cbo_NatureContrat");
        nature->setCurrentText("Emploi");
        ClickButton(editor, "Cmd_OK");
        EXPECT_FALSE(editor.isVisible());
        // Tabs 1 and 5 only: the others were never shown.
        EXPECT_EQ(editor.State().checks, (std::array<int, 5>{1, 0, 0, 0, 1}));
        EXPECT_EQ(editor.State().writes, (std::array<int, 5>{1, 0, 0, 0, 1}));
    });
    expected[11 - 1] = "45";
    expected[12 - 1] = "0";
    expected[13 - 1] = "01";
    expected[62 - 1] = "6 mois";
    const std::vector<std::string> stored = StoredFields();
    for (int f = 1; f <= 160; ++f)
        EXPECT_EQ(stored[f - 1], expected[f - 1]) << "field " << f;
    // No padding stored for the empty fields the tab writes.
    EXPECT_NE(Stored().Item().back(), '\xFE');
    // The document of the contract is marked for its next printing.
    EXPECT_TRUE(lib.db.OpenTable(data::tables::LIENCONTRAT).Exists("00102CONTRAT"));
}

TEST_F(SaveReturnTest, ALockHeldOnAnotherWorkstationWritesNothingAndKeepsTheEditorOpen) {
    dba::Database other = lib.OpenAnotherSession();
    other.SetUserName("poste2");
    const std::string before = Stored().Item();
    OpenBrowser();
    OpenEditor([&](Frm_ElementsContrat& editor) {
        dba::Record held = other.OpenTable(CONTRAT).ReadRecordLocked("50001001");
        Edit(editor, "Txt_PerEssaiContrat")->setText("45");
        const QString locked =
            QStringLiteral("Ce contrat est en cours de modification sur un autre poste (") +
            QString::fromStdString(other.HolderName()) +
            QStringLiteral("). Veuillez réessayer dans quelques instants.");
        scripted.messages.expect(locked, ui::Icon::Exclamation);
        ClickButton(editor, "Cmd_OK");
        scripted.messages.verify();
        EXPECT_TRUE(editor.isVisible());
        EXPECT_EQ(Edit(editor, "Txt_PerEssaiContrat")->text(), "45");
        EXPECT_EQ(Stored().Item(), before);

        // The same from Retour's "Oui".
        scripted.messages.expect(Question, ui::Icon::Question, ui::Buttons::YesNoCancel, ui::Answer::Yes);
        scripted.messages.expect(locked, ui::Icon::Exclamation);
        ClickButton(editor, "Cmd_Retour");
        scripted.messages.verify();
        EXPECT_TRUE(editor.isVisible());
        EXPECT_EQ(Stored().Item(), before);

        // Once the other workstation lets go, the same OK saves.
        held.Release();
        ClickButton(editor, "Cmd_OK");
        EXPECT_FALSE(editor.isVisible());
    });
    EXPECT_EQ(Stored().Item(11), "45");
}

TEST_F(SaveReturnTest, AContractChangedElsewhereSinceOpeningIsNeverOverwritten) {
    dba::Database other = lib.OpenAnotherSession();
    OpenBrowser();
    OpenEditor([&](Frm_ElementsContrat& editor) {
        // Saved on another workstation after this one opened the contract.
        dba::Record theirs = other.OpenTable(CONTRAT).ReadRecordLocked("50001001");
        theirs.SetItem(84, "CAISSE");
        theirs.DBWrite();
        const std::string afterTheirs = Stored().Item();

        Edit(editor, "Txt_PerEssaiContrat")->setText("45");
        scripted.messages.expect(ModifieAilleurs, ui::Icon::Exclamation);
        ClickButton(editor, "Cmd_OK");
        scripted.messages.verify();
        EXPECT_TRUE(editor.isVisible());
        EXPECT_EQ(Edit(editor, "Txt_PerEssaiContrat")->text(), "45");
        EXPECT_EQ(Stored().Item(), afterTheirs);
        // Our lock did not outlive the refusal.
        EXPECT_NO_THROW(other.OpenTable(CONTRAT).ReadRecordLocked("50001001").Release());

        scripted.messages.expect(Question, ui::Icon::Question, ui::Buttons::YesNoCancel, ui::Answer::Yes);
        scripted.messages.expect(ModifieAilleurs, ui::Icon::Exclamation);
        ClickButton(editor, "Cmd_Retour");
        scripted.messages.verify();
        EXPECT_TRUE(editor.isVisible());
        EXPECT_EQ(Stored().Item(), afterTheirs);

        scripted.messages.expect(Question, ui::Icon::Question, ui::Buttons::YesNoCancel, ui::Answer::No);
        ClickButton(editor, "Cmd_Retour");
        EXPECT_FALSE(editor.isVisible());
    });
    EXPECT_EQ(Stored().Item(84), "CAISSE");
    EXPECT_EQ(Stored().Item(11), "30");
}

TEST_F(SaveReturnTest, ASecondSaveAfterASuccessfulOneIsComparedWithWhatWasSaved) {
    OpenBrowser();
    OpenEditor([&](Frm_ElementsContrat& editor) {
        Edit(editor, "Txt_PerEssaiContrat")->setText("45");
        ClickButton(editor, "Cmd_OK");
        EXPECT_FALSE(editor.isVisible());
    });
    OpenEditor([&](Frm_ElementsContrat& editor) {
        EXPECT_EQ(Edit(editor, "Txt_PerEssaiContrat")->text(), "45");
        Edit(editor, "Txt_PerEssaiContrat")->setText("60");
        ClickButton(editor, "Cmd_OK");
        EXPECT_FALSE(editor.isVisible());
    });
    EXPECT_EQ(Stored().Item(11), "60");
}

TEST_F(SaveReturnTest, ARuleCheckThatRefusesStopsTheSaveWithNothingWritten) {
    struct Case {
        rules::SaveCheck check;
        bool closes; // a refused hours check drops the contract and hides the editor
    } cases[] = {{rules::SaveCheck::ContractOverlap, false},
                 {rules::SaveCheck::ModificationPossible, false},
                 {rules::SaveCheck::HoursLimit, true}};
    const std::string before = Stored().Item();
    OpenBrowser();
    for (const Case& c : cases) {
        OpenEditor([&](Frm_ElementsContrat& editor) {
            int runs = 0;
            editor.ControlesEnregistrement() = rules::SaveChecks();
            editor.ControlesEnregistrement().Install(c.check, [&] { return ++runs > 0; });
            // The hours are checked when the working time changed.
            SelectTab(editor, Onglet::Caracteristiques);
            Edit(editor, "Txt_DureeWContrat")->setText("50");
            Edit(editor, "Txt_PerEssaiContrat")->setText("45");
            // A print waiting for this save is dropped with it.
            editor.State().saveAndPrintPending = true;
            ClickButton(editor, "Cmd_OK");
            const std::string name = rules::SaveCheckName(c.check).toStdString();
            EXPECT_EQ(runs, 1) << name;
            EXPECT_EQ(editor.isVisible(), !c.closes) << name;
            EXPECT_EQ(Stored().Item(), before) << name;
            EXPECT_FALSE(editor.State().saveAndPrintPending) << name;
            // Past the tab checks the window may close, as after any save.
            EXPECT_EQ(editor.State().closePermission, 1) << name;
            editor.ControlesEnregistrement() = rules::SaveChecks();
            if (editor.isVisible()) {
                scripted.messages.expect(Question, ui::Icon::Question, ui::Buttons::YesNoCancel,
                                         ui::Answer::No);
                ClickButton(editor, "Cmd_Retour");
            }
        });
    }
}

} // namespace
