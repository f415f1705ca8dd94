#pragma once

#include "document/Result.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace vexel {

class DestinationSet;
class FontList;

// A release of a destination set: for each sign a folder `<sign name>/` of
// `<code>.img` files, a proof sheet per sign and `release.txt`, which names
// the set, the version and the time and lists every file with its frame
// count and the length and checksum of the DATA message that sends it alone.
// Each file is replaced whole or not at all. A set with a destination that
// does not fit releases nothing unless the release is partial.
struct ReleaseOptions {
    bool partial = false;
    bool proofSheets = true;
    int version = 0;    // write this stored version again; 0 releases the set as it is
    QString note;       // kept with the new version
};

struct ReleaseReport {
    int version = 0;      // the version written (0 when the set keeps none)
    QStringList written;  // the image files, sign by sign
    QStringList unfit;    // "12R on front: ..." for each that does not fit
    QString releaseText;  // the path of release.txt
};

class SetRelease {
public:
    // `progress(done, total)` returns false to stop before the next file.
    static Expected<ReleaseReport> release(DestinationSet& set, FontList& fonts, const QString& folder,
                                           const ReleaseOptions& options,
                                           const std::function<bool(int, int)>& progress = {});
};

} // namespace vexel
