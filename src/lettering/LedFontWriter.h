#pragma once

#include "document/Result.h"
#include "lettering/LedFont.h"

#include <QString>

#include <string>

namespace vexel {

// Writes a face in the .vfont text format that LedFontReader reads back
// to the same glyphs: header lines, then the glyphs by code point.
class LedFontWriter {
public:
    static std::string text(const LedFont& font);
    // Replaces the file whole or not at all; refuses a face the reader
    // would refuse (too large, a family name it cannot hold).
    static Status save(const LedFont& font, const QString& path);
};

} // namespace vexel
