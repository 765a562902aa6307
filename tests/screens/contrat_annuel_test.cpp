#include "screens/contrat_annuel/frm_contrat_annuel.h"
#include "screens/contrat_annuel/ouvrir_contrat_annuel.h"

#include "data/contrat_fields.h"
#include "data/table_fields.h"
#include "data/tables.h"
#include "dba/dynarray.h"
#include "support/install_scripted.h"
#include "support/library_fixture.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <optional>

namespace {

namespace s = data::contrat::suivi;
using ui::Answer;
using ui::Buttons;
using ui::Icon;

const QString Supprimer1 = QStringLiteral("Etes-vous sûr de vouloir supprimer cette ligne ?");
const QString SupprimerTout = QStringLiteral("Etes-vous sûr de vouloir supprimer ce suivi de contrat ?");
const QString Enregistrer =
    QStringLiteral("Voulez-vous enregistrer les modifications apportées à cet article ?");
const QString QuitterCreation = QStringLiteral("Etes-vous sûr de vouloir quitter cette création ?");

std::string Repeat(const std::string& v, int n) {
    std::vector<std::string> values(static_cast<std::size_t>(n), v);
    return dba::Join(values, dba::VM);
}

// `n` months from January 2026 (n up to 24).
std::string Months(int n) {
    std::vector<std::string> codes;
    for (int i = 0; i < n; ++i)
        codes.push_back(std::to_string(2026 + i / 12) + (i % 12 < 9 ? "0" : "") + std::to_string(i % 12 + 1));
    return dba::Join(codes, dba::VM);
}

class ContratAnnuelTest : public ::testing::Test {
protected:
    InstallScripted scripted;
    LibraryDatabase lib;
    data::GlobalState g;
    std::unique_ptr<Frm_ContratAnnuel> form;

    void SetUp() override {
        g.TheDatabase = lib.db;
        g.PayPeriodRecord = lib.db.OpenTable(data::tables::PERIODESPAIE).ReadRecord("1");
        lib.Put(data::tables::ASSOCIATION, "001", {{data::association::SuiviParEtablissement, "0"}});
        lib.Put(data::tables::ETABLISSEMENT, "001002", {{data::etablissement::MoisCloture, "05"}});
    }

    // The contract the screen works on: two periods of the current year.
    void TwoPeriods() {
        SetContract({{s::Periode, dba::Join({"202601", "202602"}, dba::VM)},
                     {s::HeuresContrat, dba::Join({"15167", "15167"}, dba::VM)},
                     {s::HeuresAbsence, dba::Join({"800", "0"}, dba::VM)},
                     {s::HeuresReelles, dba::Join({"14617", "15067"}, dba::VM)},
                     {s::Difference, dba::Join({"250", "-100"}, dba::VM)},
                     {s::RegulModulation, dba::Join({"100", "0"}, dba::VM)},
                     {s::PrecPeriode, "202501"},
                     {s::PrecHeuresContrat, "12000"}});
    }
    void Rows(int n) {
        SetContract({{s::Periode, Months(n)},
                     {s::HeuresContrat, Repeat("15167", n)},
                     {s::HeuresAbsence, Repeat("0", n)},
                     {s::HeuresReelles, Repeat("15167", n)},
                     {s::Difference, Repeat("0", n)},
                     {s::RegulModulation, Repeat("0", n)}});
    }
    void SetContract(std::initializer_list<std::pair<int, std::string>> fields) {
        g.ContractRecord = dba::Record();
        for (const auto& [f, v] : fields)
            g.ContractRecord.SetItem(f, v);
    }

    // The screen as the editor opens it, without the modal loop.
    void Open(const std::string& user = "plein", const QString& agreement = "02",
              const QString& employer = "") {
        form = std::make_unique<Frm_ContratAnnuel>(g);
        form->SetEtq_CodeAidant("50001");
        form->SetEtq_NomAidant("MARTIN Jeanne");
        form->SetContrat(agreement, "001", employer);
        form->Remplir_Periode();
        form->Lecture_EnCours();
        form->setDroitsUtilisateur(std::make_shared<data::AccessRights>(lib.db, user));
        form->Init();
        // Active, so that focus changes behave as on a desktop.
        form->show();
        form->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(form.get(), 2000));
    }

    template <class T> T* child(const char* name) {
        T* w = form->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QListWidget* list(const char* name) { return child<QListWidget>(name); }
    QLineEdit* box(const char* name) { return child<QLineEdit>(name); }
    QPushButton* button(const char* name) { return child<QPushButton>(name); }
    QStringList Column(const char* name) {
        QStringList texts;
        for (int i = 0; i < list(name)->count(); ++i)
            texts << list(name)->item(i)->text().trimmed();
        return texts;
    }
    void Click(const char* name) { QTest::mouseClick(button(name), Qt::LeftButton); }
    void DoubleClickRow(int row) {
        QListWidget* periods = list("Lst_Periode");
        const QRect rect = periods->visualItemRect(periods->item(row));
        QTest::mouseClick(periods->viewport(), Qt::LeftButton, {}, rect.center());
        QTest::mouseDClick(periods->viewport(), Qt::LeftButton, {}, rect.center());
    }
    void ChoosePeriod(const QString& label) {
        auto* combo = child<QComboBox>("Cbo_Periode");
        combo->setCurrentIndex(combo->findText(label));
    }
    void Type(const char* name, const QString& text) {
        QLineEdit* b = box(name);
        b->setFocus();
        b->selectAll();
        QTest::keyClick(b, Qt::Key_Delete);
        QTest::keyClicks(b, text);
    }
};

TEST_F(ContratAnnuelTest, OpensThroughTheEditorsFunctionWithTheRightsOfDossierAide) {
    struct Case {
        const char* user;
        bool writes;
    } cases[] = {{"plein", true}, {"lecture", false}, {"inconnu", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.user);
        TwoPeriods();
        scripted.modal.onNext("Frm_ContratAnnuel", [&](QDialog& dialog) {
            EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Suivi du Contrat"));
            EXPECT_EQ(dialog.findChild<QLabel*>("Etq_CodeAidant")->text(), QStringLiteral("50001"));
            EXPECT_EQ(dialog.findChild<QLabel*>("Etq_NomAidant")->text(), QStringLiteral("MARTIN Jeanne"));
            EXPECT_EQ(dialog.findChild<QListWidget*>("Lst_Periode")->count(), 2);
            for (const char* name : {"Cmd_Ajouter", "Cmd_Supprimer", "Cmd_OK"})
                EXPECT_EQ(dialog.findChild<QPushButton*>(name)->isVisibleTo(&dialog), c.writes) << name;
            auto* combo = dialog.findChild<QComboBox*>("Cbo_Periode");
            ASSERT_EQ(combo->count(), 12);
            EXPECT_EQ(combo->itemText(0), QStringLiteral("JANVIER 2026"));
            EXPECT_TRUE(combo->currentText().isEmpty());
            // Unchanged: no question.
            QTest::mouseClick(dialog.findChild<QPushButton*>("Cmd_Retour"), Qt::LeftButton);
        });
        screens::OuvrirContratAnnuel(g, {"50001", "MARTIN Jeanne", "02", "001", ""},
                                     std::make_shared<data::AccessRights>(lib.db, c.user));
        scripted.modal.verify();
    }
    EXPECT_TRUE(scripted.messages.shown().empty());
}

TEST_F(ContratAnnuelTest, EmployerModeOffersTheMonthsAfterTheClosingMonth) {
    TwoPeriods();
    Open("plein", "10", "002"); // ETABLISSEMENT 001002 closes in May; pay period 202611
    auto* combo = child<QComboBox>("Cbo_Periode");
    QStringList labels;
    for (int i = 0; i < combo->count(); ++i)
        labels << combo->itemText(i);
    EXPECT_EQ(labels, (QStringList{"JUIN 2026", "JUILLET 2026", "AOÛT 2026", "SEPTEMBRE 2026", "OCTOBRE 2026",
                                   "NOVEMBRE 2026", "DÉCEMBRE 2026"}));
}

TEST_F(ContratAnnuelTest, RowsShowStoredHoursCumulativeAndBalance) {
    TwoPeriods();
    Open();
    EXPECT_EQ(Column("Lst_Periode"), (QStringList{"JANVIER 2026", "FÉVRIER 2026"}));
    EXPECT_EQ(Column("Lst_HresParContrat"), (QStringList{"151,67", "151,67"}));
    EXPECT_EQ(Column("Lst_HresAbs"), (QStringList{"8,00", "0,00"}));
    EXPECT_EQ(Column("Lst_HresForfait"), (QStringList{"143,67", "151,67"}));
    EXPECT_EQ(Column("Lst_Difference"), (QStringList{"2,50", "-1,00"}));
    EXPECT_EQ(Column("Lst_DiffCumul"), (QStringList{"2,50", "1,50"}));
    EXPECT_EQ(Column("Lst_Regul"), (QStringList{"1,00", "0,00"}));
    EXPECT_EQ(Column("Lst_Solde"), (QStringList{"1,50", "0,50"}));
    EXPECT_EQ(Column("Lst_CopieDiff"), Column("Lst_Difference"));
    // Fixed pitch: every number column has one width.
    EXPECT_EQ(list("Lst_HresParContrat")->item(0)->text().size(), 7);
    EXPECT_EQ(list("Lst_Solde")->item(0)->text().size(), 8);

    // Selecting in one list selects the row in all of them.
    list("Lst_Regul")->setCurrentRow(1);
    for (const char* name : {"Lst_Periode", "Lst_HresAbs", "Lst_DiffCumul", "Lst_Solde"})
        EXPECT_EQ(list(name)->currentRow(), 1) << name;
}

TEST_F(ContratAnnuelTest, ScrollBarAppearsFromThirteenRows) {
    struct Case {
        int rows;
        bool bar;
        int widthTwips;
    } cases[] = {{0, false, 975}, {12, false, 975}, {13, true, 1215}, {24, true, 1215}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rows);
        Rows(c.rows);
        Open();
        auto* bar = child<QScrollBar>("Bdv_Detail");
        EXPECT_EQ(bar->isVisible(), c.bar);
        EXPECT_EQ(list("Lst_DiffCumul")->width(), form->Twips(c.widthTwips));
        if (c.bar) {
            EXPECT_EQ(bar->maximum(), c.rows - 1);
            bar->setValue(c.rows - 1);
            EXPECT_EQ(list("Lst_Solde")->currentRow(), c.rows - 1);
            // The lists scrolled together to show it.
            EXPECT_EQ(list("Lst_Periode")->verticalScrollBar()->value(),
                      list("Lst_Solde")->verticalScrollBar()->value());
            EXPECT_GT(list("Lst_Solde")->verticalScrollBar()->value(), 0);
        }
        form.reset();
    }
}

TEST_F(ContratAnnuelTest, AddingPeriodsKeepsTheOrderAndOkWritesExactHundredths) {
    TwoPeriods();
    Open();
    // An earlier period than every row is impossible here (January is the
    // first); add March at the end, then check its totals follow at once.
    Click("Cmd_Ajouter");
    EXPECT_TRUE(form->CreationEnCours());
    EXPECT_FALSE(button("Cmd_Retour")->isEnabled());
    EXPECT_FALSE(list("Lst_Periode")->isEnabled());
    EXPECT_TRUE(box("Txt_HresParContrat")->isEnabled());
    EXPECT_FALSE(box("Txt_HresAbs")->isEnabled());
    ChoosePeriod("MARS 2026");
    Type("Txt_HresParContrat", "151,67");
    Click("Cmd_OK");
    EXPECT_FALSE(form->CreationEnCours());
    EXPECT_EQ(Column("Lst_Periode"), (QStringList{"JANVIER 2026", "FÉVRIER 2026", "MARS 2026"}));
    EXPECT_EQ(Column("Lst_HresReel").last(), QStringLiteral("151,67"));
    EXPECT_EQ(Column("Lst_DiffCumul").last(), QStringLiteral("1,50"));
    EXPECT_EQ(Column("Lst_Solde").last(), QStringLiteral("0,50"));
    EXPECT_TRUE(child<QComboBox>("Cbo_Periode")->currentText().isEmpty());

    // Nothing entered: OK writes the year back and closes.
    Click("Cmd_OK");
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->result(), QDialog::Accepted);
    const dba::Record& r = g.ContractRecord;
    EXPECT_EQ(r.Item(s::Periode), dba::Join({"202601", "202602", "202603"}, dba::VM));
    EXPECT_EQ(r.Item(s::HeuresContrat), Repeat("15167", 3));
    EXPECT_EQ(r.Item(s::HeuresAbsence), dba::Join({"800", "0", "0"}, dba::VM));
    EXPECT_EQ(r.Item(s::HeuresReelles), dba::Join({"14617", "15067", "15167"}, dba::VM));
    EXPECT_EQ(r.Item(s::Difference), dba::Join({"250", "-100", "0"}, dba::VM));
    EXPECT_EQ(r.Item(s::RegulModulation), dba::Join({"100", "0", "0"}, dba::VM));
    EXPECT_EQ(r.Item(s::PrecPeriode), "202501"); // never written
    EXPECT_TRUE(scripted.messages.shown().empty());
}

TEST_F(ContratAnnuelTest, APeriodBeforeEveryRowGoesFirst) {
    SetContract({{s::Periode, "202605"}, {s::HeuresContrat, "10000"}, {s::HeuresReelles, "10000"}});
    Open();
    Click("Cmd_Ajouter");
    ChoosePeriod("FÉVRIER 2026");
    Type("Txt_HresParContrat", "80");
    Click("Cmd_OK");
    EXPECT_EQ(Column("Lst_Periode"), (QStringList{"FÉVRIER 2026", "MAI 2026"}));
    EXPECT_EQ(Column("Lst_HresParContrat"), (QStringList{"80,00", "100,00"}));
}

TEST_F(ContratAnnuelTest, RefusedCreationsKeepTheEntries) {
    struct Case {
        const char* what;
        const char* period;
        const char* hours;
        const char* message;
        bool periodKept;
    } cases[] = {
        {"duplicate", "FÉVRIER 2026", "10", "La période saisie existe déjà, veuillez en saisir une autre.",
         false},
        {"no hours", "MARS 2026", "", "La période ainsi que les heures mensuelles sont obligatoires.", true},
        {"no period", nullptr, "10", "La période ainsi que les heures mensuelles sont obligatoires.", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TwoPeriods();
        Open();
        Click("Cmd_Ajouter");
        if (c.period)
            ChoosePeriod(QString::fromUtf8(c.period));
        box("Txt_HresParContrat")->setText(c.hours);
        scripted.messages.expect(QString::fromUtf8(c.message), Icon::Exclamation);
        Click("Cmd_OK");
        scripted.messages.verify();
        EXPECT_EQ(list("Lst_Periode")->count(), 2);
        EXPECT_TRUE(form->CreationEnCours());
        EXPECT_TRUE(form->isVisible());
        EXPECT_EQ(box("Txt_HresParContrat")->text(), c.hours);
        EXPECT_EQ(child<QComboBox>("Cbo_Periode")->currentText().isEmpty(), !c.periodKept);
        form.reset();
    }
}

TEST_F(ContratAnnuelTest, CorrectingADifferenceRecomputesTheFollowingRows) {
    TwoPeriods();
    Open();
    DoubleClickRow(0);
    EXPECT_EQ(child<QComboBox>("Cbo_Periode")->currentText(), QStringLiteral("JANVIER 2026"));
    EXPECT_EQ(box("Txt_Difference")->text(), QStringLiteral("2,50"));
    EXPECT_TRUE(box("Txt_Difference")->isEnabled());
    EXPECT_TRUE(box("Txt_Regul")->isEnabled());
    EXPECT_FALSE(box("Txt_Solde")->isEnabled());
    EXPECT_FALSE(button("Cmd_Ajouter")->isEnabled());
    EXPECT_FALSE(button("Cmd_Retour")->isEnabled());
    EXPECT_FALSE(child<QRadioButton>("Opt_Precedent")->isEnabled());

    Type("Txt_Difference", "-1,25");
    Type("Txt_Regul", "0,5");
    box("Txt_Difference")->setFocus(); // leaving the adjustment formats it
    EXPECT_EQ(box("Txt_Regul")->text(), QStringLiteral("0,50"));
    Click("Cmd_OK");
    EXPECT_EQ(Column("Lst_Difference"), (QStringList{"-1,25", "-1,00"}));
    EXPECT_EQ(Column("Lst_DiffCumul"), (QStringList{"-1,25", "-2,25"}));
    EXPECT_EQ(Column("Lst_Solde"), (QStringList{"-1,75", "-2,75"}));
    EXPECT_EQ(Column("Lst_CopieDiff"), Column("Lst_Difference"));
    EXPECT_EQ(list("Lst_Periode")->currentRow(), -1);
    EXPECT_TRUE(button("Cmd_Retour")->isEnabled());
    EXPECT_TRUE(form->isVisible());

    // Leaving with "Oui" writes the correction.
    scripted.messages.expect(Enregistrer, Icon::Exclamation, Buttons::YesNoCancel, Answer::Yes);
    Click("Cmd_Retour");
    EXPECT_EQ(scripted.messages.beeps(), 1);
    EXPECT_EQ(g.ContractRecord.Item(s::Difference), dba::Join({"-125", "-100"}, dba::VM));
    EXPECT_EQ(g.ContractRecord.Item(s::RegulModulation), dba::Join({"50", "0"}, dba::VM));
}

TEST_F(ContratAnnuelTest, LeavingAsksOnlyAfterChanges) {
    struct Case {
        const char* what;
        std::function<void()> change;
        std::optional<Answer> answer; // no question when unset
        bool closes;
        bool restored; // the record is as it was opened
    } cases[] = {
        {"nothing changed", [] {}, std::nullopt, true, true},
        {"looked at the previous year only", [this] { child<QRadioButton>("Opt_Precedent")->click(); },
         std::nullopt, true, true},
        {"a row deleted, Annuler stays",
         [this] {
             DoubleClickRow(0);
             scripted.messages.expect(Supprimer1, Icon::Exclamation, Buttons::YesNo, Answer::Yes,
                                      ui::DefaultButton::Second);
             Click("Cmd_Supprimer");
         },
         Answer::Cancel, false, false},
        {"a row deleted, Non puts it back",
         [this] {
             DoubleClickRow(0);
             scripted.messages.expect(Supprimer1, Icon::Exclamation, Buttons::YesNo, Answer::Yes,
                                      ui::DefaultButton::Second);
             Click("Cmd_Supprimer");
         },
         Answer::No, true, true},
        {"everything deleted, then the previous year shown, Non puts it back",
         [this] {
             scripted.messages.expect(SupprimerTout, Icon::Exclamation, Buttons::YesNo, Answer::Yes,
                                      ui::DefaultButton::Second);
             Click("Cmd_Supprimer");
             child<QRadioButton>("Opt_Precedent")->click();
         },
         Answer::No, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TwoPeriods();
        const std::string opened = g.ContractRecord.Item();
        Open();
        c.change();
        const QStringList rowsBefore = Column("Lst_Periode");
        if (c.answer)
            scripted.messages.expect(Enregistrer, Icon::Exclamation, Buttons::YesNoCancel, *c.answer);
        scripted.messages.clearShown();
        Click("Cmd_Retour");
        scripted.messages.verify();
        EXPECT_EQ(scripted.messages.beeps(), c.answer ? 1 : 0);
        EXPECT_EQ(form->isVisible(), !c.closes);
        EXPECT_EQ(g.ContractRecord.Item() == opened, c.restored);
        if (!c.closes) {
            EXPECT_EQ(Column("Lst_Periode"), rowsBefore);
        }
        form.reset();
    }
}

TEST_F(ContratAnnuelTest, DeletingRowsAndTheWholeFollowUp) {
    TwoPeriods();
    Open();
    // "Non" changes nothing but gives the buttons back.
    DoubleClickRow(1);
    scripted.messages.expect(Supprimer1, Icon::Exclamation, Buttons::YesNo, Answer::No,
                             ui::DefaultButton::Second);
    Click("Cmd_Supprimer");
    EXPECT_EQ(list("Lst_Periode")->count(), 2);
    EXPECT_TRUE(button("Cmd_Ajouter")->isEnabled());
    EXPECT_TRUE(child<QRadioButton>("Opt_EnCours")->isEnabled());

    scripted.messages.expect(Supprimer1, Icon::Exclamation, Buttons::YesNo, Answer::Yes,
                             ui::DefaultButton::Second);
    Click("Cmd_Supprimer");
    EXPECT_EQ(Column("Lst_Periode"), QStringList{"JANVIER 2026"});
    EXPECT_EQ(g.ContractRecord.Item(s::Periode), "202601");
    EXPECT_EQ(g.ContractRecord.Item(s::Difference), "250");
    EXPECT_TRUE(child<QComboBox>("Cbo_Periode")->currentText().isEmpty());

    scripted.messages.expect(SupprimerTout, Icon::Exclamation, Buttons::YesNo, Answer::Yes,
                             ui::DefaultButton::Second);
    Click("Cmd_Supprimer");
    EXPECT_EQ(list("Lst_Periode")->count(), 0);
    for (int f : {s::Periode, s::HeuresContrat, s::HeuresAbsence, s::HeuresReelles, s::Difference,
                  s::RegulModulation})
        EXPECT_EQ(g.ContractRecord.DCount(f), 0) << f;
    EXPECT_EQ(g.ContractRecord.Item(s::PrecPeriode), "202501");

    // No rows and nothing loaded: nothing asked.
    scripted.messages.clearShown();
    Click("Cmd_Supprimer");
    EXPECT_TRUE(scripted.messages.shown().empty());
}

TEST_F(ContratAnnuelTest, PreviousYearIsOnlyLookedAt) {
    TwoPeriods();
    Open();
    child<QRadioButton>("Opt_Precedent")->click();
    EXPECT_TRUE(form->PrecedentAffiche());
    EXPECT_EQ(Column("Lst_Periode"), QStringList{"JANVIER 2025"});
    EXPECT_EQ(Column("Lst_HresParContrat"), QStringList{"120,00"});
    for (const char* name : {"Cmd_Ajouter", "Cmd_Supprimer", "Cmd_OK"})
        EXPECT_FALSE(button(name)->isEnabled()) << name;
    EXPECT_FALSE(list("Lst_Periode")->isEnabled());
    EXPECT_FALSE(child<QComboBox>("Cbo_Periode")->isEnabled());
    EXPECT_FALSE(box("Txt_HresParContrat")->isEnabled());

    child<QRadioButton>("Opt_EnCours")->click();
    EXPECT_EQ(list("Lst_Periode")->count(), 2);
    EXPECT_TRUE(button("Cmd_OK")->isEnabled());
    EXPECT_TRUE(list("Lst_Periode")->isEnabled());
    EXPECT_TRUE(box("Txt_Difference")->isEnabled());
}

TEST_F(ContratAnnuelTest, AnnulerLeavesACreationOnlyWhenConfirmed) {
    TwoPeriods();
    Open();
    Click("Cmd_Ajouter");
    ChoosePeriod("MARS 2026");
    scripted.messages.expect(QuitterCreation, Icon::Exclamation, Buttons::YesNo, Answer::No);
    Click("Cmd_Annuler");
    EXPECT_TRUE(form->CreationEnCours());
    EXPECT_EQ(child<QComboBox>("Cbo_Periode")->currentText(), QStringLiteral("MARS 2026"));

    scripted.messages.expect(QuitterCreation, Icon::Exclamation, Buttons::YesNo, Answer::Yes);
    Click("Cmd_Annuler");
    EXPECT_FALSE(form->CreationEnCours());
    EXPECT_TRUE(child<QComboBox>("Cbo_Periode")->currentText().isEmpty());
    EXPECT_EQ(list("Lst_Periode")->count(), 2);
    EXPECT_TRUE(button("Cmd_Retour")->isEnabled());
    EXPECT_FALSE(button("Cmd_Annuler")->isEnabled());
}

TEST_F(ContratAnnuelTest, TypingIsFilteredAndTheCloseBoxRefused) {
    TwoPeriods();
    Open();
    DoubleClickRow(0);
    struct Case {
        const char* box;
        const char* typed;
        const char* shown;
    } cases[] = {
        {"Txt_Difference", "1-2", "12"},  {"Txt_Difference", "-3,5", "-3,5"},
        {"Txt_Difference", "--4", "-4"},  {"Txt_Difference", "2a.5", "2,5"},
        {"Txt_Regul", "-1,2,3", "-1,23"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.box) + " " + c.typed);
        Type(c.box, c.typed);
        EXPECT_EQ(box(c.box)->text(), QString::fromUtf8(c.shown));
    }
    // Nothing in front of a leading minus.
    QLineEdit* diff = box("Txt_Difference");
    diff->setText("-5");
    diff->setCursorPosition(0);
    QTest::keyClicks(diff, "7");
    EXPECT_EQ(diff->text(), QStringLiteral("-5"));

    // The period is chosen, never typed.
    auto* combo = child<QComboBox>("Cbo_Periode");
    QTest::keyClicks(combo->lineEdit(), "XYZ");
    EXPECT_EQ(combo->currentText(), QStringLiteral("JANVIER 2026"));

    form->close();
    EXPECT_TRUE(form->isVisible());
    QTest::keyClick(form.get(), Qt::Key_Escape);
    EXPECT_TRUE(form->isVisible());
}

// Renders the screen to PNG files when ARBEL_SCREENSHOT_DIR names a folder.
TEST_F(ContratAnnuelTest, Screenshots) {
    const QString dir = qEnvironmentVariable("ARBEL_SCREENSHOT_DIR");
    if (dir.isEmpty())
        GTEST_SKIP() << "ARBEL_SCREENSHOT_DIR not set";
    const int n = 14;
    std::vector<std::string> diffs, regs;
    for (int i = 0; i < n; ++i) {
        diffs.push_back(std::to_string((i % 5 - 2) * 125));
        regs.push_back(i % 4 == 3 ? "100" : "0");
    }
    SetContract({{s::Periode, Months(n)},
                 {s::HeuresContrat, Repeat("15167", n)},
                 {s::HeuresAbsence, Repeat("800", n)},
                 {s::HeuresReelles, Repeat("14367", n)},
                 {s::Difference, dba::Join(diffs, dba::VM)},
                 {s::RegulModulation, dba::Join(regs, dba::VM)},
                 {s::PrecPeriode, dba::Join({"202501", "202502", "202503", "202504", "202505", "202506",
                                             "202507", "202508", "202509", "202510", "202511", "202512"},
                                            dba::VM)},
                 {s::PrecHeuresContrat, Repeat("15167", 12)},
                 {s::PrecHeuresAbsence, Repeat("0", 12)},
                 {s::PrecHeuresReelles, Repeat("15292", 12)},
                 {s::PrecDifference, Repeat("125", 12)},
                 {s::PrecRegulModulation, Repeat("25", 12)}});
    Open();
    DoubleClickRow(2);
    form->grab().save(QDir(dir).filePath("contrat_annuel_en_cours.png"));
    Click("Cmd_Annuler");
    child<QRadioButton>("Opt_Precedent")->click();
    form->grab().save(QDir(dir).filePath("contrat_annuel_precedent.png"));
    SUCCEED();
}

} // namespace
