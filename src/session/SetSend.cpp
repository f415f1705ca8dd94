#include "session/SetSend.h"

#include "depot/FileStem.h"
#include "document/ImageFile.h"
#include "session/EditorSession.h"
#include "fleet/ReleaseNote.h"
#include "transfer/DataMessage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QSet>

namespace vexel {

namespace {

QString number(long long n) { return QLocale(QLocale::English).toString(n); }

} // namespace

Expected<SignSendList> SetSend::choose(const QString& signFolder, const QStringList& codes)
{
    SignSendList list;
    list.folder = QDir::cleanPath(signFolder) + QLatin1Char('/');
    QSet<QString> seen;
    QStringList chosen;
    for (const QString& code : codes) {
        if (seen.contains(code.toLower()))
            continue;
        seen.insert(code.toLower());
        chosen << code;
    }
    if (chosen.isEmpty())
        return Expected<SignSendList>::failure(QCoreApplication::translate("SetSend", "No destination is chosen to send."));
    if (chosen.size() > DataMessage::MaxFiles)
        return Expected<SignSendList>::failure(
            QCoreApplication::translate("SetSend", "%1 destinations are chosen; one DATA message carries at most %2 files, and the board "
               "plays every one of them in turn. Choose the destinations the bus will serve.")
                .arg(number(chosen.size()), number(DataMessage::MaxFiles)));

    std::vector<FileText> texts;
    for (const QString& code : chosen) {
        const Status named = FileStem::check(code, QStringLiteral("the code"));
        if (!named)
            return named;
        const QString name = code + QStringLiteral(".img");
        const Expected<ImageRecord> image = ImageFile::load(list.folder + name);
        if (!image)
            return image.status();
        texts.push_back({name, image->hexText()});
        list.entries << name;
    }
    for (const FileText& text : texts) {
        const Status travels = DataMessage::checkFile(text);
        if (!travels)
            return travels;
    }
    const Expected<int> payload = DataMessage::payloadLength(texts);
    if (!payload)
        return payload.status();
    const long long block = 1LL + *payload;
    if (block > DataMessage::MaxBlockBytes)
        return Expected<SignSendList>::failure(
            QStringLiteral("The %1 chosen files come to %2 bytes; one DATA message carries at most %3 bytes. "
                           "Choose fewer destinations.")
                .arg(number(chosen.size()), number(block), number(DataMessage::MaxBlockBytes)));
    list.blockLength = static_cast<int>(block);
    return list;
}

Status SetSend::putOnSendList(EditorSession& session, const SignSendList& list)
{
    if (list.entries.isEmpty())
        return Status::failure(QCoreApplication::translate("SetSend", "No destination is chosen to send."));
    const Status opened = session.openChosen(list.folder + list.entries.front());
    if (!opened)
        return opened;
    session.sendList().setEntries(list.entries);
    session.listFiles();
    session.sendList().stampAll();
    return Status::success();
}

QString SetSend::releaseProblem(const QString& releaseFolder, const QString& setId, int version,
                                const QString& bus)
{
    const QString folder = QDir::toNativeSeparators(releaseFolder);
    if (!QFileInfo(releaseFolder).isDir())
        return QCoreApplication::translate("SetSend", "The release folder %1 is not at hand.").arg(folder);
    const Expected<QByteArray> read = ReleaseNote::readIn(releaseFolder);
    const QByteArray text = read ? *read : QByteArray();
    if (text.isEmpty())
        return QCoreApplication::translate("SetSend", "%1 has no %2: it is not a release folder.").arg(folder, QLatin1String(ReleaseNote::FileName));
    if (!setId.isEmpty() && !ReleaseNote::namesId(text, setId))
        return bus.isEmpty() ? QCoreApplication::translate("SetSend", "%1 holds a release of another set than this one.").arg(folder)
                             : QCoreApplication::translate("SetSend", "%1 holds a release of another set than bus %2's.").arg(folder, bus);
    const int found = ReleaseNote::parse(text).version;
    if (version > 0 && found != version)
        return found > 0 ? QCoreApplication::translate("SetSend", "%1 holds version %2, not the latest version %3.")
                               .arg(folder, QString::number(found), QString::number(version))
                         : QCoreApplication::translate("SetSend", "%1 holds version none, not the latest version %2.")
                               .arg(folder, QString::number(version));
    return {};
}

} // namespace vexel
