#include "lettering/BdfFont.h"

#include "document/AtomicFile.h"
#include "lettering/FreeTypeFontSource.h"

#include <QDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace vexel {

namespace {

// XLFD fields may not hold '-'; BDF strings double their quotes.
std::string xlfdField(const std::string& s)
{
    std::string out = s;
    std::replace(out.begin(), out.end(), '-', ' ');
    return out;
}

std::string quoted(const std::string& s)
{
    std::string out = "\"";
    for (char c : s)
        out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

std::string hexRow(const LedBitmap& cell, int y)
{
    const int bytes = (cell.width() + 7) / 8;
    std::string out;
    for (int b = 0; b < bytes; ++b) {
        unsigned value = 0;
        for (int bit = 0; bit < 8; ++bit) {
            const int x = b * 8 + bit;
            if (x < cell.width() && cell.lit(x, y))
                value |= 0x80u >> bit;
        }
        char text[4];
        std::snprintf(text, sizeof text, "%02X", value);
        out += text;
    }
    return out;
}

// Family names a .vfont can hold: no comment sign, 1 to 64 characters.
std::string cleanFamily(std::string name)
{
    std::replace(name.begin(), name.end(), ';', ' ');
    std::replace_if(name.begin(), name.end(), [](char c) { return c == '\t' || c == '\r' || c == '\n'; }, ' ');
    while (!name.empty() && name.front() == ' ')
        name.erase(name.begin());
    while (!name.empty() && name.back() == ' ')
        name.pop_back();
    if (name.size() > 64)
        name.resize(64);
    return name.empty() ? std::string("Imported") : name;
}

} // namespace

std::string BdfFont::write(const LedFont& font)
{
    const int ascent = font.baseline > 0 ? font.baseline : font.height;
    const int descent = font.height - ascent;
    std::vector<char32_t> order;
    int widest = 1;
    for (const auto& [c, g] : font.glyphs) {
        order.push_back(c);
        widest = std::max(widest, g.cell.width());
    }
    std::sort(order.begin(), order.end());
    const std::string weight = font.bold ? "Bold" : "Medium";
    const std::string setWidth = font.condensed ? "Condensed" : "Normal";
    const std::string h = std::to_string(font.height);

    std::string out = "STARTFONT 2.1\n";
    out += "FONT -Vexel-" + xlfdField(font.family) + "-" + weight + "-R-" + setWidth + "--" + h + "-" +
           std::to_string(font.height * 10) + "-75-75-C-" + std::to_string(widest * 10) + "-ISO10646-1\n";
    out += "SIZE " + h + " 75 75\n";
    out += "FONTBOUNDINGBOX " + std::to_string(widest) + " " + h + " 0 " + std::to_string(-descent) + "\n";
    out += "STARTPROPERTIES 8\n";
    out += "FAMILY_NAME " + quoted(font.family) + "\n";
    out += "WEIGHT_NAME " + quoted(weight) + "\n";
    out += "SETWIDTH_NAME " + quoted(setWidth) + "\n";
    out += "PIXEL_SIZE " + h + "\n";
    out += "FONT_ASCENT " + std::to_string(ascent) + "\n";
    out += "FONT_DESCENT " + std::to_string(descent) + "\n";
    out += "CHARSET_REGISTRY \"ISO10646\"\n";
    out += "CHARSET_ENCODING \"1\"\n";
    out += "ENDPROPERTIES\n";
    out += "CHARS " + std::to_string(order.size()) + "\n";
    for (char32_t c : order) {
        const Glyph& g = font.glyphs.at(c);
        char name[32];
        std::snprintf(name, sizeof name, "uni%04X", static_cast<unsigned>(c));
        out += std::string("STARTCHAR ") + name + "\n";
        out += "ENCODING " + std::to_string(static_cast<unsigned long>(c)) + "\n";
        // Scalable width in thousandths of the size, as BDF 2.1 asks.
        out += "SWIDTH " + std::to_string(g.advance * 1000 / font.height) + " 0\n";
        out += "DWIDTH " + std::to_string(g.advance) + " 0\n";
        out += "BBX " + std::to_string(g.cell.width()) + " " + h + " " + std::to_string(g.left) + " " +
               std::to_string(-descent) + "\n";
        out += "BITMAP\n";
        for (int y = 0; y < g.cell.height(); ++y)
            out += hexRow(g.cell, y) + "\n";
        out += "ENDCHAR\n";
    }
    out += "ENDFONT\n";
    return out;
}

Status BdfFont::save(const LedFont& font, const QString& path)
{
    if (const auto error = writeAtomically(path, write(font)))
        return Status::failure(QDir::toNativeSeparators(path) + QStringLiteral(": ") + *error);
    return Status::success();
}

Expected<BdfFont::Imported> BdfFont::import(const QString& path, const std::string& family)
{
    Expected<std::shared_ptr<FreeTypeFontSource>> opened = FreeTypeFontSource::open(path);
    if (!opened)
        return opened.status();
    FreeTypeFontSource& source = **opened;
    if (source.height() > LedFont::MaxHeight)
        return Expected<Imported>::failure(QDir::toNativeSeparators(path) +
                                           QStringLiteral(": %1 rows, more than the %2 a face may have")
                                               .arg(source.height())
                                               .arg(LedFont::MaxHeight));

    Imported result;
    LedFont& font = result.font;
    font.family = cleanFamily(family.empty() ? source.familyName() : family);
    font.height = source.height();
    font.baseline = std::clamp(source.ascent(), 1, font.height);
    font.bold = source.bold();
    for (char32_t c : source.characters()) {
        const Glyph* g = c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF) ? nullptr : source.glyph(c);
        if (!g) {
            ++result.leftOut;
            continue;
        }
        // A .vfont glyph starts at the pen: LEDs left of it are dropped,
        // a gap before the bitmap becomes unlit columns.
        const int skip = std::max(0, -g->left);
        const int pad = std::max(0, g->left);
        const int width = std::max(1, pad + g->cell.width() - skip);
        if (width > LedFont::MaxWidth || g->advance < 0 || g->advance > LedFont::MaxAdvance) {
            ++result.leftOut;
            continue;
        }
        Glyph out;
        out.advance = g->advance;
        out.cell = LedBitmap(width, font.height);
        for (int y = 0; y < font.height; ++y)
            for (int x = skip; x < g->cell.width(); ++x)
                if (g->cell.lit(x, y))
                    out.cell.set(pad + x - skip, y, true);
        font.glyphs.emplace(c, std::move(out));
    }
    if (font.glyphs.empty())
        return Expected<Imported>::failure(QDir::toNativeSeparators(path) + ": no glyph to import");
    return result;
}

} // namespace vexel
