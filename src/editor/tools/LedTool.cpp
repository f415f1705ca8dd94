#include "editor/tools/LedTool.h"

#include <cstdlib>

namespace vexel {

std::vector<QPoint> linePoints(QPoint a, QPoint b)
{
    const int dx = std::abs(b.x() - a.x());
    const int dy = -std::abs(b.y() - a.y());
    const int sx = a.x() < b.x() ? 1 : -1;
    const int sy = a.y() < b.y() ? 1 : -1;
    std::vector<QPoint> points;
    points.reserve(static_cast<std::size_t>(std::max(dx, -dy)) + 1);
    int x = a.x();
    int y = a.y();
    int error = dx + dy;
    for (;;) {
        points.push_back(QPoint(x, y));
        if (x == b.x() && y == b.y())
            break;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += sx;
        }
        if (twice <= dx) {
            error += dx;
            y += sy;
        }
    }
    return points;
}

} // namespace vexel
