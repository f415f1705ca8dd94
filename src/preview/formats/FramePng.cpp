#include "preview/ExportFormat.h"

namespace vexel {

namespace {

// One frame as PNG in the LED look: round LEDs on the dark face.
class FramePng : public ExportFormat {
public:
    QString name() const override { return QStringLiteral("png"); }
    QString summary() const override
    {
        return QStringLiteral("the board while frame N holds (--frame, 0), LEDs at --zoom, with --glow");
    }
    std::vector<MenuEntry> menuEntries() const override
    {
        return {{QStringLiteral("Frame as PNG, LED look..."), Scope::Image}};
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
        return Export::framePng(Export::framePicture(source.timeline(), options.frame, options.frameAlone),
                                options.style, path);
    }
};

} // namespace

const ExportFormat& framePngFormat()
{
    static const FramePng format;
    return format;
}

} // namespace vexel
