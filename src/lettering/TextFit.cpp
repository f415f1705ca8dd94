#include "lettering/TextFit.h"

#include "lettering/FontList.h"
#include "lettering/TextLayout.h"

#include <algorithm>

namespace vexel {

namespace {

std::string sizeText(int width, int height) { return std::to_string(width) + " x " + std::to_string(height); }

} // namespace

FitResult TextFit::fit(const QString& text, FontList& fonts, const TextStyle& style, int width, int height)
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

    // The smallest attempt, for the message when nothing fits.
    TextExtent last;
    int lastHeight = 0;
    for (auto size = info->sizes.rbegin(); size != info->sizes.rend(); ++size) {
        if (count * size->height + (count - 1) * style.lineSpacing > height && size + 1 != info->sizes.rend())
            continue;
        Expected<std::shared_ptr<GlyphSource>> font = fonts.open(style.font, size->height, style.bold);
        if (!font) {
            result.message = font.error();
            return result;
        }
        for (int spacing = widest; spacing >= TextStyle::MinLetterSpacing; --spacing) {
            last = TextLayout::measure(lines, **font, spacing, style.lineSpacing);
            lastHeight = size->height;
            if (last.width <= width && last.height <= height) {
                result.fits = true;
                result.height = size->height;
                result.letterSpacing = spacing;
                result.width = last.width;
                result.message = "Fitted at " + std::to_string(size->height) + " px, spacing " +
                                 std::to_string(spacing) + ".";
                return result;
            }
        }
    }
    result.message = "Nothing fits " + sizeText(width, height) + ": at " + std::to_string(lastHeight) +
                     " px with spacing " + std::to_string(TextStyle::MinLetterSpacing) + " the text takes " +
                     sizeText(last.width, last.height) + ".";
    return result;
}

} // namespace vexel
