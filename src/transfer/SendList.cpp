#include "transfer/SendList.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace vexel {

QStringList SendList::imageFiles(const QString& folder)
{
    if (folder.isEmpty())
        return {};
    const QDir dir(folder);
    return dir.entryList({QStringLiteral("*.img")}, QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

QStringList SendList::existing(const QStringList& entries, const QString& folder)
{
    QStringList kept;
    for (const QString& entry : entries) {
        if (!entry.isEmpty() && QFileInfo(folder + entry).isFile())
            kept << entry;
    }
    return kept;
}

SendList::Listing SendList::list(const QStringList& imageFiles, const QStringList& sendList)
{
    Listing listing;
    for (const QString& name : imageFiles) {
        if (name.startsWith(QLatin1String("Untitled"), Qt::CaseSensitive))
            ++listing.untitledNumber;
        if (!sendList.contains(name, Qt::CaseSensitive))
            listing.fileList << name;
    }
    return listing;
}

int SendList::reselect(int remembered, int count)
{
    if (count <= 0)
        return -1;
    return std::clamp(remembered, 0, count - 1);
}

} // namespace vexel
