#include "lettering/TextFit.h"

#include "lettering/FontList.h"
#include "lettering/LineBreaks.h"
#include "lettering/TextLayout.h"

#include <QStringList>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <optional>
#include <set>
#include <tuple>

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
using FaceList = std::vector<std::pair<Face, std::shared_ptr<GlyphSource>>>;

// The heights of the order, largest first, none above the order's cap
// unless the font has nothing lower.
std::vector<const FontSize*> orderSizes(const FontInfo& info, const FitOrder& order)
{
    std::vector<const FontSize*> sizes;
    for (auto size = info.sizes.rbegin(); size != info.sizes.rend(); ++size)
        if ((size->scale == 1 || order.doubled) && (order.maxHeight <= 0 || size->height <= order.maxHeight))
            sizes.push_back(&*size);
    if (sizes.empty() && !info.sizes.empty())
        sizes.push_back(&info.sizes.front());
    return sizes;
}

// The faces of one height that have every wanted character; `found`
// gathers the characters some face has.
Expected<FaceList> facesOf(const FontSize& size, FontList& fonts, const TextStyle& style, const FitOrder& order,
                           const std::vector<char32_t>& wanted, std::set<char32_t>& found)
{
    FaceList faces;
    for (bool condensed : {false, true}) {
        // The condensed face of the weight in use; a bold face without a
        // condensed one has no condensed step.
        const bool bold = (style.bold && size.bold) || !size.regular;
        if (condensed &&
            !(order.condensed && size.condensed && fonts.ledFace(style.font, size.native, bold, true)))
            continue;
        Expected<std::shared_ptr<GlyphSource>> font = fonts.open(style.font, size.height, style.bold, condensed);
        if (!font)
            return Expected<FaceList>::failure(font.error());
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

FitResult fitted(const Face& face, int spacing, bool spacingNamed, bool firstStep, int width, int lead)
{
    FitResult result;
    result.fits = true;
    result.height = face.size->height;
    result.condensed = face.condensed;
    result.letterSpacing = spacing;
    result.width = width;
    result.lead = lead;
    result.step = firstStep ? "fits" : faceName(*face.size, face.condensed);
    if (spacingNamed)
        result.step += ", spacing " + std::to_string(spacing);
    result.message = "Fitted at " + std::to_string(face.size->height) + " px" + (face.condensed ? " condensed" : "") +
                     ", spacing " + std::to_string(spacing) + ".";
    return result;
}

// Why nothing fits: a character no face has, or the smallest attempt.
FitResult nothingFits(const std::vector<char32_t>& wanted, const std::set<char32_t>& found, const TextStyle& style,
                      int width, int height, int lastHeight, const TextExtent& last, int tightest)
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
    const int widest = std::clamp(style.letterSpacing, TextStyle::MinLetterSpacing, TextStyle::MaxLetterSpacing);
    const int tightest = order.tightSpacing ? TextStyle::MinLetterSpacing : std::min(widest, 0);
    const std::vector<const FontSize*> sizes = orderSizes(*info, order);
    std::set<char32_t> found; // in some face of the order
    TextExtent last;          // the smallest attempt, for the message when nothing fits
    int lastHeight = 0;
    bool firstStep = true;
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        const FontSize& size = *sizes[i];
        if (lineCount * size.height + (lineCount - 1) * style.lineSpacing > height && i + 1 != sizes.size())
            continue;
        const Expected<FaceList> faces = facesOf(size, fonts, style, order, wanted, found);
        if (!faces) {
            FitResult result;
            result.whyNot = NoFitReason::of(NoFitReason::Kind::FontUnreadable, style.font);
            result.message = faces.error().toStdString();
            return result;
        }
        // Spacing 0 and wider on every face of the height before letters touch.
        for (const bool touching : {false, true}) {
            for (const auto& [face, font] : *faces) {
                if (touching && tightest >= 0)
                    break;
                const int lead = TextFit::lead(*font, order);
                for (int spacing = touching ? tightest : widest; spacing >= (touching ? tightest : std::max(tightest, 0));
                     --spacing) {
                    last = TextExtent{};
                    const bool goes = tries(*font, spacing, last);
                    lastHeight = size.height;
                    if (goes && last.width + lead <= width && last.height <= height)
                        return fitted(face, spacing, spacing < 0 && widest >= 0, firstStep, last.width, lead);
                }
                firstStep = false;
            }
        }
        firstStep = false;
    }
    // The room the text has, after the gap it keeps.
    return nothingFits(wanted, found, style, std::max(0, width - order.leadGap), height, lastHeight, last, tightest);
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
QString greedyTwoLines(const QString& page, GlyphSource& font, int spacing, int width, bool& atHyphen)
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

std::u32string ucs4(const QString& text) { return text.toStdU32String(); }

// The pages one face makes of a text, each a list of lines.
struct PageSet {
    Packed status = Packed::WordTooLong;
    std::vector<QStringList> pages;
    LineBreaks::Cost cost;
    bool hyphen = false; // a line ends after a hyphen inside a word
};
// Makes pages of a text at one face and spacing, lines at most `width`
// wide, at most `limit` pages; `extent` is what was tried, for the message
// when nothing fits.
using PageMaker = std::function<PageSet(GlyphSource& font, int spacing, int width, int limit, TextExtent& extent)>;

// Whether two lines of this face fit a page of `height` rows.
bool twoFit(GlyphSource& font, const TextStyle& style, int height)
{
    return 2 * font.height() + style.lineSpacing <= height;
}

PageMaker balancedPages(const LineBreaks& breaks, const TextStyle& style, int height, bool twoOnly)
{
    return [&breaks, &style, height, twoOnly](GlyphSource& font, int spacing, int width, int limit, TextExtent& extent) {
        PageSet set;
        extent = TextExtent{};
        auto measure = [&](const QString& line) {
            const int w = lineWidth(line, font, spacing);
            extent.width = std::max(extent.width, w);
            return w;
        };
        auto pairFits = [&](const QString& upper, const QString& lower) {
            return TextLayout::stack({ucs4(upper), ucs4(lower)}, font, style.lineSpacing, height).fits;
        };
        extent.height = font.height();
        if (font.height() > height)
            return set;
        const LineBreaks::Choice choice =
            breaks.choose(measure, width, twoFit(font, style, height) ? 2 : 1, limit, pairFits);
        if (!choice.fits || (twoOnly && choice.pages.front().size() < 2)) {
            // Too many pages when every piece fits a line on its own.
            extent = TextExtent{};
            extent.height = font.height();
            bool wordFits = true;
            for (int p = 0; p < breaks.pieceCount(); ++p)
                wordFits = measure(breaks.line(p, p + 1, true)) <= width && wordFits;
            set.status = wordFits && !twoOnly ? Packed::TooManyPages : Packed::WordTooLong;
            return set;
        }
        set.status = Packed::Done;
        set.pages = choice.pages;
        set.cost = choice.cost;
        set.hyphen = choice.hyphen;
        return set;
    };
}

// Pages filled greedily, as the fitting did before balanced breaks.
PageMaker greedyPages(const QString& oneLine, const TextStyle& style, int height)
{
    return [&oneLine, &style, height](GlyphSource& font, int spacing, int width, int limit, TextExtent& extent) {
        const bool two = twoFit(font, style, height);
        auto fits = [&](const QString& page) {
            const TextExtent e = TextLayout::measure(TextLayout::lines(page), font, spacing, style.lineSpacing);
            extent.width = std::max(extent.width, e.width);
            extent.height = std::max(extent.height, e.height);
            if (e.height > height)
                return false;
            return e.width <= width || (two && fitsTwoLines(page, font, spacing, width));
        };
        QStringList pages;
        QString current;
        extent = TextExtent{};
        PageSet set;
        set.status = pack(oneLine, 0, fits, limit, pages, current);
        if (!current.isEmpty())
            pages << current;
        for (const QString& page : pages)
            set.pages.push_back(lineWidth(page, font, spacing) <= width
                                    ? QStringList{page}
                                    : greedyTwoLines(page, font, spacing, width, set.hyphen).split(QLatin1Char('\n')));
        set.cost.pages = static_cast<int>(set.pages.size());
        return set;
    };
}

bool better(const LineBreaks::Cost& a, const LineBreaks::Cost& b)
{
    return std::tie(a.pages, a.poor) < std::tie(b.pages, b.poor);
}

// The best face for pages: every face of the order is tried; the fewest
// pages win, then the fewest poor breaks (LineBreaks), and of as good the
// first, the largest face; inside a face the most even lines. A face is tried only up to the pages
// it would have to beat.
struct FaceChoice {
    int attempt = -1;
    PageSet set;
    bool tooMany = false;
    FitResult none; // why nothing fits
};

FaceChoice chooseFace(const PageMaker& make, const std::vector<char32_t>& wanted, FontList& fonts,
                      const TextStyle& style, int width, int height, const FitOrder& order, int maxPages)
{
    FaceChoice chosen;
    int attempt = 0;
    chosen.none = walkFaces(wanted, 1, fonts, style, width, height, order,
                            [&](GlyphSource& font, int spacing, TextExtent& extent) {
                                const int index = attempt++;
                                const LineBreaks::Cost& best = chosen.set.cost;
                                const int limit = chosen.attempt < 0 ? maxPages
                                                  : best.poor == 0 ? best.pages - 1
                                                                                 : best.pages;
                                if (limit <= 0)
                                    return false; // one page as good as can be: nothing does better
                                PageSet set = make(font, spacing, width - TextFit::lead(font, order), limit, extent);
                                if (set.status == Packed::TooManyPages)
                                    chosen.tooMany = chosen.tooMany || chosen.attempt < 0;
                                else if (set.status == Packed::Done &&
                                         (chosen.attempt < 0 || better(set.cost, chosen.set.cost))) {
                                    chosen.attempt = index;
                                    chosen.set = std::move(set);
                                }
                                return false;
                            });
    return chosen;
}

// The pages chosen, at their face again, so the result names it; each
// page's lines stacked as they will be lettered.
PageFit layPages(const FaceChoice& chosen, const std::vector<char32_t>& wanted, FontList& fonts,
                 const TextStyle& style, int width, int height, const FitOrder& order)
{
    PageFit out;
    int attempt = 0;
    out.face = walkFaces(wanted, 1, fonts, style, width, height, order,
                         [&](GlyphSource& font, int spacing, TextExtent& extent) {
                             if (attempt++ != chosen.attempt)
                                 return false;
                             extent = TextExtent{};
                             for (const QStringList& page : chosen.set.pages) {
                                 std::vector<std::u32string> lines;
                                 for (const QString& line : page)
                                     lines.push_back(ucs4(line));
                                 const int spacingOfLines =
                                     TextLayout::stack(lines, font, style.lineSpacing, height).lineSpacing;
                                 const TextExtent e = TextLayout::measure(lines, font, spacing, spacingOfLines);
                                 extent.width = std::max(extent.width, e.width);
                                 extent.height = std::max(extent.height, e.height);
                                 out.pages.push_back(page.join(QLatin1Char('\n')));
                                 out.lineSpacing.push_back(spacingOfLines);
                                 out.lines = std::max(out.lines, static_cast<int>(page.size()));
                             }
                             return true;
                         });
    out.fits = out.face.fits; // the face chosen fitted in the first walk
    return out;
}

PageFit pagesBy(const PageMaker& make, const QString& oneLine, FontList& fonts, const TextStyle& style, int width,
                int height, const FitOrder& order, int maxPages)
{
    const std::vector<char32_t> wanted = charactersOf(TextLayout::lines(oneLine));
    const FaceChoice chosen = chooseFace(make, wanted, fonts, style, width, height, order, maxPages);
    if (chosen.attempt < 0) {
        PageFit out;
        out.face = chosen.none;
        if (chosen.tooMany && chosen.none.missing.empty()) {
            // Pages that fit, just too many of them even at the smallest face.
            out.tooMany = true;
            out.face.whyNot = NoFitReason::of(NoFitReason::Kind::TooManyPages);
            out.face.whyNot.pages = maxPages;
            out.face.message = "More than " + std::to_string(maxPages) + " pages.";
        }
        return out;
    }
    PageFit out = layPages(chosen, wanted, fonts, style, width, height, order);
    if (!out.fits)
        return out;
    const int count = static_cast<int>(out.pages.size());
    out.face.step = count > 1           ? TextFit::pageStep(count)
                    : chosen.set.hyphen ? TextFit::HyphenStep
                    : out.lines > 1     ? TextFit::TwoLinesStep
                                        : "fits";
    out.face.message = std::to_string(count) + (count == 1 ? " page" : " pages") + " at " +
                       std::to_string(out.face.height) + " px" + (out.face.condensed ? " condensed" : "") +
                       ", spacing " + std::to_string(out.face.letterSpacing) + ".";
    return out;
}

// A reason the text cannot be fitted before any face is tried, or nothing.
std::optional<FitResult> unfittable(const QString& oneLine, FontList& fonts, const TextStyle& style, int width,
                                    int height, const FitOrder& order)
{
    if (!fonts.find(style.font))
        return walkFaces({}, 1, fonts, style, width, height, order, {});
    if (oneLine.isEmpty()) {
        FitResult none;
        none.whyNot.kind = NoFitReason::Kind::NoText;
        none.message = "There is no text to fit.";
        return none;
    }
    return std::nullopt;
}

} // namespace

int TextFit::lead(GlyphSource& font, const FitOrder& order)
{
    if (order.leadGap <= 0)
        return 0;
    const Glyph* space = font.glyph(U' ');
    return std::max(order.leadGap, space ? space->advance : std::max(1, font.height() / 3));
}

FitResult TextFit::fit(const QString& text, FontList& fonts, const TextStyle& style, int width, int height,
                       const FitOrder& order)
{
    if (std::optional<FitResult> none = unfittable(text.trimmed(), fonts, style, width, height, order))
        return *none;
    const std::vector<std::u32string> lines = TextLayout::lines(text);
    int lineSpacing = style.lineSpacing;
    FitResult result = walkFaces(charactersOf(lines), static_cast<int>(lines.size()), fonts, style, width, height,
                                 order, [&](GlyphSource& font, int spacing, TextExtent& extent) {
                                     lineSpacing = TextLayout::stack(lines, font, style.lineSpacing, height).lineSpacing;
                                     extent = TextLayout::measure(lines, font, spacing, lineSpacing);
                                     return true;
                                 });
    result.lineSpacing = lineSpacing;
    return result;
}

PageFit TextFit::pages(const QString& text, FontList& fonts, const TextStyle& style, int width, int height,
                       const FitOrder& order, int maxPages)
{
    const QString oneLine = text.simplified();
    if (std::optional<FitResult> none = unfittable(oneLine, fonts, style, width, height, order)) {
        PageFit out;
        out.face = *none;
        return out;
    }
    if (!order.balanced)
        return pagesBy(greedyPages(oneLine, style, height), oneLine, fonts, style, width, height, order, maxPages);
    const LineBreaks breaks(oneLine, order.keepTogether);
    return pagesBy(balancedPages(breaks, style, height, false), oneLine, fonts, style, width, height, order,
                   maxPages);
}

LineFit TextFit::twoLines(const QString& text, FontList& fonts, const TextStyle& style, int width, int height,
                          const FitOrder& order)
{
    const QString oneLine = text.simplified();
    if (std::optional<FitResult> none = unfittable(oneLine, fonts, style, width, height, order))
        return {*none, text};
    const LineBreaks breaks(oneLine, order.keepTogether);
    PageFit page = pagesBy(balancedPages(breaks, style, height, true), oneLine, fonts, style, width, height, order, 1);
    if (!page.fits)
        return {page.face, text};
    FitResult fit = page.face;
    const bool hyphen = fit.step == HyphenStep;
    fit.step = hyphen ? HyphenStep : TwoLinesStep;
    fit.lineSpacing = page.lineSpacing.front();
    fit.message = std::string(hyphen ? "Fitted on two lines after the hyphen at " : "Fitted on two lines at ") +
                  std::to_string(fit.height) + " px" + (fit.condensed ? " condensed" : "") + ", spacing " +
                  std::to_string(fit.letterSpacing) + ".";
    return {fit, page.pages.front()};
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
