#include "preview/ExportFormat.h"

namespace vexel {

#define VEXEL_EXPORT_FORMAT(function) const ExportFormat& function();
#include "preview/formats/List.h"
#undef VEXEL_EXPORT_FORMAT

Status ExportFormat::check(const SignTimeline& source, const ExportOptions& options) const
{
    const int frames = source.timeline().frameCount();
    if (picturesOneFrame() && (options.frame < 0 || options.frame >= frames))
        return Status::failure(
            QStringLiteral("there is no frame %1; the files hold %2").arg(options.frame).arg(frames));
    return Status::success();
}

const std::vector<const ExportFormat*>& ExportFormat::all()
{
#define VEXEL_EXPORT_FORMAT(function) &function(),
    static const std::vector<const ExportFormat*> formats{
#include "preview/formats/List.h"
    };
#undef VEXEL_EXPORT_FORMAT
    return formats;
}

const ExportFormat* ExportFormat::find(const QString& name)
{
    for (const ExportFormat* format : all())
        if (format->name() == name)
            return format;
    return nullptr;
}

} // namespace vexel
