#pragma once

// The `vexel` tool run as a child process whose peak resident memory is read
// when it ends (wait4's ru_maxrss). The figure includes what the child
// inherited from the test at the fork, so it is an upper bound. Tests never
// assert time; ctest's own limit catches a hang.

#include <QFile>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace testing_support {

struct MeasuredRun {
    int exit = -1;
    QString output; // stdout and stderr together
    long long peakBytes = 0;
};

// `vexel ARGS`, its output through `outputFile`.
inline MeasuredRun runVexelMeasured(const QStringList& args, const QString& outputFile)
{
    std::vector<std::string> strings{VEXEL_CLI_TOOL};
    for (const QString& a : args)
        strings.push_back(QFile::encodeName(a).toStdString());
    std::vector<char*> argv;
    for (std::string& s : strings)
        argv.push_back(s.data());
    argv.push_back(nullptr);
    const std::string outPath = QFile::encodeName(outputFile).toStdString();

    MeasuredRun run;
    const pid_t pid = fork();
    if (pid < 0)
        return run;
    if (pid == 0) {
        const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (out < 0 || dup2(out, STDERR_FILENO) < 0 || dup2(out, STDOUT_FILENO) < 0)
            _exit(126);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid)
        return run;
    run.exit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.peakBytes = static_cast<long long>(usage.ru_maxrss) * 1024;
    QFile file(outputFile);
    if (file.open(QIODevice::ReadOnly))
        run.output = QString::fromUtf8(file.readAll());
    return run;
}

// The peak is recorded in the test's XML output and held to `mib`, except in
// a sanitizer build, whose shadow memory makes the figure meaningless.
inline void expectPeakAtMost(const MeasuredRun& run, long long mib)
{
    ::testing::Test::RecordProperty("PeakResidentMiB", std::to_string(run.peakBytes / (1024 * 1024)));
#ifdef VEXEL_SANITIZED_BUILD
    (void)run;
    (void)mib;
#else
    EXPECT_GT(run.peakBytes, 0);
    EXPECT_LE(run.peakBytes, mib * 1024 * 1024) << run.peakBytes / (1024 * 1024) << " MiB";
#endif
}

} // namespace testing_support
