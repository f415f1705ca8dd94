#pragma once

#include "store/HeldConnection.h"
#include "store/ServerAddress.h"
#include "store/ServerWatch.h"
#include "document/Result.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>

#include <atomic>
#include <string>

namespace vexel {

// One named database connection for one piece of work, closed and removed
// with it, so no connection outlives the call that needed it.
class ScopedConnection {
public:
    ScopedConnection(const ScopedConnection&) = delete;
    ScopedConnection& operator=(const ScopedConnection&) = delete;

    QSqlDatabase db() const { return QSqlDatabase::database(name_, false); }
    const QString& error() const { return error_; }

    Status run(const QString& sql) const
    {
        QSqlQuery q(db());
        if (!q.exec(sql))
            return Status::failure(q.lastError().text());
        return Status::success();
    }

protected:
    explicit ScopedConnection(const char* kind)
    {
        static std::atomic<int> made{0};
        name_ = QStringLiteral("vexel-%1-%2").arg(QLatin1String(kind)).arg(++made);
    }
    ~ScopedConnection()
    {
        {
            QSqlDatabase db = QSqlDatabase::database(name_, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(name_);
    }
    const QString& name() const { return name_; }
    void fail(QString error) { error_ = std::move(error); }

private:
    QString name_;
    QString error_;
};

// The journal's SQLite file (and the bus list beside it); a busy file is
// waited on for `busyTimeoutMs`.
class FileLink : public ScopedConnection {
public:
    FileLink(const QString& path, bool readOnly, int busyTimeoutMs) : ScopedConnection("journal")
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name());
        if (!db.isValid()) {
            fail("Qt's SQLite driver is not installed (libqt6sql6-sqlite)");
            return;
        }
        db.setDatabaseName(path);
        QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs);
        if (readOnly)
            options += QStringLiteral(";QSQLITE_OPEN_READONLY");
        db.setConnectOptions(options);
        if (!db.open())
            fail(db.lastError().text());
    }
};

// The journal's server; it gives up after `connectTimeout` seconds to
// connect and `statementTimeoutMs` a statement, and at `deadline` whatever
// it waits for. The connection is kept for the next call on this thread (a
// send's entry, the next upload).
class ServerLink {
public:
    ServerLink(const ServerAddress& address, int connectTimeout, int statementTimeoutMs,
               QDeadlineTimer deadline = QDeadlineTimer(QDeadlineTimer::Forever))
    {
        ServerAddress a = address;
        a.connectTimeout = connectTimeout;
        Expected<HeldConnection> taken = HeldConnection::take(a, statementTimeoutMs, "journal-server", deadline);
        if (taken)
            held_ = std::move(taken).value();
        else
            error_ = taken.error();
    }

    QSqlDatabase db() const { return held_.db(); }
    const QString& error() const { return error_; }

    // The server's own words where it gave some; ours where a silent
    // server was given up.
    static QString why(const QSqlError& error)
    {
        const QString silence = ServerWatch::note();
        if (!silence.isEmpty())
            return silence;
        const QString text = error.databaseText().trimmed().isEmpty() ? error.text() : error.databaseText();
        return text.trimmed();
    }

private:
    HeldConnection held_;
    QString error_;
};

} // namespace vexel
