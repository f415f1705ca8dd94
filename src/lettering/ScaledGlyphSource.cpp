#include "lettering/ScaledGlyphSource.h"

#include <algorithm>

namespace vexel {

ScaledGlyphSource::ScaledGlyphSource(std::shared_ptr<GlyphSource> base, int factor)
    : base_(std::move(base)), factor_(std::max(1, factor))
{
}

const Glyph* ScaledGlyphSource::glyph(char32_t c)
{
    const auto found = scaled_.find(c);
    if (found != scaled_.end())
        return &found->second;
    const Glyph* g = base_->glyph(c);
    if (!g)
        return nullptr;
    Glyph s;
    s.advance = g->advance * factor_;
    s.left = g->left * factor_;
    s.cell = LedBitmap(g->cell.width() * factor_, g->cell.height() * factor_);
    for (int y = 0; y < s.cell.height(); ++y) {
        const std::uint8_t* from = g->cell.row(y / factor_);
        std::uint8_t* to = s.cell.row(y);
        for (int x = 0; x < s.cell.width(); ++x)
            to[x] = from[x / factor_];
    }
    return &scaled_.emplace(c, std::move(s)).first->second;
}

} // namespace vexel
