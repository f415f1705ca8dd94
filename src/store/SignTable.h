#pragma once

#include "store/VehicleSign.h"
#include "document/Result.h"

#include <QSqlDatabase>

#include <optional>
#include <vector>

namespace vexel {

// The vehicle's signs of an open set, in the order they were added; each
// row read is checked as a new sign would be.
class SignTable {
public:
    explicit SignTable(QSqlDatabase db) : db_(std::move(db)) {}

    Expected<std::vector<VehicleSign>> all() const;
    Expected<std::optional<qint64>> idOf(const QString& name) const;
    // The row's revision; 0 when it is gone.
    Expected<qint64> revision(qint64 id) const;
    Status insert(const VehicleSign& sign);
    Status update(qint64 id, const VehicleSign& sign);
    Status remove(qint64 id);

private:
    QSqlDatabase db_;
};

} // namespace vexel
