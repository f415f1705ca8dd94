#pragma once

// The `vexel` tool run as a script runs it: its exit status and what it
// printed. An exit of -1: it crashed or did not end within a minute.
#include <QProcess>
#include <QString>
#include <QStringList>

namespace cli_testing {

struct VexelRun {
    int exit = -1;
    QString out;
    QString err;
};

inline VexelRun runVexel(const QStringList& args)
{
    QProcess process;
    process.start(QStringLiteral(VEXEL_CLI_TOOL), args);
    VexelRun run;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exit = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

} // namespace cli_testing
