#pragma once

#include "document/Result.h"

#include <QString>

#include <optional>

namespace vexel {

class DestinationSet;

// A destination's image made by hand lives, while the operator edits it, as
// a real image file beside its set: `<set name>.overrides/<sign>/<code>.img`.
// Saving that file in the editor stores it as the set's override, so the
// place of the file is all that ties the two together.
namespace OverrideFiles {

// `<set folder>/<set name>.overrides/<sign>/<code>.img`.
QString path(const QString& setPath, const QString& sign, const QString& code);

struct Target {
    QString setPath;
    QString sign;
    QString code;
};
// The set, sign and destination an image path stands for, when it lies in
// a set's overrides folder and the set is there.
std::optional<Target> target(const QString& imagePath);

} // namespace OverrideFiles

// What the editor calls after writing an image file. A file that is not in
// a set's overrides folder is none of its business (nothing); one that is
// is stored in its set (through the Destinations session that has the set
// open, else by opening the set for the moment) and the outcome returned.
class OverrideSaveHook {
public:
    static std::optional<Status> imageSaved(const QString& imagePath);
};

} // namespace vexel
