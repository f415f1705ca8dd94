#pragma once

#include <QDeadlineTimer>
#include <QSqlDatabase>
#include <QString>

#include <memory>

namespace vexel {

// Ends a wait on a server that went silent. libpq waits for a reply as long
// as its socket stays open, and a network that still acknowledges what is
// sent (a proxy or a firewall that stopped forwarding) never lets TCP
// keepalives or tcp_user_timeout fire. So a thread of ours looks at every
// watched TCP connection a few times a second: one that has awaited a
// reply for longer than its limit with no byte coming back is shut down,
// which ends the wait with an error, as a server that went away does.
// Connections through a Unix socket are left to the server's own limits.
class ServerWatch {
public:
    // Watches the open connection `db` until it is forgotten; a wait for a
    // reply that hears nothing for `limitMs` is cut.
    static void watch(const QSqlDatabase& db, int limitMs);
    // Before `db` is closed.
    static void forget(const QSqlDatabase& db);
    // Every wait on `db` also ends by `deadline`, until another is set.
    static void setDeadline(const QSqlDatabase& db, QDeadlineTimer deadline);

    // Why the last connection of this thread that was cut failed, in words
    // for a message; empty when none was cut since the last clearNote().
    static QString note();
    static void clearNote();

    // While it lives, the server connections this thread opens are cut at
    // `deadline` when they are still opening: Qt's driver asks the server
    // a few questions before open() returns, beyond libpq's connect_timeout.
    class Opening {
    public:
        explicit Opening(QDeadlineTimer deadline);
        ~Opening();
        Opening(const Opening&) = delete;
        Opening& operator=(const Opening&) = delete;

        struct State;

    private:
        std::unique_ptr<State> state_;
    };
};

} // namespace vexel
