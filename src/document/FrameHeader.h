#pragma once

#include "document/Result.h"

#include <string>
#include <string_view>

namespace vexel {

// The frame window in LEDs; right and bottom are exclusive.
struct FrameRect {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;

    int right() const { return x + w; }
    int bottom() const { return y + h; }
    bool contains(int column, int row) const { return column >= x && column < x + w && row >= y && row < y + h; }
    // Bytes of a Pixel_Array row that the frame's row lines carry.
    int firstByte() const { return x / 8; }
    int lastByte() const { return (x + w - 1) / 8; }
    int rowLineLength() const { return 2 * (lastByte() - firstByte() + 1); }

    bool operator==(const FrameRect& o) const { return x == o.x && y == o.y && w == o.w && h == o.h; }
    bool operator!=(const FrameRect& o) const { return !(*this == o); }
};

// The 24-character header line of a frame: index, entry and exit effect,
// duration, then X, Y, W, H, all upper-case hexadecimal.
struct FrameHeader {
    static constexpr int Length = 24;
    static constexpr int MaxIndex = 0xFF;
    static constexpr int MaxEffect = 0xF;
    static constexpr int MaxField = 0xFFFF;
    // The effects the frame panel offers; a header may hold any hex digit.
    static constexpr int EntryEffects = 3;
    static constexpr int ExitEffects = 4;

    int index = 0;
    int entryEffect = 0;
    int exitEffect = 0;
    int duration = 0;
    FrameRect rect;

    // Reads every field; fails with the conversion message on a field that is
    // not hexadecimal, and on a line that is not 24 characters long.
    static Expected<FrameHeader> parse(std::string_view line);

    // Fields outside their width are brought to the nearest value that fits,
    // so a formatted header is always 24 characters.
    std::string format() const;

    // The window with W and H capped at the board size, as every reader
    // of the record sees it.
    FrameRect cappedRect(int boardWidth, int boardHeight) const;
};

} // namespace vexel
