#pragma once

#include "document/Result.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

namespace vexel {

// What a database role may do with one server set (its schema): read it, or
// edit and release it too. Rights go per set, so a depot may edit its own
// sets and only read the others'; a role given none cannot even see a set.
// They are given by vexel_owner, which owns every set (SetOwner).
//
// An edit right changes destinations, signs, images made by hand, word
// lists and the feed version, and adds releases and history entries, which
// nobody may change or take out afterwards: every version stays. The set's
// mark and id are written by the schema steps alone.
class SetRights {
public:
    enum class Right { Read, Edit };
    enum class Use { Read, Add, Change };

    // What an editor may do to a table's rows. A table a later step adds is
    // changed like the destinations unless it is named here.
    static Use use(const QString& table);
    // The privileges `right` gives on `table`: SELECT, and INSERT, UPDATE,
    // DELETE as its use allows.
    static QStringList privileges(const QString& table, Right right);
    // Everything `right` gives in a set of these tables and functions, as
    // SetCatalogue::grants names it: "USAGE on the schema", "SELECT on table
    // destination", "EXECUTE on function lock_set()".
    static QStringList expected(Right right, const QStringList& tables, const QStringList& functions);

    // Refused with the reason: PUBLIC (every role), the server's own pg_
    // roles, vexel_owner, and names that are not plain lower-case identifiers.
    static Status checkRole(const QString& role);
    // The statements that give `role` exactly `right` on `set`, whose tables
    // are `tables`, taking back whatever it had.
    static QStringList statements(const QString& role, const QString& set, Right right, const QStringList& tables);
    // What an administrator runs by hand: refused when run for a role that
    // does not exist or a schema that is no set, then the statements for the
    // tables this version of Vexel Image makes.
    static Expected<QStringList> sql(const QString& role, const QString& set, Right right);
    // Gives the right on the server of `address` (which names the set) as
    // vexel_owner, in one transaction, and fails unless the role then has
    // exactly those rights. `said`: what the server said meanwhile, in one
    // line, when it said anything.
    static Status grant(const QString& address, const QString& role, Right right, QString* said = nullptr);
    // Every role with rights on the current set given them again over the
    // tables it has now (after a step added one, or when a set made by an
    // earlier version is taken over); what PUBLIC had is taken back. Run as
    // vexel_owner.
    static Status regrant(QSqlDatabase& db);
};

} // namespace vexel
