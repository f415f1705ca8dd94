#pragma once

#include "store/ServerAddress.h"
#include "document/Result.h"
#include "fleet/SendJournal.h"

#include <QSqlDatabase>
#include <QStringList>

#include <vector>

namespace vexel {

// The send journal of a fleet on a PostgreSQL server: one table,
// `vexel_journal`, that every PC writes its sends and reads into, each
// entry keyed by its own id with the station that sent it and the database
// user. Every call is one connection that gives up after the journal's
// three seconds when it writes: two to connect, one for the statement.
class JournalServer {
public:
    static constexpr int ConnectTimeout = 2;          // seconds, libpq's least
    static constexpr int StatementTimeoutMs = 1000;
    // All a send's entry waits for the server, connecting included.
    static constexpr int SendWaitMs = 3000;
    // Reading a whole fleet's journal, and bringing a large one up to this
    // version, take longer than a send may wait; neither holds up a send.
    static constexpr int ReadTimeoutMs = 30000;
    static constexpr int InitTimeoutMs = 600000;
    static constexpr int MaxRowsPerUpload = 500;
    static constexpr int MaxRowsRead = 200000;
    // Every insert notifies this channel with each bus it recorded a send
    // or read of, when it commits.
    static constexpr const char* JournalChannel = "vexel_journal";

    JournalServer() = default;
    explicit JournalServer(ServerAddress address);
    static Expected<JournalServer> at(const QString& address);

    const ServerAddress& address() const { return address_; }

    // Stores the entries, leaving out those whose id is there already.
    Status insert(const std::vector<JournalEntry>& entries) const;
    // The entries the filter lets through, oldest first. Every row is
    // checked as it is read, and no text longer than an entry holds is
    // fetched; a row that is not one Vexel Image writes is left out and
    // named, by its id, in `skipped`.
    Expected<std::vector<JournalEntry>> entries(const JournalFilter& filter, QStringList* skipped = nullptr) const;

    // The last send each board answered OK, by bus and sign; checked alike.
    Expected<std::vector<GoodSend>> lastGoodSends(const QString& bus = {}, QStringList* skipped = nullptr) const;

    // The SQL that makes the journal's table in an empty database and, with
    // `roles`, the role vexel_owner that owns it and every set, and the
    // group roles vexel_editor and vexel_viewer and their rights on it.
    static QStringList initSql(bool roles);
    // What brings a journal of an older version up to this one (and makes
    // the bus list); it changes nothing run twice.
    static QStringList upgradeSql();
    // Runs initSql on the server, with the roles where the connecting role
    // may create roles; `rolesMade` says which. With `upgraded`, a journal
    // there already is brought up to date (and it says so) rather than
    // refused. With the roles, every set of the database is brought under
    // vexel_owner; `notes` says which, and which were left as they are.
    Status init(bool* rolesMade = nullptr, bool* upgraded = nullptr, QStringList* notes = nullptr) const;

private:
    static Status insertRows(QSqlDatabase& db, const std::vector<JournalEntry>& entries, bool withFleet);
    static QStringList groupGrants();
    static QStringList roleSql();
    static QStringList ownerSql();
    static bool hasTable(const QSqlDatabase& db, const char* table);
    // Whether the table has the columns the fleet added (set_id, sums).
    static bool fleetColumns(const QSqlDatabase& db);

    ServerAddress address_;
};

} // namespace vexel
