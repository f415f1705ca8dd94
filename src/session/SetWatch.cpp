#include "session/SetWatch.h"

#include "depot/DestinationSet.h"
#include "depot/ServerAddress.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>

namespace vexel {

namespace {

// The checks must not hold the window up long on a server that went away.
constexpr int CheckStatementMs = 3000;

} // namespace

SetWatch::SetWatch(const QString& address, QObject* parent) : QObject(parent), address_(address)
{
    debounce_.setSingleShot(true);
    debounce_.setInterval(DebounceMs);
    connect(&debounce_, &QTimer::timeout, this, [this] {
        const QStringList codes = pending_;
        const bool whole = pendingWhole_;
        pending_.clear();
        pendingWhole_ = false;
        emit changed(codes, whole);
    });
    checks_.setInterval(CheckMs);
    connect(&checks_, &QTimer::timeout, this, &SetWatch::check);

    const Expected<ServerAddress> parsed = ServerAddress::parse(address, ServerAddress::SetName::Required);
    if (!parsed) {
        problem_ = QString::fromStdString(parsed.error());
        return;
    }
    set_ = parsed->set;
    shown_ = parsed->shown();
    connection_ = QStringLiteral("vexel-set-watch-%1").arg(reinterpret_cast<quintptr>(this));
    connectAndListen();
    checks_.start();
}

SetWatch::~SetWatch() { close(); }

void SetWatch::close()
{
    if (connection_.isEmpty() || !QSqlDatabase::contains(connection_))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(connection_, false);
        if (db.isOpen())
            db.driver()->disconnect(this);
        db.close();
    }
    QSqlDatabase::removeDatabase(connection_);
    listening_ = false;
}

bool SetWatch::connectAndListen()
{
    const Expected<ServerAddress> parsed = ServerAddress::parse(address_, ServerAddress::SetName::Required);
    QSqlDatabase db = parsed->connection(connection_, CheckStatementMs);
    if (!db.open()) {
        problem_ = QStringLiteral("Changes made elsewhere to %1 are not shown: %2")
                       .arg(shown_, db.lastError().text().trimmed());
        db = QSqlDatabase();
        close();
        return false;
    }
    QSqlDriver* driver = db.driver();
    if (!driver->subscribeToNotification(QLatin1String(DestinationSet::ChangeChannel))) {
        problem_ = QStringLiteral("Changes made elsewhere to %1 are not shown: %2")
                       .arg(shown_, driver->lastError().text().trimmed());
        db = QSqlDatabase();
        close();
        return false;
    }
    connect(driver, &QSqlDriver::notification, this,
            [this](const QString& name, QSqlDriver::NotificationSource, const QVariant& payload) {
                heard(name, payload);
            });
    listening_ = true;
    problem_.clear();
    return true;
}

void SetWatch::heard(const QString& name, const QVariant& payload)
{
    if (name != QLatin1String(DestinationSet::ChangeChannel))
        return;
    const DestinationSet::ChangeNotice notice = DestinationSet::ChangeNotice::parse(payload.toString());
    if (notice.set != set_)
        return;
    if (notice.code.isEmpty())
        pendingWhole_ = true;
    else if (!pending_.contains(notice.code))
        pending_ << notice.code;
    if (!debounce_.isActive())
        debounce_.start();
}

void SetWatch::check()
{
    if (set_.isEmpty())
        return;
    if (listening_) {
        bool answers = false;
        {
            QSqlDatabase db = QSqlDatabase::database(connection_, false);
            QSqlQuery query(db);
            answers = query.exec(QStringLiteral("SELECT 1")) && query.next();
            if (!answers)
                problem_ = QStringLiteral("%1 does not answer: %2")
                               .arg(shown_, query.lastError().text().trimmed());
        }
        if (answers)
            return;
        const QString reason = problem_;
        close();
        problem_ = reason;
        emit lost(reason);
        return;
    }
    // Changes made while nothing listened are unknown: the whole set is
    // read again by whoever hears back().
    if (connectAndListen())
        emit back();
}

} // namespace vexel
