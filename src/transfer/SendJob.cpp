#include "transfer/SendJob.h"

#include "document/ImageFile.h"
#include "transfer/SerialLink.h"

#include <QCoreApplication>

namespace vexel {

// Holds the controls locked for as long as a job runs, whichever way it ends.
class SendJob::Lock {
public:
    explicit Lock(SendJob& job) : job_(job)
    {
        job_.running_ = true;
        if (job_.host_)
            job_.host_->holdEditor(true);
    }
    ~Lock()
    {
        job_.running_ = false;
        if (job_.host_)
            job_.host_->holdEditor(false);
    }
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

private:
    SendJob& job_;
};

namespace {

// What the status bar and the boxes say, in the editor's language; the
// report for the journal keeps its English words.
QString shown(const char* english) { return QCoreApplication::translate("SendJob", english); }

} // namespace

SendJob::SendJob(SerialLink& link, QObject* parent) : QObject(parent), link_(link) {}

Expected<std::vector<FileText>> SendJob::fileTexts(
    const QStringList& entries, const QString& folder,
    const std::function<void(int, const QString&, const ImageRecord&)>& each)
{
    std::vector<FileText> files;
    files.reserve(static_cast<std::size_t>(entries.size()));
    for (int i = 0; i < entries.size(); ++i) {
        const Expected<ImageRecord> record = ImageFile::load(folder + entries[i]);
        if (!record)
            return record.status();
        if (each)
            each(i, entries[i], *record);
        files.push_back({entries[i], record->hexText()});
    }
    return files;
}

QString SendJob::replyText(const TComand_Result& result)
{
    if (result.Reply_Received)
        return QString::fromLatin1(result.Reply_Text.left(2));
    return result.Timed_Out ? QStringLiteral("no reply") : QStringLiteral("stopped");
}

QString SendJob::notSent(const QString& why) { return QStringLiteral("not sent: ") + why; }

TComand_Result SendJob::exchange(const QByteArray& message, int flashDelay, int replyTimeout)
{
    link_.setFlashDelay(flashDelay);
    link_.setReplyTimeout(replyTimeout);
    emit exchanging(true);
    const TComand_Result result = link_.Send_Data(message);
    emit exchanging(false);
    return result;
}

void SendJob::refuse(ExchangeReport& report, const QString& why)
{
    report.reply = notSent(why);
    report_ = report;
}

SendJob::Outcome SendJob::send(const QStringList& entries, QString folder, QString current,
                               int flashDelay, int replyTimeout)
{
    report_.reset();
    ExchangeReport report;
    report.files = entries;
    report.folder = folder;
    if (link_.openFailed()) {
        refuse(report, QStringLiteral("Port was not opened"));
        emit inform(shown(QT_TRANSLATE_NOOP("SendJob", "Port was not opened")), true);
        return Outcome::PortNotOpen;
    }
    const Lock lock(*this);
    link_.clearStop();
    emit statusChanged(shown(QT_TRANSLATE_NOOP("SendJob", "Preparing")));
    if (entries.isEmpty()) {
        emit inform(shown(QT_TRANSLATE_NOOP("SendJob", "No files selected")), false);
        return Outcome::NoFiles;
    }

    // The unsaved edits of the open image are part of what is sent. When
    // they cannot be saved they stay in the editor, and nothing is sent.
    if (host_ && !host_->saveCurrent()) {
        refuse(report, QStringLiteral("the open image could not be saved"));
        return Outcome::Refused;
    }

    // Whatever happens after the open image was saved ends with showing it
    // again.
    const Outcome outcome = sendFiles(entries, folder, flashDelay, replyTimeout, report);
    if (!current.isEmpty() && host_)
        host_->restoreAfterJob(current);
    return outcome;
}

SendJob::Outcome SendJob::sendFiles(const QStringList& entries, const QString& folder, int flashDelay,
                                    int replyTimeout, ExchangeReport& report)
{
    emit progressRange(entries.size());
    const Expected<std::vector<FileText>> files =
        fileTexts(entries, folder, [this](int i, const QString& name, const ImageRecord& record) {
            if (host_)
                host_->showSending(name, record);
            QCoreApplication::processEvents();
            emit progressValue(i + 1);
        });
    if (!files) {
        refuse(report, files.error());
        emit failed(files.error());
        return Outcome::Refused;
    }
    const Expected<DataMessage> message = DataMessage::build(*files);
    if (!message) {
        refuse(report, message.error());
        emit inform(shown(QT_TRANSLATE_NOOP("SendJob", "Nothing was sent. %1")).arg(message.error()), false);
        return Outcome::Refused;
    }
    emit dataLength(message->length());
    QCoreApplication::processEvents();

    emit logCleared();
    // Shows as an empty line, DATA=LLLL,SSSS and the data hex text.
    emit logLine(QString::fromLatin1(message->hexView()).replace(QLatin1String("\r\n"), QLatin1String("\n")));

    emit progressRange(message->length());
    emit statusChanged(shown(QT_TRANSLATE_NOOP("SendJob", "Sending")));
    emit stopEnabled(true);
    report.dataLength = message->length() - DataMessage::HeaderLength;
    report.checksum = message->checksum();
    report.reply = replyText(exchange(message->bytes(), flashDelay, replyTimeout));
    report_ = report;
    emit stopEnabled(false);
    return Outcome::Exchanged;
}

void SendJob::read(int flashDelay, int replyTimeout)
{
    const Lock lock(*this);
    link_.clearStop();
    emit logCleared();
    ExchangeReport report;
    report.read = true;
    report.reply = replyText(exchange(DataMessage::readMessage(), flashDelay, replyTimeout));
    report_ = report;
}

} // namespace vexel
