#include "ui/message_box_messages.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <vector>

namespace ui {

namespace {

QMessageBox::Icon boxIcon(Icon icon) {
    switch (icon) {
    case Icon::None:
        return QMessageBox::NoIcon;
    case Icon::Information:
        return QMessageBox::Information;
    case Icon::Exclamation:
        return QMessageBox::Warning;
    case Icon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

struct Choice {
    QPushButton* button;
    Answer answer;
};

} // namespace

Answer MessageBoxMessages::Show(const QString& text, Buttons buttons, Icon icon, DefaultButton def) {
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(MessageTitle);
    // Messages quote user data (names, codes); never let it be read as markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    box.setIcon(boxIcon(icon));

    std::vector<Choice> choices;
    switch (buttons) {
    case Buttons::Ok:
        choices.push_back({box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole), Answer::Ok});
        break;
    case Buttons::YesNo:
        choices.push_back({box.addButton(QStringLiteral("Oui"), QMessageBox::YesRole), Answer::Yes});
        choices.push_back({box.addButton(QStringLiteral("Non"), QMessageBox::NoRole), Answer::No});
        break;
    case Buttons::YesNoCancel:
        choices.push_back({box.addButton(QStringLiteral("Oui"), QMessageBox::YesRole), Answer::Yes});
        choices.push_back({box.addButton(QStringLiteral("Non"), QMessageBox::NoRole), Answer::No});
        choices.push_back(
            {box.addButton(QStringLiteral("Annuler"), QMessageBox::RejectRole), Answer::Cancel});
        break;
    }
    const std::size_t defaultIndex =
        static_cast<std::size_t>(def) < choices.size() ? static_cast<std::size_t>(def) : 0;
    box.setDefaultButton(choices[defaultIndex].button);
    const Answer onEscape = escapeAnswer(buttons);
    for (const Choice& choice : choices)
        if (choice.answer == onEscape)
            box.setEscapeButton(choice.button);

    box.exec();
    for (const Choice& choice : choices)
        if (box.clickedButton() == choice.button)
            return choice.answer;
    return onEscape;
}

void MessageBoxMessages::Beep() {
    QApplication::beep();
}

} // namespace ui
