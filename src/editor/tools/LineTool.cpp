#include "editor/tools/DragTool.h"
#include "editor/tools/ToolList.h"

#include <Qt>

namespace vexel {

namespace {

// A straight line from the press to the release, shown while dragging; the
// LEDs outside the frame window are left out. One step.
class LineTool : public DragTool {
public:
    bool key(LedTarget&, int key) override
    {
        if (key != Qt::Key_Escape || !dragging())
            return false;
        cancel();
        return true;
    }

private:
    void finish(LedTarget& target, QPoint end) override
    {
        show(target, end);
        std::vector<QPoint> leds;
        leds.reserve(preview_.size());
        for (const PreviewLed& p : preview_)
            if (target.lit(p.led.x(), p.led.y()) != p.lit)
                leds.push_back(p.led);
        cancel();
        target.beginStep(QStringLiteral("line"));
        target.setLeds(leds, !unlit_);
        target.commit();
        target.endStep();
    }
    void show(const LedTarget& target, QPoint end) override
    {
        preview_.clear();
        const FrameRect w = target.window();
        for (const QPoint& p : linePoints(start(), end))
            if (w.contains(p.x(), p.y()))
                preview_.push_back({p, !unlit_});
    }
};

} // namespace

std::unique_ptr<LedTool> makeLineTool() { return std::make_unique<LineTool>(); }

} // namespace vexel
