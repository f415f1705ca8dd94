#pragma once

namespace vexel {

// A selection or fill rectangle in LEDs: first column and row, end column and
// row exclusive.
struct LedRect {
    int x0 = 0;
    int y0 = 0;
    int x1 = 0;
    int y1 = 0;
    bool isZero() const { return x0 == 0 && y0 == 0 && x1 == 0 && y1 == 0; }
    int width() const { return x1 - x0; }
    int height() const { return y1 - y0; }
    bool operator==(const LedRect& o) const { return x0 == o.x0 && y0 == o.y0 && x1 == o.x1 && y1 == o.y1; }
    bool operator!=(const LedRect& o) const { return !(*this == o); }
};

} // namespace vexel
