// Printing from the editor: the contract is saved first, and only a save
// that went through hands the document editor control its document; the
// amendment shown is printed under the contract key followed by its number.
#include "editor_fixture.h"

#include "data/tables.h"
#include "data/utility_services.h"
#include "documents/liens.h"
#include "documents/modeles_defaut.h"
#include "screens/ctr_edit/ctr_edit.h"
#include "support/run_program.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QTemporaryDir>

namespace {

using namespace data::tables;
using editor::Onglet;

const QString QuestionHeures =
    QStringLiteral("Le nombre d'heures cumulées tous contrats confondus est supérieur au nombre d'heures "
                   "légal autorisé, voulez-vous continuer ?");

class ImpressionTest : public EditorTest {
protected:
    QTemporaryDir dir;

    void SetUp() override {
        EditorTest::SetUp();
        data::UtilityServices::Instance().SetDecimalSeparator(",");
        lib.Put(CONSTANTESPAIE, keys::ConstantesPaie, {{10, "4800"}});
        lib.Put(CIVILAIDANT, "50001",
                {{2, "MARTIN"}, {3, "Jeanne"}, {7, "rue des Lilas"}, {8, "37000"}, {9, "Tours"}, {31, "001"}});
        lib.Put(CIVILAIDE, "00100",
                {{2, "DUPONT"}, {3, "Marie"}, {7, "avenue de Grammont"}, {8, "37200"}, {9, "Tours"}, {16, "202611"}});
        PutContract({{14, Values({"00", "01", "02"})},
                     {15, Values({Day("01/03/2020"), Day("01/01/2024"), Day("01/06/2025")})},
                     {16, Values({"Assistant(e) de vie A", "Assistant(e) de vie B", "Assistant(e) de vie B"})},
                     {17, Values({"563b", "563b", "563b"})},
                     {18, Values({"Employés des services directs aux particuliers",
                                  "Employés des services directs aux particuliers",
                                  "Employés des services directs aux particuliers"})},
                     {19, Values({"Aides à domicile, aides ménagères", "Aides à domicile, aides ménagères",
                                  "Aides à domicile, aides ménagères"})},
                     {22, Values({"", "", ""})},
                     {23, Values({"11500", "12000", "12500"})},
                     {24, Values({"2000", "2000", "3000"})},
                     {25, Values({"1", "1", "1"})},
                     {68, Values({"1", "1", "1"})},
                     {69, Values({"C", "L", "S"})}});
        documents::InstallerModelesDefaut(lib.db, Day("01/12/2026"));
    }
    void TearDown() override { data::UtilityServices::Instance().ResetDecimalSeparator(); }

    dba::Record Stored() { return lib.db.OpenTable(CONTRAT).ReadRecord("50001001"); }
    static screens::Ctr_Edit* Edit(Frm_ElementsContrat& editor) { return child<screens::Ctr_Edit>(editor, "Ctr_Edit"); }
};

TEST_F(ImpressionTest, AmendmentTwoIsSavedThenPrintedUnderTheContractKeyAndItsNumber) {
    const QString pdf = dir.filePath(QStringLiteral("avenant.pdf"));
    Frm_ElementsContrat* shown = nullptr;
    OpenBrowser();
    OpenEditor([&](Frm_ElementsContrat& editor) {
        shown = &editor;
        SelectTab(editor, Onglet::Caracteristiques);
        child<QScrollBar>(editor, "Bdh_Avenant")->setValue(2);
        ASSERT_EQ(child<QLineEdit>(editor, "Txt_AvenantContrat")->text(), "02");
        screens::Ctr_Edit* edit = Edit(editor);
        edit->SetChoixFichierPdf([&](QWidget*, const QString& suggested) {
            EXPECT_EQ(suggested, "avenant-02-contrat-50001001.pdf");
            return pdf;
        });
        scripted.modal.onNext("Frm_ApercuDocument", [&](QDialog& preview) {
            // Saved and closed before anything is printed.
            EXPECT_FALSE(editor.isVisible());
            EXPECT_EQ(edit->W_CleDocument(), "5000100102");
            EXPECT_EQ(edit->W_Modele(), "00102");
            EXPECT_EQ(edit->W_Option(), "");
            EXPECT_EQ(preview.windowTitle(), "Aperçu : Avenant n° 02 au contrat n° 50001001");
            preview.findChild<QAction*>(QStringLiteral("Act_EnregistrerPdf"))->trigger();
        });
        ClickButton(editor, "Cmd_ImpAvenant");
        scripted.modal.verify();
        EXPECT_EQ(edit->Executions(), 1);
    });
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->RetourDocument(), "PDF " + pdf);
    EXPECT_FALSE(shown->State().saveAndPrintPending);
    EXPECT_FALSE(shown->State().amendmentPrinted);
    const ProgramRun text = RunProgram(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    EXPECT_TRUE(text.out.contains(QStringLiteral("Avenant n° 02 au contrat n° 50001001"))) << text.out.toStdString();
    // Noted under the amendment's key; and, the contract itself not being
    // printed, its document link was touched by the save.
    const std::vector<documents::Impression> noted = documents::Impressions(lib.db, "00102AVENANT", "5000100102");
    ASSERT_EQ(noted.size(), 1u);
    EXPECT_EQ(noted.front().utilisateur, "test");
    EXPECT_EQ(noted.front().destination, "PDF " + pdf);
    EXPECT_TRUE(lib.db.OpenTable(LIENAVENANT).Exists("00102AVENANT"));
    EXPECT_TRUE(lib.db.OpenTable(LIENCONTRAT).Exists("00102CONTRAT"));
}

TEST_F(ImpressionTest, ThePrintFollowsOnlyASaveThatWentThrough) {
    // Another contract of the helper: 20 hours a week more.
    lib.Put(CONTRAT, "50001002",
            {{1, "02"}, {2, "001"}, {3, "00200"}, {7, Day("01/01/2021")}, {24, "2000"}, {25, "1"}});
    struct Case {
        const char* what;
        const char* duree;     // typed on "Caractéristiques"
        ui::Answer answer;     // to the hours question, when asked
        bool printed;
    } cases[] = {
        {"the hours question answered No", "30", ui::Answer::No, false},
        {"the hours question answered Yes", "30", ui::Answer::Yes, true},
        {"nothing changed: saved and printed", nullptr, ui::Answer::Ok, true},
    };
    OpenBrowser();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PutContract();
        const std::string before = Stored().Item();
        OpenEditor([&](Frm_ElementsContrat& editor) {
            SelectTab(editor, Onglet::Caracteristiques);
            if (c.duree) {
                child<QLineEdit>(editor, "Txt_DureeWContrat")->setText(QString::fromUtf8(c.duree));
                QComboBox* freq = child<QComboBox>(editor, "Cbo_FreqWContrat");
                freq->setCurrentIndex(freq->findText(QStringLiteral("Hebdo")));
                scripted.messages.expect(QuestionHeures, ui::Icon::Exclamation, ui::Buttons::YesNo, c.answer);
            }
            if (c.printed)
                scripted.modal.onNext("Frm_ApercuDocument", [&](QDialog& preview) {
                    EXPECT_EQ(Edit(editor)->W_CleDocument(), "50001001");
                    preview.reject(); // closed without printing
                });
            const int runs = Edit(editor)->Executions();
            ClickButton(editor, "Cmd_ImpContrat");
            scripted.messages.verify();
            scripted.modal.verify();
            EXPECT_FALSE(editor.isVisible());
            EXPECT_EQ(Edit(editor)->Executions() - runs, c.printed ? 1 : 0);
            EXPECT_FALSE(editor.State().saveAndPrintPending);
            EXPECT_FALSE(editor.State().contractPrinted);
            EXPECT_EQ(editor.RetourDocument(), "");
        });
        if (!c.printed) {
            EXPECT_EQ(Stored().Item(), before);
        }
        // The contract being printed, the save leaves its document link to
        // the printing, and a preview closed unprinted notes nothing.
        EXPECT_FALSE(lib.db.OpenTable(LIENCONTRAT).Exists("00102CONTRAT"));
        EXPECT_TRUE(documents::Impressions(lib.db, "00102CONTRAT", "50001001").empty());
    }
}

TEST_F(ImpressionTest, AReadOnlyUserPrintsTheContractAsStoredWithoutSaving) {
    const std::string before = Stored().Item();
    OpenBrowser("lecture");
    OpenEditor([&](Frm_ElementsContrat& editor) {
        child<QLineEdit>(editor, "Txt_PerEssaiContrat")->setText("45");
        scripted.modal.onNext("Frm_ApercuDocument", [&](QDialog& preview) {
            EXPECT_TRUE(editor.isVisible());
            EXPECT_EQ(Edit(editor)->W_CleDocument(), "50001001");
            preview.reject();
        });
        ClickButton(editor, "Cmd_ImpContrat");
        scripted.modal.verify();
        EXPECT_TRUE(editor.isVisible());
    });
    EXPECT_EQ(Stored().Item(), before);
}

} // namespace
