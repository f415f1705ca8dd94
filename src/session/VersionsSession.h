#pragma once

#include "sets/DestinationSet.h"
#include "sets/VersionDiff.h"
#include "document/LedBitmap.h"
#include "document/Result.h"
#include "fleet/SetRelease.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace vexel {

class FontList;

// The use cases of the Versions window: the releases a set keeps, two of
// them compared, a proof sheet of what changed, a version restored or written
// again. Works on a set it opened itself or on one an editor has open.
class VersionsSession {
public:
    // Opens the set for editing, or read-only with the reason when another
    // editor holds it (then restoring is refused with that reason); a set
    // another window of the program has open is shared with it (OpenSets).
    static Expected<std::unique_ptr<VersionsSession>> open(const QString& path);
    explicit VersionsSession(DestinationSet& set) : set_(&set) {}
    // Works on a set another window has open, keeping it open while it does.
    explicit VersionsSession(std::shared_ptr<DestinationSet> set) : owned_(std::move(set)), set_(owned_.get()) {}

    DestinationSet& set() { return *set_; }
    const DestinationSet& set() const { return *set_; }

    // On a server that went away, each of these connects again first (a
    // set this session opened itself; one an editor lent it is connected
    // again by that editor) and fails saying why when it cannot.
    Expected<std::vector<SetVersion>> versions() const;
    Expected<VersionDiff> compare(int from, int to) const;
    Status restore(int number);
    // The version's files written again as they were released.
    Expected<ReleaseReport> releaseAgain(int number, FontList& fonts, const QString& folder);

    // A proof sheet of the changed images only, one PNG per sign: each
    // change's old image then its new one, titled with the code and the
    // version. With one sign the sheet is `path`; with several, `path` with
    // "-<sign>" before its extension. Returns the files written.
    Expected<QStringList> writeProofSheets(const VersionDiff& diff, const QString& path) const;

    // The frames of an image as LED states, each alone on a board of the
    // image's size; unless `all`, only frame `only` (none past the last).
    static std::vector<LedBitmap> frames(const ImageRecord& image, bool all, int only = 0);
    // The first frame whose LEDs differ between a sign's old and new image,
    // a frame only one of them has counting as differing; 0 when they
    // differ in no frame's LEDs or one side has no image.
    static int firstDifferingFrame(const SignImageChange& change);
    // One line of the list: number, time, note, feed version and counts,
    // in the interface's language.
    static QString describe(const SetVersion& version);
    // What a change did in words: "added", "removed", "destination_ka, via_en",
    // "image on front, rear"; the words in the interface's language, the
    // fields' and signs' names as the set has them.
    static QString describe(const VersionChange& change);

private:
    Status connected() const;

    std::shared_ptr<DestinationSet> owned_;
    // As given to open(), password included: only to connect again, which a
    // set lent by another window leaves to that window.
    QString address_;
    DestinationSet* set_ = nullptr;
};

} // namespace vexel
