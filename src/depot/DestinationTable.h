#pragma once

#include "depot/Destination.h"
#include "document/Result.h"

#include <QSqlDatabase>

#include <optional>
#include <vector>

namespace vexel {

// The destinations of an open set, in the order they were added. Every
// row read is checked as a new one would be, since the file may come from
// anywhere.
class DestinationTable {
public:
    explicit DestinationTable(QSqlDatabase db) : db_(std::move(db)) {}

    Expected<std::vector<Destination>> all() const;
    // The row id of a code (codes compare without case), or none.
    Expected<std::optional<qint64>> idOf(const QString& code) const;
    Status insert(const Destination& d);
    Status update(qint64 id, const Destination& d);
    Status remove(qint64 id);

    // A code that can name a file and a text in at least one script.
    static Status check(const Destination& d);

private:
    QSqlDatabase db_;
};

} // namespace vexel
