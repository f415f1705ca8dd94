#include "lettering/LedFontWriter.h"

#include "document/AtomicFile.h"
#include "lettering/LedFontReader.h"

#include <QDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace vexel {

namespace {

std::string utf8(char32_t c)
{
    if (c < 0x20 || c == 0x7F || (c >= 0x80 && c < 0xA0))
        return std::string();
    return QString::fromUcs4(&c, 1).toStdString();
}

} // namespace

std::string LedFontWriter::text(const LedFont& font)
{
    std::string out = "family " + font.family + "\nheight " + std::to_string(font.height) + "\n";
    if (font.bold)
        out += "style bold\n";
    if (font.condensed)
        out += "width condensed\n";
    if (font.baseline > 0 && font.baseline != font.height)
        out += "baseline " + std::to_string(font.baseline) + "\n";
    std::vector<char32_t> order;
    for (const auto& [c, g] : font.glyphs)
        order.push_back(c);
    std::sort(order.begin(), order.end());
    for (char32_t c : order) {
        const Glyph& g = font.glyphs.at(c);
        char head[48];
        std::snprintf(head, sizeof head, "\nglyph U+%04X", static_cast<unsigned>(c));
        out += head;
        if (g.advance != g.cell.width() + 1)
            out += " advance " + std::to_string(g.advance);
        const std::string shown = utf8(c);
        if (!shown.empty())
            out += " ; " + shown;
        out += "\n";
        for (int y = 0; y < g.cell.height(); ++y) {
            for (int x = 0; x < g.cell.width(); ++x)
                out += g.cell.lit(x, y) ? '#' : '.';
            out += '\n';
        }
    }
    return out;
}

Status LedFontWriter::save(const LedFont& font, const QString& path)
{
    const std::string name = QDir::toNativeSeparators(path).toStdString();
    const std::string data = text(font);
    if (static_cast<qint64>(data.size()) > LedFontReader::MaxFileSize)
        return Status::failure(name + ": the face would take more than " +
                               std::to_string(LedFontReader::MaxFileSize / 1024 / 1024) +
                               " MB, more than a .vfont may hold");
    // What cannot be read back is not written.
    const Expected<LedFont> check = LedFontReader::parse(data, name);
    if (!check)
        return Status::failure(check.error());
    if (const auto error = writeAtomically(path, data))
        return Status::failure(name + ": " + error->toStdString());
    return Status::success();
}

} // namespace vexel
