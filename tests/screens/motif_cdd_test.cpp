// The fixed-term reason screen, opened as the contract editor opens it, on a
// real database: the reason and the replaced helpers shown, the helper
// look-ups and row checks, list and entry modes, rights, and the five
// fields written back.
#include "data/access_rights.h"
#include "data/contrat_fields.h"
#include "data/procedures.h"
#include "data/table_fields.h"
#include "data/tables.h"
#include "rules/origine_checks.h"
#include "screens/motif_cdd/frm_motif_cdd.h"
#include "screens/motif_cdd/ouvrir_motif_cdd.h"
#include "support/install_scripted.h"
#include "support/library_fixture.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <array>
#include <functional>
#include "support/form_probe.h"

#include <gtest/gtest.h>

namespace c = data::contrat;
namespace t = data::tables;

namespace {

using probe::child;
using probe::Click;
using probe::Rows;
using probe::Screenshot;

const QString SaveQuestion = "Voulez-vous enregistrer les modifications apportées à cet article ?";
const QString DeleteQuestion = "Etes-vous sûr de vouloir supprimer cette ligne ?";
const QString LeaveCreation = "Etes-vous sûr de vouloir quitter cette création ?";
const QString ReasonRequired = "La saisie d'un motif d'embauche est obligatoire.";
const std::string NomLong = "Mme Marie-Christine de La Roche-Beauregard, salariée directe";

class MotifCddTest : public ::testing::Test {
protected:
    InstallScripted scripted;
    LibraryDatabase lib;
    data::GlobalState g;
    QWidget editor; // stands for the contract editor
    std::string maladie, conges, accident;

    void SetUp() override {
        lib.Put(t::TABLES, "MOTIFEMBAUCHE",
                {{1, "Motifs"},
                 {2, Values({"01", "02"})},
                 {3, Values({"Remplacement d'un salarié absent", "Accroissement temporaire d'activité"})}});
        lib.Put(t::TABLES, "ABSENCES",
                {{1, "Absences"},
                 {2, Values({"01", "02", "03", "18"})},
                 {3, Values({"Congés payés", "Maladie", "Accident du travail", "Formation"})}});
        for (const auto& [code, nom, prenom, sortie] :
             std::vector<std::array<std::string, 4>>{{"49001", "Guérin", "Nathalie", ""},
                                                     {"49004", "Faucher", "Amandine", ""},
                                                     {"49008", "Vidal", "Monique", Day("30/06/2026")},
                                                     {"00012", "Petit", "Léa", ""}})
            lib.Put(t::CIVILAIDANT, code, {{2, nom}, {3, prenom}, {36, sortie}});
        for (const char* helper : {"49001", "49004", "00012", "49008"})
            lib.Put(t::CONTRAT, std::string(helper) + "001",
                    {{1, "02"},
                     {2, "001"},
                     {3, "49001"},
                     {7, Day("06/03/2023")},
                     {8, helper == std::string("49008") ? Day("30/06/2026") : ""}});
        maladie = PutAbsence("02", "02/11/2026", "13/12/2026", "02");
        conges = PutAbsence("03", "21/12/2026", "03/01/2027", "01");
        accident = PutAbsence("04", "10/01/2027", "20/01/2027", "03");
        PutAbsence("05", "01/12/2026", "05/12/2026", "18");
        // The replacement: a reason and its first line, one person known by
        // name only, one helper for two of her absences.
        lib.Put(t::CONTRAT, "49004001",
                {{1, "02"},
                 {2, "001"},
                 {3, "49001"},
                 {4, "D"},
                 {7, Day("02/11/2026")},
                 {c::MotifEmbaucheTexte, "Remplacement de Nathalie Guérin"},
                 {c::RemplacesSansCode, NomLong},
                 {c::MotifEmbauche, "01"},
                 {c::AidantsRemplaces, Values({"49001", "49001"})},
                 {c::AbsencesRemplacees, Values({maladie, conges})},
                 {130, "après"}});
        g.TheDatabase = lib.db;
        data::Ouvrir_Tables(g);
        g.ContractRecord = g.Handles.Contrat.ReadRecord("49004001");
    }

    std::string PutAbsence(const char* n, const char* start, const char* end, const char* type) {
        const std::string key = std::string("49001") + n + Day(start);
        lib.Put(t::ABSENCESAIDANT, key, {{data::absencesaidant::DateFin, Day(end)}, {11, type}});
        return key;
    }

    bool Open(const std::function<void(Frm_MotifCDD&)>& whileOpen, const std::string& user = "plein",
              std::function<void()> reasons = {}) {
        scripted.modal.onNext("Frm_MotifCDD",
                              [&](QDialog& dialog) { whileOpen(dynamic_cast<Frm_MotifCDD&>(dialog)); });
        const screens::ContexteMotifCDD contexte{"49004", "Faucher Amandine", "02/11/2026", "02", "49001",
                                                 "001"};
        return screens::OuvrirMotifCDD(g, std::make_shared<data::AccessRights>(lib.db, user), contexte,
                                       &editor, std::move(reasons));
    }

    static QStringList Rows(QWidget& form) { return probe::Rows(form, "Lst_AidantRemplace"); }
    static void DoubleClickRow(QWidget& form, int row) {
        auto* l = child<QListWidget>(form, "Lst_AidantRemplace");
        const QRect rect = l->visualItemRect(l->item(row));
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, rect.center());
        QTest::mouseDClick(l->viewport(), Qt::LeftButton, {}, rect.center());
    }
    static QLineEdit* Code(QWidget& form) { return child<QLineEdit>(form, "Txt_CodeAidant"); }
    static QComboBox* Name(QWidget& form) { return child<QComboBox>(form, "Cbo_AidantRemplace"); }
    static QComboBox* Absence(QWidget& form) { return child<QComboBox>(form, "Cbo_Absence"); }
};

} // namespace

TEST_F(MotifCddTest, ThreeRowsShownAndWrittenBackUnchanged) {
    const std::string before = g.ContractRecord.Item();
    const bool changed = Open([&](Frm_MotifCDD& f) {
        EXPECT_EQ(f.windowTitle(), "Motif C.D.D.");
        EXPECT_EQ(child<QLabel>(f, "Etq_CodeAidant")->text(), "49004");
        EXPECT_EQ(child<QComboBox>(f, "Cbo_MotifEmbauche")->currentText(),
                  "Remplacement d'un salarié absent");
        EXPECT_EQ(f.Txt_MotifEmbContrat(0)->text(), "Remplacement de Nathalie Guérin");
        const QStringList rows = Rows(f);
        ASSERT_EQ(rows.size(), 3);
        EXPECT_EQ(rows[0], "       " + QString::fromStdString(NomLong));
        EXPECT_EQ(rows[1].left(45), "49001  " + QString("Guérin Nathalie").leftJustified(38));
        EXPECT_EQ(rows[1].mid(45).trimmed(),
                  "Maladie du 02/11/26 au 13/12/26" + QString(49, ' ') + QString::fromStdString(maladie));
        EXPECT_EQ(rows[2].mid(45, 36), "Congés payés du 21/12/26 au 03/01/27");
        EXPECT_FALSE(child<QPushButton>(f, "Cmd_MotifsEmbauche")->isEnabled()); // nobody to open the list
        EXPECT_FALSE(Code(f)->isEnabled());
        EXPECT_FALSE(f.close()); // the close box does nothing
        Screenshot(f, "motif_cdd_trois_lignes.png");
        Click(f, "Cmd_OK");
    });
    EXPECT_FALSE(changed);
    EXPECT_EQ(g.ContractRecord.Item(), before);
}

TEST_F(MotifCddTest, FixedTermWithoutReasonGetsOneBeforeItSaves) {
    for (int field : {c::MotifEmbaucheTexte, c::MotifEmbauche})
        g.ContractRecord.SetItem(field, "");
    auto check = [&] {
        rules::OrigineSaisie s{"02",
                               "001",
                               "49001",
                               "02/11/2026",
                               "31/01/2027",
                               "",
                               true,
                               QString::fromStdString(g.ContractRecord.Item(c::MotifEmbaucheTexte, 1)),
                               QString::fromStdString(g.ContractRecord.Item(c::MotifEmbauche)),
                               {}};
        s.changementDebut.savedStart = QString::fromStdString(Day("02/11/2026"));
        return rules::VerifOrigine(s);
    };
    const auto refus = check();
    ASSERT_TRUE(refus && refus->motifEmbauche);

    scripted.messages.expect(ReasonRequired, ui::Icon::Exclamation);
    EXPECT_TRUE(Open([&](Frm_MotifCDD& f) {
        EXPECT_EQ(child<QComboBox>(f, "Cbo_MotifEmbauche")->currentIndex(), -1);
        Click(f, "Cmd_OK"); // neither a listed reason nor a first line: stays
        EXPECT_TRUE(f.isVisible());
        EXPECT_TRUE(f.Txt_MotifEmbContrat(0)->hasFocus());
        child<QComboBox>(f, "Cbo_MotifEmbauche")->setCurrentIndex(1);
        Click(f, "Cmd_OK");
    }));
    EXPECT_EQ(g.ContractRecord.Item(c::MotifEmbauche), "02");
    EXPECT_EQ(check(), std::nullopt);
}

TEST_F(MotifCddTest, HelperCodeCompletedLookedUpAndEmptiedOnAnyChange) {
    scripted.messages
        .expect("Aucune absence en cours ou à venir pour l'aidant Petit Léa.", ui::Icon::Exclamation)
        .expect("Cet aidant n'existe pas.", ui::Icon::Exclamation)
        .expect("Cet aidant n'existe pas.", ui::Icon::Exclamation)
        .expect("Cet aidant existe mais est à l'état supprimé.", ui::Icon::Exclamation)
        .expect("Aucune absence en cours ou à venir pour l'aidant Faucher Amandine.", ui::Icon::Exclamation)
        .expect("L'aidant ne peut pas se remplacer lui-même.", ui::Icon::Information)
        .expect(LeaveCreation, ui::Icon::Question, ui::Buttons::YesNo, ui::Answer::Yes);
    Open([&](Frm_MotifCDD& f) {
        Click(f, "Cmd_AjouterAidant");
        EXPECT_FALSE(child<QPushButton>(f, "Cmd_SupprimerAidant")->isEnabled());
        EXPECT_FALSE(child<QPushButton>(f, "Cmd_OK")->isEnabled());
        EXPECT_TRUE(Code(f)->hasFocus());
        QTest::keyClicks(Code(f), "12");
        QTest::keyClick(Code(f), Qt::Key_Return);
        EXPECT_EQ(Code(f)->text(), "00012");
        EXPECT_EQ(Name(f)->currentText(), "Petit Léa");
        // One more character: the code no longer fits, nor the name.
        QTest::keyClicks(Code(f), "3");
        EXPECT_EQ(Code(f)->text(), "");
        EXPECT_EQ(Name(f)->currentText(), "");

        auto leave = [&](const char* typed) {
            Code(f)->setFocus(Qt::TabFocusReason);
            Code(f)->selectAll();
            QTest::keyClicks(Code(f), typed);
            Absence(f)->setFocus(Qt::TabFocusReason);
        };
        leave("490"); // "00490": nobody
        // Pasted: no helper code is that long.
        Code(f)->selectAll();
        Code(f)->insert("490011");
        Absence(f)->setFocus(Qt::TabFocusReason);
        EXPECT_EQ(Code(f)->text(), "");
        EXPECT_TRUE(Code(f)->hasFocus());
        leave("49008");
        EXPECT_EQ(Code(f)->text(), "");
        leave("49004");
        EXPECT_EQ(Name(f)->currentText(), "Faucher Amandine");
        Click(f, "Cmd_OkAidant");
        EXPECT_EQ(Rows(f).size(), 3); // the entry line stays as typed
        EXPECT_EQ(Code(f)->text(), "49004");
        Click(f, "Cmd_AnnulerAidant");
        EXPECT_TRUE(child<QListWidget>(f, "Lst_AidantRemplace")->isEnabled());
        EXPECT_EQ(Code(f)->text(), "");
        Click(f, "Cmd_Retour");
    });
}

TEST_F(MotifCddTest, HelperFoundByNameAddedOnlyWithAnotherAbsence) {
    scripted.messages
        .expect("La saisie d'au moins un caractère est nécessaire pour la recherche.", ui::Icon::Exclamation)
        .expect("Aucun aidant commencant par ZZ.", ui::Icon::Exclamation)
        .expect("Cette absence pour cet aidant a déjà été ajoutée à la liste.", ui::Icon::Information)
        .expect("Cet aidant a déjà été ajouté à la liste.", ui::Icon::Information);
    Open([&](Frm_MotifCDD& f) {
        Click(f, "Cmd_AjouterAidant");
        QLineEdit* typed = Name(f)->lineEdit();
        QTest::keyClick(typed, Qt::Key_Return);
        QTest::keyClicks(typed, "zz");
        QTest::keyClick(typed, Qt::Key_Return);
        typed->setText("gué");
        QTest::keyClick(typed, Qt::Key_Return);
        ASSERT_EQ(Name(f)->count(), 1);
        Name(f)->setCurrentIndex(0);
        EXPECT_EQ(Code(f)->text(), "49001");
        ASSERT_EQ(Absence(f)->count(), 3); // current and future, training aside, by start
        EXPECT_EQ(Absence(f)->itemText(2), "Accident du travail du 10/01/27 au 20/01/27");
        Absence(f)->setCurrentIndex(0);
        Click(f, "Cmd_OkAidant"); // that sick leave is already covered
        Absence(f)->setEditText("");
        Click(f, "Cmd_OkAidant"); // without an absence: she is already there
        Absence(f)->setCurrentIndex(2);
        Screenshot(f, "motif_cdd_saisie.png");
        Click(f, "Cmd_OkAidant");
        ASSERT_EQ(Rows(f).size(), 4);
        EXPECT_EQ(Rows(f)[3].mid(125), QString::fromStdString(accident));
        Click(f, "Cmd_OK");
    });
    EXPECT_EQ(g.ContractRecord.Item(c::AidantsRemplaces), Values({"49001", "49001", "49001"}));
    EXPECT_EQ(g.ContractRecord.Item(c::AbsencesRemplacees), Values({maladie, conges, accident}));
}

TEST_F(MotifCddTest, ChangedRowKeepsItsPlaceNameOnlyRowCanOnlyGo) {
    scripted.messages.expect(DeleteQuestion, ui::Icon::Exclamation, ui::Buttons::YesNo, ui::Answer::Yes);
    Open([&](Frm_MotifCDD& f) {
        DoubleClickRow(f, 1);
        EXPECT_FALSE(Code(f)->isEnabled());
        EXPECT_FALSE(Name(f)->isEnabled());
        EXPECT_TRUE(Absence(f)->isEnabled());
        EXPECT_EQ(Absence(f)->currentText(), "Maladie du 02/11/26 au 13/12/26");
        Absence(f)->setCurrentIndex(2);
        Click(f, "Cmd_OkAidant");
        EXPECT_EQ(Rows(f)[1].mid(45, 20), "Accident du travail ");
        EXPECT_EQ(Rows(f)[2].mid(45, 6), "Congés");

        DoubleClickRow(f, 0);
        EXPECT_FALSE(child<QPushButton>(f, "Cmd_OkAidant")->isEnabled());
        EXPECT_FALSE(Absence(f)->isEnabled());
        EXPECT_TRUE(child<QPushButton>(f, "Cmd_AnnulerAidant")->isEnabled());
        Click(f, "Cmd_SupprimerAidant");
        EXPECT_EQ(Rows(f).size(), 2);
        Click(f, "Cmd_OK");
    });
    EXPECT_EQ(g.ContractRecord.Item(c::RemplacesSansCode), "");
    EXPECT_EQ(g.ContractRecord.Item(c::AbsencesRemplacees), Values({accident, conges}));
    EXPECT_EQ(g.ContractRecord.Item(130), "après");
}

TEST_F(MotifCddTest, RetourAsksOnlyThoseWhoMaySave) {
    const std::string before = g.ContractRecord.Item();
    auto deleteFirstRow = [&](Frm_MotifCDD& f) {
        DoubleClickRow(f, 0);
        Click(f, "Cmd_SupprimerAidant");
    };
    scripted.messages.answerNext(ui::Answer::Yes)
        .expect(SaveQuestion, ui::Icon::Exclamation, ui::Buttons::YesNoCancel, ui::Answer::Cancel)
        .expect(SaveQuestion, ui::Icon::Exclamation, ui::Buttons::YesNoCancel, ui::Answer::No);
    Open([&](Frm_MotifCDD& f) {
        deleteFirstRow(f);
        Click(f, "Cmd_Retour"); // Cancel: the screen stays, with its change
        EXPECT_TRUE(f.isVisible());
        EXPECT_EQ(Rows(f).size(), 2);
        Click(f, "Cmd_Retour");
    });
    EXPECT_EQ(g.ContractRecord.Item(), before);
    EXPECT_EQ(scripted.messages.beeps(), 2);

    // Read-only user, and a site whose contract-management level locks
    // contracts: no OK, and Retour drops the change without asking.
    for (const auto& [user, level] : {std::pair{"lecture", "0"}, std::pair{"plein", "3"}}) {
        SCOPED_TRACE(std::string(user) + " " + level);
        g.ContractManagementLevel = level;
        scripted.messages.answerNext(ui::Answer::Yes);
        Open(
            [&](Frm_MotifCDD& f) {
                EXPECT_TRUE(child<QPushButton>(f, "Cmd_OK")->isHidden());
                deleteFirstRow(f);
                Click(f, "Cmd_Retour");
            },
            user);
        EXPECT_EQ(g.ContractRecord.Item(), before);
    }
    EXPECT_EQ(scripted.messages.beeps(), 2);
}

TEST_F(MotifCddTest, ReasonListReadAgainAfterItsOwnScreen) {
    int opened = 0;
    Open(
        [&](Frm_MotifCDD& f) {
            auto* reasons = child<QComboBox>(f, "Cbo_MotifEmbauche");
            reasons->setCurrentIndex(1);
            Click(f, "Cmd_MotifsEmbauche");
            EXPECT_EQ(opened, 1);
            ASSERT_EQ(reasons->count(), 3);
            EXPECT_EQ(reasons->itemText(0), "Emploi à caractère saisonnier");
            EXPECT_EQ(reasons->currentText(), "Accroissement temporaire d'activité");
            Click(f, "Cmd_OK");
        },
        "plein",
        [&] {
            ++opened;
            lib.Put(t::TABLES, "MOTIFEMBAUCHE",
                    {{1, "Motifs"},
                     {2, Values({"03", "01", "02"})},
                     {3, Values({"Emploi à caractère saisonnier", "Remplacement d'un salarié absent",
                                 "Accroissement temporaire d'activité"})}});
        });
    EXPECT_EQ(g.ContractRecord.Item(c::MotifEmbauche), "02");
}
