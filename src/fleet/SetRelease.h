#pragma once

#include "document/ImageRecord.h"
#include "document/Result.h"
#include "fleet/SheetFormat.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <vector>

namespace vexel {

class DestinationSet;
class FontList;
struct Destination;
struct SetContents;
struct SignImage;
struct VehicleSign;

// Images already lettered from the set, as the Destinations session holds
// them: the one of a destination on a sign when it was lettered from exactly
// what `contents` holds for them (texts, sign, image made by hand, word
// lists), else null, and the release letters that one itself.
using LetteredImages = std::function<const SignImage*(const SetContents& contents, const VehicleSign& sign,
                                                      const Destination& destination)>;

// A release of a destination set: for each sign a folder `<sign name>/` of
// `<code>.img` files, a proof sheet per sign and `release.txt`, which names
// the set, the version and the time and lists every file with its frame
// count and the length and checksum of the DATA message that sends it alone.
// Each file is replaced whole or not at all, and a release that fails or is
// stopped on the way replaces no image. A set with a destination that does
// not fit releases nothing unless the release is partial: the report then
// names them in `unfit` and lists nothing written. The images are audited
// for legibility; the findings go to release.txt, one `legibility:` line
// each, and to the proof sheets as a mark on each frame they name. Sheets
// of the release's signs that an earlier release left and this one did not
// write again (pages a longer sheet had, the other format) are removed, so
// every sheet beside the folders shows the images in them.
struct ReleaseOptions {
    bool partial = false;
    bool proofSheets = true;
    SheetFormat sheets = SheetFormat::Png;
    int version = 0;    // write this stored version again; 0 releases the set as it is
    QString note;       // kept with the new version
    // The legibility rules a new release is audited by, a name or a file
    // (see LegibilityRules::find); empty: the default. A stored version
    // keeps the findings it was released with.
    QString rules;
    // The day a new release counts from (null: at once); before it, the
    // release before counts as the latest.
    QDate validFrom;
};

// One image of a release, by its sign and code.
struct ReleasedImage {
    QString sign;
    QString code;
};

struct ReleaseReport {
    int version = 0;      // the version written (0 when the set keeps none)
    QStringList written;  // the image files, sign by sign
    QStringList unfit;    // "12R on front: ..." for each that does not fit
    QString releaseText;  // the path of release.txt (ReleaseNote)
    QStringList stale;    // "12 on front": images made by hand from texts the destination no longer has
    QStringList sheets;   // the proof sheets' paths
    QStringList findings; // the legibility audit's, one line each (LegibilityFinding::line)
    QDateTime time;       // of the release (a stored version's own time)

    // What changed against the version before (the latest stored one when
    // this release is not kept): its images compared by their bytes.
    bool compared = false;   // false when the versions could not be read
    int previousVersion = 0; // 0: there was none
    std::vector<ReleasedImage> changed; // in both, with other bytes
    std::vector<ReleasedImage> added;   // not in the version before
    std::vector<ReleasedImage> dropped; // only in the version before
    int unchanged = 0;

    // One line: "Version 3: 33 images written, 2 changed (88 on front and
    // side), 31 as in version 2".
    QString summary() const;
};

// What the board checks of one file sent alone: the length field of the
// DATA message (its data block in bytes) and its checksum.
struct MessageFigures {
    int frames = 0;
    int length = 0;
    std::uint16_t checksum = 0;
};

class SetRelease {
public:
    // `progress(done, total)` returns false to stop before the next file.
    static Expected<ReleaseReport> release(DestinationSet& set, FontList& fonts, const QString& folder,
                                           const ReleaseOptions& options,
                                           const std::function<bool(int, int)>& progress = {},
                                           const LetteredImages& lettered = {});

    // The figures of an image as the DATA message of it alone carries them;
    // fails when the image could not travel.
    static Expected<MessageFigures> figures(const ImageRecord& image);

    // A sign's folder of images in a release folder, with its separator:
    // what SetSend::choose takes.
    static QString signFolder(const QString& releaseFolder, const QString& sign)
    {
        return releaseFolder + (releaseFolder.endsWith(QLatin1Char('/')) ? QString() : QStringLiteral("/")) + sign +
               QLatin1Char('/');
    }
    // The proof sheet of a sign beside its folder: `<sign name>-proof.png`
    // (its first page) or `<sign name>-proof.pdf`.
    static QString sheetName(const QString& sign, SheetFormat format = SheetFormat::Png)
    {
        return sign + (format == SheetFormat::Pdf ? QStringLiteral("-proof.pdf") : QStringLiteral("-proof.png"));
    }
    // Whether `fileName` (no folder) is a proof sheet of `sign` a release
    // may have written, in either format, any page of it.
    static bool isSheetOf(const QString& fileName, const QString& sign);

    // What a stopped release reports.
    static QString stoppedMessage();
};

} // namespace vexel
