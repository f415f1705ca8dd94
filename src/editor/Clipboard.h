#pragma once

#include "document/LedRect.h"
#include "editor/Surface.h"

namespace vexel {

// The clipboard picture: the copied LEDs at their own board positions, white
// elsewhere. It survives loading files and changing frames for the whole run.
class Clipboard {
public:
    Surface& picture() { return picture_; }
    const Surface& picture() const { return picture_; }
    bool filled() const { return filled_; }

    // Whites the board's part of the picture, then copies the board image
    // within `selection`; false when nothing was selected yet in this run
    // (the picture is white then, and the clipboard keeps its state).
    bool copy(const Surface& board, const LedRect& selection, int boardWidth, int boardHeight);

private:
    Surface picture_{2202, 1000};
    bool filled_ = false;
};

} // namespace vexel
