#pragma once

#include "depot/Destination.h"
#include "depot/LetteredPage.h"
#include "depot/RouteCsv.h"
#include "store/SignOverride.h"
#include "store/VehicleSign.h"
#include "document/ImageRecord.h"
#include "lettering/Abbreviation.h"

#include <QString>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vexel {

class FontList;
class RouteSet;

// How one destination letters one sign: in the same words as the Text
// panel and `vexel set status` ("fits", "condensed 11", "7 rows",
// "two lines", "3 pages", "2 pages, abbreviated"), or why it does not fit.
struct SignFit {
    bool fits = false;
    QString status;
    // The layout frames (from 1) the status refers to: "frame 2" when one
    // frame took a step past "fits", "frame 1: two lines, frame 2: 3 pages"
    // when several did; empty when every frame fits as it is.
    QString frames;
};

// One destination's image for one sign, lettered or made by hand.
struct SignImage {
    std::optional<ImageRecord> image; // none when it does not fit
    SignFit fit;
    bool byHand = false; // the sign's override
    bool stale = false;  // an override made from texts the destination no longer has
    std::vector<LetteredPage> pages; // one a frame of a lettered image; none for one made by hand
};

// Letters destinations on the signs of a set by each sign's layout, the one
// way the Destinations window, `vexel set status` and a release see them.
// Each sign's layout is read once and kept while the sign stays the same;
// one object serves one thread (a copy shares what was read, which never
// changes).
class SetLettering {
public:
    explicit SetLettering(FontList& fonts);

    // An override, when given, is the image (and reported stale when the
    // destination's texts changed since it was made); one of another size
    // than the sign does not fit it, and is kept to be shown and mended.
    SignImage letter(const VehicleSign& sign, const Destination& destination,
                     const SignOverride* byHand = nullptr) const;

    // The set's abbreviations, for every sign: a text is shortened only
    // where it would not fit otherwise (see RouteSet::letterPages).
    void setAbbreviations(std::vector<Abbreviation> list);
    // The set's phrases a line or page break may not split where another
    // fit avoids it ("Sheepshead Bay"), for every sign.
    void setKeepTogether(std::vector<QString> list);
    // The words a via frame starts with, for Latin and Georgian text.
    void setViaWords(QString latin, QString georgian);

    // "does not fit: " and the reason.
    static QString notFit(const QString& reason);
    // SignFit::frames of the steps each frame took.
    static QString framesOf(const std::vector<std::pair<int, std::string>>& steps);
    // An image made by hand fits its sign when its size (the right and
    // bottom edges of its widest frame windows) is the sign's.
    static SignFit byHandFit(const VehicleSign& sign, const ImageRecord& image);

private:
    struct Prepared {
        VehicleSign sign;
        std::shared_ptr<const RouteSet> set; // none when the layout or its fonts are unusable
        QString fault;
    };
    const Prepared& prepared(const VehicleSign& sign) const;

    FontList& fonts_;
    std::vector<Abbreviation> abbreviations_;
    std::vector<QString> keepTogether_;
    QString viaLatin_;
    QString viaGeorgian_;
    mutable std::map<QString, std::shared_ptr<const Prepared>> prepared_; // by sign name
};

} // namespace vexel
