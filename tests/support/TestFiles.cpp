#include "support/TestFiles.h"

#include <QDir>
#include <QFile>

namespace testing_support {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

QString folderOf(const QTemporaryDir& dir) { return QDir(dir.path()).absolutePath() + QLatin1Char('/'); }

QByteArray blankImageText(int width, int height, int duration)
{
    QByteArray text = "0001\r\n";
    text += QByteArray("0000") + QByteArray::number(duration, 16).toUpper().rightJustified(4, '0') + "00000000" +
            QByteArray::number(width, 16).toUpper().rightJustified(4, '0') +
            QByteArray::number(height, 16).toUpper().rightJustified(4, '0') + "\r\n";
    const int bytes = (width - 1) / 8 + 1;
    for (int r = 0; r < height; ++r)
        text += QByteArray(2 * bytes, '0') + "\r\n";
    return text;
}

} // namespace testing_support
