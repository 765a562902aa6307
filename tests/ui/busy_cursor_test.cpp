// The busy guard: hourglass and disabled form while it lives, both back as
// they were on every way out, nested or not.
#include "ui/busy_cursor.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

bool hourglass() {
    return QApplication::overrideCursor() != nullptr &&
           QApplication::overrideCursor()->shape() == Qt::WaitCursor;
}

TEST(BusyCursor, SetsHourglassAndDisablesTheFormThenRestoresBoth) {
    QWidget form;
    ASSERT_EQ(QApplication::overrideCursor(), nullptr);
    {
        ui::BusyCursor busy(&form);
        EXPECT_TRUE(hourglass());
        EXPECT_FALSE(form.isEnabled());
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(form.isEnabled());
    {
        ui::BusyCursor pointerOnly; // no form to disable
        EXPECT_TRUE(hourglass());
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(BusyCursor, NestedGuardsRestoreInTurn) {
    QWidget editor;
    auto* tab = new QWidget(&editor);
    {
        ui::BusyCursor outer(&editor);
        {
            ui::BusyCursor sameForm(&editor); // finds the form already disabled, leaves it so
            ui::BusyCursor innerPart(tab);    // a part of a form already disabled
        }
        EXPECT_TRUE(hourglass()) << "the outer guard still holds the pointer";
        EXPECT_FALSE(editor.isEnabled()) << "the outer guard still holds the form";
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(editor.isEnabled());
    EXPECT_TRUE(tab->isEnabled()) << "the part must not stay disabled on its own";
}

TEST(BusyCursor, ProcessesPendingEventsAndSurvivesTheFormGoingAway) {
    bool pendingRan = false;
    QTimer::singleShot(0, [&] { pendingRan = true; });
    auto* form = new QWidget;
    {
        ui::BusyCursor busy(form);
        EXPECT_TRUE(pendingRan);
        delete form;
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

} // namespace
