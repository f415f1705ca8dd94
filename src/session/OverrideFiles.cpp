#include "session/OverrideFiles.h"

#include "sets/DestinationSet.h"
#include "depot/FileStem.h"
#include "sets/OpenSets.h"
#include "store/ServerAddress.h"
#include "document/ImageFile.h"
#include "session/DestinationsSession.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <algorithm>

namespace vexel {

namespace {

const QString OverridesSuffix = QStringLiteral(".overrides");
const QString AddressFile = QStringLiteral("set-address.txt");
constexpr qint64 MaxAddressFile = ServerAddress::MaxLength;

QString shownAddress(const QString& address)
{
    const Expected<ServerAddress> parsed = ServerAddress::parse(address, ServerAddress::SetName::Required);
    return parsed ? parsed->shown() : QString();
}

QString canonical(const QString& path)
{
    if (ServerAddress::isServer(path))
        return shownAddress(path);
    const QFileInfo info(path);
    const QString real = info.canonicalFilePath();
    return real.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : real;
}

} // namespace

QString OverrideFiles::serverFolder(const QString& address)
{
    const Expected<ServerAddress> parsed = ServerAddress::parse(address, ServerAddress::SetName::Required);
    const QString shown = parsed ? parsed->shown() : address;
    QString database = parsed ? parsed->database.left(40) : QString();
    for (QChar& c : database)
        if (!(c.isLetterOrNumber() && c.unicode() < 128) && c != QLatin1Char('_') && c != QLatin1Char('-'))
            c = QLatin1Char('_');
    // The hash keeps apart sets of one name on two servers.
    const QString hash = QString::fromLatin1(
        QCryptographicHash::hash(shown.toUtf8(), QCryptographicHash::Sha1).toHex().left(10));
    const QString name = parsed ? QStringLiteral("%1 on %2 %3").arg(parsed->set, database, hash) : hash;
    return QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)) +
           QStringLiteral("/server sets/") + name;
}

Status OverrideFiles::prepare(const QString& setPath)
{
    if (!ServerAddress::isServer(setPath))
        return Status::success();
    const QString folder = serverFolder(setPath);
    if (!QDir().mkpath(folder))
        return Status::failure(
            QCoreApplication::translate("OverrideFiles", "the folder \"%1\" cannot be made").arg(QDir::toNativeSeparators(folder)));
    QSaveFile file(folder + QLatin1Char('/') + AddressFile);
    if (!file.open(QIODevice::WriteOnly) || file.write(shownAddress(setPath).toUtf8() + '\n') < 0 || !file.commit())
        return Status::failure(QCoreApplication::translate("OverrideFiles", "the set's address cannot be written into \"%1\": %2")
                                   .arg(QDir::toNativeSeparators(folder), file.errorString()));
    return Status::success();
}

QString OverrideFiles::path(const QString& setPath, const QString& sign, const QString& code)
{
    if (ServerAddress::isServer(setPath))
        return serverFolder(setPath) + QLatin1Char('/') + sign + QLatin1Char('/') + code + QStringLiteral(".img");
    const QFileInfo set(setPath);
    return QDir::cleanPath(set.absolutePath()) + QLatin1Char('/') + set.completeBaseName() + OverridesSuffix +
           QLatin1Char('/') + sign + QLatin1Char('/') + code + QStringLiteral(".img");
}

std::optional<OverrideFiles::Target> OverrideFiles::target(const QString& imagePath)
{
    const QFileInfo image(imagePath);
    if (image.suffix().compare(QLatin1String("img"), Qt::CaseInsensitive) != 0)
        return std::nullopt;
    QDir signFolder = image.absoluteDir();
    const QString sign = signFolder.dirName();
    QDir overrides = signFolder;
    if (!overrides.cdUp())
        return std::nullopt;
    // A server set's working folder says which set it is for; it must be
    // the folder that set's images are made in.
    QFile named(overrides.filePath(AddressFile));
    if (named.exists()) {
        if (named.size() > MaxAddressFile || !named.open(QIODevice::ReadOnly))
            return std::nullopt;
        const QString address = QString::fromUtf8(named.readAll()).trimmed();
        if (!ServerAddress::isServer(address) || canonical(address).isEmpty() ||
            canonical(serverFolder(address)) != canonical(overrides.absolutePath()))
            return std::nullopt;
        Target t{canonical(address), sign, image.completeBaseName()};
        if (!FileStem::check(t.code, QStringLiteral("the code")) || t.sign.isEmpty())
            return std::nullopt;
        return t;
    }
    const QString overridesName = overrides.dirName();
    if (!overridesName.endsWith(OverridesSuffix) || overridesName.size() == OverridesSuffix.size())
        return std::nullopt;
    QDir setFolder = overrides;
    if (!setFolder.cdUp())
        return std::nullopt;
    const QString setPath = setFolder.filePath(overridesName.chopped(OverridesSuffix.size()) +
                                               QLatin1String(DestinationSet::Suffix));
    if (!QFileInfo(setPath).isFile())
        return std::nullopt;
    Target t{setPath, sign, image.completeBaseName()};
    // Names the set could not hold are not its overrides.
    if (!FileStem::check(t.code, QStringLiteral("the code")) || t.sign.isEmpty())
        return std::nullopt;
    return t;
}

void OverrideLink::attach(DestinationsSession* session)
{
    sessions_.erase(std::remove_if(sessions_.begin(), sessions_.end(),
                                   [session](const QPointer<DestinationsSession>& s) { return !s || s == session; }),
                    sessions_.end());
    if (session)
        sessions_.emplace_back(session);
}

DestinationsSession* OverrideLink::openFor(const QString& setPath) const
{
    const QString wanted = canonical(setPath);
    for (const QPointer<DestinationsSession>& s : sessions_)
        if (s && canonical(s->set().path()) == wanted)
            return s.data();
    return nullptr;
}

std::optional<Status> OverrideLink::imageSaved(const QString& imagePath) const
{
    const std::optional<OverrideFiles::Target> t = OverrideFiles::target(imagePath);
    if (!t)
        return std::nullopt;
    if (DestinationsSession* open = openFor(t->setPath))
        return open->storeOverrideFile(t->sign, t->code, imagePath);

    // No Destinations window has the set: open it for the moment to store
    // the image, sharing it with another window that works on it.
    Expected<std::shared_ptr<DestinationSet>> set = OpenSets::open(t->setPath, DestinationSet::Access::Edit);
    if (!set)
        return Status::failure(QCoreApplication::translate("OverrideFiles", "The image is saved, but not stored in %1: %2")
                                   .arg(QDir::toNativeSeparators(t->setPath), set.error()));
    const Expected<std::vector<Destination>> destinations = (*set)->destinations();
    if (!destinations)
        return destinations.status();
    const Destination* from = nullptr;
    for (const Destination& d : *destinations)
        if (d.code == t->code)
            from = &d;
    if (!from)
        return Status::failure(QStringLiteral("%1 has no destination %2; the image is saved but not stored")
                                   .arg(QDir::toNativeSeparators(t->setPath), t->code));
    Expected<ImageRecord> record = ImageFile::load(imagePath);
    if (!record)
        return record.status();
    SignOverride o;
    o.code = t->code;
    o.sign = t->sign;
    o.image = std::move(record).value();
    o.madeFrom = *from;
    return set.value()->storeOverride(o);
}

} // namespace vexel
