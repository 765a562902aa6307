#include "ui/messages.h"

#include "ui/message_box_messages.h"

namespace ui {

namespace {
Messages* installedMessages = nullptr;
} // namespace

Messages& messages() {
    if (installedMessages != nullptr)
        return *installedMessages;
    static MessageBoxMessages production;
    return production;
}

Messages* setMessages(Messages* service) {
    Messages* previous = installedMessages;
    installedMessages = service;
    return previous;
}

Answer escapeAnswer(Buttons buttons) {
    switch (buttons) {
    case Buttons::Ok:
        return Answer::Ok;
    case Buttons::YesNo:
        return Answer::No;
    case Buttons::YesNoCancel:
        return Answer::Cancel;
    }
    return Answer::Cancel;
}

bool offers(Buttons buttons, Answer answer) {
    switch (buttons) {
    case Buttons::Ok:
        return answer == Answer::Ok;
    case Buttons::YesNo:
        return answer == Answer::Yes || answer == Answer::No;
    case Buttons::YesNoCancel:
        return answer == Answer::Yes || answer == Answer::No || answer == Answer::Cancel;
    }
    return false;
}

QString toString(Buttons buttons) {
    switch (buttons) {
    case Buttons::Ok:
        return QStringLiteral("Ok");
    case Buttons::YesNo:
        return QStringLiteral("YesNo");
    case Buttons::YesNoCancel:
        return QStringLiteral("YesNoCancel");
    }
    return QStringLiteral("?");
}

QString toString(Icon icon) {
    switch (icon) {
    case Icon::None:
        return QStringLiteral("None");
    case Icon::Information:
        return QStringLiteral("Information");
    case Icon::Exclamation:
        return QStringLiteral("Exclamation");
    case Icon::Question:
        return QStringLiteral("Question");
    }
    return QStringLiteral("?");
}

QString toString(Answer answer) {
    switch (answer) {
    case Answer::Ok:
        return QStringLiteral("Ok");
    case Answer::Yes:
        return QStringLiteral("Yes");
    case Answer::No:
        return QStringLiteral("No");
    case Answer::Cancel:
        return QStringLiteral("Cancel");
    }
    return QStringLiteral("?");
}

QString toString(DefaultButton def) {
    switch (def) {
    case DefaultButton::First:
        return QStringLiteral("First");
    case DefaultButton::Second:
        return QStringLiteral("Second");
    case DefaultButton::Third:
        return QStringLiteral("Third");
    }
    return QStringLiteral("?");
}

} // namespace ui
