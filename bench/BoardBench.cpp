// Drawing on the largest board: a full repaint of the zoomed view and one
// painted LED, each beside the plain raster work it cannot beat.
#include "BenchSupport.h"

#include "app/BoardPanel.h"

#include <benchmark/benchmark.h>

#include <cstdint>

namespace {

constexpr int Zoom = 4;

// Load_Frame of a full-board frame, grid on, rounded LEDs, half the LEDs lit.
void BM_FillCanvas(benchmark::State& state)
{
    bench::EditorSetup setup(bench::LargeWidth, bench::LargeHeight, Zoom);
    if (!setup.open("checker.img", bench::checkerboardImage(bench::LargeWidth, bench::LargeHeight))) {
        state.SkipWithError("the image did not load");
        return;
    }
    TForm1& form = setup.form();
    BoardPanel& board = *form.findChild<BoardPanel*>();
    for (auto _ : state) {
        board.Load_Frame();
        benchmark::DoNotOptimize(form.session().editor().canvas().view().constScanLine(0));
    }
}
BENCHMARK(BM_FillCanvas)->Unit(benchmark::kMillisecond);

// One plain fill of the same zoomed rectangle on the same surface.
void BM_SurfaceFill(benchmark::State& state)
{
    vexel::Surface view(2000, 1000);
    std::uint32_t color = 0;
    for (auto _ : state) {
        view.setFillColor(color ^= 0x0000FF);
        view.fillRect(0, 0, bench::LargeWidth * Zoom, bench::LargeHeight * Zoom);
        benchmark::DoNotOptimize(view.constScanLine(0));
        view.takeDirty();
    }
}
BENCHMARK(BM_SurfaceFill)->Unit(benchmark::kMillisecond);

// One LED painted with Alt held and the left button down, as a mouse move
// delivers it, Update_Array included. Two LEDs take turns, so every move
// paints a cell that is not already lit.
void BM_PaintPoint(benchmark::State& state)
{
    bench::EditorSetup setup(bench::LargeWidth, bench::LargeHeight, Zoom);
    if (!setup.open("checker.img", bench::checkerboardImage(bench::LargeWidth, bench::LargeHeight))) {
        state.SkipWithError("the image did not load");
        return;
    }
    TForm1& form = setup.form();
    MouseInput press{QPoint(Zoom * 200 + 1, Zoom * 50 + 1), Qt::LeftButton, Qt::LeftButton, Qt::AltModifier};
    BoardPanel& board = *form.findChild<BoardPanel*>();
    board.Image1MouseDown(press);
    MouseInput moves[2] = {
        {QPoint(Zoom * 201 + 1, Zoom * 50 + 1), Qt::NoButton, Qt::LeftButton, Qt::AltModifier},
        {QPoint(Zoom * 201 + 1, Zoom * 51 + 1), Qt::NoButton, Qt::RightButton, Qt::AltModifier},
    };
    int turn = 0;
    for (auto _ : state) {
        board.Image1MouseMove(moves[turn ^= 1]);
        benchmark::DoNotOptimize(form.session().document().bits().rowData(50));
    }
}
BENCHMARK(BM_PaintPoint)->Unit(benchmark::kMicrosecond);

// Reading every pixel of the 488 x 100 board image once, by scan line.
void BM_ScanBoard(benchmark::State& state)
{
    bench::EditorSetup setup(bench::LargeWidth, bench::LargeHeight, Zoom);
    if (!setup.open("checker.img", bench::checkerboardImage(bench::LargeWidth, bench::LargeHeight))) {
        state.SkipWithError("the image did not load");
        return;
    }
    const vexel::Surface& board = setup.form().session().editor().canvas().board();
    const QRgb lit = vexel::toQRgb(setup.form().session().settings().ledColor());
    for (auto _ : state) {
        int count = 0;
        for (int r = 0; r < bench::LargeHeight; ++r) {
            const QRgb* pixels = board.constScanLine(r);
            for (int c = 0; c < bench::LargeWidth; ++c)
                count += pixels[c] == lit;
        }
        benchmark::DoNotOptimize(count);
    }
}
BENCHMARK(BM_ScanBoard)->Unit(benchmark::kMicrosecond);

} // namespace
