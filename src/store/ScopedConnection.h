#pragma once

#include "store/ServerAddress.h"
#include "document/Result.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QString>

namespace vexel {

// One Qt SQL connection, to an SQLite file or to a PostgreSQL server, under
// a name no other connection of the program has ("vexel-KIND-N"). It is
// closed and removed with this object, so no connection outlives the work
// that needed it; release() hands it to whoever keeps it longer (the
// server connections kept between uses, see HeldConnection).
class ScopedConnection {
public:
    // The text a failed open is reported with.
    using Describe = QString (*)(const QSqlError& error);
    static QString errorText(const QSqlError& error) { return error.text(); }

    ScopedConnection() = default; // none
    ScopedConnection(ScopedConnection&& other) noexcept;
    ScopedConnection& operator=(ScopedConnection&& other) noexcept;
    ScopedConnection(const ScopedConnection&) = delete;
    ScopedConnection& operator=(const ScopedConnection&) = delete;
    ~ScopedConnection();

    // An SQLite connection to `path`, set up but not opened. A busy file is
    // waited on for `busyTimeoutMs` (negative: SQLite's own default); a
    // read-only one refuses every change.
    static ScopedConnection sqlite(const char* kind, const QString& path, bool readOnly = false,
                                   int busyTimeoutMs = -1);
    // A PostgreSQL connection set up as ServerAddress::connection() sets
    // one up, not opened.
    static ScopedConnection server(const char* kind, const ServerAddress& address, int statementTimeoutMs);

    // The SQLite connection opened; fails when Qt's driver is missing or
    // the file cannot be opened, with `describe`'s words for the error.
    static Expected<ScopedConnection> openSqlite(const char* kind, const QString& path, bool readOnly,
                                                 int busyTimeoutMs, Describe describe = errorText);

    // Whether Qt has the driver the connection needs.
    bool valid() const { return db().isValid(); }
    QSqlDatabase db() const { return QSqlDatabase::database(name_, false); }
    const QString& name() const { return name_; }
    bool isNull() const { return name_.isEmpty(); }

    // Closes and removes it now.
    void reset();
    // Leaves the connection open and registered under its name, which is
    // returned; this object holds none after.
    QString release();

private:
    explicit ScopedConnection(const char* kind);

    QString name_;
};

} // namespace vexel
