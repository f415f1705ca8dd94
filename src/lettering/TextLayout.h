#pragma once

#include "document/LedBitmap.h"
#include "lettering/GlyphSource.h"
#include "lettering/TextStyle.h"

#include <QString>

#include <string>
#include <vector>

namespace vexel {

class FontList;

// Text set as LEDs: the bitmap of the target, the characters the font lacks
// (each drawn as a box, listed once in the order they first occur), and
// whether the text reaches past the target.
struct Lettering {
    LedBitmap bitmap;
    std::vector<char32_t> missing;
    bool overflow = false;
    std::string error; // a font that could not be opened
};

// The size of a text's lines, as laid out; widths run to the last lit LED.
struct TextExtent {
    std::vector<int> lineWidths;
    int width = 0;
    int height = 0;
};

// How the lines of one face stack in an area: the line spacing chosen and
// the rows the lines take with it.
struct LineStack {
    bool fits = false;
    int lineSpacing = 0;
    int height = 0;
};

class TextLayout {
public:
    // The characters of a text split into lines at line breaks; CR is
    // dropped and a tab is a space.
    static std::vector<std::u32string> lines(const QString& text);

    static TextExtent measure(const std::vector<std::u32string>& lines, GlyphSource& font, int letterSpacing,
                              int lineSpacing);

    // The text in a width x height bitmap, aligned as the style says.
    static Lettering render(const QString& text, GlyphSource& font, const TextStyle& style, int width, int height);

    // Draws the text lit into `out`, inside `area` only; adds to the result's
    // missing list and overflow.
    static void draw(Lettering& out, const QString& text, GlyphSource& font, const TextStyle& style,
                     const FrameRect& area);

    // Every block in its area of a width x height target, each with its own
    // font from the list.
    static Lettering renderBlocks(const std::vector<TextBlock>& blocks, FontList& fonts, int width, int height);

    // Lines of one face in an area `height` rows tall: at least `minSpacing`
    // rows between one line's cells and the next, and a dark row between one
    // line's lowest LED and the next line's highest, so a descender never
    // meets the line below. Spare rows go between the lines first, up to a
    // quarter of the face's height (at least one), then above and below.
    static LineStack stack(const std::vector<std::u32string>& lines, GlyphSource& font, int minSpacing, int height);
    // Two lines of one line each, each in its own face, stacked the same way.
    static LineStack stackTwo(const QString& upper, GlyphSource& upperFont, const QString& lower,
                              GlyphSource& lowerFont, int height);

    // The box that stands in for a character the font lacks.
    static Glyph missingBox(int height);
};

} // namespace vexel
