#include "store/HeldConnection.h"

#include "store/PgSession.h"
#include "store/ServerWatch.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>

#include <algorithm>
#include <map>
#include <vector>

namespace vexel {

namespace {

struct Kept {
    ScopedConnection connection;
    QElapsedTimer idle;
};

// Qt ties a connection to the thread that opened it, so each thread keeps
// its own; they close when the thread ends.
struct Pool {
    std::map<QString, std::vector<Kept>> byKey;

    ~Pool() { closeAll(); }

    std::size_t size() const
    {
        std::size_t n = 0;
        for (const auto& [key, kept] : byKey)
            n += kept.size();
        return n;
    }

    // Makes room under the thread's limit by closing the longest idle.
    void makeRoom()
    {
        while (size() >= static_cast<std::size_t>(HeldConnection::KeptPerThread)) {
            auto oldest = byKey.end();
            for (auto it = byKey.begin(); it != byKey.end(); ++it)
                if (!it->second.empty() &&
                    (oldest == byKey.end() || it->second.front().idle.elapsed() > oldest->second.front().idle.elapsed()))
                    oldest = it;
            oldest->second.erase(oldest->second.begin());
        }
    }

    void closeAll() { byKey.clear(); }
};

Pool& pool()
{
    thread_local Pool p;
    return p;
}

// What tells one connection from another: every part of the address that
// reaches libpq (the password too: it is never shown, only compared) and
// the statement limit the session was started with.
QString keyOf(const ServerAddress& a, int statementTimeoutMs)
{
    QString key = QStringLiteral("%1\n%2\n%3\n%4\n%5\n%6\n%7")
                      .arg(a.user, a.password, a.host)
                      .arg(a.port)
                      .arg(a.database)
                      .arg(a.connectTimeout)
                      .arg(statementTimeoutMs);
    for (const auto& [name, value] : a.parameters)
        key += QLatin1Char('\n') + name + QLatin1Char('=') + value;
    return key;
}

bool answers(const QSqlDatabase& db)
{
    if (!db.isOpen())
        return false;
    QSqlQuery query(db);
    return query.exec(QStringLiteral("SELECT 1")) && query.next();
}

} // namespace

Expected<HeldConnection> HeldConnection::take(const ServerAddress& address, int statementTimeoutMs, const char* kind,
                                              QDeadlineTimer deadline)
{
    ServerWatch::clearNote();
    const QString key = keyOf(address, statementTimeoutMs);
    auto found = pool().byKey.find(key);
    while (found != pool().byKey.end() && !found->second.empty()) {
        Kept k = std::move(found->second.back());
        found->second.pop_back();
        const bool usable = [&] {
            const QSqlDatabase kept = k.connection.db();
            ServerWatch::setDeadline(kept, deadline);
            return !k.idle.hasExpired(KeptIdleMs) && answers(kept);
        }();
        if (usable)
            return HeldConnection(std::move(k.connection), key);
    }

    ScopedConnection connection = ScopedConnection::server(kind, address, statementTimeoutMs);
    if (!connection.valid())
        return Expected<HeldConnection>::failure(QCoreApplication::translate("HeldConnection", "Qt's PostgreSQL driver is not installed (libqt6sql6-psql)"));
    QSqlDatabase db = connection.db();
    bool opened = false;
    {
        const int limitMs = address.connectTimeout * 1000 + statementTimeoutMs + SilenceGraceMs;
        const ServerWatch::Opening opening(std::min(deadline, QDeadlineTimer(limitMs)));
        opened = db.open();
    }
    if (!opened) {
        const QString silence = ServerWatch::note();
        const QString why = silence.isEmpty() ? db.lastError().text().trimmed() : silence;

        db = QSqlDatabase();
        return Expected<HeldConnection>::failure(why);
    }
    PgSession::collect(db);
    ServerWatch::watch(db, statementTimeoutMs + SilenceGraceMs);
    ServerWatch::setDeadline(db, deadline);
    db = QSqlDatabase();
    return HeldConnection(std::move(connection), key);
}

HeldConnection::HeldConnection(HeldConnection&& other) noexcept
    : connection_(std::move(other.connection_)), key_(std::move(other.key_))
{
}

HeldConnection& HeldConnection::operator=(HeldConnection&& other) noexcept
{
    if (this != &other) {
        giveBack();
        connection_ = std::move(other.connection_);
        key_ = std::move(other.key_);
    }
    return *this;
}

HeldConnection::~HeldConnection() { giveBack(); }

void HeldConnection::drop() { connection_.reset(); }

bool HeldConnection::reset() const
{
    QSqlDatabase db = connection_.db();
    if (!db.isOpen())
        return false;
    QSqlQuery query(db);
    QSqlDriver* driver = db.driver();
    for (const QString& channel : driver->subscribedToNotifications())
        driver->unsubscribeFromNotification(channel);
    // A transaction left open (or failed) goes with the connection: outside
    // one, a statement starts its own. Otherwise what a user of it set is
    // undone: a schema on the path, a read-only session, channels listened to.
    return query.exec(QStringLiteral("SELECT now() = statement_timestamp()")) && query.next() &&
           query.value(0).toBool() &&
           query.exec(QStringLiteral("RESET search_path; RESET default_transaction_read_only; UNLISTEN *"));
}

void HeldConnection::giveBack()
{
    if (connection_.isNull())
        return;
    const bool keep = !key_.isEmpty() && reset() && pool().byKey[key_].size() < static_cast<std::size_t>(KeptPerAddress);
    if (!keep) {
        connection_.reset();
        return;
    }
    ServerWatch::setDeadline(connection_.db(), QDeadlineTimer(QDeadlineTimer::Forever));
    pool().makeRoom();
    Kept k{std::move(connection_), {}};
    k.idle.start();
    pool().byKey[key_].push_back(std::move(k));
}

void HeldConnection::closeKept() { pool().closeAll(); }

int HeldConnection::kept()
{
    int n = 0;
    for (const auto& [key, kept] : pool().byKey)
        n += static_cast<int>(kept.size());
    return n;
}

} // namespace vexel
