#pragma once

#include "sets/DestinationSet.h"
#include "document/Result.h"

#include <QString>

#include <memory>

namespace vexel {

// The destination sets open in this program, one opening per set. The
// windows that work on a set (Destinations, Versions, the GTFS import) take
// it from here and so share it: none is refused because another window of
// the program holds the set's lock, and the set closes, giving its lock
// back, when the last of them lets it go. Another program is still refused,
// or gets the set read-only, as DestinationSet::open says. A set is shared
// within the thread that opened it, as its connection is.
class OpenSets {
public:
    // The set open at `address`, or opened now. A set held read-only is
    // opened again when editing is asked for, in case the editor that kept
    // it has let it go meanwhile. A set opened for reading only is not
    // shared; one opened for editing may be handed out for reading.
    static Expected<std::shared_ptr<DestinationSet>> open(const QString& address, DestinationSet::Access access);
    static Expected<std::shared_ptr<DestinationSet>> open(const SetAddress& address, DestinationSet::Access access);
    // The same set whatever way its address is written: a file's canonical
    // path, a server set's address without its password.
    static QString key(const QString& address);
    static QString key(const SetAddress& address);
};

} // namespace vexel
