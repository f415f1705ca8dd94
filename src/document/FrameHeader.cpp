#include "document/FrameHeader.h"

#include "document/HexConvert.h"

#include <algorithm>

namespace vexel {

namespace {

std::string field(int value, int maximum, int width)
{
    return toHex(static_cast<unsigned>(std::clamp(value, 0, maximum)), width);
}

} // namespace

Expected<FrameHeader> FrameHeader::parse(std::string_view line)
{
    FrameHeader header;
    if (line.size() != static_cast<std::size_t>(Length))
        return Expected<FrameHeader>::failure(
            QStringLiteral("a frame header must be 24 hex digits, this one has %1 characters").arg(line.size()));

    const std::pair<int, int> spans[] = {{0, 2}, {2, 1}, {3, 1}, {4, 4}, {8, 4}, {12, 4}, {16, 4}, {20, 4}};
    int values[8] = {};
    for (int i = 0; i < 8; ++i) {
        const auto digits = line.substr(static_cast<std::size_t>(spans[i].first), static_cast<std::size_t>(spans[i].second));
        const Expected<int> v = Hex_To_Int(digits);
        if (!v)
            return Expected<FrameHeader>::failure(v.error());
        values[i] = *v;
    }
    header.index = values[0];
    header.entryEffect = values[1];
    header.exitEffect = values[2];
    header.duration = values[3];
    header.rect = FrameRect{values[4], values[5], values[6], values[7]};
    return header;
}

std::string FrameHeader::format() const
{
    return field(index, MaxIndex, 2) + field(entryEffect, MaxEffect, 1) + field(exitEffect, MaxEffect, 1) +
           field(duration, MaxField, 4) + field(rect.x, MaxField, 4) + field(rect.y, MaxField, 4) +
           field(rect.w, MaxField, 4) + field(rect.h, MaxField, 4);
}

FrameRect FrameHeader::cappedRect(int boardWidth, int boardHeight) const
{
    FrameRect r = rect;
    r.w = std::min(r.w, boardWidth);
    r.h = std::min(r.h, boardHeight);
    return r;
}

} // namespace vexel
