#include "lettering/SignPresets.h"

#include "lettering/FontList.h"
#include "lettering/TextFit.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace vexel {

namespace {

QString oneLine(const QString& text)
{
    return text.simplified();
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

std::pair<QString, QString> SignPresets::splitLines(const QString& text)
{
    const QString trimmed = text.trimmed();
    const int newline = trimmed.indexOf(QLatin1Char('\n'));
    if (newline >= 0)
        return {oneLine(trimmed.left(newline)), oneLine(trimmed.mid(newline + 1))};
    const QString s = oneLine(trimmed);
    int best = -1;
    for (int i = 0; i < s.size(); ++i)
        if (s[i] == QLatin1Char(' ') && (best < 0 || std::abs(s.size() - 2 * i) < std::abs(s.size() - 2 * best)))
            best = i;
    if (best < 0)
        return {s, QString()};
    return {s.left(best), s.mid(best + 1)};
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
    // Between words first; a word or code too long for the line after
    // that at its hyphen.
    const struct {
        std::pair<QString, QString> lines;
        const char* step;
        const char* how;
    } splits[] = {{splitLines(text), TextFit::TwoLinesStep, "Fitted on two lines at "},
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

// The route number at the left of the sign, or across it when `alone`; its
// block goes into `layout`. Returns where the destination starts, with
// `numberText` telling how the number was lettered, or -1 when it does not
// fit (the layout's message says why).
int placeNumber(PresetLayout& layout, const QString& num, bool alone, FontList& fonts, const TextStyle& base,
                int width, int height, const PresetOptions& options, std::string& numberText)
{
    TextStyle numberStyle = base;
    if (!options.numberFont.isEmpty())
        numberStyle.font = options.numberFont;
    // A number too wide for its part may break after its hyphen; one
    // its own font cannot show there ("B44-SBS" in a face of 19 rows)
    // is lettered in the text's font.
    const int part = alone ? width : width / 2;
    LineFit lines = SignPresets::fitOneText(num, fonts, numberStyle, part, height, options.order);
    if (!lines.fit.fits && numberStyle.font != base.font) {
        LineFit inText = SignPresets::fitOneText(num, fonts, base, part, height, options.order);
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
    numberText = "Number at " + px(fit);
    return numberWidth + SignPresets::numberGap(height);
}

// The destination in `area`, on one line or on two, whichever letters it
// larger; the layout's message tells both parts.
void placeDestination(PresetLayout& layout, const QString& dest, FontList& fonts, const TextStyle& base,
                      const FrameRect& area, const PresetOptions& options, const std::string& numberText)
{
    const FitResult single = TextFit::fit(dest, fonts, base, area.w, area.h, options.order);
    const auto [first, second] = SignPresets::splitLines(dest);
    const QString twoLines = second.isEmpty() ? QString() : first + QLatin1Char('\n') + second;
    const FitResult split =
        twoLines.isEmpty() ? FitResult{} : TextFit::fit(twoLines, fonts, base, area.w, area.h, options.order);
    const bool useTwo = split.fits && (!single.fits || split.height > single.height);
    const FitResult& chosen = useTwo ? split : single;
    TextBlock b = block(useTwo ? twoLines : dest, base, chosen, area);
    if (!chosen.fits)
        smallest(b, fonts);
    addBlock(layout, b, chosen);
    layout.parts.push_back({PresetPart::Role::Destination, chosen, useTwo ? 2 : 1});
    layout.fits = chosen.fits;
    const std::string destText = chosen.fits ? "destination on " + std::string(useTwo ? "two lines" : "one line") +
                                                   " at " + px(chosen) + ", spacing " +
                                                   std::to_string(chosen.letterSpacing)
                                             : "the destination does not fit: " + single.message;
    layout.message = numberText.empty() ? destText : numberText + ", " + destText;
    layout.message[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(layout.message[0])));
    if (chosen.fits)
        layout.message += ".";
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

    int destLeft = 0;
    std::string numberText;
    if (!num.isEmpty()) {
        destLeft = placeNumber(layout, num, dest.isEmpty(), fonts, base, width, height, options, numberText);
        if (destLeft < 0)
            return layout;
    }
    if (dest.isEmpty()) {
        layout.fits = true;
        layout.message = numberText + ".";
        return layout;
    }
    placeDestination(layout, dest, fonts, base, FrameRect{destLeft, 0, std::max(0, width - destLeft), height},
                     options, numberText);
    return layout;
}

PresetLayout SignPresets::twoLines(const QString& upper, const QString& lower, FontList& fonts,
                                   const TextStyle& base, int width, int height, const PresetOptions& options)
{
    PresetLayout layout;
    const int half = height / 2;
    const FrameRect areas[2] = {FrameRect{0, 0, width, half}, FrameRect{0, half, width, height - half}};
    const QString texts[2] = {oneLine(upper), oneLine(lower)};
    const char* names[2] = {"upper line", "lower line"};
    layout.fits = true;
    std::string message;
    for (int i = 0; i < 2; ++i) {
        if (texts[i].isEmpty())
            continue;
        const FitResult fit = TextFit::fit(texts[i], fonts, base, areas[i].w, areas[i].h, options.order);
        TextBlock b = block(texts[i], base, fit, areas[i]);
        if (!fit.fits)
            smallest(b, fonts);
        addBlock(layout, b, fit);
        layout.parts.push_back({i == 0 ? PresetPart::Role::UpperLine : PresetPart::Role::LowerLine, fit, 1});
        layout.fits = layout.fits && fit.fits;
        if (!message.empty())
            message += ", ";
        message += names[i] + (fit.fits ? " at " + px(fit) + ", spacing " + std::to_string(fit.letterSpacing)
                                        : std::string(" does not fit"));
    }
    if (layout.blocks.empty()) {
        layout.fits = false;
        layout.message = "There is no text to lay out.";
        return layout;
    }
    message[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(message[0])));
    layout.message = message + ".";
    return layout;
}

} // namespace vexel
