#include "preview/ExportFormat.h"

namespace vexel {

namespace {

// The animation with its real timing, through giflib.
class AnimatedGif : public ExportFormat {
public:
    QString name() const override { return QStringLiteral("gif"); }
    QString summary() const override
    {
        return QStringLiteral("the animation with its timing, looping unless --once");
    }
    std::vector<MenuEntry> menuEntries() const override
    {
        return {{QStringLiteral("Image as animated GIF..."), Scope::Image},
                {QStringLiteral("Send list as animated GIF..."), Scope::SendList}};
    }
    int menuGroup() const override { return 1; }
    QString filter() const override { return QStringLiteral("Animated GIF|*.gif"); }
    QString extension() const override { return QStringLiteral("gif"); }
    QString proposedName(const QString& base, Scope scope, int) const override
    {
        return scope == Scope::SendList ? QStringLiteral("send-list.gif") : base + QStringLiteral(".gif");
    }
    Status write(SignTimeline& source, const ExportOptions& options, const QString& path) const override
    {
        return Export::gif(source.timeline(), options.style, path, options.progress, options.loop);
    }
};

} // namespace

const ExportFormat& animatedGifFormat()
{
    static const AnimatedGif format;
    return format;
}

} // namespace vexel
