#include "store/ScopedConnection.h"

#include "store/ServerWatch.h"

#include <QCoreApplication>
#include <atomic>

namespace vexel {

ScopedConnection::ScopedConnection(const char* kind)
{
    static std::atomic<int> made{0};
    name_ = QStringLiteral("vexel-%1-%2").arg(QLatin1String(kind)).arg(++made);
}

ScopedConnection::ScopedConnection(ScopedConnection&& other) noexcept : name_(std::move(other.name_))
{
    other.name_.clear();
}

ScopedConnection& ScopedConnection::operator=(ScopedConnection&& other) noexcept
{
    if (this != &other) {
        reset();
        name_ = std::move(other.name_);
        other.name_.clear();
    }
    return *this;
}

ScopedConnection::~ScopedConnection() { reset(); }

void ScopedConnection::reset()
{
    if (name_.isEmpty())
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(name_, false);
        ServerWatch::forget(db);
        db.close();
    }
    QSqlDatabase::removeDatabase(name_);
    name_.clear();
}

QString ScopedConnection::release()
{
    QString name = std::move(name_);
    name_.clear();
    return name;
}

ScopedConnection ScopedConnection::sqlite(const char* kind, const QString& path, bool readOnly, int busyTimeoutMs)
{
    ScopedConnection c(kind);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), c.name_);
    if (!db.isValid())
        return c;
    db.setDatabaseName(path);
    QString options;
    if (busyTimeoutMs >= 0)
        options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs);
    if (readOnly)
        options += options.isEmpty() ? QStringLiteral("QSQLITE_OPEN_READONLY") : QStringLiteral(";QSQLITE_OPEN_READONLY");
    if (!options.isEmpty())
        db.setConnectOptions(options);
    return c;
}

ScopedConnection ScopedConnection::server(const char* kind, const ServerAddress& address, int statementTimeoutMs)
{
    ScopedConnection c(kind);
    address.connection(c.name_, statementTimeoutMs);
    return c;
}

Expected<ScopedConnection> ScopedConnection::openSqlite(const char* kind, const QString& path, bool readOnly,
                                                        int busyTimeoutMs, Describe describe)
{
    ScopedConnection c = sqlite(kind, path, readOnly, busyTimeoutMs);
    if (!c.valid())
        return Expected<ScopedConnection>::failure(QCoreApplication::translate("ScopedConnection", "Qt's SQLite driver is not installed (libqt6sql6-sqlite)"));
    QSqlDatabase db = c.db();
    if (!db.open())
        return Expected<ScopedConnection>::failure(describe(db.lastError()));
    return c;
}

} // namespace vexel
