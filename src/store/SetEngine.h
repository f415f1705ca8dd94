#pragma once

#include "document/Result.h"

#include <QSqlDatabase>
#include <QString>

namespace vexel {

// What differs between a set in an SQLite file and a set in a schema of a
// PostgreSQL database. Schema steps and queries are written once, with
// these placeholders where the engines differ:
//
//   {id}      a row id the engine numbers (SQLite's rowid alias, an identity)
//   {blob}    bytes: BLOB / BYTEA
//   {real}    a double: REAL / DOUBLE PRECISION
//   {nocase}  SQLite's ASCII case folding of a column; nothing on a server,
//             where the program's own keys do the folding
//   {seq}     a column that keeps the order rows were added in, where SQLite
//             has its rowid; {rowid} names it in queries
class SetEngine {
public:
    enum class Kind { File, Server };

    static const SetEngine& file();
    static const SetEngine& server();
    // The engine of an open connection, by its driver.
    static const SetEngine& of(const QSqlDatabase& db);

    Kind kind() const { return kind_; }
    bool onServer() const { return kind_ == Kind::Server; }

    QString sql(const char* text) const;
    QString sql(const QString& text) const;
    Status run(QSqlDatabase& db, const char* text) const;

    // Marks an empty database as a set (an application id in the file's
    // header; a one-row table on a server, which also carries the version
    // and is the row every change locks).
    Status mark(QSqlDatabase& db) const;
    // The set's version; 0 when the database holds no set mark.
    Expected<qint64> version(const QSqlDatabase& db) const;
    Status setVersion(QSqlDatabase& db, int version) const;

    // A transaction that holds the set's write lock until it ends: SQLite's
    // BEGIN IMMEDIATE fails fast while another writer holds the file; on a
    // server the version row is locked (by the set's function lock_set,
    // which lets an editor lock what it may not change), so changes of one
    // set follow one another and two releases take consecutive numbers.
    Status begin(QSqlDatabase& db) const;
    Status commit(QSqlDatabase& db) const;
    void rollback(QSqlDatabase& db) const;

    // Who the database says is connected; empty for a file.
    QString databaseUser(const QSqlDatabase& db) const;

private:
    explicit SetEngine(Kind kind) : kind_(kind) {}
    Kind kind_;
};

} // namespace vexel
