// The sign simulator on the largest board: one timeline step in the middle
// of a slide, a repaint of the Sign window at zoom 4, and the GIF export of
// the 256-frame largest image beside writing the same frames as PNG files.
#include "BenchSupport.h"

#include "document/ImageFile.h"
#include "preview/Export.h"
#include "preview/Timeline.h"
#include "widgets/SignView.h"
#include "widgets/SignWindow.h"

#include <QImageWriter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int Zoom = 4;

vexel::ImageRecord record(const QByteArray& text)
{
    vexel::Expected<vexel::ImageRecord> parsed = vexel::ImageFile::parse(text);
    return parsed ? std::move(parsed).value() : vexel::ImageRecord();
}

// Two full-board frames of pseudo-random LEDs, the first sliding in from
// the right (488 steps) and out upward: a slide over a full picture.
vexel::ImageRecord slidingImage()
{
    vexel::ImageRecord image = record(bench::randomImage(2, bench::LargeWidth, bench::LargeHeight));
    std::string header = image.line(1);
    header[2] = '2';
    header[3] = '1';
    image.setLine(1, header);
    return image;
}

const vexel::ImageRecord& largeImage()
{
    static const vexel::ImageRecord image =
        record(bench::randomImage(bench::LargeFrames, bench::LargeWidth, bench::LargeHeight));
    return image;
}

// stateAt one LED step further on, through the slide in from the right.
void BM_TimelineStep(benchmark::State& state)
{
    vexel::Timeline timeline(bench::LargeWidth, bench::LargeHeight);
    if (!timeline.addImage(slidingImage()).ok()) {
        state.SkipWithError("the image did not load");
        return;
    }
    const int step = timeline.stepTime();
    // Second pass: the slide goes over the frame the pass before left.
    const std::int64_t start = timeline.loopLength();
    int n = 0;
    for (auto _ : state) {
        const vexel::LedBitmap& leds = timeline.stateAt(start + std::int64_t{n} * step);
        benchmark::DoNotOptimize(leds.row(0));
        n = (n + 1) % bench::LargeWidth;
    }
}
BENCHMARK(BM_TimelineStep)->Unit(benchmark::kMicrosecond);

// The Sign window's view drawn and painted at zoom 4 for the next picture
// of the slide, as each tick of a playing window does.
void BM_SignRepaint(benchmark::State& state)
{
    SignWindow window;
    window.setBoardSize(bench::LargeWidth, bench::LargeHeight);
    window.setCurrentImage(slidingImage(), QStringLiteral("slide.img"));
    window.view()->setZoom(Zoom);
    window.pause();
    window.show();
    const int step = window.timeline().stepTime();
    const std::int64_t start = window.timeline().loopLength();
    int n = 0;
    for (auto _ : state) {
        window.seek(start + std::int64_t{n} * step);
        window.view()->repaint();
        n = (n + 1) % bench::LargeWidth;
    }
    if (window.view()->picture().width() != bench::LargeWidth * Zoom)
        state.SkipWithError("the view is not at zoom 4");
}
BENCHMARK(BM_SignRepaint)->Unit(benchmark::kMillisecond);

// The 256-frame largest image as an animated GIF file, LED look at zoom 4.
void BM_GifExport256(benchmark::State& state)
{
    QTemporaryDir dir;
    vexel::Timeline timeline(bench::LargeWidth, bench::LargeHeight);
    if (!timeline.addImage(largeImage()).ok()) {
        state.SkipWithError("the image did not load");
        return;
    }
    const QString path = dir.filePath(QStringLiteral("large.gif"));
    for (auto _ : state) {
        if (!vexel::Export::gif(timeline, vexel::SignStyle(), path).ok())
            state.SkipWithError("the GIF was not written");
    }
}
BENCHMARK(BM_GifExport256)->Unit(benchmark::kMillisecond)->Iterations(1);

// The same 256 pictures, same palette, each written as a PNG file.
void BM_PngFrames256(benchmark::State& state)
{
    QTemporaryDir dir;
    vexel::Timeline timeline(bench::LargeWidth, bench::LargeHeight);
    if (!timeline.addImage(largeImage()).ok()) {
        state.SkipWithError("the image did not load");
        return;
    }
    const vexel::SignRenderer renderer{vexel::SignStyle()};
    const QSize size = renderer.imageSize(bench::LargeWidth, bench::LargeHeight);
    QImage picture(size, QImage::Format_Indexed8);
    picture.setColorTable(renderer.palette());
    const std::int64_t later = timeline.loopLength();
    for (auto _ : state) {
        for (int f = 0; f < timeline.frameCount(); ++f) {
            renderer.renderIndexed(timeline.stateAt(later + timeline.frame(f).start),
                                   QRect(0, 0, bench::LargeWidth, bench::LargeHeight), picture.bits(),
                                   static_cast<int>(picture.bytesPerLine()));
            if (!vexel::Export::writePng(picture, dir.filePath(QStringLiteral("%1.png").arg(f))).ok())
                state.SkipWithError("a PNG was not written");
        }
    }
}
BENCHMARK(BM_PngFrames256)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
