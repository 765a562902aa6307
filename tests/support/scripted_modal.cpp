#include "scripted_modal.h"

#include <QApplication>
#include <QPointer>
#include <gtest/gtest.h>

QString dialogName(const QDialog& dialog) {
    return dialog.objectName().isEmpty() ? QString::fromLatin1(dialog.metaObject()->className())
                                         : dialog.objectName();
}

ScriptedModal::~ScriptedModal() {
    verify();
}

ScriptedModal& ScriptedModal::onNext(const QString& name, Script script) {
    script_.push_back({name, std::move(script)});
    return *this;
}

ScriptedModal& ScriptedModal::onNext(Script script) {
    return onNext(QString(), std::move(script));
}

void ScriptedModal::verify() {
    for (const Step& step : script_)
        ADD_FAILURE() << "Scripted dialog never shown: "
                      << (step.name.isEmpty() ? std::string("(any dialog)") : step.name.toStdString());
    script_.clear();
}

int ScriptedModal::Show(QDialog& dialog) {
    const QString name = dialogName(dialog);
    shown_ << name;
    if (script_.empty()) {
        ADD_FAILURE() << "Unexpected modal dialog " << name.toStdString() << "; rejected";
        dialog.setResult(QDialog::Rejected);
        return QDialog::Rejected;
    }
    const Step step = script_.front();
    script_.pop_front();
    if (!step.name.isEmpty() && step.name != name)
        ADD_FAILURE() << "Modal dialog shown: " << name.toStdString() << ", expected "
                      << step.name.toStdString();

    // Open it as exec() would: modal, visible, active, so that focus moves
    // and the window underneath loses activation like in real use.
    QPointer<QWidget> previousWindow = QApplication::activeWindow();
    dialog.setResult(0);
    dialog.setModal(true);
    dialog.show();
    dialog.activateWindow();
    QApplication::processEvents();

    if (step.script)
        step.script(dialog);

    if (dialog.isVisible()) {
        ADD_FAILURE() << "Modal dialog " << name.toStdString()
                      << " is still open after its script (it would block); rejected";
        dialog.reject();
    }
    if (previousWindow && previousWindow->isVisible())
        previousWindow->activateWindow();
    QApplication::processEvents();
    return dialog.result();
}
