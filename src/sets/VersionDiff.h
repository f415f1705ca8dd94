#pragma once

#include "feeds/DestinationDiff.h"
#include "store/SetVersion.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace vexel {

// A sign on which a destination's image differs between two versions; a side
// without an image (the destination was not there, or did not fit) is none.
struct SignImageChange {
    QString sign;
    std::optional<ImageRecord> before;
    std::optional<ImageRecord> after;
};

struct VersionChange {
    enum class Kind { Added, Removed, Changed };
    Kind kind = Kind::Changed;
    QString code;
    std::optional<Destination> before;
    std::optional<Destination> after;
    // Texts by their route CSV column name, then "note" and "in_use".
    std::vector<TextChange> texts;
    std::vector<SignImageChange> images;
};

// What changed from one version of a set to another, destination by
// destination, matched by code as the set matches them (without case): the
// newer version's destinations in its order, then those it no longer has.
struct VersionDiff {
    int from = 0;
    int to = 0;
    std::vector<VersionChange> changes;

    bool isEmpty() const { return changes.empty(); }
    int count(VersionChange::Kind kind) const;
};

VersionDiff diffVersions(const SetVersion& older, const SetVersion& newer);

// One line per destination: "+ CODE texts…", "~ CODE: field "old" → "new"; …;
// signs front, side", "- CODE texts…", as a feed's difference is printed.
QStringList versionDiffLines(const VersionDiff& diff);

} // namespace vexel
