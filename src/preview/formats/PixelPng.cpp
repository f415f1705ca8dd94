#include "preview/formats/OneFramePng.h"

namespace vexel {

namespace {

// One frame as PNG, one pixel per LED: the LED colour on black, for other
// tools to read back.
class PixelPng : public OneFramePng {
public:
    QString name() const override { return QStringLiteral("pixel-png"); }
    QString summary() const override { return QStringLiteral("the same frame, one pixel per LED"); }
    std::vector<MenuEntry> menuEntries() const override
    {
        return {{QStringLiteral("Frame as PNG, one pixel per LED..."), Scope::Image}};
    }

protected:
    SignStyle style(const ExportOptions& options) const override
    {
        SignStyle style = options.style;
        style.look = SignStyle::Look::Pixels;
        return style;
    }
};

} // namespace

const ExportFormat& pixelPngFormat()
{
    static const PixelPng format;
    return format;
}

} // namespace vexel
