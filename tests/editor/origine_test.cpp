// Tab "Origine" through the browser: what it shows, what it refuses when
// the contract is saved, what it writes back, and how its boxes react to
// typing.
#include "editor_fixture.h"

#include "data/tables.h"
#include "editor/editor_opener.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

using data::tables::CONTRAT;
using data::tables::DETAILCALCUL;
using editor::Onglet;

const QString Question =
    QStringLiteral("Voulez-vous enregistrer les modifications apportées à cet article ?");
const QString BulletinCalcule = QStringLiteral(
    "Impossible de modifier la date de début : un bulletin a déjà été calculé pour ce contrat.");

class OrigineTest : public EditorTest {
protected:
    dba::Record Stored() { return lib.db.OpenTable(CONTRAT).ReadRecord("50001001"); }
    static QLineEdit* Edit(Frm_ElementsContrat& editor, const char* name) {
        return child<QLineEdit>(editor, name);
    }
    // Leaves the editor without saving when a case left it open. Retour
    // asks only when the record would change: a scripted answer it does not
    // use would answer the next case's first message instead.
    void LeaveUnsaved(Frm_ElementsContrat& editor, bool retourAsks = true) {
        if (!editor.isVisible())
            return;
        if (retourAsks)
            scripted.messages.answerNext(ui::Answer::No);
        child<QPushButton>(editor, "Cmd_Retour")->click();
        scripted.messages.verify();
        EXPECT_FALSE(editor.isVisible());
    }
    // Opens a contract the browser does not list (another agreement than
    // "02"), as a screen of the suite does: the contract read into the
    // globals, then the library's opener.
    void OpenUnlisted(const std::string& key, const std::function<void(Frm_ElementsContrat&)>& whileOpen) {
        scripted.modal.onNext("Frm_ElementsContrat", [&](QDialog& dialog) {
            auto& editor = dynamic_cast<Frm_ElementsContrat&>(dialog);
            whileOpen(editor);
            LeaveUnsaved(editor);
        });
        data::GlobalState& g = browser->Globals();
        g.ContractRecord = g.Handles.Contrat.ReadRecord(key);
        g.OpeningRecordText = g.ContractRecord.Item();
        editor::OuvrirEditeur(*browser);
        scripted.modal.verify();
    }
    static void LoseFocus(QWidget* w) {
        QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
        QApplication::sendEvent(w, &in);
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(w, &out);
    }
};

TEST_F(OrigineTest, TheEmployerIsABeneficiaryUnder02AndAnEstablishmentOtherwise) {
    lib.Put(data::tables::ETABLISSEMENT, "001007", {{1, "Etablissement du Nord"}});
    // The same helper's contract with an establishment of the entity.
    dba::Record unlisted = lib.db.OpenTable(CONTRAT).NewRecord("50001002");
    unlisted.SetRecord(Stored().Item());
    unlisted.SetItem(1, "05");
    unlisted.SetItem(3, "001007");
    unlisted.DBWrite();
    struct Case {
        const char* key;
        const char* employer; // field 3
        const char* code;     // Txt_EmplEtabContrat
        const char* name;     // Cbo_LibEmplEtabContrat
    } cases[] = {{"50001001", "00100", "00100", "DUPONT Marie"},
                 {"50001002", "001007", "007", "Etablissement du Nord"}};
    OpenBrowser();
    // Only the beneficiary's own contracts are listed.
    EXPECT_EQ(ListedKeys(), QStringList{"50001001"});
    for (const Case& c : cases) {
        auto check = [&](Frm_ElementsContrat& editor) {
            EXPECT_EQ(Edit(editor, "Txt_EmplEtabContrat")->text(), c.code) << c.key;
            EXPECT_EQ(child<QComboBox>(editor, "Cbo_LibEmplEtabContrat")->currentText(), c.name) << c.key;
            // Saved back in the same shape.
            ClickButton(editor, "Cmd_OK");
            EXPECT_FALSE(editor.isVisible()) << c.key;
        };
        if (ListedKeys().contains(QString::fromLatin1(c.key)))
            OpenEditor(check);
        else
            OpenUnlisted(c.key, check);
        EXPECT_EQ(lib.db.OpenTable(CONTRAT).ReadRecord(c.key).Item(3), c.employer) << c.key;
    }
}

TEST_F(OrigineTest, ARefusedValueIsShownOnItsTabWithTheFocusAndNothingIsWritten) {
    // The checks themselves are the rule's (tests/rules); here the tab
    // shows the first refusal from wherever the user pressed OK.
    PutContract({{4, "D"}, {113, "01"}});
    const std::string before = Stored().Item();
    OpenBrowser();
    OpenEditor([&](Frm_ElementsContrat& editor) {
        Edit(editor, "Txt_DatFinContrat")->setText("29/02/2020");
        SelectTab(editor, Onglet::Caracteristiques);
        scripted.messages.expect(
            "La date de fin de contrat présumée doit être supérieure ou égale à la date de début de contrat.",
            ui::Icon::Information);
        ClickButton(editor, "Cmd_OK");
        scripted.messages.verify();
        EXPECT_TRUE(editor.isVisible());
        EXPECT_TRUE(editor.State().tabError[Onglet::Origine]);
        EXPECT_EQ(child<QTabWidget>(editor, "Ong_Contrat")->currentIndex(), Onglet::Origine);
        ASSERT_NE(editor.focusWidget(), nullptr);
        EXPECT_EQ(editor.focusWidget()->objectName(), "Txt_DatFinContrat");
        LeaveUnsaved(editor);
    });
    EXPECT_EQ(Stored().Item(), before);
    // A refusal without a control to fix leaves the focus where it is.
    PutContract({{4, "D"}, {113, ""}, {60, Day("31/12/2030")}});
    lib.Put(data::tables::TABLES, "MOTIFEMBAUCHE",
            {{1, "1"}, {2, Values({"01", "02"})}, {3, Values({"Remplacement", "Surcroît d'activité"})}});
    OpenEditor([&](Frm_ElementsContrat& editor) {
        // The fixed-term reason screen opens; a reason chosen there, OK saves.
        scripted.messages.expect("La saisie d'un motif d'embauche est obligatoire.", ui::Icon::Exclamation);
        scripted.modal.onNext("Frm_MotifCDD", [](QDialog& screen) {
            screen.findChild<QComboBox*>(QStringLiteral("Cbo_MotifEmbauche"))->setCurrentIndex(1);
            screen.findChild<QPushButton*>(QStringLiteral("Cmd_OK"))->click();
        });
        ClickButton(editor, "Cmd_OK");
        scripted.messages.verify();
        EXPECT_TRUE(editor.isVisible());
        ClickButton(editor, "Cmd_OK");
        EXPECT_FALSE(editor.isVisible());
    });
    EXPECT_EQ(Stored().Item(113), "02");
}

TEST_F(OrigineTest, AStartDateThatMovesTakesTheFirstTermsAndTheGridStartWithIt) {
    PutContract({{63, ""}, {7, Day("15/11/2026")}, {15, Day("15/11/2026")}, {21, Day("15/11/2026")}});
    lib.db.OpenTable(DETAILCALCUL).DeleteRecord("50001001202611");
    OpenBrowser();
    OpenEditor([&](Frm_ElementsContrat& editor) {
        Edit(editor, "Txt_DatDebContrat")->setText("02/11/2026");
        ClickButton(editor, "Cmd_OK");
        EXPECT_FALSE(editor.isVisible());
    });
    const dba::Record r = Stored();
    EXPECT_EQ(r.Item(7), Day("02/11/2026"));
    EXPECT_EQ(r.Item(15, 1), Day("02/11/2026"));
    EXPECT_EQ(r.Item(21, 1), Day("02/11/2026"));
    // A refused move writes nothing.
    lib.Put(DETAILCALCUL, "50001001202611", {{1, "F"}});
    OpenEditor([&](Frm_ElementsContrat& editor) {
        Edit(editor, "Txt_DatDebContrat")->setText("03/11/2026");
        scripted.messages.expect(BulletinCalcule, ui::Icon::Exclamation);
        ClickButton(editor, "Cmd_OK");
        scripted.messages.verify();
        LeaveUnsaved(editor);
    });
    EXPECT_EQ(Stored().Item(7), Day("02/11/2026"));
}

TEST_F(OrigineTest, ChangingTabRunsTheStartDateRulesFirst) {
    const QString afterAmendment =
        QStringLiteral("La date de début de contrat doit être inférieure à la date d'effet du 1er avenant.");
    struct Case {
        const char* typed;
        const char* shown; // Txt_DatDebContrat once the tab changed
        QString message;   // empty: none
        bool retourAsks;
    } cases[] = {
        {"1/3/2020", "01/03/2020", {}, false},
        {"2/3/2020", "02/03/2020", {}, true},
        // The contract's first amendment takes effect on 01/01/2024.
        {"15/1/2024", "15/01/2024", afterAmendment, true},
    };
    PutContract({{63, ""}});
    OpenBrowser();
    for (const Case& c : cases) {
        OpenEditor([&](Frm_ElementsContrat& editor) {
            QLineEdit* start = Edit(editor, "Txt_DatDebContrat");
            ASSERT_TRUE(start->isEnabled());
            start->setText(c.typed);
            if (!c.message.isEmpty())
                scripted.messages.expect(c.message, ui::Icon::Exclamation);
            SelectTab(editor, Onglet::Caracteristiques);
            scripted.messages.verify();
            EXPECT_EQ(start->text(), c.shown) << c.typed;
            EXPECT_TRUE(editor.State().tabLoaded[Onglet::Caracteristiques]) << c.typed;
            LeaveUnsaved(editor, c.retourAsks);
        });
        EXPECT_EQ(Stored().Item(7), Day("01/03/2020")) << c.typed;
    }
}

TEST_F(OrigineTest, DateBoxesTakeDigitsAndSlashesAndCompleteTheDateWhenLeft) {
    OpenBrowser();
    PutContract({{4, "D"}, {113, "01"}});
    OpenEditor([&](Frm_ElementsContrat& editor) {
        QLineEdit* end = Edit(editor, "Txt_DatFinContrat");
        end->clear();
        QTest::keyClicks(end, "12a03.2020");
        EXPECT_EQ(end->text(), "12/03/2020");
        end->setText("1/3/2021");
        LoseFocus(end);
        EXPECT_EQ(end->text(), "01/03/2021");
        // A box of another tab takes the same filter.
        QLineEdit* notice = Edit(editor, "Txt_DatNotifContrat");
        notice->setEnabled(true);
        notice->setReadOnly(false); // its tab is shown read-only until it is saved
        QTest::keyClicks(notice, "3x4");
        EXPECT_EQ(notice->text(), "3/4");
        notice->clear();
        LeaveUnsaved(editor);
    });
}

TEST_F(OrigineTest, AnOpenEndedContractLosesItsPresumedEndAtTheNextWrite) {
    PutContract({{4, "D"}, {113, "01"}, {60, Day("31/12/2020")}, {62, "3 mois"}});
    OpenBrowser();
    OpenEditor([&](Frm_ElementsContrat& editor) {
        EXPECT_EQ(Edit(editor, "Txt_DatFinContrat")->text(), "31/12/2020");
        EXPECT_TRUE(Edit(editor, "Txt_DatFinContrat")->isEnabled());
        EXPECT_TRUE(child<QCheckBox>(editor, "Cac_PrecaLibContrat")->isChecked());
        child<QRadioButton>(editor, "Opt_Indetermine")->setChecked(true);
        EXPECT_FALSE(Edit(editor, "Txt_DatFinContrat")->isEnabled());
        EXPECT_FALSE(child<QCheckBox>(editor, "Cac_PrecaLibContrat")->isChecked());
        ClickButton(editor, "Cmd_OK");
        EXPECT_FALSE(editor.isVisible());
    });
    EXPECT_EQ(Stored().Item(4), "I");
    EXPECT_EQ(Stored().Item(60), "");
}

TEST_F(OrigineTest, AnUnknownNatureIsRefusedWhenTheComboIsLeft) {
    OpenBrowser();
    OpenEditor([&](Frm_ElementsContrat& editor) {
        QComboBox* nature = child<QComboBox>(editor, "Cbo_NatureContrat");
        nature->setCurrentText("Intérim");
        scripted.messages.expect("La nature saisie n'existe pas, veuillez la ressaisir.", ui::Icon::None);
        LoseFocus(nature);
        scripted.messages.verify();
        EXPECT_TRUE(nature->currentText().isEmpty());
        nature->setCurrentText("Emploi");
        LoseFocus(nature);
        EXPECT_EQ(nature->currentText(), "Emploi");
        LeaveUnsaved(editor);
    });
}

TEST_F(OrigineTest, TheEmployerSearchFindsBeneficiariesByTheBeginningOfTheirName) {
    lib.Put(data::tables::ELTSPARTEMP, "00200", {{1, "1"}});
    lib.Put(data::tables::CIVILAIDE, "00200", {{2, "DURAND"}, {3, "Paul"}});
    lib.Put(data::tables::ELTSPARTEMP, "00300", {{1, "1"}});
    lib.Put(data::tables::CIVILAIDE, "00300", {{2, "DURAND"}, {3, "Zoé"}, {43, "1"}});
    OpenBrowser();
    OpenEditor([&](Frm_ElementsContrat& editor) {
        QComboBox* name = child<QComboBox>(editor, "Cbo_LibEmplEtabContrat");
        editor.Degriser_ComboOng1();
        // Keys go to the box that has the focus.
        name->setFocus();
        name->setCurrentText("  ");
        scripted.messages.expect("Au moins le premier caractère du nom doit être saisi.",
                                 ui::Icon::Exclamation);
        QTest::keyClick(name, Qt::Key_Return);
        scripted.messages.verify();
        name->setCurrentText("DUR");
        QTest::keyClick(name, Qt::Key_Return);
        EXPECT_EQ(scripted.messages.shown().size(), 1u);
        // The beneficiary who left is not offered.
        ASSERT_EQ(name->count(), 1);
        EXPECT_EQ(name->itemText(0), "DURAND Paul");
        EXPECT_EQ(Edit(editor, "Txt_EmplEtabContrat")->text(), "00200");
        LeaveUnsaved(editor);
    });
}

} // namespace
