// The editor's code/label look-ups and its activity frame, as the user
// types and picks.
#include "editor_fixture.h"

#include "data/tables.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

namespace {

using editor::Onglet;
using namespace data::tables;

class LookupsTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        lib.Put(ASSOCIATION, "007", {{1, "Aide et présence"}});
        lib.Put(PROFIL, "101", {{1, "Mandataire horaire"}, {4, "1"}});
        lib.Put(PROFIL, "102", {{1, "Mandataire mensuel"}, {4, "1"}});
        lib.Put(PROFIL, "201", {{1, "Prestataire"}, {4, "0"}});
        lib.Put(ACTIVITES, "001MEN", {{1, "Ménage"}, {12, "M"}});
        lib.Put(ACTIVITES, "001REP", {{1, "Repas"}, {12, "M"}});
        lib.Put(ACTIVITES, "001PRE", {{1, "Prestation"}, {12, "P"}});
        lib.Put(ACTIVITES, "001SOI", {{1, "Soins"}, {12, "S"}});
    }
    // Types `text` in `box` and presses Enter, as the user does.
    static void Type(QLineEdit* box, const char* text) {
        box->setEnabled(true);
        box->clear();
        box->setFocus();
        QTest::keyClicks(box, text);
        QTest::keyClick(box, Qt::Key_Return);
    }
    static QStringList Items(QComboBox* combo) {
        QStringList items;
        for (int i = 0; i < combo->count(); ++i)
            items << combo->itemText(i);
        return items;
    }
};

TEST_F(LookupsTest, CodesAreCompletedLookedUpAndNeverKeptUnknown) {
    OpenBrowser();
    OpenEditor([&](Frm_ElementsContrat& editor) {
        editor.Degriser_ComboOng1();
        auto* entity = child<QLineEdit>(editor, "Txt_AssocContrat");
        auto* entityName = child<QComboBox>(editor, "Cbo_LibAssocContrat");
        Type(entity, "7");
        EXPECT_EQ(entity->text(), "007");
        EXPECT_EQ(entityName->currentText(), "Aide et présence");
        // A shorter code leaves no label.
        entity->setText("00");
        EXPECT_TRUE(entityName->currentText().isEmpty());
        entity->clear();

        scripted.messages.expect("Cette convention collective n'existe pas.", ui::Icon::Information);
        auto* agreement = child<QLineEdit>(editor, "Txt_ConvColContrat");
        agreement->setEnabled(true);
        Type(agreement, "9");
        scripted.messages.verify();
        EXPECT_TRUE(agreement->text().isEmpty());

        // Choosing a label puts its code back, without a word.
        entityName->setEnabled(true);
        entityName->setCurrentIndex(entityName->findText("Soins et services"));
        EXPECT_EQ(entity->text(), "002");
        EXPECT_TRUE(scripted.messages.shown().size() == 1);

        // Under agreement "02" the employer is a beneficiary: its code has
        // five characters and is looked up even when not searched by name.
        Type(agreement, "2");
        auto* employer = child<QLineEdit>(editor, "Txt_EmplEtabContrat");
        Type(employer, "100");
        EXPECT_EQ(employer->text(), "00100");
        EXPECT_EQ(child<QComboBox>(editor, "Cbo_LibEmplEtabContrat")->currentText(), "DUPONT Marie");
        EXPECT_EQ(child<QLabel>(editor, "Etq_EmplEtabContrat")->text(), "Employeur");
        scripted.messages.expect("Cet employeur n'existe pas.", ui::Icon::Information);
        Type(employer, "42");
        scripted.messages.verify();
        EXPECT_TRUE(employer->text().isEmpty());
        scripted.messages.answerNext(ui::Answer::No);
    });
}

TEST_F(LookupsTest, ProfilesAreRefusedWhenEqualOrOfTheWrongKind) {
    PutContract({{26, "101"}});
    OpenBrowser();
    OpenEditor([&](Frm_ElementsContrat& editor) {
        SelectTab(editor, Onglet::ElementsPaie);
        auto* first = child<QLineEdit>(editor, "Txt_ProfilContrat");
        auto* second = child<QLineEdit>(editor, "Txt_ProfilContrat2");
        EXPECT_EQ(first->text(), "101");
        EXPECT_EQ(child<QComboBox>(editor, "Cbo_LibProfilContrat")->currentText(), "Mandataire horaire");
        // Only the agent profiles are offered under agreement "02".
        EXPECT_EQ(Items(child<QComboBox>(editor, "Cbo_LibProfilContrat2")),
                  (QStringList{"Mandataire horaire", "Mandataire mensuel"}));
        scripted.messages.expect("Les 2 profils doivent être differents, veuillez ressaisir le deuxième.",
                                 ui::Icon::Exclamation);
        second->setText("101");
        scripted.messages.verify();
        EXPECT_TRUE(second->text().isEmpty());
        scripted.messages.expect("Ce profil n'est pas un profil mandataire, veuillez en choisir un autre.",
                                 ui::Icon::Exclamation);
        second->setText("201");
        scripted.messages.verify();
        second->setText("102");
        EXPECT_EQ(child<QComboBox>(editor, "Cbo_LibProfilContrat2")->currentText(), "Mandataire mensuel");
        scripted.messages.answerNext(ui::Answer::No);
    });
}

TEST_F(LookupsTest, ActivitiesFollowTheAgreementAndKeepToOneType) {
    PutContract({{36, "001MEN"}});
    OpenBrowser();
    OpenEditor([&](Frm_ElementsContrat& editor) {
        // The contract's activity type comes with the contract, pay tab
        // shown or not: the save's mission update depends on it.
        EXPECT_EQ(editor.State().activityType, "M");
        SelectTab(editor, Onglet::ElementsPaie);
        auto* offered = child<QComboBox>(editor, "Cbo_Activite");
        auto* chosen = child<QListWidget>(editor, "Lst_ActiviteContrat");
        ASSERT_EQ(chosen->count(), 1);
        EXPECT_EQ(chosen->item(0)->text(), "Ménage");
        // Agreement "02": its activities only, those of the contract left out.
        EXPECT_EQ(Items(offered), QStringList{"Repas"});

        // Another agreement offers the other types.
        editor.Degriser_ComboOng1();
        auto* agreement = child<QLineEdit>(editor, "Txt_ConvColContrat");
        agreement->setEnabled(true);
        Type(agreement, "5");
        EXPECT_EQ(Items(offered), (QStringList{"Prestation", "Soins"}));

        // Removing the last activity clears the type; the first picked sets it.
        const QPoint row = chosen->visualItemRect(chosen->item(0)).center();
        QTest::mouseClick(chosen->viewport(), Qt::LeftButton, {}, row);
        QTest::mouseDClick(chosen->viewport(), Qt::LeftButton, {}, row);
        EXPECT_EQ(chosen->count(), 0);
        EXPECT_TRUE(editor.State().activityType.isEmpty());
        child<QLineEdit>(editor, "Txt_ActiviteContrat")->clear();
        offered->setCurrentIndex(offered->findText("Prestation"));
        EXPECT_EQ(editor.State().activityType, "P");
        offered->setCurrentIndex(offered->findText("Soins"));
        ASSERT_EQ(chosen->count(), 1); // a production contract does not mix types
        EXPECT_EQ(chosen->item(0)->text(), "Prestation");
        scripted.messages.answerNext(ui::Answer::No);
    });
}

} // namespace
