#pragma once

#include "lettering/TextStyle.h"

#include <QString>

#include <string>

namespace vexel {

class FontList;

struct FitResult {
    bool fits = false;
    int height = 0;        // the font height chosen
    int letterSpacing = 0; // the letter spacing chosen
    int width = 0;         // the widest line at that height and spacing
    std::string message;   // what was chosen, or why nothing fits
};

// Picks the largest height of a font at which a text fits an area: at each
// height, letter spacing is tightened one LED at a time down to the minimum
// before a smaller height is tried. Line spacing and bold stay as set.
class TextFit {
public:
    static FitResult fit(const QString& text, FontList& fonts, const TextStyle& style, int width, int height);
};

} // namespace vexel
