#pragma once
// Runs one of the project's programs as a user would, offscreen, and keeps
// what it printed.
#include <QString>
#include <QStringList>

struct ProgramRun {
    bool finished = false; // false: it did not start, or ran past the time limit and was killed
    int exitCode = -1;     // -1 when it crashed
    QString out, err;
    // A readable account of the run, for failure messages.
    QString Describe(const QString& program, const QStringList& arguments) const;
};

ProgramRun RunProgram(const QString& program, const QStringList& arguments,
                      const QString& workingDirectory = {}, int timeoutMs = 120000);
