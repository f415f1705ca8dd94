#pragma once

#include "document/FrameHeader.h"
#include "document/LedRect.h"

#include <QPoint>
#include <Qt>

#include <vector>

namespace vexel {

// One mouse event on the LED grid: the LED under the pointer, the button
// that changed, and the keys and buttons held at that moment.
struct GestureInput {
    QPoint led;
    Qt::MouseButton button = Qt::NoButton;
    Qt::MouseButtons buttons;
    Qt::KeyboardModifiers modifiers;
};

// What a gesture event asks of the board, in order.
struct GestureStep {
    enum class Kind {
        SelectionStart, // the selection's first corner := led
        ChooseColor,    // both pictures' fill colour := lit or unlit
        Paint,          // led := lit or unlit
        FillRect,       // rect (ends included) := lit or unlit
        Select,         // the selection is completed at led
        PlaceCursor,    // the cursor moves to led
        Store,          // the frame is written back into the record
        OpenMenu,       // the grid's context menu opens
    };
    Kind kind;
    QPoint led;
    bool lit = true;
    LedRect rect;
};

// Turns the modifier gestures (Alt, Ctrl, Shift), the plain left click of
// the cursor and the plain right click of the context menu into board
// steps; they keep their meaning whatever tool is active. Each event acts on
// its own keys and buttons only, so letting go of a key mid-gesture changes
// what the next event does. Holds the rectangle fill's start, the colour the
// last press chose and whether a plain right click is under way.
class Gestures {
public:
    // While the board is not `editable` (the preview plays) an event only
    // counts towards opening the context menu.
    std::vector<GestureStep> press(const GestureInput& input, const FrameRect& frame, bool editable = true);
    std::vector<GestureStep> move(const GestureInput& input, const FrameRect& frame, bool editable = true);
    std::vector<GestureStep> release(const GestureInput& input, const FrameRect& frame, bool editable = true);

    // A tool took a press: no plain right click is under way any more.
    void forgetRightClick() { plainRightPress_ = false; }

    QPoint fillStart() const { return fillStart_; }
    bool lastLit() const { return lastLit_; }

private:
    void paintPoint(const GestureInput& input, const FrameRect& frame, std::vector<GestureStep>& steps);

    QPoint fillStart_{0, 0};
    bool lastLit_ = true;
    bool plainRightPress_ = false;
};

} // namespace vexel
