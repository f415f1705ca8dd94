#pragma once

#include "document/Result.h"

#include <QString>
#include <QStringList>

namespace vexel {

// What a database role may do with one server set (its schema): read it, or
// edit and release it too. Rights go per set, so a depot may edit its own
// sets and only read the others'; a role given none cannot even see a set.
class SetRights {
public:
    enum class Right { Read, Edit };

    // The statements that give `role` exactly `right` on `set`, taking back
    // an edit right a --read grant replaces. Refused for a role or set name
    // that is not a plain lower-case identifier.
    static Expected<QStringList> sql(const QString& role, const QString& set, Right right);
    // Runs them on the server of `address` (which names the set) in one
    // transaction.
    static Status grant(const QString& address, const QString& role, Right right);
};

} // namespace vexel
