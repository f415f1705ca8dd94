#include "lettering/LedFontWriter.h"

#include "document/AtomicFile.h"
#include "lettering/LedFontReader.h"

#include <QDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <unordered_set>
#include <vector>

namespace vexel {

namespace {

std::string utf8(char32_t c)
{
    if (c < 0x20 || c == 0x7F || (c >= 0x80 && c < 0xA0))
        return std::string();
    return QString::fromUcs4(&c, 1).toStdString();
}

std::vector<char32_t> sortedCodes(const LedFont& font)
{
    std::vector<char32_t> order;
    for (const auto& [c, g] : font.glyphs)
        order.push_back(c);
    std::sort(order.begin(), order.end());
    return order;
}

std::string shownComment(char32_t c)
{
    const std::string shown = utf8(c);
    return shown.empty() ? std::string() : " ; " + shown;
}

// The glyph line, with `comment` after it, and the rows.
void appendGlyph(std::string& out, char32_t c, const Glyph& g, const std::string& comment, const std::string& eol)
{
    char head[48];
    std::snprintf(head, sizeof head, "glyph U+%04X", static_cast<unsigned>(c));
    out += head;
    if (g.advance != g.cell.width() + 1)
        out += " advance " + std::to_string(g.advance);
    out += comment + eol;
    for (int y = 0; y < g.cell.height(); ++y) {
        for (int x = 0; x < g.cell.width(); ++x)
            out += g.cell.lit(x, y) ? '#' : '.';
        out += eol;
    }
}

bool isSpace(char c) { return c == ' ' || c == '\t'; }

std::string_view withoutComment(std::string_view line)
{
    line = line.substr(0, line.find(';'));
    while (!line.empty() && isSpace(line.back()))
        line.remove_suffix(1);
    return line;
}

// The comment at the end of a line with the white space before it, or "".
std::string commentOf(std::string_view line)
{
    std::size_t at = line.find(';');
    if (at == std::string_view::npos)
        return std::string();
    while (at > 0 && isSpace(line[at - 1]))
        --at;
    return std::string(line.substr(at));
}

std::string_view firstWord(std::string_view& rest)
{
    while (!rest.empty() && isSpace(rest.front()))
        rest.remove_prefix(1);
    std::size_t n = 0;
    while (n < rest.size() && !isSpace(rest[n]))
        ++n;
    const std::string_view word = rest.substr(0, n);
    rest.remove_prefix(n);
    return word;
}

int readNumber(std::string_view rest)
{
    const std::string word(firstWord(rest));
    return std::atoi(word.c_str());
}

// The code point of a glyph line's "U+XXXX".
char32_t readCode(std::string_view rest)
{
    const std::string word(firstWord(rest));
    return word.size() > 2 ? static_cast<char32_t>(std::strtoul(word.c_str() + 2, nullptr, 16)) : 0;
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
    for (char32_t c : sortedCodes(font)) {
        out += '\n';
        appendGlyph(out, c, font.glyphs.at(c), shownComment(c), "\n");
    }
    return out;
}

std::string LedFontWriter::text(const LedFont& font, std::string_view layout)
{
    if (layout.empty())
        return text(font);
    const std::string bom = "\xEF\xBB\xBF";
    std::string out;
    if (layout.substr(0, 3) == bom) {
        out = bom;
        layout.remove_prefix(3);
    }
    const std::string eol = layout.find("\r\n") != std::string_view::npos ? "\r\n" : "\n";
    std::vector<std::string_view> lines;
    std::vector<char32_t> layoutCodes; // the glyph lines' code points, in the file's order
    while (!layout.empty()) {
        const std::size_t end = layout.find('\n');
        std::string_view line = layout.substr(0, end);
        layout = end == std::string_view::npos ? std::string_view() : layout.substr(end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
        std::string_view rest = withoutComment(line);
        if (firstWord(rest) == "glyph")
            layoutCodes.push_back(readCode(rest));
    }
    // Glyphs the file did not have, by code point.
    const std::unordered_set<char32_t> inLayout(layoutCodes.begin(), layoutCodes.end());
    std::vector<char32_t> added;
    for (char32_t c : sortedCodes(font))
        if (!inLayout.count(c))
            added.push_back(c);
    std::size_t nextAdded = 0;
    auto writeAdded = [&](bool all, char32_t below, bool blankBefore) {
        for (; nextAdded < added.size() && (all || added[nextAdded] < below); ++nextAdded) {
            const char32_t c = added[nextAdded];
            if (blankBefore)
                out += eol;
            appendGlyph(out, c, font.glyphs.at(c), shownComment(c), eol);
            if (!blankBefore)
                out += eol;
        }
    };

    std::vector<std::string> seen;
    std::size_t headerEnd = out.size();
    std::size_t glyphIndex = 0;
    int rowsLeft = 0;
    int layoutHeight = 0;
    auto insertMissingHeaders = [&] {
        auto has = [&](const char* key) { return std::find(seen.begin(), seen.end(), key) != seen.end(); };
        std::string missing;
        if (font.bold && !has("style"))
            missing += "style bold" + eol;
        if (font.condensed && !has("width"))
            missing += "width condensed" + eol;
        if (!has("baseline") && font.baseline > 0 && font.baseline != font.height)
            missing += "baseline " + std::to_string(font.baseline) + eol;
        out.insert(headerEnd, missing);
    };
    for (const std::string_view line : lines) {
        if (rowsLeft > 0) {
            --rowsLeft;
            continue;
        }
        std::string_view rest = withoutComment(line);
        const std::string_view key = firstWord(rest);
        if (key.empty()) {
            out += std::string(line) + eol;
            continue;
        }
        const std::string comment = commentOf(line);
        if (key != "glyph") {
            seen.emplace_back(key);
            if (key == "family") {
                out += "family " + font.family;
            } else if (key == "height") {
                out += "height " + std::to_string(font.height);
                layoutHeight = readNumber(rest);
            } else if (key == "style") {
                out += font.bold ? "style bold" : "style regular";
            } else if (key == "width") {
                out += font.condensed ? "width condensed" : "width regular";
            } else if (key == "baseline") {
                out += "baseline " + std::to_string(font.baseline);
            } else {
                out += std::string(withoutComment(line));
            }
            out += comment + eol;
            headerEnd = out.size();
            continue;
        }
        const char32_t code = layoutCodes[glyphIndex];
        if (glyphIndex == 0) {
            insertMissingHeaders();
            writeAdded(false, code, false);
        }
        ++glyphIndex;
        rowsLeft = layoutHeight;
        const auto found = font.glyphs.find(code);
        if (found != font.glyphs.end()) {
            appendGlyph(out, code, found->second, comment, eol);
        } else if (out.size() >= 2 * eol.size() &&
                   out.compare(out.size() - 2 * eol.size(), 2 * eol.size(), eol + eol) == 0) {
            // A glyph taken out takes one of the blank lines around it along.
            out.resize(out.size() - eol.size());
        }
        // New glyphs follow the glyph before them, ahead of the comments
        // that open the next group.
        const bool last = glyphIndex == layoutCodes.size();
        writeAdded(last, last ? 0 : layoutCodes[glyphIndex], true);
    }
    if (layoutCodes.empty()) {
        insertMissingHeaders();
        writeAdded(true, 0, true);
    }
    return out;
}

Status LedFontWriter::save(const LedFont& font, const QString& path, std::string_view layout)
{
    const QString name = QDir::toNativeSeparators(path);
    const std::string data = text(font, layout);
    if (static_cast<qint64>(data.size()) > LedFontReader::MaxFileSize)
        return Status::failure(name + QStringLiteral(": the face would take more than %1 MB, more than a .vfont may hold")
                                          .arg(LedFontReader::MaxFileSize / 1024 / 1024));
    // What cannot be read back is not written.
    const Expected<LedFont> check = LedFontReader::parse(data, name);
    if (!check)
        return Status::failure(check.error());
    if (const auto error = writeAtomically(path, data))
        return Status::failure(name + QStringLiteral(": ") + *error);

    return Status::success();
}

} // namespace vexel
