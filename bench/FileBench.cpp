// The largest image the editor holds, 256 frames of 488 x 100 (about 3 MB of
// text): loading it, stepping it in the preview, starting the editor on it,
// and the memory the editor needs with it open.
#include "BenchSupport.h"
#include "app/FileCommands.h"
#include "app/FramesPanel.h"
#include "PeakMemory.h"

#include "settings/SettingsFile.h"
#include "support/TestFiles.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int Zoom = 4;
const QString LargeName = QStringLiteral("large.img");

const QByteArray& largeImage()
{
    static const QByteArray text = bench::randomImage(bench::LargeFrames, bench::LargeWidth, bench::LargeHeight);
    return text;
}

// Takes the file's pages out of the page cache, so the next read comes from
// the disk as when the operator opens an image not read since the machine
// started. Written pages are pushed out first: only clean pages can go.
bool dropFromPageCache(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    if (fd < 0)
        return false;
    const bool dropped = ::fdatasync(fd) == 0 && ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED) == 0;
    ::close(fd);
    return dropped;
}

// Before an iteration that must read `path` from the disk, outside the
// measured time.
void dropBeforeIteration(benchmark::State& state, const QString& path)
{
    state.PauseTiming();
    if (!dropFromPageCache(path))
        state.SkipWithError("cannot drop the file from the page cache");
    state.ResumeTiming();
}

// A folder holding the large image; ends with a separator.
QString largeImageFolder(const QTemporaryDir& dir)
{
    const QString folder = testing_support::folderOf(dir);
    testing_support::writeAll(folder + LargeName, largeImage());
    return folder;
}

// Load_File showing the last frame; with `fromDisk`, each load reads the
// file from the disk.
void loadFile(benchmark::State& state, bool fromDisk)
{
    bench::EditorSetup setup(bench::LargeWidth, bench::LargeHeight, Zoom);
    if (!setup.open(LargeName, largeImage())) {
        state.SkipWithError("the image did not load");
        return;
    }
    TForm1& form = setup.form();
    const QString path = setup.folder() + LargeName;
    FileCommands& files = *form.findChild<FileCommands*>();
    for (auto _ : state) {
        if (fromDisk)
            dropBeforeIteration(state, path);
        form.session().document().setCurrentFrame(bench::LargeFrames - 1);
        if (!files.Load_File() || form.session().document().currentFrame() != bench::LargeFrames - 1)
            state.SkipWithError("the image did not load");
    }
    state.SetBytesProcessed(state.iterations() * largeImage().size());
}

// The same file read into memory in one go.
void readFileBytes(benchmark::State& state, bool fromDisk)
{
    QTemporaryDir dir;
    const QString path = largeImageFolder(dir) + LargeName;
    for (auto _ : state) {
        if (fromDisk)
            dropBeforeIteration(state, path);
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            state.SkipWithError("cannot read the image");
        const QByteArray bytes = file.readAll();
        benchmark::DoNotOptimize(bytes.constData());
    }
    state.SetBytesProcessed(state.iterations() * largeImage().size());
}

void BM_LoadFile(benchmark::State& state) { loadFile(state, true); }
void BM_ReadFileBytes(benchmark::State& state) { readFileBytes(state, true); }
// The same two with the file already in the page cache: what the editor adds
// to a read that costs nearly nothing.
void BM_LoadFileCached(benchmark::State& state) { loadFile(state, false); }
void BM_ReadFileBytesCached(benchmark::State& state) { readFileBytes(state, false); }
BENCHMARK(BM_LoadFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadFileBytes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadFileCached)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadFileBytesCached)->Unit(benchmark::kMillisecond);

// One step of the running preview.
void BM_PreviewStep(benchmark::State& state)
{
    bench::EditorSetup setup(bench::LargeWidth, bench::LargeHeight, Zoom);
    if (!setup.open(LargeName, largeImage())) {
        state.SkipWithError("the image did not load");
        return;
    }
    TForm1& form = setup.form();
    FramesPanel& frames = *form.findChild<FramesPanel*>();
    frames.Button7Click();
    form.findChild<QTimer*>(QStringLiteral("Timer3"))->stop(); // the steps are driven here, not by the clock
    for (auto _ : state)
        frames.Timer3Timer();
    frames.Button7Click();
}
BENCHMARK(BM_PreviewStep)->Unit(benchmark::kMillisecond);

// Creating the windows, showing the main one and running the start-up work
// with a data folder that holds the large image as the last one opened.
void BM_Startup(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString folder = largeImageFolder(dir);
    SettingsFile settings = SettingsFile::defaults(folder);
    settings.boardWidth = bench::LargeWidth;
    settings.boardHeight = bench::LargeHeight;
    settings.cellSize = Zoom;
    settings.grid = true;
    settings.dataFolder = folder;
    settings.dataFileName = LargeName;
    if (!settings.save(folder + SettingsFile::FileName)) {
        state.SkipWithError("cannot write the settings file");
        return;
    }
    for (auto _ : state) {
        ScriptedPrompter prompter;
        auto form = std::make_unique<TForm1>(EditorContext{folder, &prompter});
        form->findChild<QTimer*>(QStringLiteral("Timer1"))->stop();
        form->show();
        form->Timer1Timer();
        QCoreApplication::processEvents();
        if (form->session().document().frameCount() != bench::LargeFrames || !prompter.asked.empty())
            state.SkipWithError("the start-up did not open the image");
        state.PauseTiming();
        form->session().settings().setStartupDone(false); // closing writes nothing
        form.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Startup)->Unit(benchmark::kMillisecond);

// The peak resident memory of a fresh editor process with the large image
// open and previewed once through all its frames.
void BM_PeakMemory(benchmark::State& state)
{
    QTemporaryDir dir;
    bench::runPeakMemoryChild(state, bench::PeakMemoryOption, largeImageFolder(dir) + LargeName);
}
BENCHMARK(BM_PeakMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
