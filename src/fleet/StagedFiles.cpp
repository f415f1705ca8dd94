#include "fleet/StagedFiles.h"

#include "document/ImageFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>
#include <set>

#include <fcntl.h>
#include <unistd.h>

namespace vexel {

namespace {

const QString Marker = QStringLiteral(".vexel-staged-");

QString systemReason(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

// Writes all of `data` to a new file; the system's reason on failure.
QString writeNew(const QString& path, const QByteArray& data)
{
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return systemReason(errno);
    const char* p = data.constData();
    qsizetype left = data.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, static_cast<size_t>(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            const int error = n < 0 ? errno : ENOSPC;
            ::close(fd);
            return systemReason(error);
        }
        p += n;
        left -= n;
    }
    if (::close(fd) != 0)
        return systemReason(errno);
    return QString();
}

bool syncPath(const QString& path, bool wholeFileSystem)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
#ifdef __linux__
    const bool ok = wholeFileSystem ? ::syncfs(fd) == 0 : ::fsync(fd) == 0;
#else
    const bool ok = (wholeFileSystem ? (::sync(), true) : ::fsync(fd) == 0);
#endif
    ::close(fd);
    return ok;
}

bool sameContent(const QString& path, const QByteArray& data)
{
    QFile file(path);
    if (file.size() != data.size() || !file.open(QIODevice::ReadOnly))
        return false;
    return file.readAll() == data;
}

} // namespace

StagedFiles::~StagedFiles() { discard(); }

void StagedFiles::discard()
{
    for (const Entry& entry : entries_)
        QFile::remove(entry.temp);
    entries_.clear();
}

Status StagedFiles::stage(const QString& path, const QByteArray& data)
{
    if (sameContent(path, data))
        return Status::success();
    const QFileInfo info(path);
    if (info.isDir())
        return Status::failure(ImageFile::createError(path, QStringLiteral("A folder has that name.")));
    QString reason;
    for (int attempt = 0; attempt < 16; ++attempt) {
        const QString temp = info.absolutePath() + QStringLiteral("/.") + info.fileName() + Marker +
                             QString::number(QRandomGenerator::global()->generate(), 36);
        reason = writeNew(temp, data);
        if (reason.isEmpty()) {
            entries_.push_back({temp, path});
            return Status::success();
        }
        QFile::remove(temp);
        if (QFile::exists(temp) || reason != systemReason(EEXIST))
            break;
    }
    return Status::failure(ImageFile::createError(path, reason));
}

Status StagedFiles::commit()
{
    if (entries_.empty())
        return Status::success();
    // One sync for the lot; should the file system refuse it, each file on
    // its own.
    if (!syncPath(entries_.front().temp, true)) {
        for (const Entry& entry : entries_)
            if (!syncPath(entry.temp, false)) {
                const Status failed = Status::failure(
                    ImageFile::createError(entry.path, QStringLiteral("The file could not be written to the disk.")));
                discard();
                return failed;
            }
    }
    std::set<QString> folders;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const Entry& entry = entries_[i];
        if (::rename(QFile::encodeName(entry.temp).constData(), QFile::encodeName(entry.path).constData()) != 0) {
            const Status failed = Status::failure(ImageFile::createError(entry.path, systemReason(errno)));
            entries_.erase(entries_.begin(), entries_.begin() + static_cast<std::ptrdiff_t>(i));
            discard();
            return failed;
        }
        folders.insert(QFileInfo(entry.path).absolutePath());
    }
    entries_.clear();
    // The renames themselves, for a power cut right after.
    for (const QString& folder : folders)
        syncPath(folder, false);
    return Status::success();
}

void StagedFiles::removeLeftovers(const QString& folder)
{
    QDir dir(folder);
    const QStringList names =
        dir.entryList({QStringLiteral(".*") + Marker + QLatin1Char('*')}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names)
        dir.remove(name);
}

} // namespace vexel
