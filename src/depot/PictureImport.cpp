#include "depot/PictureImport.h"

#include "document/FrameHeader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <gif_lib.h>

#include <algorithm>
#include <cmath>

namespace vexel {

namespace {

// The words of a refusal in the windows' language; the command line loads
// no translation and keeps them as written.
QString said(const char* text) { return QCoreApplication::translate("PictureImport", text); }

Status cannotRead(const QString& path, const QString& reason)
{
    return Status::failure(said(QT_TRANSLATE_NOOP("PictureImport", "Cannot read picture \"%1\": %2"))
                               .arg(QDir::toNativeSeparators(path), reason));
}

// Which source pixels make up each target cell, and how much of the cell
// each covers: a box filter that averages exactly when shrinking and
// samples the one or two pixels under a cell when enlarging.
struct Span {
    int first = 0;
    std::vector<float> weights;
};

std::vector<Span> boxSpans(int in, int out)
{
    std::vector<Span> spans(static_cast<std::size_t>(out));
    const double scale = static_cast<double>(in) / out;
    for (int i = 0; i < out; ++i) {
        const double a = i * scale;
        const double b = (i + 1) * scale;
        Span& span = spans[static_cast<std::size_t>(i)];
        span.first = std::min(in - 1, static_cast<int>(std::floor(a)));
        const int last = std::min(in, static_cast<int>(std::ceil(b)));
        double total = 0;
        for (int j = span.first; j < last; ++j) {
            const double overlap = std::min(b, j + 1.0) - std::max(a, static_cast<double>(j));
            span.weights.push_back(static_cast<float>(std::max(0.0, overlap)));
            total += std::max(0.0, overlap);
        }
        for (float& w : span.weights)
            w = static_cast<float>(w / total);
    }
    return spans;
}

// The classic 8 x 8 Bayer matrix: thresholds spread so that any grey lights
// its share of every 8 x 8 block, evenly.
constexpr int Bayer[8][8] = {
    {0, 32, 8, 40, 2, 34, 10, 42},  {48, 16, 56, 24, 50, 18, 58, 26}, {12, 44, 4, 36, 14, 46, 6, 38},
    {60, 28, 52, 20, 62, 30, 54, 22}, {3, 35, 11, 43, 1, 33, 9, 41},  {51, 19, 59, 27, 49, 17, 57, 25},
    {15, 47, 7, 39, 13, 45, 5, 37},  {63, 31, 55, 23, 61, 29, 53, 21},
};

// Averages of exact levels come out a hair off; a grey that is the
// threshold counts as reaching it.
constexpr float Slack = 1e-3f;

struct GifInput {
    const QByteArray* bytes = nullptr;
    qsizetype at = 0;
};

int readGifBytes(GifFileType* gif, GifByteType* out, int wanted)
{
    auto* in = static_cast<GifInput*>(gif->UserData);
    const qsizetype n = std::min<qsizetype>(wanted, in->bytes->size() - in->at);
    std::copy_n(in->bytes->constData() + in->at, n, reinterpret_cast<char*>(out));
    in->at += n;
    return static_cast<int>(n);
}

// The delay of every frame of a GIF, in ms, walking the whole file: Qt's
// reader does not say reliably which frame a delay belongs to, and stops
// quietly at a frame that was cut short. Pixel data is only skipped, never
// decoded, so a hostile file costs no memory here.
Expected<std::vector<int>> gifDelays(const QByteArray& bytes)
{
    GifInput input{&bytes, 0};
    int error = 0;
    GifFileType* gif = DGifOpen(&input, readGifBytes, &error);
    if (!gif)
        return Expected<std::vector<int>>::failure(GifErrorString(error));
    std::vector<int> delays;
    int pendingDelay = 0;
    bool done = false;
    bool ok = true;
    while (ok && !done) {
        GifRecordType type = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(gif, &type) == GIF_ERROR) {
            ok = false;
            break;
        }
        switch (type) {
        case IMAGE_DESC_RECORD_TYPE: {
            int codeSize = 0;
            GifByteType* block = nullptr;
            ok = DGifGetImageDesc(gif) != GIF_ERROR && DGifGetCode(gif, &codeSize, &block) != GIF_ERROR;
            while (ok && block)
                ok = DGifGetCodeNext(gif, &block) != GIF_ERROR;
            delays.push_back(pendingDelay * 10);
            pendingDelay = 0;
            break;
        }
        case EXTENSION_RECORD_TYPE: {
            int code = 0;
            GifByteType* block = nullptr;
            ok = DGifGetExtension(gif, &code, &block) != GIF_ERROR;
            if (ok && block && code == GRAPHICS_EXT_FUNC_CODE) {
                GraphicsControlBlock gcb;
                if (DGifExtensionToGCB(block[0], block + 1, &gcb) != GIF_ERROR)
                    pendingDelay = gcb.DelayTime;
            }
            while (ok && block)
                ok = DGifGetExtensionNext(gif, &block) != GIF_ERROR;
            break;
        }
        case TERMINATE_RECORD_TYPE:
            done = true;
            break;
        default:
            break;
        }
    }
    const int failure = gif->Error;
    DGifCloseFile(gif, &error);
    if (!ok && (failure == 0 || failure == D_GIF_ERR_READ_FAILED))
        return Expected<std::vector<int>>::failure(
            said(QT_TRANSLATE_NOOP("PictureImport", "The file ends before its last frame is whole")));
    if (!ok)
        return Expected<std::vector<int>>::failure(GifErrorString(failure));
    if (delays.empty())
        return Expected<std::vector<int>>::failure(said(QT_TRANSLATE_NOOP("PictureImport", "The file holds no picture")));
    return delays;
}

} // namespace

GreyPicture GreyPicture::fromImage(const QImage& image)
{
    GreyPicture grey;
    if (image.isNull())
        return grey;
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    grey.width = argb.width();
    grey.height = argb.height();
    grey.levels.resize(static_cast<std::size_t>(grey.width) * static_cast<std::size_t>(grey.height));
    for (int y = 0; y < grey.height; ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        std::uint8_t* out = grey.levels.data() + static_cast<std::size_t>(y) * grey.width;
        for (int x = 0; x < grey.width; ++x) {
            const QRgb p = line[x];
            const int luma = (299 * qRed(p) + 587 * qGreen(p) + 114 * qBlue(p) + 500) / 1000;
            out[x] = static_cast<std::uint8_t>((luma * qAlpha(p) + 127) / 255);
        }
    }
    return grey;
}

Expected<Picture> PictureImport::read(const QString& path, int maxFrames)
{
    const QFileInfo info(path);
    if (!info.exists())
        return cannotRead(path, said(QT_TRANSLATE_NOOP("PictureImport", "The file does not exist")));
    if (info.isDir())
        return cannotRead(path, said(QT_TRANSLATE_NOOP("PictureImport", "It is a folder")));
    // A named pipe or a device would keep the reader waiting.
    if (!info.isFile())
        return cannotRead(path, said(QT_TRANSLATE_NOOP("PictureImport", "It is not a regular file")));
    if (info.size() > MaxFileBytes)
        return cannotRead(path, said(QT_TRANSLATE_NOOP("PictureImport", "The file is larger than %1 MiB"))
                                    .arg(MaxFileBytes / (1024 * 1024)));

    QImageReader reader(path);
    reader.setAutoTransform(true); // a photograph turned as the camera held it
    reader.setDecideFormatFromContent(true);
    if (!reader.canRead())
        return cannotRead(path, reader.errorString());

    // A GIF is walked whole first: its frames, their delays, and whether
    // it was cut short.
    std::vector<int> delays{0};
    if (reader.format() == "gif") {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return cannotRead(path, file.errorString());
        const Expected<std::vector<int>> found = gifDelays(file.readAll());
        if (!found)
            return cannotRead(path, found.error());

        delays = *found;
        if (delays.size() == 1)
            delays.front() = 0; // a still picture has no time of its own
    }

    Picture picture;
    picture.path = path;
    const int count = static_cast<int>(delays.size());
    picture.framesInFile = count;
    const int wanted = std::clamp(maxFrames, 1, count);
    qint64 greyBytes = 0;
    for (int i = 0; i < wanted; ++i) {
        QImage image;
        if (!reader.read(&image) || image.isNull()) {
            const QString reason = reader.errorString();
            if (count > 1)
                return cannotRead(path, said(QT_TRANSLATE_NOOP("PictureImport", "Frame %1 of %2: %3"))
                                            .arg(QString::number(i + 1), QString::number(count), reason));
            return cannotRead(path, reason);
        }
        greyBytes += static_cast<qint64>(image.width()) * image.height();
        if (greyBytes > MaxGreyBytes)
            return cannotRead(path, said(QT_TRANSLATE_NOOP("PictureImport", "Its frames come to more than %1 million pixels"))
                                        .arg(MaxGreyBytes / (1000 * 1000)));
        picture.frames.push_back(GreyPicture::fromImage(image));
        picture.delaysMs.push_back(delays[static_cast<std::size_t>(i)]);
    }
    return picture;
}

ScaledLevels PictureImport::scale(const GreyPicture& picture, int width, int height, PictureFit fit)
{
    ScaledLevels out;
    out.width = std::max(0, width);
    out.height = std::max(0, height);
    if (out.width == 0 || out.height == 0 || picture.width <= 0 || picture.height <= 0)
        return out;

    int w = out.width;
    int h = out.height;
    if (fit == PictureFit::KeepAspect) {
        // Wider than the target: full width; otherwise full height.
        const qint64 pw = picture.width;
        const qint64 ph = picture.height;
        if (pw * out.height >= ph * out.width)
            h = std::clamp(static_cast<int>((ph * out.width * 2 + pw) / (2 * pw)), 1, out.height);
        else
            w = std::clamp(static_cast<int>((pw * out.height * 2 + ph) / (2 * ph)), 1, out.width);
    }
    out.areaW = w;
    out.areaH = h;
    out.areaX = (out.width - w) / 2;
    out.areaY = (out.height - h) / 2;

    const std::vector<Span> columns = boxSpans(picture.width, w);
    const std::vector<Span> rows = boxSpans(picture.height, h);
    // Across first, row by row of the source; then down.
    std::vector<float> across(static_cast<std::size_t>(w) * static_cast<std::size_t>(picture.height));
    for (int y = 0; y < picture.height; ++y) {
        const std::uint8_t* src = picture.levels.data() + static_cast<std::size_t>(y) * picture.width;
        float* dst = across.data() + static_cast<std::size_t>(y) * w;
        for (int x = 0; x < w; ++x) {
            const Span& span = columns[static_cast<std::size_t>(x)];
            float sum = 0;
            for (std::size_t k = 0; k < span.weights.size(); ++k)
                sum += span.weights[k] * src[span.first + static_cast<int>(k)];
            dst[x] = sum;
        }
    }
    out.levels.assign(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), 0.0f);
    for (int y = 0; y < h; ++y) {
        const Span& span = rows[static_cast<std::size_t>(y)];
        float* dst = out.levels.data() + static_cast<std::size_t>(y) * w;
        for (std::size_t k = 0; k < span.weights.size(); ++k) {
            const float weight = span.weights[k];
            const float* src = across.data() + static_cast<std::size_t>(span.first + static_cast<int>(k)) * w;
            for (int x = 0; x < w; ++x)
                dst[x] += weight * src[x];
        }
    }
    return out;
}

LedBitmap PictureImport::toLeds(const ScaledLevels& levels, const ImportOptions& options)
{
    LedBitmap leds(levels.width, levels.height);
    const int w = levels.areaW;
    const int h = levels.areaH;
    if (w <= 0 || h <= 0)
        return leds;
    const float threshold = static_cast<float>(std::clamp(options.threshold, 0, 255));
    auto level = [&](int x, int y) {
        const float v = levels.levels[static_cast<std::size_t>(y) * w + x];
        return options.invert ? 255.0f - v : v;
    };

    switch (options.method) {
    case LedConversion::Threshold:
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                leds.set(levels.areaX + x, levels.areaY + y, level(x, y) + Slack >= threshold);
        break;
    case LedConversion::Ordered: {
        // The matrix is laid from the target's corner, so the same grey
        // gives the same pattern wherever the picture sits in it.
        const float shift = threshold - 128.0f;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const int tx = levels.areaX + x;
                const int ty = levels.areaY + y;
                const float cell = (static_cast<float>(Bayer[ty & 7][tx & 7]) + 0.5f) * 255.0f / 64.0f;
                leds.set(tx, ty, level(x, y) - shift > cell);
            }
        break;
    }
    case LedConversion::ErrorDiffusion: {
        // Floyd-Steinberg, each row left to right: what a LED gets wrong
        // is passed on to the LEDs right of it and below.
        std::vector<float> current(static_cast<std::size_t>(w) + 2, 0.0f);
        std::vector<float> next(static_cast<std::size_t>(w) + 2, 0.0f);
        for (int y = 0; y < h; ++y) {
            std::fill(next.begin(), next.end(), 0.0f);
            for (int x = 0; x < w; ++x) {
                const float v = level(x, y) + current[static_cast<std::size_t>(x) + 1];
                const bool on = v + Slack >= threshold;
                leds.set(levels.areaX + x, levels.areaY + y, on);
                const float error = v - (on ? 255.0f : 0.0f);
                current[static_cast<std::size_t>(x) + 2] += error * 7.0f / 16.0f;
                next[static_cast<std::size_t>(x)] += error * 3.0f / 16.0f;
                next[static_cast<std::size_t>(x) + 1] += error * 5.0f / 16.0f;
                next[static_cast<std::size_t>(x) + 2] += error * 1.0f / 16.0f;
            }
            std::swap(current, next);
        }
        break;
    }
    }
    return leds;
}

LedBitmap PictureImport::convert(const GreyPicture& picture, int width, int height, const ImportOptions& options)
{
    return toLeds(scale(picture, width, height, options.fit), options);
}

int PictureImport::frameDuration(int delayMs) { return std::clamp(delayMs, 0, FrameHeader::MaxField); }

} // namespace vexel
