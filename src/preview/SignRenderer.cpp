#include "preview/SignRenderer.h"

#include <algorithm>
#include <cstring>

namespace vexel {

namespace {

// Antialiasing in quarters keeps the palette small: every pixel is a face,
// a body, or one of three mixes of the two.
constexpr int Levels = 4;
// Glow: the LED itself counts 4, each side neighbour 2, each corner 1.
constexpr int GlowKinds = 17;
constexpr double GlowStrength = 0.8;

QRgb mix(QRgb a, QRgb b, double t)
{
    auto channel = [t](int x, int y) { return static_cast<int>(x + (y - x) * t + 0.5); };
    return qRgb(channel(qRed(a), qRed(b)), channel(qGreen(a), qGreen(b)), channel(qBlue(a), qBlue(b)));
}

} // namespace

SignRenderer::SignRenderer(const SignStyle& style) { setStyle(style); }

void SignRenderer::setStyle(const SignStyle& style)
{
    style_ = style;
    style_.zoom = std::clamp(style_.zoom, 1, SignStyle::MaxZoom);
    build();
}

void SignRenderer::build()
{
    palette_.clear();
    cellIndices_.clear();
    if (style_.look == SignStyle::Look::Pixels) {
        cell_ = 1;
        kinds_ = 1;
        palette_ = {qRgb(0, 0, 0), style_.lit};
        cellIndices_ = {0, 1};
    } else {
        cell_ = style_.zoom;
        kinds_ = style_.glow ? GlowKinds : 1;
        // Palette: the face tints, then the two bodies, then the mixes.
        auto faceColor = [this](int k) { return mix(style_.face, style_.lit, GlowStrength * k / (GlowKinds - 1)); };
        const QRgb bodies[2] = {style_.unlit, style_.lit};
        for (int k = 0; k < kinds_; ++k)
            palette_.push_back(faceColor(k));
        palette_.push_back(bodies[0]);
        palette_.push_back(bodies[1]);
        for (int k = 0; k < kinds_; ++k)
            for (int b = 0; b < 2; ++b)
                for (int l = 1; l < Levels; ++l)
                    palette_.push_back(mix(faceColor(k), bodies[b], double(l) / Levels));
        auto index = [this](int k, int b, int l) {
            if (l == 0)
                return k;
            if (l == Levels)
                return kinds_ + b;
            return kinds_ + 2 + (k * 2 + b) * (Levels - 1) + (l - 1);
        };

        // Coverage of each pixel by the LED's disc, from 4 x 4 samples.
        // Cells of one or two pixels are all body, or nothing would show.
        const int n = cell_;
        std::vector<int> level(static_cast<std::size_t>(n * n), Levels);
        if (n > 2) {
            const double centre = n / 2.0;
            const double radius = 0.42 * n;
            for (int py = 0; py < n; ++py)
                for (int px = 0; px < n; ++px) {
                    int inside = 0;
                    for (int sy = 0; sy < 4; ++sy)
                        for (int sx = 0; sx < 4; ++sx) {
                            const double dx = px + (sx + 0.5) / 4 - centre;
                            const double dy = py + (sy + 0.5) / 4 - centre;
                            inside += dx * dx + dy * dy <= radius * radius ? 1 : 0;
                        }
                    level[static_cast<std::size_t>(py * n + px)] = (inside * Levels + 8) / 16;
                }
        }
        // Cell number: lit * kinds + glow level.
        for (int b = 0; b < 2; ++b)
            for (int k = 0; k < kinds_; ++k)
                for (int l : level)
                    cellIndices_.push_back(static_cast<std::uint8_t>(index(k, b, l)));
    }
    cellColors_.resize(cellIndices_.size());
    for (std::size_t i = 0; i < cellIndices_.size(); ++i)
        cellColors_[i] = palette_[cellIndices_[i]];
}

QSize SignRenderer::imageSize(int boardWidth, int boardHeight) const
{
    return QSize(std::max(boardWidth, 0) * cell_, std::max(boardHeight, 0) * cell_);
}

template <class Pixel>
void SignRenderer::paint(const LedBitmap& leds, const QRect& requested, Pixel* picture, int stride,
                         const std::vector<Pixel>& cells) const
{
    const QRect area = requested & QRect(0, 0, leds.width(), leds.height());
    if (area.isEmpty())
        return;
    const int n = cell_;
    const std::size_t cellPixels = static_cast<std::size_t>(n) * static_cast<std::size_t>(n);
    const bool glow = kinds_ > 1;
    std::vector<int> cellOf(static_cast<std::size_t>(area.width()));
    // Rows with a dark LED either side, so neighbours need no bounds checks.
    const int padded = leds.width() + 2;
    std::vector<std::uint8_t> above(static_cast<std::size_t>(padded)), here(above), below(above);
    auto load = [&](std::vector<std::uint8_t>& row, int y) {
        if (y < 0 || y >= leds.height())
            std::fill(row.begin(), row.end(), 0);
        else
            std::memcpy(row.data() + 1, leds.row(y), static_cast<std::size_t>(leds.width()));
    };
    if (glow) {
        load(above, area.top() - 1);
        load(here, area.top());
        load(below, area.top() + 1);
    }

    for (int y = area.top(); y <= area.bottom(); ++y) {
        const std::uint8_t* row = leds.row(y);
        for (int x = area.left(); x <= area.right(); ++x) {
            int kind = row[x];
            if (glow) {
                const int i = x + 1;
                const int sides = above[i] + below[i] + here[i - 1] + here[i + 1];
                const int corners = above[i - 1] + above[i + 1] + below[i - 1] + below[i + 1];
                kind = kind * kinds_ + 4 * here[i] + 2 * sides + corners;
            }
            cellOf[static_cast<std::size_t>(x - area.left())] = kind;
        }
        for (int r = 0; r < n; ++r) {
            Pixel* line = picture + static_cast<std::ptrdiff_t>(y * n + r) * stride + area.left() * n;
            for (int c : cellOf) {
                std::memcpy(line, cells.data() + static_cast<std::size_t>(c) * cellPixels + static_cast<std::size_t>(r * n),
                            static_cast<std::size_t>(n) * sizeof(Pixel));
                line += n;
            }
        }
        if (glow) {
            std::swap(above, here);
            std::swap(here, below);
            load(below, y + 2);
        }
    }
}

void SignRenderer::render(const LedBitmap& leds, QImage& out) const
{
    const QSize size = imageSize(leds.width(), leds.height());
    if (out.size() != size || out.format() != QImage::Format_RGB32)
        out = QImage(size, QImage::Format_RGB32);
    if (out.isNull())
        return;
    paint(leds, QRect(0, 0, leds.width(), leds.height()), reinterpret_cast<QRgb*>(out.bits()),
          static_cast<int>(out.bytesPerLine() / 4), cellColors_);
}

QImage SignRenderer::render(const LedBitmap& leds) const
{
    QImage out;
    render(leds, out);
    return out;
}

void SignRenderer::renderIndexed(const LedBitmap& leds, const QRect& area, std::uint8_t* picture, int stride) const
{
    paint(leds, area, picture, stride, cellIndices_);
}

QRect SignRenderer::affected(const QRect& changed, int boardWidth, int boardHeight) const
{
    if (changed.isEmpty())
        return QRect();
    const int reach = kinds_ > 1 ? 1 : 0;
    return changed.adjusted(-reach, -reach, reach, reach) & QRect(0, 0, boardWidth, boardHeight);
}

QRect SignRenderer::difference(const LedBitmap& a, const LedBitmap& b)
{
    if (a.width() != b.width() || a.height() != b.height())
        return QRect(0, 0, std::max(a.width(), b.width()), std::max(a.height(), b.height()));
    const std::size_t width = static_cast<std::size_t>(a.width());
    int top = -1, bottom = -1, left = a.width(), right = -1;
    for (int y = 0; y < a.height(); ++y) {
        const std::uint8_t* p = a.row(y);
        const std::uint8_t* q = b.row(y);
        if (std::memcmp(p, q, width) == 0)
            continue;
        if (top < 0)
            top = y;
        bottom = y;
        int x = 0;
        while (p[x] == q[x])
            ++x;
        left = std::min(left, x);
        x = a.width() - 1;
        while (p[x] == q[x])
            --x;
        right = std::max(right, x);
    }
    if (top < 0)
        return QRect();
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

} // namespace vexel
