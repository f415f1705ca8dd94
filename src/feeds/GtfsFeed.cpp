#include "feeds/GtfsFeed.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <limits>

namespace vexel {

namespace {

class FileStream : public ByteStream {
public:
    FileStream(const QString& path, QString what, qint64 maxBytes)
        : file_(path), what_(std::move(what)), maxBytes_(maxBytes)
    {
    }
    bool open()
    {
        if (file_.open(QIODevice::ReadOnly))
            return true;
        error_ = QCoreApplication::translate("GtfsFeed", "%1 cannot be opened: %2").arg(what_, file_.errorString());
        return false;
    }
    qint64 read(char* data, qint64 capacity) override
    {
        if (!error_.isEmpty())
            return -1;
        const qint64 n = file_.read(data, capacity);
        if (n < 0) {
            error_ = QCoreApplication::translate("GtfsFeed", "%1 cannot be read: %2").arg(what_, file_.errorString());
            return -1;
        }
        total_ += n;
        if (total_ > maxBytes_) {
            error_ = QCoreApplication::translate("GtfsFeed", "%1 is longer than %2 MiB; it is not read").arg(what_, QString::number(maxBytes_ / (1024 * 1024)));
            return -1;
        }
        return n;
    }
    const QString& error() const override { return error_; }

private:
    QFile file_;
    QString what_;
    qint64 maxBytes_;
    qint64 total_ = 0;
    QString error_;
};

} // namespace

Expected<GtfsFeed> GtfsFeed::open(const QString& path)
{
    const QFileInfo info(path);
    GtfsFeed feed;
    feed.name_ = info.fileName().isEmpty() ? path : info.fileName();
    if (info.isDir()) {
        feed.folder_ = info.absoluteFilePath();
        return feed;
    }
    if (!info.exists())
        return Expected<GtfsFeed>::failure(
            QCoreApplication::translate("GtfsFeed", "Cannot read the feed \"%1\": there is no such file or folder").arg(path));
    Expected<std::shared_ptr<ZipArchive>> zip = ZipArchive::open(path);
    if (!zip)
        return zip.status();
    feed.zip_ = std::move(zip).value();
    return feed;
}

Expected<GtfsFeed> GtfsFeed::fromZipBytes(const QByteArray& bytes, const QString& name)
{
    Expected<std::shared_ptr<ZipArchive>> zip = ZipArchive::fromBytes(bytes, name);
    if (!zip)
        return zip.status();
    GtfsFeed feed;
    feed.name_ = name;
    feed.zip_ = std::move(zip).value();
    return feed;
}

bool GtfsFeed::has(const QString& file) const
{
    if (zip_)
        return zip_->find(file) != nullptr;
    return QFileInfo(QDir(folder_).filePath(file)).isFile();
}

qint64 GtfsFeed::size(const QString& file) const
{
    if (zip_) {
        const ZipArchive::Member* member = zip_->find(file);
        return member ? static_cast<qint64>(std::min<quint64>(member->size, std::numeric_limits<qint64>::max())) : 0;
    }
    const QFileInfo info(QDir(folder_).filePath(file));
    return info.isFile() ? info.size() : 0;
}

Expected<std::unique_ptr<ByteStream>> GtfsFeed::read(const QString& file, const Limits& limits) const
{
    if (zip_) {
        const ZipArchive::Member* member = zip_->find(file);
        if (!member)
            return Expected<std::unique_ptr<ByteStream>>::failure(
                QStringLiteral("\"%1\" holds no \"%2\"").arg(name_, file));
        return zip_->read(*member, limits);
    }
    auto stream = std::make_unique<FileStream>(QDir(folder_).filePath(file),
                                               QStringLiteral("\"%1\" in \"%2\"").arg(file, name_), limits.maxBytes);
    if (!stream->open())
        return Expected<std::unique_ptr<ByteStream>>::failure(stream->error());
    return std::unique_ptr<ByteStream>(std::move(stream));
}

} // namespace vexel
