#include "editor/LedGrid.h"

#include <algorithm>

namespace vexel {

namespace {

// A closed dotted outline through the four corners; each side starts its
// dots at its own corner.
void dottedOutline(Surface& view, int x0, int y0, int x1, int y1, Color gaps)
{
    const Color savedFill = view.fillColor();
    view.setFillColor(gaps);
    view.setPenStyle(PenStyle::Dotted);
    view.line(x0, y0, x1, y0);
    view.line(x1, y0, x1, y1);
    view.line(x1, y1, x0, y1);
    view.line(x0, y1, x0, y0);
    view.setPenStyle(PenStyle::Solid);
    view.setFillColor(savedFill);
}

// Grid lines: one in the grid colour along every cell edge, horizontal ones
// across w*s + s pixels and vertical ones down h*s + s, then the heavy lines
// every eight LEDs, starting one pixel in so the view's top-left pixel keeps
// the plain colour. A pixel under any heavy line ends up heavy, otherwise
// plain when under any line, so the picture is drawn row by row in one pass
// instead of walking the vertical lines down the raster.
void gridLines(Surface& view, const GridStyle& style)
{
    const int s = style.cellSize;
    const int w = style.boardWidth;
    const int h = style.boardHeight;
    if (s <= 0 || w <= 0 || h <= 0)
        return;
    const QRgb plain = toQRgb(style.gridColor);
    const QRgb heavy = toQRgb(LedGrid::heavyLineColor(style.gridColor));
    const int right = std::min(w * s + s, view.width());   // end of the horizontal lines
    const int bottom = std::min(h * s + s, view.height()); // end of the vertical lines
    const int columns = std::min(w, (view.width() + s - 1) / s); // vertical lines on the raster
    for (int y = 0; y < bottom; ++y) {
        QRgb* row = view.scanLine(y);
        const bool across = y % s == 0 && y / s < h;
        if (across)
            std::fill(row, row + right, plain);
        for (int c = 0; c < columns; ++c)
            row[c * s] = plain;
        if (across && (y / s) % 8 == 0 && right > 1)
            std::fill(row + 1, row + right, heavy);
        if (y >= 1)
            for (int c = 0; c < columns; c += 8)
                row[c * s] = heavy;
    }
    view.markDirty(QRect(0, 0, right, bottom)); // the vertical lines all lie left of `right`
}

// Columns or rows [from, to) of LEDs clipped to those whose cells can reach
// a raster of `pixels` pixels (or `plain` pixels for the one-pixel board).
void clipLeds(int& from, int& to, int cellSize, int pixels, int plain)
{
    const int reach = std::max(cellSize > 0 ? (pixels + cellSize - 1) / cellSize : 0, plain);
    from = std::max(from, 0);
    to = std::min(to, reach);
}

} // namespace

void LedGrid::drawLed(Surface& view, int left, int top, int right, int bottom, const GridStyle& style)
{
    const Color savedPen = view.penColor();
    view.setPenColor(style.backColor);
    if (style.roundedLeds)
        view.ellipse(left, top, right, bottom);
    else
        view.fillRect(left, top, right, bottom);
    view.setPenColor(savedPen);
}

Color LedGrid::heavyLineColor(Color grid)
{
    Color out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const Color channel = std::min<Color>(((grid >> shift) & 0xFF) + 0x20, 0xFF);
        out |= channel << shift;
    }
    return out;
}

void LedGrid::drawGrid(Surface& view, const GridStyle& style, const LedRect& selection, bool selectionShown,
                       const FrameRect& frame)
{
    view.setPenColor(style.gridColor);
    if (style.drawGrid) {
        gridLines(view, style);
    }
    selectionBorder(view, style, selection, selectionShown);
    frameBorder(view, style, frame);
}

void LedGrid::selectionBorder(Surface& view, const GridStyle& style, const LedRect& selection, bool shown)
{
    if (!shown)
        return;
    const int s = style.cellSize;
    dottedOutline(view, selection.x0 * s, selection.y0 * s, selection.x1 * s, selection.y1 * s, White);
}

void LedGrid::frameBorder(Surface& view, const GridStyle& style, const FrameRect& frame)
{
    if (!style.frameBounds)
        return;
    const int s = style.cellSize;
    dottedOutline(view, frame.x * s, frame.y * s, frame.right() * s, frame.bottom() * s, SkyBlue);
}

const LedGrid::Cell& LedGrid::cell(int width, int height, Color fill, Color outline, bool rounded)
{
    const auto key = std::make_tuple(width, height, fill, outline, rounded);
    auto found = cells_.find(key);
    if (found != cells_.end())
        return found->second;

    // Rendered by the same rasteriser drawLed uses, so a copy cannot differ.
    Surface scratch(width, height, 0);
    scratch.setFillColor(fill);
    scratch.setPenColor(outline);
    Cell made;
    if (rounded) {
        scratch.ellipse(0, 0, width, height);
        made.rows = ellipseSpans(width, height);
    } else {
        scratch.fillRect(0, 0, width, height);
        made.rows.assign(static_cast<std::size_t>(height), Span{0, width});
    }
    made.pixels = scratch.image();
    return cells_.emplace(key, std::move(made)).first->second;
}

void LedGrid::dropCacheIfLarge()
{
    // Sizes and colours change rarely; this only bounds a long session.
    if (cells_.size() > 64)
        cells_.clear();
}

void LedGrid::paintWindow(Surface& view, Surface& board, const PixelArray& bits, const FrameRect& window,
                          const GridStyle& style)
{
    dropCacheIfLarge();
    const int s = std::max(style.cellSize, 1);
    const int g = style.gridInset;
    const int body = s - g;

    int c0 = window.x;
    int c1 = window.right();
    int r0 = window.y;
    int r1 = window.bottom();
    clipLeds(c0, c1, s, view.width(), board.width());
    clipLeds(r0, r1, s, view.height(), board.height());
    if (c0 >= c1 || r0 >= r1)
        return;

    const QRgb litRgb = toQRgb(style.ledColor);
    const QRgb unlitRgb = toQRgb(style.backColor);
    const Cell* litCell = nullptr;
    const Cell* unlitCell = nullptr;
    if (body > 0) {
        litCell = &cell(body, body, style.ledColor, style.backColor, style.roundedLeds);
        unlitCell = &cell(body, body, style.backColor, style.backColor, style.roundedLeds);
    }

    std::vector<unsigned char> lit(static_cast<std::size_t>(c1 - c0));
    const int boardEnd = std::min(c1, board.width());
    for (int r = r0; r < r1; ++r) {
        for (int c = c0; c < c1; ++c)
            lit[static_cast<std::size_t>(c - c0)] = bits.lit(c, r) ? 1 : 0;

        if (r < board.height()) {
            QRgb* boardRow = board.scanLine(r);
            for (int c = c0; c < boardEnd; ++c)
                boardRow[c] = lit[static_cast<std::size_t>(c - c0)] ? litRgb : unlitRgb;
        }
        if (body <= 0)
            continue;
        for (int k = 0; k < body; ++k) {
            const int y = r * s + g + k;
            if (y < 0 || y >= view.height())
                continue;
            const CellRow rows[2] = {CellRow(*unlitCell, k), CellRow(*litCell, k)};
            QRgb* line = view.scanLine(y);
            const int viewWidth = view.width();
            for (int c = c0; c < c1; ++c)
                rows[lit[static_cast<std::size_t>(c - c0)]].copyTo(line, viewWidth, c * s + g);
        }
    }
    view.markDirty(QRect(c0 * s, r0 * s, (c1 - c0) * s, (r1 - r0) * s));
    board.markDirty(QRect(c0, r0, c1 - c0, r1 - r0));
}

void LedGrid::paintBoard(Surface& view, const Surface& board, const GridStyle& style)
{
    dropCacheIfLarge();
    const int s = std::max(style.cellSize, 1);
    const int g = style.gridInset;
    const int body = s - g;
    if (body <= 0)
        return;
    int c0 = 0;
    int c1 = std::min(style.boardWidth, board.width());
    int r0 = 0;
    int r1 = std::min(style.boardHeight, board.height());
    clipLeds(c0, c1, s, view.width(), 0);
    clipLeds(r0, r1, s, view.height(), 0);
    if (c0 >= c1 || r0 >= r1)
        return;

    // A board holds very few colours; look the last ones up without the map.
    std::vector<std::pair<QRgb, const Cell*>> known;
    auto cellFor = [&](QRgb rgb) -> const Cell& {
        for (const auto& k : known)
            if (k.first == rgb)
                return *k.second;
        const Cell& made = cell(body, body, fromQRgb(rgb), style.backColor, style.roundedLeds);
        known.emplace_back(rgb, &made);
        return made;
    };

    for (int r = r0; r < r1; ++r) {
        const QRgb* colours = board.constScanLine(r);
        for (int k = 0; k < body; ++k) {
            const int y = r * s + g + k;
            if (y >= view.height())
                break;
            QRgb* line = view.scanLine(y);
            const int viewWidth = view.width();
            for (int c = c0; c < c1; ++c)
                CellRow(cellFor(colours[c] | 0xFF000000u), k).copyTo(line, viewWidth, c * s + g);
        }
    }
    view.markDirty(QRect(c0 * s, r0 * s, (c1 - c0) * s, (r1 - r0) * s));
}

} // namespace vexel
