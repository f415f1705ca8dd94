#pragma once

#include "editor/tools/LedTool.h"

namespace vexel {

// A tool that shows a shape from the press to the LED under the pointer
// while dragging and makes it on release.
class DragTool : public LedTool {
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
        if (dragging_)
            finish(target, led);
    }
    void cancel() override
    {
        LedTool::cancel();
        dragging_ = false;
    }

protected:
    // The preview for a drag from start() to `end`.
    virtual void show(const LedTarget& target, QPoint end) = 0;
    // The drag ended at `end`: make the shape; cancel() ends the gesture.
    virtual void finish(LedTarget& target, QPoint end) = 0;

    bool dragging() const { return dragging_; }
    QPoint start() const { return start_; }

private:
    bool dragging_ = false;
    QPoint start_;
};

} // namespace vexel
