#include "editor/tools/DragTool.h"
#include "editor/tools/ToolList.h"

#include <algorithm>

namespace vexel {

namespace {

// Fills the rectangle between press and release, both corners included,
// when the whole of it lies inside the frame window (it is not clipped);
// shown as a preview while dragging.
class RectangleTool : public DragTool {
private:
    void finish(LedTarget& target, QPoint end) override
    {
        cancel();
        const LedRect r = between(end);
        if (inside(target, r)) {
            target.beginStep(QStringLiteral("fill rectangle"));
            target.fillRect(r, lit());
            target.endStep();
        }
        target.commit();
    }
    bool lit() const { return !unlit_; }
    LedRect between(QPoint end) const
    {
        return LedRect{std::min(start().x(), end.x()), std::min(start().y(), end.y()), std::max(start().x(), end.x()),
                       std::max(start().y(), end.y())};
    }
    static bool inside(const LedTarget& target, const LedRect& r)
    {
        return target.window().contains(r.x0, r.y0) && target.window().contains(r.x1, r.y1);
    }
    void show(const LedTarget& target, QPoint end) override
    {
        preview_.clear();
        const LedRect r = between(end);
        if (!inside(target, r))
            return;
        for (int y = r.y0; y <= r.y1; ++y)
            for (int x = r.x0; x <= r.x1; ++x)
                preview_.push_back({QPoint(x, y), lit()});
    }
};

} // namespace

std::unique_ptr<LedTool> makeRectangleTool() { return std::make_unique<RectangleTool>(); }

} // namespace vexel
