#pragma once

#include "lettering/Glyph.h"

namespace vexel {

// A font at one height: the glyphs of one line of LEDs, each glyph's cell
// height() rows tall with the rows every glyph of the font shares.
class GlyphSource {
public:
    virtual ~GlyphSource() = default;

    virtual int height() const = 0;
    // The glyph for c, or nullptr when the font lacks it. The glyph lives as
    // long as the source; sources load and keep glyphs on first use.
    virtual const Glyph* glyph(char32_t c) = 0;
};

} // namespace vexel
