#pragma once

#include "document/FrameHeader.h"
#include "document/PixelArray.h"
#include "editor/BoardGeometry.h"
#include "editor/Color.h"
#include "editor/Surface.h"

#include <QImage>

#include <algorithm>

#include <map>
#include <tuple>
#include <vector>

namespace vexel {

// What the drawing of the zoomed view depends on.
struct GridStyle {
    int cellSize = 10;
    int gridInset = 0; // 1 while the grid is drawn
    bool drawGrid = false;
    bool roundedLeds = true;
    bool frameBounds = false;
    Color ledColor = 0x0000FF;
    Color backColor = 0x000000;
    Color gridColor = 0x808080;
    int boardWidth = 96;
    int boardHeight = 24;
};

// Drawing of the LED grid on the zoomed view: LED bodies, grid lines, the
// dotted selection and frame borders. Holds pre-rendered cells so a full
// repaint copies rows instead of rasterising one ellipse per LED; the copies
// are pixel for pixel what drawLed paints, including the corners a round LED
// leaves untouched.
class LedGrid {
public:
    // One LED body in the view's current fill colour: a filled ellipse with
    // its outline in the background colour, or a plain square. The view's pen
    // colour is put back afterwards; the fill colour is left as it was.
    void drawLed(Surface& view, int left, int top, int right, int bottom, const GridStyle& style);

    // Pen := grid colour; grid lines with the brighter line every eight LEDs
    // (when the grid is on); then the selection and frame borders, whose dots
    // are in that pen colour.
    void drawGrid(Surface& view, const GridStyle& style, const LedRect& selection, bool selectionShown,
                  const FrameRect& frame);
    // Dotted outlines along the cell edges; gaps white for the selection,
    // sky blue for the frame window (only while frame bounds are on).
    void selectionBorder(Surface& view, const GridStyle& style, const LedRect& selection, bool shown);
    void frameBorder(Surface& view, const GridStyle& style, const FrameRect& frame);

    // Grid colour + 0x202020, each channel saturating at 0xFF.
    static Color heavyLineColor(Color grid);

    // Every LED of the window, row by row: its body on the view and its pixel
    // on the board image, lit or unlit by its bit. Fill colours are untouched.
    void paintWindow(Surface& view, Surface& board, const PixelArray& bits, const FrameRect& window,
                     const GridStyle& style);

    // Every LED of the board drawn on the view in the colour its board-image
    // pixel holds, for repainting the whole view at a new zoom.
    void paintBoard(Surface& view, const Surface& board, const GridStyle& style);

private:
    struct Cell {
        QImage pixels;
        std::vector<Span> rows; // what drawLed writes in each row
    };
    // One row of a cell, looked up once for a whole row of LEDs.
    struct CellRow {
        CellRow(const Cell& cell, int row)
            : source(reinterpret_cast<const QRgb*>(cell.pixels.constScanLine(row))),
              begin(cell.rows[static_cast<std::size_t>(row)].begin), end(cell.rows[static_cast<std::size_t>(row)].end)
        {
        }
        // The row's span to the cell at `left` of a view row, clipped to the
        // view; a cell wholly on the view is copied without the clipping.
        void copyTo(QRgb* line, int viewWidth, int left) const
        {
            const bool inside = left >= 0 && left + end <= viewWidth;
            const int from = inside ? begin : std::max(begin, -left);
            const int to = inside ? end : std::min(end, viewWidth - left);
            for (int i = from; i < to; ++i)
                line[left + i] = source[i];
        }
        const QRgb* source;
        int begin;
        int end;
    };
    const Cell& cell(int width, int height, Color fill, Color outline, bool rounded);
    void dropCacheIfLarge();

    std::map<std::tuple<int, int, Color, Color, bool>, Cell> cells_;
};

} // namespace vexel
