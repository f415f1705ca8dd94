// Undo and redo on the largest board: one Alt stroke of 200 LEDs taken back
// and made again, against one frame-window repaint; and the peak memory of
// an editor holding the largest image with 500 steps on its history.
#include "BenchSupport.h"
#include "PeakMemory.h"
#include "support/TestFiles.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int Zoom = 4;

// A stroke over 200 different LEDs, in zigzag rows across the board.
std::vector<QPoint> strokePath()
{
    std::vector<QPoint> path;
    for (int i = 0; i < 200; ++i)
        path.emplace_back((i * 7) % bench::LargeWidth, 10 + (i * 7) / bench::LargeWidth * 3 + i % 2);
    return path;
}

void stroke(vexel::BoardEditor& editor, const std::vector<QPoint>& path)
{
    auto at = [](QPoint p, Qt::MouseButton b, Qt::MouseButtons held) {
        return vexel::GestureInput{p, b, held, Qt::AltModifier};
    };
    editor.press(at(path.front(), Qt::LeftButton, Qt::LeftButton));
    for (const QPoint& p : path)
        editor.move(at(p, Qt::NoButton, Qt::LeftButton));
    editor.release(at(path.back(), Qt::LeftButton, Qt::NoButton));
}

void undoOrRedo(benchmark::State& state, bool undo)
{
    bench::EditorSetup setup(bench::LargeWidth, bench::LargeHeight, Zoom);
    if (!setup.open("large.img", bench::randomImage(1, bench::LargeWidth, bench::LargeHeight))) {
        state.SkipWithError("the image did not load");
        return;
    }
    vexel::BoardEditor& editor = setup.form().session().editor();
    editor.fillBoard(false); // every LED of the stroke changes
    stroke(editor, strokePath());
    for (auto _ : state) {
        if (undo) {
            editor.undo();
            state.PauseTiming();
            editor.redo();
            state.ResumeTiming();
        } else {
            state.PauseTiming();
            editor.undo();
            state.ResumeTiming();
            editor.redo();
        }
    }
}

void BM_UndoStroke(benchmark::State& state) { undoOrRedo(state, true); }
BENCHMARK(BM_UndoStroke)->Unit(benchmark::kMillisecond);

void BM_RedoStroke(benchmark::State& state) { undoOrRedo(state, false); }
BENCHMARK(BM_RedoStroke)->Unit(benchmark::kMillisecond);

// The peak resident memory of a fresh editor process that holds the large
// image and 500 steps of history.
void BM_PeakMemoryUndo(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = testing_support::folderOf(dir) + "large.img";
    testing_support::writeAll(path, bench::randomImage(bench::LargeFrames, bench::LargeWidth, bench::LargeHeight));
    bench::runPeakMemoryChild(state, bench::PeakMemoryUndoOption, path);
}
BENCHMARK(BM_PeakMemoryUndo)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

namespace bench {

int measurePeakMemoryUndo(const QString& imagePath)
{
    const QByteArray text = testing_support::readAll(imagePath);
    if (text.isEmpty())
        return 2;
    EditorSetup setup(LargeWidth, LargeHeight, Zoom);
    TForm1& form = setup.form();
    form.show();
    QCoreApplication::processEvents();
    if (!setup.open(QStringLiteral("large.img"), text))
        return 3;
    vexel::BoardEditor& editor = form.session().editor();
    const std::vector<QPoint> path = strokePath();
    // Strokes, with a whole-board Fill or Clear every tenth step: the
    // largest steps there are.
    for (int step = 0; step < 500; ++step) {
        if (step % 10 == 9)
            editor.fillBoard(step % 20 == 9);
        else
            stroke(editor, std::vector<QPoint>(path.begin() + step % 100, path.begin() + step % 100 + 100));
        QCoreApplication::processEvents();
    }
    std::printf("%lld\n", peakResidentBytes());
    return 0;
}

} // namespace bench
