#pragma once

#include <cstdint>
#include <vector>

namespace vexel {

// A block of LEDs, each lit or unlit, one byte per LED. What the lettering,
// the picture import and the sign simulator hand to the board model. Reads
// outside the block are unlit; writes outside it are dropped.
class LedBitmap {
public:
    LedBitmap() = default;
    LedBitmap(int width, int height, bool lit = false)
        : width_(width > 0 ? width : 0), height_(height > 0 ? height : 0),
          cells_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), lit ? 1 : 0)
    {
    }

    int width() const { return width_; }
    int height() const { return height_; }
    bool empty() const { return cells_.empty(); }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    bool lit(int x, int y) const { return contains(x, y) && cells_[index(x, y)] != 0; }
    void set(int x, int y, bool on)
    {
        if (contains(x, y))
            cells_[index(x, y)] = on ? 1 : 0;
    }
    void fill(bool on) { cells_.assign(cells_.size(), on ? 1 : 0); }

    // Row y as width() bytes of 0 or 1.
    const std::uint8_t* row(int y) const { return cells_.data() + static_cast<std::size_t>(y) * width_; }
    std::uint8_t* row(int y) { return cells_.data() + static_cast<std::size_t>(y) * width_; }

    int litCount() const
    {
        int n = 0;
        for (std::uint8_t c : cells_)
            n += c;
        return n;
    }

    bool operator==(const LedBitmap& o) const
    {
        return width_ == o.width_ && height_ == o.height_ && cells_ == o.cells_;
    }
    bool operator!=(const LedBitmap& o) const { return !(*this == o); }

private:
    std::size_t index(int x, int y) const
    {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x);
    }
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint8_t> cells_;
};

} // namespace vexel
