#pragma once

#include "editor/Color.h"

#include <QImage>
#include <QRect>

#include <functional>
#include <vector>

namespace vexel {

enum class PenStyle { Solid, Dotted };

// Pixels [begin, end) of one row.
struct Span {
    int begin = 0;
    int end = 0;
};

// The rows of a filled width x height ellipse: a pixel belongs to it when its
// centre lies inside the ellipse inscribed in the box. Rows of a very narrow
// ellipse may be empty. Boxes beyond 32767 pixels a side give no rows.
std::vector<Span> ellipseSpans(int width, int height);

// An off-screen raster of fixed size with a drawing state that persists
// between operations: a fill colour (rectangle fills, ellipse insides, the
// gaps of dotted lines) and a 1-pixel pen. Drawing outside the raster is
// dropped. Every change is added to a dirty rectangle so the control that
// shows the surface repaints only what changed.
class Surface {
public:
    Surface(int width, int height, Color initial = White);

    int width() const { return image_.width(); }
    int height() const { return image_.height(); }
    const QImage& image() const { return image_; }

    Color fillColor() const { return fill_; }
    void setFillColor(Color c) { fill_ = c; }
    Color penColor() const { return pen_; }
    void setPenColor(Color c) { pen_ = c; }
    PenStyle penStyle() const { return style_; }
    void setPenStyle(PenStyle s) { style_ = s; }

    // Fills [left, right) x [top, bottom) with the fill colour.
    void fillRect(int left, int top, int right, int bottom);
    // A horizontal or vertical line from (x0, y0) up to, not including,
    // (x1, y1) in the pen colour. A dotted pen alternates from the start
    // point: pen colour, then a gap in the fill colour, and so on. Lines that
    // are neither horizontal nor vertical are not drawn.
    void line(int x0, int y0, int x1, int y1);
    // A filled ellipse bounded by [left, right) x [top, bottom): inside in the
    // fill colour, 1-pixel outline in the pen colour. The outline is every
    // pixel of the ellipse with a 4-neighbour outside it (see ellipseSpans).
    void ellipse(int left, int top, int right, int bottom);

    // The pixel's colour; pixels outside the raster read as 0xFFFFFFFF.
    Color pixel(int x, int y) const;
    void setPixel(int x, int y, Color c);

    // Copies `source` with its top-left corner at (x, y), clipped. The
    // source's alpha is ignored.
    void blit(const QImage& source, int x, int y);

    // Direct row access for fast paths; mark what was written.
    QRgb* scanLine(int y) { return reinterpret_cast<QRgb*>(image_.scanLine(y)); }
    const QRgb* constScanLine(int y) const { return reinterpret_cast<const QRgb*>(image_.constScanLine(y)); }
    void markDirty(const QRect& r); // clipped to the raster

    // Called once when the dirty rectangle stops being empty.
    void setChangeNotifier(std::function<void()> notify) { notify_ = std::move(notify); }
    QRect takeDirty();

private:
    QImage image_;
    Color fill_ = White;
    Color pen_ = 0;
    PenStyle style_ = PenStyle::Solid;
    QRect dirty_;
    std::function<void()> notify_;
};

} // namespace vexel
