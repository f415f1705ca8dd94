#pragma once

#include "lettering/Glyph.h"

#include <string>
#include <unordered_map>

namespace vexel {

// A font of the project's own format (fonts/*.vfont): one family, one height,
// regular or bold, regular or condensed width. A face is known by family,
// height, style and width together.
struct LedFont {
    static constexpr int MaxHeight = 100; // the tallest board
    static constexpr int MaxWidth = 64;
    static constexpr int MaxAdvance = 128;

    std::string family;
    int height = 0;
    bool bold = false;
    bool condensed = false;
    int baseline = 0; // the row, from 1 at the top, that capitals and digits stand on
    std::unordered_map<char32_t, Glyph> glyphs;

    const Glyph* find(char32_t c) const
    {
        const auto it = glyphs.find(c);
        return it == glyphs.end() ? nullptr : &it->second;
    }
};

} // namespace vexel
