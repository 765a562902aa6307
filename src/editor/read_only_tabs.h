#pragma once
// The tabs whose values saving does not write back yet are shown read-only,
// so that what the user sees is always what is stored: a value typed there
// would otherwise be dropped without a word.
#include <QObject>
#include <QWidget>
#include <initializer_list>

namespace editor {

class EcransLateraux;

// Swallows the user's mouse and key input on the controls it watches.
class InputBlocker : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// Makes every input of `pages` read-only. Choices that have no read-only
// mode ignore the mouse and the keyboard through `blocker`; buttons that
// would change the contract are disabled, side-screen buttons are left to
// `ecrans`. Enabled states are left to the rights.
void ProtegerOnglets(std::initializer_list<QWidget*> pages, InputBlocker& blocker, const EcransLateraux& ecrans);

} // namespace editor
