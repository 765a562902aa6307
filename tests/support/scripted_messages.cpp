#include "scripted_messages.h"

#include <gtest/gtest.h>

namespace {

std::string quoted(const QString& text) {
    return "\"" + text.toStdString() + "\"";
}

std::string describeShown(const QString& text, ui::Buttons buttons, ui::Icon icon, ui::DefaultButton def) {
    return quoted(text) + " (icon " + ui::toString(icon).toStdString() + ", buttons " +
           ui::toString(buttons).toStdString() + ", default " + ui::toString(def).toStdString() + ")";
}

} // namespace

ScriptedMessages::~ScriptedMessages() {
    verify();
}

ScriptedMessages& ScriptedMessages::expect(const QString& text, ui::Icon icon, ui::Buttons buttons,
                                           ui::Answer answer) {
    if (!ui::offers(buttons, answer))
        ADD_FAILURE() << "Scripted answer " << ui::toString(answer).toStdString() << " is not a button of "
                      << ui::toString(buttons).toStdString() << " for message " << quoted(text);
    script_.push_back({text, icon, buttons, std::nullopt, answer});
    return *this;
}

ScriptedMessages& ScriptedMessages::expect(const QString& text, ui::Icon icon, ui::Buttons buttons,
                                           ui::Answer answer, ui::DefaultButton defaultButton) {
    expect(text, icon, buttons, answer);
    script_.back().defaultButton = defaultButton;
    return *this;
}

ScriptedMessages& ScriptedMessages::answerNext(ui::Answer answer) {
    Step step;
    step.answer = answer;
    script_.push_back(step);
    return *this;
}

QString ScriptedMessages::describe(const Step& step) {
    if (!step.text)
        return QStringLiteral("any message answered %1").arg(ui::toString(step.answer));
    return QStringLiteral("\"%1\" (icon %2, buttons %3) answered %4")
        .arg(*step.text, ui::toString(step.icon), ui::toString(step.buttons), ui::toString(step.answer));
}

void ScriptedMessages::verify() {
    for (const Step& step : script_)
        ADD_FAILURE() << "Scripted message never shown: " << describe(step).toStdString();
    script_.clear();
}

QStringList ScriptedMessages::texts() const {
    QStringList result;
    for (const ShownMessage& message : shown_)
        result << message.text;
    return result;
}

void ScriptedMessages::clearShown() {
    shown_.clear();
    beeps_ = 0;
}

ui::Answer ScriptedMessages::Show(const QString& text, ui::Buttons buttons, ui::Icon icon,
                                  ui::DefaultButton def) {
    ui::Answer answer = ui::escapeAnswer(buttons);
    if (script_.empty()) {
        ADD_FAILURE() << "Unexpected message " << describeShown(text, buttons, icon, def)
                      << "; answered as if closed: " << ui::toString(answer).toStdString();
    } else {
        const Step step = script_.front();
        script_.pop_front();
        if (step.text) {
            if (*step.text != text || step.icon != icon || step.buttons != buttons)
                ADD_FAILURE() << "Message shown: " << describeShown(text, buttons, icon, def) << "\n"
                              << "     expected: " << describe(step).toStdString();
            else if (step.defaultButton && *step.defaultButton != def)
                ADD_FAILURE() << "Message " << quoted(text) << " has default button "
                              << ui::toString(def).toStdString() << ", expected "
                              << ui::toString(*step.defaultButton).toStdString();
        }
        if (ui::offers(buttons, step.answer))
            answer = step.answer;
        else
            ADD_FAILURE() << "Scripted answer " << ui::toString(step.answer).toStdString()
                          << " is not a button of " << describeShown(text, buttons, icon, def);
    }
    shown_.push_back({text, buttons, icon, def, answer});
    return answer;
}
