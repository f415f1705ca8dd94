#include "editor/Clipboard.h"

#include <algorithm>

namespace vexel {

bool Clipboard::copy(const PixelArray& bits, const LedRect& selection, int boardWidth, int boardHeight, Color lit,
                     Color unlit)
{
    picture_.setFillColor(White);
    picture_.fillRect(0, 0, boardWidth, boardHeight);
    leds_ = LedBitmap(boardWidth, boardHeight);
    if (selection.isZero())
        return false;
    const int x0 = std::clamp(selection.x0, 0, boardWidth);
    const int x1 = std::clamp(selection.x1, 0, boardWidth);
    const int y0 = std::clamp(selection.y0, 0, boardHeight);
    const int y1 = std::clamp(selection.y1, 0, boardHeight);
    for (int x = x0; x < x1; ++x)
        for (int y = y0; y < y1; ++y) {
            const bool on = bits.lit(x, y);
            leds_.set(x, y, on);
            picture_.setPixel(x, y, on ? lit : unlit);
        }
    filled_ = true;
    return true;
}

} // namespace vexel
