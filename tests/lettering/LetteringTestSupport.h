#pragma once

#include "document/LedBitmap.h"
#include "support/LedRows.h"
#include "lettering/FontList.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <string>
#include <vector>

namespace lettering_test {

// A bitmap as rows of '.' and '#'.
using testing_support::ledRows;
inline std::vector<std::string> rows(const vexel::LedBitmap& b) { return ledRows(b); }

inline void writeFile(const QString& path, const std::string& text)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(text.data(), static_cast<qint64>(text.size()));
}

// A font of solid squares: 'W' is height x height LEDs, space is blank.
inline std::string squareFont(const std::string& family, int height)
{
    std::string text = "family " + family + "\nheight " + std::to_string(height) + "\nglyph U+0057\n";
    for (int y = 0; y < height; ++y)
        text += std::string(static_cast<std::size_t>(height), '#') + "\n";
    text += "glyph U+0020\n";
    for (int y = 0; y < height; ++y)
        text += std::string(static_cast<std::size_t>(height / 2), '.') + "\n";
    return text;
}

// Only the fonts of the source tree: tests do not depend on what else is
// installed.
inline vexel::FontList::Places projectFonts()
{
    vexel::FontList::Places places;
    places.ledFontFolders << QStringLiteral(VEXEL_FONTS_DIR);
    places.systemFonts = false;
    return places;
}

} // namespace lettering_test
