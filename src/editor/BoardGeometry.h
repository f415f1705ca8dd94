#pragma once

#include "document/LedRect.h"

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

} // namespace vexel
