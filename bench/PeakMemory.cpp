#include "PeakMemory.h"

#include "BenchSupport.h"
#include "app/FramesPanel.h"
#include "support/TestFiles.h"

#include <QCoreApplication>
#include <QProcess>
#include <QFileInfo>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace bench {

int measurePeakMemory(const QString& imagePath)
{
    const QByteArray text = testing_support::readAll(imagePath);
    if (text.isEmpty())
        return 2;

    EditorSetup setup(LargeWidth, LargeHeight, 4);
    TForm1& form = setup.form();
    form.show();
    QCoreApplication::processEvents();
    if (!setup.open(QFileInfo(imagePath).fileName(), text))
        return 3;
    QCoreApplication::processEvents();
    FramesPanel& frames = *form.findChild<FramesPanel*>();
    frames.Button7Click();
    form.findChild<QTimer*>(QStringLiteral("Timer3"))->stop();
    for (int step = 0; step < form.session().document().frameCount(); ++step) {
        frames.Timer3Timer();
        QCoreApplication::processEvents();
    }
    frames.Button7Click();
    QCoreApplication::processEvents();
    std::printf("%lld\n", peakResidentBytes());
    return 0;
}

void runPeakMemoryChild(benchmark::State& state, const char* option, const QString& imagePath)
{
    double mib = 0;
    for (auto _ : state) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(option), imagePath});
        if (!child.waitForFinished(120000) || child.exitCode() != 0) {
            state.SkipWithError("the measuring process failed");
            break;
        }
        mib = child.readAllStandardOutput().trimmed().toDouble() / (1024.0 * 1024.0);
    }
    state.counters["peak_MiB"] = mib;
}

} // namespace bench
