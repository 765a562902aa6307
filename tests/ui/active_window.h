#pragma once
// Shows a top-level widget and waits until it is the active window, so that
// focus changes inside it behave as on a desktop.
#include <QApplication>
#include <QTest>
#include <QWidget>

inline bool showActive(QWidget& window) {
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window, 2000);
}
