#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

namespace vexel {

// What libpq knows of a server connection that Qt SQL does not say: what
// the server said beside its answers (NOTICE, WARNING), and whether a
// transaction is open. libpq prints such messages on standard error, where
// they would read as the program's own words; they are collected per
// connection instead, for whoever asks.
class PgSession {
public:
    static constexpr int Kept = 8;

    struct Heard {
        int count = 0;
        QStringList first; // "WARNING: ...", at most Kept
        // One line for a message, "354 messages from the server, first:
        // WARNING: ..."; empty when it said nothing.
        QString summary() const;
    };

    // From now on, what the server says on this open connection is kept.
    static void collect(const QSqlDatabase& db);
    // What it said since the last take; forgotten then.
    static Heard take(const QSqlDatabase& db);
    static bool inTransaction(const QSqlDatabase& db);
};

} // namespace vexel
