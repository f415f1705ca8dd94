// A route list with one field of 10 MB, run through `vexel routes` as a
// child whose peak resident memory is read when it ends: the row is refused
// with its line, the others are written, and the memory stays small.
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using testing_support::writeAll;

namespace {

struct ChildRun {
    int exit = -1;
    long peakKiB = 0; // ru_maxrss
};

// Runs `args` with stderr to `errPath`; no time limit is set here, ctest's
// own catches a hang.
ChildRun runMeasured(const QStringList& args, const QString& errPath)
{
    std::vector<QByteArray> bytes;
    for (const QString& a : args)
        bytes.push_back(QFile::encodeName(a));
    std::vector<char*> argv;
    for (QByteArray& b : bytes)
        argv.push_back(b.data());
    argv.push_back(nullptr);
    const QByteArray err = QFile::encodeName(errPath);

    ChildRun run;
    const pid_t pid = fork();
    if (pid < 0)
        return run;
    if (pid == 0) {
        const int fd = open(err.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd >= 0) {
            dup2(fd, STDERR_FILENO);
            dup2(fd, STDOUT_FILENO);
        }
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid)
        return run;
    run.exit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.peakKiB = usage.ru_maxrss;
    return run;
}

} // namespace

TEST(RouteListMemory, ATenMegabyteFieldIsRefusedWithItsLineAndTheOtherRowsAreWritten)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString folder = dir.path() + QLatin1Char('/');
    writeAll(folder + "layout.json", R"({ "frames": [
        { "preset": "number", "destination": "{destination_en}" } ] })");
    // Words that break into pages, so nothing but the length stops them.
    QByteArray huge;
    while (huge.size() < 10 * 1024 * 1024)
        huge += "Vake Didube ";
    writeAll(folder + "routes.csv", "route,destination_ka,destination_en\n"
                                    "12,აეროპორტი,Airport\n"
                                    "37,დიდუბე," + huge + "\n"
                                    "61,ვაკე,Vake\n");

    const ChildRun run = runMeasured({QStringLiteral(VEXEL_CLI_TOOL), QStringLiteral("routes"), folder + "layout.json",
                                      folder + "routes.csv", QStringLiteral("--out"), folder + "out"},
                                     folder + "err.txt");
    QFile errFile(folder + "err.txt");
    ASSERT_TRUE(errFile.open(QIODevice::ReadOnly));
    const QString err = QString::fromUtf8(errFile.readAll());
    EXPECT_EQ(run.exit, 1) << err.toStdString();
    EXPECT_TRUE(err.contains(QStringLiteral("routes.csv: line 3, route 37: destination_en is %1 characters long, "
                                            "at most 1000; written nowhere")
                                 .arg(huge.size())))
        << err.toStdString();
    EXPECT_LT(err.size(), 1000) << "the report repeats the text";
    EXPECT_EQ(QDir(folder + "out").entryList(QDir::Files), (QStringList{"12.img", "61.img"}));

    RecordProperty("PeakResidentKiB", std::to_string(run.peakKiB));
#ifndef VEXEL_SANITIZE
    EXPECT_LT(run.peakKiB, 200 * 1024);
#endif
}
