#include "lettering/SignPresets.h"

#include "lettering/FontList.h"
#include "lettering/LineBreaks.h"
#include "lettering/TextFit.h"
#include "lettering/TextLayout.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace vexel {

namespace {

QString oneLine(const QString& text)
{
    return text.simplified();
}

// The text on two lines at the space that makes them most even in
// characters; empty without a space. Whether this takes a larger face than
// one line decides, as it always has, whether a destination that fits on
// one line beside a number goes on two.
std::pair<QString, QString> evenInCharacters(const QString& text)
{
    const QString s = oneLine(text);
    int best = -1;
    for (int i = 0; i < s.size(); ++i)
        if (s[i] == QLatin1Char(' ') && (best < 0 || std::abs(s.size() - 2 * i) < std::abs(s.size() - 2 * best)))
            best = i;
    if (best < 0)
        return {s, QString()};
    return {s.left(best), s.mid(best + 1)};
}

TextBlock block(const QString& text, const TextStyle& base, const FitResult& fit, FrameRect area)
{
    TextBlock b;
    b.text = text;
    b.style = base;
    b.style.hAlign = HAlign::Centre;
    b.style.vAlign = VAlign::Middle;
    b.area = area;
    if (fit.fits) {
        b.style.height = fit.height;
        b.style.condensed = fit.condensed;
        b.style.letterSpacing = fit.letterSpacing;
        b.style.lineSpacing = fit.lineSpacing;
    }
    return b;
}

// A height for a text that fits nowhere: the font's smallest, tightest.
void smallest(TextBlock& b, FontList& fonts)
{
    const FontInfo* info = fonts.find(b.style.font);
    if (info && !info->sizes.empty())
        b.style.height = info->sizes.front().height;
    b.style.condensed = false;
    b.style.letterSpacing = TextStyle::MinLetterSpacing;
}

std::string px(const FitResult& fit)
{
    return std::to_string(fit.height) + " px" + (fit.condensed ? " condensed" : "");
}

void addBlock(PresetLayout& layout, const TextBlock& b, const FitResult& fit)
{
    layout.blocks.push_back(b);
    layout.steps.push_back(fit.step);
    for (char32_t c : fit.missing)
        if (std::find(layout.missing.begin(), layout.missing.end(), c) == layout.missing.end())
            layout.missing.push_back(c);
}

} // namespace

int SignPresets::numberGap(int height) { return std::clamp(height / 8, 1, 4); }

std::pair<QString, QString> SignPresets::splitNumber(const QString& text)
{
    const QString s = oneLine(text);
    const int space = s.indexOf(QLatin1Char(' '));
    if (space < 0)
        return {s, QString()};
    return {s.left(space), s.mid(space + 1)};
}

std::pair<QString, QString> SignPresets::splitLines(const QString& text, const std::vector<QString>& keepTogether)
{
    const QString trimmed = text.trimmed();
    const int newline = trimmed.indexOf(QLatin1Char('\n'));
    if (newline >= 0)
        return {oneLine(trimmed.left(newline)), oneLine(trimmed.mid(newline + 1))};
    const QString s = oneLine(trimmed);
    // Lines measured in characters, one character shorter than the text so
    // that it takes two; a break inside a word is left to the fitting.
    const LineBreaks breaks(s, keepTogether);
    const LineBreaks::Choice choice = breaks.choose([](const QString& line) { return static_cast<int>(line.size()); },
                                                    static_cast<int>(s.size()) - 1, 2, 1,
                                                    [](const QString&, const QString&) { return true; });
    if (!choice.fits || choice.cost.inWord > 0 || choice.pages.front().size() < 2)
        return {s, QString()};
    return {choice.pages.front()[0], choice.pages.front()[1]};
}

std::pair<QString, QString> SignPresets::splitAtHyphen(const QString& text)
{
    const QString s = oneLine(text);
    qsizetype best = -1;
    for (qsizetype i = 1; i + 1 < s.size(); ++i)
        if (s[i] == QLatin1Char('-') && s[i - 1] != QLatin1Char(' ') && s[i + 1] != QLatin1Char(' ') &&
            (best < 0 || std::abs(s.size() - 2 * (i + 1)) < std::abs(s.size() - 2 * (best + 1))))
            best = i;
    if (best < 0)
        return {s, QString()};
    return {s.left(best + 1), s.mid(best + 1)};
}

LineFit SignPresets::fitOneText(const QString& text, FontList& fonts, const TextStyle& style, int width, int height,
                                const FitOrder& order)
{
    LineFit out{TextFit::fit(text, fonts, style, width, height, order), text};
    if (out.fit.fits || !out.fit.missing.empty() || text.trimmed().contains(QLatin1Char('\n')))
        return out;
    if (order.balanced) {
        LineFit two = TextFit::twoLines(text, fonts, style, width, height, order);
        return two.fit.fits ? two : out;
    }
    // Between words first; a word or code too long for the line after
    // that at its hyphen.
    const struct {
        std::pair<QString, QString> lines;
        const char* step;
        const char* how;
    } splits[] = {{evenInCharacters(text), TextFit::TwoLinesStep, "Fitted on two lines at "},
                  {splitAtHyphen(text), TextFit::HyphenStep, "Fitted on two lines after the hyphen at "}};
    for (const auto& split : splits) {
        if (split.lines.second.isEmpty())
            continue;
        const QString two = split.lines.first + QLatin1Char('\n') + split.lines.second;
        FitResult fit = TextFit::fit(two, fonts, style, width, height, order);
        if (!fit.fits)
            continue;
        fit.step = split.step;
        fit.message = split.how + fit.message.substr(std::string("Fitted at ").size());
        return {fit, two};
    }
    return out;
}

namespace {

// The route number at the left, in its own font where that shows it in its
// part; where the number ends, or -1 when it does not fit.
int placeNumber(PresetLayout& layout, const QString& num, bool alone, FontList& fonts, const TextStyle& base,
                int width, int height, const PresetOptions& options, std::string& said)
{
    TextStyle numberStyle = base;
    if (!options.numberFont.isEmpty())
        numberStyle.font = options.numberFont;
    FitOrder order = options.order;
    order.maxHeight = 0;
    order.leadGap = 0;
    // A number too wide for its part may break after its hyphen; one its
    // own font cannot show there ("B44-SBS" in a face of 19 rows) is
    // lettered in the text's font.
    const int part = alone ? width : width / 2;
    LineFit lines = SignPresets::fitOneText(num, fonts, numberStyle, part, height, order);
    if (!lines.fit.fits && numberStyle.font != base.font) {
        LineFit inText = SignPresets::fitOneText(num, fonts, base, part, height, order);
        if (inText.fit.fits) {
            lines = std::move(inText);
            numberStyle = base;
        }
    }
    const FitResult& fit = lines.fit;
    const int numberWidth = alone ? width : (fit.fits ? fit.width : width / 2);
    TextBlock b = block(lines.text, numberStyle, fit, FrameRect{0, 0, numberWidth, height});
    if (!fit.fits)
        smallest(b, fonts);
    addBlock(layout, b, fit);
    layout.parts.push_back({PresetPart::Role::Number, fit, 1});
    if (!fit.fits) {
        layout.message = "The route number does not fit: " + fit.message;
        return -1;
    }
    said = "Number at " + px(fit);
    return numberWidth;
}

// The text broken after the slash nearest its middle, the slash kept on
// the first line; an empty second part where no slash stands inside a word.
std::pair<QString, QString> evenAfterSlash(const QString& text)
{
    const QString s = oneLine(text);
    int best = -1;
    for (int i = 1; i + 1 < s.size(); ++i) {
        const bool inWord = s[i] == QLatin1Char('/') && s[i - 1] != QLatin1Char(' ') && s[i + 1] != QLatin1Char(' ');
        if (inWord && (best < 0 || std::abs(s.size() - 2 * (i + 1)) < std::abs(s.size() - 2 * (best + 1))))
            best = i;
    }
    if (best < 0)
        return {s, QString()};
    return {s.left(best + 1), s.mid(best + 1)};
}

// A destination beside the number: one line, or two where that takes a
// larger face.
LineFit fitBeside(const QString& dest, FontList& fonts, const TextStyle& base, int width, int height,
                  const FitOrder& order)
{
    LineFit single{TextFit::fit(dest, fonts, base, width, height, order), dest};
    const auto [first, second] = evenInCharacters(dest);
    QString even = second.isEmpty() ? QString() : first + QLatin1Char('\n') + second;
    FitResult evenFit = even.isEmpty() ? FitResult{} : TextFit::fit(even, fonts, base, width, height, order);
    // "Sedgwick/Highbridge" has no space to break at: the slash stays at
    // the end of the first line.
    const auto [beforeSlash, afterSlash] = evenAfterSlash(dest);
    if (!afterSlash.isEmpty()) {
        const QString slashed = beforeSlash + QLatin1Char('\n') + afterSlash;
        const FitResult slashFit = TextFit::fit(slashed, fonts, base, width, height, order);
        if (slashFit.fits && (!evenFit.fits || slashFit.height > evenFit.height)) {
            even = slashed;
            evenFit = slashFit;
        }
    }
    const bool larger = evenFit.fits && (!single.fit.fits || evenFit.height > single.fit.height);
    if (!order.balanced)
        return larger ? LineFit{evenFit, even} : single;
    // A text that fits on one line stays there unless two lines even in
    // characters take a larger face; the lines themselves break where
    // they read best.
    if (single.fit.fits && !larger)
        return single;
    const LineFit two = TextFit::twoLines(dest, fonts, base, width, height, order);
    if (two.fit.fits && (!single.fit.fits || two.fit.height > single.fit.height))
        return two;
    return single;
}

// Where a destination goes beside a number ending at `numberEnd`: centred
// in the part after the number's usual gap, unless that brings it closer
// to the number than its lead; then right after the lead.
FrameRect besideNumber(int numberEnd, const FitResult& fit, int width, int height)
{
    const int usual = numberEnd + SignPresets::numberGap(height);
    const FrameRect area{usual, 0, std::max(0, width - usual), height};
    if (!fit.fits)
        return area;
    const int left = area.x + (area.w - fit.width) / 2;
    if (fit.width <= area.w && left >= numberEnd + fit.lead)
        return area;
    const int from = numberEnd + fit.lead;
    return FrameRect{from, 0, std::max(0, width - from), height};
}

} // namespace

PresetLayout SignPresets::numberAndDestination(const QString& number, const QString& destination, FontList& fonts,
                                               const TextStyle& base, int width, int height,
                                               const PresetOptions& options)
{
    PresetLayout layout;
    const QString num = oneLine(number);
    const QString dest = oneLine(destination);
    if (num.isEmpty() && dest.isEmpty()) {
        layout.message = "There is no text to lay out.";
        return layout;
    }
    int numberEnd = 0;
    std::string numberText;
    if (!num.isEmpty()) {
        numberEnd = placeNumber(layout, num, dest.isEmpty(), fonts, base, width, height, options, numberText);
        if (numberEnd < 0)
            return layout;
    }
    if (dest.isEmpty()) {
        layout.fits = true;
        layout.message = numberText + ".";
        return layout;
    }

    FitOrder order = options.order;
    order.leadGap = num.isEmpty() ? 0 : leadGap(height);
    const LineFit chosen = fitBeside(dest, fonts, base, std::max(0, width - numberEnd), height, order);
    const FrameRect area = num.isEmpty() ? FrameRect{0, 0, width, height}
                                         : besideNumber(numberEnd, chosen.fit, width, height);
    TextBlock b = block(chosen.text, base, chosen.fit, area);
    if (!chosen.fit.fits)
        smallest(b, fonts);
    addBlock(layout, b, chosen.fit);
    layout.fits = chosen.fit.fits;
    const bool two = chosen.text.contains(QLatin1Char('\n'));
    layout.parts.push_back({PresetPart::Role::Destination, chosen.fit, two ? 2 : 1});
    const std::string destText = chosen.fit.fits ? "destination on " + std::string(two ? "two lines" : "one line") +
                                                       " at " + px(chosen.fit) + ", spacing " +
                                                       std::to_string(chosen.fit.letterSpacing)
                                                 : "the destination does not fit: " + chosen.fit.message;
    layout.message = numberText.empty() ? destText : numberText + ", " + destText;
    layout.message[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(layout.message[0])));
    if (chosen.fit.fits)
        layout.message += ".";
    return layout;
}

namespace {

// Two lines, each fitted to its half of the height, stacked as the lines
// of one text are: a dark row between their LEDs, spare rows between them
// before above and below. Where their LEDs would touch, the taller line
// takes the next face down. False when no face keeps them apart.
bool stackHalves(PresetLayout& layout, FontList& fonts, const TextStyle& base, const FitOrder& order, int width,
                 int height)
{
    for (;;) {
        TextBlock& upper = layout.blocks[0];
        TextBlock& lower = layout.blocks[1];
        const auto upperFont = fonts.open(upper.style.font, upper.style.height, upper.style.bold, upper.style.condensed);
        const auto lowerFont = fonts.open(lower.style.font, lower.style.height, lower.style.bold, lower.style.condensed);
        if (!upperFont || !lowerFont)
            return false;
        const LineStack stacked = TextLayout::stackTwo(upper.text, **upperFont, lower.text, **lowerFont, height);
        if (stacked.fits) {
            const int top = (height - stacked.height) / 2;
            upper.area = FrameRect{0, top, width, (*upperFont)->height()};
            lower.area = FrameRect{0, top + (*upperFont)->height() + stacked.lineSpacing, width, (*lowerFont)->height()};
            return true;
        }
        const std::size_t taller = upper.style.height >= lower.style.height ? 0 : 1;
        TextBlock& refit = layout.blocks[taller];
        FitOrder smaller = order;
        smaller.maxHeight = refit.style.height - 1;
        const FitResult fit = TextFit::fit(refit.text, fonts, base, refit.area.w, refit.area.h, smaller);
        if (!fit.fits || fit.height >= refit.style.height)
            return false;
        refit = block(refit.text, base, fit, refit.area);
        layout.steps[taller] = fit.step;
        if (taller < layout.parts.size())
            layout.parts[taller].fit = fit;
    }
}

} // namespace

PresetLayout SignPresets::twoLines(const QString& upper, const QString& lower, FontList& fonts,
                                   const TextStyle& base, int width, int height, const PresetOptions& options)
{
    PresetLayout layout;
    const int half = height / 2;
    const FrameRect areas[2] = {FrameRect{0, 0, width, half}, FrameRect{0, half, width, height - half}};
    const QString texts[2] = {oneLine(upper), oneLine(lower)};
    std::vector<const char*> names;
    layout.fits = true;
    for (int i = 0; i < 2; ++i) {
        if (texts[i].isEmpty())
            continue;
        const FitResult fit = TextFit::fit(texts[i], fonts, base, areas[i].w, areas[i].h, options.order);
        TextBlock b = block(texts[i], base, fit, areas[i]);
        if (!fit.fits)
            smallest(b, fonts);
        addBlock(layout, b, fit);
        layout.parts.push_back({i == 0 ? PresetPart::Role::UpperLine : PresetPart::Role::LowerLine, fit, 1});
        names.push_back(i == 0 ? "upper line" : "lower line");
        layout.fits = layout.fits && fit.fits;
    }
    if (layout.blocks.empty()) {
        layout.fits = false;
        layout.message = "There is no text to lay out.";
        return layout;
    }
    const bool apart = !layout.fits || layout.blocks.size() < 2 ||
                       stackHalves(layout, fonts, base, options.order, width, height);
    std::string message;
    for (std::size_t i = 0; i < layout.blocks.size(); ++i) {
        const TextStyle& s = layout.blocks[i].style;
        const bool fits = !layout.steps[i].empty();
        message += std::string(i ? ", " : "") + names[i] +
                   (fits ? " at " + std::to_string(s.height) + " px" + (s.condensed ? " condensed" : "") +
                               ", spacing " + std::to_string(s.letterSpacing)
                         : std::string(" does not fit"));
    }
    if (!apart) {
        layout.fits = false;
        layout.linesTouch = true;
        message += ", the lines touch at every face";
    }
    message[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(message[0])));
    layout.message = message + ".";
    return layout;
}

} // namespace vexel
