#include "store/HeldConnection.h"

#include "store/PgSession.h"
#include "store/ServerWatch.h"

#include <QElapsedTimer>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>

#include <algorithm>
#include <atomic>
#include <map>
#include <vector>

namespace vexel {

namespace {

void closeAndRemove(const QString& name)
{
    {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        ServerWatch::forget(db);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

struct Kept {
    QString name;
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
            closeAndRemove(oldest->second.front().name);
            oldest->second.erase(oldest->second.begin());
        }
    }

    void closeAll()
    {
        for (auto& [key, kept] : byKey)
            for (const Kept& k : kept)
                closeAndRemove(k.name);
        byKey.clear();
    }
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
        Kept k = found->second.back();
        found->second.pop_back();
        const QSqlDatabase kept = QSqlDatabase::database(k.name, false);
        ServerWatch::setDeadline(kept, deadline);
        if (!k.idle.hasExpired(KeptIdleMs) && answers(kept))
            return HeldConnection(k.name, key);
        closeAndRemove(k.name);
    }

    static std::atomic<int> made{0};
    const QString name = QStringLiteral("vexel-%1-%2").arg(QLatin1String(kind)).arg(++made);
    QSqlDatabase db = address.connection(name, statementTimeoutMs);
    if (!db.isValid()) {
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(name);
        return Expected<HeldConnection>::failure("Qt's PostgreSQL driver is not installed (libqt6sql6-psql)");
    }
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
        closeAndRemove(name);
        return Expected<HeldConnection>::failure(why);
    }
    PgSession::collect(db);
    ServerWatch::watch(db, statementTimeoutMs + SilenceGraceMs);
    ServerWatch::setDeadline(db, deadline);
    return HeldConnection(name, key);
}

HeldConnection::HeldConnection(HeldConnection&& other) noexcept
    : name_(std::move(other.name_)), key_(std::move(other.key_))
{
    other.name_.clear();
}

HeldConnection& HeldConnection::operator=(HeldConnection&& other) noexcept
{
    if (this != &other) {
        giveBack();
        name_ = std::move(other.name_);
        key_ = std::move(other.key_);
        other.name_.clear();
    }
    return *this;
}

HeldConnection::~HeldConnection() { giveBack(); }

void HeldConnection::drop()
{
    if (name_.isEmpty())
        return;
    closeAndRemove(name_);
    name_.clear();
}

bool HeldConnection::reset() const
{
    QSqlDatabase db = QSqlDatabase::database(name_, false);
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
    if (name_.isEmpty())
        return;
    const bool keep = !key_.isEmpty() && reset() && pool().byKey[key_].size() < static_cast<std::size_t>(KeptPerAddress);
    if (!keep) {
        closeAndRemove(name_);
    } else {
        ServerWatch::setDeadline(QSqlDatabase::database(name_, false), QDeadlineTimer(QDeadlineTimer::Forever));
        pool().makeRoom();
        Kept k{name_, {}};
        k.idle.start();
        pool().byKey[key_].push_back(k);
    }
    name_.clear();
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
