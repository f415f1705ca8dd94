#pragma once

#include "lettering/GlyphSource.h"

#include <memory>
#include <unordered_map>

namespace vexel {

// A bitmap font drawn at a whole multiple of its height: every LED of a
// glyph becomes a factor x factor block, so a route number can fill the
// board with a small font's shapes.
class ScaledGlyphSource : public GlyphSource {
public:
    ScaledGlyphSource(std::shared_ptr<GlyphSource> base, int factor);

    int height() const override { return base_->height() * factor_; }
    const Glyph* glyph(char32_t c) override;

private:
    std::shared_ptr<GlyphSource> base_;
    int factor_;
    std::unordered_map<char32_t, Glyph> scaled_;
};

} // namespace vexel
