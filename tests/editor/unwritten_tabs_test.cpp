// The tabs whose values saving does not write back yet are shown read-only:
// nothing the user types there can look saved and then be lost.
#include "editor_fixture.h"

#include "data/tables.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

class UnwrittenTabsTest : public EditorTest {};

TEST_F(UnwrittenTabsTest, TypingOnThemChangesNothingAndRetourClosesWithoutAsking) {
    PutContract();
    const std::string before = lib.db.OpenTable(data::tables::CONTRAT).ReadRecord("50001001").Item();
    OpenBrowser();
    OpenEditor([&](Frm_ElementsContrat& editor) {
        struct Box {
            int tab;
            const char* name;
        } boxes[] = {{3, "Txt_CPConsoAcqContrat"},
                     {4, "Txt_CmpltMotif"}};
        for (const Box& b : boxes) {
            SelectTab(editor, b.tab);
            QLineEdit* box = child<QLineEdit>(editor, b.name);
            const QString shown = box->text();
            box->setFocus();
            QTest::keyClicks(box, "99");
            EXPECT_EQ(box->text(), shown) << b.name;
            EXPECT_TRUE(box->isReadOnly()) << b.name;
        }
        // Choices do not take the mouse; buttons that would change the
        // contract are disabled.
        auto* option = child<QCheckBox>(editor, "Cac_CalcIndLic");
        const bool checked = option->isChecked();
        QTest::mouseClick(option, Qt::LeftButton);
        EXPECT_EQ(option->isChecked(), checked);

        // The Origine and Caractéristiques tabs stay fully editable.
        SelectTab(editor, 0);
        EXPECT_FALSE(child<QLineEdit>(editor, "Txt_PerEssaiContrat")->isReadOnly());
        EXPECT_FALSE(child<QLineEdit>(editor, "Txt_DureeWContrat")->isReadOnly());
        EXPECT_TRUE(child<QPushButton>(editor, "Cmd_AjoutAvenant")->isEnabled());

        ClickButton(editor, "Cmd_Retour");
        EXPECT_FALSE(editor.isVisible());
        EXPECT_EQ(scripted.messages.beeps(), 0);
    });
    EXPECT_EQ(lib.db.OpenTable(data::tables::CONTRAT).ReadRecord("50001001").Item(), before);
}

} // namespace
