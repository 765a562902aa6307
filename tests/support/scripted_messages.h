#pragma once
// Message service for tests: records every message and answers from a script
// the test writes beforehand. A message nobody scripted, a message that is
// not the one scripted, or a scripted answer still unused when the service
// goes away fails the test.
//
//   ScriptedMessages messages;
//   messages.expect("Etes-vous sûr de vouloir supprimer ce contrat ?", ui::Icon::Exclamation,
//                   ui::Buttons::YesNo, ui::Answer::Yes);
//   ... drive the form ...
//   EXPECT_EQ(messages.beeps(), 1);
#include "ui/messages.h"

#include <QString>
#include <QStringList>
#include <deque>
#include <optional>
#include <vector>

struct ShownMessage {
    QString text;
    ui::Buttons buttons;
    ui::Icon icon;
    ui::DefaultButton defaultButton;
    ui::Answer answer; // what the script answered
};

class ScriptedMessages : public ui::Messages {
public:
    ScriptedMessages() = default;
    ScriptedMessages(const ScriptedMessages&) = delete;
    ScriptedMessages& operator=(const ScriptedMessages&) = delete;
    ~ScriptedMessages() override;

    // The next message must be exactly this one; it is answered `answer`.
    ScriptedMessages& expect(const QString& text, ui::Icon icon, ui::Buttons buttons = ui::Buttons::Ok,
                             ui::Answer answer = ui::Answer::Ok);
    // The same, also checking which button has the focus when the box opens.
    ScriptedMessages& expect(const QString& text, ui::Icon icon, ui::Buttons buttons, ui::Answer answer,
                             ui::DefaultButton defaultButton);
    // The next message, whatever it says, is answered `answer` (it must offer
    // that button).
    ScriptedMessages& answerNext(ui::Answer answer);

    // Fails the test for every scripted answer not used yet, then forgets them.
    // Runs by itself when the service is destroyed.
    void verify();

    const std::vector<ShownMessage>& shown() const { return shown_; }
    QStringList texts() const;
    int beeps() const { return beeps_; }
    // Forgets what was shown and the beeps (not the script).
    void clearShown();

    ui::Answer Show(const QString& text, ui::Buttons buttons = ui::Buttons::Ok,
                    ui::Icon icon = ui::Icon::None,
                    ui::DefaultButton def = ui::DefaultButton::First) override;
    void Beep() override { ++beeps_; }

private:
    struct Step {
        std::optional<QString> text; // unset: any message
        ui::Icon icon = ui::Icon::None;
        ui::Buttons buttons = ui::Buttons::Ok;
        std::optional<ui::DefaultButton> defaultButton;
        ui::Answer answer = ui::Answer::Ok;
    };
    static QString describe(const Step& step);

    std::deque<Step> script_;
    std::vector<ShownMessage> shown_;
    int beeps_ = 0;
};
