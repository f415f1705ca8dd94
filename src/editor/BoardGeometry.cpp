#include "editor/BoardGeometry.h"

namespace vexel {

QPoint ledAt(int x, int y, int cellSize)
{
    if (cellSize < 1)
        cellSize = 1;
    return QPoint(x / cellSize, y / cellSize); // C++ division truncates toward zero
}

CellBody cellBody(int column, int row, int cellSize, int gridInset)
{
    return CellBody{column * cellSize + gridInset, row * cellSize + gridInset, (column + 1) * cellSize,
                    (row + 1) * cellSize};
}

} // namespace vexel
