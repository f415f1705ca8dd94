#pragma once

#include "document/Result.h"

#include <QSqlDatabase>
#include <QString>

#include <utility>
#include <vector>

namespace vexel {

// Where a set or a journal lives on a PostgreSQL server, written as libpq
// writes a connection URI:
//
//   postgresql://[user[:password]@]host[:port]/database?set=NAME
//   postgresql://user@/database?host=/run/postgresql&port=5432&set=NAME
//
// libpq's own parameters (sslmode, sslrootcert, service ...) pass through
// as query parameters. A password may be given, but it is never shown:
// `shown()` leaves it out, and messages name the address by `shown()` only.
// libpq's ~/.pgpass, PGPASSWORD and service file are the places to keep one.
struct ServerAddress {
    enum class SetName {
        Required,  // a set on a server: `set=` must be there
        Forbidden, // a database (`vexel db`, the journal)
    };

    static constexpr int MaxLength = 4096;
    static constexpr int DefaultConnectTimeout = 5;        // seconds
    static constexpr int DefaultStatementTimeout = 30000;  // milliseconds

    QString user;
    QString password;
    QString host; // a name, an address, or a socket folder (starting with "/")
    int port = 0; // 0: libpq's default
    QString database;
    QString set;
    int connectTimeout = DefaultConnectTimeout;
    std::vector<std::pair<QString, QString>> parameters; // passed to libpq as given

    // Whether `text` is written as a server address rather than a file path.
    static bool isServer(const QString& text);
    static Expected<ServerAddress> parse(const QString& text, SetName setName);

    // The address as it may be shown and stored: without the password.
    QString shown() const;
    // Any text given as a server address, as it may be shown: shown() when
    // it can be read, with or without a set; else the text without what
    // stands between postgresql:// and its last @, and without password=
    // and sslpassword=.
    static QString hidden(const QString& text);

    // A connection named `name` set up for this address: host, port,
    // database, user and password, connect_timeout, TCP keepalives and
    // tcp_user_timeout, and a statement_timeout of `statementTimeoutMs` for
    // every statement of the session.
    QSqlDatabase connection(const QString& name, int statementTimeoutMs = DefaultStatementTimeout) const;
};

} // namespace vexel
