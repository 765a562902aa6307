#include "ui/events.h"

#include "ui/messages.h"

#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTextEdit>
#include <QTimer>
#include <QtDebug>
#include <exception>

namespace ui {
namespace detail {

Receiver::Receiver(QObject* object)
    : object_(object), type_(object != nullptr ? object->metaObject() : nullptr) {}

// While a QObject subclass is being destroyed its dynamic type falls back to
// its bases, so a metaObject() different from the one seen at connection
// time means the receiver's own destructor has already run.
bool Receiver::alive() const {
    return object_ && object_->metaObject() == type_;
}

} // namespace detail

namespace {

using detail::Handler;
using detail::KeyHandler;
using detail::Receiver;

void reportEscapedError(const QString& what) {
    qCritical() << "Erreur non traitée dans un gestionnaire d'événement :" << what;
    messages().Show(QStringLiteral("Erreur inattendue : %1").arg(what), Buttons::Ok, Icon::Exclamation);
}

// The one place a handler runs: skipped when its receiver is gone, and no
// exception leaves it into Qt's event dispatch.
template <class F> void run(const Receiver& receiver, F&& call) {
    if (!receiver.alive())
        return;
    try {
        call();
    } catch (const std::exception& error) {
        reportEscapedError(QString::fromUtf8(error.what()));
    } catch (...) {
        reportEscapedError(QStringLiteral("exception inconnue"));
    }
}

// Wraps a handler for a Qt signal connection made with the receiver as
// context (so Qt also drops it when the receiver is deleted).
std::function<void()> guarded(QObject* receiver, Handler handler) {
    return [target = Receiver(receiver), handler = std::move(handler)] { run(target, handler); };
}

// ---------------------------------------------------------------- LostFocus

bool countsAsLosingFocus(Qt::FocusReason reason) {
    switch (reason) {
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
    case Qt::MouseFocusReason:
    case Qt::ShortcutFocusReason:
    case Qt::OtherFocusReason:
        return true;
    default:
        return false; // ActiveWindow, Popup, MenuBar, NoFocusReason
    }
}

class LostFocusFilter : public QObject {
public:
    LostFocusFilter(QWidget* widget, QObject* receiver, Handler handler)
        : QObject(widget), widgetType_(widget->metaObject()), hasFocus_(widget->hasFocus()),
          receiver_(receiver), handler_(std::move(handler)) {
        widget->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusIn) {
            hasFocus_ = true;
        } else if (event->type() == QEvent::FocusOut && watched->metaObject() == widgetType_) {
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            // Only a field that really had the focus loses it. When a handler
            // puts the focus back on its field while the focus was moving
            // on, Qt sends the control it was moving to a FocusOut it never
            // had a FocusIn for: that is not a LostFocus.
            if (countsAsLosingFocus(reason) && hasFocus_) {
                hasFocus_ = false;
                run(receiver_, handler_);
            }
        }
        return false;
    }

private:
    const QMetaObject* widgetType_;
    bool hasFocus_;
    Receiver receiver_;
    Handler handler_;
};

// ---------------------------------------------------------------- KeyPress

// The classic character code of a key press, or 0 for keys that are not
// characters and never reach a KeyPress handler.
int classicCode(const QKeyEvent& key) {
    switch (key.key()) {
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Escape:
    case Qt::Key_Delete:
        return 0;
    default:
        break;
    }
    const QList<uint> text = key.text().toUcs4();
    if (text.isEmpty())
        return 0;
    const uint code = text.front();
    if (code < 0x20 || code == 0x7f)
        return 0; // Ctrl combinations
    return static_cast<int>(code);
}

int keyFor(int code) {
    switch (code) {
    case 8:
        return Qt::Key_Backspace;
    case 13:
        return Qt::Key_Return;
    default:
        // Qt's key codes for Latin-1 characters are their upper-case code.
        if (code < 0x100)
            return QChar(code).toUpper().unicode();
        return Qt::Key_unknown;
    }
}

QString textFor(int code) {
    const char32_t character = static_cast<char32_t>(code);
    return QString::fromUcs4(&character, 1);
}

class KeyPressFilter : public QObject {
public:
    KeyPressFilter(QWidget* widget, QObject* receiver, KeyHandler handler)
        : QObject(widget), widgetType_(widget->metaObject()), receiver_(receiver),
          handler_(std::move(handler)) {
        widget->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) {
            // Any other event (a key press is always preceded by its
            // shortcut override) means the next key press is a new one.
            passed_ = nullptr;
            return false;
        }
        if (delivering_ || watched->metaObject() != widgetType_)
            return false;
        // Qt walks an object's filters by position: when the handler makes
        // another filter install itself on the widget (a completer does on
        // the first focus-in), this filter moves down a place and is asked
        // again about the same key. The handler must see each key once.
        if (event == passed_)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        const int original = classicCode(*key);
        if (original == 0)
            return false;
        int code = original;
        run(receiver_, [&] { handler_(code); });
        if (code == original) {
            passed_ = event;
            return false;
        }
        if (code == 0)
            return true;
        QKeyEvent replacement(QEvent::KeyPress, keyFor(code), key->modifiers(), textFor(code),
                              key->isAutoRepeat());
        delivering_ = true;
        QCoreApplication::sendEvent(watched, &replacement);
        delivering_ = false;
        return true;
    }

private:
    const QMetaObject* widgetType_;
    Receiver receiver_;
    KeyHandler handler_;
    bool delivering_ = false;
    const QEvent* passed_ = nullptr; // the key press last let through unchanged
};

// ------------------------------------------------------- list and combo fill

// Tells whether the rows of a combo's or list's model are being added,
// removed or reset, so that the index and text changes Qt makes on the way
// are not taken for the user's or the form's. For combos it also undoes
// Qt's selection of the first item added to an empty combo.
class FillWatch : public QObject {
public:
    static FillWatch* of(QAbstractItemModel* model, QComboBox* combo) {
        for (QObject* child : model->children())
            if (auto* watch = dynamic_cast<FillWatch*>(child))
                return watch;
        return new FillWatch(model, combo);
    }

    bool filling() const { return depth_ > 0; }

private:
    FillWatch(QAbstractItemModel* model, QComboBox* combo) : QObject(model), combo_(combo) {
        // Connected after the view's own slots, so these run after Qt has
        // moved the current index.
        connect(model, &QAbstractItemModel::rowsAboutToBeInserted, this, &FillWatch::begin);
        connect(model, &QAbstractItemModel::rowsInserted, this, &FillWatch::endInsert);
        connect(model, &QAbstractItemModel::rowsAboutToBeRemoved, this, &FillWatch::begin);
        connect(model, &QAbstractItemModel::rowsRemoved, this, &FillWatch::end);
        connect(model, &QAbstractItemModel::modelAboutToBeReset, this, &FillWatch::begin);
        connect(model, &QAbstractItemModel::modelReset, this, &FillWatch::end);
    }

    void begin() {
        if (depth_++ == 0 && combo_) {
            indexBefore_ = combo_->currentIndex();
            textBefore_ = combo_->currentText();
        }
    }

    void endInsert() {
        if (depth_ == 1 && combo_ && indexBefore_ == -1 && combo_->currentIndex() != -1) {
            const QSignalBlocker quiet(combo_);
            combo_->setCurrentIndex(-1);
            if (combo_->isEditable())
                combo_->setEditText(textBefore_);
        }
        end();
    }

    void end() {
        if (depth_ > 0)
            --depth_;
    }

    QPointer<QComboBox> combo_;
    int depth_ = 0;
    int indexBefore_ = -1;
    QString textBefore_;
};

// ------------------------------------------------------------- list click

// A list's Click: its current row changes to a row (user or code), or the
// user clicks the row that is already current. A list left with no current
// row (emptied, or set to -1) raises nothing: Qt clears the current row
// before it removes the items, so the two cannot be told apart.
class ListClick : public QObject {
public:
    ListClick(QListWidget* list, QObject* receiver, Handler handler)
        : QObject(list), list_(list), fill_(FillWatch::of(list->model(), nullptr)), receiver_(receiver),
          handler_(std::move(handler)) {
        connect(list, &QListWidget::currentRowChanged, this, &ListClick::rowChanged);
        connect(list, &QListWidget::itemClicked, this, [this] {
            if (list_->currentRow() == rowAtPress_)
                run(receiver_, handler_);
        });
        list->installEventFilter(this);
        list->viewport()->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == list_->viewport() && event->type() == QEvent::MouseButtonPress) {
            rowAtPress_ = list_->currentRow();
        } else if (watched == list_ && event->type() == QEvent::FocusIn && list_->currentRow() == -1 &&
                   static_cast<QFocusEvent*>(event)->reason() != Qt::MouseFocusReason) {
            // Qt makes the first row current when a list without one gets
            // the focus from the keyboard; entering a list chooses nothing.
            undoFocusRow_ = true;
            QTimer::singleShot(0, this, [this] { undoFocusRow_ = false; });
        }
        return false;
    }

private:
    void rowChanged(int row) {
        if (undoFocusRow_) {
            undoFocusRow_ = false;
            const QSignalBlocker quiet(list_);
            list_->setCurrentRow(-1);
            return;
        }
        if (row >= 0 && !fill_->filling())
            run(receiver_, handler_);
    }

    QListWidget* list_;
    FillWatch* fill_;
    Receiver receiver_;
    Handler handler_;
    int rowAtPress_ = -1;
    bool undoFocusRow_ = false;
};

// ------------------------------------------------------------ combo click

// A combo's Click: its current index changes (user or code, not by filling),
// or the user picks the item that is already current.
class ComboClick : public QObject {
public:
    ComboClick(QComboBox* combo, QObject* receiver, Handler handler)
        : QObject(combo), fill_(FillWatch::of(combo->model(), combo)), receiver_(receiver),
          handler_(std::move(handler)) {
        connect(combo, &QComboBox::currentIndexChanged, this, [this] {
            if (fill_->filling())
                return;
            // The user's pick emits currentIndexChanged then activated in
            // the same call; the flag, cleared once back in the event loop,
            // keeps that pick from counting twice.
            justChanged_ = true;
            QTimer::singleShot(0, this, [this] { justChanged_ = false; });
            run(receiver_, handler_);
        });
        connect(combo, &QComboBox::activated, this, [this] {
            if (justChanged_)
                justChanged_ = false;
            else
                run(receiver_, handler_);
        });
    }

private:
    FillWatch* fill_;
    Receiver receiver_;
    Handler handler_;
    bool justChanged_ = false;
};

} // namespace

namespace detail {

void connectLostFocus(QWidget* widget, QObject* receiver, Handler handler) {
    new LostFocusFilter(widget, receiver, std::move(handler));
}

void connectChange(QLineEdit* edit, QObject* receiver, Handler handler) {
    QObject::connect(edit, &QLineEdit::textChanged, receiver, guarded(receiver, std::move(handler)));
}

void connectChange(QPlainTextEdit* edit, QObject* receiver, Handler handler) {
    QObject::connect(edit, &QPlainTextEdit::textChanged, receiver, guarded(receiver, std::move(handler)));
}

void connectChange(QTextEdit* edit, QObject* receiver, Handler handler) {
    QObject::connect(edit, &QTextEdit::textChanged, receiver, guarded(receiver, std::move(handler)));
}

void connectClick(QAbstractButton* button, QObject* receiver, Handler handler) {
    QObject::connect(button, &QAbstractButton::clicked, receiver, guarded(receiver, std::move(handler)));
}

void connectClick(QCheckBox* box, QObject* receiver, Handler handler) {
    QObject::connect(box, &QCheckBox::toggled, receiver, guarded(receiver, std::move(handler)));
}

void connectClick(QRadioButton* option, QObject* receiver, Handler handler) {
    QObject::connect(option, &QRadioButton::toggled, receiver,
                     [call = guarded(receiver, std::move(handler))](bool selected) {
                         if (selected)
                             call();
                     });
}

void connectClick(QComboBox* combo, QObject* receiver, Handler handler) {
    new ComboClick(combo, receiver, std::move(handler));
}

void connectClick(QListWidget* list, QObject* receiver, Handler handler) {
    new ListClick(list, receiver, std::move(handler));
}

void connectComboChange(QComboBox* combo, QObject* receiver, Handler handler) {
    FillWatch* fill = FillWatch::of(combo->model(), combo);
    QObject::connect(combo, &QComboBox::editTextChanged, receiver,
                     [fill, call = guarded(receiver, std::move(handler))] {
                         if (!fill->filling())
                             call();
                     });
}

void connectDropDown(DropDownComboBox* combo, QObject* receiver, Handler handler) {
    QObject::connect(combo, &DropDownComboBox::dropDown, receiver, guarded(receiver, std::move(handler)));
}

void connectKeyPress(QWidget* widget, QObject* receiver, KeyHandler handler) {
    new KeyPressFilter(widget, receiver, std::move(handler));
}

void connectDblClick(QAbstractItemView* view, QObject* receiver, Handler handler) {
    QObject::connect(view, &QAbstractItemView::doubleClicked, receiver,
                     guarded(receiver, std::move(handler)));
}

void connectUpDownChange(QSpinBox* spin, QObject* receiver, Handler handler) {
    QObject::connect(spin, &QSpinBox::valueChanged, receiver, guarded(receiver, std::move(handler)));
}

void connectUpDownChange(QAbstractSlider* slider, QObject* receiver, Handler handler) {
    QObject::connect(slider, &QAbstractSlider::valueChanged, receiver, guarded(receiver, std::move(handler)));
}

} // namespace detail
} // namespace ui
