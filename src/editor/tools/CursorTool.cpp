#include "editor/tools/ToolList.h"

namespace vexel {

namespace {

// A click inside the frame window places the cursor; one outside does nothing.
class CursorTool : public LedTool {
public:
    void press(LedTarget& target, QPoint led) override
    {
        if (target.window().contains(led.x(), led.y()))
            target.placeCursor(led);
    }
};

} // namespace

std::unique_ptr<LedTool> makeCursorTool() { return std::make_unique<CursorTool>(); }

} // namespace vexel
