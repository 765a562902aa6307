#pragma once
// Looking into a form under test: its controls by name, the rows of a list,
// a click on a button, a picture of it when ARBEL_SCREENSHOT_DIR is set.
#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace probe {

template <class T> T* child(QWidget& form, const char* name) {
    T* w = form.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

inline QStringList Rows(QWidget& form, const char* list) {
    QStringList rows;
    auto* l = child<QListWidget>(form, list);
    for (int i = 0; i < l->count(); ++i)
        rows << l->item(i)->text();
    return rows;
}

inline void Click(QWidget& form, const char* button) {
    QTest::mouseClick(child<QPushButton>(form, button), Qt::LeftButton);
}

inline void Screenshot(QWidget& form, const char* name) {
    const QByteArray dir = qgetenv("ARBEL_SCREENSHOT_DIR");
    if (!dir.isEmpty())
        form.grab().save(QDir(QString::fromLocal8Bit(dir)).filePath(QString::fromLatin1(name)));
}

} // namespace probe
