// The planning incidences of a change of dates, from the editor: the
// dialog, its three choices in the OK and Retour flows, what the planning
// holds afterwards, and the printout.
#include "editor_fixture.h"

#include "data/table_fields.h"
#include "data/tables.h"
#include "data/utility_services.h"
#include "screens/anomalies_ajout/frm_anomalies_ajoutgraph.h"
#include "support/form_probe.h"
#include "support/qt_printers.h"
#include "support/run_program.h"

#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>

namespace {

using namespace data::tables;
using editor::Onglet;

const QString Cut = QString::fromUtf8("Lundi    de 8h30 à 10h30, chez DUPONT Marie à partir du 01/03/2026"
                                      "\n                    Nouvelle date de fin au 15/06/2026.");
const QString Later = QString::fromUtf8(
    "Jeudi    de 14h00 à 15h15, chez DUPONT Marie à partir du 20/06/2026 jusqu'au 30/06/2026");

class PlanningIncidencesTest : public EditorTest {
protected:
    // Monday mornings from 01/03/2026, open; Thursday afternoons from
    // 20/06/2026 to 30/06/2026; two slots the change must not touch.
    const std::string monday = std::string("50001001") + "00100" + Day("01/03/2026") + "M01" + "0" + "0850";
    const std::string thursday = std::string("50001001") + "00100" + Day("20/06/2026") + "M01" + "3" + "1400";
    const std::string ended = std::string("50001001") + "00100" + Day("01/01/2026") + "M01" + "1" + "0900";
    const std::string otherActivity =
        std::string("50001001") + "00100" + Day("01/01/2026") + "M02" + "4" + "0900";

    void SetUp() override {
        EditorTest::SetUp();
        lib.Put(COMPTEUR, keys::Compteur, {{1, "0"}, {18, "1"}});
        lib.Put(TABLES, lists::FINCONTRAT,
                {{1, "1"},
                 {2, Values({"31", "43", "11"})},
                 {3, Values({"Démission", "Rupture conventionnelle", "Licenciement"})}});
    }

    // A dismissal notified on 30/04/2026, last worked day 30/06/2026, paid
    // up to June; its planning as above.
    void Reset(const char* withoutContract) {
        PutContract({{36, "00101"},
                     {63, "202606"},
                     {81, "202606"},
                     {8, Day("30/06/2026")},
                     {49, "11"},
                     {50, Day("30/04/2026")},
                     {51, Day("30/06/2026")},
                     {52, "0"},
                     {55, Day("30/04/2026")},
                     {56, Day("30/06/2026")},
                     {57, "Néant"},
                     {58, "202606"},
                     {59, Values({"Remis en main propre", "Solde signé"})},
                     {84, "IRCEM"},
                     {96, Day("30/06/2026")},
                     {98, "Faute grave"},
                     {132, "0"}});
        lib.db.OpenTable(DETAILCALCUL).DeleteRecord("50001001202611");
        lib.Put(DETAILCALCUL, "50001001202606", {{1, "F"}});
        for (const char* table : {TPSDETAILSINTERV, TPSSANSCONTRAT}) {
            const dba::ResultList rows = lib.db.SelectRecords(std::string("SELECT ") + table);
            for (int r = 1; r <= rows.DCount(); ++r)
                lib.db.OpenTable(table).DeleteRecord(rows.Item(r));
        }
        lib.Put(TPSDETAILSINTERV, monday, {{1, ""}, {2, "1050"}, {3, "00101"}});
        lib.Put(TPSDETAILSINTERV, thursday, {{1, Day("30/06/2026")}, {2, "1525"}, {3, "00101"}});
        lib.Put(TPSDETAILSINTERV, ended, {{1, Day("31/05/2026")}, {2, "1000"}, {3, "00101"}});
        lib.Put(TPSDETAILSINTERV, otherActivity, {{2, "1000"}, {3, "00102"}});
        lib.Put(TPSPARAM, keys::TpsParam, {{19, withoutContract}});
    }

    // key|end day of every slot, in key order.
    std::vector<std::string> Planning() {
        std::vector<std::string> rows;
        const dba::ResultList r = lib.db.SelectRecords("SELECT TPSDETAILSINTERV", "0 1");
        for (int i = 1; i <= r.DCount(); ++i)
            rows.push_back(r.Item(i, 1) + "|" + r.Item(i, 2));
        return rows;
    }
    // key|first days|last days of every slot kept without contract.
    std::vector<std::string> KeptWithoutContract() {
        std::vector<std::string> rows;
        const dba::ResultList r = lib.db.SelectRecords("SELECT TPSSANSCONTRAT", "0 1 2 3");
        for (int i = 1; i <= r.DCount(); ++i)
            rows.push_back(r.Item(i, 1) + "|" + r.Item(i, 2) + "|" + r.Item(i, 3) + "|" + r.Item(i, 4));
        return rows;
    }
    std::string LastWorkedDay() { return lib.db.OpenTable(CONTRAT).ReadRecord("50001001").Item(51); }

    static void NewLastWorkedDay(Frm_ElementsContrat& editor) {
        SelectTab(editor, Onglet::FinContrat);
        child<QLineEdit>(editor, "Txt_DernJrWContrat")->setText("15/06/2026");
    }
};

TEST_F(PlanningIncidencesTest, EachChoiceLeavesThePlanningAsTheDialogSaid) {
    const std::string untouched[] = {ended + "|" + Day("31/05/2026"), otherActivity + "|"};
    const struct Case {
        const char* what;
        const char* withoutContract;
        const char* button;
        const char* consequence;
        std::vector<std::string> planning;
        std::vector<std::string> kept;
    } cases[] = {
        {"stopped, no slot may stay without contract",
         "",
         "Cmd_Ok",
         "Sera supprimée.",
         {monday + "|" + Day("15/06/2026")},
         {}},
        {"stopped, slots may stay without contract",
         "1",
         "Cmd_Ok",
         "Sera sans contrat.",
         {monday + "|" + Day("15/06/2026"), thursday + "|" + Day("30/06/2026")},
         {thursday + "|50001001|" + Day("20/06/2026") + "|" + Day("30/06/2026")}},
        {"kept without contract",
         "1",
         "Cmd_Non",
         "Sera sans contrat.",
         {monday + "|", thursday + "|" + Day("30/06/2026")},
         {monday + "|50001001|" + Day("16/06/2026") + "|",
          thursday + "|50001001|" + Day("20/06/2026") + "|" + Day("30/06/2026")}},
    };
    OpenBrowser();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Reset(c.withoutContract);
        OpenEditor([&](Frm_ElementsContrat& editor) {
            NewLastWorkedDay(editor);
            scripted.modal.onNext("Frm_AnomaliesAjoutgraph", [&](QDialog& dialog) {
                EXPECT_EQ(dialog.windowTitle(), "Incidences planning");
                EXPECT_EQ(probe::child<QPlainTextEdit>(dialog, "Text1")->toPlainText(),
                          QString::fromUtf8(
                              "La modification du contrat aura les incidences suivantes sur le planning : "
                              "\n") +
                              Cut + "\n" + Later + "\n                    " +
                              QString::fromUtf8(c.consequence));
                EXPECT_EQ(probe::child<QPushButton>(dialog, "Cmd_Non")->isEnabled(), *c.withoutContract != 0);
                probe::Screenshot(dialog, "incidences_planning.png");
                probe::Click(dialog, c.button);
            });
            ClickButton(editor, "Cmd_OK");
            EXPECT_FALSE(editor.isVisible());
        });
        EXPECT_EQ(LastWorkedDay(), Day("15/06/2026"));
        std::vector<std::string> planning = c.planning;
        planning.insert(planning.end(), std::begin(untouched), std::end(untouched));
        std::sort(planning.begin(), planning.end());
        EXPECT_EQ(Planning(), planning);
        EXPECT_EQ(KeptWithoutContract(), c.kept);
        EXPECT_FALSE(lib.db.HasList("INCIDENCES50001001"));
    }
}

TEST_F(PlanningIncidencesTest, BackToTheContractSavesNothingAndRetourAsksAgain) {
    Reset("1");
    const std::vector<std::string> before = Planning();
    OpenBrowser();
    OpenEditor([&](Frm_ElementsContrat& editor) {
        NewLastWorkedDay(editor);
        scripted.modal.onNext("Frm_AnomaliesAjoutgraph", [&](QDialog& dialog) {
            auto* ok = probe::child<QPushButton>(dialog, "Cmd_Ok");
            // Neither the close box nor Escape is a choice.
            dialog.close();
            EXPECT_TRUE(dialog.isVisible());
            QTest::keyClick(&dialog, Qt::Key_Escape);
            EXPECT_TRUE(dialog.isVisible());
            // The text is read, not entered.
            probe::child<QPlainTextEdit>(dialog, "Text1")->setFocus(Qt::MouseFocusReason);
            EXPECT_EQ(dialog.focusWidget(), ok);
            probe::Click(dialog, "Cmd_Annuler");
        });
        ClickButton(editor, "Cmd_OK");
        EXPECT_TRUE(editor.isVisible());
        EXPECT_EQ(child<QLineEdit>(editor, "Txt_DernJrWContrat")->text(), "15/06/2026");
        EXPECT_EQ(LastWorkedDay(), Day("30/06/2026"));
        EXPECT_EQ(Planning(), before);

        // Retour saves after the same question.
        scripted.messages.expect("Voulez-vous enregistrer les modifications apportées à cet article ?",
                                 ui::Icon::Question, ui::Buttons::YesNoCancel, ui::Answer::Yes);
        scripted.modal.onNext("Frm_AnomaliesAjoutgraph",
                              [&](QDialog& dialog) { probe::Click(dialog, "Cmd_Ok"); });
        ClickButton(editor, "Cmd_Retour");
        scripted.messages.verify();
        EXPECT_FALSE(editor.isVisible());
    });
    EXPECT_EQ(LastWorkedDay(), Day("15/06/2026"));
    EXPECT_EQ(Planning(), (std::vector<std::string>{ended + "|" + Day("31/05/2026"), otherActivity + "|",
                                                    monday + "|" + Day("15/06/2026"),
                                                    thursday + "|" + Day("30/06/2026")}));
}

// Another workstation changes a listed slot while the dialog is open: the
// planning can no longer be changed as announced, so neither the contract
// nor the planning is written, and the next OK lists the incidences again.
TEST_F(PlanningIncidencesTest, ASlotChangedElsewhereMeanwhileLeavesContractAndPlanningUnwritten) {
    Reset("");
    OpenBrowser();
    OpenEditor([&](Frm_ElementsContrat& editor) {
        NewLastWorkedDay(editor);
        scripted.modal.onNext("Frm_AnomaliesAjoutgraph", [&](QDialog& dialog) {
            PutRecord(lib.db, TPSDETAILSINTERV, monday, {{1, Day("31/12/2026")}, {2, "1050"}, {3, "00101"}});
            probe::Click(dialog, "Cmd_Ok");
        });
        scripted.messages.expect(QString::fromUtf8("Le planning ne peut pas être modifié comme annoncé, le contrat "
                                                   "n'a pas été enregistré : l'intervention ") +
                                     QString::fromStdString(monday) +
                                     QString::fromUtf8(" a été modifiée sur un autre poste."),
                                 ui::Icon::Exclamation);
        ClickButton(editor, "Cmd_OK");
        scripted.messages.verify();
        EXPECT_TRUE(editor.isVisible());
        EXPECT_EQ(LastWorkedDay(), Day("30/06/2026"));
        EXPECT_EQ(Planning(), (std::vector<std::string>{ended + "|" + Day("31/05/2026"), otherActivity + "|",
                                                        monday + "|" + Day("31/12/2026"),
                                                        thursday + "|" + Day("30/06/2026")}));
        EXPECT_FALSE(lib.db.HasList("INCIDENCES50001001"));

        scripted.modal.onNext("Frm_AnomaliesAjoutgraph", [&](QDialog& dialog) { probe::Click(dialog, "Cmd_Ok"); });
        ClickButton(editor, "Cmd_OK");
        EXPECT_FALSE(editor.isVisible());
    });
    EXPECT_EQ(LastWorkedDay(), Day("15/06/2026"));
    EXPECT_EQ(Planning(), (std::vector<std::string>{ended + "|" + Day("31/05/2026"), otherActivity + "|",
                                                    monday + "|" + Day("15/06/2026")}));
}

// A slot planned on another workstation while the dialog is open was not
// in the list the user decided on: nothing is written.
TEST_F(PlanningIncidencesTest, ASlotAddedElsewhereMeanwhileLeavesContractAndPlanningUnwritten) {
    Reset("");
    const std::string friday = std::string("50001001") + "00100" + Day("05/06/2026") + "M01" + "4" + "0900";
    OpenBrowser();
    OpenEditor([&](Frm_ElementsContrat& editor) {
        NewLastWorkedDay(editor);
        scripted.modal.onNext("Frm_AnomaliesAjoutgraph", [&](QDialog& dialog) {
            PutRecord(lib.db, TPSDETAILSINTERV, friday, {{2, "1100"}, {3, "00101"}});
            probe::Click(dialog, "Cmd_Ok");
        });
        scripted.messages.expect(QString::fromUtf8("Le planning ne peut pas être modifié comme annoncé, le contrat "
                                                   "n'a pas été enregistré : le planning de l'aidant a changé sur "
                                                   "un autre poste depuis la liste des incidences."),
                                 ui::Icon::Exclamation);
        ClickButton(editor, "Cmd_OK");
        scripted.messages.verify();
        EXPECT_TRUE(editor.isVisible());
        scripted.messages.expect("Voulez-vous enregistrer les modifications apportées à cet article ?",
                                 ui::Icon::Question, ui::Buttons::YesNoCancel, ui::Answer::No);
        ClickButton(editor, "Cmd_Retour");
    });
    EXPECT_EQ(LastWorkedDay(), Day("30/06/2026"));
    EXPECT_EQ(lib.db.OpenTable(TPSDETAILSINTERV).ReadRecord(monday).Item(1), "");
}

TEST_F(PlanningIncidencesTest, AStartMovedLaterRebuildsTheSlotsThatBeganBefore) {
    PutContract(
        {{36, "00101"}, {63, ""}, {7, Day("02/11/2026")}, {15, Day("02/11/2026")}, {21, Day("02/11/2026")}});
    lib.db.OpenTable(DETAILCALCUL).DeleteRecord("50001001202611");
    const std::string tuesday = std::string("50001001") + "00100" + Day("02/11/2026") + "M01" + "1" + "0900";
    const std::string wednesday =
        std::string("50001001") + "00100" + Day("02/11/2026") + "M01" + "2" + "1400";
    lib.Put(TPSDETAILSINTERV, tuesday, {{2, "1100"}, {3, "00101"}});
    lib.Put(TPSDETAILSINTERV, wednesday, {{1, Day("12/11/2026")}, {2, "1500"}, {3, "00101"}});
    OpenBrowser();
    OpenEditor([&](Frm_ElementsContrat& editor) {
        child<QLineEdit>(editor, "Txt_DatDebContrat")->setText("16/11/2026");
        scripted.modal.onNext("Frm_AnomaliesAjoutgraph", [&](QDialog& dialog) {
            EXPECT_EQ(probe::child<QPlainTextEdit>(dialog, "Text1")->toPlainText(),
                      QString::fromUtf8(
                          "Des interventions du planning sont en dehors des dates de validité du contrat : "
                          "\nMardi    de 9h00 à 11h00, chez DUPONT Marie à partir du 02/11/2026"
                          "\n                    Nouvelle date de début au 16/11/2026."
                          "\nMercredi de 14h00 à 15h00, chez DUPONT Marie à partir du 02/11/2026 jusqu'au "
                          "12/11/2026"
                          "\n                    Sera supprimée."));
            probe::Click(dialog, "Cmd_Ok");
        });
        ClickButton(editor, "Cmd_OK");
        EXPECT_FALSE(editor.isVisible());
    });
    EXPECT_EQ(lib.db.OpenTable(CONTRAT).ReadRecord("50001001").Item(7), Day("16/11/2026"));
    EXPECT_EQ(Planning(), std::vector<std::string>{std::string("50001001") + "00100" + Day("16/11/2026") +
                                                   "M01" + "1" + "0900" + "|"});
}

TEST_F(PlanningIncidencesTest, PrintsOnThePrinterChosenAndNothingWhenTheChoiceIsCancelled) {
    Reset("");
    QTemporaryDir dir;
    const QString pdf = dir.filePath("incidences.pdf");
    data::UtilityServices& services = data::UtilityServices::Instance();
    struct Restore {
        data::UtilityServices& s;
        ~Restore() {
            s.SetPrinterNames({});
            s.SetPrinterChooser({});
            s.SetPrinterOpener({});
        }
    } restore{services};
    services.SetPrinterNames([] { return QStringList{"Bureau", "EPSON MATRICIELLE"}; });
    QStringList opened;
    services.SetPrinterOpener([&](const QString& name) {
        opened << name;
        auto printer = std::make_unique<QPrinter>();
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(pdf);
        return printer;
    });
    OpenBrowser();
    OpenEditor([&](Frm_ElementsContrat& editor) {
        NewLastWorkedDay(editor);
        scripted.modal.onNext("Frm_AnomaliesAjoutgraph", [&](QDialog& dialog) {
            services.SetPrinterChooser([](const QStringList&, int) { return -1; });
            probe::Click(dialog, "Cmd_Imprimer");
            EXPECT_TRUE(opened.isEmpty());
            EXPECT_FALSE(QFile::exists(pdf));

            services.SetPrinterChooser(
                [](const QStringList& names, int) { return int(names.indexOf("EPSON MATRICIELLE")); });
            probe::Click(dialog, "Cmd_Imprimer");
            EXPECT_EQ(opened, QStringList{"EPSON MATRICIELLE"});
            EXPECT_TRUE(dialog.isVisible()) << "printing is no choice";
            probe::Click(dialog, "Cmd_Annuler");
        });
        ClickButton(editor, "Cmd_OK");
        scripted.messages.answerNext(ui::Answer::No);
    });
    if (const QByteArray shots = qgetenv("ARBEL_SCREENSHOT_DIR"); !shots.isEmpty())
        QFile::copy(pdf, QDir(QString::fromLocal8Bit(shots)).filePath("incidences_planning.pdf"));
    const ProgramRun run = RunProgram("pdftotext", {"-layout", pdf, "-"});
    ASSERT_TRUE(run.finished && run.exitCode == 0) << run.Describe("pdftotext", {pdf}).toStdString();
    QStringList lines;
    for (const QString& line : run.out.split('\n'))
        if (!line.trimmed().isEmpty())
            lines << line.trimmed();
    EXPECT_EQ(lines, (QStringList{
                         "Anomalies sur contrat de travail",
                         "Aidant    : 50001 MARTIN Jeanne",
                         "Employeur : 00100 DUPONT Marie",
                         "La modification du contrat aura les incidences suivantes sur le planning :",
                         Cut.section('\n', 0, 0),
                         "Nouvelle date de fin au 15/06/2026.",
                         Later,
                         QString::fromUtf8("Sera supprimée."),
                     }));
    EXPECT_EQ(screens::TaillesPour("EPSON Matricielle"), (screens::TaillesImpression{14, 10}));
    EXPECT_EQ(screens::TaillesPour("Bureau"), screens::TaillesImpression{});
}

} // namespace
