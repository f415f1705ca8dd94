#pragma once

#include "transfer/SerialLink.h"

#include <QElapsedTimer>
#include <QObject>
#include <QProcess>
#include <QStringList>
#include <QTimer>

#include <functional>

namespace serial_testing {

// vexel-board on a fresh pseudo-terminal, killed at the end of the test.
class BoardProcess {
public:
    explicit BoardProcess(const QStringList& options = {});
    ~BoardProcess();

    bool started() const { return !path_.isEmpty(); }
    // The end the editor opens.
    const QString& path() const { return path_; }
    // What --log wrote so far.
    QString log();
    // Waits (on events) until the process has ended.
    bool waitForExit();

private:
    QProcess process_;
    QString path_;
};

// Drives the reply timer by hand: once the reply wait has begun and
// `ready` holds, it ticks until the wait ends. A watchdog ticks anyway
// after a few seconds, so a test that waits for the wrong thing fails
// instead of hanging.
class TickDriver : public QObject {
public:
    explicit TickDriver(SerialLink& link, std::function<bool()> ready = [] { return true; });

    int ticks() const { return ticks_; }

private:
    void step();

    SerialLink& link_;
    std::function<bool()> ready_;
    QTimer poll_;
    QElapsedTimer watchdog_;
    int ticks_ = 0;
};

// Every status text and log line of a link, in order.
struct LinkRecorder {
    explicit LinkRecorder(SerialLink& link);
    QStringList statuses;
    QStringList lines;
};

} // namespace serial_testing
