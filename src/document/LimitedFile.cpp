#include "document/LimitedFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace vexel {

namespace {

// In the windows' language; the command line loads no translation and
// keeps the words as written.
QString said(const char* text) { return QCoreApplication::translate("LimitedFile", text); }

} // namespace

QString LimitedFile::sizeText(qint64 bytes)
{
    if (bytes >= 1024 * 1024 && bytes % (1024 * 1024) == 0)
        return said(QT_TRANSLATE_NOOP("LimitedFile", "%1 MiB")).arg(bytes / (1024 * 1024));
    if (bytes >= 1024 && bytes % 1024 == 0)
        return said(QT_TRANSLATE_NOOP("LimitedFile", "%1 KiB")).arg(bytes / 1024);
    return said(QT_TRANSLATE_NOOP("LimitedFile", "%1 bytes")).arg(bytes);
}

Expected<QByteArray> LimitedFile::read(const QString& path, qint64 maxBytes)
{
    auto fail = [](const QString& reason) { return Expected<QByteArray>::failure(reason); };

    const QFileInfo info(path);
    // A named pipe or a device would keep the read waiting, or never end.
    if (info.exists() && !info.isFile())
        return fail(said(QT_TRANSLATE_NOOP("LimitedFile", "It is not a regular file.")));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(file.errorString());
    const QString tooLarge = said(QT_TRANSLATE_NOOP("LimitedFile", "It is larger than %1.")).arg(sizeText(maxBytes));
    if (file.size() > maxBytes)
        return fail(tooLarge);
    const QByteArray bytes = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return fail(file.errorString());
    if (bytes.size() > maxBytes)
        return fail(tooLarge);
    return bytes;
}

} // namespace vexel
