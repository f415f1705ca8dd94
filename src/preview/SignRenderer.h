#pragma once

#include "document/LedBitmap.h"

#include <QImage>
#include <QRect>
#include <QRgb>
#include <QSize>
#include <QVector>

#include <cstdint>
#include <vector>

namespace vexel {

// How a board is drawn: round LEDs on a dark face, `zoom` pixels a side, with
// an optional glow that tints the face around lit LEDs; or one pixel per LED.
struct SignStyle {
    enum class Look { Leds, Pixels };
    static constexpr int MaxZoom = 32;

    Look look = Look::Leds;
    int zoom = 4;
    bool glow = false;
    QRgb lit = qRgb(255, 168, 0);
    QRgb unlit = qRgb(44, 30, 14);
    QRgb face = qRgb(12, 12, 12);

    // The look in another LED colour; unlit LEDs are a dim shade of it.
    void setLedColour(QRgb colour)
    {
        lit = colour;
        unlit = qRgb(8 + qRed(colour) * 36 / 255, 8 + qGreen(colour) * 36 / 255, 8 + qBlue(colour) * 36 / 255);
    }

    bool operator==(const SignStyle& o) const
    {
        return look == o.look && zoom == o.zoom && glow == o.glow && lit == o.lit && unlit == o.unlit && face == o.face;
    }
    bool operator!=(const SignStyle& o) const { return !(*this == o); }
};

// Draws board states. Every LED is a copy of one of a few pre-rendered cells
// chosen by its own state and, with glow, its neighbours'; all cells use one
// palette of at most 256 colours, so the same drawing serves the screen (RGB)
// and GIF frames (palette indices).
class SignRenderer {
public:
    explicit SignRenderer(const SignStyle& style = {});

    const SignStyle& style() const { return style_; }
    void setStyle(const SignStyle& style);

    // Pixels a side of one LED.
    int cellSize() const { return cell_; }
    QSize imageSize(int boardWidth, int boardHeight) const;
    const QVector<QRgb>& palette() const { return palette_; }

    // The whole board. `out` is reused when its size and format fit.
    void render(const LedBitmap& leds, QImage& out) const;
    QImage render(const LedBitmap& leds) const;

    // The LEDs of `area` (clipped to the board) as palette indices, into a
    // picture of the whole board with `stride` bytes a row.
    void renderIndexed(const LedBitmap& leds, const QRect& area, std::uint8_t* picture, int stride) const;

    // The LEDs that can look different when the LEDs of `changed` do: with
    // glow the neighbours too. Clipped to a board of the given size.
    QRect affected(const QRect& changed, int boardWidth, int boardHeight) const;

    // The smallest rectangle holding every LED that differs; empty when the
    // two are equal. Boards of different sizes differ everywhere.
    static QRect difference(const LedBitmap& a, const LedBitmap& b);

private:
    template <class Pixel>
    void paint(const LedBitmap& leds, const QRect& area, Pixel* picture, int stride,
               const std::vector<Pixel>& cells) const;
    void build();

    SignStyle style_;
    int cell_ = 1;
    int kinds_ = 1; // glow levels
    QVector<QRgb> palette_;
    std::vector<std::uint8_t> cellIndices_; // per cell, cell_ x cell_ palette indices
    std::vector<QRgb> cellColors_;
};

} // namespace vexel
