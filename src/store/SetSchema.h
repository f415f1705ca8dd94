#pragma once

#include "document/Result.h"

#include <QSqlDatabase>
#include <QString>
#include <QVariant>

#include <tuple>
#include <vector>

class QSqlError;

namespace vexel {

// The tables of a destination set and how a set of an older version becomes
// one of this version, on either engine (SetEngine keeps the differences).
// A file's version is its user_version and its application_id says it is
// a set at all; a server set keeps both in its set_version row. Version 0
// is an empty database, so making a set is migrating one from 0.
class SetSchema {
public:
    static constexpr int Version = 10;
    static constexpr qint32 ApplicationId = 0x56585354; // "VXST"

    // One object of sqlite_master: what a set may hold and nothing else.
    struct Object {
        QString type;
        QString name;
        QString table;
        QString sql;
        friend bool operator==(const Object& a, const Object& b)
        {
            return a.type == b.type && a.name == b.name && a.table == b.table && a.sql == b.sql;
        }
        friend bool operator<(const Object& a, const Object& b)
        {
            return std::tie(a.type, a.name) < std::tie(b.type, b.name);
        }
    };

    // The schema of version `from` becomes that of `from + 1`.
    static Status step(QSqlDatabase& db, int from);
    // Every step from `from` to Version, then the version number; the
    // caller holds the transaction, so a failed step changes nothing.
    static Status migrate(QSqlDatabase& db, int from);

    // The objects of a database, sorted; SQLite's statistics tables left out.
    static Expected<std::vector<Object>> objects(const QSqlDatabase& db);
    // The objects the steps make for `version`, built in memory once.
    static Expected<std::vector<Object>> expected(int version);
    // Fails, naming the first object that differs, when the database holds
    // anything the steps to `version` do not make or lacks something they do
    // (a server set: see SetCatalogue, which also checks owners and rights).
    static Status compare(const QSqlDatabase& db, int version);

    // A statement without results; the failure carries SQLite's message.
    static Status run(QSqlDatabase& db, const QString& sql);
    static QString message(const QSqlError& error);
    // Qt binds a null QString as NULL, which the NOT NULL columns refuse.
    static QString notNull(const QString& text) { return text.isNull() ? QStringLiteral("") : text; }
    // The key codes and sign names are matched by, folded by the program
    // rather than by an engine's collation or locale.
    static QString key(const QString& name) { return name.toLower(); }
    // A stored yes/no: 0 or 1 and nothing else.
    static bool flag(const QVariant& v, bool& out);
    // The value of a PRAGMA that returns one number.
    static Expected<qint64> pragma(const QSqlDatabase& db, const QString& name);
};

} // namespace vexel
