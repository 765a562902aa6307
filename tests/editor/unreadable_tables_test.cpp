// A table the editor cannot read is named to the user, and a guard that
// could not look refuses rather than lets through.
#include "editor_fixture.h"

#include "data/tables.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <sqlite3.h>

namespace {

using editor::Onglet;
using namespace data::tables;

class UnreadableTablesTest : public EditorTest {
protected:
    // The table is lost to a damaged database, behind the library's back.
    void Lose(const char* table) {
        sqlite3* raw = nullptr;
        ASSERT_EQ(sqlite3_open(lib.Path().c_str(), &raw), SQLITE_OK);
        const std::string sql = std::string("DROP TABLE \"") + table + "\"";
        ASSERT_EQ(sqlite3_exec(raw, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(raw);
    }
    // The one message shown, which names `table`.
    void ExpectNamed(const char* table, const QString& beginning) {
        ASSERT_EQ(scripted.messages.shown().size(), 1u);
        const ShownMessage& shown = scripted.messages.shown().front();
        EXPECT_TRUE(shown.text.startsWith(beginning)) << shown.text.toStdString();
        EXPECT_TRUE(shown.text.contains(QStringLiteral("Lecture de la table ") + table + " impossible"))
            << shown.text.toStdString();
        EXPECT_EQ(shown.icon, ui::Icon::Exclamation);
    }
};

TEST_F(UnreadableTablesTest, LoadingSaysWhichListCouldNotBeRead) {
    Lose(CONVENTIONCOL);
    OpenBrowser();
    scripted.messages.answerNext(ui::Answer::Ok);
    OpenEditor([&](Frm_ElementsContrat& editor) {
        ExpectNamed(CONVENTIONCOL, QStringLiteral("Le contrat ne peut pas être affiché entièrement."));
        // What could be read is shown.
        EXPECT_EQ(child<QComboBox>(editor, "Cbo_LibEmplEtabContrat")->currentText(), "DUPONT Marie");
    });
}

TEST_F(UnreadableTablesTest, UncheckedBankDetailsKeepTheEditorOpen) {
    PutContract({{27, "1"}});
    Lose(RIBAIDANT);
    OpenBrowser();
    OpenEditor([&](Frm_ElementsContrat& editor) {
        SelectTab(editor, Onglet::ElementsPaie);
        // The first mode, bank transfer.
        ASSERT_EQ(child<QComboBox>(editor, "Cbo_ModPaieContrat")->currentIndex(), 0);
        scripted.messages.answerNext(ui::Answer::Ok);
        ClickButton(editor, "Cmd_Retour");
        ExpectNamed(RIBAIDANT, QStringLiteral("Lecture de la table RIBAIDANT"));
        EXPECT_TRUE(editor.isVisible());
        EXPECT_EQ(editor.focusWidget(), child<QComboBox>(editor, "Cbo_ModPaieContrat"));
        child<QComboBox>(editor, "Cbo_ModPaieContrat")->setCurrentIndex(1);
        scripted.messages.answerNext(ui::Answer::No);
    });
}

TEST_F(UnreadableTablesTest, AnInvoiceThatCouldNotBeLookedForKeepsTheEndTabClosed) {
    lib.Put(CIVILAIDE, "00100", {{2, "DUPONT"}, {3, "Marie"}, {16, "202610"}});
    Lose(DETAILCALCUL);
    OpenBrowser();
    OpenEditor([&](Frm_ElementsContrat& editor) {
        SelectTab(editor, Onglet::DroitsConges);
        scripted.messages.answerNext(ui::Answer::Ok);
        SelectTab(editor, Onglet::FinContrat);
        ExpectNamed(DETAILCALCUL, QStringLiteral("Lecture de la table DETAILCALCUL"));
        EXPECT_EQ(child<QTabWidget>(editor, "Ong_Contrat")->currentIndex(), Onglet::DroitsConges);
    });
}

TEST_F(UnreadableTablesTest, RetourAsksOnlyAboutWhatTheUserChanged) {
    // Stored values the screen shows otherwise: no trial renewal flag, a
    // nature no longer in the list, a presumed end on an open-ended contract.
    PutContract({{12, ""}, {13, "99"}, {60, Day("31/12/2030")}});
    const std::string before = lib.db.OpenTable(CONTRAT).ReadRecord("50001001").Item();
    OpenBrowser();
    OpenEditor([&](Frm_ElementsContrat& editor) {
        SelectTab(editor, Onglet::Caracteristiques);
        ClickButton(editor, "Cmd_Retour");
        EXPECT_FALSE(editor.isVisible());
        EXPECT_TRUE(scripted.messages.shown().empty());
    });
    EXPECT_EQ(lib.db.OpenTable(CONTRAT).ReadRecord("50001001").Item(), before);
    // A change the user made is still asked about.
    OpenEditor([&](Frm_ElementsContrat& editor) {
        child<QLineEdit>(editor, "Txt_PerEssaiContrat")->setText("45");
        scripted.messages.expect("Voulez-vous enregistrer les modifications apportées à cet article ?",
                                 ui::Icon::Question, ui::Buttons::YesNoCancel, ui::Answer::No);
        ClickButton(editor, "Cmd_Retour");
        EXPECT_FALSE(editor.isVisible());
    });
}

} // namespace
