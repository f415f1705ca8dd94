#pragma once

#include "document/Result.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <vector>

namespace vexel {

// What the schema of a set on a server holds, read from the server's
// catalogue: relations, columns with their defaults, constraints, indexes,
// triggers, rules, row security policies, functions, types and every other
// kind of object a schema can hold; who owns them and who was granted what.
//
// Whoever owns a table can attach code to it that runs with the rights of
// whoever writes to it, and a policy's code runs for readers too, so a set
// holds exactly what the schema steps make: what they make is built once
// per version in a scratch schema of the session's own (pg_temp), inside a
// transaction that is rolled back, and compared item by item.
class SetCatalogue {
public:
    struct Item {
        QString kind;       // "table", "column", "constraint", "function", ...
        QString table;      // the table it belongs to, if any
        QString name;
        QString definition; // as the server prints it, the schema's name left out
        QString key() const { return kind + QLatin1Char('\n') + table + QLatin1Char('\n') + name; }
        QString named() const;
    };
    struct Grant {
        QString grantee;   // a role, or PUBLIC
        QString privilege; // "SELECT on table destination", "USAGE on the schema"
        bool grantable = false;
    };
    // What stops a set from being used.
    struct Findings {
        QString foreign;    // something Vexel does not make: the set is refused
        QString forEditing; // its owners or rights are not Vexel's: read-only
    };

    // The objects of the current schema (the set's search path), in the
    // order the checks name them.
    static Expected<std::vector<Item>> items(const QSqlDatabase& db);
    // The objects the steps to `version` make, with the set's functions.
    static Expected<std::vector<Item>> expected(QSqlDatabase& db, int version);
    static Expected<std::vector<Grant>> grants(const QSqlDatabase& db);

    // The current schema against what the steps to `version` make, its
    // owners and its grants.
    static Expected<Findings> check(QSqlDatabase& db, int version);
};

} // namespace vexel
