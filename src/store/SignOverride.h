#pragma once

#include "depot/Destination.h"
#include "document/ImageRecord.h"

#include <QString>

namespace vexel {

// A destination's image for one sign made by hand, which a release uses
// instead of lettering the texts. It keeps the texts it was made from: once
// the destination's texts differ, the image is stale and says something
// the destination no longer does.
struct SignOverride {
    QString code; // the destination
    QString sign; // the sign's name
    ImageRecord image;
    // Only the texts count: route, destinations and via stops.
    Destination madeFrom;
    // The revision of the set's row this was read from (0: not read).
    qint64 revision = 0;

    bool staleFor(const Destination& now) const { return !madeFrom.sameTexts(now); }
};

} // namespace vexel
