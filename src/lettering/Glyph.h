#pragma once

#include "document/LedBitmap.h"

namespace vexel {

// One character as LEDs. The cell is as tall as its font's line and is drawn
// `left` LEDs right of the pen (left of it when negative); the pen then moves
// on by `advance`.
struct Glyph {
    int advance = 0;
    int left = 0;
    LedBitmap cell;
};

} // namespace vexel
