#include "editor/Selection.h"

#include <algorithm>

namespace vexel {

void Selection::start(int column, int row, int boardWidth, int boardHeight)
{
    rect_.x0 = std::clamp(column, 0, boardWidth);
    rect_.y0 = std::clamp(row, 0, boardHeight);
}

void Selection::complete(int column, int row, int boardWidth, int boardHeight)
{
    const int s = rect_.x0;
    const int t = rect_.y0;
    rect_ = LedRect{std::min(s, column), std::min(t, row), std::max(s, column) + 1, std::max(t, row) + 1};
    rect_ = onBoard(boardWidth, boardHeight);
    shown_ = true;
}

LedRect Selection::onBoard(int boardWidth, int boardHeight) const
{
    return LedRect{std::clamp(rect_.x0, 0, boardWidth), std::clamp(rect_.y0, 0, boardHeight),
                   std::clamp(rect_.x1, 0, boardWidth), std::clamp(rect_.y1, 0, boardHeight)};
}

} // namespace vexel
