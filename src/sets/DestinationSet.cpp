#include "sets/DestinationSet.h"


#include "store/DestinationTable.h"
#include "store/HeldConnection.h"
#include "store/ScopedConnection.h"
#include "store/OverrideTable.h"
#include "store/ServerAddress.h"
#include "store/SetCatalogue.h"
#include "store/SetOwner.h"
#include "store/SetRights.h"
#include "store/SetEngine.h"
#include "store/SetSchema.h"
#include "store/SignTable.h"
#include "depot/Preflight.h"
#include "sets/VersionDiff.h"
#include "store/VersionTable.h"
#include "store/WordTable.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLockFile>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSysInfo>
#include <QTemporaryFile>
#include <QVariant>

#include <algorithm>
#include <map>
#include <optional>
#include <set>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace vexel {

namespace {

constexpr int BusyTimeoutMs = 2000;

quint32 bigEndian(const QByteArray& bytes, int at, int length)
{
    quint32 value = 0;
    for (int i = 0; i < length; ++i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

QString shown(const QString& path) { return QDir::toNativeSeparators(path); }

QString readError(const QString& path, const QString& reason)
{
    return QCoreApplication::translate("DestinationSet", "Cannot read destination set \"%1\": ").arg(shown(path)) + reason;
}

// A read of the set's tables, its failure named as the set's.
template <class T>
Expected<T> readOf(Expected<T> read, const QString& path)
{
    if (!read)
        return Expected<T>::failure(readError(path, read.error()));
    return read;
}

// What the first 100 bytes and the size say, before SQLite reads the file.
Status checkHeader(const QString& path)
{
    auto refuse = [](const QString& reason) { return Status::failure(reason); };
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refuse(file.errorString());
    const qint64 size = file.size();
    const QByteArray head = file.read(100);
    const QByteArray magic("SQLite format 3\0", 16);
    const QString notASet = QCoreApplication::translate("DestinationSet", "it is not a destination set");
    if (size == 0)
        return refuse(QCoreApplication::translate("DestinationSet", "the file is empty; it is not a destination set"));
    if (!head.startsWith(magic.left(head.size())) || (head.size() >= magic.size() && !head.startsWith(magic)))
        return refuse(notASet + QCoreApplication::translate("DestinationSet", " (not an SQLite database)"));
    if (head.size() < 100)
        return refuse(QCoreApplication::translate("DestinationSet", "it is cut short: %1 bytes, less than an SQLite header").arg(head.size()));
    if (static_cast<qint32>(bigEndian(head, 68, 4)) != SetSchema::ApplicationId)
        return refuse(notASet + QCoreApplication::translate("DestinationSet", " (an SQLite database of another program)"));
    const quint32 pageSize = bigEndian(head, 16, 2) == 1 ? 65536 : bigEndian(head, 16, 2);
    if (pageSize < 512 || pageSize > 65536 || (pageSize & (pageSize - 1)) != 0)
        return refuse(QCoreApplication::translate("DestinationSet", "it is damaged: its header gives a page size of %1").arg(pageSize));
    // A hot journal beside the set means SQLite has a change to roll back;
    // the file's size says nothing until it has.
    if (!QFileInfo::exists(path + QStringLiteral("-journal"))) {
        const bool countValid = bigEndian(head, 24, 4) == bigEndian(head, 92, 4);
        const qint64 expected = countValid ? qint64(bigEndian(head, 28, 4)) * pageSize : 0;
        if (size < expected)
            return refuse(QCoreApplication::translate("DestinationSet", "it is cut short: %1 bytes of %2").arg(size).arg(expected));
        if (size % pageSize != 0)
            return refuse(QCoreApplication::translate("DestinationSet", "it is cut short: %1 bytes are not whole pages of %2 bytes")
                              .arg(size)
                              .arg(pageSize));
    }
    const qint64 version = static_cast<qint32>(bigEndian(head, 60, 4));
    if (version > SetSchema::Version)
        return refuse(QCoreApplication::translate("DestinationSet", "it was written by a newer Vexel Image (set version %1; this one reads up to %2)")
                          .arg(version)
                          .arg(SetSchema::Version));
    if (version < 1)
        return refuse(notASet + QCoreApplication::translate("DestinationSet", " (it has no set version)"));
    return Status::success();
}

// A lock file that names no holder and has not been written to for a while:
// its maker was stopped between making the file and writing its name into
// it (a crash, a kill), so no one will ever remove it. A live maker writes
// its name at once.
bool holderlessLock(const QLockFile& lock, const QString& lockPath)
{
    qint64 pid = 0;
    QString host;
    QString app;
    if (lock.getLockInfo(&pid, &host, &app))
        return false;
    const QFileInfo info(lockPath);
    return info.exists() && info.lastModified().secsTo(QDateTime::currentDateTime()) >= 10;
}

QString holderOf(const QLockFile& lock, const QString& lockPath)
{
    qint64 pid = 0;
    QString host;
    QString app;
    if (lock.getLockInfo(&pid, &host, &app))
        return QCoreApplication::translate("DestinationSet", "it is open for editing in %1 (process %2 on %3)")
            .arg(app.isEmpty() ? QCoreApplication::translate("DestinationSet", "another program") : app)
            .arg(pid)
            .arg(host.isEmpty() ? QCoreApplication::translate("DestinationSet", "this machine") : host);
    return QCoreApplication::translate("DestinationSet", "it is open for editing elsewhere (its lock file \"%1\" is there)").arg(shown(lockPath));
}

Expected<ScopedConnection> openSetFile(const QString& path, bool readOnly)
{
    Expected<ScopedConnection> opened =
        ScopedConnection::openSqlite("set", path, readOnly, BusyTimeoutMs, SetSchema::message);
    if (!opened)
        return opened;
    QSqlDatabase db = opened.value().db();
    // Before anything reads the schema: nothing the file defines runs
    // functions with side effects, and references are kept.
    for (const char* setting : {"PRAGMA trusted_schema = OFF", "PRAGMA foreign_keys = ON"}) {
        const Status set = SetSchema::run(db, QString::fromLatin1(setting));
        if (!set)
            return set;
    }
    return opened;
}

} // namespace

// The set's connection, closed with the set.
struct DestinationSet::Connection {
    const SetEngine* engine = &SetEngine::file();
    QString user; // the database's user, on a server
    // A read-only set of an older version is brought up to date in a copy.
    std::unique_ptr<QTemporaryFile> copy;
    // A file's connection (closed before its copy goes).
    ScopedConnection file;
    // A server's connection goes back to be kept for the next open.
    std::optional<HeldConnection> held;

    QSqlDatabase db() const { return held ? held->db() : file.db(); }

    static Expected<std::unique_ptr<Connection>> to(const QString& path, bool readOnly)
    {
        Expected<ScopedConnection> opened = openSetFile(path, readOnly);
        if (!opened)
            return opened.status();
        auto c = std::make_unique<Connection>();
        c->file = std::move(opened).value();
        return Expected<std::unique_ptr<Connection>>(std::move(c));
    }

    // A connection to the schema of a server set; a reader's session
    // refuses every change.
    static Expected<std::unique_ptr<Connection>> toServer(const ServerAddress& address, bool readOnly)
    {
        using Result = Expected<std::unique_ptr<Connection>>;
        auto c = std::make_unique<Connection>();
        c->engine = &SetEngine::server();
        Expected<HeldConnection> taken =
            HeldConnection::take(address, ServerAddress::DefaultStatementTimeout, "server-set");
        if (!taken)
            return Result(taken.status());
        c->held.emplace(std::move(taken).value());
        QSqlDatabase db = c->db();
        if (readOnly) {
            const Status set =
                SetSchema::run(db, QStringLiteral("SET SESSION CHARACTERISTICS AS TRANSACTION READ ONLY"));
            if (!set)
                return Result(set);
        }
        c->user = c->engine->databaseUser(db);
        return c;
    }
};

namespace {

QString quotedName(const QString& name)
{
    QString out = name;
    out.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + out + QLatin1Char('"');
}

Expected<bool> schemaExists(const QSqlDatabase& db, const QString& name)
{
    QSqlQuery query(db);
    query.prepare(QStringLiteral("SELECT count(*) FROM pg_namespace WHERE nspname = :name"));
    query.bindValue(QStringLiteral(":name"), name);
    if (!query.exec() || !query.next())
        return Expected<bool>::failure(SetSchema::message(query.lastError()));
    return query.value(0).toLongLong() > 0;
}

Expected<bool> mayUse(const QSqlDatabase& db, const QString& name)
{
    QSqlQuery query(db);
    query.prepare(QStringLiteral("SELECT has_schema_privilege(:name, 'USAGE')"));
    query.bindValue(QStringLiteral(":name"), name);
    if (!query.exec() || !query.next())
        return Expected<bool>::failure(SetSchema::message(query.lastError()));
    return query.value(0).toBool();
}

// A server set's schema against what this version makes: anything else
// refuses it. Owners or rights other than Vexel Image gives could make an
// editor run someone else's code, so such a set may be read, not changed.
Status checkCatalogue(QSqlDatabase& db, int version, DestinationSet::Access access, bool& readOnly, QString& reason)
{
    const Expected<SetCatalogue::Findings> found = SetCatalogue::check(db, version);
    if (!found)
        return found.status();
    if (!found->foreign.isEmpty())
        return Status::failure(found->foreign);
    if (found->forEditing.isEmpty() || readOnly)
        return Status::success();
    if (access != DestinationSet::Access::EditOrRead)
        return Status::failure(found->forEditing);
    readOnly = true;
    reason = found->forEditing + QCoreApplication::translate("DestinationSet", "; opened read-only");
    return SetSchema::run(db, QStringLiteral("SET SESSION CHARACTERISTICS AS TRANSACTION READ ONLY"));
}

// An older server set brought up to this version by vexel_owner, with its
// rights given again over the tables the steps added.
Status bringUp(QSqlDatabase& db, const SetEngine& engine)
{
    Status migrated = engine.begin(db);
    if (migrated)
        migrated = SetOwner::become(db);
    // Another editor may have brought it up meanwhile.
    const Expected<qint64> now = migrated ? engine.version(db) : Expected<qint64>(migrated);
    if (!now)
        migrated = now.status();
    else if (*now < SetSchema::Version)
        migrated = SetSchema::migrate(db, static_cast<int>(*now));
    if (migrated)
        migrated = SetRights::regrant(db);
    if (migrated)
        migrated = engine.commit(db);
    if (!migrated)
        engine.rollback(db);
    return migrated;
}

// Whether an opening gets the set read-only, and why when it was not asked to.
struct Opening {
    bool readOnly = false;
    QString reason;
};

// The server set's schema made the one its statements use: it must be
// there, and usable by the database's user `user`.
Status enterSchema(QSqlDatabase& db, const QString& set, const QString& user)
{
    const Expected<bool> exists = schemaExists(db, set);
    if (!exists)
        return exists.status();
    if (!*exists)
        return Status::failure(QCoreApplication::translate("DestinationSet", "the database has no set \"%1\"").arg(set));
    // Without the right to use the schema its tables are hidden, and the
    // set would look like no set at all.
    const Expected<bool> allowed = mayUse(db, set);
    if (!allowed)
        return allowed.status();
    if (!*allowed)
        return Status::failure(QCoreApplication::translate("DestinationSet", "permission denied: the database role %1 has no right to this set "
                                                           "(vexel db grant gives one)").arg(user));
    return SetSchema::run(db, QStringLiteral("SET search_path TO ") + quotedName(set));
}

// A user the server lets read the set but not change it gets it read-only,
// rather than refusals at every edit.
Status readOnlyWithoutRights(QSqlDatabase& db, const QString& user, Opening& opening)
{
    QSqlQuery may(db);
    if (!may.exec(QStringLiteral("SELECT has_table_privilege('destination', 'UPDATE')")) || !may.next() ||
        may.value(0).toBool())
        return Status::success();
    opening.readOnly = true;
    opening.reason = QCoreApplication::translate("DestinationSet", "the database user %1 may not change this set; opened read-only").arg(user);
    return SetSchema::run(db, QStringLiteral("SET SESSION CHARACTERISTICS AS TRANSACTION READ ONLY"));
}

// The server set's version and catalogue checked, and an older set brought
// up to this version when the opening may change it.
Status bringServerSetUp(QSqlDatabase& db, const SetEngine& engine, DestinationSet::Access access, Opening& opening)
{
    const Expected<qint64> version = engine.version(db);
    if (!version)
        return version.status();
    if (*version < 1)
        return Status::failure(QCoreApplication::translate("DestinationSet", "it is not a destination set"));
    if (*version > SetSchema::Version)
        return Status::failure(
            QCoreApplication::translate("DestinationSet", "it was written by a newer Vexel Image (set version %1; this one reads up to %2)")
                .arg(*version)
                .arg(SetSchema::Version));
    const Status checked = checkCatalogue(db, static_cast<int>(*version), access, opening.readOnly, opening.reason);
    if (!checked || *version == SetSchema::Version)
        return checked;
    if (opening.readOnly)
        return Status::failure(
            QCoreApplication::translate("DestinationSet", "it is of set version %1, older than this Vexel Image's %2, and %3; "
                           "open it once for editing, as a user who may change it (a member of vexel_owner), "
                           "to bring it up")
                .arg(*version)
                .arg(SetSchema::Version)
                .arg(opening.reason.isEmpty() ? QCoreApplication::translate("DestinationSet", "it was opened read-only")
                                              : opening.reason.section(QLatin1Char(';'), 0, 0)));
    const Status migrated = bringUp(db, engine);
    if (!migrated)
        return Status::failure(QCoreApplication::translate("DestinationSet", "it cannot be brought up from set version %1: %2")
                                   .arg(QString::number(*version), migrated.error()));
    return Status::success();
}

// What can be told of a set file before SQLite opens it.
Status checkSetFile(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return Status::failure(QCoreApplication::translate("DestinationSet", "there is no such file"));
    if (!info.isFile())
        return Status::failure(QCoreApplication::translate("DestinationSet", "it is not a regular file"));
    return checkHeader(path);
}

// The set's lock taken for an editor. When another holds it (or the file
// may not be written), an EditOrRead opening goes on read-only; an Edit
// opening fails.
Status lockForEditing(const QString& path, DestinationSet::Access access, Opening& opening,
                      std::unique_ptr<QLockFile>& lock)
{
    const QString lockPath = DestinationSet::lockPath(path);
    QString busy;
    if (!QFileInfo(path).isWritable()) {
        busy = QCoreApplication::translate("DestinationSet", "the file is read-only for you");
    } else {
        lock = std::make_unique<QLockFile>(lockPath);
        // An editor keeps a set open for hours: only a dead holder makes
        // a lock stale, never its age.
        lock->setStaleLockTime(0);
        bool locked = lock->tryLock(0);
        if (!locked && lock->error() == QLockFile::LockFailedError && holderlessLock(*lock, lockPath)) {
            QFile::remove(lockPath);
            locked = lock->tryLock(0);
        }
        if (!locked) {
            busy = lock->error() == QLockFile::LockFailedError
                       ? holderOf(*lock, lockPath)
                       : QCoreApplication::translate("DestinationSet", "its lock file \"%1\" cannot be made").arg(shown(lockPath));
            lock.reset();
        }
    }
    if (busy.isEmpty())
        return Status::success();
    if (access == DestinationSet::Access::Edit)
        return Status::failure(busy + QCoreApplication::translate("DestinationSet", "; it cannot be changed now"));
    opening.readOnly = true;
    opening.reason = busy + QCoreApplication::translate("DestinationSet", "; opened read-only");
    return Status::success();
}

// A change cut short (a crash, a kill) leaves its rollback journal beside
// the set, and only a connection that may write can roll it back; a
// read-only one would take the set for damaged. The set is then as it was
// before that change, which is what an editor would find too.
void rollBackCutChange(const QString& path)
{
    if (QFileInfo(path + QStringLiteral("-journal")).size() <= 0 || !QFileInfo(path).isWritable())
        return;
    Expected<ScopedConnection> recovering = openSetFile(path, false);
    if (recovering) {
        QSqlQuery touch(recovering.value().db());
        touch.exec(QStringLiteral("SELECT count(*) FROM sqlite_master"));
    }
}

// An opened set file checked whole and against the schema of its version,
// which it returns.
Expected<qint64> checkOpenedFile(const QSqlDatabase& db)
{
    {
        QSqlQuery check(db);
        if (!check.exec(QStringLiteral("PRAGMA quick_check")))
            return Expected<qint64>::failure(QCoreApplication::translate("DestinationSet", "it is damaged: %1").arg(SetSchema::message(check.lastError())));
        if (!check.next() || check.value(0).toString() != QLatin1String("ok"))
            return Expected<qint64>::failure(QCoreApplication::translate("DestinationSet", "it is damaged: %1").arg(check.value(0).toString()));
    }
    const Expected<qint64> id = SetSchema::pragma(db, QStringLiteral("application_id"));
    const Expected<qint64> version = SetSchema::pragma(db, QStringLiteral("user_version"));
    if (!id || !version)
        return Expected<qint64>::failure(id ? version.error() : id.error());
    if (*id != SetSchema::ApplicationId || *version < 1 || *version > SetSchema::Version)
        return Expected<qint64>::failure(QCoreApplication::translate("DestinationSet", "its header changed while it was read"));
    const Status schema = SetSchema::compare(db, static_cast<int>(*version));
    if (!schema)
        return schema;
    return version;
}

QString& configuredStation()
{
    static QString station;
    return station;
}

} // namespace

DestinationSet::StepHook& DestinationSet::stepHook()
{
    static StepHook hook;
    return hook;
}

void DestinationSet::setStepHook(StepHook hook) { stepHook() = std::move(hook); }

void DestinationSet::setStationName(const QString& station) { configuredStation() = station.trimmed().left(200); }

QString DestinationSet::stationName()
{
    if (!configuredStation().isEmpty())
        return configuredStation();
    const QString forced = qEnvironmentVariable("VEXEL_STATION").trimmed();
    return forced.isEmpty() ? QSysInfo::machineHostName() : forced.left(200);
}

bool DestinationSet::onServer() const { return connection_->engine->onServer(); }

QSqlDatabase DestinationSet::database() const { return connection_->db(); }

QString DestinationSet::StaleEdit::message() const
{
    const QString named = subject.isEmpty() ? code : subject;
    if (station.isEmpty() && !time.isValid())
        return QCoreApplication::translate("DestinationSet", "%1 was changed elsewhere").arg(named);
    return QCoreApplication::translate("DestinationSet", "%1 was changed from %2 at %3")
        .arg(named, station.isEmpty() ? QCoreApplication::translate("DestinationSet", "another station") : station,
             time.isValid() ? time.toLocalTime().toString(QStringLiteral("HH:mm")) : QCoreApplication::translate("DestinationSet", "an unknown time"));
}

QString DestinationSet::ChangeNotice::payload() const
{
    return code.isEmpty() ? set : set + QLatin1Char('\n') + code;
}

DestinationSet::ChangeNotice DestinationSet::ChangeNotice::parse(const QString& payload)
{
    const qsizetype cut = payload.indexOf(QLatin1Char('\n'));
    if (cut < 0)
        return ChangeNotice{payload, {}};
    return ChangeNotice{payload.left(cut), payload.mid(cut + 1)};
}

bool DestinationSet::reachable() const
{
    if (!onServer())
        return true;
    QSqlDatabase db = connection_->db();
    if (!db.isOpen())
        return false;
    QSqlQuery query(db);
    return query.exec(QStringLiteral("SELECT 1")) && query.next();
}

Status DestinationSet::reconnect()
{
    if (!onServer())
        return Status::success();
    Expected<std::unique_ptr<DestinationSet>> again =
        openServer(address_.server(), readOnly_ ? Access::Read : Access::Edit);
    if (!again)
        return again.status();
    connection_ = std::move(again.value()->connection_);
    stale_.reset();
    return Status::success();
}

ChangeStamp DestinationSet::stamp() const
{
    return ChangeStamp{stationName(), connection_->user, QDateTime::currentDateTimeUtc()};
}

Expected<std::unique_ptr<DestinationSet>> DestinationSet::openServer(const ServerAddress& address, Access access)
{
    using Result = Expected<std::unique_ptr<DestinationSet>>;
    const QString shownAddress = address.shown();
    auto fail = [&](const QString& reason) {
        return Result::failure(
            QCoreApplication::translate("DestinationSet", "Cannot open destination set \"%1\": ").arg(shownAddress) + reason);
    };
    Opening opening{access == Access::Read, {}};
    Expected<std::unique_ptr<Connection>> connected = Connection::toServer(address, opening.readOnly);
    if (!connected)
        return fail(connected.error());
    std::unique_ptr<Connection> connection = std::move(connected).value();
    QSqlDatabase db = connection->db();
    Status ready = enterSchema(db, address.set, connection->user);
    if (ready && access == Access::EditOrRead)
        ready = readOnlyWithoutRights(db, connection->user, opening);
    if (ready)
        ready = bringServerSetUp(db, *connection->engine, access, opening);
    if (!ready)
        return fail(ready.error());
    db = QSqlDatabase();
    std::unique_ptr<DestinationSet> set(new DestinationSet(shownAddress, std::move(connection)));
    set->address_ = SetAddress::onServer(address);
    set->readOnly_ = opening.readOnly;
    set->readOnlyReason_ = opening.reason;
    set->serverSetName_ = address.set;
    return Result(std::move(set));
}

Expected<std::unique_ptr<DestinationSet>> DestinationSet::createServer(const QString& text,
                                                                       const std::vector<VehicleSign>& signs)
{
    using Result = Expected<std::unique_ptr<DestinationSet>>;
    const Expected<ServerAddress> address = ServerAddress::parse(text, ServerAddress::SetName::Required);
    if (!address)
        return Result::failure(QCoreApplication::translate("DestinationSet", "Cannot create destination set: ") + address.error());
    const Status made = makeServer(*address, [&](QSqlDatabase& db) { return insertSigns(db, signs); });
    if (!made)
        return Result::failure(QCoreApplication::translate("DestinationSet", "Cannot create destination set \"%1\": ").arg(address->shown()) +
                               made.error());
    return open(SetAddress::onServer(*address), Access::Edit);
}

Status DestinationSet::insertSigns(QSqlDatabase& db, const std::vector<VehicleSign>& signs)
{
    SignTable table(db);
    for (const VehicleSign& sign : signs) {
        VehicleSign stored = sign;
        stored.layout = *VehicleSign::boardLayout(sign.layout, sign.width, sign.height);
        const Status inserted = table.insert(stored);
        if (!inserted)
            return inserted;
    }
    return Status::success();
}

Status DestinationSet::makeServer(const ServerAddress& address, const Fill& fill)
{
    Expected<std::unique_ptr<Connection>> connected = Connection::toServer(address, false);
    if (!connected)
        return connected.status();
    QSqlDatabase db = connected.value()->db();
    const Expected<bool> exists = schemaExists(db, address.set);
    if (!exists)
        return exists.status();
    if (*exists)
        return Status::failure(QCoreApplication::translate("DestinationSet", "the database has a set \"%1\" already").arg(address.set));
    // The schema, its tables and its rows appear in one transaction, made as
    // vexel_owner: the set belongs to it, whoever made it.
    Status made = SetOwner::ensure(db);
    if (made)
        made = SetSchema::run(db, QStringLiteral("BEGIN"));
    if (made)
        made = SetOwner::become(db);
    if (made)
        made = SetSchema::run(db, QStringLiteral("CREATE SCHEMA ") + quotedName(address.set));
    if (made)
        made = SetSchema::run(db, QStringLiteral("SET LOCAL search_path TO ") + quotedName(address.set));
    if (made)
        made = SetSchema::migrate(db, 0);
    for (const QString& statement : SetOwner::functionSql(address.set))
        if (made)
            made = SetSchema::run(db, statement);
    if (made)
        made = fill(db);
    if (made)
        made = SetSchema::run(db, QStringLiteral("COMMIT"));
    if (!made)
        SetSchema::run(db, QStringLiteral("ROLLBACK"));
    return made;
}

DestinationSet::DestinationSet(QString path, std::unique_ptr<Connection> connection)
    : path_(std::move(path)), connection_(std::move(connection))
{
}

DestinationSet::~DestinationSet()
{
    connection_.reset();
    if (lock_)
        lock_->unlock();
}

QString DestinationSet::lockPath(const QString& path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return (canonical.isEmpty() ? info.absoluteFilePath() : canonical) + QStringLiteral(".lock");
}

Expected<SetAddress> DestinationSet::readAddress(const QString& text)
{
    const Expected<SetAddress> address = SetAddress::parse(text);
    if (!address)
        return Expected<SetAddress>::failure(QCoreApplication::translate("DestinationSet", "Cannot open destination set: ") + address.error());
    return address;
}

Expected<std::unique_ptr<DestinationSet>> DestinationSet::open(const QString& text, Access access)
{
    const Expected<SetAddress> address = readAddress(text);
    if (!address)
        return address.status();
    return open(*address, access);
}

Expected<std::unique_ptr<DestinationSet>> DestinationSet::open(const SetAddress& address, Access access)
{
    return address.isServer() ? openServer(address.server(), access) : openFile(address.path(), access);
}

Expected<std::unique_ptr<DestinationSet>> DestinationSet::openFile(const QString& path, Access access)
{
    using Result = Expected<std::unique_ptr<DestinationSet>>;
    auto fail = [&](const QString& reason) {
        return Result::failure(QCoreApplication::translate("DestinationSet", "Cannot open destination set \"%1\": ").arg(shown(path)) +
                               reason);
    };
    const Status header = checkSetFile(path);
    if (!header)
        return fail(header.error());

    Opening opening{access == Access::Read, {}};
    std::unique_ptr<QLockFile> lock;
    if (!opening.readOnly) {
        const Status locked = lockForEditing(path, access, opening, lock);
        if (!locked)
            return fail(locked.error());
    }
    if (opening.readOnly)
        rollBackCutChange(path);

    Expected<std::unique_ptr<Connection>> connected = Connection::to(path, opening.readOnly);
    if (!connected)
        return fail(connected.error());
    std::unique_ptr<Connection> connection = std::move(connected).value();
    const Expected<qint64> version = checkOpenedFile(connection->db());
    if (!version)
        return fail(version.error());
    if (*version < SetSchema::Version) {
        const Status migrated = bringFileUp(connection, path, opening.readOnly, *version);
        if (!migrated)
            return fail(migrated.error());
    }

    std::unique_ptr<DestinationSet> set(new DestinationSet(path, std::move(connection)));
    set->address_ = SetAddress::file(path);
    set->readOnly_ = opening.readOnly;
    // The copy's id is made for this opening only and would differ the next.
    set->idOfCopy_ = opening.readOnly && *version < ReleaseTable::SinceVersion;
    set->readOnlyReason_ = opening.reason;
    set->lock_ = std::move(lock);
    return Result(std::move(set));
}

Status DestinationSet::bringFileUp(std::unique_ptr<Connection>& connection, const QString& path, bool readOnly,
                                   qint64 version)
{
    if (readOnly) {
        // The file stays as it is; the copy is what this opening reads.
        auto copy = std::make_unique<QTemporaryFile>();
        QFile original(path);
        if (!copy->open() || !original.open(QIODevice::ReadOnly) ||
            copy->write(original.readAll()) != QFileInfo(path).size() || !copy->flush())
            return Status::failure(QCoreApplication::translate("DestinationSet", "its older version cannot be read without a copy, and the copy failed"));
        copy->close();
        connection.reset();
        Expected<std::unique_ptr<Connection>> connected = Connection::to(copy->fileName(), false);
        if (!connected)
            return connected.status();
        connection = std::move(connected).value();
        connection->copy = std::move(copy);
    }
    QSqlDatabase db = connection->db();
    Status migrated = SetSchema::run(db, QStringLiteral("BEGIN IMMEDIATE"));
    if (migrated)
        migrated = SetSchema::migrate(db, static_cast<int>(version));
    if (migrated)
        migrated = SetSchema::run(db, QStringLiteral("COMMIT"));
    if (!migrated) {
        SetSchema::run(db, QStringLiteral("ROLLBACK"));
        return Status::failure(QCoreApplication::translate("DestinationSet", "it cannot be brought up from set version %1: %2")
                                   .arg(QString::number(version), migrated.error()));
    }
    return Status::success();
}

Expected<std::unique_ptr<DestinationSet>> DestinationSet::create(const QString& path,
                                                                 const std::vector<VehicleSign>& signs)
{
    using Result = Expected<std::unique_ptr<DestinationSet>>;
    auto fail = [&](const QString& reason) {
        const QString name = ServerAddress::isServer(path) ? QString() : QStringLiteral(" \"%1\"").arg(shown(path));
        return Result::failure(QCoreApplication::translate("DestinationSet", "Cannot create destination set%1: ").arg(name) + reason);
    };
    const QFileInfo info(path);
    if (!ServerAddress::isServer(path) && (info.exists() || info.isSymLink()))
        return fail("the file exists already");
    if (signs.empty())
        return fail("a set needs at least one sign");
    std::set<QString> names;
    for (const VehicleSign& sign : signs) {
        const Status fine = sign.check();
        if (!fine)
            return fail(fine.error());
        if (!names.insert(sign.name.toLower()).second)
            return fail(QCoreApplication::translate("DestinationSet", "the sign %1 is named twice").arg(sign.name));
    }
    if (ServerAddress::isServer(path))
        return createServer(path, signs);

    const Status made = makeFile(path, [&](QSqlDatabase& db) { return insertSigns(db, signs); });
    if (!made)
        return fail(made.error());
    return open(path, Access::Edit);
}

Status DestinationSet::makeFile(const QString& path, const Fill& fill)
{
    const QFileInfo info(path);
    // Made beside the set and renamed into place when complete, so a failure
    // or a crash leaves no half-made set under its name.
    QString temporary;
    {
        QTemporaryFile reserve(info.absolutePath() + QStringLiteral("/.") + info.fileName() +
                               QStringLiteral("-XXXXXX"));
        reserve.setAutoRemove(false);
        if (!reserve.open())
            return Status::failure(reserve.errorString());
        temporary = reserve.fileName();
    }
#ifdef Q_OS_UNIX
    // A temporary file is private; the set gets the mode of any new file.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::chmod(QFile::encodeName(temporary).constData(), 0666 & ~mask);
#endif
    auto discard = [&] {
        QFile::remove(temporary);
        QFile::remove(temporary + QStringLiteral("-journal"));
    };
    {
        Expected<std::unique_ptr<Connection>> connected = Connection::to(temporary, false);
        if (!connected) {
            discard();
            return connected.status();
        }
        QSqlDatabase db = connected.value()->db();
        Status made = SetSchema::run(db, QStringLiteral("BEGIN IMMEDIATE"));
        if (made)
            made = SetSchema::migrate(db, 0);
        if (made)
            made = fill(db);
        if (made)
            made = SetSchema::run(db, QStringLiteral("COMMIT"));
        if (!made) {
            db = QSqlDatabase();
            connected.value().reset();
            discard();
            return made;
        }
    }
    if (!QFile::rename(temporary, path)) {
        discard();
        return Status::failure(QFileInfo::exists(path) ? "the file exists already" : "it cannot be put in place");
    }
    return Status::success();
}

Expected<std::vector<Destination>> DestinationSet::destinations() const
{
    return readOf(DestinationTable(connection_->db()).all(), path_);
}

Expected<SetWords> DestinationSet::words() const
{
    return readOf(WordTable(connection_->db()).read(), path_);
}

Status DestinationSet::setWords(const SetWords& words)
{
    return change([&](QSqlDatabase& db) { return WordTable(db).write(words); });
}

Status DestinationSet::editWords(const std::function<Status(SetWords&)>& edit)
{
    return change([&](QSqlDatabase& db) {
        WordTable table(db);
        Expected<SetWords> stored = table.read();
        if (!stored)
            return stored.status();
        SetWords words = *stored;
        const Status edited = edit(words);
        if (!edited || words == *stored)
            return edited;
        return table.write(words);
    });
}

Expected<std::vector<VehicleSign>> DestinationSet::signs() const
{
    return readOf(SignTable(connection_->db()).all(), path_);
}

Expected<std::vector<SignOverride>> DestinationSet::overrides() const
{
    return readOf(OverrideTable(connection_->db()).all(), path_);
}

Status DestinationSet::readTogether(const std::function<Status()>& reads) const
{
    // A file's deferred transaction reads one state of it; a server's
    // snapshot is taken at its first read and kept to the end.
    QSqlDatabase db = connection_->db();
    const Status begun = SetSchema::run(
        db, connection_->engine->onServer() ? QStringLiteral("BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY")
                                            : QStringLiteral("BEGIN"));
    if (!begun)
        return Status::failure(readError(path_, begun.error()));
    const Status read = reads();
    if (!read) {
        SetSchema::run(db, QStringLiteral("ROLLBACK"));
        return read;
    }
    const Status ended = SetSchema::run(db, QStringLiteral("COMMIT"));
    if (!ended)
        return Status::failure(readError(path_, ended.error()));
    return read;
}

QString DestinationSet::changeError(const QString& reason) const
{
    return QCoreApplication::translate("DestinationSet", "Cannot change destination set \"%1\": ").arg(shown(path_)) + reason;
}

template <class Body>
Status DestinationSet::change(Body body, const QString& code)
{
    if (readOnly_)
        return Status::failure(changeError(
            readOnlyReason_.isEmpty() ? QCoreApplication::translate("DestinationSet", "it is open read-only") : readOnlyReason_));

    stale_.reset();
    QSqlDatabase db = connection_->db();
    const SetEngine& engine = *connection_->engine;
    const Status begun = engine.begin(db);
    if (!begun)
        return Status::failure(changeError(begun.error()));
    Status done = body(db);
    if (done && stepHook())
        done = stepHook()(QLatin1String(step_));
    if (done && engine.onServer()) {
        // Sent with the commit, and only if it commits.
        QSqlQuery notify(db);
        notify.prepare(QStringLiteral("SELECT pg_notify(:channel, :payload)"));
        notify.bindValue(QStringLiteral(":channel"), QLatin1String(ChangeChannel));
        notify.bindValue(QStringLiteral(":payload"), ChangeNotice{serverSetName_, code}.payload());
        if (!notify.exec())
            done = Status::failure(SetSchema::message(notify.lastError()));
    }
    if (done)
        done = engine.commit(db);
    if (done) {
        ++changes_;
        return done;
    }
    engine.rollback(db);
    return Status::failure(changeError(done.error()));
}

namespace {

const char* const NoDestination = QT_TRANSLATE_NOOP("DestinationSet", "there is no destination %1");
const char* const NoSign = QT_TRANSLATE_NOOP("DestinationSet", "there is no sign %1");

// missing: NoDestination or NoSign, said of `name`.
Expected<qint64> existing(const Expected<std::optional<qint64>>& id, const char* missing, const QString& name)
{
    if (!id)
        return id.status();
    if (!id->has_value())
        return Expected<qint64>::failure(QCoreApplication::translate("DestinationSet", missing).arg(name));
    return **id;
}

// Refuses a change of sign row `id` read at `readRevision` (0: not read)
// that is no longer its revision. Signs keep no stamp of who changed them.
Status freshSign(const SignTable& table, qint64 id, const QString& name, qint64 readRevision,
                 std::optional<DestinationSet::StaleEdit>& stale)
{
    if (readRevision <= 0)
        return Status::success();
    const Expected<qint64> now = table.revision(id);
    if (!now)
        return now.status();
    if (*now == readRevision)
        return Status::success();
    stale = DestinationSet::StaleEdit{name, {}, {}, QCoreApplication::translate("DestinationSet", "The sign %1").arg(name)};
    return Status::failure(stale->message());
}

// Fails when `code` belongs to a row other than `self`.
Status unclaimed(const Expected<std::optional<qint64>>& id, std::optional<qint64> self, const QString& taken)
{
    if (!id)
        return id.status();
    if (id->has_value() && *id != self)
        return Status::failure(taken);
    return Status::success();
}

} // namespace

Status DestinationSet::changeWith(const Fill& body) { return change(body); }

Status DestinationSet::fresh(const QSqlDatabase& db, qint64 id, qint64 readRevision)
{
    if (readRevision <= 0)
        return Status::success();
    const Expected<DestinationTable::RowState> row = DestinationTable(db).state(id);
    if (!row)
        return row.status();
    if (row->revision == readRevision)
        return Status::success();
    stale_ = StaleEdit{row->code, row->station, row->time, {}};
    return Status::failure(stale_->message());
}

Expected<std::vector<HistoryEntry>> DestinationSet::history(const QString& code) const
{
    return readOf(DestinationTable(connection_->db()).history(code), path_);
}

Status DestinationSet::addDestination(const Destination& d)
{
    return change([&](QSqlDatabase& db) {
        DestinationTable table(db);
        const ChangeStamp now = stamp();
        Status fine = DestinationTable::check(d);
        if (fine)
            fine = unclaimed(table.idOf(d.code), std::nullopt, QCoreApplication::translate("DestinationSet", "the code %1 is taken").arg(d.code));
        if (fine)
            fine = table.insert(d, now);
        return fine ? table.record(d.code, now, QStringLiteral("added")) : fine;
    }, d.code);
}

Status DestinationSet::updateDestination(const QString& code, const Destination& d)
{
    return change([&](QSqlDatabase& db) {
        DestinationTable table(db);
        const Expected<qint64> id = existing(table.idOf(code), NoDestination, code);
        if (!id)
            return id.status();
        Status fine = fresh(db, *id, d.revision);
        if (fine)
            fine = DestinationTable::check(d);
        if (fine)
            fine = unclaimed(table.idOf(d.code), *id, QCoreApplication::translate("DestinationSet", "the code %1 is taken").arg(d.code));
        const Expected<std::vector<Destination>> all = fine ? table.all() : Expected<std::vector<Destination>>(fine);
        if (!all)
            return all.status();
        const auto before = std::find_if(all->begin(), all->end(), [&](const Destination& o) {
            return SetSchema::key(o.code) == SetSchema::key(code);
        });
        const ChangeStamp now = stamp();
        fine = table.update(*id, d, now);
        if (fine && before != all->end() && *before != d)
            fine = table.record(d.code, now, DestinationTable::describe(*before, d));
        return fine;
    }, d.code);
}

Status DestinationSet::removeDestination(const QString& code, qint64 readRevision)
{
    return change([&](QSqlDatabase& db) {
        DestinationTable table(db);
        const Expected<qint64> id = existing(table.idOf(code), NoDestination, code);
        Status fine = id ? fresh(db, *id, readRevision) : id.status();
        if (fine)
            fine = table.remove(*id);
        // A destination added again later starts with no memory of its source.
        if (fine)
            fine = ImportMemory(db).replace(SetSchema::key(code), {});
        return fine ? table.record(code, stamp(), QStringLiteral("removed")) : fine;
    }, code);
}

namespace {

Status keepPhrases(QSqlDatabase& db, const QStringList& phrases)
{
    WordTable table(db);
    const Expected<SetWords> read = table.read();
    if (!read)
        return read.status();
    SetWords words = *read;
    int entries = static_cast<int>(words.abbreviations.size());
    for (const QStringList* list : {&words.upperWords, &words.viaSeparators, &words.serviceWords, &words.keepTogether})
        entries += static_cast<int>(list->size());
    const qsizetype before = words.keepTogether.size();
    for (const QString& phrase : phrases)
        if (entries < SetWords::MaxEntries && !words.keepTogether.contains(phrase, Qt::CaseInsensitive)) {
            words.keepTogether << phrase;
            ++entries;
        }
    return words.keepTogether.size() > before ? table.write(words) : Status::success();
}

} // namespace

Expected<DestinationSet::MergeReport> DestinationSet::merge(const std::vector<Destination>& incoming)
{
    return apply(incoming, {}, {});
}

Expected<ImportMemory::Texts> DestinationSet::importMemory() const
{
    return readOf(ImportMemory(connection_->db()).read(), path_);
}

namespace {

// One incoming destination merged into the set's by code: a new one is
// added, a known one takes the incoming texts.
Status mergeIncoming(DestinationTable& table, const Destination& in, const std::map<QString, Destination>& known,
                     const ChangeStamp& now, DestinationSet::MergeReport& report)
{
    const auto found = known.find(in.code.toLower());
    if (found == known.end()) {
        Status added = table.insert(in, now);
        if (added)
            added = table.record(in.code, now, QStringLiteral("added by an import"));
        if (added)
            report.added << in.code;
        return added;
    }
    const Destination& old = found->second;
    Destination next = old;
    for (const TextField& f : TextFields)
        next.*f.text = in.*f.text;
    if (in.destinationEn != old.destinationEn)
        next.latinSuggested = in.latinSuggested;
    if (next == old) {
        report.unchanged << old.code;
        return Status::success();
    }
    const Expected<qint64> id = existing(table.idOf(old.code), NoDestination, old.code);
    Status updated = id ? table.update(*id, next, now) : id.status();
    if (updated)
        updated = table.record(old.code, now, QStringLiteral("by an import: ") + DestinationTable::describe(old, next));
    if (updated)
        report.changed << old.code;
    return updated;
}

Status removeByImport(QSqlDatabase& db, DestinationTable& table, const QString& code, const ChangeStamp& now)
{
    const Expected<qint64> id = existing(table.idOf(code), NoDestination, code);
    Status gone = id ? table.remove(*id) : id.status();
    if (gone)
        gone = table.record(code, now, QStringLiteral("removed by an import"));
    if (gone)
        gone = ImportMemory(db).replace(SetSchema::key(code), {});
    return gone;
}

} // namespace

Expected<DestinationSet::MergeReport> DestinationSet::apply(const std::vector<Destination>& incoming,
                                                            const QStringList& removed, const QString& feedVersion,
                                                            const std::vector<Destination>& imported,
                                                            const QStringList& keepTogether)
{
    MergeReport report;
    const NamedStep step(step_, "apply");
    const Status merged = change([&](QSqlDatabase& db) {
        DestinationTable table(db);
        const Expected<std::vector<Destination>> before = table.all();
        if (!before)
            return before.status();
        const ChangeStamp now = stamp();
        std::map<QString, Destination> known;
        for (const Destination& d : *before)
            known[d.code.toLower()] = d;
        std::set<QString> seen;
        for (const Destination& in : incoming) {
            Status fine = DestinationTable::check(in);
            if (fine && !seen.insert(in.code.toLower()).second)
                fine = Status::failure(QCoreApplication::translate("DestinationSet", "the code %1 comes twice").arg(in.code));
            if (fine)
                fine = mergeIncoming(table, in, known, now, report);
            if (!fine)
                return fine;
        }
        for (const QString& code : removed) {
            const Status gone = removeByImport(db, table, code, now);
            if (!gone)
                return gone;
            report.removed << code;
        }
        Status remembered = ImportMemory(db).record(imported, now.time);
        if (remembered && !keepTogether.isEmpty())
            remembered = keepPhrases(db, keepTogether);
        if (!remembered)
            return remembered;
        // The next release names the feed its texts came from.
        return feedVersion.isEmpty() ? Status::success() : VersionTable(db).setFeedVersion(feedVersion);
    });
    if (!merged)
        return merged;
    return report;
}

namespace {

// Two stored versions compared. An image whose text is the same on both
// sides is not unpacked.
Expected<VersionDiff> compareStored(const VersionTable& table, int a, int b)
{
    const Expected<QHash<QString, qint64>> before = table.imageTexts(a);
    const Expected<QHash<QString, qint64>> after = table.imageTexts(b);
    if (!before || !after)
        return Expected<VersionDiff>::failure(before ? after.error() : before.error());
    QSet<qint64> differ;
    for (auto i = before->cbegin(); i != before->cend(); ++i)
        if (after->value(i.key(), -1) != i.value())
            differ.insert(i.value());
    for (auto i = after->cbegin(); i != after->cend(); ++i)
        if (before->value(i.key(), -1) != i.value())
            differ.insert(i.value());
    const Expected<std::optional<SetVersion>> older = table.read(a, true, &differ);
    if (!older)
        return older.status();
    const Expected<std::optional<SetVersion>> newer = older->has_value() ? table.read(b, true, &differ) : older;
    if (!newer)
        return newer.status();
    if (!older->has_value() || !newer->has_value())
        return Expected<VersionDiff>::failure(
            QCoreApplication::translate("DestinationSet", "it has no version %1").arg(older->has_value() ? b : a));
    return diffVersions(**older, **newer);
}

// A version not yet stored against the stored version `last`, worked out
// before it is stored, since a role that may add versions may not change
// them afterwards. As compareStored does, only the images that differ are
// unpacked, and the others are left empty on both sides.
Expected<VersionDiff> compareWithLast(const VersionTable& table, int last, const SetVersion& next)
{
    const Expected<QHash<QString, VersionTable::Stored>> before = table.storedImages(last);
    if (!before)
        return before.status();
    SetVersion newer = next;
    std::vector<bool> same(newer.images.size(), false);
    QSet<qint64> differ;
    QSet<QString> matched;
    for (std::size_t i = 0; i < newer.images.size(); ++i) {
        const SetVersion::Image& image = newer.images[i];
        const auto old = before->constFind(VersionTable::imageKey(image.sign, image.code));
        if (old == before->constEnd())
            continue;
        matched.insert(old.key());
        same[i] = old->sha256 == VersionTable::hashOf(image.image);
        if (!same[i])
            differ.insert(old->text);
    }
    for (auto i = before->cbegin(); i != before->cend(); ++i)
        if (!matched.contains(i.key()))
            differ.insert(i->text);
    for (std::size_t i = 0; i < newer.images.size(); ++i)
        if (same[i] && !differ.contains(before->value(VersionTable::imageKey(newer.images[i].sign, newer.images[i].code)).text))
            newer.images[i].image = ImageRecord();
    const Expected<std::optional<SetVersion>> older = table.read(last, true, &differ);
    if (!older)
        return older.status();
    if (!older->has_value())
        return Expected<VersionDiff>::failure(QCoreApplication::translate("DestinationSet", "it has no version %1").arg(last));
    return diffVersions(**older, newer);
}

} // namespace

Status DestinationSet::mayAddVersion() const
{
    if (!onServer() || readOnly_)
        return Status::success();
    const auto refused = [&](const QString& what) {
        return Status::failure(QCoreApplication::translate("DestinationSet", "the database user %1 may not %2 in this set (vexel db grant gives "
                                              "an edit right); nothing was written")
                                   .arg(connection_->user, what));
    };
    QSqlQuery q(connection_->db());
    if (!q.exec(QStringLiteral("SELECT c.relname, has_table_privilege(c.oid, 'INSERT') FROM pg_class c "
                               "WHERE c.relkind IN ('r', 'p') AND c.relnamespace = "
                               "(SELECT oid FROM pg_namespace WHERE nspname = current_schema())")))
        return Status::failure(SetSchema::message(q.lastError()));
    while (q.next())
        if (SetRights::use(q.value(0).toString()) == SetRights::Use::Add && !q.value(1).toBool())
            return refused(QCoreApplication::translate("DestinationSet", "keep a version"));
    if (!q.exec(QStringLiteral("SELECT has_function_privilege('lock_set()', 'EXECUTE')")) || !q.next() ||
        !q.value(0).toBool())
        return refused(QCoreApplication::translate("DestinationSet", "change anything"));
    return Status::success();
}

Expected<int> DestinationSet::addVersion(const SetVersion& version)
{
    int number = 0;
    const NamedStep step(step_, "release");
    const Status added = change([&](QSqlDatabase& db) {
        VersionTable table(db);
        const Expected<int> last = table.last();
        if (!last)
            return last.status();
        SetVersion v = version;
        v.number = *last + 1;
        if (!v.time.isValid())
            v.time = QDateTime::currentDateTimeUtc();
        if (v.feedVersion.isEmpty()) {
            const Expected<QString> feed = table.feedVersion();
            if (!feed)
                return feed.status();
            v.feedVersion = *feed;
        }
        for (const Destination& d : v.destinations) {
            const Status fine = DestinationTable::check(d);
            if (!fine)
                return fine;
        }
        for (const SetVersion::Image& i : v.images) {
            const Status fine = i.image.check();
            if (!fine)
                return Status::failure(
                    QCoreApplication::translate("DestinationSet", "the image of %1 on %2: %3").arg(i.code, i.sign, fine.error()));
        }
        v.added = *last == 0 ? int(v.destinations.size()) : 0;
        v.changed = v.removed = 0;
        // The counts against the version before are kept for the list of versions.
        if (*last > 0) {
            const Expected<VersionDiff> diff = compareWithLast(table, *last, v);
            if (!diff)
                return diff.status();
            v.added = diff->count(VersionChange::Kind::Added);
            v.changed = diff->count(VersionChange::Kind::Changed);
            v.removed = diff->count(VersionChange::Kind::Removed);
        }
        Status stored = table.insert(v);
        if (stored)
            stored = ReleaseTable(db).record(v.number, v.validFrom, v.folder);
        if (!stored)
            return stored;
        number = v.number;
        return Status::success();
    });
    if (!added)
        return added;
    return number;
}

Expected<std::vector<SetVersion>> DestinationSet::versions() const
{
    return readOf(VersionTable(connection_->db()).all(), path_);
}

QString DestinationSet::setId() const
{
    if (idOfCopy_)
        return {};
    const Expected<QString> id = ReleaseTable(connection_->db()).setId();
    return id ? *id : QString();
}

Expected<std::vector<ReleaseTable::Release>> DestinationSet::releases() const
{
    return readOf(ReleaseTable(connection_->db()).releases(), path_);
}

Expected<std::vector<ReleaseTable::Image>> DestinationSet::releasedImages() const
{
    return readOf(ReleaseTable(connection_->db()).images(), path_);
}

Expected<SetVersion> DestinationSet::version(int number) const
{
    const Expected<std::optional<SetVersion>> read = VersionTable(connection_->db()).read(number, true);
    if (!read)
        return Expected<SetVersion>::failure(readError(path_, read.error()));
    if (!read->has_value())
        return Expected<SetVersion>::failure(readError(path_, QCoreApplication::translate("DestinationSet", "it has no version %1").arg(number)));
    return std::move(**read);
}


Expected<VersionDiff> DestinationSet::compareVersions(int a, int b) const
{
    return readOf(compareStored(VersionTable(connection_->db()), a, b), path_);
}

namespace {

// The version's destinations in its order, then the set's others out of use.
std::vector<Destination> restoredRows(const std::vector<Destination>& version, const std::vector<Destination>& current,
                                      const QSet<QString>& inVersion)
{
    std::vector<Destination> next = version;
    for (Destination d : current)
        if (!inVersion.contains(d.code.toLower())) {
            d.inUse = false;
            next.push_back(d);
        }
    return next;
}

// A row put back keeps counting its revisions, so an edit read before the
// restore is refused if the restore changed the row.
Status putBackRows(DestinationTable& destinations, const std::vector<Destination>& next,
                   const std::vector<Destination>& current, const ChangeStamp& now, int number)
{
    std::map<QString, Destination> was;
    for (const Destination& d : current)
        was[SetSchema::key(d.code)] = d;
    for (const Destination& d : next) {
        const auto old = was.find(SetSchema::key(d.code));
        const bool same = old != was.end() && old->second == d;
        const qint64 revision = old == was.end() ? 1 : old->second.revision + (same ? 0 : 1);
        Status put = destinations.insert(d, now, revision);
        if (put && !same)
            put = destinations.record(d.code, now,
                                      QStringLiteral("restored from version %1").arg(number) +
                                          (old == was.end() ? QString()
                                                            : QStringLiteral(": ") + DestinationTable::describe(old->second, d)));
        if (!put)
            return put;
    }
    return Status::success();
}

// The images made by hand stored again, but for those whose sign is gone
// or too small now.
Status putBackOverrides(QSqlDatabase& db, DestinationTable& destinations, const std::vector<SignOverride>& images)
{
    const Expected<std::vector<VehicleSign>> signs = SignTable(db).all();
    if (!signs)
        return signs.status();
    OverrideTable overrides(db);
    SignTable signTable(db);
    for (const SignOverride& o : images) {
        const auto sign = std::find_if(signs->begin(), signs->end(), [&](const VehicleSign& s) {
            return s.name.compare(o.sign, Qt::CaseInsensitive) == 0;
        });
        if (sign == signs->end())
            continue;
        const auto [w, h] = Preflight::boardSizeOf(o.image);
        if (w > sign->width || h > sign->height)
            continue;
        const Expected<qint64> destination =
            existing(destinations.idOf(o.code), NoDestination, o.code);
        const Expected<qint64> signId = existing(signTable.idOf(sign->name), NoSign, o.sign);
        if (!destination || !signId)
            return destination ? signId.status() : destination.status();
        const Status stored = overrides.store(*destination, *signId, o);
        if (!stored)
            return stored;
    }
    return Status::success();
}

} // namespace

Status DestinationSet::restoreVersion(int number)
{
    const NamedStep step(step_, "restore");
    return change([&](QSqlDatabase& db) {
        VersionTable versions(db);
        const Expected<std::optional<SetVersion>> read = versions.read(number, false);
        if (!read)
            return read.status();
        if (!read->has_value())
            return Status::failure(QCoreApplication::translate("DestinationSet", "it has no version %1").arg(number));
        const SetVersion& v = **read;
        // The set's destinations become the version's, in its order, with its
        // overrides. Nothing is deleted: a destination the version did not
        // have stays after them, out of use, with its overrides; an override
        // whose sign is gone or too small now is left out.
        DestinationTable destinations(db);
        const Expected<std::vector<Destination>> current = destinations.all();
        const Expected<std::vector<SignOverride>> currentOverrides = OverrideTable(db).all();
        if (!current || !currentOverrides)
            return current ? currentOverrides.status() : current.status();
        QSet<QString> inVersion;
        for (const Destination& d : v.destinations)
            inVersion.insert(d.code.toLower());
        for (const char* sql : {"DELETE FROM override", "DELETE FROM destination"}) {
            const Status gone = SetSchema::run(db, QString::fromLatin1(sql));
            if (!gone)
                return gone;
        }
        const Status put = putBackRows(destinations, restoredRows(v.destinations, *current, inVersion), *current,
                                       stamp(), number);
        if (!put)
            return put;
        std::vector<SignOverride> images = v.overrides;
        for (const SignOverride& o : *currentOverrides)
            if (!inVersion.contains(o.code.toLower()))
                images.push_back(o);
        const Status stored = putBackOverrides(db, destinations, images);
        return stored ? versions.setFeedVersion(v.feedVersion) : stored;
    });
}

Status DestinationSet::addSign(const VehicleSign& sign)
{
    return change([&](QSqlDatabase& db) {
        SignTable table(db);
        Status fine = sign.check();
        if (fine)
            fine = unclaimed(table.idOf(sign.name), std::nullopt,
                             QCoreApplication::translate("DestinationSet", "the sign %1 is there already").arg(sign.name));
        if (!fine)
            return fine;
        VehicleSign stored = sign;
        stored.layout = *VehicleSign::boardLayout(sign.layout, sign.width, sign.height);
        return table.insert(stored);
    });
}

Status DestinationSet::updateSign(const QString& name, const VehicleSign& sign)
{
    return change([&](QSqlDatabase& db) {
        SignTable table(db);
        const Expected<qint64> id = existing(table.idOf(name), NoSign, name);
        if (!id)
            return id.status();
        Status fine = freshSign(table, *id, name, sign.revision, stale_);
        if (fine)
            fine = sign.check();
        if (fine)
            fine = unclaimed(table.idOf(sign.name), *id, QCoreApplication::translate("DestinationSet", "the sign %1 is there already").arg(sign.name));
        if (!fine)
            return fine;
        VehicleSign stored = sign;
        stored.layout = *VehicleSign::boardLayout(sign.layout, sign.width, sign.height);
        const Status updated = table.update(*id, stored);
        if (!updated)
            return updated;
        // A smaller sign must still hold the images made for it.
        const Expected<std::vector<SignOverride>> images = OverrideTable(db).all();
        return images ? Status::success() : images.status();
    });
}

Status DestinationSet::removeSign(const QString& name, qint64 readRevision)
{
    return change([&](QSqlDatabase& db) {
        SignTable table(db);
        const Expected<qint64> id = existing(table.idOf(name), NoSign, name);
        Status fine = id ? freshSign(table, *id, name, readRevision, stale_) : id.status();
        return fine ? table.remove(*id) : fine;
    });
}

Status DestinationSet::storeOverride(const SignOverride& image, std::optional<qint64> readRevision)
{
    return change([&](QSqlDatabase& db) {
        const Expected<qint64> destination =
            existing(DestinationTable(db).idOf(image.code), NoDestination, image.code);
        if (!destination)
            return destination.status();
        const Expected<qint64> sign =
            existing(SignTable(db).idOf(image.sign), NoSign, image.sign);
        if (!sign)
            return sign.status();
        Status fine = freshOverride(db, image, *destination, *sign, readRevision);
        if (fine)
            fine = image.image.check();
        if (!fine)
            return fine;
        Status stored = OverrideTable(db).store(*destination, *sign, image);
        if (stored)
            stored = DestinationTable(db).record(image.code, stamp(),
                                                 QStringLiteral("image on %1 stored by hand").arg(image.sign));
        if (!stored)
            return stored;
        // Read back: the image must fit its sign.
        const Expected<std::vector<SignOverride>> images = OverrideTable(db).all();
        return images ? Status::success() : images.status();
    }, image.code);
}

Status DestinationSet::removeOverride(const QString& code, const QString& sign, std::optional<qint64> readRevision)
{
    return change([&](QSqlDatabase& db) {
        const Expected<qint64> destination =
            existing(DestinationTable(db).idOf(code), NoDestination, code);
        if (!destination)
            return destination.status();
        const Expected<qint64> signId = existing(SignTable(db).idOf(sign), NoSign, sign);
        if (!signId)
            return signId.status();
        SignOverride which;
        which.code = code;
        which.sign = sign;
        Status fine = freshOverride(db, which, *destination, *signId, readRevision);
        // Nothing removed is no change, and no line in the history.
        if (fine) {
            const Expected<qint64> there = OverrideTable(db).revision(*destination, *signId);
            if (!there || *there == 0)
                fine = there ? Status::failure(QStringLiteral("%1 has no image made by hand for the sign %2").arg(code, sign))
                             : there.status();
        }
        if (fine)
            fine = OverrideTable(db).remove(*destination, *signId);
        return fine ? DestinationTable(db).record(code, stamp(), QStringLiteral("image on %1 removed").arg(sign)) : fine;
    }, code);
}

Status DestinationSet::freshOverride(const QSqlDatabase& db, const SignOverride& image, qint64 destinationId,
                                     qint64 signId, std::optional<qint64> readRevision)
{
    if (!readRevision)
        return Status::success();
    const Expected<qint64> now = OverrideTable(db).revision(destinationId, signId);
    if (!now)
        return now.status();
    if (*now == *readRevision)
        return Status::success();
    // The override keeps no stamp of its own; its destination's history
    // says who stored or removed it last.
    StaleEdit stale{image.code, {}, {},
                    QCoreApplication::translate("DestinationSet", "The image of %1 on %2").arg(image.code, image.sign)};
    const Expected<std::vector<HistoryEntry>> history = DestinationTable(db).history(image.code);
    if (history) {
        const QString prefix = QStringLiteral("image on %1 ").arg(image.sign);
        for (const HistoryEntry& e : *history)
            if (e.what.startsWith(prefix, Qt::CaseInsensitive)) {
                stale.station = e.station;
                stale.time = e.time;
                break;
            }
    }
    stale_ = stale;
    return Status::failure(stale_->message());
}

} // namespace vexel
