#pragma once

#include "depot/ServerAddress.h"
#include "document/Result.h"
#include "session/SendJournal.h"

#include <QStringList>

#include <vector>

namespace vexel {

// The send journal of a fleet on a PostgreSQL server: one table,
// `vexel_journal`, that every PC writes its sends and reads into, each
// entry keyed by its own id with the station that sent it and the database
// user. Every call is one connection that gives up after the journal's
// three seconds: two to connect, one for the statement.
class JournalServer {
public:
    static constexpr int ConnectTimeout = 2;          // seconds, libpq's least
    static constexpr int StatementTimeoutMs = 1000;
    static constexpr int MaxRowsPerUpload = 500;
    static constexpr int MaxRowsRead = 200000;

    JournalServer() = default;
    explicit JournalServer(ServerAddress address);
    static Expected<JournalServer> at(const QString& address);

    const ServerAddress& address() const { return address_; }

    // Stores the entries, leaving out those whose id is there already.
    Status insert(const std::vector<JournalEntry>& entries) const;
    // The entries the filter lets through, oldest first; every row is
    // checked as it is read.
    Expected<std::vector<JournalEntry>> entries(const JournalFilter& filter) const;

    // The SQL that makes the journal's table in an empty database and, with
    // `roles`, the group roles vexel_editor and vexel_viewer and their
    // rights on it.
    static QStringList initSql(bool roles);
    // Runs initSql on the server, with the roles where the connecting role
    // may create roles; `rolesMade` says which.
    Status init(bool* rolesMade = nullptr) const;

private:
    ServerAddress address_;
};

} // namespace vexel
