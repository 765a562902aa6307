#include "editor/read_only_tabs.h"

#include "editor/side_screens.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextEdit>

namespace editor {

bool InputBlocker::eventFilter(QObject*, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Wheel:
        return true;
    default:
        return false;
    }
}

void ProtegerOnglets(std::initializer_list<QWidget*> pages, InputBlocker& blocker, const EcransLateraux& ecrans) {
    for (QWidget* page : pages) {
        for (QLineEdit* edit : page->findChildren<QLineEdit*>())
            edit->setReadOnly(true);
        for (QAbstractSpinBox* spin : page->findChildren<QAbstractSpinBox*>())
            spin->setReadOnly(true);
        for (QPlainTextEdit* text : page->findChildren<QPlainTextEdit*>())
            text->setReadOnly(true);
        for (QTextEdit* text : page->findChildren<QTextEdit*>())
            text->setReadOnly(true);
        for (QComboBox* combo : page->findChildren<QComboBox*>()) {
            combo->installEventFilter(&blocker);
            combo->setFocusPolicy(Qt::NoFocus);
        }
        for (QAbstractButton* button : page->findChildren<QAbstractButton*>()) {
            if (ecrans.EstEcranLateral(button))
                continue;
            if (qobject_cast<QPushButton*>(button)) {
                button->setEnabled(false);
            } else {
                button->installEventFilter(&blocker);
                button->setFocusPolicy(Qt::NoFocus);
            }
        }
    }
}

} // namespace editor
