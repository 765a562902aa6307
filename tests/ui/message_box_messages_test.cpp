// The real message box: title, French buttons, icon, default button and the
// answer for each button and for Escape. A timer plays the user: it finds
// the box among the top-level widgets and presses a button.
#include "ui/message_box_messages.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

using ui::Answer;
using ui::Buttons;
using ui::DefaultButton;
using ui::Icon;

struct SeenBox {
    QString title;
    QString text;
    QStringList buttons; // left to right as added
    QString defaultButton;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    Qt::TextFormat format = Qt::AutoText;
};

QMessageBox* openBox() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible())
            return box;
    return nullptr;
}

// Shows a message and, once the box is up, records it and presses `press`
// (a button text, or "Escape").
Answer showAndPress(const QString& text, Buttons buttons, Icon icon, DefaultButton def, const QString& press,
                    SeenBox& seen) {
    QTimer::singleShot(0, [&] {
        QMessageBox* box = openBox();
        if (box == nullptr) {
            ADD_FAILURE() << "no message box is open";
            return;
        }
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        seen.format = box->textFormat();
        for (QAbstractButton* button : box->buttons())
            seen.buttons << button->text();
        seen.defaultButton = box->defaultButton() ? box->defaultButton()->text() : QString();
        if (press == QLatin1String("Escape")) {
            QTest::keyClick(box, Qt::Key_Escape);
            return;
        }
        for (QAbstractButton* button : box->buttons())
            if (button->text() == press)
                return QTest::mouseClick(button, Qt::LeftButton);
        ADD_FAILURE() << "no button " << press.toStdString();
        box->reject();
    });
    return ui::MessageBoxMessages().Show(text, buttons, icon, def);
}

TEST(MessageBoxMessages, TitleFrenchButtonsAnswersAndPlainText) {
    struct Case {
        Buttons buttons;
        Icon icon;
        DefaultButton def;
        const char* press;
        const char* expectedButtons; // sorted: the platform style orders them
        const char* expectedDefault;
        QMessageBox::Icon expectedIcon;
        Answer expected;
    } const cases[] = {
        {Buttons::Ok, Icon::None, DefaultButton::First, "OK", "OK", "OK", QMessageBox::NoIcon, Answer::Ok},
        {Buttons::Ok, Icon::Information, DefaultButton::Third, "Escape", "OK", "OK", QMessageBox::Information,
         Answer::Ok},
        {Buttons::YesNo, Icon::Exclamation, DefaultButton::First, "Oui", "Non Oui", "Oui",
         QMessageBox::Warning, Answer::Yes},
        {Buttons::YesNo, Icon::Question, DefaultButton::Second, "Non", "Non Oui", "Non",
         QMessageBox::Question, Answer::No},
        {Buttons::YesNo, Icon::Question, DefaultButton::First, "Escape", "Non Oui", "Oui",
         QMessageBox::Question, Answer::No},
        {Buttons::YesNoCancel, Icon::Question, DefaultButton::Third, "Annuler", "Annuler Non Oui", "Annuler",
         QMessageBox::Question, Answer::Cancel},
        {Buttons::YesNoCancel, Icon::Exclamation, DefaultButton::First, "Escape", "Annuler Non Oui", "Oui",
         QMessageBox::Warning, Answer::Cancel},
    };
    // User text (a name) inside a message is never read as markup.
    const QString text = QStringLiteral("Supprimer le contrat de l'aidant <DUPONT> & fils ?");
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("buttons ") + ui::toString(c.buttons).toStdString() + ", press " + c.press);
        SeenBox seen;
        EXPECT_EQ(showAndPress(text, c.buttons, c.icon, c.def, QString::fromUtf8(c.press), seen), c.expected);
        EXPECT_EQ(seen.title, QStringLiteral("Message ARBELDONE"));
        EXPECT_EQ(seen.text, text);
        EXPECT_EQ(seen.format, Qt::PlainText);
        seen.buttons.sort();
        EXPECT_EQ(seen.buttons.join(u' '), QString::fromUtf8(c.expectedButtons));
        EXPECT_EQ(seen.defaultButton, QString::fromUtf8(c.expectedDefault));
        EXPECT_EQ(seen.icon, c.expectedIcon);
    }
}

} // namespace
