#pragma once

#include "document/LedBitmap.h"
#include "document/LedRect.h"
#include "document/PixelArray.h"
#include "editor/Surface.h"

namespace vexel {

// The copied LEDs, each lit or unlit at its own board position, and their
// picture: the LEDs in the colours of the copy, white elsewhere. Paste takes
// the states, so a change of colours after the copy changes nothing pasted;
// positions the copy did not cover paste as unlit. It survives loading files
// and changing frames for the whole run.
class Clipboard {
public:
    Surface& picture() { return picture_; }
    const Surface& picture() const { return picture_; }
    bool filled() const { return filled_; }
    bool lit(int column, int row) const { return leds_.lit(column, row); }

    // Empties the board's part (white on the picture), then copies the LEDs
    // within `selection`; false when nothing was selected yet in this run
    // (the clipboard is empty then, and keeps its filled state).
    bool copy(const PixelArray& bits, const LedRect& selection, int boardWidth, int boardHeight, Color lit,
              Color unlit);

private:
    Surface picture_{2202, 1000};
    LedBitmap leds_;
    bool filled_ = false;
};

} // namespace vexel
