#pragma once

#include "editor/tools/LedTarget.h"

#include <QPoint>

#include <vector>

namespace vexel {

// An LED shown over the grid while a gesture is under way, not yet set.
struct PreviewLed {
    QPoint led;
    bool lit;
};

// One tool of the tool row. Gets the left-button gestures made without
// modifier keys (the modifier gestures and the right button's menu stay the
// editor's), keys while it is active, and keeps its own state and preview.
class LedTool {
public:
    virtual ~LedTool() = default;

    virtual void press(LedTarget& target, QPoint led) = 0;
    virtual void move(LedTarget&, QPoint) {}
    virtual void release(LedTarget&, QPoint) {}
    // A key on the grid (a Qt::Key); true when the tool took it.
    virtual bool key(LedTarget&, int) { return false; }
    // Drops a gesture under way without changing any LED.
    virtual void cancel() { preview_.clear(); }

    const std::vector<PreviewLed>& preview() const { return preview_; }
    // The "unlit" toggle: a drawing tool draws the other state while it is on.
    void setUnlit(bool on) { unlit_ = on; }
    bool unlit() const { return unlit_; }

protected:
    std::vector<PreviewLed> preview_;
    bool unlit_ = false;
};

// The LEDs of the straight line from a to b, both ends included, each step
// to an 8-neighbour (Bresenham).
std::vector<QPoint> linePoints(QPoint a, QPoint b);

} // namespace vexel
