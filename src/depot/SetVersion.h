#pragma once

#include "depot/Destination.h"
#include "depot/SignOverride.h"
#include "document/ImageRecord.h"

#include <QDateTime>
#include <QString>

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
};

} // namespace vexel
