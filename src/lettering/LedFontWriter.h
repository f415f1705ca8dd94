#pragma once

#include "document/Result.h"
#include "lettering/LedFont.h"

#include <QString>

#include <string>
#include <string_view>

namespace vexel {

// Writes a face in the .vfont text format that LedFontReader reads back
// to the same glyphs: header lines, then the glyphs by code point.
class LedFontWriter {
public:
    static std::string text(const LedFont& font);
    // The face written over `layout`, the text of the file it was read
    // from: that file's comments, blank lines and header lines (a `style
    // regular` too) stay where they were, each glyph is written where it
    // stood and a new one before the first glyph with a higher code point.
    // An empty layout gives text(font).
    static std::string text(const LedFont& font, std::string_view layout);
    // Replaces the file whole or not at all; refuses a face the reader
    // would refuse (too large, a family name it cannot hold).
    static Status save(const LedFont& font, const QString& path, std::string_view layout = {});
};

} // namespace vexel
