#include "lettering/TextFit.h"

#include "lettering/FontList.h"
#include "lettering/TextLayout.h"

#include <QStringList>

#include <algorithm>
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

FitResult TextFit::fit(const QString& text, FontList& fonts, const TextStyle& style, int width, int height,
                       const FitOrder& order)
{
    FitResult result;
    const FontInfo* info = fonts.find(style.font);
    if (!info) {
        result.message = "The font \"" + style.font.toStdString() + "\" is not installed.";
        return result;
    }
    if (text.trimmed().isEmpty()) {
        result.message = "There is no text to fit.";
        return result;
    }
    const std::vector<std::u32string> lines = TextLayout::lines(text);
    const int count = static_cast<int>(lines.size());
    const int widest = std::clamp(style.letterSpacing, TextStyle::MinLetterSpacing, TextStyle::MaxLetterSpacing);
    const int tightest = order.tightSpacing ? TextStyle::MinLetterSpacing : std::min(widest, 0);

    std::vector<const FontSize*> sizes;
    for (auto size = info->sizes.rbegin(); size != info->sizes.rend(); ++size)
        if (size->scale == 1 || order.doubled)
            sizes.push_back(&*size);

    std::vector<char32_t> wanted; // in the order they first occur
    for (const std::u32string& line : lines)
        for (char32_t c : line)
            if (std::find(wanted.begin(), wanted.end(), c) == wanted.end())
                wanted.push_back(c);
    std::set<char32_t> found; // in some face of the order

    // The smallest attempt, for the message when nothing fits.
    TextExtent last;
    int lastHeight = 0;
    bool firstStep = true;
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        const FontSize& size = *sizes[i];
        if (count * size.height + (count - 1) * style.lineSpacing > height && i + 1 != sizes.size())
            continue;
        std::vector<std::pair<Face, std::shared_ptr<GlyphSource>>> faces;
        for (bool condensed : {false, true}) {
            if (condensed && !(order.condensed && size.condensed))
                continue;
            Expected<std::shared_ptr<GlyphSource>> font =
                fonts.open(style.font, size.height, style.bold, condensed);
            if (!font) {
                result.message = font.error();
                return result;
            }
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
        // Spacing 0 and wider on every face of the height before letters touch.
        for (const bool touching : {false, true}) {
            for (const auto& [face, font] : faces) {
                const int from = touching ? tightest : widest;
                const int to = touching ? tightest : std::max(tightest, 0);
                if (touching && tightest >= 0)
                    break;
                for (int spacing = from; spacing >= to; --spacing) {
                    last = TextLayout::measure(lines, *font, spacing, style.lineSpacing);
                    lastHeight = size.height;
                    if (last.width <= width && last.height <= height) {
                        result.fits = true;
                        result.height = size.height;
                        result.condensed = face.condensed;
                        result.letterSpacing = spacing;
                        result.width = last.width;
                        result.step = firstStep ? "fits" : faceName(size, face.condensed);
                        if (spacing < 0 && widest >= 0)
                            result.step += ", spacing " + std::to_string(spacing);
                        result.message = "Fitted at " + std::to_string(size.height) + " px" +
                                         (face.condensed ? " condensed" : "") + ", spacing " +
                                         std::to_string(spacing) + ".";
                        return result;
                    }
                }
                firstStep = false;
            }
        }
        firstStep = false;
    }
    for (char32_t c : wanted)
        if (!found.count(c))
            result.missing.push_back(c);
    if (!result.missing.empty()) {
        result.message = "The font lacks " + characterList(result.missing) + ".";
        return result;
    }
    if (lastHeight == 0) {
        result.message = "No face of \"" + style.font.toStdString() + "\" has every character of the text.";
        return result;
    }
    result.message = "Nothing fits " + sizeText(width, height) + ": at " + std::to_string(lastHeight) +
                     " px with spacing " + std::to_string(tightest) + " the text takes " +
                     sizeText(last.width, last.height) + ".";
    return result;
}

} // namespace vexel
