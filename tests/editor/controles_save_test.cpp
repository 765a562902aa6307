// The weekly hours limit and the overlapping contract check at the
// editor's OK, through the browser as a user saves: what is asked, what
// stops the save, where the focus goes and what reaches the database.
#include "editor_fixture.h"

#include "data/tables.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>
#include <optional>
#include <sqlite3.h>

namespace {

using data::tables::CONTRAT;
using editor::Onglet;

const QString QuestionEnregistrer =
    QStringLiteral("Voulez-vous enregistrer les modifications apportées à cet article ?");
const QString QuestionHeures =
    QStringLiteral("Le nombre d'heures cumulées tous contrats confondus est supérieur au nombre d'heures "
                   "légal autorisé, voulez-vous continuer ?");
const QString ConstantesAbsentes = QStringLiteral(
    "La création d'un contrat de travail est impossible tant que les constantes de paie ne sont pas "
    "renseignées.");

QString Chevauchement(const char* start, const char* end) {
    return QStringLiteral("Création impossible car 2 contrats ont des dates qui se chevauchent : \n\n"
                          "Date début        Date Fin\n") +
           QString::fromUtf8(start) + QStringLiteral("       ") + QString::fromUtf8(end);
}

class ControlesSaveTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        lib.db.CreateTable(data::tables::LIENCONTRAT);
    }
    dba::Record Stored() { return lib.db.OpenTable(CONTRAT).ReadRecord("50001001"); }
    static QLineEdit* Edit(Frm_ElementsContrat& editor, const char* name) {
        return child<QLineEdit>(editor, name);
    }
    // Leaves an editor that a check kept open, dropping what was typed.
    void Abandonner(Frm_ElementsContrat& editor) {
        scripted.messages.expect(QuestionEnregistrer, ui::Icon::Question, ui::Buttons::YesNoCancel,
                                 ui::Answer::No);
        ClickButton(editor, "Cmd_Retour");
        EXPECT_FALSE(editor.isVisible());
    }
};

TEST_F(ControlesSaveTest, TheHoursAboveTheLimitAreAskedAndNoDropsTheContractUnsaved) {
    // Another contract of the helper, for another beneficiary, 20 hours a
    // week and in force at the edited contract's effective date (01/01/2024).
    lib.Put(CONTRAT, "50001002",
            {{1, "02"}, {2, "001"}, {3, "00200"}, {7, Day("01/01/2021")}, {24, "2000"}, {25, "1"}});
    struct Case {
        const char* what;
        bool constants;               // CONSTANTESPAIE "1" with a limit of 48 hours
        const char* duree;            // typed on "Caractéristiques"; nullptr: left as shown
        std::optional<QString> shown; // the question or message expected
        ui::Buttons buttons;
        ui::Answer answer;
        bool written;
        bool closed;
    } cases[] = {
        {"working time untouched: not checked", true, nullptr, std::nullopt, ui::Buttons::Ok, ui::Answer::Ok,
         true, true},
        {"28 + 20 hours, equal to the limit", true, "28", std::nullopt, ui::Buttons::Ok, ui::Answer::Ok, true,
         true},
        {"30 + 20 hours, answered No", true, "30", QuestionHeures, ui::Buttons::YesNo, ui::Answer::No, false,
         true},
        {"30 + 20 hours, answered Yes", true, "30", QuestionHeures, ui::Buttons::YesNo, ui::Answer::Yes, true,
         true},
        {"no payroll constants", false, "30", ConstantesAbsentes, ui::Buttons::Ok, ui::Answer::Ok, false,
         true},
    };
    OpenBrowser();
    for (const Case& c : cases) {
        PutContract();
        if (c.constants)
            lib.Put(data::tables::CONSTANTESPAIE, data::tables::keys::ConstantesPaie, {{10, "4800"}});
        else
            lib.db.OpenTable(data::tables::CONSTANTESPAIE).DeleteRecord(data::tables::keys::ConstantesPaie);
        const std::string before = Stored().Item();
        OpenEditor([&](Frm_ElementsContrat& editor) {
            SelectTab(editor, Onglet::Caracteristiques);
            if (c.duree) {
                Edit(editor, "Txt_DureeWContrat")->setText(QString::fromUtf8(c.duree));
                QComboBox* freq = child<QComboBox>(editor, "Cbo_FreqWContrat");
                freq->setCurrentIndex(freq->findText(QStringLiteral("Hebdo")));
            }
            SelectTab(editor, Onglet::Origine);
            Edit(editor, "Txt_PerEssaiContrat")->setText("45");
            if (c.shown)
                scripted.messages.expect(*c.shown, ui::Icon::Exclamation, c.buttons, c.answer);
            ClickButton(editor, "Cmd_OK");
            scripted.messages.verify();
            EXPECT_EQ(editor.isVisible(), !c.closed) << c.what;
            if (!c.written) {
                // Dropped: the editor shows nothing of the contract any more.
                EXPECT_TRUE(Edit(editor, "Txt_NumContrat")->text().isEmpty()) << c.what;
                EXPECT_TRUE(Edit(editor, "Txt_PerEssaiContrat")->text().isEmpty()) << c.what;
                EXPECT_TRUE(Edit(editor, "Txt_DureeWContrat")->text().isEmpty()) << c.what;
                EXPECT_EQ(editor.State().tabLoaded, (std::array<bool, 5>{})) << c.what;
                EXPECT_EQ(editor.State().writes, (std::array<int, 5>{})) << c.what;
            }
        });
        if (c.written)
            EXPECT_EQ(Stored().Item(11), "45") << c.what;
        else
            EXPECT_EQ(Stored().Item(), before) << c.what;
    }
}

TEST_F(ControlesSaveTest, AnHoursCheckThatCannotReadTheDatabaseRefusesTheSave) {
    lib.Put(data::tables::CONSTANTESPAIE, data::tables::keys::ConstantesPaie, {{10, "4800"}});
    // The helper's unavailability is lost to a damaged database.
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(lib.Path().c_str(), &raw), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(raw, "DROP TABLE \"TPSAIDANTINDISPO\"", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(raw);
    const std::string before = Stored().Item();
    OpenBrowser();
    OpenEditor([&](Frm_ElementsContrat& editor) {
        SelectTab(editor, Onglet::Caracteristiques);
        Edit(editor, "Txt_DureeWContrat")->setText("10");
        QComboBox* freq = child<QComboBox>(editor, "Cbo_FreqWContrat");
        freq->setCurrentIndex(freq->findText(QStringLiteral("Hebdo")));
        scripted.messages.answerNext(ui::Answer::Ok);
        ClickButton(editor, "Cmd_OK");
        scripted.messages.verify();
        ASSERT_EQ(scripted.messages.shown().size(), 1u);
        const ShownMessage& shown = scripted.messages.shown().front();
        EXPECT_TRUE(shown.text.startsWith(QStringLiteral("Contrôle des heures de travail impossible : ")))
            << shown.text.toStdString();
        EXPECT_EQ(shown.icon, ui::Icon::Exclamation);
        EXPECT_FALSE(editor.isVisible());
    });
    EXPECT_EQ(Stored().Item(), before);
}

TEST_F(ControlesSaveTest, AnOverlappingContractKeepsTheEditorOpenAndWritesNothing) {
    struct Case {
        const char* what;
        const char* start; // of the other contract of the helper and beneficiary
        const char* end;
        std::optional<QString> message;
        const char* focus; // control given the focus after the message
        int tab;           // and the tab brought to the front
        const char* conflictingEnd;
        long long earlierEndBound;
    } cases[] = {
        {"ended during the edited contract", "01/01/2019", "31/12/2020",
         Chevauchement("01/01/2019", "31/12/2020"), "Txt_DatDebContrat", Onglet::Origine, "31/12/2020", 0},
        {"open-ended, starting later", "01/01/2025", "", Chevauchement("01/01/2025", ""),
         "Txt_DateFinContrat", Onglet::FinContrat, "", 0},
        {"ended the day before the start", "01/01/2019", "29/02/2020", std::nullopt, nullptr, 0, "",
         std::stoll(Day("29/02/2020"))},
    };
    OpenBrowser();
    for (const Case& c : cases) {
        PutContract({{63, ""}}); // no payslip yet: the start date may still be corrected
        lib.Put(CONTRAT, "50001002",
                {{1, "02"},
                 {2, "001"},
                 {3, "00100"},
                 {7, Day(c.start)},
                 {8, *c.end ? Day(c.end) : std::string()},
                 {24, "1000"},
                 {25, "1"}});
        const std::string before = Stored().Item();
        OpenEditor([&](Frm_ElementsContrat& editor) {
            Edit(editor, "Txt_PerEssaiContrat")->setText("45");
            if (c.message)
                scripted.messages.expect(*c.message, ui::Icon::Exclamation);
            ClickButton(editor, "Cmd_OK");
            scripted.messages.verify();
            EXPECT_EQ(editor.ResultatChevauchement().conflictingEnd, QString::fromUtf8(c.conflictingEnd))
                << c.what;
            EXPECT_EQ(editor.ResultatChevauchement().earlierEndBound, c.earlierEndBound) << c.what;
            if (!c.message) {
                EXPECT_FALSE(editor.isVisible()) << c.what;
                return;
            }
            EXPECT_TRUE(editor.isVisible()) << c.what;
            EXPECT_EQ(Edit(editor, "Txt_PerEssaiContrat")->text(), "45") << c.what;
            EXPECT_EQ(Stored().Item(), before) << c.what;
            QApplication::processEvents(); // the focus moves once the form is enabled again
            EXPECT_EQ(child<QTabWidget>(editor, "Ong_Contrat")->currentIndex(), c.tab) << c.what;
            ASSERT_NE(editor.focusWidget(), nullptr) << c.what;
            EXPECT_EQ(editor.focusWidget()->objectName(), QString::fromUtf8(c.focus)) << c.what;
            Abandonner(editor);
        });
        if (c.message)
            EXPECT_EQ(Stored().Item(), before) << c.what;
        else
            EXPECT_EQ(Stored().Item(11), "45") << c.what;
    }
}

} // namespace
