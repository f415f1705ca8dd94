#pragma once

#include "document/LedBitmap.h"
#include "lettering/FontList.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <string>
#include <vector>

namespace depot_test {

// A bitmap as rows of '.' and '#', for exact comparisons that print well.
inline std::vector<std::string> rows(const vexel::LedBitmap& b)
{
    std::vector<std::string> out;
    for (int y = 0; y < b.height(); ++y) {
        std::string row;
        for (int x = 0; x < b.width(); ++x)
            row += b.lit(x, y) ? '#' : '.';
        out.push_back(row);
    }
    return out;
}

inline bool write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Only the fonts of the source tree, so results do not depend on what else
// is installed.
inline vexel::FontList::Places projectFonts()
{
    vexel::FontList::Places places;
    places.ledFontFolders << QStringLiteral(VEXEL_FONTS_DIR);
    places.systemFonts = false;
    return places;
}

} // namespace depot_test
