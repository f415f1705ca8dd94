#include "fleet/FleetVisit.h"

#include "sets/DestinationSet.h"
#include "store/ReleaseTable.h"
#include "document/ImageFile.h"
#include "document/LimitedFile.h"
#include "fleet/BusList.h"
#include "fleet/FleetStatus.h"
#include "fleet/ReleaseNote.h"
#include "fleet/SetRelease.h"
#include "fleet/VisitSheet.h"
#include "transfer/DataMessage.h"
#include "transfer/SendJob.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <map>

namespace vexel {

namespace {

QString sumOfFile(const QString& path)
{
    const Expected<QByteArray> bytes = LimitedFile::read(path, ImageFile::MaxTextSize);
    return bytes ? ReleaseTable::imageSum(*bytes) : QString();
}

// The release note of a release folder, which must name its set's id.
Expected<ReleaseNote> releaseIn(const QString& releaseFolder)
{
    const Expected<QByteArray> read = ReleaseNote::readIn(releaseFolder);
    if (!read)
        return Expected<ReleaseNote>::failure(
            QCoreApplication::translate("FleetVisit", "\"%1\" is not a release folder: its %2 cannot be read: %3")
                .arg(QDir::toNativeSeparators(releaseFolder), QLatin1String(ReleaseNote::FileName), read.error()));
    ReleaseNote note = ReleaseNote::parse(*read);
    if (note.setId.isEmpty())
        return Expected<ReleaseNote>::failure(
            QCoreApplication::translate("FleetVisit",
                                        "The release in \"%1\" names no set id; release the set again to have one")
                .arg(QDir::toNativeSeparators(releaseFolder)));
    return note;
}

// A bus's set: whether it is the released one, and its signs.
struct SetSigns {
    bool ours = false;
    QStringList signs;
};

SetSigns signsOf(const QString& set, const QString& releasedSetId)
{
    SetSigns s;
    if (const auto opened = DestinationSet::open(set, DestinationSet::Access::Read)) {
        s.ours = opened.value()->setId() == releasedSetId;
        if (const auto signs = opened.value()->signs())
            for (const VehicleSign& v : *signs)
                s.signs << v.name;
    }
    return s;
}

// The released files of a sign that the bus shows.
QStringList chosenFiles(const Bus& b, const QStringList& released)
{
    if (b.everyCode())
        return released;
    QStringList chosen;
    for (const QString& code : b.codes)
        for (const QString& f : released)
            if (FleetStatus::codeOf(f).compare(code, Qt::CaseInsensitive) == 0 && !chosen.contains(f))
                chosen << f;
    return chosen;
}

// Whether a sign's last good send lacks any of `chosen` as released; the
// sums of the released files are read once for all buses (`sums`).
bool behind(const GoodSend* last, const QString& folder, const QStringList& chosen, QHash<QString, QString>& sums)
{
    QHash<QString, QString> carried;
    if (last)
        for (int i = 0; i < last->files.size(); ++i)
            carried.insert(FleetStatus::codeOf(last->files[i]).toLower(), last->sums.value(i));
    bool behind = false;
    for (const QString& f : chosen) {
        auto sum = sums.constFind(folder + f);
        if (sum == sums.constEnd())
            sum = sums.insert(folder + f, sumOfFile(folder + f));
        const QString have = carried.value(FleetStatus::codeOf(f).toLower());
        if (have.isEmpty() || sum->isEmpty() || have != *sum)
            behind = true;
    }
    return behind;
}

VisitItem itemFor(const Bus& b, const QString& sign, const QString& folder, const QStringList& chosen)
{
    VisitItem item;
    item.bus = b.number;
    item.depot = b.depot;
    item.sign = sign;
    item.folder = folder;
    item.files = chosen;
    const Expected<std::vector<FileText>> texts = SendJob::fileTexts(chosen, folder);
    const Expected<DataMessage> message = texts ? DataMessage::build(*texts) : Expected<DataMessage>(texts.status());
    if (message) {
        item.length = message->blockLength();
        item.checksum = message->checksum();
    } else {
        item.problem = message.error();
    }
    return item;
}

} // namespace

Expected<std::vector<VisitItem>> FleetVisit::list(const SendJournal& journal, const QString& depot,
                                                  const QString& releaseFolder, const QDate& today)
{
    Q_UNUSED(today);
    const Expected<ReleaseNote> note = releaseIn(releaseFolder);
    if (!note)
        return note.status();
    const std::map<QString, QStringList>& released = note->files;

    const Expected<std::vector<Bus>> buses = BusList(journal).buses();
    if (!buses)
        return buses.status();
    const Expected<std::vector<GoodSend>> sends = journal.lastGoodSends();
    if (!sends)
        return sends.status();
    QHash<QString, const GoodSend*> bySign;
    for (const GoodSend& g : *sends)
        bySign.insert(g.bus + QChar(0) + g.sign.toLower(), &g);

    std::map<QString, SetSigns> sets;
    QHash<QString, QString> sums;
    std::vector<VisitItem> out;
    for (const Bus& b : *buses) {
        if (!b.inService || b.depot.compare(depot.trimmed(), Qt::CaseInsensitive) != 0)
            continue;
        auto set = sets.find(b.set);
        if (set == sets.end())
            set = sets.emplace(b.set, signsOf(b.set, note->setId)).first;
        if (!set->second.ours)
            continue;
        for (const QString& sign : set->second.signs) {
            const QString folder = SetRelease::signFolder(QDir::cleanPath(releaseFolder), sign);
            const auto files = released.find(sign.toLower());
            if (files == released.end() || !QFileInfo(folder).isDir())
                continue;
            const QStringList chosen = chosenFiles(b, files->second);
            if (chosen.isEmpty() || !behind(bySign.value(b.number + QChar(0) + sign.toLower()), folder, chosen, sums))
                continue;
            out.push_back(itemFor(b, sign, folder, chosen));
        }
    }
    return out;
}

QString FleetVisit::line(const VisitItem& item)
{
    const QString text = QStringLiteral("bus %1  %2  %3  %4").arg(item.bus, item.depot, item.sign, item.files.join(QLatin1Char(' ')));
    const QString figures = VisitSheet::figuresText(item);
    return text + (item.problem.isEmpty() ? QStringLiteral("  (%1)").arg(figures) : QStringLiteral("  ") + figures);
}

} // namespace vexel
