#include "preview/GifWriter.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>

namespace vexel {

namespace {

int appendOutput(GifFileType* gif, const GifByteType* data, int size)
{
    static_cast<QByteArray*>(gif->UserData)->append(reinterpret_cast<const char*>(data), size);
    return size;
}

} // namespace

GifWriter::GifWriter(int width, int height, const QVector<QRgb>& palette, bool loop)
    : width_(std::clamp(width, 1, 0xFFFF)), height_(std::clamp(height, 1, 0xFFFF)),
      palette_(palette.mid(0, 256)), loop_(loop),
      canvas_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), 0)
{
    if (palette_.isEmpty())
        palette_ = {qRgb(0, 0, 0)};
}

GifWriter::~GifWriter()
{
    if (gif_)
        EGifCloseFile(gif_, nullptr);
}

Status GifWriter::failure(const char* what) const
{
    const int code = gif_ ? gif_->Error : 0;
    const char* reason = code ? GifErrorString(code) : nullptr;
    return Status::failure(QStringLiteral("The GIF could not be made (") + QString::fromUtf8(what) +
                           (reason ? QStringLiteral(": ") + QString::fromUtf8(reason) : QString()) + QLatin1Char(')'));
}

Status GifWriter::open()
{
    int error = 0;
    gif_ = EGifOpen(&out_, appendOutput, &error);
    if (!gif_) {
        const char* reason = GifErrorString(error);
        return Status::failure(QStringLiteral("The GIF could not be made (%1)")
                                   .arg(reason ? QString::fromUtf8(reason) : QStringLiteral("no memory")));
    }
    EGifSetGifVersion(gif_, true);

    // A colour table holds a power of two entries.
    int bits = 1;
    while ((1 << bits) < palette_.size())
        ++bits;
    std::vector<GifColorType> colors(static_cast<std::size_t>(1) << bits, GifColorType{0, 0, 0});
    for (int i = 0; i < palette_.size(); ++i)
        colors[static_cast<std::size_t>(i)] = GifColorType{static_cast<GifByteType>(qRed(palette_[i])),
                                                           static_cast<GifByteType>(qGreen(palette_[i])),
                                                           static_cast<GifByteType>(qBlue(palette_[i]))};
    ColorMapObject* map = GifMakeMapObject(static_cast<int>(colors.size()), colors.data());
    if (!map)
        return Status::failure("The GIF could not be made (no memory for its colour table)");
    const int put = EGifPutScreenDesc(gif_, width_, height_, bits, 0, map);
    GifFreeMapObject(map);
    if (put != GIF_OK)
        return failure("screen");

    if (loop_) {
        static const char application[] = "NETSCAPE2.0";
        const GifByteType endless[] = {1, 0, 0};
        if (EGifPutExtensionLeader(gif_, APPLICATION_EXT_FUNC_CODE) != GIF_OK ||
            EGifPutExtensionBlock(gif_, 11, application) != GIF_OK ||
            EGifPutExtensionBlock(gif_, 3, endless) != GIF_OK || EGifPutExtensionTrailer(gif_) != GIF_OK)
            return failure("loop");
    }
    return Status::success();
}

Status GifWriter::put(const QRect& area, const std::uint8_t* pixels, int stride, int delay)
{
    GraphicsControlBlock control{};
    control.DisposalMode = DISPOSE_DO_NOT;
    control.UserInputFlag = false;
    control.DelayTime = delay;
    control.TransparentColor = NO_TRANSPARENT_COLOR;
    GifByteType extension[4];
    const std::size_t length = EGifGCBToExtension(&control, extension);
    if (EGifPutExtension(gif_, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension) != GIF_OK)
        return failure("frame timing");
    if (EGifPutImageDesc(gif_, area.x(), area.y(), area.width(), area.height(), false, nullptr) != GIF_OK)
        return failure("frame");
    // giflib masks the indices of a line in place, so it gets a copy.
    std::vector<GifPixelType> line(static_cast<std::size_t>(area.width()));
    for (int y = 0; y < area.height(); ++y) {
        std::memcpy(line.data(), pixels + static_cast<std::ptrdiff_t>(y) * stride, line.size());
        if (EGifPutLine(gif_, line.data(), area.width()) != GIF_OK)
            return failure("pixels");
    }
    ++written_;
    return Status::success();
}

Status GifWriter::flush()
{
    if (!hasPending_)
        return Status::success();
    hasPending_ = false;
    std::int64_t left = pendingDelay_;
    const int first = static_cast<int>(std::min<std::int64_t>(left, MaxDelay));
    Status done = put(pendingArea_, pendingPixels_.data(), pendingArea_.width(), first);
    left -= first;
    // A picture shown longer than one frame can say: repeat one unchanged pixel.
    while (done && left > 0) {
        const int part = static_cast<int>(std::min<std::int64_t>(left, MaxDelay));
        done = put(QRect(pendingArea_.topLeft(), QSize(1, 1)), pendingPixels_.data(), 1, part);
        left -= part;
    }
    return done;
}

Status GifWriter::addFrame(const QRect& changed, int delay)
{
    if (finished_ || failed_)
        return Status::failure("The GIF could not be made (it is already finished)");
    delay = std::max(delay, 0);
    if (!gif_) {
        const Status opened = open();
        if (!opened) {
            failed_ = true;
            return opened;
        }
    }
    const QRect area = written_ == 0 && !hasPending_ ? QRect(0, 0, width_, height_) : changed & QRect(0, 0, width_, height_);
    if (area.isEmpty() && hasPending_) {
        pendingDelay_ += delay;
        return Status::success();
    }
    const Status flushed = flush();
    if (!flushed) {
        failed_ = true;
        return flushed;
    }
    // Nothing changed and nothing waiting: one unchanged pixel keeps the time.
    const QRect stored = area.isEmpty() ? QRect(0, 0, 1, 1) : area;
    pendingArea_ = stored;
    pendingPixels_.resize(static_cast<std::size_t>(stored.width()) * static_cast<std::size_t>(stored.height()));
    for (int y = 0; y < stored.height(); ++y)
        std::memcpy(pendingPixels_.data() + static_cast<std::ptrdiff_t>(y) * stored.width(),
                    canvas_.data() + static_cast<std::ptrdiff_t>(stored.y() + y) * width_ + stored.x(),
                    static_cast<std::size_t>(stored.width()));
    pendingDelay_ = delay;
    hasPending_ = true;
    return Status::success();
}

Expected<QByteArray> GifWriter::finish()
{
    if (finished_ || failed_)
        return Expected<QByteArray>::failure("The GIF could not be made (it is already finished)");
    finished_ = true;
    if (!gif_) {
        // No picture came: one dark frame, so the file is still a GIF.
        finished_ = false;
        const Status added = addFrame(QRect(), 0);
        finished_ = true;
        if (!added)
            return added;
    }
    const Status flushed = flush();
    if (!flushed)
        return flushed;
    int error = 0;
    const int closed = EGifCloseFile(gif_, &error);
    gif_ = nullptr;
    if (closed != GIF_OK) {
        const char* reason = GifErrorString(error);
        return Expected<QByteArray>::failure(QStringLiteral("The GIF could not be made (%1)")
                                                 .arg(reason ? QString::fromUtf8(reason) : QStringLiteral("close")));

    }
    return std::move(out_);
}

} // namespace vexel
