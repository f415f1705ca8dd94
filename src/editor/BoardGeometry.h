#pragma once

#include <QPoint>
#include <QRect>

namespace vexel {

// The LED under a pointer position of the zoomed view. The division
// truncates toward zero, so up to one cell left of or above the view is
// still column or row 0.
QPoint ledAt(int x, int y, int cellSize);

// The body of LED (column, row): its cell less the grid inset at the top
// and the left. Returned as left, top, right, bottom (right/bottom exclusive).
struct CellBody {
    int left;
    int top;
    int right;
    int bottom;
};
CellBody cellBody(int column, int row, int cellSize, int gridInset);

// A selection or fill rectangle in LEDs: first column and row, end column and
// row exclusive.
struct LedRect {
    int x0 = 0;
    int y0 = 0;
    int x1 = 0;
    int y1 = 0;
    bool isZero() const { return x0 == 0 && y0 == 0 && x1 == 0 && y1 == 0; }
    int width() const { return x1 - x0; }
    int height() const { return y1 - y0; }
};

} // namespace vexel
