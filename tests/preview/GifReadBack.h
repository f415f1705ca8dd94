#pragma once

// GIFs read back with giflib's own decoder, and the picture a viewer shows
// after each frame.
#include <QByteArray>
#include <QRect>
#include <QRgb>

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace sim_testing {

struct GifFrame {
    QRect area;
    int delay = 0; // hundredths of a second
    int disposal = 0;
    std::vector<std::uint8_t> pixels; // area only
};

struct ReadGif {
    bool ok = false;
    std::string error;
    int width = 0;
    int height = 0;
    std::vector<QRgb> palette;
    bool loops = false;
    std::vector<GifFrame> frames;

    int totalDelay() const
    {
        int sum = 0;
        for (const GifFrame& f : frames)
            sum += f.delay;
        return sum;
    }
    // The whole picture after each frame, every frame drawn over the last.
    std::vector<std::vector<std::uint8_t>> pictures() const
    {
        std::vector<std::vector<std::uint8_t>> out;
        std::vector<std::uint8_t> canvas(static_cast<std::size_t>(width * height), 0);
        for (const GifFrame& f : frames) {
            for (int y = 0; y < f.area.height(); ++y)
                std::memcpy(canvas.data() + (f.area.y() + y) * width + f.area.x(),
                            f.pixels.data() + y * f.area.width(), static_cast<std::size_t>(f.area.width()));
            out.push_back(canvas);
        }
        return out;
    }
};

inline ReadGif readGif(const QByteArray& bytes)
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
    ReadGif result;
    int error = 0;
    GifFileType* gif = DGifOpen(&source, input, &error);
    if (!gif) {
        result.error = GifErrorString(error);
        return result;
    }
    if (DGifSlurp(gif) != GIF_OK) {
        result.error = GifErrorString(gif->Error);
        DGifCloseFile(gif, nullptr);
        return result;
    }
    result.width = gif->SWidth;
    result.height = gif->SHeight;
    if (gif->SColorMap)
        for (int i = 0; i < gif->SColorMap->ColorCount; ++i) {
            const GifColorType& c = gif->SColorMap->Colors[i];
            result.palette.push_back(qRgb(c.Red, c.Green, c.Blue));
        }
    for (int i = 0; i < gif->ImageCount; ++i) {
        const SavedImage& image = gif->SavedImages[i];
        for (int e = 0; e < image.ExtensionBlockCount; ++e) {
            const ExtensionBlock& block = image.ExtensionBlocks[e];
            if (block.Function == APPLICATION_EXT_FUNC_CODE && block.ByteCount == 11 &&
                std::memcmp(block.Bytes, "NETSCAPE2.0", 11) == 0)
                result.loops = true;
        }
        GraphicsControlBlock control{};
        DGifSavedExtensionToGCB(gif, i, &control);
        GifFrame frame;
        frame.area = QRect(image.ImageDesc.Left, image.ImageDesc.Top, image.ImageDesc.Width, image.ImageDesc.Height);
        frame.delay = control.DelayTime;
        frame.disposal = control.DisposalMode;
        frame.pixels.assign(image.RasterBits, image.RasterBits + image.ImageDesc.Width * image.ImageDesc.Height);
        result.frames.push_back(std::move(frame));
    }
    DGifCloseFile(gif, nullptr);
    result.ok = true;
    return result;
}

} // namespace sim_testing
