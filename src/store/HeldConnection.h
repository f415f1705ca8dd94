#pragma once

#include "store/ScopedConnection.h"
#include "store/ServerAddress.h"
#include "document/Result.h"

#include <QDeadlineTimer>
#include <QSqlDatabase>
#include <QString>

namespace vexel {

// A connection to a server, kept open after the work that needed it for
// the next piece of work on the same thread with the same address and
// statement limit: a new connection costs a server process and several
// round trips, more than most of what an editor asks of a set or the
// journal. Taken, it is this object's alone; given back (on destruction)
// its session is put back as it was connected, or it is closed when that
// fails. One kept for long, or one the server dropped, is opened again.
class HeldConnection {
public:
    static constexpr int KeptPerAddress = 4;
    static constexpr int KeptIdleMs = 60000;
    static constexpr int KeptPerThread = 16;

    // A wait on the server that hears nothing for this long past the
    // statement limit is cut (see ServerWatch), so the server's own
    // statement_timeout has its say first.
    static constexpr int SilenceGraceMs = 2000;

    // `kind` names the connection for Qt ("set", "journal", ...). Every
    // wait on the server, connecting included, also ends by `deadline`
    // while it is taken.
    static Expected<HeldConnection> take(const ServerAddress& address, int statementTimeoutMs, const char* kind,
                                         QDeadlineTimer deadline = QDeadlineTimer(QDeadlineTimer::Forever));
    HeldConnection() = default; // none
    HeldConnection(HeldConnection&& other) noexcept;
    HeldConnection& operator=(HeldConnection&& other) noexcept;
    HeldConnection(const HeldConnection&) = delete;
    HeldConnection& operator=(const HeldConnection&) = delete;
    ~HeldConnection();

    QSqlDatabase db() const { return connection_.db(); }
    const QString& name() const { return connection_.name(); }
    // Closes it rather than keeping it: its session is in a state nobody
    // should inherit.
    void drop();

    // Closes every connection this thread keeps (tests, and a window that
    // lost its server).
    static void closeKept();
    // How many this thread keeps now.
    static int kept();

private:
    HeldConnection(ScopedConnection connection, QString key)
        : connection_(std::move(connection)), key_(std::move(key)) {}
    void giveBack();
    bool reset() const;

    ScopedConnection connection_;
    QString key_;

};

} // namespace vexel
