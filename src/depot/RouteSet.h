#pragma once

#include "depot/LetteredPage.h"
#include "depot/RouteCsv.h"
#include "depot/RouteLayout.h"
#include "document/ImageRecord.h"
#include "document/Result.h"
#include "lettering/Abbreviation.h"
#include "lettering/TextLayout.h"

#include <QString>
#include <QStringList>

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace vexel {

class FontList;

// One frame of a layout lettered for a row. A text that fits no face on one
// line or two goes to pages: the first in the frame's window with the route
// number, the rest each in a frame of their own whose window is the text's
// area only, so the number stays lit.
struct FrameLettering {
    Lettering first;              // the whole window
    FrameRect textArea;           // where the later pages go, within the window
    std::vector<LedBitmap> pages; // the pages after the first, each textArea's size
    std::string step;             // how it fitted: "fits", "condensed 11", "two lines", "3 pages"
    bool abbreviated = false;     // only with some of the set's abbreviations
    std::vector<std::vector<TextBlock>> texts; // each page's texts as set, the first page first
};

// The images of a depot's destinations: one image each, its frames lettered with
// the Text tool's presets exactly as the panel letters them for the same
// texts and fields. A row whose text does not fit, or needs characters its
// font lacks, makes no image.
class RouteSet {
public:
    RouteSet(RouteLayout layout, FontList& fonts);

    const RouteLayout& layout() const { return layout_; }

    // What a destination set may shorten its texts by; none for a route
    // list.
    void setAbbreviations(std::vector<Abbreviation> list) { abbreviations_ = std::move(list); }
    // Phrases a line or page break may not split where any fit avoids it
    // ("Sheepshead Bay"); none for a route list.
    void setKeepTogether(std::vector<QString> list) { keepTogether_ = std::move(list); }
    // The words a via text starts with, by its script ("via W Frms Rd");
    // empty for none, as a route list has.
    void setViaWords(QString latin, QString georgian)
    {
        viaLatin_ = std::move(latin);
        viaGeorgian_ = std::move(georgian);
    }
    // A via text with the word for its script before it; an empty text
    // stays empty.
    QString withViaWord(const QString& via) const;

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

    // The frame as it goes into an image: fitted by the order, then on two
    // lines, then after a hyphen, then in pages, the first page and the rest
    // at most `maxFrames`. A text that fits nowhere or takes more than the
    // frame's `max_pages` is tried again with the fewest abbreviations that
    // make it fit, the longest words first. Fails with the reason, naming a
    // character no face has.
    Expected<FrameLettering> letterPages(const RouteFrame& frame, const std::map<QString, QString>& values,
                                         int maxFrames = ImageRecord::MaxFrames) const;

    // The image of one row. A frame whose text uses an empty column (no
    // Latin destination, no via stops) is left out; a row needs a
    // destination in at least one script. Every frame carries, in the bytes
    // its row lines share with LEDs beside its window, what the board shows
    // there after the frames before it, so a frame changes only its window.
    Expected<ImageRecord> build(const Destination& destination) const;
    struct Built {
        ImageRecord image;
        std::string step; // the furthest step any frame took, as FrameLettering::step, and
                          // ", abbreviated" when a frame was
        std::vector<LetteredPage> pages; // one a frame of the image
        // Each layout frame (from 1) that took a step past "fits", and its step.
        std::vector<std::pair<int, std::string>> frameSteps;
    };
    Expected<Built> make(const Destination& destination) const;

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

    // A destination's texts by the names a layout's templates use; {via}
    // is the Georgian stops, else the Latin.
    static std::map<QString, QString> values(const Destination& destination);

private:
    // How a frame's preset places its texts in the window: the blocks when
    // they fit, else the text that may go to pages, what stays beside it on
    // the first and the part of the window the pages take. The sheet and
    // the images both start here.
    struct Placement {
        bool fits = false;
        std::vector<char32_t> missing;
        std::string message;
        std::string step;
        std::vector<TextBlock> blocks;
        bool pageable = false; // whether `paged` may go to pages
        QString paged;
        std::vector<TextBlock> kept;
        FrameRect textArea;
        TextStyle pageStyle;
        FitOrder order;     // the frame's, with the set's phrases to keep together
        int numberEnd = -1; // where the route number beside the paged text ends
    };
    Placement place(const RouteFrame& frame, const std::map<QString, QString>& values) const;
    void placeOneText(const RouteFrame& frame, const std::map<QString, QString>& values, const FrameRect& target,
                      Placement& out) const;
    // The number-and-destination and two-lines presets.
    void placePreset(const RouteFrame& frame, const std::map<QString, QString>& values, const FrameRect& target,
                     Placement& out) const;
    // A placement that does not fit lettered in pages of its paged text.
    Expected<FrameLettering> letterPaged(const RouteFrame& frame, const Placement& placed, int maxFrames) const;
    FrameRect windowOf(const RouteFrame& frame) const;
    Expected<FrameLettering> letterAsGiven(const RouteFrame& frame, const std::map<QString, QString>& values,
                                           int maxFrames) const;

    RouteLayout layout_;
    FontList& fonts_;
    std::vector<Abbreviation> abbreviations_;
    std::vector<QString> keepTogether_;
    QString viaLatin_;
    QString viaGeorgian_;
};

} // namespace vexel
