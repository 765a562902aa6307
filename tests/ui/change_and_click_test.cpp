// Change, Click, DblClick and up-down Change: raised by the user and by code
// alike, never by filling or emptying a list.
#include "active_window.h"
#include "support/install_scripted.h"
#include "ui/events.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

class Counter : public QObject {
public:
    void hit() { ++count; }
    int take() { return std::exchange(count, 0); }
    int count = 0;
};

TEST(Change, FiresWhenTheUserTypesAndWhenCodeSetsADifferentText) {
    QLineEdit edit;
    Counter changes;
    ui::onChange(&edit, &changes, &Counter::hit);

    edit.setText(QStringLiteral("007"));
    EXPECT_EQ(changes.take(), 1);
    edit.setText(QStringLiteral("007"));
    EXPECT_EQ(changes.take(), 0) << "the same text again is no change";
    QTest::keyClicks(&edit, QStringLiteral("12"));
    EXPECT_EQ(changes.take(), 2);
    edit.clear();
    EXPECT_EQ(changes.take(), 1);
}

TEST(ComboClick, FiresWhenTheIndexChangesByCodeOrUserNeverByFillingOrEmptying) {
    QComboBox combo;
    Counter clicks;
    ui::onClick(&combo, &clicks, &Counter::hit);

    struct Step {
        const char* what;
        std::function<void()> act;
        int expectedClicks;
        int expectedIndex;
    } const steps[] = {
        {"filling the list chooses nothing",
         [&] {
             combo.addItems(
                 {QStringLiteral("Virement bancaire"), QStringLiteral("Chèque"), QStringLiteral("Espèces")});
         },
         0, -1},
        {"code sets index 1", [&] { combo.setCurrentIndex(1); }, 1, 1},
        {"code sets index 1 again", [&] { combo.setCurrentIndex(1); }, 0, 1},
        {"user presses Down", [&] { QTest::keyClick(&combo, Qt::Key_Down); }, 1, 2},
        {"code sets no item", [&] { combo.setCurrentIndex(-1); }, 1, -1},
        {"code sets the text of an item", [&] { combo.setCurrentText(QStringLiteral("Chèque")); }, 1, 1},
        {"adding an item, then emptying the list",
         [&] {
             combo.addItem(QStringLiteral("Assuré individuel"));
             combo.clear();
         },
         0, -1},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.act();
        QApplication::processEvents();
        EXPECT_EQ(clicks.take(), step.expectedClicks);
        EXPECT_EQ(combo.currentIndex(), step.expectedIndex);
    }
}

TEST(ComboClick, UserPickingTheCurrentItemInTheListIsAClick) {
    QWidget window;
    auto* combo = new QComboBox(&window);
    combo->addItems({QStringLiteral("Hebdo"), QStringLiteral("Mensuelle")});
    combo->setCurrentIndex(0);
    Counter clicks;
    ui::onClick(combo, &clicks, &Counter::hit);
    ASSERT_TRUE(showActive(window));

    combo->showPopup();
    QTest::keyClick(combo->view(), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(combo->currentIndex(), 0);
    EXPECT_EQ(clicks.take(), 1);

    combo->showPopup();
    QTest::keyClick(combo->view(), Qt::Key_Down);
    QTest::keyClick(combo->view(), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(combo->currentIndex(), 1);
    EXPECT_EQ(clicks.take(), 1) << "a pick that changes the item is one click, not two";
}

TEST(ComboChange, FillingAnEditableComboKeepsTheTypedTextAndRaisesNoChange) {
    QComboBox combo;
    combo.setEditable(true);
    Counter changes, clicks;
    ui::onComboChange(&combo, &changes, &Counter::hit);
    ui::onClick(&combo, &clicks, &Counter::hit);

    QTest::keyClicks(&combo, QStringLiteral("DUP"));
    EXPECT_EQ(changes.take(), 3);
    combo.addItems({QStringLiteral("DUPONT Jean"), QStringLiteral("DUPUIS Anne")});
    EXPECT_EQ(combo.currentText(), QStringLiteral("DUP"));
    EXPECT_EQ(changes.take(), 0);
    EXPECT_EQ(clicks.take(), 0);

    combo.setCurrentIndex(1);
    EXPECT_EQ(combo.currentText(), QStringLiteral("DUPUIS Anne"));
    EXPECT_EQ(changes.take(), 1);
    EXPECT_EQ(clicks.take(), 1);
}

class ListForm : public QWidget {
public:
    ListForm() {
        auto* layout = new QHBoxLayout(this);
        for (QListWidget*& list : lists) {
            list = new QListWidget(this);
            list->addItems({QStringLiteral("0001"), QStringLiteral("0002"), QStringLiteral("0003")});
            layout->addWidget(list);
        }
        // Lists kept on the same line by their click handlers.
        ui::onClick(lists[0], this, [this] { keepInStep(0); });
        ui::onClick(lists[1], this, [this] { keepInStep(1); });
        ui::onClick(lists[2], this, [this] { keepInStep(2); });
    }
    void keepInStep(int source) {
        ++clicks[source];
        for (QListWidget* list : lists)
            list->setCurrentRow(lists[source]->currentRow());
    }
    int take(int i) { return std::exchange(clicks[i], 0); }

    QListWidget* lists[3];
    int clicks[3] = {0, 0, 0};
};

QPoint centreOfRow(QListWidget* list, int row) {
    return list->visualItemRect(list->item(row)).center();
}

TEST(ListClick, CodeSettingTheRowRaisesItSoListsStayInStepButEmptyingDoesNot) {
    ListForm form;
    form.lists[1]->setCurrentRow(2);
    for (QListWidget* list : form.lists)
        EXPECT_EQ(list->currentRow(), 2);
    EXPECT_EQ(form.take(0), 1);
    EXPECT_EQ(form.take(1), 1);
    EXPECT_EQ(form.take(2), 1);
    form.lists[1]->setCurrentRow(2);
    EXPECT_EQ(form.take(1), 0) << "the same row again is no click";
    form.lists[0]->clear();
    EXPECT_EQ(form.take(0), 0) << "emptying a list is no click";
}

TEST(ListClick, MouseClickIsOneClickWhetherOrNotTheRowChangesAndDblClickIsOne) {
    ListForm form;
    ASSERT_TRUE(showActive(form));
    QListWidget* list = form.lists[0];
    // Showing gave the first list the focus: that chose no row.
    EXPECT_EQ(list->currentRow(), -1);
    EXPECT_EQ(form.take(0), 0);

    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centreOfRow(list, 1));
    EXPECT_EQ(list->currentRow(), 1);
    EXPECT_EQ(form.lists[2]->currentRow(), 1);
    EXPECT_EQ(form.take(0), 1);

    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centreOfRow(list, 1));
    EXPECT_EQ(form.take(0), 1);

    // What a mouse sends for a double click: a click, then the double click.
    Counter doubleClicks;
    ui::onDblClick(list, &doubleClicks, &Counter::hit);
    const QPoint row2 = centreOfRow(list, 2);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row2);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row2);
    EXPECT_EQ(doubleClicks.take(), 1);
    EXPECT_EQ(list->currentRow(), 2);
}

TEST(ListClick, TabbingIntoAListChoosesNoRow) {
    ListForm form;
    ASSERT_TRUE(showActive(form));
    QTest::keyClick(form.lists[0], Qt::Key_Tab);
    ASSERT_TRUE(form.lists[1]->hasFocus());
    EXPECT_EQ(form.lists[1]->currentRow(), -1);
    EXPECT_EQ(form.take(1), 0);
    // The keyboard then moves from "no row" to the first one: a click.
    QTest::keyClick(form.lists[1], Qt::Key_Down);
    EXPECT_EQ(form.lists[1]->currentRow(), 0);
    EXPECT_EQ(form.take(1), 1);
}

TEST(ButtonClickAndUpDownChange, FollowTheValueWhoeverSetsIt) {
    QWidget window;
    auto* check = new QCheckBox(&window);
    auto* indetermine = new QRadioButton(&window);
    auto* determine = new QRadioButton(&window);
    QSpinBox spin;
    QScrollBar bar(Qt::Vertical);
    bar.setRange(0, 10);
    Counter checkClicks, indetermineClicks, determineClicks, spinChanges, barChanges;
    ui::onClick(check, &checkClicks, &Counter::hit);
    ui::onClick(indetermine, &indetermineClicks, &Counter::hit);
    ui::onClick(determine, &determineClicks, &Counter::hit);
    ui::onUpDownChange(&spin, &spinChanges, &Counter::hit);
    ui::onUpDownChange(&bar, &barChanges, &Counter::hit);

    check->setChecked(true);
    check->setChecked(true);
    check->setChecked(false);
    EXPECT_EQ(checkClicks.take(), 2);

    indetermine->setChecked(true);
    EXPECT_EQ(indetermineClicks.take(), 1);
    determine->setChecked(true); // the other option goes off: not its click
    EXPECT_EQ(determineClicks.take(), 1);
    EXPECT_EQ(indetermineClicks.take(), 0);

    spin.setValue(3);
    spin.setValue(3);
    spin.stepUp();
    EXPECT_EQ(spinChanges.take(), 2);
    bar.setValue(4);
    bar.triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(barChanges.take(), 2);
}

} // namespace
