#pragma once

#include "document/Result.h"

#include <QString>

#include <functional>

namespace vexel {

// A set copied whole to a new place, between files and server sets in any
// pairing: to a server to start sharing a set, to a file to work on it
// offline. Every table is copied row for row (versions with their images
// stored once, findings, histories, words, signs, overrides, the set's id),
// in one transaction on the new set: a copy that fails leaves no new set.
//
// A server set copied to a file records where it came from and what each
// destination was, so SetMerge can bring the file's changes back.
class SetCopy {
public:
    struct Summary {
        QString to; // the new set as it may be shown
        int destinations = 0;
        int versions = 0;
        int images = 0;       // distinct images of the versions
        bool offline = false; // a server set's copy in a file
    };

    // Refused when `to` exists already.
    static Expected<Summary> copy(const QString& from, const QString& to);

    // Called in the new set's transaction after each table is copied; a
    // failure it returns stops the copy there. For the tests of a copy cut
    // short; none by default.
    using TableHook = std::function<Status(const QString& table)>;
    static void setAfterTable(TableHook hook);
};

} // namespace vexel
