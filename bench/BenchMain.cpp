// vexel-bench: the editor's benchmarks on the offscreen platform, followed
// by the table of targets. `vexel-bench --peak-memory IMAGE` is the helper
// process one of them starts.
#include "PeakMemory.h"
#include "TargetReport.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <iostream>

namespace {

// The offscreen platform says this for every window shown; it would bury the table.
QtMessageHandler previousHandler = nullptr;

void quietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.contains(QLatin1String("propagateSizeHints")))
        return;
    if (previousHandler)
        previousHandler(type, context, message);
    else
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    previousHandler = qInstallMessageHandler(quietHandler);
    QApplication app(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], bench::PeakMemoryOption) == 0)
        return bench::measurePeakMemory(QString::fromLocal8Bit(argv[2]));
    if (argc == 3 && std::strcmp(argv[1], bench::PeakMemoryUndoOption) == 0)
        return bench::measurePeakMemoryUndo(QString::fromLocal8Bit(argv[2]));
    if (argc == 3 && std::strcmp(argv[1], bench::PeakMemoryGtfsOption) == 0)
        return bench::measurePeakMemoryGtfs(QString::fromLocal8Bit(argv[2]));

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    bench::TargetReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printTargets(std::cout);
    benchmark::Shutdown();
    // Timings are reported, never asserted: a slow machine is not a failure.
    // A benchmark that could not do its work is: its numbers would be of
    // something else, and the table would go on saying "NOT RUN" unseen.
    int failed = 0;
    for (const auto& [name, result] : reporter.results())
        if (result.failed) {
            std::cerr << "failed: " << name << "\n";
            ++failed;
        }
    return failed == 0 ? 0 : 1;
}
