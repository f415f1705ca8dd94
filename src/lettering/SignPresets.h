#pragma once

#include "lettering/TextFit.h"
#include "lettering/TextStyle.h"

#include <QString>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace vexel {

class FontList;

// One part of a preset as it was fitted: the facts its line for the
// operator is made of, so that line can be worded in any language.
struct PresetPart {
    enum class Role { Number, Destination, UpperLine, LowerLine };
    Role role = Role::Destination;
    FitResult fit; // height, face and spacing, or why it does not fit
    int lines = 1; // the destination's lines as chosen
};

// The blocks a preset fills in, with areas relative to the target, and a
// line for the operator on what was chosen.
struct PresetLayout {
    std::vector<TextBlock> blocks;
    std::vector<std::string> steps; // the fitting step of each block, as FitResult::step
    std::vector<char32_t> missing;  // characters no face of the order has
    bool fits = false;
    std::string message;            // in English, as the command line prints it
    std::vector<PresetPart> parts;  // what `message` tells, in its order; none: no text
    bool linesTouch = false;        // two lines that fit alone touch at every face
};

// What a layout asks of the presets beyond the base style.
struct PresetOptions {
    QString numberFont; // the route number's font; empty: the base style's
    FitOrder order;
};

// The commonest route-sign layouts. They only choose fonts sizes, spacing,
// alignment and areas; the texts stay as given.
class SignPresets {
public:
    // The route number at the left at the largest height that fits the full
    // height (and at most half the width), the destination fitted to the
    // rest on one line, or on two when that allows a larger height. The
    // destination keeps a gap from the number of at least a space of its
    // face and MinNumberGap LEDs.
    static PresetLayout numberAndDestination(const QString& number, const QString& destination, FontList& fonts,
                                             const TextStyle& base, int width, int height,
                                             const PresetOptions& options = {});

    // One text by the order; a single line that fits no face then on two
    // lines at a space ("two lines"), then after a hyphen ("hyphen break").
    static LineFit fitOneText(const QString& text, FontList& fonts, const TextStyle& style, int width, int height,
                              const FitOrder& order = {});

    // Two texts, each fitted to its half of the height.
    static PresetLayout twoLines(const QString& upper, const QString& lower, FontList& fonts,
                                 const TextStyle& base, int width, int height, const PresetOptions& options = {});

    // One text as a preset's two texts: the first word and the rest.
    static std::pair<QString, QString> splitNumber(const QString& text);
    // One text as two lines: its first line and the rest, or a single line
    // split at the space that makes the halves most even in characters,
    // where that is no poor break (see LineBreaks).
    static std::pair<QString, QString> splitLines(const QString& text,
                                                  const std::vector<QString>& keepTogether = {});
    // A single line as two after the hyphen inside a word that makes the
    // halves most even, the hyphen kept ("B44-" and "SBS"); the whole text
    // and nothing when it has no such hyphen.
    static std::pair<QString, QString> splitAtHyphen(const QString& text);

    // The gap between the route number and the destination where the
    // destination has room to spare; never less than MinNumberGap nor a
    // space of the destination's face.
    static int numberGap(int height);
    static constexpr int MinNumberGap = 3;
    // The least gap a destination keeps from the number on a sign of
    // `height` rows (FitOrder::leadGap): the usual gap, and MinNumberGap.
    static int leadGap(int height) { return std::max(MinNumberGap, numberGap(height)); }
};

} // namespace vexel
