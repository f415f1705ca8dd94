#pragma once

#include "depot/RouteCsv.h"
#include "depot/RouteLayout.h"
#include "document/ImageRecord.h"
#include "document/Result.h"
#include "lettering/TextLayout.h"

#include <QString>
#include <QStringList>

#include <map>
#include <vector>

namespace vexel {

class FontList;

// The images of a depot's routes: one image a row, its frames lettered with
// the Text tool's presets exactly as the panel letters them for the same
// texts and fields. A row whose text does not fit, or needs characters its
// font lacks, makes no image.
class RouteSet {
public:
    RouteSet(RouteLayout layout, FontList& fonts);

    const RouteLayout& layout() const { return layout_; }

    // The layout's fonts and heights against the installed fonts; the
    // message names the frame.
    Status checkFonts() const;

    // The lettering of one frame for a row's values, as the panel's ghost.
    // Fails with the reason when it does not fit.
    Expected<Lettering> letter(const RouteFrame& frame, const std::map<QString, QString>& values) const;
    // The same lettering whatever it holds: characters the font lacks drawn
    // as boxes, a text past the window cut off (the lettering sheet shows
    // it so). `message` is what the preset or Fit said.
    Lettering lay(const RouteFrame& frame, const std::map<QString, QString>& values, std::string* message = nullptr) const;

    // The image of one row. A frame whose text uses an empty column (no
    // Latin destination, no via stops) is left out.
    Expected<ImageRecord> build(const RouteRow& row) const;

    // Whether a route number can name its file (see FileStem).
    static Status checkRouteName(const QString& route);
    static QString fileName(const QString& route) { return route + QStringLiteral(".img"); }

    struct Outcome {
        QStringList written;  // paths, in row order
        QStringList problems; // one line each: "routes.csv: line 5, route 12: ..."
    };
    // Every row that builds, written into `folder` (made when missing) as
    // <route>.img, each file replaced whole or not at all. `source` names
    // the route list in the problems.
    Outcome write(const std::vector<RouteRow>& rows, const QString& folder, const QString& source) const;

    static std::map<QString, QString> values(const RouteRow& row);

private:
    FrameRect windowOf(const RouteFrame& frame) const;

    RouteLayout layout_;
    FontList& fonts_;
};

} // namespace vexel
