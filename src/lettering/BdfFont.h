#pragma once

#include "document/Result.h"
#include "lettering/LedFont.h"

#include <QString>

#include <string>

namespace vexel {

// Bitmap font exchange with other tools: a face written as BDF 2.1, and a
// BDF or PCF font (gzip-compressed too) read through FreeType as a face.
class BdfFont {
public:
    static std::string write(const LedFont& font);
    static Status save(const LedFont& font, const QString& path);

    // The font's first size as a face of its own; `family` replaces the
    // font's family name when given. Glyphs wider than a face allows, or
    // code points a .vfont cannot name, are left out and counted.
    struct Imported {
        LedFont font;
        int leftOut = 0;
    };
    static Expected<Imported> import(const QString& path, const std::string& family = std::string());
};

} // namespace vexel
