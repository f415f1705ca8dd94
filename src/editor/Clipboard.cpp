#include "editor/Clipboard.h"

#include <algorithm>

namespace vexel {

bool Clipboard::copy(const Surface& board, const LedRect& selection, int boardWidth, int boardHeight)
{
    picture_.setFillColor(White);
    picture_.fillRect(0, 0, boardWidth, boardHeight);
    if (selection.isZero())
        return false;
    const int x0 = std::clamp(selection.x0, 0, boardWidth);
    const int x1 = std::clamp(selection.x1, 0, boardWidth);
    const int y0 = std::clamp(selection.y0, 0, boardHeight);
    const int y1 = std::clamp(selection.y1, 0, boardHeight);
    for (int x = x0; x < x1; ++x)
        for (int y = y0; y < y1; ++y)
            picture_.setPixel(x, y, board.pixel(x, y));
    filled_ = true;
    return true;
}

} // namespace vexel
