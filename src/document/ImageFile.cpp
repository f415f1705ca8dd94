#include "document/ImageFile.h"

#include "document/AtomicFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace vexel {

QString ImageFile::openError(const QString& path, const QString& reason)
{
    return QCoreApplication::translate("ImageFile", "Cannot open file \"%1\". %2").arg(QDir::toNativeSeparators(path), reason);
}

QString ImageFile::createError(const QString& path, const QString& reason)
{
    return QCoreApplication::translate("ImageFile", "Cannot create file \"%1\". %2").arg(QDir::toNativeSeparators(path), reason);
}

Expected<ImageRecord> ImageFile::parse(const QByteArray& text)
{
    if (text.size() > MaxTextSize)
        return Expected<ImageRecord>::failure(QCoreApplication::translate("ImageFile", "Text exceeds memo capacity"));
    const char* p = text.constData();
    const char* end = p + text.size();
    std::vector<std::string> lines;
    // A line ends at CR LF, a lone LF or a lone CR. The ends are found with
    // memchr, and only as far as the longest line allowed reaches: a text
    // with lone CRs must not be searched to its end for an LF at every line.
    while (p < end) {
        const char* start = p;
        const char* reach = p + std::min<std::ptrdiff_t>(end - p, MaxLineLength + 1);
        const char* lf = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(reach - p)));
        const char* stop = lf ? lf : reach;
        const char* cr = static_cast<const char*>(std::memchr(p, '\r', static_cast<std::size_t>(stop - p)));
        p = cr ? cr : stop;
        if (p - start > MaxLineLength)
            return Expected<ImageRecord>::failure(QCoreApplication::translate("ImageFile", "line %1 is longer than %2 characters")
                                                      .arg(lines.size() + 1)
                                                      .arg(MaxLineLength));
        lines.emplace_back(start, p);
        if (p < end) {
            if (*p == '\r' && p + 1 < end && p[1] == '\n')
                ++p;
            ++p;
        }
    }
    return ImageRecord(std::move(lines));
}

Expected<ImageRecord> ImageFile::read(const QString& path)
{
    QFile file(path);
    const QFileInfo info(path);
    if (info.isDir())
        return Expected<ImageRecord>::failure(openError(path, QCoreApplication::translate("ImageFile", "It is a folder.")));
    // A named pipe or a device would keep the open waiting on its other end.
    if (info.exists() && !info.isFile())
        return Expected<ImageRecord>::failure(openError(path, QCoreApplication::translate("ImageFile", "It is not a regular file.")));
    if (!file.open(QIODevice::ReadOnly))
        return Expected<ImageRecord>::failure(openError(path, file.errorString()));
    if (file.size() > MaxTextSize)
        return Expected<ImageRecord>::failure(QCoreApplication::translate("ImageFile", "Text exceeds memo capacity"));
    const QByteArray text = file.read(MaxTextSize + 1);
    if (file.error() != QFileDevice::NoError)
        return Expected<ImageRecord>::failure(openError(path, file.errorString()));
    return parse(text);
}

Expected<ImageRecord> ImageFile::load(const QString& path)
{
    Expected<ImageRecord> record = read(path);
    if (!record) {
        // An open error names the file already; whatever the language, the
        // words before its reason begin it.
        const QString opening = openError(path, QStringLiteral("\x01"));
        if (record.error().startsWith(opening.left(opening.indexOf(QLatin1Char('\x01')))))
            return record;
        return Expected<ImageRecord>::failure(
            QCoreApplication::translate("ImageFile", "Cannot load \"%1\": %2").arg(QDir::toNativeSeparators(path), record.error()));
    }
    const Status checked = record->check();
    if (!checked)
        return Expected<ImageRecord>::failure(
            QCoreApplication::translate("ImageFile", "Cannot load \"%1\": %2").arg(QDir::toNativeSeparators(path), checked.error()));

    return record;
}

Status ImageFile::write(const QString& path, const ImageRecord& record)
{
    if (const auto reason = writeAtomically(path, record.text()))
        return Status::failure(createError(path, *reason));
    return Status::success();
}

} // namespace vexel
