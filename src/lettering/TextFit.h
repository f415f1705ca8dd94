#pragma once

#include "lettering/TextStyle.h"

#include <QString>

#include <limits>

#include <string>
#include <vector>

namespace vexel {

class FontList;
class GlyphSource;

// How far the fitting order may go beyond the font's own faces, and what
// else the caller asks of the fit.
struct FitOrder {
    bool condensed = true;    // the condensed face of a height, after its regular one
    bool doubled = true;      // enlarged faces (each LED a 2 x 2, 3 x 3 ... block)
    bool tightSpacing = true; // letter spacing down to -1, where letters touch
    // Lines and pages broken as a whole, most evenly (LineBreaks); false
    // fills them greedily as before, to compare against.
    bool balanced = true;
    // The tallest face the text may take; 0 for any.
    int maxHeight = 0;
    // A gap kept dark before the text, after a route number: at least this
    // many LEDs and at least a space of the text's face; 0 for none.
    int leadGap = 0;
    // Phrases not to split between lines or pages where any fit avoids it
    // ("Sheepshead Bay"); a set's list.
    std::vector<QString> keepTogether;
};

// Why a text does not fit, as the facts a sentence in any language is made
// of; FitResult::message says the same in English.
struct NoFitReason {
    enum class Kind {
        None,              // it fits
        NoText,
        FontNotInstalled,  // `font`
        FontUnreadable,    // a face of the font cannot be opened; the message says why
        MissingCharacters, // FitResult::missing
        NoCompleteFace,    // each character is in some face of `font`, no face has them all
        TooLarge,          // even the smallest try takes more than the area
        TooManyPages,      // more than `pages`
    };
    Kind kind = Kind::None;
    QString font;
    int areaWidth = 0; // TooLarge: the area, the smallest face tried, its
    int areaHeight = 0; // spacing and what the text took there
    int triedHeight = 0;
    int triedSpacing = 0;
    int takesWidth = 0;
    int takesHeight = 0;
    int pages = 0;

    static NoFitReason of(Kind kind, const QString& font = {})
    {
        NoFitReason why;
        why.kind = kind;
        why.font = font;
        return why;
    }
};

struct FitResult {
    bool fits = false;
    int height = 0;         // the font height chosen
    bool condensed = false; // the condensed face of that height
    int letterSpacing = 0;  // the letter spacing chosen
    int width = 0;          // the widest line at that height and spacing
    int lineSpacing = 0;    // between the lines of a text of several (see TextLayout::stack)
    int lead = 0;           // the gap before the text, where the order asks for one
    std::string step;       // the step of the order that fits: "fits", "condensed 11", "7 rows" ...
    std::vector<char32_t> missing; // characters no face of the order has
    std::string message;    // what was chosen, or why nothing fits
    NoFitReason whyNot;     // why nothing fits
};

// Fits a text to an area by one order, shared by the Text panel, its presets
// and route sets: from the font's largest height that the lines fit down,
// at each height the regular face, then the condensed face, each with the
// letter spacing tightened one LED at a time down to 0; then both again at
// spacing -1 where the order allows it; then the next height down. A face
// that lacks a character of the text is passed over; a character no face
// has makes the text not fit. Line spacing and bold stay as set.
// A text too long for one line or two as pages, all at one face. A page
// holds one line, or two where two fit the height at that face without
// touching. The text is broken as LineBreaks says: of the faces of the
// order those with the fewest pages, then the fewest poor breaks, then the
// fewest breaks inside words are kept, and of them the largest. Without
// FitOrder::balanced it is filled greedily as before: at " - ", then ", ",
// then spaces, then after the hyphens inside a word.
struct PageFit {
    bool fits = false;
    bool tooMany = false; // more than the pages asked for at every face
    std::vector<QString> pages;
    std::vector<int> lineSpacing; // each page's, for its lines
    int lines = 1;  // the most lines on a page
    FitResult face; // step "3 pages"; the message says why not when it does not fit
};

// One text fitted by the order and then by its line breaks, and the text
// as it fitted (with the line break it was given).
struct LineFit {
    FitResult fit;
    QString text;
};

class TextFit {
public:
    static constexpr const char* TwoLinesStep = "two lines";
    // Two lines where the break is after a hyphen ("B44-" / "SBS").
    static constexpr const char* HyphenStep = "hyphen break";
    // Added to the step when a set's abbreviations made the text fit.
    static constexpr const char* AbbreviatedSuffix = ", abbreviated";

    static FitResult fit(const QString& text, FontList& fonts, const TextStyle& style, int width, int height,
                         const FitOrder& order = {});

    static PageFit pages(const QString& text, FontList& fonts, const TextStyle& style, int width, int height,
                         const FitOrder& order = {}, int maxPages = std::numeric_limits<int>::max());

    // A one-line text on two lines, broken as pages are (one page of two
    // lines): "two lines", or "hyphen break" where a word breaks after its
    // hyphen. Does not fit where no face takes it on two lines.
    static LineFit twoLines(const QString& text, FontList& fonts, const TextStyle& style, int width, int height,
                            const FitOrder& order = {});

    // The gap the order asks for before a text in this face (FitOrder::leadGap).
    static int lead(GlyphSource& font, const FitOrder& order);

    // "3 pages"; one page is "fits".
    static std::string pageStep(int pages);
    // How far along the order a step is, to show the furthest of several:
    // "fits" 0, then the faces from the largest down, "two lines", "hyphen
    // break", pages; any step abbreviated after every one that is not.
    static int stepRank(const std::string& step);

    // "é (U+00E9), ж (U+0436)".
    static std::string characterList(const std::vector<char32_t>& characters);

private:
    static constexpr int MaxRank = 400;
};

} // namespace vexel
