#include "lettering/TextFit.h"

#include "lettering/FontList.h"
#include "lettering/TextLayout.h"

#include <QStringList>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <limits>
#include <set>

namespace vexel {

namespace {

std::string sizeText(int width, int height) { return std::to_string(width) + " x " + std::to_string(height); }

// The name of a face in the order, as the panel shows the step.
std::string faceName(const FontSize& size, bool condensed)
{
    std::string name = condensed ? "condensed " + std::to_string(size.height) : std::to_string(size.height) + " rows";
    if (size.scale > 1)
        name += " (" + std::to_string(size.native) + " x " + std::to_string(size.scale) + ")";
    return name;
}

struct Face {
    const FontSize* size;
    bool condensed;
};

} // namespace

std::string TextFit::characterList(const std::vector<char32_t>& characters)
{
    QStringList shown;
    for (char32_t c : characters)
        shown << QStringLiteral("%1 (U+%2)")
                     .arg(QString::fromUcs4(&c, 1),
                          QString::number(static_cast<uint>(c), 16).toUpper().rightJustified(4, QLatin1Char('0')));
    return shown.join(QStringLiteral(", ")).toStdString();
}

namespace {

// Tries the faces of the order from the largest down, at each the letter
// spacing from the style's down; `tries` says whether the text goes at a
// face and spacing, and gives the extent it took. The result names the
// first that does, or why none does.
using Attempt = std::function<bool(GlyphSource& font, int spacing, TextExtent& extent)>;

using OpenFace = std::pair<Face, std::shared_ptr<GlyphSource>>;

// The faces of `size` that have every character of `wanted`: its regular
// width, and its condensed one where the order takes that. `found` gathers
// the characters some face has.
Expected<std::vector<OpenFace>> completeFaces(const FontSize& size, const std::vector<char32_t>& wanted,
                                              FontList& fonts, const TextStyle& style, const FitOrder& order,
                                              std::set<char32_t>& found)
{
    std::vector<OpenFace> faces;
    for (bool condensed : {false, true}) {
        // The condensed face of the weight in use; a bold face without
        // a condensed one has no condensed step.
        const bool bold = (style.bold && size.bold) || !size.regular;
        if (condensed && !(order.condensed && size.condensed &&
                           fonts.ledFace(style.font, size.native, bold, true)))
            continue;
        Expected<std::shared_ptr<GlyphSource>> font = fonts.open(style.font, size.height, style.bold, condensed);
        if (!font)
            return Expected<std::vector<OpenFace>>::failure(font.error());
        bool complete = true;
        for (char32_t c : wanted) {
            if ((*font)->glyph(c))
                found.insert(c);
            else
                complete = false;
        }
        if (complete)
            faces.push_back({Face{&size, condensed}, *font});
    }
    return faces;
}

// The result for a text that went at `size` in the face and spacing given,
// taking `textWidth`.
FitResult fittedAt(const FontSize& size, bool condensed, int spacing, int textWidth, bool firstStep, int widest)
{
    FitResult result;
    result.fits = true;
    result.height = size.height;
    result.condensed = condensed;
    result.letterSpacing = spacing;
    result.width = textWidth;
    result.step = firstStep ? "fits" : faceName(size, condensed);
    if (spacing < 0 && widest >= 0)
        result.step += ", spacing " + std::to_string(spacing);
    result.message = "Fitted at " + std::to_string(size.height) + " px" + (condensed ? " condensed" : "") +
                     ", spacing " + std::to_string(spacing) + ".";
    return result;
}

// Why no face fits: characters no face has, no face with them all, or the
// smallest attempt, `last` at `lastHeight` rows, too large.
FitResult noFit(const std::vector<char32_t>& wanted, const std::set<char32_t>& found, const TextStyle& style,
                int width, int height, int lastHeight, int tightest, const TextExtent& last)
{
    FitResult result;
    for (char32_t c : wanted)
        if (!found.count(c))
            result.missing.push_back(c);
    if (!result.missing.empty()) {
        result.whyNot.kind = NoFitReason::Kind::MissingCharacters;
        result.message = "The font lacks " + TextFit::characterList(result.missing) + ".";
        return result;
    }
    if (lastHeight == 0) {
        result.whyNot = NoFitReason::of(NoFitReason::Kind::NoCompleteFace, style.font);
        result.message = "No face of \"" + style.font.toStdString() + "\" has every character of the text.";
        return result;
    }
    result.whyNot = {NoFitReason::Kind::TooLarge, {}, width, height, lastHeight, tightest, last.width, last.height, 0};
    result.message = "Nothing fits " + sizeText(width, height) + ": at " + std::to_string(lastHeight) +
                     " px with spacing " + std::to_string(tightest) + " the text takes " +
                     sizeText(last.width, last.height) + ".";
    return result;
}

FitResult walkFaces(const std::vector<char32_t>& wanted, int lineCount, FontList& fonts, const TextStyle& style,
                    int width, int height, const FitOrder& order, const Attempt& tries)
{
    const FontInfo* info = fonts.find(style.font);
    if (!info) {
        FitResult result;
        result.whyNot = NoFitReason::of(NoFitReason::Kind::FontNotInstalled, style.font);
        result.message = "The font \"" + style.font.toStdString() + "\" is not installed.";
        return result;
    }
    const int count = lineCount;
    const int widest = std::clamp(style.letterSpacing, TextStyle::MinLetterSpacing, TextStyle::MaxLetterSpacing);
    const int tightest = order.tightSpacing ? TextStyle::MinLetterSpacing : std::min(widest, 0);

    std::vector<const FontSize*> sizes;
    for (auto size = info->sizes.rbegin(); size != info->sizes.rend(); ++size)
        if (size->scale == 1 || order.doubled)
            sizes.push_back(&*size);

    std::set<char32_t> found; // in some face of the order

    // The smallest attempt, for the message when nothing fits.
    TextExtent last;
    int lastHeight = 0;
    bool firstStep = true;
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        const FontSize& size = *sizes[i];
        if (count * size.height + (count - 1) * style.lineSpacing > height && i + 1 != sizes.size())
            continue;
        const Expected<std::vector<OpenFace>> faces = completeFaces(size, wanted, fonts, style, order, found);
        if (!faces) {
            FitResult result;
            result.whyNot = NoFitReason::of(NoFitReason::Kind::FontUnreadable, style.font);
            result.message = faces.error().toStdString();
            return result;
        }
        // Spacing 0 and wider on every face of the height before letters touch.
        for (const bool touching : {false, true}) {
            for (const auto& [face, font] : *faces) {
                const int from = touching ? tightest : widest;
                const int to = touching ? tightest : std::max(tightest, 0);
                if (touching && tightest >= 0)
                    break;
                for (int spacing = from; spacing >= to; --spacing) {
                    last = TextExtent{};
                    const bool goes = tries(*font, spacing, last);
                    lastHeight = size.height;
                    if (goes && last.width <= width && last.height <= height)
                        return fittedAt(size, face.condensed, spacing, last.width, firstStep, widest);
                }
                firstStep = false;
            }
        }
        firstStep = false;
    }
    return noFit(wanted, found, style, width, height, lastHeight, tightest, last);
}

std::vector<char32_t> charactersOf(const std::vector<std::u32string>& lines)
{
    std::vector<char32_t> wanted; // in the order they first occur
    for (const std::u32string& line : lines)
        for (char32_t c : line)
            if (std::find(wanted.begin(), wanted.end(), c) == wanted.end())
                wanted.push_back(c);
    return wanted;
}

// Where pages break, from the first tried: the separator is dropped, but a
// hyphen stays at the end of its part ("B44-" / "SBS").
struct PageBreak {
    QString separator;
    bool keep;
};
const PageBreak PageBreaks[] = {{QStringLiteral(" - "), false},
                                {QStringLiteral(", "), false},
                                {QStringLiteral(" "), false},
                                {QStringLiteral("-"), true}};

// `text` cut after each hyphen that has a character either side.
QStringList afterHyphens(const QString& text)
{
    QStringList parts;
    qsizetype from = 0;
    for (qsizetype i = 1; i + 1 < text.size(); ++i)
        if (text[i] == QLatin1Char('-')) {
            parts << text.mid(from, i + 1 - from);
            from = i + 1;
        }
    parts << text.mid(from);
    return parts;
}

enum class Packed { Done, WordTooLong, TooManyPages };

// Fills pages greedily: whole pieces between breaks of `level` while they
// fit, a piece too long for a page broken at the next level. `current` is
// the page being filled. Stops at a word that fits no page, and as soon as
// the pages pass `maxPages`.
Packed pack(const QString& text, int level, const std::function<bool(const QString&)>& fits, int maxPages,
            QStringList& pages, QString& current)
{
    const PageBreak& at = PageBreaks[level];
    const QString joint = at.keep ? QString() : at.separator;
    for (const QString& raw : at.keep ? afterHyphens(text) : text.split(at.separator)) {
        const QString piece = at.keep ? raw : raw.trimmed();
        if (piece.isEmpty())
            continue;
        const QString joined = current.isEmpty() ? piece : current + joint + piece;
        if (fits(joined)) {
            current = joined;
            continue;
        }
        if (!current.isEmpty()) {
            pages << current;
            current.clear();
            // `piece` starts one more page at least.
            if (pages.size() >= maxPages)
                return Packed::TooManyPages;
        }
        if (fits(piece)) {
            current = piece;
            continue;
        }
        if (level + 1 == static_cast<int>(std::size(PageBreaks)))
            return Packed::WordTooLong;
        const Packed packed = pack(piece, level + 1, fits, maxPages, pages, current);
        if (packed != Packed::Done)
            return packed;
    }
    return Packed::Done;
}

// Where a one-line text may go on to a second line: at a space (dropped),
// or after a hyphen inside a word (kept). A line never starts with a dash.
struct LineBreak {
    qsizetype end;  // the first line is text.left(end)
    qsizetype next; // the second text.mid(next)
    bool hyphen;
};

std::vector<LineBreak> lineBreaks(const QString& text)
{
    std::vector<LineBreak> breaks;
    for (qsizetype i = 1; i + 1 < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char(' ') && text[i + 1] != QLatin1Char(' ') &&
            !(text[i + 1] == QLatin1Char('-') && (i + 2 == text.size() || text[i + 2] == QLatin1Char(' '))))
            breaks.push_back({i, i + 1, false});
        else if (c == QLatin1Char('-') && text[i - 1] != QLatin1Char(' ') && text[i + 1] != QLatin1Char(' '))
            breaks.push_back({i + 1, i + 1, true});
    }
    return breaks;
}

int lineWidth(const QString& line, GlyphSource& font, int spacing)
{
    return TextLayout::measure(TextLayout::lines(line), font, spacing, 0).width;
}

// Whether a page's text goes on two lines of `width`: the first line as
// long as it can be, the rest on the second. If any break fits, that one
// does.
bool fitsTwoLines(const QString& page, GlyphSource& font, int spacing, int width)
{
    const std::vector<LineBreak> breaks = lineBreaks(page);
    const LineBreak* longest = nullptr;
    for (const LineBreak& b : breaks) {
        if (lineWidth(page.left(b.end), font, spacing) > width)
            break;
        longest = &b;
    }
    return longest && lineWidth(page.mid(longest->next), font, spacing) <= width;
}

// A page that needs two lines as the reader sees it: broken at the space
// that leaves the wider line narrowest, after a hyphen only where no space
// will do.
QString twoLines(const QString& page, GlyphSource& font, int spacing, int width, bool& atHyphen)
{
    const std::vector<LineBreak> breaks = lineBreaks(page);
    for (const bool hyphen : {false, true}) {
        const LineBreak* best = nullptr;
        int bestWidth = 0;
        for (const LineBreak& b : breaks) {
            if (b.hyphen != hyphen)
                continue;
            const int wider = std::max(lineWidth(page.left(b.end), font, spacing),
                                       lineWidth(page.mid(b.next), font, spacing));
            if (wider <= width && (!best || wider < bestWidth)) {
                best = &b;
                bestWidth = wider;
            }
        }
        if (best) {
            atHyphen = atHyphen || hyphen;
            return page.left(best->end) + QLatin1Char('\n') + page.mid(best->next);
        }
    }
    return page;
}

} // namespace

FitResult TextFit::fit(const QString& text, FontList& fonts, const TextStyle& style, int width, int height,
                       const FitOrder& order)
{
    if (!fonts.find(style.font))
        return walkFaces({}, 1, fonts, style, width, height, order, {});
    if (text.trimmed().isEmpty()) {
        FitResult result;
        result.whyNot.kind = NoFitReason::Kind::NoText;
        result.message = "There is no text to fit.";
        return result;
    }
    const std::vector<std::u32string> lines = TextLayout::lines(text);
    return walkFaces(charactersOf(lines), static_cast<int>(lines.size()), fonts, style, width, height, order,
                     [&](GlyphSource& font, int spacing, TextExtent& extent) {
                         extent = TextLayout::measure(lines, font, spacing, style.lineSpacing);
                         return true;
                     });
}

namespace {

// What TextFit::pages lays out: a text on one line, its characters, the
// font and the room.
struct PageRequest {
    const QString& text;
    const std::vector<char32_t>& wanted;
    FontList& fonts;
    const TextStyle& style;
    int width;
    int height;
    const FitOrder& order;
};

// The text's pages at one face and spacing, each of one line or, where two
// fit the height, two; `limit` is the most worth packing. `extent` gathers
// the largest any try took.
struct Packing {
    Packed packed = Packed::Done;
    QStringList pages;
    bool twoLines = false;
};

void widen(TextExtent& extent, const TextExtent& e)
{
    extent.width = std::max(extent.width, e.width);
    extent.height = std::max(extent.height, e.height);
}

Packing packAt(const PageRequest& r, GlyphSource& font, int spacing, int limit, TextExtent& extent)
{
    Packing p;
    p.twoLines = 2 * font.height() + r.style.lineSpacing <= r.height;
    auto fits = [&](const QString& page) {
        const TextExtent e = TextLayout::measure(TextLayout::lines(page), font, spacing, r.style.lineSpacing);
        widen(extent, e);
        if (e.height > r.height)
            return false;
        return e.width <= r.width || (p.twoLines && fitsTwoLines(page, font, spacing, r.width));
    };
    QString current;
    extent = TextExtent{};
    p.packed = pack(r.text, 0, fits, limit, p.pages, current);
    if (!current.isEmpty())
        p.pages << current;
    return p;
}

// The attempt of the faces' walk that packs into the fewest pages, or -1
// with the walk's result when none packs.
struct PageChoice {
    int attempt = -1;
    int fewest = std::numeric_limits<int>::max();
    bool tooMany = false; // some attempt had pages that fit, just too many
    FitResult none;
};

// Every face of the order is packed; the fewest pages win, and of as few
// the first, the largest face. A face packs only up to the pages it would
// have to beat.
PageChoice choosePageFace(const PageRequest& r, int maxPages)
{
    PageChoice choice;
    int attempt = 0;
    choice.none = walkFaces(r.wanted, 1, r.fonts, r.style, r.width, r.height, r.order,
                            [&](GlyphSource& font, int spacing, TextExtent& extent) {
                                const int limit = choice.attempt < 0 ? maxPages : choice.fewest - 1;
                                ++attempt;
                                if (limit <= 0)
                                    return false; // one page: nothing does better
                                const Packing p = packAt(r, font, spacing, limit, extent);
                                if (p.packed == Packed::TooManyPages)
                                    choice.tooMany = choice.tooMany || choice.attempt < 0;
                                else if (p.packed == Packed::Done) {
                                    choice.attempt = attempt - 1;
                                    choice.fewest = static_cast<int>(p.pages.size());
                                }
                                return false;
                            });
    return choice;
}

// The walk again, stopping at the face chosen so the result names it; its
// pages go into `chosen`, a page too wide for one line broken into two.
FitResult layOutPages(const PageRequest& r, const PageChoice& choice, QStringList& chosen, bool& hyphen)
{
    int attempt = 0;
    return walkFaces(r.wanted, 1, r.fonts, r.style, r.width, r.height, r.order,
                     [&](GlyphSource& font, int spacing, TextExtent& extent) {
                         if (attempt++ != choice.attempt)
                             return false;
                         const Packing p = packAt(r, font, spacing, choice.fewest, extent);
                         chosen.clear();
                         for (const QString& page : p.pages)
                             chosen << (lineWidth(page, font, spacing) <= r.width
                                            ? page
                                            : twoLines(page, font, spacing, r.width, hyphen));
                         // The extent of the pages kept, not of the tries.
                         extent = TextExtent{};
                         for (const QString& page : chosen)
                             widen(extent, TextLayout::measure(TextLayout::lines(page), font, spacing,
                                                               r.style.lineSpacing));
                         return true;
                     });
}

} // namespace

PageFit TextFit::pages(const QString& text, FontList& fonts, const TextStyle& style, int width, int height,
                       const FitOrder& order, int maxPages)
{
    PageFit out;
    const QString oneLine = text.simplified();
    if (!fonts.find(style.font)) {
        out.face = walkFaces({}, 1, fonts, style, width, height, order, {});
        return out;
    }
    if (oneLine.isEmpty()) {
        out.face.whyNot.kind = NoFitReason::Kind::NoText;
        out.face.message = "There is no text to fit.";
        return out;
    }
    const std::vector<char32_t> wanted = charactersOf(TextLayout::lines(oneLine));
    const PageRequest request{oneLine, wanted, fonts, style, width, height, order};

    const PageChoice choice = choosePageFace(request, maxPages);
    if (choice.attempt < 0) {
        out.face = choice.none;
        if (choice.tooMany && choice.none.missing.empty()) {
            // Pages that fit, just too many of them even at the smallest face.
            out.tooMany = true;
            out.face.whyNot = NoFitReason::of(NoFitReason::Kind::TooManyPages);
            out.face.whyNot.pages = maxPages;
            out.face.message = "More than " + std::to_string(maxPages) + " pages.";
        }
        return out;
    }

    QStringList chosen;
    bool hyphen = false;
    out.face = layOutPages(request, choice, chosen, hyphen);
    if (!out.face.fits)
        return out; // not reached: the face chosen fitted in the first walk
    out.fits = true;
    for (const QString& page : chosen) {
        out.pages.push_back(page);
        out.lines = std::max(out.lines, static_cast<int>(page.count(QLatin1Char('\n'))) + 1);
    }
    const int count = static_cast<int>(out.pages.size());
    out.face.step = count > 1 ? pageStep(count) : hyphen ? HyphenStep : out.lines > 1 ? TwoLinesStep : "fits";
    out.face.message = std::to_string(count) + (count == 1 ? " page" : " pages") + " at " +
                       std::to_string(out.face.height) + " px" + (out.face.condensed ? " condensed" : "") +
                       ", spacing " + std::to_string(out.face.letterSpacing) + ".";
    return out;
}

std::string TextFit::pageStep(int pages)
{
    return pages == 1 ? std::string("fits") : std::to_string(pages) + " pages";
}

int TextFit::stepRank(const std::string& step)
{
    const std::string suffix = AbbreviatedSuffix;
    if (step.size() > suffix.size() && step.compare(step.size() - suffix.size(), suffix.size(), suffix) == 0)
        return 10000 + stepRank(step.substr(0, step.size() - suffix.size()));
    if (step.empty() || step == "fits" || step.rfind("fits,", 0) == 0)
        return 0;
    if (step == TwoLinesStep)
        return 2000;
    if (step == HyphenStep)
        return 2500;
    const std::size_t digit = step.find_first_of("0123456789");
    const int number = digit == std::string::npos ? 0 : std::atoi(step.c_str() + digit);
    if (step.find("pages") != std::string::npos)
        return 3000 + number;
    // A smaller face is a further step; the condensed face of a height
    // comes after its regular one.
    return 1000 + (MaxRank - std::min(number, MaxRank)) * 2 + (step.rfind("condensed", 0) == 0 ? 1 : 0);
}

} // namespace vexel
