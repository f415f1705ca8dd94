#pragma once

#include "document/Result.h"

#include <QString>
#include <QStringList>

namespace vexel {

// An offline copy's changes brought back to the server set it was copied
// from (see SetCopy). What the copy added, changed or removed since it last
// agreed with the server goes to the server in one transaction, each with a
// history entry, with the destination's images made by hand. A destination
// the server changed too is refused by name and stays as the server has it;
// the others still go in. The copy then remembers what the two agree on, so
// a second merge brings only what changed after the first.
class SetMerge {
public:
    struct Report {
        QStringList added;
        QStringList changed;
        QStringList removed;
        // "37 was changed on the server since the copy; not merged"
        QStringList refused;
        // The server took the changes, but the copy could not record it.
        QString warning;
    };

    static Expected<Report> merge(const QString& copyPath, const QString& serverSet);
};

} // namespace vexel
