#pragma once

#include "preview/ExportFormat.h"

namespace vexel {

// A single frame as a PNG file. The kinds differ only in their names and in
// how the LEDs are drawn.
class OneFramePng : public ExportFormat {
public:
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
                                style(options), path);
    }

protected:
    // How the frame is drawn, from the export's options.
    virtual SignStyle style(const ExportOptions& options) const = 0;
};

} // namespace vexel
