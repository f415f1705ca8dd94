#pragma once

#include "depot/ServerAddress.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QString>

#include <atomic>
#include <string>

namespace vexel {

// One connection to the journal's server for one call, closed and removed
// with it; it gives up after `connectTimeout` seconds to connect and
// `statementTimeoutMs` a statement.
class ServerLink {
public:
    ServerLink(const ServerAddress& address, int connectTimeout, int statementTimeoutMs)
    {
        static std::atomic<int> made{0};
        name_ = QStringLiteral("vexel-journal-server-%1").arg(++made);
        ServerAddress a = address;
        a.connectTimeout = connectTimeout;
        QSqlDatabase db = a.connection(name_, statementTimeoutMs);
        if (!db.isValid())
            error_ = "Qt's PostgreSQL driver is not installed (libqt6sql6-psql)";
        else if (!db.open())
            error_ = db.lastError().text().trimmed().toStdString();
    }
    ~ServerLink()
    {
        {
            QSqlDatabase db = QSqlDatabase::database(name_, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(name_);
    }
    ServerLink(const ServerLink&) = delete;
    ServerLink& operator=(const ServerLink&) = delete;

    QSqlDatabase db() const { return QSqlDatabase::database(name_, false); }
    const std::string& error() const { return error_; }

    // The server's own words where it gave some.
    static std::string why(const QSqlError& error)
    {
        const QString text = error.databaseText().trimmed().isEmpty() ? error.text() : error.databaseText();
        return text.trimmed().toStdString();
    }

private:
    QString name_;
    std::string error_;
};

} // namespace vexel
