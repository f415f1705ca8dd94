#pragma once

#include "document/ImageRecord.h"
#include "document/LedBitmap.h"
#include "document/Result.h"

#include <QImage>
#include <QString>

#include <cstdint>
#include <vector>

namespace vexel {

// A picture as grey levels, 0 black .. 255 white, transparent parts
// darkened as over the board's dark face. One byte a pixel, so the frames of
// an animation are cheap to keep while the operator tries settings.
struct GreyPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> levels; // width x height, row by row

    static GreyPicture fromImage(const QImage& image);
    std::uint8_t at(int x, int y) const { return levels[static_cast<std::size_t>(y) * width + x]; }
};

// The pictures of a file: one, or every frame of an animation (composed as
// a viewer shows them) with its delay.
struct Picture {
    QString path;
    std::vector<GreyPicture> frames;
    std::vector<int> delaysMs; // one a frame; 0 for a still picture
    int framesInFile = 0;      // how many the file holds; more than frames.size() when cut short
    bool animated() const { return framesInFile > 1; }
};

enum class PictureFit { KeepAspect, Stretch };
enum class LedConversion { Threshold, Ordered, ErrorDiffusion };

struct ImportOptions {
    static constexpr int DefaultThreshold = 128;

    PictureFit fit = PictureFit::KeepAspect;
    LedConversion method = LedConversion::Threshold;
    // Lit from this grey level up. The dithers take it as a brightness
    // shift, so 128 dithers the picture as it is.
    int threshold = DefaultThreshold;
    bool invert = false; // dark parts lit, for dark drawings on white
};

// Grey levels of a picture scaled into a target, as fractions 0..255 for the
// cells the picture covers; `area` is where it lies in the target (all of
// it when stretched, centred when the aspect is kept).
struct ScaledLevels {
    int width = 0; // the target
    int height = 0;
    int areaX = 0;
    int areaY = 0;
    int areaW = 0;
    int areaH = 0;
    std::vector<float> levels; // areaW x areaH
};

// Pictures turned into LEDs: read with Qt's readers (PNG, BMP, GIF, JPEG and
// whatever plugins are installed), scaled into the target by averaging the
// pixels under each LED, then lit by a threshold or a dither. The parts of
// the target the picture does not cover stay unlit.
class PictureImport {
public:
    // What a picture file may hold before it is refused.
    static constexpr qint64 MaxFileBytes = 64 * 1024 * 1024;
    static constexpr qint64 MaxGreyBytes = 256 * 1024 * 1024; // all frames together

    // The picture, or every frame of an animation up to `maxFrames`. A file
    // that cannot be read whole is refused: "Cannot read picture "x.png":
    // <reason>".
    static Expected<Picture> read(const QString& path, int maxFrames = ImageRecord::MaxFrames);

    static ScaledLevels scale(const GreyPicture& picture, int width, int height, PictureFit fit);
    static LedBitmap toLeds(const ScaledLevels& levels, const ImportOptions& options);

    // scale() then toLeds().
    static LedBitmap convert(const GreyPicture& picture, int width, int height, const ImportOptions& options);

    // The file's duration for a delay, within what a frame header holds.
    static int frameDuration(int delayMs);
};

} // namespace vexel
