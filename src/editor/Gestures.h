#pragma once

#include "document/FrameHeader.h"
#include "document/LedRect.h"

#include <QPoint>
#include <Qt>

#include <vector>

namespace vexel {

// The tools of the tool row. With one active, a plain left-button gesture
// does what the modifier gesture of the same meaning does; the modifier
// gestures keep their meaning whatever tool is active.
enum class Tool { Cursor, Pencil, Eraser, Rectangle, Select };

struct ToolInfo {
    Tool tool;
    const char* name;    // caption and menu text
    char key;            // single-key shortcut
    const char* purpose; // tooltip
};
// Every tool, in tool-row order.
const std::vector<ToolInfo>& toolList();

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

// Turns presses, moves and releases into board steps. Each event acts on
// its own keys and buttons only, so letting go of a key mid-gesture changes
// what the next event does. Holds the rectangle fill's start, the colour the
// last press chose and whether a plain right click is under way.
class Gestures {
public:
    Tool tool() const { return tool_; }
    void setTool(Tool tool) { tool_ = tool; }

    // While the board is not `editable` (the preview plays) an event only
    // counts towards opening the context menu.
    std::vector<GestureStep> press(const GestureInput& input, const FrameRect& frame, bool editable = true);
    std::vector<GestureStep> move(const GestureInput& input, const FrameRect& frame, bool editable = true);
    std::vector<GestureStep> release(const GestureInput& input, const FrameRect& frame, bool editable = true);

    // The modifier gesture that a plain left-button event stands for with
    // `tool` active; any other event is left as it is.
    static GestureInput asGesture(Tool tool, const GestureInput& input);

    QPoint fillStart() const { return fillStart_; }
    bool lastLit() const { return lastLit_; }

private:
    void paintPoint(const GestureInput& input, const FrameRect& frame, std::vector<GestureStep>& steps);

    Tool tool_ = Tool::Cursor;
    QPoint fillStart_{0, 0};
    bool lastLit_ = true;
    bool plainRightPress_ = false;
};

} // namespace vexel
