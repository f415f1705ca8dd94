#pragma once

#include "editor/tools/LedTool.h"

namespace vexel {

// Draws a continuous line of LEDs through the pointer's positions, inside
// the frame window: lit (or unlit while the toggle is on); the Eraser is the
// same with the states swapped. One step per stroke, stored at the release.
class PencilTool : public LedTool {
public:
    explicit PencilTool(bool lit = true) : lit_(lit) {}

    void press(LedTarget& target, QPoint led) override;
    void move(LedTarget& target, QPoint led) override;
    void release(LedTarget& target, QPoint led) override;
    void cancel() override;

private:
    bool draws() const { return lit_ != unlit_; }
    void plot(LedTarget& target, QPoint led, bool lit);

    bool lit_;
    bool drawing_ = false;
    bool strokeLit_ = true;
    QPoint last_;
};

} // namespace vexel
