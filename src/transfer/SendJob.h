#pragma once

#include "document/ImageRecord.h"
#include "document/Result.h"
#include "transfer/DataMessage.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

class SerialLink;
struct TComand_Result;

namespace vexel {

// What one send or read came to, for the journal: what went out and what
// the board answered, or why nothing went out.
struct ExchangeReport {
    bool read = false;
    QStringList files;  // as in the send list
    QString folder;     // where they are, with a separator
    int dataLength = -1; // the DATA field; -1 when no message was built
    int checksum = -1;
    QString reply;      // as SendJob::replyText says, or "not sent: " and why
};

// What a send job asks of the editor it works for.
class SendJobHost {
public:
    virtual ~SendJobHost() = default;
    // The job starts (true) or ends (false): the commands that would
    // replace the image or touch the port wait meanwhile.
    virtual void holdEditor(bool held) = 0;
    // Writes the open image to its file before its turn to be sent; false
    // when that failed (the failure has been reported).
    virtual bool saveCurrent() = 0;
    // Shows a send-list file in the editor, from its first frame.
    virtual void showSending(const QString& name, const ImageRecord& record) = 0;
    // Opens the image that was open before the job, from its first frame.
    virtual void restoreAfterJob(const QString& name) = 0;
};

// The two exchanges of the send panel: "Send", which packs every file of the
// send list into one DATA message, and "Rd", the READ request. Free of
// widgets: it asks the editor through its host, and reports progress,
// status and the Test window's log through signals.
class SendJob : public QObject {
    Q_OBJECT
public:

    enum class Outcome {
        PortNotOpen, // nothing happened
        NoFiles,     // the list was empty
        Refused,     // a file could not be read or the message not built; nothing sent
        Exchanged,   // the message went out (the reply is the link's business)
    };

    explicit SendJob(SerialLink& link, QObject* parent = nullptr);

    // Null: the job runs without an editor (nothing is saved or shown).
    void setHost(SendJobHost* host) { host_ = host; }

    // The texts of the send list's files, read and checked as the editor
    // loads an image, in list order; `each` sees every record once read.
    // The message names the first file that cannot be read.
    static Expected<std::vector<FileText>> fileTexts(
        const QStringList& entries, const QString& folder,
        const std::function<void(int index, const QString& name, const ImageRecord& record)>& each = {});

    // "Send": the send list `entries` of `folder`; `current` is the image
    // open in the editor, shown again afterwards.
    Outcome send(const QStringList& entries, QString folder, QString current, int flashDelay,
                 int replyTimeout);
    // "Rd".
    void read(int flashDelay, int replyTimeout);
    bool running() const { return running_; }
    // The last send or read that got as far as trying; a send of an empty
    // list leaves nothing.
    const std::optional<ExchangeReport>& lastReport() const { return report_; }

    // "OK", "CS" or "LN" for a reply, "no reply" after the time-out,
    // "stopped" when the operator stopped it.
    static QString replyText(const TComand_Result& result);
    static QString notSent(const QString& why);

signals:
    void statusChanged(const QString& text);
    void progressRange(int maximum); // the bar restarts at 0
    void progressValue(int value);
    void dataLength(int bytes);
    void logCleared();
    void logLine(const QString& line);
    void stopEnabled(bool enabled);
    // The grid is locked while the bytes go out and the reply is awaited.
    void exchanging(bool on);
    // A refusal of the program's own: a box with Yes (`yes`) or OK.
    void inform(const QString& text, bool yes);
    // A failed operation's message.
    void failed(const QString& message);

private:
    class Lock;
    TComand_Result exchange(const QByteArray& message, int flashDelay, int replyTimeout);
    // The files packed into one DATA message and sent, once the open image
    // is saved; `report` gathers what the exchange became.
    Outcome sendFiles(const QStringList& entries, const QString& folder, int flashDelay, int replyTimeout,
                      ExchangeReport& report);
    // Nothing was sent, for `why`: the report says so.
    void refuse(ExchangeReport& report, const QString& why);

    SerialLink& link_;
    SendJobHost* host_ = nullptr;
    bool running_ = false;
    std::optional<ExchangeReport> report_;
};

} // namespace vexel
