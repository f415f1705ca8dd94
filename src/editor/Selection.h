#pragma once

#include "document/LedRect.h"

namespace vexel {

// The rectangle made with Shift and the left button (or the Select tool):
// its first corner is taken at the press, the rest at the release. All zero
// until the first selection of the run. `shown` drops when another image is
// loaded, while the rectangle keeps its values for Copy.
class Selection {
public:
    const LedRect& rect() const { return rect_; }
    bool shown() const { return shown_; }
    void setShown(bool on) { shown_ = on; }
    // Nothing selected yet in this run.
    bool none() const { return rect_.isZero(); }

    // The first corner, kept on the board.
    void start(int column, int row, int boardWidth, int boardHeight);
    // Both corner LEDs and all between, in whichever direction the pointer
    // went, cut to the board; the selection is then shown.
    void complete(int column, int row, int boardWidth, int boardHeight);

    // A whole new rectangle (a moved selection), shown.
    void set(const LedRect& rect)
    {
        rect_ = rect;
        shown_ = true;
    }

    // The rectangle as far as it lies on the board; the board may have been
    // made smaller since it was drawn.
    LedRect onBoard(int boardWidth, int boardHeight) const;

private:
    LedRect rect_;
    bool shown_ = false;
};

} // namespace vexel
