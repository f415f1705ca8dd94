#include "lettering/FontCheck.h"

#include <algorithm>
#include <map>
#include <string>

namespace vexel {

namespace {

std::vector<char32_t> range(char32_t first, char32_t last)
{
    std::vector<char32_t> out;
    for (char32_t c = first; c <= last; ++c)
        out.push_back(c);
    return out;
}

// A glyph's LEDs as a key: equal keys are equal drawings.
std::string drawing(const LedBitmap& cell)
{
    std::string key = std::to_string(cell.width()) + ":";
    for (int y = 0; y < cell.height(); ++y)
        for (int x = 0; x < cell.width(); ++x)
            key += cell.lit(x, y) ? '#' : '.';
    return key;
}

// The lowest row with a lit LED, from 1 at the top; 0 when none is lit.
int lowestRow(const LedBitmap& cell)
{
    for (int y = cell.height() - 1; y >= 0; --y)
        for (int x = 0; x < cell.width(); ++x)
            if (cell.lit(x, y))
                return y + 1;
    return 0;
}

// The lit columns of a glyph, from the first lit one to the last: what a
// board shows of it, whatever blank columns the cell has at its sides.
std::vector<std::string> inkColumns(const LedBitmap& cell)
{
    std::vector<std::string> columns;
    for (int x = 0; x < cell.width(); ++x) {
        std::string column;
        for (int y = 0; y < cell.height(); ++y)
            column += cell.lit(x, y) ? '#' : '.';
        columns.push_back(column);
    }
    const auto blank = [](const std::string& c) { return c.find('#') == std::string::npos; };
    while (!columns.empty() && blank(columns.back()))
        columns.pop_back();
    const auto first = std::find_if_not(columns.begin(), columns.end(), blank);
    columns.erase(columns.begin(), first);
    return columns;
}

// True when the two drawings differ in at most one LED.
bool oneLedApart(const std::vector<std::string>& a, const std::vector<std::string>& b)
{
    if (a.size() != b.size())
        return false;
    int differ = 0;
    for (std::size_t x = 0; x < a.size() && differ <= 1; ++x)
        for (std::size_t y = 0; y < a[x].size() && differ <= 1; ++y)
            differ += a[x][y] != b[x][y];
    return differ <= 1;
}

// The Georgian letters drawn with a tail below the body: გ დ ე ვ კ ლ ჟ ტ უ ფ ქ ღ ყ ც ჭ ჯ.
bool georgianDescender(char32_t c)
{
    static const std::u32string tails = U"\u10D2\u10D3\u10D4\u10D5\u10D9\u10DA\u10DF\u10E2"
                                        U"\u10E3\u10E4\u10E5\u10E6\u10E7\u10EA\u10ED\u10EF";
    return tails.find(c) != std::u32string::npos;
}

// The row the Georgian letters without a tail stand on. Normally the
// baseline; but a face with no row below its baseline can give the tails
// room only by standing the bodies one row up, as the 7-row faces do. Such a
// face is told by its letters: most tails reach the last row and most bodies
// stop on the row above, so one letter drawn wrong is named on its own. Any
// other face keeps the baseline, so a letter lifted off it is still caught.
int georgianBodyRow(const LedFont& font, int baseline)
{
    if (baseline != font.height || baseline < 2)
        return baseline;
    int tails = 0, tailsDown = 0, bodies = 0, bodiesUp = 0;
    for (const auto& [c, g] : font.glyphs) {
        if (c < 0x10D0 || c > 0x10F0)
            continue;
        const int lowest = lowestRow(g.cell);
        if (georgianDescender(c)) {
            ++tails;
            tailsDown += lowest == baseline;
        } else {
            ++bodies;
            bodiesUp += lowest == baseline - 1;
        }
    }
    return 2 * tailsDown > tails && 2 * bodiesUp > bodies ? baseline - 1 : baseline;
}

} // namespace

bool FontCheckReport::complete() const
{
    return std::all_of(coverage.begin(), coverage.end(), [](const Coverage& c) { return c.lacking.empty(); });
}

const std::vector<char32_t>& FontCheck::ascii()
{
    static const std::vector<char32_t> set = range(0x20, 0x7E);
    return set;
}

const std::vector<char32_t>& FontCheck::georgian()
{
    static const std::vector<char32_t> set = range(0x10D0, 0x10F0);
    return set;
}

const std::vector<char32_t>& FontCheck::punctuation()
{
    static const std::vector<char32_t> set = {0x201E, 0x201C, 0x201D, 0x2018, 0x2019, 0x00AB, 0x00BB, 0x2013,
                                              0x2014, 0x2116, 0x00B7, 0x2026, 0x2192, 0x2190, 0x00B0};
    return set;
}

const std::vector<char32_t>& FontCheck::routeNumbers()
{
    static const std::vector<char32_t> set = [] {
        std::vector<char32_t> s = range('0', '9');
        for (char32_t c : range('A', 'Z'))
            s.push_back(c);
        // "x" for codes such as Bx12.
        for (char32_t c : std::u32string(U"x -/.()"))
            s.push_back(c);
        return s;
    }();
    return set;
}

bool FontCheck::isNumberFace(const LedFont& font)
{
    const std::string suffix = "Numbers";
    return font.family.size() >= suffix.size() &&
           font.family.compare(font.family.size() - suffix.size(), suffix.size(), suffix) == 0;
}

FontCheckReport FontCheck::check(const LedFont& font, bool allSets)
{
    FontCheckReport report;
    auto cover = [&](const char* name, const std::vector<char32_t>& set) {
        FontCheckReport::Coverage c;
        c.name = name;
        c.wanted = static_cast<int>(set.size());
        for (char32_t ch : set)
            if (!font.find(ch))
                c.lacking.push_back(ch);
        report.coverage.push_back(c);
    };
    if (isNumberFace(font) && !allSets) {
        cover("route numbers", routeNumbers());
    } else {
        cover("ASCII", ascii());
        cover("Georgian", georgian());
        cover("punctuation", punctuation());
    }

    std::vector<char32_t> order;
    for (const auto& [c, g] : font.glyphs)
        order.push_back(c);
    std::sort(order.begin(), order.end());
    std::map<std::string, char32_t> seen;
    const int baseline = font.baseline > 0 ? font.baseline : font.height;
    const int bodyRow = georgianBodyRow(font, baseline);
    for (char32_t c : order) {
        const LedBitmap& cell = font.glyphs.at(c).cell;
        if (cell.litCount() == 0) {
            if (c != U' ')
                report.empty.push_back(c);
            continue;
        }
        const auto [it, fresh] = seen.emplace(drawing(cell), c);
        if (!fresh)
            report.duplicates.emplace_back(it->second, c);
        if (c >= 0x10D0 && c <= 0x10F0 && lowestRow(cell) < (georgianDescender(c) ? baseline : bodyRow))
            report.floating.push_back(c);
    }

    // Exact twins are named as duplicates already.
    struct Letter {
        char32_t c;
        const LedBitmap* cell;
        std::vector<std::string> ink;
    };
    std::vector<Letter> letters;
    for (char32_t c : georgian())
        if (const Glyph* g = font.find(c))
            letters.push_back({c, &g->cell, inkColumns(g->cell)});
    for (std::size_t i = 0; i < letters.size(); ++i)
        for (std::size_t j = i + 1; j < letters.size(); ++j)
            if (*letters[i].cell != *letters[j].cell && oneLedApart(letters[i].ink, letters[j].ink))
                report.alike.emplace_back(letters[i].c, letters[j].c);
    return report;
}

} // namespace vexel
