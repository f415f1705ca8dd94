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

// A layout file's lines, without their ends, and the code points of its
// glyph lines in the file's order.
struct Layout {
    std::vector<std::string_view> lines;
    std::vector<char32_t> codes;
};

Layout splitLayout(std::string_view text)
{
    Layout layout;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        layout.lines.push_back(line);
        std::string_view rest = withoutComment(line);
        if (firstWord(rest) == "glyph")
            layout.codes.push_back(readCode(rest));
    }
    return layout;
}

// Writes a font in the layout of the file it was read from: the file's
// header lines, comments and blank lines stay where they were, with the
// font's values; its glyphs keep their order and comments; glyphs the file
// did not have go in by code point.
class LayoutWriter {
public:
    // `out` is what comes before the first line (a byte order mark).
    LayoutWriter(const LedFont& font, const Layout& layout, std::string eol, std::string out)
        : font_(font), layout_(layout), eol_(std::move(eol)), out_(std::move(out)), headerEnd_(out_.size())
    {
        const std::unordered_set<char32_t> inLayout(layout.codes.begin(), layout.codes.end());
        for (char32_t c : sortedCodes(font))
            if (!inLayout.count(c))
                added_.push_back(c);
    }

    std::string write()
    {
        int rowsLeft = 0;
        for (const std::string_view line : layout_.lines) {
            if (rowsLeft > 0) {
                --rowsLeft;
                continue;
            }
            std::string_view rest = withoutComment(line);
            const std::string_view key = firstWord(rest);
            if (key.empty()) {
                out_ += std::string(line) + eol_;
                continue;
            }
            const std::string comment = commentOf(line);
            if (key != "glyph") {
                writeHeader(key, rest, line, comment);
                continue;
            }
            writeGlyph(comment);
            rowsLeft = layoutHeight_;
        }
        if (layout_.codes.empty()) {
            insertMissingHeaders();
            writeAdded(true, 0, true);
        }
        return std::move(out_);
    }

private:
    // The added glyphs below `below` (or all that are left), each with a
    // blank line before or after it.
    void writeAdded(bool all, char32_t below, bool blankBefore)
    {
        for (; nextAdded_ < added_.size() && (all || added_[nextAdded_] < below); ++nextAdded_) {
            const char32_t c = added_[nextAdded_];
            if (blankBefore)
                out_ += eol_;
            appendGlyph(out_, c, font_.glyphs.at(c), shownComment(c), eol_);
            if (!blankBefore)
                out_ += eol_;
        }
    }

    // The header lines the font needs and the file did not have, after its
    // last header line.
    void insertMissingHeaders()
    {
        auto has = [&](const char* key) { return std::find(seen_.begin(), seen_.end(), key) != seen_.end(); };
        std::string missing;
        if (font_.bold && !has("style"))
            missing += "style bold" + eol_;
        if (font_.condensed && !has("width"))
            missing += "width condensed" + eol_;
        if (!has("baseline") && font_.baseline > 0 && font_.baseline != font_.height)
            missing += "baseline " + std::to_string(font_.baseline) + eol_;
        out_.insert(headerEnd_, missing);
    }

    // A header line with the font's value; `rest` is what follows the key.
    void writeHeader(std::string_view key, std::string_view rest, std::string_view line, const std::string& comment)
    {
        seen_.emplace_back(key);
        if (key == "family") {
            out_ += "family " + font_.family;
        } else if (key == "height") {
            out_ += "height " + std::to_string(font_.height);
            layoutHeight_ = readNumber(rest);
        } else if (key == "style") {
            out_ += font_.bold ? "style bold" : "style regular";
        } else if (key == "width") {
            out_ += font_.condensed ? "width condensed" : "width regular";
        } else if (key == "baseline") {
            out_ += "baseline " + std::to_string(font_.baseline);
        } else {
            out_ += std::string(withoutComment(line));
        }
        out_ += comment + eol_;
        headerEnd_ = out_.size();
    }

    // The file's next glyph as the font has it, or nothing where the font no
    // longer has it; the added glyphs that sort before the one after it
    // follow.
    void writeGlyph(const std::string& comment)
    {
        const char32_t code = layout_.codes[glyphIndex_];
        if (glyphIndex_ == 0) {
            insertMissingHeaders();
            writeAdded(false, code, false);
        }
        ++glyphIndex_;
        const auto found = font_.glyphs.find(code);
        if (found != font_.glyphs.end()) {
            appendGlyph(out_, code, found->second, comment, eol_);
        } else if (out_.size() >= 2 * eol_.size() &&
                   out_.compare(out_.size() - 2 * eol_.size(), 2 * eol_.size(), eol_ + eol_) == 0) {
            // A glyph taken out takes one of the blank lines around it along.
            out_.resize(out_.size() - eol_.size());
        }
        // New glyphs follow the glyph before them, ahead of the comments
        // that open the next group.
        const bool last = glyphIndex_ == layout_.codes.size();
        writeAdded(last, last ? 0 : layout_.codes[glyphIndex_], true);
    }

    const LedFont& font_;
    const Layout& layout_;
    const std::string eol_;
    std::string out_;
    std::vector<char32_t> added_; // glyphs the file did not have, by code point
    std::size_t nextAdded_ = 0;
    std::vector<std::string> seen_; // the header keys the file has
    std::size_t headerEnd_;
    std::size_t glyphIndex_ = 0;
    int layoutHeight_ = 0; // the rows of each glyph in the file
};

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
    const Layout lines = splitLayout(layout);
    return LayoutWriter(font, lines, eol, std::move(out)).write();
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
