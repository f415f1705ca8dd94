#pragma once

#include "store/HeldConnection.h"
#include "store/ScopedConnection.h"
#include "store/ServerAddress.h"
#include "store/ServerWatch.h"
#include "document/Result.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>

#include <string>

namespace vexel {

// The journal's SQLite file (and the bus list beside it), for one piece of
// work; a busy file is waited on for `busyTimeoutMs`.
class FileLink {
public:
    FileLink(const QString& path, bool readOnly, int busyTimeoutMs)
    {
        Expected<ScopedConnection> opened = ScopedConnection::openSqlite("journal", path, readOnly, busyTimeoutMs);
        if (opened)
            connection_ = std::move(opened).value();
        else
            error_ = opened.error();
    }

    QSqlDatabase db() const { return connection_.db(); }
    const QString& error() const { return error_; }

    Status run(const QString& sql) const
    {
        QSqlQuery q(db());
        if (!q.exec(sql))
            return Status::failure(q.lastError().text());
        return Status::success();
    }

private:
    ScopedConnection connection_;
    QString error_;
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
