#include "support/TestFiles.h"

#include "document/ImageRecord.h"

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

QByteArray randomImageText(int frames, int width, int height, unsigned seed)
{
    auto hex = [](unsigned v, int digits) { return QByteArray::number(v, 16).toUpper().rightJustified(digits, '0'); };
    QByteArray text = hex(static_cast<unsigned>(frames), 4) + "\r\n";
    unsigned state = seed;
    const int bytes = (width - 1) / 8 + 1;
    for (int f = 0; f < frames; ++f) {
        text += hex(static_cast<unsigned>(f), 2) + "0001F400000000" + hex(static_cast<unsigned>(width), 4) +
                hex(static_cast<unsigned>(height), 4) + "\r\n";
        for (int r = 0; r < height; ++r) {
            for (int b = 0; b < bytes; ++b) {
                state = state * 1103515245u + 12345u;
                text += hex((state >> 16) & 0xFF, 2);
            }
            text += "\r\n";
        }
    }
    return text;
}

vexel::ImageRecord rowsImage(int width, int height, const std::vector<int>& rows)
{
    vexel::ImageRecord record;
    record.setFrameCount(static_cast<int>(rows.size()));
    for (std::size_t f = 0; f < rows.size(); ++f) {
        vexel::FrameHeader header;
        header.index = static_cast<int>(f);
        header.duration = 500;
        header.rect = {0, 0, width, height};
        vexel::PixelArray bits;
        for (int x = 0; x < width; ++x)
            bits.setLit(x, rows[f], true);
        record.appendFrame(header, bits);
    }
    return record;
}

} // namespace testing_support
