#pragma once

#include "fleet/SendJournal.h"
#include "store/ScopedConnection.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

namespace vexel {

// Tells when the journal may have changed, so an open Fleet window reads
// the fleet again: the journal file and its write-ahead log are watched
// (sends of this PC, and those still waiting for the server), and with a
// server its notifications are listened to on a connection of its own.
// A burst of changes comes out as one changed() after DebounceMs.
class FleetWatch : public QObject {
    Q_OBJECT
public:
    static constexpr int DebounceMs = 200;
    static constexpr const char* JournalChannel = "vexel_journal";
    static constexpr const char* FleetChannel = "vexel_fleet";

    explicit FleetWatch(const SendJournal& journal, QObject* parent = nullptr);
    ~FleetWatch() override;

    // Whether the server's notifications are heard.
    bool listening() const { return listening_; }
    // Why they are not; empty without a server or when they are.
    const QString& problem() const { return problem_; }

signals:
    void changed();

private:
    bool watchFiles();
    void listen(const QString& server);
    void touched() { debounce_.start(); }

    QFileSystemWatcher watcher_;
    QTimer debounce_;
    QStringList files_;
    ScopedConnection connection_;
    bool listening_ = false;
    QString problem_;
};

} // namespace vexel
