#include "editor/tools/ToolList.h"

#include <Qt>

namespace vexel {

namespace {

// A straight line from the press to the release, shown while dragging; the
// LEDs outside the frame window are left out. One step.
class LineTool : public LedTool {
public:
    void press(LedTarget& target, QPoint led) override
    {
        dragging_ = true;
        start_ = led;
        show(target, led);
    }
    void move(LedTarget& target, QPoint led) override
    {
        if (dragging_)
            show(target, led);
    }
    void release(LedTarget& target, QPoint led) override
    {
        if (!dragging_)
            return;
        show(target, led);
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
    bool key(LedTarget&, int key) override
    {
        if (key != Qt::Key_Escape || !dragging_)
            return false;
        cancel();
        return true;
    }
    void cancel() override
    {
        LedTool::cancel();
        dragging_ = false;
    }

private:
    void show(const LedTarget& target, QPoint end)
    {
        preview_.clear();
        const FrameRect w = target.window();
        for (const QPoint& p : linePoints(start_, end))
            if (w.contains(p.x(), p.y()))
                preview_.push_back({p, !unlit_});
    }

    bool dragging_ = false;
    QPoint start_;
};

} // namespace

std::unique_ptr<LedTool> makeLineTool() { return std::make_unique<LineTool>(); }

} // namespace vexel
