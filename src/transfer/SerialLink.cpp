#include "transfer/SerialLink.h"

#include "transfer/PortList.h"

#include <QCoreApplication>
#include <QDir>
#include <QSerialPort>
#include <QTimer>

#include <algorithm>
#include <thread>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <poll.h>
#include <unistd.h>
#endif

using namespace std::chrono_literals;

namespace {

// Sleeps wake late, by tens to hundreds of microseconds depending on the
// machine; the last stretch of a pause is counted out on the clock so that
// 1,000 pauses add up to what was asked. The stretch follows how late the
// recent sleeps woke.
constexpr auto MinSpinMargin = 50us;
constexpr auto MaxSpinMargin = 1000us;
// Below this a pause is slept rather than spent waiting on events, whose
// timers only have millisecond resolution.
constexpr auto EventWaitThreshold = 2ms;
// Without a pause, events are served this often instead of after every
// byte, so a fast transfer does not spend most of its time in the loop.
constexpr auto ServeInterval = 1ms;
// How long one byte may wait for room in the output queue.
constexpr auto WriteTimeout = 5s;

} // namespace

SerialLink::SerialLink(QObject* parent) : QObject(parent)
{
    SMS_Timeout_1 = new QTimer(this);
    SMS_Timeout_1->setInterval(TickInterval);
    SMS_Timeout_1->setTimerType(Qt::PreciseTimer);
    connect(SMS_Timeout_1, &QTimer::timeout, this, &SerialLink::SMS_Timeout_1Timer);
    pauseWake_ = new QTimer(this);
    pauseWake_->setSingleShot(true);
    pauseWake_->setTimerType(Qt::PreciseTimer);
}

SerialLink::~SerialLink() { closePort(); }

std::optional<qint32> SerialLink::Parse_Baud(const QString& baudText)
{
    if (baudText.isEmpty())
        return std::nullopt;
    for (QChar c : baudText) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    }
    bool ok = false;
    const int value = baudText.toInt(&ok, 10);
    if (!ok || value <= 0) // 0 would mean hanging up the line
        return std::nullopt;
    return value;
}

std::unique_ptr<QSerialPort> SerialLink::Open_Port(const QString& name, const QString& baudText)
{
    return Open_Port(name, baudText, nullptr);
}

std::unique_ptr<QSerialPort> SerialLink::Open_Port(const QString& name, const QString& baudText, QString* failure)
{
    const std::optional<qint32> baud = Parse_Baud(baudText);
    if (name.isEmpty() || !baud) {
        if (failure)
            *failure =
                name.isEmpty()
                    ? QCoreApplication::translate("SerialLink", "No port chosen")
                    : QCoreApplication::translate("SerialLink", "Baud rate \"%1\" is not a number").arg(baudText);
        return nullptr;
    }
    auto port = std::make_unique<QSerialPort>();
#ifdef Q_OS_UNIX
    // QSerialPort would put /dev/ in front of a relative name; the name
    // is meant exactly as typed.
    const QString device = QDir::isAbsolutePath(name) ? name : QDir::current().absoluteFilePath(name);
#else
    const QString device = name;
#endif
    port->setPortName(device);
    port->setBaudRate(*baud);
    port->setDataBits(QSerialPort::Data8);
    port->setParity(QSerialPort::NoParity);
    port->setStopBits(QSerialPort::OneStop);
    port->setFlowControl(QSerialPort::NoFlowControl);
    // As much as the controller's driver queue held; the rest waits in the
    // kernel until the next exchange purges it.
    port->setReadBufferSize(2048);
    if (!port->open(QIODevice::ReadWrite)) {
        if (failure) {
            bool accessDenied = false;
#ifdef Q_OS_UNIX
            // Qt names a busy port a permission error too; only the device's
            // own access rights say which it is.
            accessDenied = ::access(device.toLocal8Bit().constData(), R_OK | W_OK) != 0 &&
                           (errno == EACCES || errno == EPERM);
#endif
            // Named as the operator typed it.
            *failure = vexel::openFailureMessage(vexel::classifyOpenFailure(port->error(), accessDenied), name,
                                                 port->errorString());
        }
        return nullptr;
    }
    // A pseudo-terminal has no modem lines and refuses both; the port works
    // all the same.
    port->setRequestToSend(true);
    port->setDataTerminalReady(true);
    port->clearError();
    return port;
}

bool SerialLink::reopen(const QString& name, const QString& baudText)
{
    closePort();
    openError_.clear();
    port_ = Open_Port(name, baudText, &openError_);
    failed_ = !port_;
    if (port_) {
        QSerialPort* port = port_.get();
        connect(port, &QSerialPort::errorOccurred, this,
                [this](QSerialPort::SerialPortError error) { onPortError(static_cast<int>(error)); });
    }
    return !failed_;
}

bool SerialLink::isOpen() const { return port_ && port_->isOpen(); }

void SerialLink::closePort()
{
    if (!port_)
        return;
    port_->disconnect(this);
    port_->close();
    port_.reset();
}

void SerialLink::onPortError(int error)
{
    // Once the other side is gone the port reports a read error on every
    // turn of the loop; closing it lets the exchange end by its time-out.
    if (error != QSerialPort::ReadError && error != QSerialPort::ResourceError)
        return;
    if (closePending_)
        return;
    closePending_ = true;
    QSerialPort* failing = port_.get();
    // Not from inside the port's own signal.
    QMetaObject::invokeMethod(
        this,
        [this, failing] {
            closePending_ = false;
            if (port_.get() == failing)
                closePort();
        },
        Qt::QueuedConnection);
}

TComand_Result SerialLink::Send_Data(const QByteArray& data)
{
    if (busy_)
        return {};
    busy_ = true;

    if (timedOut_)
        emit statusChanged(QCoreApplication::translate("SerialLink", "Sending"));
    replyReceived_ = false;
    timedOut_ = false;
    if (port_)
        port_->clear(QSerialPort::AllDirections);

    writeMessage(data);
    TComand_Result result;
    if (!stopRequested_)
        result = awaitReply();
    if (stopRequested_)
        emit statusChanged(QCoreApplication::translate("SerialLink", "Stopped"));
    busy_ = false;
    return result;
}

void SerialLink::writeMessage(const QByteArray& data)
{
    const auto pause = std::chrono::microseconds(flashDelay_ > 0 ? qint64(flashDelay_) * MicrosPerFlashDelay : 0);
    lastServed_ = Clock::now();
    Clock::time_point due = lastServed_; // where the pauses so far should have ended
    for (char byte : data) {
        emit progressAdvanced(1);
        writeByte(byte);
        const Clock::time_point written = Clock::now();
        if (pause.count() > 0) {
            serveEvents();
            // A machine that stalls for milliseconds now and then would make
            // the transfer longer by every stall; the next pauses make up
            // for it, each by at most a tenth, and never for more than ten
            // pauses behind.
            due = std::max({due + pause, written + pause - pause / 10, written - 9 * pause});
            pauseUntil(due);
        } else if (written - lastServed_ >= ServeInterval) {
            serveEvents();
        }
        if (stopRequested_)
            break;
    }
}

TComand_Result SerialLink::awaitReply()
{
    emit statusChanged(QCoreApplication::translate("SerialLink", "Wait for reply"));
    waitElapsed_ = 0;
    setTimerEnabled(true);
    reply_.clear();
    emit progressRestarted(replyTimeout());
    while (!timedOut_ && !replyReceived_ && !stopRequested_) {
        char byte = 0;
        if (port_ && port_->getChar(&byte)) {
            if (reply_.append(byte)) {
                replyReceived_ = true;
                setTimerEnabled(false);
            }
            serveEvents();
            continue;
        }
        // Nothing buffered: sleep until the port, the tick or the user
        // has something.
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    if (stopRequested_)
        setTimerEnabled(false);

    TComand_Result result{timedOut_, replyReceived_, reply_.text()};
    emit statusChanged(reply_.statusText());
    emit replyLogged(reply_.hexLine());
    if (timedOut_)
        emit statusChanged(QCoreApplication::translate("SerialLink", "Connection Error"));
    if (replyReceived_)
        emit progressCompleted();
    return result;
}

void SerialLink::SMS_Timeout_1Timer()
{
    if (!timerEnabled_)
        return;
    waitElapsed_ += TickInterval;
    if (waitElapsed_ > replyTimeout()) {
        setTimerEnabled(false);
        timedOut_ = true;
    }
    emit progressAdvanced(TickInterval);
}

void SerialLink::setTimerEnabled(bool enabled)
{
    timerEnabled_ = enabled;
    if (enabled && !manualTicks_)
        SMS_Timeout_1->start();
    else
        SMS_Timeout_1->stop();
}

void SerialLink::serveEvents()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    lastServed_ = Clock::now();
}

void SerialLink::pauseUntil(Clock::time_point deadline)
{
    for (;;) {
        const auto remaining = deadline - Clock::now();
        if (remaining <= Clock::duration::zero())
            return;
        if (remaining >= EventWaitThreshold) {
            pauseWake_->start(std::chrono::duration_cast<std::chrono::milliseconds>(remaining - 1ms));
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            pauseWake_->stop();
            lastServed_ = Clock::now();
            continue;
        }
        const auto margin = std::clamp<Clock::duration>(sleepLate_ + MinSpinMargin, MinSpinMargin, MaxSpinMargin);
        if (remaining > margin) {
            const Clock::time_point target = deadline - margin;
            std::this_thread::sleep_until(target);
            // Quick to rise, slow to forget one late wake-up.
            const auto late = Clock::now() - target;
            sleepLate_ = late > sleepLate_ ? late : sleepLate_ - (sleepLate_ - late) / 16;
            continue;
        }
        while (Clock::now() < deadline) {
        }
        return;
    }
}

void SerialLink::writeByte(char byte)
{
    if (!isOpen())
        return;
#ifdef Q_OS_UNIX
    // Straight to the descriptor: one system call per byte, without the
    // port's write buffer and its notifier in between.
    for (;;) {
        const ssize_t n = ::write(port_->handle(), &byte, 1);
        if (n == 1)
            return;
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK) && waitWritable())
            continue;
        return; // a failed write goes unnoticed; the reply wait tells
    }
#else
    port_->write(&byte, 1);
    port_->flush();
#endif
}

bool SerialLink::waitWritable()
{
#ifdef Q_OS_UNIX
    const Clock::time_point giveUp = Clock::now() + WriteTimeout;
    while (isOpen() && !stopRequested_ && Clock::now() < giveUp) {
        pollfd fd{port_->handle(), POLLOUT, 0};
        if (::poll(&fd, 1, 10) > 0 && (fd.revents & POLLOUT))
            return true;
        serveEvents();
    }
#endif
    return false;
}
