// Any bytes as a .vfont file: the reader either names the file and line of
// a fault or returns a font whose every glyph has the font's height; the
// font's own glyphs, plain and enlarged, then lay out inside any target.
#include "FuzzCheck.h"

#include "lettering/LedFontReader.h"
#include "lettering/LedFontSource.h"
#include "lettering/ScaledGlyphSource.h"
#include "lettering/TextLayout.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

using namespace vexel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    Expected<LedFont> font = LedFontReader::parse(text, "fuzz.vfont");
    if (!font) {
        FUZZ_CHECK(font.error().toStdString().rfind("fuzz.vfont:", 0) == 0);
        return 0;
    }
    FUZZ_CHECK(!font->family.empty() && font->height >= 1 && font->height <= LedFont::MaxHeight);
    FUZZ_CHECK(!font->glyphs.empty());
    std::u32string sample;
    for (const auto& [c, g] : font->glyphs) {
        FUZZ_CHECK(g.cell.height() == font->height);
        FUZZ_CHECK(g.cell.width() >= 1 && g.cell.width() <= LedFont::MaxWidth);
        FUZZ_CHECK(g.advance >= 0 && g.advance <= LedFont::MaxAdvance);
        if (sample.size() < 24)
            sample += c;
    }
    sample.insert(sample.size() / 2, U"\n\uFFFF");

    auto source = std::make_shared<LedFontSource>(std::make_shared<const LedFont>(std::move(font).value()));
    ScaledGlyphSource doubled(source, 2);
    const QString line = QString::fromUcs4(sample.data(), static_cast<qsizetype>(sample.size()));
    const int spacing = static_cast<int>(size % 5) - 1;
    for (GlyphSource* glyphs : {static_cast<GlyphSource*>(source.get()), static_cast<GlyphSource*>(&doubled)}) {
        for (int align = 0; align < 3; ++align) {
            TextStyle style;
            style.hAlign = static_cast<HAlign>(align);
            style.vAlign = static_cast<VAlign>(2 - align);
            style.letterSpacing = spacing;
            style.lineSpacing = spacing;
            const Lettering l = TextLayout::render(line, *glyphs, style, 37, 19);
            FUZZ_CHECK(l.bitmap.width() == 37 && l.bitmap.height() == 19);
            // The sample's U+FFFF is listed unless the font happens to draw it.
            FUZZ_CHECK(glyphs->glyph(0xFFFF) || (l.missing.size() == 1 && l.missing[0] == 0xFFFF));
        }
    }
    return 0;
}
