#include "lettering/GlyphTool.h"

#include <cstdlib>

namespace vexel {

namespace {

// Pencil and Eraser: every LED the pointer passes, the gaps between two
// events of a fast drag joined by a line.
class FreehandTool : public GlyphTool {
public:
    FreehandTool(QString name, bool erases) : name_(std::move(name)), erases_(erases) {}
    QString name() const override { return name_; }
    void press(LedBitmap& cell, QPoint led, bool lit) override
    {
        lit_ = erases_ ? false : lit;
        last_ = led;
        cell.set(led.x(), led.y(), lit_);
    }
    void move(LedBitmap& cell, QPoint led) override
    {
        for (const QPoint& p : ledLine(last_, led))
            cell.set(p.x(), p.y(), lit_);
        last_ = led;
    }

private:
    QString name_;
    bool erases_;
    bool lit_ = true;
    QPoint last_;
};

// Redrawn from the cell as it was at the press, so the line follows the pointer.
class LineTool : public GlyphTool {
public:
    QString name() const override { return QStringLiteral("Line"); }
    void press(LedBitmap& cell, QPoint led, bool lit) override
    {
        origin_ = cell;
        start_ = led;
        lit_ = lit;
        move(cell, led);
    }
    void move(LedBitmap& cell, QPoint led) override
    {
        cell = origin_;
        for (const QPoint& p : ledLine(start_, led))
            cell.set(p.x(), p.y(), lit_);
    }

private:
    LedBitmap origin_;
    QPoint start_;
    bool lit_ = true;
};

class FillTool : public GlyphTool {
public:
    QString name() const override { return QStringLiteral("Flood fill"); }
    void press(LedBitmap& cell, QPoint led, bool lit) override { floodFill(cell, led, lit); }
    void move(LedBitmap&, QPoint) override {}
};

} // namespace

std::vector<std::unique_ptr<GlyphTool>> makeGlyphTools()
{
    std::vector<std::unique_ptr<GlyphTool>> tools;
    tools.push_back(std::make_unique<FreehandTool>(QStringLiteral("Pencil"), false));
    tools.push_back(std::make_unique<FreehandTool>(QStringLiteral("Eraser"), true));
    tools.push_back(std::make_unique<LineTool>());
    tools.push_back(std::make_unique<FillTool>());
    return tools;
}

std::vector<QPoint> ledLine(QPoint from, QPoint to)
{
    std::vector<QPoint> points;
    int x = from.x();
    int y = from.y();
    const int dx = std::abs(to.x() - x);
    const int dy = -std::abs(to.y() - y);
    const int sx = x < to.x() ? 1 : -1;
    const int sy = y < to.y() ? 1 : -1;
    int error = dx + dy;
    for (;;) {
        points.emplace_back(x, y);
        if (x == to.x() && y == to.y())
            break;
        const int e2 = 2 * error;
        if (e2 >= dy) {
            error += dy;
            x += sx;
        }
        if (e2 <= dx) {
            error += dx;
            y += sy;
        }
    }
    return points;
}

void floodFill(LedBitmap& cell, QPoint start, bool lit)
{
    if (!cell.contains(start.x(), start.y()) || cell.lit(start.x(), start.y()) == lit)
        return;
    const bool from = !lit;
    std::vector<QPoint> pending{start};
    while (!pending.empty()) {
        const QPoint p = pending.back();
        pending.pop_back();
        if (!cell.contains(p.x(), p.y()) || cell.lit(p.x(), p.y()) != from)
            continue;
        cell.set(p.x(), p.y(), lit);
        pending.emplace_back(p.x() + 1, p.y());
        pending.emplace_back(p.x() - 1, p.y());
        pending.emplace_back(p.x(), p.y() + 1);
        pending.emplace_back(p.x(), p.y() - 1);
    }
}

} // namespace vexel
