#pragma once

#include "store/SignOverride.h"
#include "document/Result.h"

#include <QSqlDatabase>

#include <vector>

namespace vexel {

// The hand-made images of an open set, each for one destination on one
// sign, with the texts it was made from.
class OverrideTable {
public:
    explicit OverrideTable(QSqlDatabase db) : db_(std::move(db)) {}

    // Every override with its destination's code and its sign's name, in
    // the order of the destinations, then of the signs. Each image is checked
    // as a file the editor loads, and against its sign's size.
    Expected<std::vector<SignOverride>> all() const;
    // The override's revision; 0 when there is none.
    Expected<qint64> revision(qint64 destinationId, qint64 signId) const;
    // Replaces the override of the destination on the sign, if there is one.
    Status store(qint64 destinationId, qint64 signId, const SignOverride& image);
    Status remove(qint64 destinationId, qint64 signId);

private:
    QSqlDatabase db_;
};

} // namespace vexel
