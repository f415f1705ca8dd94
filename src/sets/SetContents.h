#pragma once

#include "depot/Destination.h"
#include "store/SetWords.h"
#include "store/SignOverride.h"
#include "store/VehicleSign.h"
#include "document/Result.h"

#include <vector>

namespace vexel {

class DestinationSet;
class FontList;
class SetLettering;

// Everything a set's lettering reads, in one go: what the release, the
// status and the audit letter from.
struct SetContents {
    std::vector<Destination> destinations;
    std::vector<VehicleSign> signs;
    std::vector<SignOverride> overrides;
    SetWords words;

    static Expected<SetContents> read(const DestinationSet& set);

    // The image made by hand for a destination on a sign, if any; codes and
    // sign names match as the set matches them, in any case.
    const SignOverride* byHand(const QString& code, const QString& sign) const;
    // The set's word lists given to a lettering.
    void prepare(SetLettering& lettering) const;
};

} // namespace vexel
