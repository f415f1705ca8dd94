#pragma once

#include "document/Result.h"

#include <QPointer>
#include <QString>

#include <optional>
#include <vector>

namespace vexel {

class DestinationSet;
class DestinationsSession;

// A destination's image made by hand lives, while the operator edits it, as
// a real image file beside its set: `<set name>.overrides/<sign>/<code>.img`.
// Saving that file in the editor stores it as the set's override, so the
// place of the file is all that ties the two together.
//
// A set on a server has no folder of its own: its images are made in a
// working folder of the user's data, one per set, which names the set's
// address (without a password) in a file of its own.
namespace OverrideFiles {

// `<set folder>/<set name>.overrides/<sign>/<code>.img`; for a server set
// `<server folder>/<sign>/<code>.img`.
QString path(const QString& setPath, const QString& sign, const QString& code);
// `<user's data>/server sets/<set> on <database> <hash of the address>`.
QString serverFolder(const QString& address);
// Makes a server set's working folder and writes the address it stands
// for; nothing for a file.
Status prepare(const QString& setPath);

struct Target {
    QString setPath;
    QString sign;
    QString code;
};
// The set, sign and destination an image path stands for, when it lies in
// a set's overrides folder and the set is there.
std::optional<Target> target(const QString& imagePath);

} // namespace OverrideFiles

// The link between the editor and the sets open for editing beside it: the
// editor holds one, and a Destinations window attaches the session of the
// set it opens. After writing an image file the editor asks it what became
// of the file. A file that is not in a set's overrides folder is none of its
// business (nothing); one that is is stored in its set (through the attached
// session that has the set open, else by opening the set for the moment)
// and the outcome returned.
class OverrideLink {
public:
    // A session is forgotten when it is destroyed.
    void attach(DestinationsSession* session);
    std::optional<Status> imageSaved(const QString& imagePath) const;

private:
    DestinationsSession* openFor(const QString& setPath) const;
    std::vector<QPointer<DestinationsSession>> sessions_;
};

} // namespace vexel
