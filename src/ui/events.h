#pragma once
// Connects the classic control events to Qt, one line per handler:
//
//   ui::onLostFocus(ui->Txt_DatDebContrat, this, &Frm_ElementsContrat::Txt_DatDebContrat_LostFocus);
//   ui::onKeyPress(ui->Txt_DatDebContrat, this, &Frm_ElementsContrat::Txt_DatDebContrat_KeyPress);
//
// The handler is a member function of `receiver` (or any callable). It is
// never called once the receiver is being destroyed, and the connection dies
// with the watched control. An exception that still escapes a handler is
// logged and shown as a message instead of unwinding through Qt.
//
// Event meanings:
// - LostFocus: the focus goes to another control of the same window (Tab,
//   Backtab, mouse, shortcut, or code). A message box, a popup or another
//   window opening over the field does not count; the field keeps its
//   "has the focus" state and loses it only when the focus really moves.
// - Change (QLineEdit, QPlainTextEdit, QTextEdit): the text changed, by the
//   user or by code; setting the same text again is no change.
// - Click: a button is clicked; a check box or an option button changes value
//   (option button: when it becomes selected), by the user or by code; a
//   combo or a list gets another current item, by the user or by code, or the
//   user picks the item that is already current. Filling or emptying the list
//   of a combo or list box is not a click, nor is a list entered with the
//   keyboard (Qt would make its first row current) or left with no current
//   row.
// - ComboChange: the text of an editable combo changed (not by filling it).
// - DropDown: the list of a ui::DropDownComboBox is about to open.
// - KeyPress(int& ascii): a character key is pressed: printable characters,
//   Backspace (8) and Enter (13). The handler may replace the character (the
//   replacement is what the control receives) or drop it by setting 0. Other
//   keys (Tab, Escape, arrows, Delete, Ctrl shortcuts) never reach the handler.
// - DblClick: an item of a list or view is double-clicked.
// - UpDownChange: the value of a spin box or a scroll bar changed.
//
// Combos watched by onClick or onComboChange keep the classic fill rule:
// adding items to an empty combo leaves it with no current item and, when it
// is editable, with the text it had (Qt alone would select the first item and
// overwrite the typed text).
#include "ui/drop_down_combo_box.h"

#include <QObject>
#include <QPointer>
#include <functional>
#include <type_traits>
#include <utility>

class QAbstractButton;
class QAbstractItemView;
class QAbstractSlider;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QRadioButton;
class QSpinBox;
class QTextEdit;
class QWidget;

namespace ui {

namespace detail {

// Who a handler belongs to: alive until its destructor starts, which for a
// form is the moment its own members (the ui pointer) become invalid.
class Receiver {
public:
    explicit Receiver(QObject* object);
    bool alive() const;
    QObject* object() const { return object_.data(); }

private:
    QPointer<QObject> object_;
    const QMetaObject* type_;
};

using Handler = std::function<void()>;
using KeyHandler = std::function<void(int&)>;

template <class... Args, class R, class H> std::function<void(Args...)> bind(R* receiver, H handler) {
    static_assert(std::is_base_of_v<QObject, R>, "the receiver of an event handler must be a QObject");
    if constexpr (std::is_member_function_pointer_v<H>)
        return [receiver, handler](Args... args) { (receiver->*handler)(std::forward<Args>(args)...); };
    else
        return [handler](Args... args) { handler(std::forward<Args>(args)...); };
}

void connectLostFocus(QWidget* widget, QObject* receiver, Handler handler);
void connectChange(QLineEdit* edit, QObject* receiver, Handler handler);
void connectChange(QPlainTextEdit* edit, QObject* receiver, Handler handler);
void connectChange(QTextEdit* edit, QObject* receiver, Handler handler);
void connectClick(QAbstractButton* button, QObject* receiver, Handler handler);
void connectClick(QCheckBox* box, QObject* receiver, Handler handler);
void connectClick(QRadioButton* option, QObject* receiver, Handler handler);
void connectClick(QComboBox* combo, QObject* receiver, Handler handler);
void connectClick(QListWidget* list, QObject* receiver, Handler handler);
void connectComboChange(QComboBox* combo, QObject* receiver, Handler handler);
void connectDropDown(DropDownComboBox* combo, QObject* receiver, Handler handler);
void connectKeyPress(QWidget* widget, QObject* receiver, KeyHandler handler);
void connectDblClick(QAbstractItemView* view, QObject* receiver, Handler handler);
void connectUpDownChange(QSpinBox* spin, QObject* receiver, Handler handler);
void connectUpDownChange(QAbstractSlider* slider, QObject* receiver, Handler handler);

} // namespace detail

template <class W, class R, class H> void onLostFocus(W* widget, R* receiver, H handler) {
    detail::connectLostFocus(widget, receiver, detail::bind<>(receiver, handler));
}
template <class W, class R, class H> void onChange(W* edit, R* receiver, H handler) {
    detail::connectChange(edit, receiver, detail::bind<>(receiver, handler));
}
template <class W, class R, class H> void onClick(W* control, R* receiver, H handler) {
    detail::connectClick(control, receiver, detail::bind<>(receiver, handler));
}
template <class R, class H> void onComboChange(QComboBox* combo, R* receiver, H handler) {
    detail::connectComboChange(combo, receiver, detail::bind<>(receiver, handler));
}
template <class R, class H> void onDropDown(DropDownComboBox* combo, R* receiver, H handler) {
    detail::connectDropDown(combo, receiver, detail::bind<>(receiver, handler));
}
template <class W, class R, class H> void onKeyPress(W* widget, R* receiver, H handler) {
    detail::connectKeyPress(widget, receiver, detail::bind<int&>(receiver, handler));
}
template <class W, class R, class H> void onDblClick(W* view, R* receiver, H handler) {
    detail::connectDblClick(view, receiver, detail::bind<>(receiver, handler));
}
template <class W, class R, class H> void onUpDownChange(W* control, R* receiver, H handler) {
    detail::connectUpDownChange(control, receiver, detail::bind<>(receiver, handler));
}

} // namespace ui
