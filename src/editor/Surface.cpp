#include "editor/Surface.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace vexel {

std::vector<Span> ellipseSpans(int width, int height)
{
    std::vector<Span> rows;
    // Keeps width² · height² within 64 bits.
    if (width <= 0 || height <= 0 || width > 32767 || height > 32767)
        return rows;
    rows.resize(static_cast<std::size_t>(height));
    // In doubled coordinates the centre of pixel (x, y) is (2x + 1, 2y + 1)
    // and the ellipse's centre (width, height): pixel inside when
    // dx² · h² + dy² · w² <= w² · h².
    const std::int64_t w = width;
    const std::int64_t h = height;
    for (int y = 0; y < height; ++y) {
        const std::int64_t dy = 2 * y + 1 - h;
        const std::int64_t room = w * w * (h * h - dy * dy);
        int x = 0;
        const int middle = (width - 1) / 2;
        while (x <= middle) {
            const std::int64_t dx = 2 * x + 1 - w;
            if (dx * dx * h * h <= room)
                break;
            ++x;
        }
        // The row is symmetric about the centre; x past the middle means empty.
        rows[static_cast<std::size_t>(y)] = x <= middle ? Span{x, width - x} : Span{0, 0};
    }
    return rows;
}

Surface::Surface(int width, int height, Color initial) : image_(width, height, QImage::Format_RGB32)
{
    image_.fill(toQRgb(initial));
}

void Surface::fillRect(int left, int top, int right, int bottom)
{
    const QRect r = QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)) & image_.rect();
    if (right <= left || bottom <= top || r.isEmpty())
        return;
    const QRgb colour = toQRgb(fill_);
    for (int y = r.top(); y <= r.bottom(); ++y)
        std::fill_n(scanLine(y) + r.left(), r.width(), colour);
    markDirty(r);
}

void Surface::line(int x0, int y0, int x1, int y1)
{
    if (x0 != x1 && y0 != y1)
        return;
    const bool horizontal = y0 == y1;
    const int length = horizontal ? std::abs(x1 - x0) : std::abs(y1 - y0);
    if (length == 0)
        return;
    const int step = horizontal ? (x1 > x0 ? 1 : -1) : (y1 > y0 ? 1 : -1);
    // Pixel i of the line (0 at the start) is at start + i·step; find the
    // i that lie on the raster instead of walking the whole line.
    const int fixed = horizontal ? y0 : x0;
    const int start = horizontal ? x0 : y0;
    const int limit = horizontal ? width() : height();
    if (fixed < 0 || fixed >= (horizontal ? height() : width()))
        return;
    int first = 0;
    int last = length - 1;
    if (step > 0) {
        first = std::max(first, -start);
        last = std::min(last, limit - 1 - start);
    } else {
        first = std::max(first, start - (limit - 1));
        last = std::min(last, start);
    }
    if (first > last)
        return;

    const QRgb pen = toQRgb(pen_);
    const QRgb gap = toQRgb(fill_);
    const bool dotted = style_ == PenStyle::Dotted;
    if (horizontal) {
        QRgb* row = scanLine(fixed);
        for (int i = first; i <= last; ++i)
            row[start + i * step] = (dotted && (i & 1)) ? gap : pen;
    } else {
        const int stride = static_cast<int>(image_.bytesPerLine() / static_cast<int>(sizeof(QRgb)));
        QRgb* base = reinterpret_cast<QRgb*>(image_.bits());
        for (int i = first; i <= last; ++i)
            base[(start + i * step) * stride + fixed] = (dotted && (i & 1)) ? gap : pen;
    }
    const int a = start + first * step;
    const int b = start + last * step;
    markDirty(horizontal ? QRect(QPoint(std::min(a, b), fixed), QPoint(std::max(a, b), fixed))
                         : QRect(QPoint(fixed, std::min(a, b)), QPoint(fixed, std::max(a, b))));
}

void Surface::ellipse(int left, int top, int right, int bottom)
{
    const int w = right - left;
    const int h = bottom - top;
    const std::vector<Span> rows = ellipseSpans(w, h);
    if (rows.empty())
        return;
    const QRect box = QRect(left, top, w, h) & image_.rect();
    if (box.isEmpty())
        return;
    const QRgb inside = toQRgb(fill_);
    const QRgb outline = toQRgb(pen_);
    for (int y = box.top() - top; y <= box.bottom() - top; ++y) {
        const Span& s = rows[static_cast<std::size_t>(y)];
        if (s.begin >= s.end)
            continue;
        // Inside pixels have all four neighbours in the ellipse; rows are
        // single spans, so that is one range per row.
        int innerBegin = s.end;
        int innerEnd = s.end;
        if (y > 0 && y < h - 1) {
            const Span& above = rows[static_cast<std::size_t>(y - 1)];
            const Span& below = rows[static_cast<std::size_t>(y + 1)];
            innerBegin = std::max({s.begin + 1, above.begin, below.begin});
            innerEnd = std::min({s.end - 1, above.end, below.end});
            if (innerBegin >= innerEnd)
                innerBegin = innerEnd = s.end;
        }
        QRgb* row = scanLine(top + y) + left;
        const int from = std::max(s.begin, box.left() - left);
        const int to = std::min(s.end, box.right() + 1 - left);
        for (int x = from; x < to; ++x)
            row[x] = (x >= innerBegin && x < innerEnd) ? inside : outline;
    }
    markDirty(box);
}

Color Surface::pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width() || y >= height())
        return 0xFFFFFFFF;
    return fromQRgb(constScanLine(y)[x]);
}

void Surface::setPixel(int x, int y, Color c)
{
    if (x < 0 || y < 0 || x >= width() || y >= height())
        return;
    scanLine(y)[x] = toQRgb(c);
    markDirty(QRect(x, y, 1, 1));
}

void Surface::blit(const QImage& source, int x, int y)
{
    const QRect target = QRect(x, y, source.width(), source.height()) & image_.rect();
    if (target.isEmpty())
        return;
    const QImage src = source.format() == QImage::Format_RGB32 || source.format() == QImage::Format_ARGB32
                           ? source
                           : source.convertToFormat(QImage::Format_RGB32);
    for (int row = target.top(); row <= target.bottom(); ++row) {
        const QRgb* from = reinterpret_cast<const QRgb*>(src.constScanLine(row - y)) + (target.left() - x);
        QRgb* to = scanLine(row) + target.left();
        for (int i = 0; i < target.width(); ++i)
            to[i] = from[i] | 0xFF000000u;
    }
    markDirty(target);
}

void Surface::markDirty(const QRect& r)
{
    const QRect clipped = r & image_.rect();
    if (clipped.isEmpty())
        return;
    const bool wasEmpty = dirty_.isEmpty();
    dirty_ |= clipped;
    if (wasEmpty && notify_)
        notify_();
}

QRect Surface::takeDirty()
{
    const QRect r = dirty_;
    dirty_ = QRect();
    return r;
}

} // namespace vexel
