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

} // namespace

Expected<std::vector<VisitItem>> FleetVisit::list(const SendJournal& journal, const QString& depot,
                                                  const QString& releaseFolder, const QDate& today)
{
    using Result = Expected<std::vector<VisitItem>>;
    Q_UNUSED(today);
    const Expected<QByteArray> read = ReleaseNote::readIn(releaseFolder);
    if (!read)
        return Result::failure(QStringLiteral("\"%1\" is not a release folder: its %2 cannot be read: %3")
                                   .arg(QDir::toNativeSeparators(releaseFolder), QLatin1String(ReleaseNote::FileName),
                                        read.error()));
    const QByteArray noteText = *read;
    const ReleaseNote note = ReleaseNote::parse(noteText);
    if (note.setId.isEmpty())
        return Result::failure(QStringLiteral("The release in \"%1\" names no set id; release the set again to have one")
                                   .arg(QDir::toNativeSeparators(releaseFolder)));
    const std::map<QString, QStringList>& released = note.files;

    const Expected<std::vector<Bus>> buses = BusList(journal).buses();
    if (!buses)
        return buses.status();
    const Expected<std::vector<GoodSend>> sends = journal.lastGoodSends();
    if (!sends)
        return sends.status();
    QHash<QString, const GoodSend*> bySign;
    for (const GoodSend& g : *sends)
        bySign.insert(g.bus + QChar(0) + g.sign.toLower(), &g);

    struct SetSigns {
        bool ours = false;
        QStringList signs;
    };
    std::map<QString, SetSigns> sets;
    QHash<QString, QString> sums;
    std::vector<VisitItem> out;
    for (const Bus& b : *buses) {
        if (!b.inService || b.depot.compare(depot.trimmed(), Qt::CaseInsensitive) != 0)
            continue;
        auto set = sets.find(b.set);
        if (set == sets.end()) {
            SetSigns s;
            if (const auto opened = DestinationSet::open(b.set, DestinationSet::Access::Read)) {
                s.ours = opened.value()->setId() == note.setId;
                if (const auto signs = opened.value()->signs())
                    for (const VehicleSign& v : *signs)
                        s.signs << v.name;
            }
            set = sets.emplace(b.set, s).first;
        }
        if (!set->second.ours)
            continue;
        for (const QString& sign : set->second.signs) {
            const QString folder = SetRelease::signFolder(QDir::cleanPath(releaseFolder), sign);
            const auto files = released.find(sign.toLower());
            if (files == released.end() || !QFileInfo(folder).isDir())
                continue;
            QStringList chosen;
            if (b.everyCode()) {
                chosen = files->second;
            } else {
                for (const QString& code : b.codes)
                    for (const QString& f : files->second)
                        if (FleetStatus::codeOf(f).compare(code, Qt::CaseInsensitive) == 0 && !chosen.contains(f))
                            chosen << f;
            }
            if (chosen.isEmpty())
                continue;
            QHash<QString, QString> carried;
            if (const GoodSend* last = bySign.value(b.number + QChar(0) + sign.toLower()))
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
            if (!behind)
                continue;
            VisitItem item;
            item.bus = b.number;
            item.depot = b.depot;
            item.sign = sign;
            item.folder = folder;
            item.files = chosen;
            const Expected<std::vector<FileText>> texts = SendJob::fileTexts(chosen, folder);
            const Expected<DataMessage> message =
                texts ? DataMessage::build(*texts) : Expected<DataMessage>(texts.status());
            if (message) {
                item.length = message->blockLength();
                item.checksum = message->checksum();
            } else {
                item.problem = message.error();
            }
            out.push_back(std::move(item));
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
