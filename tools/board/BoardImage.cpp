#include "BoardImage.h"

#include "document/FrameHeader.h"
#include "document/HexConvert.h"

#include <string>

namespace board {

using vexel::Expected;
using vexel::ImageRecord;

Expected<ImageRecord> decodeImage(const QByteArray& bytes)
{
    const std::string hex = bytes.toHex().toUpper().toStdString();
    std::size_t pos = 0;
    auto take = [&](std::size_t count, std::string& out) {
        if (hex.size() - pos < count)
            return false;
        out = hex.substr(pos, count);
        pos += count;
        return true;
    };

    std::vector<std::string> lines;
    std::string countLine;
    if (!take(4, countLine))
        return Expected<ImageRecord>::failure("no frame-count line");
    const Expected<int> frames = Hex_To_Int(countLine);
    if (!frames || *frames < 1)
        return Expected<ImageRecord>::failure(QString::fromStdString("bad frame count " + countLine));
    lines.push_back(countLine);
    for (int f = 0; f < *frames; ++f) {
        std::string headerLine;
        if (!take(vexel::FrameHeader::Length, headerLine))
            return Expected<ImageRecord>::failure(QStringLiteral("frame %1 has no header").arg(f));
        const Expected<vexel::FrameHeader> header = vexel::FrameHeader::parse(headerLine);
        if (!header)
            return Expected<ImageRecord>::failure(header.error());
        lines.push_back(headerLine);
        const auto rowLength = static_cast<std::size_t>(header->rect.rowLineLength());
        for (int r = 0; r < header->rect.h; ++r) {
            std::string row;
            if (!take(rowLength, row))
                return Expected<ImageRecord>::failure(QStringLiteral("frame %1 stops at row %2").arg(f).arg(r));
            lines.push_back(row);
        }
    }
    if (pos != hex.size())
        return Expected<ImageRecord>::failure(
            QStringLiteral("%1 bytes left over after the last frame").arg((hex.size() - pos) / 2));

    ImageRecord record(std::move(lines));
    const vexel::Status checked = record.check();
    if (!checked)
        return Expected<ImageRecord>::failure(checked.error());
    return record;
}

} // namespace board
