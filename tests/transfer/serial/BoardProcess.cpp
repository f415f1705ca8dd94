#include "BoardProcess.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

namespace serial_testing {

BoardProcess::BoardProcess(const QStringList& options)
{
    process_.start(QStringLiteral(VEXEL_BOARD_TOOL), QStringList{QStringLiteral("--pty")} + options);
    if (!process_.waitForStarted(5000))
        return;
    QDeadlineTimer deadline(5000);
    while (!process_.canReadLine() && !deadline.hasExpired())
        process_.waitForReadyRead(static_cast<int>(deadline.remainingTime()));
    if (process_.canReadLine())
        path_ = QString::fromLocal8Bit(process_.readLine()).trimmed();
}

BoardProcess::~BoardProcess()
{
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished(5000);
    }
}

QString BoardProcess::log() { return QString::fromLocal8Bit(process_.readAllStandardError()); }

bool BoardProcess::waitForExit()
{
    return process_.state() == QProcess::NotRunning || process_.waitForFinished(5000);
}

TickDriver::TickDriver(SerialLink& link, std::function<bool()> ready) : link_(link), ready_(std::move(ready))
{
    link_.setManualTicks(true);
    poll_.setInterval(1);
    connect(&poll_, &QTimer::timeout, this, &TickDriver::step);
    connect(&link_, &SerialLink::statusChanged, this, [this](const QString& text) {
        if (text == QStringLiteral("Wait for reply")) {
            ticks_ = 0;
            watchdog_.start();
            poll_.start();
        }
    });
}

void TickDriver::step()
{
    if (!link_.timerEnabled()) {
        poll_.stop();
        return;
    }
    if (!ready_() && watchdog_.elapsed() < 5000)
        return;
    link_.SMS_Timeout_1Timer();
    ++ticks_;
}

LinkRecorder::LinkRecorder(SerialLink& link)
{
    QObject::connect(&link, &SerialLink::statusChanged, &link, [this](const QString& t) { statuses << t; });
    QObject::connect(&link, &SerialLink::replyLogged, &link, [this](const QString& l) { lines << l; });
}

} // namespace serial_testing
