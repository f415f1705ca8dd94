// Any bytes as an image file played by the sign simulator: the timeline's
// effects and windows on a few board sizes and step times, seeking back
// and forth, and the GIF built from it, read back with giflib.
#include "FuzzCheck.h"

#include "document/ImageFile.h"
#include "preview/Export.h"
#include "preview/Timeline.h"

#include <QByteArray>

#include <gif_lib.h>

#include <cstdint>
#include <cstring>

using namespace vexel;

namespace {

// Hundredths of a second of a GIF's frames, or -1 when giflib refuses it.
long long gifDuration(const QByteArray& bytes, int width, int height)
{
    struct Source {
        const QByteArray* bytes;
        int at;
    } source{&bytes, 0};
    auto input = [](GifFileType* gif, GifByteType* out, int size) -> int {
        auto* s = static_cast<Source*>(gif->UserData);
        const int n = std::min(size, static_cast<int>(s->bytes->size()) - s->at);
        std::memcpy(out, s->bytes->constData() + s->at, static_cast<std::size_t>(n));
        s->at += n;
        return n;
    };
    int error = 0;
    GifFileType* gif = DGifOpen(&source, input, &error);
    if (!gif)
        return -1;
    long long total = -1;
    if (DGifSlurp(gif) == GIF_OK && gif->SWidth == width && gif->SHeight == height && gif->ImageCount > 0) {
        total = 0;
        for (int i = 0; i < gif->ImageCount; ++i) {
            const GifImageDesc& d = gif->SavedImages[i].ImageDesc;
            FUZZ_CHECK(d.Left >= 0 && d.Top >= 0 && d.Left + d.Width <= width && d.Top + d.Height <= height);
            GraphicsControlBlock control{};
            DGifSavedExtensionToGCB(gif, i, &control);
            total += control.DelayTime;
        }
    }
    DGifCloseFile(gif, nullptr);
    return total;
}

void play(const ImageRecord& record, int width, int height, int step, std::uint32_t hash)
{
    Timeline timeline(width, height, step);
    if (!timeline.addImage(record).ok())
        return;
    // A list: the same image again, so later passes start from its end.
    if (hash & 1)
        FUZZ_CHECK(timeline.addImage(record).ok());

    std::int64_t at = 0;
    for (int f = 0; f < timeline.frameCount(); ++f) {
        const Timeline::Frame& frame = timeline.frame(f);
        FUZZ_CHECK(frame.start == at);
        FUZZ_CHECK(frame.hold > 0);
        FUZZ_CHECK(frame.bits.width() == frame.window.w && frame.bits.height() == frame.window.h);
        at += frame.length(timeline.stepTime());
    }
    FUZZ_CHECK(timeline.loopLength() == at);
    const std::int64_t length = timeline.loopLength();
    if (length <= 0)
        return;

    // Times in both kinds of pass, in an order that jumps back.
    const std::int64_t times[] = {0, length - 1, length, 2 * length + length / 3, length / 2,
                                  static_cast<std::int64_t>(hash % static_cast<std::uint32_t>(length)), 3 * length - 1};
    for (const std::int64_t t : times) {
        const LedBitmap& seen = timeline.stateAt(t);
        FUZZ_CHECK(seen.width() == width && seen.height() == height);
        Timeline fresh = timeline;
        fresh.clear();
        FUZZ_CHECK(fresh.addImage(record).ok());
        if (hash & 1)
            FUZZ_CHECK(fresh.addImage(record).ok());
        fresh.setStepTime(step);
        FUZZ_CHECK(fresh.stateAt(t) == seen);
        const Timeline::Position p = timeline.locate(t);
        FUZZ_CHECK(p.frame >= 0 && p.frame < timeline.frameCount());
        FUZZ_CHECK(p.segmentStart <= p.inPass && p.inPass < p.segmentEnd && p.segmentEnd <= length);
    }

    // The GIF, when it stays small enough to build quickly.
    if (timeline.segmentCount() > 3000 || width * height > 4000)
        return;
    SignStyle style;
    style.look = hash & 2 ? SignStyle::Look::Leds : SignStyle::Look::Pixels;
    style.zoom = 1 + static_cast<int>((hash >> 2) % 3);
    style.glow = hash & 32;
    const Expected<QByteArray> gif = Export::gifData(timeline, style, {}, hash & 64);
    FUZZ_CHECK(gif.ok());
    const SignRenderer renderer(style);
    const QSize size = renderer.imageSize(width, height);
    const long long duration = gifDuration(*gif, size.width(), size.height());
    FUZZ_CHECK(duration >= 0);
    FUZZ_CHECK(duration == std::max<long long>((length + 5) / 10, 1));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const Expected<ImageRecord> read = ImageFile::parse(bytes);
    if (!read || !read->check())
        return 0;
    std::uint32_t hash = 2166136261u;
    for (std::size_t i = 0; i < size; ++i)
        hash = (hash ^ data[i]) * 16777619u;
    play(*read, 96, 24, 30, hash);
    play(*read, 1, 1, 1, hash >> 3);
    play(*read, 1 + int(hash % 120), 1 + int((hash >> 8) % 40), 1 + int((hash >> 16) % 50), hash >> 5);
    return 0;
}
