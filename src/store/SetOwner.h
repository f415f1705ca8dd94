#pragma once

#include "document/Result.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

namespace vexel {

// The role that owns every set on a server, and what a set holds that runs
// with its rights. Whoever owns a table can attach code to it (checks,
// defaults, triggers, rules, row security policies, index expressions) that
// runs with the rights of whoever writes to it; so every set's schema, its
// tables and its functions belong to vexel_owner, a role nobody logs in as.
// The depots' login roles get rights on a set (SetRights), never ownership.
// A set is made, and brought up to a new version, by a member of it.
class SetOwner {
public:
    static constexpr const char* Role = "vexel_owner";

    // A name as SQL writes an identifier: in double quotes.
    static QString quoted(const QString& name);

    // Makes the role where it is missing, lets it make schemas in this
    // database, and makes the connecting role (an administrator) a member.
    static QStringList setupSql();
    // The set's functions that run as the owner; each sets its own search
    // path and names every table with its schema. Executable by nobody
    // until a grant says so.
    static QStringList functionSql(const QString& schema);

    // The rest of the transaction acts as vexel_owner; the failure says who
    // may.
    static Status become(QSqlDatabase& db);
    // The role set up by a connecting role that may create roles, where it
    // is missing or may not make schemas here yet.
    static Status ensure(QSqlDatabase& db);
    // Every set of the database brought under vexel_owner: those made by an
    // earlier version of Vexel Image, owned by whoever made them. One line
    // each for the sets taken over and those left as they are, with why.
    static Expected<QStringList> adoptAll(QSqlDatabase& db);
    // One set brought under vexel_owner, with the functions and rights this
    // version gives a set; true when anything had to change. Refused when
    // it holds anything Vexel Image does not make. The caller holds the
    // transaction, whose search path is left on the set.
    static Expected<bool> adopt(QSqlDatabase& db, const QString& schema);

private:
    static Status takeOver(QSqlDatabase& db, const QString& schema);
};

} // namespace vexel
