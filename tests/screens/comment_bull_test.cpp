// The payslip comments screen, opened as the contract editor opens it, on a
// real database: lines shown by period, one comment per period, rights,
// the save question, and fields 87 and 88 written back.
#include "data/access_rights.h"
#include "data/contrat_fields.h"
#include "data/procedures.h"
#include "data/tables.h"
#include "dba/dynarray.h"
#include "screens/comment_bull/frm_comment_bull.h"
#include "screens/comment_bull/ouvrir_comment_bull.h"
#include "support/install_scripted.h"
#include "support/library_fixture.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <functional>
#include "support/form_probe.h"

#include <gtest/gtest.h>

namespace c = data::contrat;

namespace {

using probe::child;
using probe::Click;
using probe::Rows;
using probe::Screenshot;

const QString SaveQuestion = "Voulez-vous enregistrer les modifications apportées à cet article ?";
const QString DeleteQuestion = "Etes-vous sûr de vouloir supprimer cette ligne ?";
const QString LeaveCreation = "Etes-vous sûr de vouloir quitter cette création ?";

class CommentBullTest : public ::testing::Test {
protected:
    InstallScripted scripted;
    LibraryDatabase lib;
    data::GlobalState g;
    QWidget editor; // stands for the contract editor

    void SetUp() override {
        lib.Put(
            data::tables::CONTRAT, "50001001",
            {{1, "02"},
             {c::PeriodesCommentaire, Values({"202611", "202609", "202610"})},
             {c::TextesCommentaire, Values({"Prime de novembre", "Heures de septembre", "Rappel d'octobre"})},
             {89, "010"}});
        g.TheDatabase = lib.db;
        data::Ouvrir_Tables(g);
        g.ContractRecord = g.Handles.Contrat.ReadRecord("50001001");
    }

    bool Open(const std::function<void(Frm_CommentBull&)>& whileOpen, const std::string& user = "plein") {
        scripted.modal.onNext("Frm_CommentBull",
                              [&](QDialog& dialog) { whileOpen(dynamic_cast<Frm_CommentBull&>(dialog)); });
        return screens::OuvrirCommentBull(g, std::make_shared<data::AccessRights>(lib.db, user), &editor);
    }

    static void DoubleClickRow(QWidget& form, int row) {
        auto* l = child<QListWidget>(form, "Lst_Libelle");
        const QRect rect = l->visualItemRect(l->item(row));
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, rect.center());
        QTest::mouseDClick(l->viewport(), Qt::LeftButton, {}, rect.center());
    }
    static void Add(QWidget& form, int period, const QString& text) {
        Click(form, "Cmd_Ajouter");
        child<QComboBox>(form, "Cbo_Periode")->setCurrentIndex(period);
        child<QLineEdit>(form, "Txt_Libelle")->insert(text); // accents: typed as pasted
        Click(form, "Cmd_OK");
    }
};

} // namespace

TEST_F(CommentBullTest, LinesByPeriodAndGivenBackUnchanged) {
    const std::string before = g.ContractRecord.Item();
    const bool changed = Open([&](Frm_CommentBull& f) {
        EXPECT_EQ(f.windowTitle(), "Commentaires sur bulletins");
        EXPECT_EQ(Rows(f, "Lst_Periode"), QStringList({"SEPTEMBRE 2026", "OCTOBRE 2026", "NOVEMBRE 2026"}));
        EXPECT_EQ(Rows(f, "Lst_Libelle"),
                  QStringList({"Heures de septembre", "Rappel d'octobre", "Prime de novembre"}));
        auto* periods = child<QComboBox>(f, "Cbo_Periode");
        ASSERT_EQ(periods->count(), 2);
        EXPECT_EQ(periods->itemText(0), "NOVEMBRE 2026");
        EXPECT_EQ(periods->itemText(1), "DÉCEMBRE 2026");
        EXPECT_FALSE(periods->isEnabled());
        EXPECT_FALSE(child<QPushButton>(f, "Cmd_Supprimer")->isEnabled());
        EXPECT_FALSE(child<QScrollBar>(f, "Bdv_Detail")->isVisible());
        EXPECT_EQ(child<QListWidget>(f, "Lst_Libelle")->width(), 7455 / 15);
        // The window's own close box does nothing.
        EXPECT_FALSE(f.close());
        EXPECT_TRUE(f.isVisible());
        Click(f, "Cmd_Sortir");
    });
    EXPECT_FALSE(changed);
    EXPECT_EQ(g.ContractRecord.Item(), before);
    EXPECT_EQ(scripted.messages.beeps(), 0);
}

TEST_F(CommentBullTest, OneCommentPerPeriodNewOnesSortedIntoPlace) {
    scripted.messages.expect("La période sélectionnée est déjà renseignée.", ui::Icon::Exclamation)
        .expect("La période ainsi que le libellé sont obligatoires.", ui::Icon::Exclamation);
    const bool changed = Open([&](Frm_CommentBull& f) {
        Add(f, 0, "Encore novembre"); // refused: November already has its comment
        EXPECT_TRUE(child<QComboBox>(f, "Cbo_Periode")->hasFocus());
        EXPECT_EQ(child<QLineEdit>(f, "Txt_Libelle")->text(), "Encore novembre");
        child<QComboBox>(f, "Cbo_Periode")->setCurrentIndex(1);
        child<QLineEdit>(f, "Txt_Libelle")->clear();
        Click(f, "Cmd_OK"); // refused: no text
        EXPECT_TRUE(child<QLineEdit>(f, "Txt_Libelle")->hasFocus());
        child<QLineEdit>(f, "Txt_Libelle")->insert("Prime de fin d'année");
        Click(f, "Cmd_OK");
        EXPECT_EQ(Rows(f, "Lst_Periode").last(), "DÉCEMBRE 2026");
        EXPECT_FALSE(child<QLineEdit>(f, "Txt_Libelle")->isEnabled());
        EXPECT_TRUE(child<QPushButton>(f, "Cmd_Sortir")->isEnabled());
        // A changed line keeps its period and its place.
        DoubleClickRow(f, 1);
        EXPECT_FALSE(child<QComboBox>(f, "Cbo_Periode")->isEnabled());
        EXPECT_EQ(child<QComboBox>(f, "Cbo_Periode")->currentText(), "OCTOBRE 2026");
        auto* text = child<QLineEdit>(f, "Txt_Libelle");
        text->selectAll();
        text->insert("Rappel corrigé");
        Screenshot(f, "comment_bull_modification.png");
        Click(f, "Cmd_OK");
        EXPECT_EQ(Rows(f, "Lst_Libelle").value(1), "Rappel corrigé");
        EXPECT_EQ(child<QComboBox>(f, "Cbo_Periode")->count(), 2);
        Click(f, "Cmd_OK"); // validates and closes
    });
    EXPECT_TRUE(changed);
    EXPECT_EQ(g.ContractRecord.Item(c::PeriodesCommentaire),
              Values({"202609", "202610", "202611", "202612"}));
    EXPECT_EQ(g.ContractRecord.Item(c::TextesCommentaire),
              Values({"Heures de septembre", "Rappel corrigé", "Prime de novembre", "Prime de fin d'année"}));
    EXPECT_EQ(g.ContractRecord.Item(89), "010");
}

TEST_F(CommentBullTest, DeletedCommentDoesNotComeBack) {
    scripted.messages.expect(DeleteQuestion, ui::Icon::Exclamation, ui::Buttons::YesNo, ui::Answer::No)
        .expect(DeleteQuestion, ui::Icon::Exclamation, ui::Buttons::YesNo, ui::Answer::Yes);
    Open([&](Frm_CommentBull& f) {
        DoubleClickRow(f, 0);
        Click(f, "Cmd_Supprimer"); // No: the line stays, the entry ends
        EXPECT_EQ(Rows(f, "Lst_Periode").size(), 3);
        EXPECT_FALSE(child<QLineEdit>(f, "Txt_Libelle")->isEnabled());
        DoubleClickRow(f, 0);
        Click(f, "Cmd_Supprimer");
        EXPECT_EQ(Rows(f, "Lst_Periode"), QStringList({"OCTOBRE 2026", "NOVEMBRE 2026"}));
        Click(f, "Cmd_OK");
    });
    EXPECT_EQ(g.ContractRecord.Item(c::PeriodesCommentaire), Values({"202610", "202611"}));
    Open([&](Frm_CommentBull& f) {
        EXPECT_EQ(Rows(f, "Lst_Libelle"), QStringList({"Rappel d'octobre", "Prime de novembre"}));
        Click(f, "Cmd_Annuler"); // nothing entered: leaves
    });
}

TEST_F(CommentBullTest, RetourAsksBeforeKeepingChanges) {
    const std::string before = g.ContractRecord.Item();
    scripted.messages.expect(LeaveCreation, ui::Icon::Exclamation, ui::Buttons::YesNo, ui::Answer::No)
        .expect(LeaveCreation, ui::Icon::Exclamation, ui::Buttons::YesNo, ui::Answer::Yes)
        .expect(SaveQuestion, ui::Icon::Exclamation, ui::Buttons::YesNoCancel, ui::Answer::Cancel)
        .expect(SaveQuestion, ui::Icon::Exclamation, ui::Buttons::YesNoCancel, ui::Answer::No);
    Open([&](Frm_CommentBull& f) {
        Click(f, "Cmd_Ajouter");
        Click(f, "Cmd_Annuler"); // No: still creating
        EXPECT_TRUE(child<QComboBox>(f, "Cbo_Periode")->isEnabled());
        Click(f, "Cmd_Annuler"); // Yes
        EXPECT_FALSE(child<QComboBox>(f, "Cbo_Periode")->isEnabled());
        Add(f, 1, "Décembre");
        Click(f, "Cmd_Sortir"); // Cancel: the screen stays with its new line
        EXPECT_TRUE(f.isVisible());
        EXPECT_EQ(Rows(f, "Lst_Periode").size(), 4);
        EXPECT_EQ(g.ContractRecord.Item(), before);
        Click(f, "Cmd_Sortir"); // No: nothing kept
    });
    EXPECT_EQ(g.ContractRecord.Item(), before);
    EXPECT_EQ(scripted.messages.beeps(), 2);

    scripted.messages.expect(SaveQuestion, ui::Icon::Exclamation, ui::Buttons::YesNoCancel, ui::Answer::Yes);
    EXPECT_TRUE(Open([&](Frm_CommentBull& f) {
        Add(f, 1, "Décembre");
        Click(f, "Cmd_Sortir");
    }));
    EXPECT_EQ(g.ContractRecord.Item(c::PeriodesCommentaire, 4), "202612");
}

TEST_F(CommentBullTest, ReadOnlyUserCannotWriteAndLeavesSilently) {
    const std::string before = g.ContractRecord.Item();
    Open(
        [&](Frm_CommentBull& f) {
            for (const char* hidden : {"Cmd_Ajouter", "Cmd_OK", "Cmd_Supprimer"})
                EXPECT_TRUE(child<QPushButton>(f, hidden)->isHidden()) << hidden;
            Click(f, "Cmd_Sortir");
        },
        "lecture");
    EXPECT_EQ(g.ContractRecord.Item(), before);
    EXPECT_TRUE(scripted.messages.shown().empty());
}

TEST_F(CommentBullTest, ScrollBarFromElevenLines) {
    std::vector<std::string> periods, texts;
    for (int month = 1; month <= 12; ++month) {
        periods.push_back("2026" + std::string(month < 10 ? "0" : "") + std::to_string(month));
        texts.push_back("Commentaire " + std::to_string(month));
    }
    g.ContractRecord.SetItem(c::PeriodesCommentaire, dba::Join(periods, dba::VM));
    g.ContractRecord.SetItem(c::TextesCommentaire, dba::Join(texts, dba::VM));
    Open([&](Frm_CommentBull& f) {
        auto* bar = child<QScrollBar>(f, "Bdv_Detail");
        EXPECT_TRUE(bar->isVisible());
        EXPECT_EQ(bar->maximum(), 11);
        EXPECT_EQ(child<QListWidget>(f, "Lst_Libelle")->width(), 7215 / 15);
        bar->setValue(9);
        EXPECT_EQ(child<QListWidget>(f, "Lst_Periode")->currentRow(), 9);
        EXPECT_EQ(child<QListWidget>(f, "Lst_Libelle")->currentRow(), 9);
        Screenshot(f, "comment_bull_douze_mois.png");
        Click(f, "Cmd_Sortir");
    });
}
