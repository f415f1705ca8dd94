#include "preview/ExportFormat.h"

namespace vexel {

namespace {

// One frame as PNG, one pixel per LED: the LED colour on black, for other
// tools to read back.
class PixelPng : public ExportFormat {
public:
    QString name() const override { return QStringLiteral("pixel-png"); }
    QString summary() const override { return QStringLiteral("the same frame, one pixel per LED"); }
    std::vector<MenuEntry> menuEntries() const override
    {
        return {{QStringLiteral("Frame as PNG, one pixel per LED..."), Scope::Image}};
    }
    int menuGroup() const override { return 0; }
    QString filter() const override { return QStringLiteral("PNG picture|*.png"); }
    QString extension() const override { return QStringLiteral("png"); }
    QString proposedName(const QString& base, Scope, int frame) const override
    {
        return base + QStringLiteral("-frame%1.png").arg(frame);
    }
    bool picturesOneFrame() const override { return true; }
    Status write(SignTimeline& source, const ExportOptions& options, const QString& path) const override
    {
        SignStyle style = options.style;
        style.look = SignStyle::Look::Pixels;
        return Export::framePng(Export::framePicture(source.timeline(), options.frame, options.frameAlone), style,
                                path);
    }
};

} // namespace

const ExportFormat& pixelPngFormat()
{
    static const PixelPng format;
    return format;
}

} // namespace vexel
