#pragma once
// Modal runner for tests: instead of blocking in exec(), it shows the dialog,
// runs the callback the test queued for it (type into it, click its
// buttons), and returns the dialog's result. A dialog nobody scripted, a
// dialog the callback leaves open, or a callback never used fails the test.
//
//   ScriptedModal modal;
//   modal.onNext("Frm_CommentBull", [](QDialog& dialog) {
//       QTest::mouseClick(dialog.findChild<QPushButton*>("Cmd_OK"), Qt::LeftButton);
//   });
#include "ui/modal.h"

#include <QDialog>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>

class ScriptedModal : public ui::Modal {
public:
    using Script = std::function<void(QDialog&)>;

    ScriptedModal() = default;
    ScriptedModal(const ScriptedModal&) = delete;
    ScriptedModal& operator=(const ScriptedModal&) = delete;
    ~ScriptedModal() override;

    // The next dialog shown must have this objectName (or, without one, this
    // class name); `script` runs while it is open.
    ScriptedModal& onNext(const QString& name, Script script);
    // The next dialog, whichever it is, runs `script`.
    ScriptedModal& onNext(Script script);

    // Fails the test for every script not used yet, then forgets them.
    // Runs by itself when the runner is destroyed.
    void verify();

    // objectName (or class name) of each dialog shown, in order.
    const QStringList& shown() const { return shown_; }

    int Show(QDialog& dialog) override;

private:
    struct Step {
        QString name; // empty: any dialog
        Script script;
    };
    std::deque<Step> script_;
    QStringList shown_;
};

// The name ScriptedModal knows a dialog by.
QString dialogName(const QDialog& dialog);
