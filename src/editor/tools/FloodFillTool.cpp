#include "editor/tools/ToolList.h"

#include <cstdint>
#include <vector>

namespace vexel {

namespace {

// Sets the 4-connected area of LEDs equal to the one under the pointer,
// inside the frame window, in one step. An area already in the drawing
// state is left alone.
class FloodFillTool : public LedTool {
public:
    void press(LedTarget& target, QPoint led) override
    {
        const FrameRect w = target.window();
        if (!w.contains(led.x(), led.y()))
            return;
        const bool from = target.lit(led.x(), led.y());
        const bool to = !unlit_;
        if (from == to)
            return;
        // Visited LEDs of the window, one byte each; a stack, not recursion,
        // since an area may hold the whole board.
        std::vector<std::uint8_t> seen(static_cast<std::size_t>(w.w) * static_cast<std::size_t>(w.h), 0);
        auto index = [&](int x, int y) { return static_cast<std::size_t>((y - w.y) * w.w + (x - w.x)); };
        std::vector<QPoint> area;
        std::vector<QPoint> stack{led};
        seen[index(led.x(), led.y())] = 1;
        while (!stack.empty()) {
            const QPoint p = stack.back();
            stack.pop_back();
            area.push_back(p);
            const QPoint next[] = {{p.x() + 1, p.y()}, {p.x() - 1, p.y()}, {p.x(), p.y() + 1}, {p.x(), p.y() - 1}};
            for (const QPoint& n : next) {
                if (!w.contains(n.x(), n.y()) || seen[index(n.x(), n.y())])
                    continue;
                seen[index(n.x(), n.y())] = 1;
                if (target.lit(n.x(), n.y()) == from)
                    stack.push_back(n);
            }
        }
        target.beginStep(QStringLiteral("flood fill"));
        target.setLeds(area, to);
        target.commit();
        target.endStep();
    }
};

} // namespace

std::unique_ptr<LedTool> makeFloodFillTool() { return std::make_unique<FloodFillTool>(); }

} // namespace vexel
