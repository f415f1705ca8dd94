#include "editor/tools/PencilTool.h"

#include "editor/tools/ToolList.h"

namespace vexel {

void PencilTool::press(LedTarget& target, QPoint led)
{
    if (drawing_)
        release(target, last_);
    drawing_ = true;
    strokeLit_ = draws();
    target.beginStep(strokeLit_ ? QStringLiteral("paint") : QStringLiteral("erase"));
    last_ = led;
    plot(target, led, strokeLit_);
}

void PencilTool::move(LedTarget& target, QPoint led)
{
    if (!drawing_ || led == last_)
        return;
    const std::vector<QPoint> line = linePoints(last_, led);
    for (std::size_t i = 1; i < line.size(); ++i)
        plot(target, line[i], strokeLit_);
    last_ = led;
}

void PencilTool::release(LedTarget& target, QPoint)
{
    if (!drawing_)
        return;
    drawing_ = false;
    target.commit();
    target.endStep();
}

void PencilTool::cancel()
{
    LedTool::cancel();
    drawing_ = false;
}

void PencilTool::plot(LedTarget& target, QPoint led, bool lit)
{
    if (target.window().contains(led.x(), led.y()))
        target.setLit(led.x(), led.y(), lit);
}

std::unique_ptr<LedTool> makePencilTool() { return std::make_unique<PencilTool>(true); }

} // namespace vexel
