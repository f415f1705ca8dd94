#include "fleet/SendJournal.h"

#include "feeds/CsvReader.h"
#include "store/ReleaseTable.h"
#include "store/ServerAddress.h"
#include "document/ImageFile.h"
#include "document/LimitedFile.h"
#include "fleet/JournalServer.h"
#include "fleet/ReleaseNote.h"
#include "fleet/JournalRows.h"
#include "fleet/ServerLink.h"
#include "transfer/DataMessage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QSysInfo>
#include <QUuid>
#include <QVariant>

#include <algorithm>

namespace vexel {

namespace {

constexpr int SchemaVersion = 4;

const char* const CreateTable = "CREATE TABLE IF NOT EXISTS entry ("
                                " id INTEGER PRIMARY KEY,"
                                " time TEXT NOT NULL,"
                                " bus TEXT NOT NULL DEFAULT '',"
                                " sign TEXT NOT NULL DEFAULT '',"
                                " set_name TEXT NOT NULL DEFAULT '',"
                                " version INTEGER,"
                                " port TEXT NOT NULL DEFAULT '',"
                                " kind TEXT NOT NULL,"
                                " files TEXT NOT NULL DEFAULT '',"
                                " bytes INTEGER,"
                                " checksum INTEGER,"
                                " reply TEXT NOT NULL)";

// Version 2: the entry's own id, the station that sent, and whether it
// still waits to go up to the server.
const char* const Version2[] = {"ALTER TABLE entry ADD COLUMN uid TEXT",
                                "ALTER TABLE entry ADD COLUMN station TEXT NOT NULL DEFAULT ''",
                                "ALTER TABLE entry ADD COLUMN pending INTEGER NOT NULL DEFAULT 0",
                                "CREATE UNIQUE INDEX entry_uid ON entry (uid)"};

// Version 3: the set's lasting id and each file's image checksum, which the
// fleet's state compares with the releases; it reads each sign's last good
// send through the index.
const char* const Version3[] = {"ALTER TABLE entry ADD COLUMN set_id TEXT NOT NULL DEFAULT ''",
                                "ALTER TABLE entry ADD COLUMN sums TEXT NOT NULL DEFAULT ''",
                                ("CREATE INDEX entry_good ON entry (bus, sign, time) "
                                 "WHERE reply = 'OK' AND kind = 'send'")};

// Version 4: the server a pending entry waits for, by its address without
// the password; it goes up there only.
const char* const Version4[] = {"ALTER TABLE entry ADD COLUMN server TEXT NOT NULL DEFAULT ''"};

QString timeText(const QDateTime& time) { return time.toUTC().toString(Qt::ISODateWithMs); }

using journalrows::lines;
using journalrows::orNull;
using journalrows::text;

QString shown(const QString& path) { return QLatin1Char('"') + QDir::toNativeSeparators(path) + QLatin1Char('"'); }

QString cannotRead(const QString& path, const QString& why)
{
    return QCoreApplication::translate("SendJournal", "The send journal %1 cannot be read: %2").arg(shown(path), why);
}

// The version of the journal file `path` opened for reading, when this
// program reads it.
Expected<int> readableVersion(const FileLink& c, const QString& path)
{
    if (!c.error().isEmpty())
        return Expected<int>::failure(cannotRead(path, c.error()));
    QSqlQuery version(c.db());
    if (!version.exec(QStringLiteral("PRAGMA user_version")) || !version.next())
        return Expected<int>::failure(cannotRead(path, version.lastError().text()));
    const int schema = version.value(0).toInt();
    if (schema > SchemaVersion)
        return Expected<int>::failure(cannotRead(path, QCoreApplication::translate("SendJournal", "it was written by a newer Vexel Image (journal version %1)")
                                                               .arg(schema)));
    return schema;
}

// The file's table made, or brought up to this version, inside the
// transaction the entry is written in.
Status prepareFile(const FileLink& c)
{
    Status done = c.run(QLatin1String(CreateTable));
    if (!done)
        return done;
    QSqlQuery version(c.db());
    int found = -1;
    if (version.exec(QStringLiteral("PRAGMA user_version")) && version.next())
        found = version.value(0).toInt();
    if (found > SchemaVersion)
        return Status::failure(QCoreApplication::translate("SendJournal", "it was written by a newer Vexel Image (journal version %1)").arg(found));
    const auto upgrade = [&](int below, const auto& steps) {
        if (done && found >= 0 && found < below)
            for (const char* sql : steps)
                if (done)
                    done = c.run(QLatin1String(sql));
    };
    upgrade(2, Version2);
    upgrade(3, Version3);
    upgrade(4, Version4);
    if (done && found != SchemaVersion)
        done = c.run(QStringLiteral("PRAGMA user_version = %1").arg(SchemaVersion));
    return done;
}

Status insertEntry(const FileLink& c, const JournalEntry& entry)
{
    QSqlQuery insert(c.db());
    insert.prepare(QStringLiteral("INSERT INTO entry (time, bus, sign, set_name, version, port, kind, files, "
                                  "bytes, checksum, reply, uid, station, pending, set_id, sums, server) "
                                  "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    insert.addBindValue(timeText(entry.time.isValid() ? entry.time : QDateTime::currentDateTimeUtc()));
    journalrows::bindSend(insert, entry);
    insert.addBindValue(entry.id);
    insert.addBindValue(text(entry.station));
    insert.addBindValue(entry.pending ? 1 : 0);
    insert.addBindValue(text(entry.setId));
    insert.addBindValue(text(entry.sums.join(QLatin1Char('\n'))));
    insert.addBindValue(entry.pending ? text(entry.server) : QStringLiteral(""));
    if (!insert.exec())
        return Status::failure(insert.lastError().text());
    return Status::success();
}

// The rows a prepared query finds, or why it found none. A failure while
// they are read is the caller's to look for.
template <class Row, class Read>
Expected<std::vector<Row>> rowsOf(QSqlQuery& q, const QVariantList& values, const QString& path, Read read)
{
    using Result = Expected<std::vector<Row>>;
    for (const QVariant& v : values)
        q.addBindValue(v);
    if (!q.exec())
        return Result::failure(cannotRead(path, q.lastError().text()));
    std::vector<Row> found;
    while (q.next())
        found.push_back(read(q));
    return found;
}

JournalEntry entryOf(const QSqlQuery& q)
{
    JournalEntry e;
    e.time = QDateTime::fromString(q.value(0).toString(), Qt::ISODateWithMs).toUTC();
    e.bus = q.value(1).toString();
    e.sign = q.value(2).toString();
    e.set = q.value(3).toString();
    e.version = q.value(4).isNull() ? 0 : q.value(4).toInt();
    e.port = q.value(5).toString();
    e.read = q.value(6).toString() == QLatin1String("read");
    const QString files = q.value(7).toString();
    e.files = files.isEmpty() ? QStringList() : files.split(QLatin1Char('\n'));
    e.bytes = q.value(8).isNull() ? -1 : q.value(8).toInt();
    e.checksum = q.value(9).isNull() ? -1 : q.value(9).toInt();
    e.reply = q.value(10).toString();
    e.id = q.value(11).toString();
    e.station = q.value(12).toString();
    e.pending = q.value(13).toInt() == 1;
    e.setId = q.value(14).toString();
    const QString sums = q.value(15).toString();
    e.sums = sums.isEmpty() ? QStringList() : sums.split(QLatin1Char('\n'));
    e.server = q.value(16).toString();
    return e;
}

// A journal of an older version is read as it is: version 1's entries
// have no id or station and are not pending; neither has set ids or sums,
// and before version 4 no pending entry names its server.
QString columns(int version)
{
    return QStringLiteral("SELECT time, bus, sign, set_name, version, port, kind, files, bytes, checksum, reply, %1, %2, "
                          "%3 FROM entry")
        .arg(version >= 2 ? QStringLiteral("uid, station, pending") : QStringLiteral("NULL, '', 0"),
             version >= 3 ? QStringLiteral("set_id, sums") : QStringLiteral("'', ''"),
             version >= 4 ? QStringLiteral("server") : QStringLiteral("''"));
}

// Pending entries waiting for the server bound at this place, or for none
// named (an older journal's, which went to the next server there was).
QString waitingFor(int version)
{
    return version >= 4 ? QStringLiteral("pending = 1 AND (server = ? OR server = '')") : QStringLiteral("pending = 1");
}

// A journal file may hold the bus list before anything was recorded.
bool hasEntries(const QSqlDatabase& db)
{
    QSqlQuery q(db);
    return q.exec(QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = 'entry'")) && q.next();
}

} // namespace

QString SendJournal::defaultPath()
{
    const QString forced = qEnvironmentVariable("VEXEL_JOURNAL");
    if (!forced.isEmpty() && !ServerAddress::isServer(forced))
        return forced;
    // Named in full, so that `vexel` (another application name) writes the
    // same journal as the editor.
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return base.isEmpty() ? QString() : base + QStringLiteral("/vexelimage/Vexel Image/journal.sqlite");
}

QString SendJournal::defaultServer(const QString& configured)
{
    const QString forced = qEnvironmentVariable("VEXEL_JOURNAL");
    if (ServerAddress::isServer(forced))
        return forced;
    return forced.isEmpty() ? configured : QString();
}

QString SendJournal::stationName(const QString& configured)
{
    const QString forced = qEnvironmentVariable("VEXEL_STATION").trimmed();
    if (!forced.isEmpty())
        return forced.left(200);
    if (!configured.trimmed().isEmpty())
        return configured.trimmed().left(200);
    return QSysInfo::machineHostName();
}

QString SendJournal::shownName() const
{
    if (server_.isEmpty())
        return QDir::toNativeSeparators(path_);
    const Expected<ServerAddress> a = ServerAddress::parse(server_, ServerAddress::SetName::Forbidden);
    return a ? a->shown() : QStringLiteral("a server address that cannot be read");
}

Status SendJournal::record(const JournalEntry& given, bool* uploaded, QString* why) const
{
    JournalEntry entry = given;
    if (entry.id.isEmpty())
        entry.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    if (entry.station.isEmpty())
        entry.station = station_;
    if (uploaded)
        *uploaded = false;
    if (server_.isEmpty())
        return recordLocally(entry);
    entry.pending = true;
    entry.server = serverKey();
    const Status kept = recordLocally(entry);
    Status sent = Status::success();
    if (kept) {
        sent = uploadWith(entry);
    } else {
        // A file that cannot be written leaves the server to keep it.
        const Expected<JournalServer> server = JournalServer::at(server_);
        sent = server ? server->insert({entry}) : server.status();
    }
    if (uploaded)
        *uploaded = sent.ok();
    if (!sent && why)
        *why = sent.error();
    return kept || !sent ? kept : Status::success();
}

Status SendJournal::uploadWith(const JournalEntry& entry) const
{
    const Expected<JournalServer> server = JournalServer::at(server_);
    if (!server)
        return server.status();
    const Expected<std::vector<JournalEntry>> waiting = localEntries({}, true);
    std::vector<JournalEntry> batch{entry};
    QStringList ids{entry.id};
    if (waiting)
        for (const JournalEntry& e : *waiting)
            if (e.id != entry.id && batch.size() < static_cast<std::size_t>(JournalServer::MaxRowsPerUpload)) {
                batch.push_back(e);
                ids << e.id;
            }
    const Status sent = server->insert(batch);
    if (sent)
        markUploaded(ids);
    return sent;
}

QString SendJournal::serverKey() const
{
    if (server_.isEmpty())
        return {};
    return ServerAddress::hidden(server_);
}

Expected<int> SendJournal::upload() const
{
    if (server_.isEmpty())
        return 0;
    const Expected<JournalServer> server = JournalServer::at(server_);
    if (!server)
        return server.status();
    const Expected<std::vector<JournalEntry>> pending = localEntries({}, true);
    if (!pending)
        return pending.status();
    int sent = 0;
    for (std::size_t first = 0; first < pending->size(); first += JournalServer::MaxRowsPerUpload) {
        const std::size_t last = std::min(pending->size(), first + JournalServer::MaxRowsPerUpload);
        const std::vector<JournalEntry> batch(pending->begin() + static_cast<std::ptrdiff_t>(first),
                                              pending->begin() + static_cast<std::ptrdiff_t>(last));
        const Status stored = server->insert(batch);
        if (!stored)
            return stored;
        QStringList ids;
        for (const JournalEntry& e : batch)
            ids << e.id;
        if (!markUploaded(ids))
            return sent;
        sent += static_cast<int>(batch.size());
    }
    return sent;
}

bool SendJournal::markUploaded(const QStringList& ids) const
{
    if (ids.isEmpty())
        return true;
    // The server has them now; a failure to mark them only offers them
    // again, which the server's ids turn into nothing.
    const FileLink c(path_, false, BusyTimeoutMs);
    if (!c.error().isEmpty())
        return false;
    QSqlQuery mark(c.db());
    mark.prepare(QStringLiteral("UPDATE entry SET pending = 0 WHERE uid = ?"));
    c.run(QStringLiteral("BEGIN IMMEDIATE"));
    for (const QString& id : ids) {
        mark.bindValue(0, id);
        mark.exec();
    }
    return c.run(QStringLiteral("COMMIT")).ok();
}

Status SendJournal::recordLocally(const JournalEntry& entry) const
{
    const auto fail = [this](const QString& why) {
        return Status::failure(QCoreApplication::translate("SendJournal", "The send journal %1 could not be written: %2").arg(shown(path_), why));
    };
    if (path_.isEmpty())
        return fail("there is no folder for it");
    const QString folder = QFileInfo(path_).absolutePath();
    if (!QDir().mkpath(folder))
        return fail("its folder cannot be made");

    const FileLink c(path_, false, BusyTimeoutMs);
    if (!c.error().isEmpty())
        return fail(c.error());
    // A write-ahead log: one sync a send rather than several.
    c.run(QStringLiteral("PRAGMA journal_mode = WAL"));
    Status done = c.run(QStringLiteral("BEGIN IMMEDIATE"));
    if (!done)
        return fail(done.error());
    done = prepareFile(c);
    if (done)
        done = insertEntry(c, entry);
    if (done)
        done = c.run(QStringLiteral("COMMIT"));
    if (done)
        return done;
    c.run(QStringLiteral("ROLLBACK"));
    return fail(done.error());
}

Expected<std::vector<JournalEntry>> SendJournal::entries(const JournalFilter& filter, QStringList* skipped) const
{
    if (server_.isEmpty())
        return localEntries(filter, false);
    const Expected<JournalServer> server = JournalServer::at(server_);
    if (!server)
        return server.status();
    Expected<std::vector<JournalEntry>> read = server->entries(filter, skipped);
    if (!read)
        return read;
    const Expected<std::vector<JournalEntry>> waiting = localEntries(filter, true);
    if (!waiting)
        return waiting;
    std::vector<JournalEntry> found = std::move(read).value();
    // An entry that went up but was not yet marked is shown once.
    for (const JournalEntry& e : *waiting)
        if (std::none_of(found.begin(), found.end(), [&](const JournalEntry& f) { return f.id == e.id; }))
            found.push_back(e);
    std::stable_sort(found.begin(), found.end(),
                     [](const JournalEntry& a, const JournalEntry& b) { return a.time < b.time; });
    return found;
}

Expected<std::vector<JournalEntry>> SendJournal::localEntries(const JournalFilter& filter, bool pendingOnly) const
{
    using Result = Expected<std::vector<JournalEntry>>;
    if (path_.isEmpty() || !QFileInfo::exists(path_))
        return std::vector<JournalEntry>();
    const FileLink c(path_, true, BusyTimeoutMs);
    const Expected<int> schema = readableVersion(c, path_);
    if (!schema)
        return schema.status();
    if (!hasEntries(c.db())) // the bus list alone, nothing recorded yet
        return std::vector<JournalEntry>();

    journalrows::Where where;
    if (pendingOnly) {
        if (*schema < 2)
            return std::vector<JournalEntry>();
        where.conditions << waitingFor(*schema);
        if (*schema >= 4)
            where.values << serverKey();
    }
    journalrows::addFilter(where, filter, [](const QDateTime& t) { return QVariant(timeText(t)); });
    QString sql = columns(*schema);
    if (!where.conditions.isEmpty())
        sql += QStringLiteral(" WHERE ") + where.conditions.join(QStringLiteral(" AND "));
    sql += QStringLiteral(" ORDER BY time, id");

    QSqlQuery q(c.db());
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        return Result::failure(cannotRead(path_, q.lastError().text()));
    return rowsOf<JournalEntry>(q, where.values, path_, entryOf);
}

Expected<std::vector<GoodSend>> SendJournal::lastGoodSends(const QString& bus, QStringList* skipped) const
{
    using Result = Expected<std::vector<GoodSend>>;
    std::vector<GoodSend> found;
    if (!server_.isEmpty()) {
        const Expected<JournalServer> server = JournalServer::at(server_);
        if (!server)
            return server.status();
        Result read = server->lastGoodSends(bus, skipped);
        if (!read)
            return read;
        found = std::move(read).value();
    }
    if (path_.isEmpty() || !QFileInfo::exists(path_))
        return found;
    const Result local = localGoodSends(bus);
    if (!local)
        return local;
    found.insert(found.end(), local->begin(), local->end());
    return latestPerSign(std::move(found));
}

Expected<std::vector<GoodSend>> SendJournal::localGoodSends(const QString& bus) const
{
    using Result = Expected<std::vector<GoodSend>>;
    const FileLink c(path_, true, BusyTimeoutMs);
    const Expected<int> readable = readableVersion(c, path_);
    if (!readable)
        return readable.status();
    const int schema = *readable;
    if (!hasEntries(c.db()))
        return std::vector<GoodSend>();
    // The last time of each bus and sign from the index alone, then those rows.
    QString good = QStringLiteral("reply = 'OK' AND kind = 'send'");
    QVariantList values;
    // With a server, the local file adds only what has not gone up to it yet.
    if (!server_.isEmpty()) {
        good += schema >= 2 ? QStringLiteral(" AND ") + waitingFor(schema) : QStringLiteral(" AND 0");
        if (schema >= 4)
            values << serverKey();
    }
    if (!bus.trimmed().isEmpty()) {
        good += QStringLiteral(" AND bus = ?");
        values << bus.trimmed();
    }
    const QString sql =
        QStringLiteral("SELECT e.time, e.bus, e.sign, %1, %2, e.version, e.files, %3 FROM "
                       "(SELECT bus, sign, max(time) AS last FROM entry WHERE %4 GROUP BY bus, sign) g "
                       "JOIN entry e ON e.bus = g.bus AND e.sign = g.sign AND e.time = g.last "
                       "AND e.reply = 'OK' AND e.kind = 'send'")
            .arg(schema >= 3 ? QStringLiteral("e.set_id") : QStringLiteral("''"),
                 schema >= 2 ? QStringLiteral("e.station, e.uid") : QStringLiteral("'', ''"),
                 schema >= 3 ? QStringLiteral("e.sums") : QStringLiteral("''"), good);
    QSqlQuery q(c.db());
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        return Result::failure(cannotRead(path_, q.lastError().text()));
    Result found = rowsOf<GoodSend>(q, values, path_, journalrows::goodSendOf);
    if (found && q.lastError().isValid())
        return Result::failure(cannotRead(path_, q.lastError().text()));
    return found;
}

std::vector<GoodSend> SendJournal::latestPerSign(std::vector<GoodSend> sends)
{
    QHash<QString, std::size_t> at;
    std::vector<GoodSend> out;
    for (GoodSend& g : sends) {
        const QString key = g.bus + QChar(0) + g.sign.toLower();
        const auto found = at.constFind(key);
        if (found == at.constEnd()) {
            at.insert(key, out.size());
            out.push_back(std::move(g));
        } else if (out[*found].time < g.time) {
            out[*found] = std::move(g);
        }
    }
    return out;
}

void SendJournal::describeFiles(JournalEntry& entry, const QStringList& paths)
{
    entry.files.clear();
    entry.sums.clear();
    for (const QString& path : paths) {
        entry.files << QFileInfo(path).fileName();
        // Regular files only: a named pipe put in a file's place would hold
        // the send's record up for ever.
        const Expected<QByteArray> bytes = LimitedFile::read(path, ImageFile::MaxTextSize);
        entry.sums << (bytes ? ReleaseTable::imageSum(*bytes) : QString());
    }
    const ReleaseNote note = ReleaseNote::beside(paths);
    entry.set = note.set;
    entry.setId = note.setId;
    entry.version = note.version;
    if (entry.sign.trimmed().isEmpty())
        entry.sign = note.sign;
    else
        entry.sign = entry.sign.trimmed();
}

Expected<std::optional<JournalEntry>> SendJournal::carried(const QString& bus, const QString& sign) const
{
    JournalFilter filter;
    filter.bus = bus;
    filter.sign = sign;
    filter.reply = QStringLiteral("OK");
    const Expected<std::vector<JournalEntry>> found = entries(filter);
    if (!found)
        return found.status();
    // A read's OK says nothing about what the sign shows.
    for (auto it = found->rbegin(); it != found->rend(); ++it)
        if (!it->read)
            return std::optional<JournalEntry>(*it);
    return std::optional<JournalEntry>();
}

QString SendJournal::carriedText(const QString& bus, const QString& sign, const std::optional<JournalEntry>& entry)
{
    // Shown by the Journal window, in the interface's language.
    const auto text = [](const char* english) { return QCoreApplication::translate("SendJournal", english); };
    const QString where = sign.trimmed().isEmpty()
                              ? text(QT_TRANSLATE_NOOP("SendJournal", "Bus %1")).arg(bus.trimmed())
                              : text(QT_TRANSLATE_NOOP("SendJournal", "Bus %1, %2 sign")).arg(bus.trimmed(), sign.trimmed());
    if (!entry)
        return text(QT_TRANSLATE_NOOP("SendJournal", "%1: no send that the board took is on record.")).arg(where);
    const QString when = entry->time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    if (entry->version > 0)
        return text(QT_TRANSLATE_NOOP("SendJournal", "%1: version %2 of %3, sent %4 (%5)."))
            .arg(where)
            .arg(entry->version)
            .arg(entry->set.isEmpty() ? text(QT_TRANSLATE_NOOP("SendJournal", "its set")) : entry->set, when,
                 filesText(*entry));
    return text(QT_TRANSLATE_NOOP("SendJournal", "%1: %2, sent %3, from no release.")).arg(where, filesText(*entry), when);
}

QString SendJournal::checksumText(const JournalEntry& entry)
{
    return entry.checksum < 0 ? QString() : QStringLiteral("%1").arg(entry.checksum, 4, 16, QLatin1Char('0')).toUpper();
}

QString SendJournal::printable(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        const bool control = c.category() == QChar::Other_Control || u == 0x2028 || u == 0x2029 ||
                             (u >= 0x202A && u <= 0x202E) || (u >= 0x2066 && u <= 0x2069);
        if (!control)
            out += c;
        else
            out += (u < 0x100 ? QStringLiteral("\\x") : QStringLiteral("\\u")) +
                   QString::number(u, 16).toUpper().rightJustified(u < 0x100 ? 2 : 4, QLatin1Char('0'));
    }
    return out;
}

QString SendJournal::filesText(const JournalEntry& entry) { return entry.files.join(QStringLiteral("; ")); }

QString SendJournal::csvHeader()
{
    // bytes is the data block; message_bytes came later, at the end, so
    // that readers of the first ten columns read on.
    return QStringLiteral("time,bus,sign,set,version,port,files,bytes,checksum,reply,message_bytes");
}

QString SendJournal::csvRow(const JournalEntry& e)
{
    const QStringList fields{
        timeText(e.time),
        e.bus,
        e.sign,
        e.set,
        e.version > 0 ? QString::number(e.version) : QString(),
        e.port,
        e.read ? QStringLiteral("READ") : filesText(e),
        e.bytes >= 0 ? QString::number(e.bytes) : QString(),
        checksumText(e),
        e.reply,
        e.bytes >= 0 ? QString::number(e.bytes + DataMessage::HeaderLength) : QString(),
    };
    QStringList out;
    for (const QString& f : fields)
        out << csvField(printable(f));
    return out.join(QLatin1Char(','));
}

} // namespace vexel
