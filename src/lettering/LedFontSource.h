#pragma once

#include "lettering/GlyphSource.h"
#include "lettering/LedFont.h"

#include <memory>

namespace vexel {

// The glyphs of one of the project's own fonts.
class LedFontSource : public GlyphSource {
public:
    explicit LedFontSource(std::shared_ptr<const LedFont> font) : font_(std::move(font)) {}

    int height() const override { return font_->height; }
    const Glyph* glyph(char32_t c) override { return font_->find(c); }

private:
    std::shared_ptr<const LedFont> font_;
};

} // namespace vexel
