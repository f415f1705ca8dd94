#pragma once

#include "document/LedBitmap.h"
#include "support/LedRows.h"
#include "lettering/FontList.h"
#include "preview/GifWriter.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <string>
#include <vector>

namespace depot_test {

// A bitmap as rows of '.' and '#'.
using testing_support::ledRows;
inline std::vector<std::string> rows(const vexel::LedBitmap& b) { return ledRows(b); }

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

// Three frames of a 6 x 2 picture, each lighting one more pair of columns,
// shown for 0.10 s, 0.25 s and 0.50 s.
inline QByteArray threeFrameGif()
{
    vexel::GifWriter gif(6, 2, QVector<QRgb>{qRgb(0, 0, 0), qRgb(255, 255, 255)}, true);
    const int delays[] = {10, 25, 50};
    for (int f = 0; f < 3; ++f) {
        for (int y = 0; y < 2; ++y)
            for (int x = 2 * f; x < 2 * f + 2; ++x)
                gif.canvas()[y * 6 + x] = 1;
        if (!gif.addFrame(QRect(2 * f, 0, 2, 2), delays[f]).ok())
            return QByteArray();
    }
    const vexel::Expected<QByteArray> bytes = gif.finish();
    return bytes.ok() ? *bytes : QByteArray();
}

} // namespace depot_test
