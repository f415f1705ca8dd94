#include "editor/LedGrid.h"

namespace vexel {

void LedGrid::drawLed(Surface&, int, int, int, int, const GridStyle&) {}
void LedGrid::drawGrid(Surface&, const GridStyle&, const LedRect&, bool, const FrameRect&) {}
void LedGrid::selectionBorder(Surface&, const GridStyle&, const LedRect&, bool) {}
void LedGrid::frameBorder(Surface&, const GridStyle&, const FrameRect&) {}
Color LedGrid::heavyLineColor(Color grid) { return grid; }
void LedGrid::paintWindow(Surface&, Surface&, const PixelArray&, const FrameRect&, const GridStyle&) {}
const QImage& LedGrid::cell(int w, int h, Color fill, Color outline, bool rounded)
{
    return cells_[{w, h, fill, outline, rounded}];
}

} // namespace vexel
