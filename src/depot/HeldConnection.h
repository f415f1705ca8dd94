#pragma once

#include "depot/ServerAddress.h"
#include "document/Result.h"

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

    // `kind` names the connection for Qt ("set", "journal", ...).
    static Expected<HeldConnection> take(const ServerAddress& address, int statementTimeoutMs, const char* kind);
    HeldConnection() = default; // none
    HeldConnection(HeldConnection&& other) noexcept;
    HeldConnection& operator=(HeldConnection&& other) noexcept;
    HeldConnection(const HeldConnection&) = delete;
    HeldConnection& operator=(const HeldConnection&) = delete;
    ~HeldConnection();

    QSqlDatabase db() const { return QSqlDatabase::database(name_, false); }
    const QString& name() const { return name_; }
    // Closes it rather than keeping it: its session is in a state nobody
    // should inherit.
    void drop();

    // Closes every connection this thread keeps (tests, and a window that
    // lost its server).
    static void closeKept();
    // How many this thread keeps now.
    static int kept();

private:
    HeldConnection(QString name, QString key) : name_(std::move(name)), key_(std::move(key)) {}
    void giveBack();
    bool reset() const;

    QString name_;
    QString key_;

};

} // namespace vexel
