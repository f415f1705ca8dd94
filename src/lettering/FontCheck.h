#pragma once

#include "lettering/LedFont.h"

#include <string>
#include <utility>
#include <vector>

namespace vexel {

// What a face covers and where it is drawn badly, for `vexel font check`
// and the font tests.
struct FontCheckReport {
    struct Coverage {
        std::string name; // "ASCII", "Georgian", "punctuation", "route numbers"
        int wanted = 0;
        std::vector<char32_t> lacking;
    };
    std::vector<Coverage> coverage;
    std::vector<char32_t> empty;                            // no lit LED, other than space
    std::vector<std::pair<char32_t, char32_t>> duplicates; // the same bitmap, lower code point first
    // Georgian letters whose lowest LED is above the baseline, or above the
    // row over it for the bodies of a face whose tails take its last row.
    std::vector<char32_t> floating;
    // Georgian letters that differ in one LED, or only in blank columns at
    // their sides: on a board they read as one letter. Lower code point first.
    std::vector<std::pair<char32_t, char32_t>> alike;

    bool complete() const;  // every set covered
    bool clean() const { return empty.empty() && duplicates.empty() && floating.empty() && alike.empty(); }
};

class FontCheck {
public:
    // Printable ASCII, U+0020-U+007E.
    static const std::vector<char32_t>& ascii();
    // The 33 letters of modern Georgian, U+10D0-U+10F0.
    static const std::vector<char32_t>& georgian();
    // The signs beyond ASCII that sign texts in both scripts use.
    static const std::vector<char32_t>& punctuation();
    // What a route-number face draws: 0-9, A-Z, x, - / . ( ) and space.
    static const std::vector<char32_t>& routeNumbers();

    // A face of a family named "... Numbers" draws route numbers only.
    static bool isNumberFace(const LedFont& font);

    // The sets of the face's kind, or all three text sets with `allSets`.
    static FontCheckReport check(const LedFont& font, bool allSets = false);
};

} // namespace vexel
