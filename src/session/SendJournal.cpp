#include "session/SendJournal.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QVariant>

namespace vexel {

namespace {

constexpr int SchemaVersion = 1;

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

QString timeText(const QDateTime& time) { return time.toUTC().toString(Qt::ISODateWithMs); }

QVariant orNull(int value, int none) { return value == none ? QVariant() : QVariant(value); }

// A null QString binds as NULL; the text columns hold '' instead.
QString text(const QString& value) { return value.isNull() ? QStringLiteral("") : value; }

// One connection for one piece of work, closed and removed with it.
class Connection {
public:
    Connection(const QString& path, bool readOnly)
    {
        static int made = 0;
        name_ = QStringLiteral("vexel-journal-%1").arg(++made);
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
        if (!db.isValid()) {
            error_ = "Qt's SQLite driver is not installed (libqt6sql6-sqlite)";
            return;
        }
        db.setDatabaseName(path);
        QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(SendJournal::BusyTimeoutMs);
        if (readOnly)
            options += QStringLiteral(";QSQLITE_OPEN_READONLY");
        db.setConnectOptions(options);
        if (!db.open())
            error_ = db.lastError().text().toStdString();
    }
    ~Connection()
    {
        {
            QSqlDatabase db = QSqlDatabase::database(name_, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(name_);
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    QSqlDatabase db() const { return QSqlDatabase::database(name_, false); }
    const std::string& error() const { return error_; }

    Status run(const QString& sql) const
    {
        QSqlQuery q(db());
        if (!q.exec(sql))
            return Status::failure(q.lastError().text().toStdString());
        return Status::success();
    }

private:
    QString name_;
    std::string error_;
};

std::string shown(const QString& path) { return "\"" + QDir::toNativeSeparators(path).toStdString() + "\""; }

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
    return e;
}

const char* const Columns = "SELECT time, bus, sign, set_name, version, port, kind, files, bytes, checksum, reply "
                            "FROM entry";

QString csvField(const QString& text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n')) &&
        !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace

QString SendJournal::defaultPath()
{
    const QString forced = qEnvironmentVariable("VEXEL_JOURNAL");
    if (!forced.isEmpty())
        return forced;
    // Named in full, so that `vexel` (another application name) writes the
    // same journal as the editor.
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return base.isEmpty() ? QString() : base + QStringLiteral("/vexelimage/Vexel Image/journal.sqlite");
}

Status SendJournal::record(const JournalEntry& entry) const
{
    const auto fail = [this](const std::string& why) {
        return Status::failure("The send journal " + shown(path_) + " could not be written: " + why);
    };
    if (path_.isEmpty())
        return fail("there is no folder for it");
    const QString folder = QFileInfo(path_).absolutePath();
    if (!QDir().mkpath(folder))
        return fail("its folder cannot be made");

    const Connection c(path_, false);
    if (!c.error().empty())
        return fail(c.error());
    Status done = c.run(QStringLiteral("BEGIN IMMEDIATE"));
    if (!done)
        return fail(done.error());
    done = c.run(QLatin1String(CreateTable));
    if (done) {
        QSqlQuery version(c.db());
        if (version.exec(QStringLiteral("PRAGMA user_version")) && version.next() && version.value(0).toInt() == 0)
            done = c.run(QStringLiteral("PRAGMA user_version = %1").arg(SchemaVersion));
    }
    if (done) {
        QSqlQuery insert(c.db());
        insert.prepare(QStringLiteral("INSERT INTO entry (time, bus, sign, set_name, version, port, kind, files, "
                                      "bytes, checksum, reply) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
        insert.addBindValue(timeText(entry.time.isValid() ? entry.time : QDateTime::currentDateTimeUtc()));
        insert.addBindValue(text(entry.bus));
        insert.addBindValue(text(entry.sign));
        insert.addBindValue(text(entry.set));
        insert.addBindValue(orNull(entry.version, 0));
        insert.addBindValue(text(entry.port));
        insert.addBindValue(entry.read ? QStringLiteral("read") : QStringLiteral("send"));
        insert.addBindValue(text(entry.files.join(QLatin1Char('\n'))));
        insert.addBindValue(orNull(entry.bytes, -1));
        insert.addBindValue(orNull(entry.checksum, -1));
        insert.addBindValue(text(entry.reply));
        if (!insert.exec())
            done = Status::failure(insert.lastError().text().toStdString());
    }
    if (done)
        done = c.run(QStringLiteral("COMMIT"));
    if (done)
        return done;
    c.run(QStringLiteral("ROLLBACK"));
    return fail(done.error());
}

Expected<std::vector<JournalEntry>> SendJournal::entries(const JournalFilter& filter) const
{
    using Result = Expected<std::vector<JournalEntry>>;
    if (path_.isEmpty() || !QFileInfo::exists(path_))
        return std::vector<JournalEntry>();
    const Connection c(path_, true);
    const auto fail = [this](const std::string& why) {
        return Result::failure("The send journal " + shown(path_) + " cannot be read: " + why);
    };
    if (!c.error().empty())
        return fail(c.error());

    QStringList where;
    QVariantList values;
    const auto equal = [&](const char* column, const QString& value) {
        if (value.trimmed().isEmpty())
            return;
        where << QStringLiteral("%1 = ?").arg(QLatin1String(column));
        values << value.trimmed();
    };
    equal("bus", filter.bus);
    equal("sign", filter.sign);
    equal("set_name", filter.set);
    if (filter.reply == QLatin1String(NotSent)) {
        where << QStringLiteral("reply LIKE 'not sent%'");
    } else {
        equal("reply", filter.reply);
    }
    if (filter.from.isValid()) {
        where << QStringLiteral("time >= ?");
        values << timeText(filter.from.startOfDay());
    }
    if (filter.to.isValid()) {
        where << QStringLiteral("time < ?");
        values << timeText(filter.to.addDays(1).startOfDay());
    }
    QString sql = QLatin1String(Columns);
    if (!where.isEmpty())
        sql += QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND "));
    sql += QStringLiteral(" ORDER BY time, id");

    QSqlQuery q(c.db());
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        return fail(q.lastError().text().toStdString());
    for (const QVariant& v : values)
        q.addBindValue(v);
    if (!q.exec())
        return fail(q.lastError().text().toStdString());
    std::vector<JournalEntry> found;
    while (q.next())
        found.push_back(entryOf(q));
    return found;
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
    const QString where = sign.trimmed().isEmpty() ? QStringLiteral("Bus %1").arg(bus.trimmed())
                                                   : QStringLiteral("Bus %1, %2 sign").arg(bus.trimmed(), sign.trimmed());
    if (!entry)
        return where + QStringLiteral(": no send that the board took is on record.");
    const QString when = entry->time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    if (entry->version > 0)
        return QStringLiteral("%1: version %2 of %3, sent %4 (%5).")
            .arg(where)
            .arg(entry->version)
            .arg(entry->set.isEmpty() ? QStringLiteral("its set") : entry->set, when, filesText(*entry));
    return QStringLiteral("%1: %2, sent %3, from no release.").arg(where, filesText(*entry), when);
}

QString SendJournal::checksumText(const JournalEntry& entry)
{
    return entry.checksum < 0 ? QString() : QStringLiteral("%1").arg(entry.checksum, 4, 16, QLatin1Char('0')).toUpper();
}

QString SendJournal::filesText(const JournalEntry& entry) { return entry.files.join(QStringLiteral("; ")); }

QString SendJournal::csvHeader()
{
    return QStringLiteral("time,bus,sign,set,version,port,files,bytes,checksum,reply");
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
    };
    QStringList out;
    for (const QString& f : fields)
        out << csvField(f);
    return out.join(QLatin1Char(','));
}

} // namespace vexel
