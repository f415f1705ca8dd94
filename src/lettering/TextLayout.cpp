#include "lettering/TextLayout.h"

#include "lettering/FontList.h"

#include <algorithm>

namespace vexel {

namespace {

int floorHalf(int a) { return a >= 0 ? a / 2 : -((-a + 1) / 2); }

bool blank(const Glyph& g)
{
    for (int y = 0; y < g.cell.height(); ++y) {
        const std::uint8_t* row = g.cell.row(y);
        for (int x = 0; x < g.cell.width(); ++x)
            if (row[x])
                return false;
    }
    return true;
}

// What stands in for the characters a font cannot draw.
struct Fallbacks {
    explicit Fallbacks(int height) : box(TextLayout::missingBox(height))
    {
        space.advance = std::max(1, height / 3);
        space.cell = LedBitmap(0, height);
    }
    Glyph box;
    Glyph space; // a font without a space still separates words
};

// Calls visit(glyph, pen, missing) for each character of a line and returns
// the line's width up to its last lit LED.
template <class Visit>
int walk(const std::u32string& line, GlyphSource& font, const Fallbacks& fallbacks, int letterSpacing, Visit visit)
{
    int pen = 0;
    int extent = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char32_t c = line[i];
        const Glyph* g = font.glyph(c);
        const bool missing = !g && c != U' ';
        if (!g)
            g = missing ? &fallbacks.box : &fallbacks.space;
        visit(*g, pen, missing, c);
        if (g->cell.width() > 0 && !blank(*g))
            extent = std::max(extent, pen + g->left + g->cell.width());
        pen += g->advance;
        if (i + 1 < line.size())
            pen += letterSpacing;
    }
    return extent;
}

void blit(LedBitmap& out, const Glyph& g, int x, int y, const FrameRect& clip)
{
    const int x0 = std::max(x, clip.x);
    const int x1 = std::min(x + g.cell.width(), clip.right());
    if (x0 >= x1)
        return;
    for (int r = 0; r < g.cell.height(); ++r) {
        const int row = y + r;
        if (row < clip.y || row >= clip.bottom())
            continue;
        const std::uint8_t* from = g.cell.row(r) + (x0 - x);
        std::uint8_t* to = out.row(row);
        for (int col = x0; col < x1; ++col)
            to[col] |= *from++;
    }
}

// The first and last rows of a line's lit LEDs; first > last when none is lit.
struct Ink {
    int first;
    int last;
};

Ink inkOf(const std::u32string& line, GlyphSource& font, const Fallbacks& fallbacks)
{
    Ink ink{font.height(), -1};
    walk(line, font, fallbacks, 0, [&](const Glyph& g, int, bool, char32_t) {
        for (int y = 0; y < g.cell.height(); ++y) {
            const std::uint8_t* row = g.cell.row(y);
            if (std::any_of(row, row + g.cell.width(), [](std::uint8_t v) { return v != 0; })) {
                ink.first = std::min(ink.first, y);
                ink.last = std::max(ink.last, y);
            }
        }
    });
    return ink;
}

// A line's ink as the line above must keep clear of it: from the face's
// cap height down at least, so that a descender above never reaches where
// a capital below would start, whatever the letters.
Ink belowInk(const std::u32string& line, GlyphSource& font, const Fallbacks& fallbacks)
{
    Ink ink = inkOf(line, font, fallbacks);
    const Ink cap = inkOf(U"H", font, fallbacks);
    if (ink.first <= ink.last && cap.first <= cap.last)
        ink.first = std::min(ink.first, cap.first);
    return ink;
}

// Lines each with its ink and cell height, stacked as TextLayout::stack says.
LineStack stackInk(const std::vector<std::pair<Ink, int>>& lines, int minSpacing, int height)
{
    int cells = 0;
    for (const auto& line : lines)
        cells += line.second;
    const int gaps = std::max(0, static_cast<int>(lines.size()) - 1);
    auto total = [&](int spacing) { return cells + gaps * spacing; };
    int spacing = minSpacing;
    int smallest = lines.empty() ? 0 : lines.front().second;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const auto& [above, aboveRows] = lines[i - 1];
        const Ink& below = lines[i].first;
        if (above.first <= above.last && below.first <= below.last)
            spacing = std::max(spacing, 1 - (aboveRows - 1 - above.last) - below.first);
        smallest = std::min(smallest, lines[i].second);
    }
    const int wanted = std::max(1, (smallest + 2) / 4);
    while (gaps > 0 && spacing < wanted && total(spacing + 1) <= height)
        ++spacing;
    return LineStack{total(spacing) <= height, spacing, total(spacing)};
}

} // namespace

LineStack TextLayout::stack(const std::vector<std::u32string>& lines, GlyphSource& font, int minSpacing, int height)
{
    const Fallbacks fallbacks(font.height());
    std::vector<std::pair<Ink, int>> inks;
    for (const std::u32string& line : lines)
        inks.emplace_back(inks.empty() ? inkOf(line, font, fallbacks) : belowInk(line, font, fallbacks),
                          font.height());
    return stackInk(inks, minSpacing, height);
}

LineStack TextLayout::stackTwo(const QString& upper, GlyphSource& upperFont, const QString& lower,
                               GlyphSource& lowerFont, int height)
{
    const Fallbacks upperFallbacks(upperFont.height());
    const Fallbacks lowerFallbacks(lowerFont.height());
    return stackInk({{inkOf(upper.toStdU32String(), upperFont, upperFallbacks), upperFont.height()},
                     {belowInk(lower.toStdU32String(), lowerFont, lowerFallbacks), lowerFont.height()}},
                    0, height);
}

std::vector<std::u32string> TextLayout::lines(const QString& text)
{
    std::vector<std::u32string> result(1);
    for (const char32_t c : text.toUcs4()) {
        if (c == U'\n' || c == 0x2028 || c == 0x2029)
            result.emplace_back();
        else if (c == U'\t')
            result.back() += U' ';
        else if (c != U'\r')
            result.back() += c;
    }
    return result;
}

Glyph TextLayout::missingBox(int height)
{
    Glyph box;
    const int width = std::max(3, (height + 1) / 2);
    box.advance = width + 1;
    box.cell = LedBitmap(width, height);
    for (int x = 0; x < width; ++x) {
        box.cell.set(x, 0, true);
        box.cell.set(x, height - 1, true);
    }
    for (int y = 0; y < height; ++y) {
        box.cell.set(0, y, true);
        box.cell.set(width - 1, y, true);
    }
    return box;
}

TextExtent TextLayout::measure(const std::vector<std::u32string>& lines, GlyphSource& font, int letterSpacing,
                               int lineSpacing)
{
    const Fallbacks fallbacks(font.height());
    TextExtent extent;
    for (const std::u32string& line : lines) {
        const int w = walk(line, font, fallbacks, letterSpacing, [](const Glyph&, int, bool, char32_t) {});
        extent.lineWidths.push_back(w);
        extent.width = std::max(extent.width, w);
    }
    const int count = static_cast<int>(lines.size());
    extent.height = count * font.height() + (count - 1) * lineSpacing;
    return extent;
}

void TextLayout::draw(Lettering& out, const QString& text, GlyphSource& font, const TextStyle& style,
                      const FrameRect& area)
{
    const std::vector<std::u32string> textLines = lines(text);
    const TextExtent extent = measure(textLines, font, style.letterSpacing, style.lineSpacing);
    if (extent.width > area.w || extent.height > area.h)
        out.overflow = true;

    FrameRect clip;
    clip.x = std::max(area.x, 0);
    clip.y = std::max(area.y, 0);
    clip.w = std::min(area.right(), out.bitmap.width()) - clip.x;
    clip.h = std::min(area.bottom(), out.bitmap.height()) - clip.y;

    int top = 0;
    if (style.vAlign == VAlign::Middle)
        top = floorHalf(area.h - extent.height);
    else if (style.vAlign == VAlign::Bottom)
        top = area.h - extent.height;
    const Fallbacks fallbacks(font.height());
    for (std::size_t i = 0; i < textLines.size(); ++i) {
        const int lineWidth = extent.lineWidths[i];
        int left = 0;
        if (style.hAlign == HAlign::Centre)
            left = floorHalf(area.w - lineWidth);
        else if (style.hAlign == HAlign::Right)
            left = area.w - lineWidth;
        const int x = area.x + left;
        const int y = area.y + top + static_cast<int>(i) * (font.height() + style.lineSpacing);
        walk(textLines[i], font, fallbacks, style.letterSpacing, [&](const Glyph& g, int pen, bool missing, char32_t c) {
            if (missing && std::find(out.missing.begin(), out.missing.end(), c) == out.missing.end())
                out.missing.push_back(c);
            if (clip.w > 0 && clip.h > 0)
                blit(out.bitmap, g, x + pen + g.left, y, clip);
        });
    }
}

Lettering TextLayout::render(const QString& text, GlyphSource& font, const TextStyle& style, int width, int height)
{
    Lettering out;
    out.bitmap = LedBitmap(width, height);
    draw(out, text, font, style, FrameRect{0, 0, out.bitmap.width(), out.bitmap.height()});
    return out;
}

Lettering TextLayout::renderBlocks(const std::vector<TextBlock>& blocks, FontList& fonts, int width, int height)
{
    Lettering out;
    out.bitmap = LedBitmap(width, height);
    for (const TextBlock& block : blocks) {
        Expected<std::shared_ptr<GlyphSource>> font = fonts.open(block.style.font, block.style.height,
                                                                 block.style.bold, block.style.condensed);
        if (!font) {
            if (out.error.empty())
                out.error = font.error().toStdString();
            continue;
        }
        draw(out, block.text, **font, block.style, block.area);
    }
    return out;
}

} // namespace vexel
