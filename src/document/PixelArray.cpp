#include "document/PixelArray.h"

#include "document/HexConvert.h"

#include <algorithm>

namespace vexel {

void PixelArray::clearBytes(int row, int first, int last)
{
    if (row < 0 || row >= Rows)
        return;
    first = std::max(first, 0);
    last = std::min(last, RowBytes - 1);
    for (int k = first; k <= last; ++k)
        bytes_[static_cast<std::size_t>(row * RowBytes + k)] = 0;
}

void PixelArray::clear() { bytes_.fill(0); }

void PixelArray::fillBoard(int width, int height, bool lit)
{
    const int w = std::min(width, Columns);
    const int h = std::min(height, Rows);
    const int padded = std::min((w + 7) / 8 * 8, Columns);
    for (int r = 0; r < h; ++r) {
        std::uint8_t* row = rowData(r);
        std::fill(row, row + w / 8, lit ? 0xFF : 0x00);
        for (int c = w / 8 * 8; c < padded; ++c)
            setLit(c, r, lit && c < w);
    }
}

std::string PixelArray::rowLine(int row, int first, int last) const
{
    static const char digits[] = "0123456789ABCDEF";
    if (last < first)
        return std::string();
    std::string line(static_cast<std::size_t>(last - first + 1) * 2, '0');
    char* out = line.data();
    const std::uint8_t* data = row >= 0 && row < Rows ? rowData(row) : nullptr;
    for (int k = first; k <= last; ++k) {
        const std::uint8_t b = data && k >= 0 && k < RowBytes ? data[k] : 0;
        *out++ = digits[b >> 4];
        *out++ = digits[b & 0xF];
    }
    return line;
}

bool PixelArray::rowMatches(int row, int first, int last, std::string_view line) const
{
    static const char digits[] = "0123456789ABCDEF";
    const std::size_t pairs = last < first ? 0 : static_cast<std::size_t>(last - first + 1);
    if (line.size() != pairs * 2)
        return false;
    const std::uint8_t* data = row >= 0 && row < Rows ? rowData(row) : nullptr;
    for (std::size_t k = 0; k < pairs; ++k) {
        const int at = first + static_cast<int>(k);
        const std::uint8_t b = data && at >= 0 && at < RowBytes ? data[at] : 0;
        if (line[2 * k] != digits[b >> 4] || line[2 * k + 1] != digits[b & 0xF])
            return false;
    }
    return true;
}

bool PixelArray::sameBytes(const PixelArray& other, int top, int bottom, int first, int last) const
{
    top = std::max(top, 0);
    bottom = std::min(bottom, Rows - 1);
    first = std::max(first, 0);
    last = std::min(last, RowBytes - 1);
    if (first > last)
        return true;
    for (int r = top; r <= bottom; ++r)
        if (!std::equal(rowData(r) + first, rowData(r) + last + 1, other.rowData(r) + first))
            return false;
    return true;
}

void PixelArray::copyBytes(const PixelArray& other, int top, int bottom, int first, int last)
{
    top = std::max(top, 0);
    bottom = std::min(bottom, Rows - 1);
    first = std::max(first, 0);
    last = std::min(last, RowBytes - 1);
    if (first > last)
        return;
    for (int r = top; r <= bottom; ++r)
        std::copy(other.rowData(r) + first, other.rowData(r) + last + 1, rowData(r) + first);
}

Status PixelArray::storeRowLine(int row, int first, std::string_view line)
{
    if (line.size() % 2 != 0)
        return Status::failure(conversionMessage(line.substr(line.size() - 1)));
    const int pairs = static_cast<int>(line.size() / 2);
    if (row < 0 || row >= Rows || first < 0 || first + pairs > RowBytes)
        return Status::failure(QStringLiteral("row line of %1 bytes does not fit the %2 bytes left in its row")
                                   .arg(pairs)
                                   .arg(std::max(0, RowBytes - first)));

    for (int k = 0; k < pairs; ++k) {
        const int hi = hexDigitValue(line[static_cast<std::size_t>(2 * k)]);
        const int lo = hexDigitValue(line[static_cast<std::size_t>(2 * k + 1)]);
        if (hi < 0 || lo < 0)
            return Status::failure(conversionMessage(line.substr(static_cast<std::size_t>(2 * k), 2)));
    }
    std::uint8_t* out = rowData(row) + first;
    for (int k = 0; k < pairs; ++k)
        out[k] = static_cast<std::uint8_t>(hexDigitValue(line[static_cast<std::size_t>(2 * k)]) << 4 |
                                           hexDigitValue(line[static_cast<std::size_t>(2 * k + 1)]));
    return Status::success();
}

} // namespace vexel
