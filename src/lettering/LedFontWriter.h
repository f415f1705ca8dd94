#pragma once

#include "document/Result.h"
#include "lettering/LedFont.h"

#include <string>

namespace vexel {

// Writes a font as the .vfont text that LedFontReader reads back to the same
// font: the header lines, then every glyph by code point, each with its
// character in a comment. A font the format cannot hold (a family name with
// a line break or ';', a glyph without columns, a cell taller or wider than
// the format allows) is refused with the reason.
class LedFontWriter {
public:
    static Expected<std::string> write(const LedFont& font);
};

} // namespace vexel
