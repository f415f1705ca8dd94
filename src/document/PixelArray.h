#pragma once

#include "document/Result.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace vexel {

// The current frame as bit-packed LED rows: 101 rows of 61 bytes, bit 7 of
// byte k is column 8k. Every access is bounded; positions outside the block
// read as unlit and are never written.
class PixelArray {
public:
    static constexpr int Rows = 101;
    static constexpr int RowBytes = 61;
    static constexpr int Columns = RowBytes * 8; // 488

    // Inline: painting and drawing ask for one LED at a time.
    bool lit(int column, int row) const
    {
        return column >= 0 && ((byte(row, column / 8) >> (7 - column % 8)) & 1) != 0;
    }
    void setLit(int column, int row, bool on)
    {
        if (column < 0 || !inside(row, column / 8))
            return;
        std::uint8_t& b = bytes_[static_cast<std::size_t>(row * RowBytes + column / 8)];
        const auto mask = static_cast<std::uint8_t>(0x80u >> (column % 8));
        b = on ? static_cast<std::uint8_t>(b | mask) : static_cast<std::uint8_t>(b & ~mask);
    }

    std::uint8_t byte(int row, int index) const
    {
        return inside(row, index) ? bytes_[static_cast<std::size_t>(row * RowBytes + index)] : 0;
    }
    void setByte(int row, int index, std::uint8_t value)
    {
        if (inside(row, index))
            bytes_[static_cast<std::size_t>(row * RowBytes + index)] = value;
    }

    // Zeroes bytes first..last (inclusive) of a row, clamped to the row.
    void clearBytes(int row, int first, int last);
    void clear();
    // Every LED of a width x height board set or cleared; the bits of a
    // row's last byte beyond the board are cleared.
    void fillBoard(int width, int height, bool lit);

    // Bytes first..last (inclusive) of a row as upper-case hex pairs.
    std::string rowLine(int row, int first, int last) const;

    // Whether `line` is just what rowLine(row, first, last) makes.
    bool rowMatches(int row, int first, int last, std::string_view line) const;
    // Whether bytes first..last of rows top..bottom (inclusive) are other's.
    bool sameBytes(const PixelArray& other, int top, int bottom, int first, int last) const;
    // Those bytes taken from other.
    void copyBytes(const PixelArray& other, int top, int bottom, int first, int last);

    // Stores a row line's pairs from byte `first` on. The line must be an even
    // number of hex digits that fits into the bytes left in the row.
    Status storeRowLine(int row, int first, std::string_view line);

    const std::uint8_t* rowData(int row) const { return bytes_.data() + row * RowBytes; }
    std::uint8_t* rowData(int row) { return bytes_.data() + row * RowBytes; }

    bool operator==(const PixelArray& other) const { return bytes_ == other.bytes_; }
    bool operator!=(const PixelArray& other) const { return bytes_ != other.bytes_; }

private:
    static bool inside(int row, int index) { return row >= 0 && row < Rows && index >= 0 && index < RowBytes; }
    std::array<std::uint8_t, Rows * RowBytes> bytes_{};
};

} // namespace vexel
