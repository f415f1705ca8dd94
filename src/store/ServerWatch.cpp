#include "store/ServerWatch.h"

#include <QCoreApplication>
#include <QDir>
#include <QSqlDriver>
#include <QVariant>

#include <libpq-events.h>
#include <libpq-fe.h>

#include <linux/tcp.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <thread>

namespace vexel {

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto Tick = std::chrono::milliseconds(100);

// How many bytes the connection sent and received, as TCP counts them;
// false for anything but a TCP socket.
bool traffic(int fd, quint64& sent, quint64& received)
{
    tcp_info info{};
    socklen_t length = sizeof info;
    if (fd < 0 || getsockopt(fd, IPPROTO_TCP, TCP_INFO, &info, &length) != 0 ||
        length < offsetof(tcp_info, tcpi_bytes_sent) + sizeof info.tcpi_bytes_sent)
        return false;
    sent = info.tcpi_bytes_sent;
    received = info.tcpi_bytes_received;
    return true;
}

PGconn* handleOf(const QSqlDatabase& db)
{
    if (!db.isValid() || !db.driver())
        return nullptr;
    const QVariant v = db.driver()->handle();
    if (!v.isValid() || qstrcmp(v.typeName(), "PGconn*") != 0)
        return nullptr;
    return *static_cast<PGconn* const*>(v.constData());
}

// The socket inodes this process has open now.
std::set<ino_t> socketsOpen()
{
    std::set<ino_t> found;
    const QDir fds(QStringLiteral("/proc/self/fd"));
    for (const QString& name : fds.entryList(QDir::Files | QDir::System | QDir::NoDotAndDotDot)) {
        struct stat st {};
        if (::stat(fds.filePath(name).toLocal8Bit().constData(), &st) == 0 && S_ISSOCK(st.st_mode))
            found.insert(st.st_ino);
    }
    return found;
}

struct Watched {
    int fd = -1;
    int limitMs = 0;
    std::optional<Clock::time_point> deadline;
    std::thread::id owner;
    // TCP's count of bytes sent when the last reply came in: more sent
    // since means a reply is awaited.
    quint64 sentAtReply = 0;
    // Rows of a reply that comes a row at a time.
    quint64 rows = 0;
    quint64 seenReceived = 0;
    quint64 seenRows = 0;
    Clock::time_point quietSince = Clock::now();
    bool cut = false;
};

QString silenceNote(int seconds)
{
    if (seconds == 1)
        return QCoreApplication::translate("ServerWatch",
                                           "the server did not answer within 1 second; the connection was closed");
    return QCoreApplication::translate("ServerWatch",
                                       "the server did not answer within %1 seconds; the connection was closed")
        .arg(seconds);
}

} // namespace

struct ServerWatch::Opening::State {
    std::set<ino_t> before;
    Clock::time_point started = Clock::now();
    Clock::time_point deadline;
    std::thread::id owner;
    bool fired = false;
};

namespace {

class Watch {
public:
    std::mutex mutex;
    std::map<PGconn*, Watched> watched;
    std::set<ServerWatch::Opening::State*> openings;
    std::map<std::thread::id, QString> notes;

    void wake()
    {
        if (!started_) {
            started_ = true;
            std::thread([this] { run(); }).detach();
        }
        changed_.notify_all();
    }

    void replied(PGconn* conn, bool row)
    {
        const std::lock_guard<std::mutex> lock(mutex);
        const auto it = watched.find(conn);
        if (it == watched.end())
            return;
        if (row) {
            ++it->second.rows;
            return;
        }
        quint64 received = 0;
        traffic(it->second.fd, it->second.sentAtReply, received);
    }

private:
    void run()
    {
        std::unique_lock<std::mutex> lock(mutex);
        for (;;) {
            if (watched.empty() && openings.empty())
                changed_.wait(lock);
            else
                changed_.wait_for(lock, Tick);
            look(Clock::now());
        }
    }

    void look(Clock::time_point now)
    {
        for (auto& [conn, w] : watched) {
            quint64 sent = 0;
            quint64 received = 0;
            if (w.cut || !traffic(w.fd, sent, received))
                continue;
            if (sent <= w.sentAtReply || received != w.seenReceived || w.rows != w.seenRows) {
                w.seenReceived = received;
                w.seenRows = w.rows;
                w.quietSince = now;
            }
            if (sent <= w.sentAtReply)
                continue;
            const bool quiet = now - w.quietSince >= std::chrono::milliseconds(w.limitMs);
            if (quiet || (w.deadline && now >= *w.deadline)) {
                ::shutdown(w.fd, SHUT_RDWR);
                w.cut = true;
                const auto waited = std::chrono::duration_cast<std::chrono::seconds>(now - w.quietSince).count();
                notes[w.owner] = silenceNote(std::max<int>(1, static_cast<int>(waited)));
            }
        }
        for (ServerWatch::Opening::State* o : openings)
            if (!o->fired && now >= o->deadline)
                cutOpening(*o, now);
    }

    // The sockets made since the opening began that are not connections
    // already watched: those of the connection still being opened.
    void cutOpening(ServerWatch::Opening::State& o, Clock::time_point now)
    {
        o.fired = true;
        std::set<int> known;
        for (const auto& [conn, w] : watched)
            known.insert(w.fd);
        const QDir fds(QStringLiteral("/proc/self/fd"));
        for (const QString& name : fds.entryList(QDir::Files | QDir::System | QDir::NoDotAndDotDot)) {
            bool number = false;
            const int fd = name.toInt(&number);
            struct stat st {};
            quint64 sent = 0;
            quint64 received = 0;
            if (!number || known.count(fd) || ::fstat(fd, &st) != 0 || !S_ISSOCK(st.st_mode) ||
                o.before.count(st.st_ino) || !traffic(fd, sent, received))
                continue;
            ::shutdown(fd, SHUT_RDWR);
        }
        const auto waited = std::chrono::duration_cast<std::chrono::seconds>(now - o.started).count();
        notes[o.owner] = silenceNote(std::max<int>(1, static_cast<int>(waited)));
    }

    bool started_ = false;
    std::condition_variable changed_;
};

// Lives as long as the process, with its thread.
Watch& theWatch()
{
    static Watch* watch = new Watch;
    return *watch;
}

int onEvent(PGEventId id, void* info, void*)
{
    if (id == PGEVT_RESULTCREATE) {
        const auto* created = static_cast<PGEventResultCreate*>(info);
        theWatch().replied(created->conn, PQresultStatus(created->result) == PGRES_SINGLE_TUPLE);
    }
    return 1;
}

} // namespace

void ServerWatch::watch(const QSqlDatabase& db, int limitMs)
{
    PGconn* conn = handleOf(db);
    if (!conn)
        return;
    Watch& w = theWatch();
    const std::lock_guard<std::mutex> lock(w.mutex);
    Watched& entry = w.watched[conn];
    entry = Watched{};
    entry.fd = PQsocket(conn);
    entry.limitMs = limitMs;
    entry.owner = std::this_thread::get_id();
    quint64 received = 0;
    if (!traffic(entry.fd, entry.sentAtReply, received)) {
        w.watched.erase(conn);
        return;
    }
    // Registered once per connection: a second time only fails.
    PQregisterEventProc(conn, onEvent, "vexel-server-watch", nullptr);
    w.wake();
}

void ServerWatch::forget(const QSqlDatabase& db)
{
    PGconn* conn = handleOf(db);
    if (!conn)
        return;
    Watch& w = theWatch();
    const std::lock_guard<std::mutex> lock(w.mutex);
    w.watched.erase(conn);
}

void ServerWatch::setDeadline(const QSqlDatabase& db, QDeadlineTimer deadline)
{
    PGconn* conn = handleOf(db);
    if (!conn)
        return;
    Watch& w = theWatch();
    const std::lock_guard<std::mutex> lock(w.mutex);
    const auto it = w.watched.find(conn);
    if (it == w.watched.end())
        return;
    if (deadline.isForever())
        it->second.deadline.reset();
    else
        it->second.deadline = Clock::now() + std::chrono::milliseconds(deadline.remainingTime());
}

QString ServerWatch::note()
{
    Watch& w = theWatch();
    const std::lock_guard<std::mutex> lock(w.mutex);
    const auto it = w.notes.find(std::this_thread::get_id());
    return it == w.notes.end() ? QString() : it->second;
}

void ServerWatch::clearNote()
{
    Watch& w = theWatch();
    const std::lock_guard<std::mutex> lock(w.mutex);
    w.notes.erase(std::this_thread::get_id());
}

ServerWatch::Opening::Opening(QDeadlineTimer deadline) : state_(std::make_unique<State>())
{
    if (deadline.isForever())
        return;
    state_->before = socketsOpen();
    state_->deadline = Clock::now() + std::chrono::milliseconds(deadline.remainingTime());
    state_->owner = std::this_thread::get_id();
    Watch& w = theWatch();
    const std::lock_guard<std::mutex> lock(w.mutex);
    w.openings.insert(state_.get());
    w.wake();
}

ServerWatch::Opening::~Opening()
{
    Watch& w = theWatch();
    const std::lock_guard<std::mutex> lock(w.mutex);
    w.openings.erase(state_.get());
}

} // namespace vexel
