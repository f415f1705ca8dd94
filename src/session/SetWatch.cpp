#include "session/SetWatch.h"

#include "sets/DestinationSet.h"
#include "store/ServerAddress.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>

#include <algorithm>

namespace vexel {

namespace {

// The checks must not hold the window up long on a server that went away.
constexpr int CheckStatementMs = 3000;

} // namespace

SetWatch::SetWatch(const ServerAddress& address, QObject* parent) : QObject(parent), address_(address)
{
    debounce_.setSingleShot(true);
    connect(&debounce_, &QTimer::timeout, this, [this] {
        lastChange_.start();
        const QStringList codes = pending_;
        const bool whole = pendingWhole_;
        pending_.clear();
        pendingWhole_ = false;
        emit changed(codes, whole);
    });
    checks_.setInterval(CheckMs);
    connect(&checks_, &QTimer::timeout, this, &SetWatch::check);

    set_ = address.set;
    shown_ = address.shown();
    connectAndListen();
    checks_.start();
}

SetWatch::~SetWatch() { close(); }

void SetWatch::close(bool answered)
{
    if (held_.name().isEmpty())
        return;
    {
        QSqlDatabase db = held_.db();
        if (db.isOpen())
            db.driver()->disconnect(this);
    }
    if (answered)
        held_ = HeldConnection();
    else
        held_.drop();
    listening_ = false;
}

bool SetWatch::connectAndListen()
{
    Expected<HeldConnection> taken = HeldConnection::take(address_, CheckStatementMs, "set-watch");
    if (!taken) {
        problem_ = QCoreApplication::translate("SetWatch", "Changes made elsewhere to %1 are not shown: %2")
                       .arg(shown_, taken.error());
        return false;
    }
    held_ = std::move(taken).value();
    QSqlDatabase db = held_.db();
    QSqlDriver* driver = db.driver();
    if (!driver->subscribeToNotification(QLatin1String(DestinationSet::ChangeChannel))) {
        problem_ = QCoreApplication::translate("SetWatch", "Changes made elsewhere to %1 are not shown: %2")
                       .arg(shown_, driver->lastError().text().trimmed());
        db = QSqlDatabase();
        close(false);
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
    // The first change after a quiet spell goes out once the notices already
    // received are read; those that follow within DebounceMs wait for the
    // end of it, so a burst is one re-read and not one per row.
    if (!debounce_.isActive()) {
        const qint64 since = lastChange_.isValid() ? lastChange_.elapsed() : DebounceMs;
        debounce_.start(static_cast<int>(std::max<qint64>(0, DebounceMs - since)));
    }
}

void SetWatch::check()
{
    if (set_.isEmpty())
        return;
    if (listening_) {
        bool answers = false;
        {
            QSqlQuery query(held_.db());
            answers = query.exec(QStringLiteral("SELECT 1")) && query.next();
            if (!answers)
                problem_ = QStringLiteral("%1 does not answer: %2")
                               .arg(shown_, query.lastError().text().trimmed());
        }
        if (answers)
            return;
        const QString reason = problem_;
        close(false);
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
