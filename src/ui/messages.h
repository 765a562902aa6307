#pragma once
// Every message box of the library goes through one service, so that the
// title, the buttons and the answers are the same everywhere and tests can
// script the answers instead of facing a real modal box.
#include <QString>

namespace ui {

// The title of every message box.
inline const QString MessageTitle = QStringLiteral("Message ARBELDONE");

enum class Buttons { Ok, YesNo, YesNoCancel };
enum class Icon { None, Information, Exclamation, Question };
enum class Answer { Ok, Yes, No, Cancel };
// Which button has the focus when the box opens, counted from the left:
// First is "OK" or "Oui", Second is "Non", Third is "Annuler". A button the
// box does not have falls back to the first one.
enum class DefaultButton { First, Second, Third };

class Messages {
public:
    virtual ~Messages() = default;

    // Shows `text` and returns the button the user chose. Closing the box
    // without choosing answers Cancel for YesNoCancel, No for YesNo, Ok for Ok.
    virtual Answer Show(const QString& text, Buttons buttons = Buttons::Ok, Icon icon = Icon::None,
                        DefaultButton def = DefaultButton::First) = 0;

    // The warning sound played before some questions.
    virtual void Beep() = 0;
};

// The service forms use. Until something else is installed it is the real
// message box (ui::MessageBoxMessages).
Messages& messages();

// Installs `service` for the whole process (it is not owned) and returns the
// one installed before, so the caller can put it back. nullptr goes back to
// the real message box.
Messages* setMessages(Messages* service);

// The answer given when the box is closed without choosing a button.
Answer escapeAnswer(Buttons buttons);

// Whether `answer` is one of the buttons of `buttons`.
bool offers(Buttons buttons, Answer answer);

// Readable names, for logs and test reports.
QString toString(Buttons buttons);
QString toString(Icon icon);
QString toString(Answer answer);
QString toString(DefaultButton def);

} // namespace ui
