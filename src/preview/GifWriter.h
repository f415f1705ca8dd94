#pragma once

#include "document/Result.h"

#include <QByteArray>
#include <QRect>
#include <QRgb>
#include <QVector>

#include <cstdint>
#include <vector>

struct GifFileType;

namespace vexel {

// An animated GIF built in memory, one picture at a time. The caller draws
// each picture into canvas() as palette indices and says which rectangle
// changed; only that part is stored, over the pictures before it. A frame
// is written once the next one arrives, so a picture that does not change
// just shows longer.
class GifWriter {
public:
    static constexpr int MaxDelay = 0xFFFF; // hundredths of a second

    // At most 256 colours; `loop` makes viewers play it forever.
    GifWriter(int width, int height, const QVector<QRgb>& palette, bool loop);
    ~GifWriter();
    GifWriter(const GifWriter&) = delete;
    GifWriter& operator=(const GifWriter&) = delete;

    int width() const { return width_; }
    int height() const { return height_; }
    // width() x height() indices, width() a row; all 0 at first.
    std::uint8_t* canvas() { return canvas_.data(); }

    // The canvas is the next picture, shown for `delay` hundredths of a
    // second; `changed` holds every pixel that differs from the last one
    // (ignored for the first picture). An empty `changed` lengthens the last
    // frame. Delays beyond MaxDelay are split over repeated frames.
    Status addFrame(const QRect& changed, int delay);

    // Writes the last frame and the trailer; the writer is done afterwards.
    Expected<QByteArray> finish();

    // Frames written so far, repeats included.
    int frameCount() const { return written_; }

private:
    Status open();
    Status flush();
    Status put(const QRect& area, const std::uint8_t* pixels, int stride, int delay);
    Status failure(const char* what) const;

    int width_;
    int height_;
    QVector<QRgb> palette_;
    bool loop_;
    std::vector<std::uint8_t> canvas_;
    GifFileType* gif_ = nullptr;
    QByteArray out_;
    bool failed_ = false;
    bool finished_ = false;
    int written_ = 0;

    // The frame waiting for its delay to be final.
    bool hasPending_ = false;
    QRect pendingArea_;
    std::vector<std::uint8_t> pendingPixels_;
    std::int64_t pendingDelay_ = 0;
};

} // namespace vexel
