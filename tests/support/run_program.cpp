#include "run_program.h"

#include <QProcess>
#include <QProcessEnvironment>

ProgramRun RunProgram(const QString& program, const QStringList& arguments, const QString& workingDirectory,
                      int timeoutMs) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.remove(QStringLiteral("CMAKE_PREFIX_PATH"));
    env.remove(QStringLiteral("ArbelContrats_DIR"));
    process.setProcessEnvironment(env);
    if (!workingDirectory.isEmpty())
        process.setWorkingDirectory(workingDirectory);
    process.start(program, arguments);
    ProgramRun run;
    run.finished = process.waitForStarted() && process.waitForFinished(timeoutMs);
    if (!run.finished)
        process.kill();
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

QString ProgramRun::Describe(const QString& program, const QStringList& arguments) const {
    return QStringLiteral("%1 %2\nexit %3\n--- stdout\n%4\n--- stderr\n%5")
        .arg(program, arguments.join(QLatin1Char(' ')))
        .arg(exitCode)
        .arg(out, err);
}
