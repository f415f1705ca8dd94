#include "fleet/JournalServer.h"

#include "store/SetOwner.h"
#include "fleet/BusList.h"
#include "fleet/JournalRows.h"
#include "fleet/ServerLink.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <QVariant>

#include <algorithm>
#include <optional>
#include <tuple>

#include <atomic>

namespace vexel {

namespace {

const char* const Table = "vexel_journal";
const char* const Carried = "vexel_carried";

// Texts the server may hand back are held to what a journal entry holds.
constexpr int MaxText = 4096;
constexpr int MaxFilesText = 1 << 20;

class Link : public ServerLink {
public:
    explicit Link(const ServerAddress& address, int statementTimeoutMs = JournalServer::StatementTimeoutMs,
                  QDeadlineTimer deadline = QDeadlineTimer(QDeadlineTimer::Forever))
        : ServerLink(address, JournalServer::ConnectTimeout, statementTimeoutMs, deadline)
    {
    }
};

QString why(const QSqlError& error) { return ServerLink::why(error); }

using journalrows::lines;
using journalrows::orNull;
using journalrows::text;

// A text column as it is fetched: one character past what an entry may
// hold, so that a longer one is seen without being loaded.
QString bounded(const char* column, int most)
{
    return QStringLiteral("left(%1, %2)").arg(QLatin1String(column)).arg(most + 1);
}

QString skippedRow(const QString& id)
{
    return QStringLiteral("entry %1 is not one Vexel Image writes; left out").arg(id.left(40));
}
QString insertSql(std::size_t rows, bool withFleet)
{
    QString sql = QStringLiteral("INSERT INTO %1 (id, time, bus, sign, set_name, version, port, kind, files, bytes, "
                                 "checksum, reply, station%2) VALUES ")
                      .arg(QLatin1String(Table), withFleet ? QStringLiteral(", set_id, sums") : QString());
    const QString row = withFleet ? QStringLiteral("(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")
                                  : QStringLiteral("(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    for (std::size_t i = 0; i < rows; ++i)
        sql += (i ? QStringLiteral(", ") : QString()) + row;
    return sql + QStringLiteral(" ON CONFLICT (id) DO NOTHING");
}

void bindRows(QSqlQuery& q, const std::vector<JournalEntry>& entries, bool withFleet)
{
    // Each good send updates its bus and sign's carried row: rows taken in
    // one order by every station, so that two uploads at once wait for each
    // other rather than deadlock.
    std::vector<const JournalEntry*> ordered;
    for (const JournalEntry& e : entries)
        ordered.push_back(&e);
    std::stable_sort(ordered.begin(), ordered.end(), [](const JournalEntry* a, const JournalEntry* b) {
        return std::tie(a->bus, a->sign) < std::tie(b->bus, b->sign);
    });
    for (const JournalEntry* entry : ordered) {
        const JournalEntry& e = *entry;
        q.addBindValue(e.id);
        q.addBindValue(e.time.toUTC());
        journalrows::bindSend(q, e);
        q.addBindValue(text(e.station));
        if (withFleet) {
            q.addBindValue(text(e.setId));
            q.addBindValue(text(e.sums.join(QLatin1Char('\n'))));
        }
    }
}

// Open Fleet windows hear of each bus sent to when this commits.
Status notifyBuses(QSqlDatabase& db, const std::vector<JournalEntry>& entries)
{
    QStringList buses;
    for (const JournalEntry& e : entries)
        if (!buses.contains(e.bus))
            buses << e.bus;
    QSqlQuery notify(db);
    notify.prepare(QStringLiteral("SELECT pg_notify('%1', ?)").arg(QLatin1String(JournalServer::JournalChannel)));
    for (const QString& bus : buses) {
        notify.addBindValue(text(bus).left(MaxText));
        if (!notify.exec())
            return Status::failure(why(notify.lastError()));
    }
    return Status::success();
}

// The entries' columns, each text held to one past what an entry may hold.
QString entriesSql(bool fleet)
{
    return QStringLiteral("SELECT id::text, time, %2, %3, %4, version, %5, left(kind, 5), %6, bytes, "
                          "checksum, %7, %8, %9, %10 FROM %1")
        .arg(QLatin1String(Table), bounded("bus", MaxText), bounded("sign", MaxText), bounded("set_name", MaxText),
             bounded("port", MaxText), bounded("files", MaxFilesText), bounded("reply", MaxText),
             bounded("station", MaxText))
        .arg(fleet ? bounded("set_id", MaxText) : QStringLiteral("''"),
             fleet ? bounded("sums", MaxFilesText) : QStringLiteral("''"));
}

// One row of entriesSql(); none when it is not one this program writes.
std::optional<JournalEntry> entryOf(const QSqlQuery& q)
{
    JournalEntry e;
    e.id = q.value(0).toString();
    e.time = q.value(1).toDateTime().toUTC();
    e.bus = q.value(2).toString();
    e.sign = q.value(3).toString();
    e.set = q.value(4).toString();
    e.version = q.value(5).isNull() ? 0 : q.value(5).toInt();
    e.port = q.value(6).toString();
    const QString kind = q.value(7).toString();
    const QString files = q.value(8).toString();
    e.files = lines(files);
    e.bytes = q.value(9).isNull() ? -1 : q.value(9).toInt();
    e.checksum = q.value(10).isNull() ? -1 : q.value(10).toInt();
    e.reply = q.value(11).toString();
    e.station = q.value(12).toString();
    e.read = kind == QLatin1String("read");
    e.setId = q.value(13).toString();
    const QString sums = q.value(14).toString();
    e.sums = lines(sums);
    const bool sound = QUuid::fromString(e.id).isNull() == false && e.time.isValid() &&
                       (kind == QLatin1String("read") || kind == QLatin1String("send")) && e.version >= 0 &&
                       files.size() <= MaxFilesText &&
                       sums.size() <= MaxFilesText &&
                       std::max({e.bus.size(), e.sign.size(), e.set.size(), e.port.size(), e.reply.size(),
                                 e.station.size(), e.setId.size()}) <= MaxText &&
                       e.bytes >= -1 && e.checksum >= -1 && e.checksum <= 0xFFFF;
    if (!sound)
        return std::nullopt;
    return e;
}

// The last good send of each bus and sign, from the carried table where
// the journal has one (`carried`); `fleet`: the table has the fleet's
// columns; `forBus` adds the condition on a bus.
QString goodSendsSql(bool fleet, bool carried, bool forBus)
{
    // The time as the local journal writes it, so both compare as text.
    const QString columns =
        QStringLiteral("to_char(time AT TIME ZONE 'UTC', 'YYYY-MM-DD\"T\"HH24:MI:SS.MS\"Z\"'), %1, %2, %3, "
                       "%4, id::text, version, %5, %6")
            .arg(bounded("bus", MaxText), bounded("sign", MaxText),
                 fleet ? bounded("set_id", MaxText) : QStringLiteral("''"), bounded("station", MaxText),
                 bounded("files", MaxFilesText), fleet ? bounded("sums", MaxFilesText) : QStringLiteral("''"));
    QString sql;
    if (carried) {
        sql = QStringLiteral("SELECT %1 FROM %2").arg(columns, QLatin1String(Carried));
        if (forBus)
            sql += QStringLiteral(" WHERE bus = ?");
        return sql + QStringLiteral(" ORDER BY bus, sign LIMIT %1").arg(JournalServer::MaxRowsRead + 1);
    }
    // A journal not yet brought up: every send is looked through.
    sql = QStringLiteral("SELECT DISTINCT ON (bus, sign) %1 FROM %2 WHERE reply = 'OK' AND kind = 'send'")
              .arg(columns, QLatin1String(Table));
    if (forBus)
        sql += QStringLiteral(" AND bus = ?");
    return sql + QStringLiteral(" ORDER BY bus, sign, time DESC LIMIT %1").arg(JournalServer::MaxRowsRead + 1);
}

// One row of goodSendsSql(); none when its texts are longer than a journal
// entry holds.
std::optional<GoodSend> goodSendOf(const QSqlQuery& q)
{
    const GoodSend g = journalrows::goodSendOf(q);
    if (q.value(7).toString().size() > MaxFilesText || q.value(8).toString().size() > MaxFilesText ||
        std::max({g.bus.size(), g.sign.size(), g.setId.size(), g.station.size()}) > MaxText)
        return std::nullopt;
    return g;
}

} // namespace

JournalServer::JournalServer(ServerAddress address) : address_(std::move(address)) {}

Expected<JournalServer> JournalServer::at(const QString& address)
{
    const Expected<ServerAddress> a = ServerAddress::parse(address, ServerAddress::SetName::Forbidden);
    if (!a)
        return a.status();
    return JournalServer(*a);
}

Status JournalServer::insert(const std::vector<JournalEntry>& entries) const
{
    const auto fail = [this](const QString& reason) {
        return Status::failure(QCoreApplication::translate("JournalServer", "The send journal on %1 could not be written: %2")
                                   .arg(address_.shown(), reason));
    };
    if (entries.empty())
        return Status::success();
    if (entries.size() > static_cast<std::size_t>(MaxRowsPerUpload))
        return fail("more than " + QString::number(MaxRowsPerUpload) + " entries at once");
    for (const JournalEntry& e : entries)
        if (QUuid::fromString(e.id).isNull())
            return fail("an entry has no id");
    const Link link(address_, StatementTimeoutMs, QDeadlineTimer(SendWaitMs));
    if (!link.error().isEmpty())
        return fail(link.error());
    QSqlDatabase db = link.db();
    // A table made before the fleet's columns (or the carried signs) is
    // brought up where this role may alter it; where it may not, entries go
    // up as the table stands until an administrator runs `vexel db init`.
    bool withFleet = fleetColumns(db);
    if (!withFleet || !hasTable(db, Carried)) {
        bool upgraded = db.transaction();
        QSqlQuery alter(db);
        for (const QString& statement : upgradeSql())
            upgraded = upgraded && alter.exec(statement);
        withFleet = (upgraded ? db.commit() : (db.rollback(), false)) || withFleet;
    }
    const Status stored = insertRows(db, entries, withFleet);
    return stored ? stored : fail(stored.error());
}

bool JournalServer::hasTable(const QSqlDatabase& db, const char* table)
{
    QSqlQuery q(db);
    return q.exec(QStringLiteral("SELECT to_regclass('%1') IS NOT NULL").arg(QLatin1String(table))) && q.next() &&
           q.value(0).toBool();
}

bool JournalServer::fleetColumns(const QSqlDatabase& db)
{
    QSqlQuery q(db);
    return q.exec(QStringLiteral("SELECT count(*) FROM pg_attribute WHERE attrelid = to_regclass('%1') "
                                 "AND attname IN ('set_id', 'sums') AND attnum > 0 AND NOT attisdropped")
                      .arg(QLatin1String(Table))) &&
           q.next() && q.value(0).toInt() == 2;
}

Status JournalServer::insertRows(QSqlDatabase& db, const std::vector<JournalEntry>& entries, bool withFleet)
{
    const auto undo = [&db](const QString& reason) {
        db.rollback();
        return Status::failure(reason);
    };
    const QString sql = insertSql(entries.size(), withFleet);
    if (!db.transaction())
        return Status::failure(why(db.lastError()));
    QSqlQuery q(db);
    if (!q.prepare(sql))
        return undo(why(q.lastError()));
    bindRows(q, entries, withFleet);
    if (!q.exec())
        return undo(why(q.lastError()));
    const Status notified = notifyBuses(db, entries);
    if (!notified)
        return undo(notified.error());
    if (!db.commit())
        return undo(why(db.lastError()));
    return Status::success();
}

Expected<std::vector<JournalEntry>> JournalServer::entries(const JournalFilter& filter, QStringList* skipped) const
{
    using Result = Expected<std::vector<JournalEntry>>;
    const auto fail = [this](const QString& reason) {
        return Result::failure(QCoreApplication::translate("JournalServer", "The send journal on %1 cannot be read: %2").arg(address_.shown(), reason));
    };
    const Link link(address_, ReadTimeoutMs);
    if (!link.error().isEmpty())
        return fail(link.error());
    journalrows::Where where;
    journalrows::addFilter(where, filter, [](const QDateTime& t) { return QVariant(t.toUTC()); });
    QString sql = entriesSql(fleetColumns(link.db()));
    if (!where.conditions.isEmpty())
        sql += QStringLiteral(" WHERE ") + where.conditions.join(QStringLiteral(" AND "));
    sql += QStringLiteral(" ORDER BY time, id LIMIT %1").arg(MaxRowsRead + 1);
    QSqlQuery q(link.db());
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        return fail(why(q.lastError()));
    for (const QVariant& v : where.values)
        q.addBindValue(v);
    if (!q.exec())
        return fail(why(q.lastError()));
    std::vector<JournalEntry> found;
    while (q.next()) {
        if (found.size() >= static_cast<std::size_t>(MaxRowsRead))
            return fail("it holds more than " + QString::number(MaxRowsRead) + " entries for this filter; narrow it");
        std::optional<JournalEntry> e = entryOf(q);
        if (e)
            found.push_back(std::move(*e));
        else if (skipped)
            *skipped << skippedRow(q.value(0).toString());
    }
    if (q.lastError().isValid())
        return fail(why(q.lastError()));
    return found;
}

QStringList JournalServer::initSql(bool roles)
{
    QStringList sql{
        QStringLiteral("CREATE TABLE %1 (\n"
                       "  id uuid PRIMARY KEY,\n"
                       "  time timestamptz NOT NULL,\n"
                       "  bus text NOT NULL,\n"
                       "  sign text NOT NULL,\n"
                       "  set_name text NOT NULL,\n"
                       "  version integer CHECK (version >= 1),\n"
                       "  port text NOT NULL,\n"
                       "  kind text NOT NULL CHECK (kind IN ('send', 'read')),\n"
                       "  files text NOT NULL,\n"
                       "  bytes integer CHECK (bytes >= 0),\n"
                       "  checksum integer CHECK (checksum BETWEEN 0 AND 65535),\n"
                       "  reply text NOT NULL,\n"
                       "  station text NOT NULL,\n"
                       "  db_user text NOT NULL DEFAULT current_user,\n"
                       "  uploaded timestamptz NOT NULL DEFAULT now()\n"
                       ")")
            .arg(QLatin1String(Table)),
        QStringLiteral("CREATE INDEX %1_time ON %1 (time)").arg(QLatin1String(Table)),
        QStringLiteral("CREATE INDEX %1_bus_sign ON %1 (bus, sign, time)").arg(QLatin1String(Table)),
    };
    sql << upgradeSql();
    return roles ? roleSql() + sql + ownerSql() : sql;
}

QStringList JournalServer::roleSql()
{
    // Roles belong to the whole server: another database's init may make
    // them at the same moment, which is as good as making them here.
    return SetOwner::setupSql() << QStringLiteral("DO $$ BEGIN\n"
                                                  "  BEGIN CREATE ROLE vexel_editor NOLOGIN;\n"
                                                  "  EXCEPTION WHEN duplicate_object OR unique_violation THEN NULL; END;\n"
                                                  "  BEGIN CREATE ROLE vexel_viewer NOLOGIN;\n"
                                                  "  EXCEPTION WHEN duplicate_object OR unique_violation THEN NULL; END;\n"
                                                  "END $$");
}

QStringList JournalServer::ownerSql()
{
    // Whoever owns a table can attach code to it that runs as whoever writes
    // to it: the journal's tables and functions belong to vexel_owner, and
    // the groups get rights alone. The owner must be able to make what it
    // owns in the journal's schema.
    QStringList sql{QStringLiteral("DO $$ BEGIN EXECUTE format('GRANT CREATE ON SCHEMA %I TO %s', current_schema(), "
                                   "'%1'); END $$")
                        .arg(QLatin1String(SetOwner::Role))};
    for (const char* table : {Table, Carried, "vexel_bus"})
        sql << QStringLiteral("ALTER TABLE %1 OWNER TO %2").arg(QLatin1String(table), QLatin1String(SetOwner::Role));
    for (const char* function : {"vexel_carried_keep()", "vexel_journal_stamp()"})
        sql << QStringLiteral("ALTER FUNCTION %1 OWNER TO %2").arg(QLatin1String(function), QLatin1String(SetOwner::Role));
    return sql << groupGrants();
}

QStringList JournalServer::groupGrants()
{
    // What each send carried is written by the journal's trigger alone.
    return QStringList{QStringLiteral("REVOKE ALL ON %1, %2 FROM vexel_editor, vexel_viewer")
                           .arg(QLatin1String(Table), QLatin1String(Carried)),
                       QStringLiteral("GRANT SELECT, INSERT ON %1 TO vexel_editor, vexel_viewer").arg(QLatin1String(Table)),
                       QStringLiteral("GRANT SELECT ON %1 TO vexel_editor, vexel_viewer").arg(QLatin1String(Carried))}
           << BusList::grantSql();
}

QStringList JournalServer::upgradeSql()
{
    return QStringList{
               QStringLiteral("ALTER TABLE %1 ADD COLUMN IF NOT EXISTS set_id text NOT NULL DEFAULT ''")
                   .arg(QLatin1String(Table)),
               QStringLiteral("ALTER TABLE %1 ADD COLUMN IF NOT EXISTS sums text NOT NULL DEFAULT ''")
                   .arg(QLatin1String(Table)),
               // The last send each board took, by bus and sign, copied as each
               // entry goes in: what the fleet carries is then read from a row
               // a sign, however long the journal has grown. An entry uploaded
               // late, older than the one kept, leaves it. Room is left in each
               // page so that a row's update stays in its page.
               QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (bus text NOT NULL, sign text NOT NULL, "
                              "time timestamptz NOT NULL, id uuid NOT NULL, station text NOT NULL, "
                              "set_id text NOT NULL, version integer, files text NOT NULL, sums text NOT NULL, "
                              "PRIMARY KEY (bus, sign)) WITH (fillfactor = 50)")
                   .arg(QLatin1String(Carried)),
               // Runs as its owner, since nobody else may write what a bus
               // carries; its path holds the catalogue alone and every table
               // is named with the journal's schema.
               QStringLiteral("CREATE OR REPLACE FUNCTION %1_keep() RETURNS trigger LANGUAGE plpgsql SECURITY DEFINER\n"
                              "SET search_path = pg_catalog AS $$\n"
                              "BEGIN\n"
                              "  EXECUTE format('INSERT INTO %I.%1 AS c VALUES (($1).bus, ($1).sign, ($1).time, ($1).id, '\n"
                              "    '($1).station, ($1).set_id, ($1).version, ($1).files, ($1).sums) '\n"
                              "    'ON CONFLICT (bus, sign) DO UPDATE SET time = EXCLUDED.time, id = EXCLUDED.id, '\n"
                              "    'station = EXCLUDED.station, set_id = EXCLUDED.set_id, version = EXCLUDED.version, '\n"
                              "    'files = EXCLUDED.files, sums = EXCLUDED.sums WHERE c.time < EXCLUDED.time', TG_TABLE_SCHEMA)\n"
                              "    USING NEW;\n"
                              "  RETURN NULL;\n"
                              "END $$")
                   .arg(QLatin1String(Carried)),
               QStringLiteral("CREATE OR REPLACE TRIGGER %1_keep AFTER INSERT ON %2 FOR EACH ROW "
                              "WHEN (NEW.reply = 'OK' AND NEW.kind = 'send') EXECUTE FUNCTION %1_keep()")
                   .arg(QLatin1String(Carried), QLatin1String(Table)),
               // Who sent an entry, and when it came, are the server's word.
               QStringLiteral("CREATE OR REPLACE FUNCTION %1_stamp() RETURNS trigger LANGUAGE plpgsql "
                              "SET search_path = pg_catalog AS $$\n"
                              "BEGIN\n"
                              "  NEW.db_user := session_user;\n"
                              "  NEW.uploaded := now();\n"
                              "  RETURN NEW;\n"
                              "END $$")
                   .arg(QLatin1String(Table)),
               QStringLiteral("CREATE OR REPLACE TRIGGER %1_stamp BEFORE INSERT ON %1 FOR EACH ROW "
                              "EXECUTE FUNCTION %1_stamp()")
                   .arg(QLatin1String(Table)),
               QStringLiteral("INSERT INTO %1 SELECT DISTINCT ON (bus, sign) bus, sign, time, id, station, set_id, "
                              "version, files, sums FROM %2 WHERE reply = 'OK' AND kind = 'send' "
                              "ORDER BY bus, sign, time DESC ON CONFLICT (bus, sign) DO NOTHING")
                   .arg(QLatin1String(Carried), QLatin1String(Table)),
           }
           << BusList::serverSql();
}

Expected<std::vector<GoodSend>> JournalServer::lastGoodSends(const QString& bus, QStringList* skipped) const
{
    using Result = Expected<std::vector<GoodSend>>;
    const auto fail = [this](const QString& reason) {
        return Result::failure(QCoreApplication::translate("JournalServer", "The send journal on %1 cannot be read: %2").arg(address_.shown(), reason));
    };
    const Link link(address_, ReadTimeoutMs);
    if (!link.error().isEmpty())
        return fail(link.error());
    const bool forBus = !bus.trimmed().isEmpty();
    QSqlQuery q(link.db());
    q.setForwardOnly(true);
    if (!q.prepare(goodSendsSql(fleetColumns(link.db()), hasTable(link.db(), Carried), forBus)))
        return fail(why(q.lastError()));
    if (forBus)
        q.addBindValue(bus.trimmed());
    if (!q.exec())
        return fail(why(q.lastError()));
    std::vector<GoodSend> found;
    while (q.next()) {
        if (found.size() >= static_cast<std::size_t>(MaxRowsRead))
            return fail("it holds more than " + QString::number(MaxRowsRead) + " sends the boards took");
        std::optional<GoodSend> g = goodSendOf(q);
        if (g)
            found.push_back(std::move(*g));
        else if (skipped)
            *skipped << skippedRow(q.value(5).toString());
    }
    if (q.lastError().isValid())
        return fail(why(q.lastError()));
    return found;
}

Status JournalServer::init(bool* rolesMade, bool* upgraded, QStringList* notes) const
{
    const auto fail = [this](const QString& reason) {
        return Status::failure("The journal's table cannot be made on " + address_.shown() + ": " +
                               reason);
    };
    const Link link(address_, InitTimeoutMs);
    if (!link.error().isEmpty())
        return fail(link.error());
    QSqlDatabase db = link.db();
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("SELECT rolsuper OR rolcreaterole FROM pg_roles WHERE rolname = current_user")))
        return fail(why(q.lastError()));
    const bool roles = q.next() && q.value(0).toBool();
    if (!q.exec(QStringLiteral("SELECT to_regclass('%1') IS NOT NULL").arg(QLatin1String(Table))) || !q.next())
        return fail(why(q.lastError()));
    const bool existing = q.value(0).toBool();
    if (existing && upgraded == nullptr)
        return fail(QStringLiteral("it has one already (") + QLatin1String(Table) + QLatin1Char(')'));
    if (!db.transaction())
        return fail(why(db.lastError()));
    QStringList statements = initSql(roles);
    if (existing) {
        // The tables there are brought up to this version, the rest made;
        // the roles too, where an earlier init could not make them.
        statements = roles ? roleSql() + upgradeSql() + ownerSql() : upgradeSql();
    }
    for (const QString& statement : statements) {
        if (!q.exec(statement)) {
            const QString reason = why(q.lastError());
            db.rollback();
            return fail(reason);
        }
    }
    // Sets made by an earlier version, owned by whoever made them.
    const Expected<QStringList> adopted = roles ? SetOwner::adoptAll(db) : Expected<QStringList>(QStringList());
    if (!adopted) {
        db.rollback();
        return fail(adopted.error());
    }
    if (notes)
        *notes = *adopted;
    if (!db.commit())
        return fail(why(db.lastError()));
    if (rolesMade)
        *rolesMade = roles;
    if (upgraded)
        *upgraded = existing;
    return Status::success();
}

} // namespace vexel
