// The tools on the largest board: a flood fill of the whole 488 x 100 board
// as one undo step, and the preview of a Line drag redrawn per mouse move;
// both beside BM_FillCanvas in the same run.
#include "BenchSupport.h"

#include "support/TestFiles.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int Zoom = 4;

vexel::GestureInput plain(int column, int row, Qt::MouseButton button, Qt::MouseButtons held)
{
    return vexel::GestureInput{QPoint(column, row), button, held, Qt::NoModifier};
}

// Each iteration fills the whole board, lit and unlit in turn: every LED
// changes, the frame is stored and the step recorded.
void BM_FloodFillBoard(benchmark::State& state)
{
    bench::EditorSetup setup(bench::LargeWidth, bench::LargeHeight, Zoom);
    if (!setup.open("blank.img", testing_support::blankImageText(bench::LargeWidth, bench::LargeHeight))) {
        state.SkipWithError("the image did not load");
        return;
    }
    vexel::BoardEditor& editor = setup.form().session().editor();
    editor.setTool(vexel::Tool::FloodFill);
    bool unlit = true;
    for (auto _ : state) {
        editor.setDrawUnlit(unlit = !unlit);
        editor.press(plain(240, 50, Qt::LeftButton, Qt::LeftButton));
        editor.release(plain(240, 50, Qt::LeftButton, Qt::NoButton));
        benchmark::DoNotOptimize(editor.document().bits().rowData(50));
    }
    if (editor.canvas().lit(487, 99) == unlit)
        state.SkipWithError("the fill did not reach the board's far corner");
}
BENCHMARK(BM_FloodFillBoard)->Unit(benchmark::kMillisecond);

// A Line drag from one corner whose other end swings between the two far
// corners: each move takes the last preview away and draws the new one.
void BM_LinePreview(benchmark::State& state)
{
    bench::EditorSetup setup(bench::LargeWidth, bench::LargeHeight, Zoom);
    if (!setup.open("checker.img", bench::checkerboardImage(bench::LargeWidth, bench::LargeHeight))) {
        state.SkipWithError("the image did not load");
        return;
    }
    vexel::BoardEditor& editor = setup.form().session().editor();
    editor.setTool(vexel::Tool::Line);
    editor.press(plain(0, 0, Qt::LeftButton, Qt::LeftButton));
    const vexel::GestureInput ends[2] = {plain(487, 99, Qt::NoButton, Qt::LeftButton),
                                         plain(487, 0, Qt::NoButton, Qt::LeftButton)};
    int turn = 0;
    for (auto _ : state) {
        editor.move(ends[turn ^= 1]);
        benchmark::DoNotOptimize(editor.canvas().view().constScanLine(0));
    }
    editor.toolKey(Qt::Key_Escape);
    editor.release(plain(487, 0, Qt::LeftButton, Qt::NoButton));
}
BENCHMARK(BM_LinePreview)->Unit(benchmark::kMicrosecond);

} // namespace
