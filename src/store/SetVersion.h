#pragma once

#include "depot/Destination.h"
#include "store/SignOverride.h"
#include "document/ImageRecord.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <vector>

namespace vexel {

// One release of a set, kept in the set: what was released, from what, and
// the image of every destination on every sign exactly as it was written,
// so the release can be compared, restored and written again byte for byte.
struct SetVersion {
    struct Image {
        QString sign;
        QString code;
        ImageRecord image;
    };

    int number = 0; // 1, 2, ... given by the set
    QDateTime time;
    QString note;
    QString feedVersion; // the transit feed the texts came from, if any
    std::vector<Destination> destinations;
    std::vector<SignOverride> overrides;
    std::vector<Image> images;
    // The legibility findings of the release, one line each, as release.txt
    // gave them; kept so that writing the version again does not depend on
    // today's rule files.
    QStringList findings;

    // Kept with the version, so a list of versions needs no images: how many
    // it holds, and how many destinations it added, changed (a text or an
    // image) and removed against the version before it.
    int imageCount = 0;
    // Given when it is released: the day it counts from (null: at once)
    // and the folder it went to. Kept by addVersion, not read back by it.
    QDate validFrom;
    QString folder;
    int added = 0;
    int changed = 0;
    int removed = 0;
};

} // namespace vexel
