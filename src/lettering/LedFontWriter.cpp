#include "lettering/LedFontWriter.h"

#include <QString>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace vexel {

namespace {

std::string hexName(char32_t c)
{
    char text[16];
    std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(c));
    return text;
}

// The character itself for the comment, where it prints as one.
std::string shownInComment(char32_t c)
{
    if (c < 0x21 || c == 0x7F || (c >= 0x80 && c < 0xA0) || c == 0xAD || (c >= 0xD800 && c <= 0xDFFF) ||
        c > 0x10FFFF)
        return {};
    const QString text = QString::fromUcs4(&c, 1);
    if (!text.at(0).isPrint())
        return {};
    return " " + text.toStdString();
}

} // namespace

Expected<std::string> LedFontWriter::write(const LedFont& font)
{
    using Result = Expected<std::string>;
    if (font.family.empty() || font.family.size() > 64)
        return Result::failure("The family name must have 1 to 64 characters.");
    if (font.family.find_first_of(";\r\n\t") != std::string::npos || font.family.front() == ' ' ||
        font.family.back() == ' ')
        return Result::failure("The family name may not hold ';', a tab or a line break, nor start or end with a space.");
    if (font.height < 1 || font.height > LedFont::MaxHeight)
        return Result::failure("The height must be 1 to " + std::to_string(LedFont::MaxHeight) + " rows.");
    if (font.glyphs.empty())
        return Result::failure("A font needs at least one glyph.");

    std::vector<char32_t> codes;
    codes.reserve(font.glyphs.size());
    for (const auto& [code, glyph] : font.glyphs)
        codes.push_back(code);
    std::sort(codes.begin(), codes.end());

    std::string out;
    out += "; " + font.family + ", " + std::to_string(font.height) + " rows\n";
    out += "family " + font.family + "\n";
    out += "height " + std::to_string(font.height) + "\n";
    out += font.bold ? "style bold\n" : "style regular\n";
    for (char32_t code : codes) {
        const Glyph& g = font.glyphs.at(code);
        const int width = g.cell.width();
        if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return Result::failure(hexName(code) + " is not a character.");
        if (width < 1 || width > LedFont::MaxWidth)
            return Result::failure(hexName(code) + " must be 1 to " + std::to_string(LedFont::MaxWidth) +
                                   " LEDs wide.");
        if (g.cell.height() != font.height)
            return Result::failure(hexName(code) + " is " + std::to_string(g.cell.height()) + " rows high, the font " +
                                   std::to_string(font.height) + ".");
        if (g.advance < 0 || g.advance > LedFont::MaxAdvance)
            return Result::failure(hexName(code) + ": the advance must be 0 to " +
                                   std::to_string(LedFont::MaxAdvance) + ".");
        out += "\nglyph " + hexName(code);
        if (g.advance != width + 1)
            out += " advance " + std::to_string(g.advance);
        const std::string shown = shownInComment(code);
        out += shown.empty() ? "\n" : " ;" + shown + "\n";
        for (int y = 0; y < font.height; ++y) {
            for (int x = 0; x < width; ++x)
                out += g.cell.lit(x, y) ? '#' : '.';
            out += '\n';
        }
    }
    return out;
}

} // namespace vexel
