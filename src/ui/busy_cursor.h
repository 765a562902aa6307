#pragma once
// Guard for long operations: hourglass pointer, form disabled, pending window
// events processed so the screen repaints; both restored when the guard goes
// out of scope, whichever way (return, early exit, exception).
#include <QPointer>
#include <QWidget>

namespace ui {

class BusyCursor {
public:
    // `form` may be null (pointer only). Guards nest: the inner one restores
    // the state the outer one set, the outer one the original state.
    explicit BusyCursor(QWidget* form = nullptr);
    ~BusyCursor();

    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    QPointer<QWidget> form_;
    // Whether the form itself had been disabled explicitly before; a form that
    // is merely inside a disabled parent must not be left disabled afterwards.
    bool wasDisabled_ = false;
};

} // namespace ui
