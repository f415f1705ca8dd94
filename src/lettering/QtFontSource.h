#pragma once

#include "lettering/GlyphSource.h"

#include <QFont>
#include <QString>

#include <unordered_map>
#include <unordered_set>

namespace vexel {

// A system font through Qt, drawn without antialiasing so every LED is on or
// off. The height is the whole line: the largest pixel size whose ascent
// and descent together fit it. Needs a QGuiApplication.
class QtFontSource : public GlyphSource {
public:
    QtFontSource(const QString& family, int height, bool bold);

    int height() const override { return height_; }
    const Glyph* glyph(char32_t c) override;

    int pixelSize() const { return font_.pixelSize(); }

private:
    QFont font_;
    int height_;
    int ascent_ = 0;
    std::unordered_map<char32_t, Glyph> glyphs_;
    std::unordered_set<char32_t> missing_;
};

} // namespace vexel
