// The scripted services every widget test relies on: they must fail the test
// loudly on anything unscripted or left unused. (That they answer as scripted
// every widget test shows.)
#include "active_window.h"
#include "support/install_scripted.h"
#include "ui/events.h"

#include <QDialog>
#include <QLineEdit>
#include <QVBoxLayout>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace {

using ui::Answer;
using ui::Buttons;
using ui::DefaultButton;
using ui::Icon;

const QString SaveQuestion = QStringLiteral("Voulez-vous enregistrer les modifications ?");

TEST(ScriptedMessages, FailsTheTestOnAnythingUnscripted) {
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedMessages messages;
            // Answered as if the box were closed, so the code under test sees
            // the cautious answer.
            EXPECT_EQ(messages.Show(SaveQuestion, Buttons::YesNoCancel, Icon::Question), Answer::Cancel);
        },
        "Unexpected message \"Voulez-vous enregistrer les modifications ?\"");
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedMessages messages;
            messages.expect(SaveQuestion, Icon::Question, Buttons::YesNo, Answer::Yes);
        },
        "Scripted message never shown: \"Voulez-vous enregistrer les modifications ?\"");
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedMessages messages;
            messages.expect(SaveQuestion, Icon::Question, Buttons::YesNo, Answer::Yes);
            messages.Show(SaveQuestion, Buttons::YesNo, Icon::Exclamation);
        },
        "expected: \"Voulez-vous enregistrer les modifications ?\" (icon Question");
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedMessages messages;
            messages.expect(SaveQuestion, Icon::Question, Buttons::YesNo, Answer::Yes, DefaultButton::Second);
            messages.Show(SaveQuestion, Buttons::YesNo, Icon::Question);
        },
        "has default button First, expected Second");
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedMessages messages;
            messages.answerNext(Answer::Cancel);
            messages.Show(SaveQuestion, Buttons::YesNo, Icon::Question);
        },
        "Scripted answer Cancel is not a button of");
}

TEST(ScriptedModal, FailsTheTestOnAnythingUnscripted) {
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedModal modal;
            QDialog dialog;
            dialog.setObjectName(QStringLiteral("Frm_MotifCDD"));
            EXPECT_EQ(modal.Show(dialog), QDialog::Rejected);
        },
        "Unexpected modal dialog Frm_MotifCDD");
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedModal modal;
            modal.onNext(QStringLiteral("Frm_RubSaisie"), [](QDialog&) {});
        },
        "Scripted dialog never shown: Frm_RubSaisie");
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedModal modal;
            modal.onNext([](QDialog&) {});
            QDialog dialog;
            EXPECT_EQ(modal.Show(dialog), QDialog::Rejected);
        },
        "QDialog is still open after its script");
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedModal modal;
            modal.onNext(QStringLiteral("Frm_RubSaisie"), [](QDialog& d) { d.accept(); });
            QDialog dialog;
            dialog.setObjectName(QStringLiteral("Frm_ContratAnnuel"));
            modal.Show(dialog);
        },
        "Modal dialog shown: Frm_ContratAnnuel, expected Frm_RubSaisie");
}

TEST(InstallScripted, InstallsBothServicesAndPutsThePreviousOnesBack) {
    ui::Messages* before = &ui::messages();
    ui::Modal* modalBefore = &ui::modal();
    {
        InstallScripted scripted;
        EXPECT_EQ(&ui::messages(), &scripted.messages);
        EXPECT_EQ(&ui::modal(), &scripted.modal);
    }
    EXPECT_EQ(&ui::messages(), before);
    EXPECT_EQ(&ui::modal(), modalBefore);
}

// A side screen opened over a form: the form's field does not "lose" the
// focus because the screen comes up, and the form is active again after.
TEST(InstallScripted, AModalScreenOverAFormRaisesNoLostFocus) {
    InstallScripted scripted;
    QWidget form;
    auto* field = new QLineEdit(&form);
    new QVBoxLayout(&form);
    form.layout()->addWidget(field);
    int lost = 0;
    ui::onLostFocus(field, &form, [&] { ++lost; });
    ASSERT_TRUE(showActive(form));
    field->setFocus();

    QDialog screen(&form);
    screen.setObjectName(QStringLiteral("Frm_ContratAnnuel"));
    scripted.modal.onNext(QStringLiteral("Frm_ContratAnnuel"), [](QDialog& d) {
        EXPECT_TRUE(d.isActiveWindow());
        d.reject();
    });
    EXPECT_EQ(ui::modal().Show(screen), QDialog::Rejected);
    EXPECT_TRUE(form.isActiveWindow());
    EXPECT_EQ(lost, 0);
}

// The adapter's last safety net: an exception escaping a handler becomes a
// message, not a crash in Qt's event dispatch.
TEST(HandlerErrors, AnEscapedExceptionIsShownAsAMessage) {
    InstallScripted scripted;
    QLineEdit edit;
    ui::onChange(&edit, &edit, [] { throw std::runtime_error("Table inexistante : CONTRAT"); });
    scripted.messages.expect(QStringLiteral("Erreur inattendue : Table inexistante : CONTRAT"),
                             Icon::Exclamation);
    edit.setText(QStringLiteral("x"));
}

TEST(HandlerErrors, NoHandlerRunsAfterItsReceiverIsGone) {
    QLineEdit edit;
    int calls = 0;
    {
        QObject receiver;
        ui::onChange(&edit, &receiver, [&] { ++calls; });
        ui::onKeyPress(&edit, &receiver, [&](int&) { ++calls; });
        edit.setText(QStringLiteral("a"));
        EXPECT_EQ(calls, 1);
    }
    edit.setText(QStringLiteral("b"));
    QTest::keyClicks(&edit, QStringLiteral("c"));
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(edit.text(), QStringLiteral("bc"));
}

} // namespace
