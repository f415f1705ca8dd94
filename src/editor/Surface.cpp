#include "editor/Surface.h"

namespace vexel {

Surface::Surface(int width, int height, Color initial) : image_(width, height, QImage::Format_RGB32)
{
    image_.fill(toQRgb(initial));
}

void Surface::fillRect(int, int, int, int) {}
void Surface::line(int, int, int, int) {}
void Surface::ellipse(int, int, int, int) {}
Color Surface::pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width() || y >= height())
        return 0xFFFFFFFF;
    return fromQRgb(constScanLine(y)[x]);
}
void Surface::setPixel(int, int, Color) {}
void Surface::blit(const QImage&, int, int) {}
void Surface::markDirty(const QRect& r)
{
    const bool wasEmpty = dirty_.isEmpty();
    dirty_ |= r;
    if (wasEmpty && notify_)
        notify_();
}
QRect Surface::takeDirty()
{
    const QRect r = dirty_;
    dirty_ = QRect();
    return r;
}

} // namespace vexel
