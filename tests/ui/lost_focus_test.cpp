// LostFocus: fires when the focus really moves to another control, never
// because a message box or another window comes over the field.
#include "active_window.h"
#include "support/install_scripted.h"
#include "ui/events.h"
#include "ui/message_box_messages.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

class TwoFieldForm : public QWidget {
public:
    TwoFieldForm() {
        auto* layout = new QVBoxLayout(this);
        Txt_A = new QLineEdit(this);
        Txt_B = new QLineEdit(this);
        Cmd_OK = new QPushButton(QStringLiteral("OK"), this);
        layout->addWidget(Txt_A);
        layout->addWidget(Txt_B);
        layout->addWidget(Cmd_OK);
        ui::onLostFocus(Txt_A, this, &TwoFieldForm::Txt_A_LostFocus);
        ui::onLostFocus(Txt_B, this, &TwoFieldForm::Txt_B_LostFocus);
    }

    void Txt_A_LostFocus() {
        ++lostA;
        if (refuseA) {
            ui::messages().Show(QStringLiteral("Erreur de saisie dans la date, veuillez la ressaisir."),
                                ui::Buttons::Ok, ui::Icon::Exclamation);
            Txt_A->setFocus();
        }
    }
    void Txt_B_LostFocus() { ++lostB; }

    QLineEdit* Txt_A;
    QLineEdit* Txt_B;
    QPushButton* Cmd_OK;
    int lostA = 0;
    int lostB = 0;
    bool refuseA = false;
};

class LostFocusTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(showActive(form));
        form.Txt_A->setFocus(Qt::OtherFocusReason);
        ASSERT_TRUE(form.Txt_A->hasFocus());
    }

    InstallScripted scripted;
    TwoFieldForm form;
};

TEST_F(LostFocusTest, TabAndMouseClickElsewhereRaiseItOnceForTheFieldLeft) {
    QTest::keyClick(form.Txt_A, Qt::Key_Tab);
    EXPECT_TRUE(form.Txt_B->hasFocus());
    EXPECT_EQ(form.lostA, 1);
    EXPECT_EQ(form.lostB, 0);

    QTest::mouseClick(form.Txt_A, Qt::LeftButton);
    EXPECT_TRUE(form.Txt_A->hasFocus());
    EXPECT_EQ(form.lostB, 1);

    // A click on a button takes the focus, so the field's check runs before
    // the button's own handler.
    QTest::mouseClick(form.Cmd_OK, Qt::LeftButton);
    EXPECT_EQ(form.lostA, 2);
}

TEST_F(LostFocusTest, OnlyRealFocusMovesCount) {
    // Focus reasons as Qt delivers them; sent directly because the offscreen
    // platform has no popups or window manager to produce all of them.
    struct Case {
        Qt::FocusReason reason;
        int expectedCalls;
    } const cases[] = {
        {Qt::TabFocusReason, 1},      {Qt::BacktabFocusReason, 1}, {Qt::MouseFocusReason, 1},
        {Qt::ShortcutFocusReason, 1}, {Qt::OtherFocusReason, 1},   {Qt::ActiveWindowFocusReason, 0},
        {Qt::PopupFocusReason, 0},    {Qt::MenuBarFocusReason, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reason);
        form.lostA = 0;
        QFocusEvent in(QEvent::FocusIn, Qt::OtherFocusReason);
        QApplication::sendEvent(form.Txt_A, &in);
        QFocusEvent out(QEvent::FocusOut, c.reason);
        QApplication::sendEvent(form.Txt_A, &out);
        EXPECT_EQ(form.lostA, c.expectedCalls);
    }
}

TEST_F(LostFocusTest, ARealMessageBoxOverTheFieldIsNotALoss) {
    ui::MessageBoxMessages real;
    QTimer::singleShot(0, [] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        EXPECT_TRUE(QTest::qWaitForWindowActive(box, 2000));
        box->button(QMessageBox::Ok) ? box->button(QMessageBox::Ok)->click()
                                     : box->buttons().front()->click();
    });
    EXPECT_EQ(real.Show(QStringLiteral("Contrat enregistré.")), ui::Answer::Ok);
    ASSERT_TRUE(showActive(form));
    EXPECT_TRUE(form.Txt_A->hasFocus());
    EXPECT_EQ(form.lostA, 0);

    // The field still counts as focused: leaving it now is one loss.
    QTest::keyClick(form.Txt_A, Qt::Key_Tab);
    EXPECT_EQ(form.lostA, 1);
}

TEST_F(LostFocusTest, AHandlerThatKeepsTheFocusDoesNotRaiseTheNextFieldsLoss) {
    // The classic refusal: message, focus back on the field. The control the
    // focus was going to never had it, so its own check must not run.
    form.refuseA = true;
    scripted.messages.expect(QStringLiteral("Erreur de saisie dans la date, veuillez la ressaisir."),
                             ui::Icon::Exclamation);
    QTest::keyClick(form.Txt_A, Qt::Key_Tab);
    EXPECT_TRUE(form.Txt_A->hasFocus());
    EXPECT_EQ(form.lostA, 1);
    EXPECT_EQ(form.lostB, 0);

    form.refuseA = false;
    QTest::keyClick(form.Txt_A, Qt::Key_Tab);
    EXPECT_TRUE(form.Txt_B->hasFocus());
    EXPECT_EQ(form.lostA, 2);
    EXPECT_EQ(form.lostB, 0);
}

// A form whose handler must not run once its destructor has started.
class DyingForm : public QWidget {
public:
    DyingForm(bool& destroyed, int& callsAfterDestruction)
        : destroyed_(destroyed), callsAfterDestruction_(callsAfterDestruction) {
        auto* layout = new QVBoxLayout(this);
        Txt_A = new QLineEdit(this);
        layout->addWidget(Txt_A);
        layout->addWidget(new QLineEdit(this));
        ui::onLostFocus(Txt_A, this, &DyingForm::Txt_A_LostFocus);
    }
    ~DyingForm() override { destroyed_ = true; }
    void Txt_A_LostFocus() {
        if (destroyed_)
            ++callsAfterDestruction_;
    }
    QLineEdit* Txt_A;

private:
    bool& destroyed_;
    int& callsAfterDestruction_;
};

TEST(LostFocusLifetime, DestroyingAFormWithAFocusedFieldCallsNoHandler) {
    // The form is embedded in a host window, as the browser control is: the
    // field it deletes last still has the focus and gets a FocusOut from Qt
    // after the form's own destructor has run.
    QWidget host;
    auto* layout = new QVBoxLayout(&host);
    bool destroyed = false;
    int callsAfterDestruction = 0;
    auto* form = new DyingForm(destroyed, callsAfterDestruction);
    layout->addWidget(form);
    layout->addWidget(new QLineEdit(&host));
    ASSERT_TRUE(showActive(host));
    form->Txt_A->setFocus();
    ASSERT_TRUE(form->Txt_A->hasFocus());
    delete form;
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(callsAfterDestruction, 0);
}

} // namespace
