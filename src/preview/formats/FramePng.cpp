#include "preview/formats/OneFramePng.h"

namespace vexel {

namespace {

// One frame as PNG in the LED look: round LEDs on the dark face.
class FramePng : public OneFramePng {
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

protected:
    SignStyle style(const ExportOptions& options) const override { return options.style; }
};

} // namespace

const ExportFormat& framePngFormat()
{
    static const FramePng format;
    return format;
}

} // namespace vexel
