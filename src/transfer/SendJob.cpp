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
        files.push_back({entries[i].toStdString(), record->hexText()});
    }
    return files;
}

void SendJob::exchange(const QByteArray& message, int flashDelay, int replyTimeout)
{
    link_.setFlashDelay(flashDelay);
    link_.setReplyTimeout(replyTimeout);
    emit exchanging(true);
    link_.Send_Data(message);
    emit exchanging(false);
}

SendJob::Outcome SendJob::send(const QStringList& entries, QString folder, QString current,
                               int flashDelay, int replyTimeout)
{
    if (link_.openFailed()) {
        emit inform(QStringLiteral("Port was not opened"), true);
        return Outcome::PortNotOpen;
    }
    const Lock lock(*this);
    link_.clearStop();
    emit statusChanged(QStringLiteral("Preparing"));
    if (entries.isEmpty()) {
        emit inform(QStringLiteral("No files selected"), false);
        return Outcome::NoFiles;
    }

    // The unsaved edits of the open image are part of what is sent. When
    // they cannot be saved they stay in the editor, and nothing is sent.
    if (host_ && !host_->saveCurrent())
        return Outcome::Refused;

    // Whatever happens after the open image was saved ends with showing it
    // again.
    auto job = [&]() -> Outcome {
        emit progressRange(entries.size());
        const Expected<std::vector<FileText>> files =
            fileTexts(entries, folder, [this](int i, const QString& name, const ImageRecord& record) {
                if (host_)
                    host_->showSending(name, record);
                QCoreApplication::processEvents();
                emit progressValue(i + 1);
            });
        if (!files) {
            emit failed(QString::fromStdString(files.error()));
            return Outcome::Refused;
        }
        const Expected<DataMessage> message = DataMessage::build(*files);
        if (!message) {
            emit inform(QStringLiteral("Nothing was sent. %1").arg(QString::fromStdString(message.error())), false);
            return Outcome::Refused;
        }
        emit dataLength(message->length());
        QCoreApplication::processEvents();

        emit logCleared();
        // Shows as an empty line, DATA=LLLL,SSSS and the data hex text.
        emit logLine(QString::fromLatin1(message->hexView()).replace(QLatin1String("\r\n"), QLatin1String("\n")));

        emit progressRange(message->length());
        emit statusChanged(QStringLiteral("Sending"));
        emit stopEnabled(true);
        exchange(message->bytes(), flashDelay, replyTimeout);
        emit stopEnabled(false);
        return Outcome::Exchanged;
    };
    const Outcome outcome = job();
    if (!current.isEmpty() && host_)
        host_->restoreAfterJob(current);
    return outcome;
}

void SendJob::read(int flashDelay, int replyTimeout)
{
    const Lock lock(*this);
    link_.clearStop();
    emit logCleared();
    exchange(DataMessage::readMessage(), flashDelay, replyTimeout);
}

} // namespace vexel
