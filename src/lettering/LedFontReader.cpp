#include "lettering/LedFontReader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <unordered_map>
#include <vector>

namespace vexel {

namespace {

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string_view trim(std::string_view s)
{
    while (!s.empty() && isSpace(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isSpace(s.back()))
        s.remove_suffix(1);
    return s;
}

// A header line without its comment.
std::string_view content(std::string_view line)
{
    const std::size_t semicolon = line.find(';');
    return trim(semicolon == std::string_view::npos ? line : line.substr(0, semicolon));
}

std::string_view nextWord(std::string_view& s)
{
    s = trim(s);
    std::size_t n = 0;
    while (n < s.size() && !isSpace(s[n]))
        ++n;
    std::string_view word = s.substr(0, n);
    s = trim(s.substr(n));
    return word;
}

// A decimal number of at most four digits.
std::optional<int> number(std::string_view word)
{
    if (word.empty() || word.size() > 4)
        return std::nullopt;
    int value = 0;
    for (char c : word) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

std::optional<char32_t> codePoint(std::string_view word)
{
    if (word.size() < 3 || word.size() > 8 || (word[0] != 'U' && word[0] != 'u') || word[1] != '+')
        return std::nullopt;
    char32_t value = 0;
    for (char c : word.substr(2)) {
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else
            return std::nullopt;
        value = value * 16 + static_cast<char32_t>(digit);
    }
    if (value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return std::nullopt;
    return value;
}

std::string hexName(char32_t c)
{
    char text[16];
    std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(c));
    return text;
}

std::string shown(char c)
{
    if (c >= 0x20 && c < 0x7F)
        return std::string("'") + c + "'";
    char text[16];
    std::snprintf(text, sizeof text, "byte 0x%02X", static_cast<unsigned char>(c));
    return text;
}

class Parser {
public:
    explicit Parser(const QString& fileName) : fileName_(fileName) {}

    Expected<LedFont> run(std::string_view text)
    {
        if (text.size() >= 3 && text.substr(0, 3) == "\xEF\xBB\xBF")
            text.remove_prefix(3);
        while (!text.empty() || pendingRows_ > 0) {
            ++lineNumber_;
            if (text.empty())
                return fail("the file ends after " + std::to_string(rowsRead()) + " of the " +
                            std::to_string(font_.height) + " rows of " + hexName(glyphChar_) + " (line " +
                            std::to_string(glyphLine_) + ")");
            const std::size_t end = text.find('\n');
            const std::string_view line = text.substr(0, end);
            text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
            if (auto error = pendingRows_ > 0 ? row(line) : header(line))
                return Expected<LedFont>::failure(*error);
        }
        if (font_.glyphs.empty()) {
            lineNumber_ = std::max(lineNumber_, 1);
            return fail(font_.family.empty() ? "no family line" : font_.height == 0 ? "no height line" : "no glyphs");
        }
        // Files from before the baseline line stand on their last row.
        if (font_.baseline == 0)
            font_.baseline = font_.height;
        return std::move(font_);
    }

private:
    int rowsRead() const { return font_.height - pendingRows_; }

    Expected<LedFont> fail(const std::string& what) { return Expected<LedFont>::failure(message(what)); }
    QString message(const std::string& what) const
    {
        return fileName_ + QStringLiteral(":%1: ").arg(lineNumber_) + QString::fromStdString(what);
    }

    std::optional<QString> header(std::string_view line)
    {
        std::string_view rest = content(line);
        if (rest.empty())
            return std::nullopt;
        const std::string_view key = nextWord(rest);
        if (key == "glyph")
            return glyph(rest);
        if (!font_.glyphs.empty())
            return message("\"" + std::string(key) + "\" after the first glyph; the font's lines come first");
        if (key == "family") {
            if (rest.empty() || rest.size() > 64)
                return message("family needs a name of 1 to 64 characters");
            if (!font_.family.empty())
                return message("a second family line");
            font_.family = std::string(rest);
            return std::nullopt;
        }
        if (key == "height") {
            const std::optional<int> h = number(nextWord(rest));
            if (!h || *h < 1 || *h > LedFont::MaxHeight || !rest.empty())
                return message("height must be a number of rows from 1 to " + std::to_string(LedFont::MaxHeight));
            if (font_.height != 0)
                return message("a second height line");
            font_.height = *h;
            return std::nullopt;
        }
        if (key == "width") {
            const std::string_view width = nextWord(rest);
            if ((width != "regular" && width != "condensed") || !rest.empty())
                return message("width must be regular or condensed");
            font_.condensed = width == "condensed";
            return std::nullopt;
        }
        if (key == "baseline") {
            const std::optional<int> b = number(nextWord(rest));
            if (!b || *b < 1 || *b > LedFont::MaxHeight || !rest.empty())
                return message("baseline must be a row number from 1 to the height");
            if (font_.baseline != 0)
                return message("a second baseline line");
            font_.baseline = *b;
            baselineLine_ = lineNumber_;
            return std::nullopt;
        }
        if (key == "style") {
            const std::string_view style = nextWord(rest);
            if ((style != "regular" && style != "bold") || !rest.empty())
                return message("style must be regular or bold");
            font_.bold = style == "bold";
            return std::nullopt;
        }
        return message("unknown line \"" + std::string(key) + "\"; expected family, height, style, width, baseline or glyph");
    }

    std::optional<QString> glyph(std::string_view rest)
    {
        if (font_.family.empty())
            return message("glyph before the family line");
        if (font_.height == 0)
            return message("glyph before the height line");
        if (font_.baseline > font_.height) {
            lineNumber_ = baselineLine_;
            return message("baseline " + std::to_string(font_.baseline) + " lies below the " +
                           std::to_string(font_.height) + " rows of the font");
        }
        const std::string_view word = nextWord(rest);
        const std::optional<char32_t> c = codePoint(word);
        if (!c)
            return message("\"" + std::string(word) + "\" is not a code point; write U+ and 1 to 6 hex digits");
        advance_.reset();
        if (!rest.empty()) {
            const std::string_view key = nextWord(rest);
            const std::optional<int> a = number(nextWord(rest));
            if (key != "advance" || !a || *a > LedFont::MaxAdvance || !rest.empty())
                return message("after the code point only \"advance N\" may follow, N from 0 to " +
                               std::to_string(LedFont::MaxAdvance));
            advance_ = *a;
        }
        const auto first = firstLine_.find(*c);
        if (first != firstLine_.end())
            return message(hexName(*c) + " is drawn twice (first at line " + std::to_string(first->second) + ")");
        firstLine_[*c] = lineNumber_;
        glyphChar_ = *c;
        glyphLine_ = lineNumber_;
        pendingRows_ = font_.height;
        rows_.clear();
        return std::nullopt;
    }

    std::optional<QString> row(std::string_view line)
    {
        while (!line.empty() && isSpace(line.back()))
            line.remove_suffix(1);
        const std::string where = "row " + std::to_string(rowsRead() + 1) + " of " + hexName(glyphChar_);
        if (line.empty())
            return message(where + " is empty; the glyph needs " + std::to_string(font_.height) + " rows");
        for (char c : line)
            if (c != '.' && c != '#')
                return message(where + ": " + shown(c) + " is neither '.' nor '#'");
        if (line.size() > static_cast<std::size_t>(LedFont::MaxWidth))
            return message(where + " is wider than " + std::to_string(LedFont::MaxWidth) + " LEDs");
        if (!rows_.empty() && line.size() != rows_.front().size())
            return message(where + " is " + std::to_string(line.size()) + " LEDs wide, row 1 is " +
                           std::to_string(rows_.front().size()));
        rows_.push_back(line);
        if (--pendingRows_ == 0)
            finishGlyph();
        return std::nullopt;
    }

    void finishGlyph()
    {
        const int width = static_cast<int>(rows_.front().size());
        Glyph g;
        g.advance = advance_ ? *advance_ : width + 1;
        g.cell = LedBitmap(width, font_.height);
        for (int y = 0; y < font_.height; ++y)
            for (int x = 0; x < width; ++x)
                g.cell.set(x, y, rows_[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] == '#');
        font_.glyphs.emplace(glyphChar_, std::move(g));
    }

    const QString& fileName_;
    LedFont font_;
    int lineNumber_ = 0;
    int pendingRows_ = 0;
    char32_t glyphChar_ = 0;
    int glyphLine_ = 0;
    int baselineLine_ = 0;
    std::optional<int> advance_;
    std::vector<std::string_view> rows_;
    std::unordered_map<char32_t, int> firstLine_;
};

} // namespace

Expected<LedFont> LedFontReader::parse(std::string_view text, const QString& fileName)
{
    return Parser(fileName).run(text);
}

Expected<LedFont> LedFontReader::read(const QString& path)
{
    const Expected<std::string> text = load(path);
    if (!text)
        return text.status();
    return parse(*text, QDir::toNativeSeparators(path));
}

Expected<std::string> LedFontReader::load(const QString& path)
{
    const QString name = QDir::toNativeSeparators(path);
    QFile file(path);
    if (!QFileInfo(path).isFile())
        return Expected<std::string>::failure(name + ":0: not a regular file");
    if (file.size() > MaxFileSize)
        return Expected<std::string>::failure(name + QStringLiteral(":0: larger than %1 MB").arg(MaxFileSize / 1024 / 1024));
    if (!file.open(QIODevice::ReadOnly))
        return Expected<std::string>::failure(name + ":0: " + file.errorString());
    const QByteArray text = file.read(MaxFileSize + 1);
    if (text.size() > MaxFileSize)
        return Expected<std::string>::failure(name + QStringLiteral(":0: larger than %1 MB").arg(MaxFileSize / 1024 / 1024));
    return
 text.toStdString();
}

} // namespace vexel
