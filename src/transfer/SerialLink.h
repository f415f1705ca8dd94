#pragma once

#include "transfer/ReplyMatcher.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <chrono>
#include <memory>
#include <optional>

class QSerialPort;
class QTimer;

// What one exchange with the controller ended with. Filled only when the
// reply wait ran; a stop while sending leaves it empty.
struct TComand_Result {
    bool Timed_Out = false;
    bool Reply_Received = false;
    QByteArray Reply_Text;
};

// The serial link to the board's controller. Free of widgets: it tells the
// window what to show through its signals, and runs on the GUI thread,
// serving pending events while it sends and waits.
class SerialLink : public QObject {
    Q_OBJECT
public:
    static constexpr int TickInterval = 10; // ms, counted nominally
    static constexpr int MicrosPerFlashDelay = 4;

    explicit SerialLink(QObject* parent = nullptr);
    ~SerialLink() override;

    // The baud text as a decimal number, or nothing for any other text.
    static std::optional<qint32> Parse_Baud(const QString& baudText);

    // Opens `name` exclusively, exactly as typed, at `baudText` 8N1 without
    // flow control, RTS and DTR raised. Null when it cannot be opened or
    // the baud text is not a number (then nothing was opened).
    static std::unique_ptr<QSerialPort> Open_Port(const QString& name, const QString& baudText);
    // The same; on failure `failure` gets the line for the status bar and
    // the port box's tooltip ("Permission denied on /dev/ttyUSB0: ...").
    static std::unique_ptr<QSerialPort> Open_Port(const QString& name, const QString& baudText, QString* failure);

    // Closes the open port, if any, and opens `name` at `baudText`;
    // false when the port could not be opened.
    bool reopen(const QString& name, const QString& baudText);
    bool isOpen() const;
    // The most recent open failed (the port box shows red).
    bool openFailed() const { return failed_; }
    // Why the most recent open failed; empty after one that succeeded.
    const QString& openError() const { return openError_; }

    // Pause factor after every byte: Flash_Delay x 4 us; 0 or less, none.
    void setFlashDelay(int value) { flashDelay_ = value; }
    int flashDelay() const { return flashDelay_; }
    // Reply time-out in ms; a negative value counts as 0.
    void setReplyTimeout(int value) { replyTimeout_ = value; }
    int replyTimeout() const { return replyTimeout_ < 0 ? 0 : replyTimeout_; }

    // Sends `data` byte by byte and waits for "OK\r\n", "CS\r\n" or "LN\r\n".
    // Returns on the reply, the time-out or a stop.
    TComand_Result Send_Data(const QByteArray& data);
    bool busy() const { return busy_; }

    // Tick of the 10 ms reply timer; tests call it directly after
    // setManualTicks(true), which keeps the real timer from running.
    void SMS_Timeout_1Timer();
    void setManualTicks(bool manual) { manualTicks_ = manual; }
    bool timerEnabled() const { return timerEnabled_; }

    // The Stop button: looked at after every byte and every wake of the wait.
    void requestStop() { stopRequested_ = true; }
    void clearStop() { stopRequested_ = false; }
    bool stopRequested() const { return stopRequested_; }

    // State of the last exchange, kept until the next one starts.
    bool timedOut() const { return timedOut_; }
    bool replyReceived() const { return replyReceived_; }
    const QByteArray& receivedText() const { return reply_.text(); }
    qint64 waitElapsed() const { return waitElapsed_; }

signals:
    void statusChanged(const QString& text);
    // The progress bar: one step further, or a new range 0..maximum at 0,
    // or all the way to its maximum.
    void progressAdvanced(int step);
    void progressRestarted(int maximum);
    void progressCompleted();
    // One line for the Test window: the received bytes in hex.
    void replyLogged(const QString& hexLine);

private:
    using Clock = std::chrono::steady_clock;

    void closePort();
    void onPortError(int error);
    void writeByte(char byte);
    // Writes the message byte by byte, with the flash delay after each,
    // until it is all out or a stop is asked for.
    void writeMessage(const QByteArray& data);
    // Waits for the board's reply until it is whole, the time-out passes or
    // a stop is asked for, and tells what came.
    TComand_Result awaitReply();
    bool waitWritable();
    void pauseUntil(Clock::time_point deadline);
    void serveEvents();
    void setTimerEnabled(bool enabled);

    std::unique_ptr<QSerialPort> port_;
    bool failed_ = false;
    QString openError_;
    bool closePending_ = false;

    QTimer* SMS_Timeout_1 = nullptr;
    QTimer* pauseWake_ = nullptr;
    bool timerEnabled_ = false;
    bool manualTicks_ = false;

    int flashDelay_ = 500;
    int replyTimeout_ = 1000;
    bool stopRequested_ = false;
    bool timedOut_ = false;
    bool replyReceived_ = false;
    qint64 waitElapsed_ = 0;
    vexel::ReplyMatcher reply_;
    bool busy_ = false;
    Clock::time_point lastServed_{};
    Clock::duration sleepLate_{};
};
