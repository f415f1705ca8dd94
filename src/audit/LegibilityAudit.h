#pragma once

#include "depot/Destination.h"
#include "audit/LegibilityRules.h"
#include "sets/SetLettering.h"
#include "store/SignOverride.h"
#include "store/VehicleSign.h"

#include <QString>
#include <QStringList>

#include <map>
#include <memory>
#include <optional>
#include <tuple>
#include <vector>

namespace vexel {

class FontList;
class GlyphSource;
struct SetContents;

// One way a sign's image misses a rule.
struct LegibilityFinding {
    QString code;  // empty: the sign itself, whatever it shows
    QString sign;
    int page = 0;  // the frame of the image, from 1; 0: the whole image or the sign
    QString rule;
    QString measured;
    QString required;
    // What every image that misses the rule alike shares ("set in Vexel LED
    // Numbers 19 rows", "the sign's layout"); empty when the image itself is
    // the cause (its own text, its own pages).
    QString cause;
    // The measure the images of one cause share, where `measured` also names
    // the image's own text ("\"AB\" touch"); empty: `measured` is shared.
    QString common;

    // "12 front page 2: number-front-rear 152 mm (19 rows × 8 mm), at least 200 mm";
    // a sign's own finding starts with the sign.
    QString line() const;
    // "12 page 2", as an example of its cause.
    QString example() const;
};

// Findings of one cause: one finding, or many images that miss a rule for
// the same reason, said once.
struct LegibilityGroup {
    LegibilityFinding first;
    int count = 1;
    QStringList examples; // the first three images, "12 page 2"

    // The finding's own line when it stands alone; else "front: spacing
    // 1:19 LEDs, at least 1:5: 734 images set in Vexel LED Numbers 19 rows
    // (12 page 1, 37 page 1, B41 page 2)"; `count` is of images, each named
    // once by its first page.
    QString line() const;

    static constexpr int Many = 4;   // images of one cause that are said once
    static constexpr int Examples = 3;
    // Findings in their order, those of a cause shared by `many` images or
    // more made one group where the first of them stood.
    static std::vector<LegibilityGroup> group(const std::vector<LegibilityFinding>& findings, int many = Many);
    // What findings of one group share; empty for a finding that is its own cause.
    static QString causeOf(const LegibilityFinding& finding);
};

// Measures what a sign shows for a destination against a rule set, from the
// faces each page is actually set in:
// - a letter's height is its lit rows times the sign's LED pitch (each LED
//   stands for the pitch it takes up, so 7 rows at 10 mm are 70 mm); the
//   letter is the one the rule names in a Latin text (X or H), an ascending
//   letter (ბ) in a Georgian one, and the text's tallest character when its
//   face lacks that letter (a face of digits only);
// - stroke and width are that letter's commonest run of lit LEDs along a row
//   and its lit columns, against its height;
// - spacing is the narrowest gap of unlit LEDs along a row between two
//   neighbouring letters of a word; letters touch when no unlit LED lies
//   between them along a row or across a corner;
// - times are the simulator's: a frame holds for its duration, a loop is every
//   frame's entry, hold and exit; a one-frame image neither pages nor loops.
// A text is the route number when it reads as the route or the code, else a
// destination (its vias included).
// A sign that cannot meet a height rule at its full height, and a sign
// without a pitch or a place, is reported once by checkSign and not again for
// each destination. Faces and glyph measures are kept once read, so one
// object serves one thread.
class LegibilityAudit {
public:
    LegibilityAudit(LegibilityRules rules, FontList& fonts);

    const LegibilityRules& rules() const { return rules_; }

    std::vector<LegibilityFinding> checkSign(const VehicleSign& sign) const;
    std::vector<LegibilityFinding> check(const VehicleSign& sign, const Destination& destination,
                                         const SignImage& image) const;

    // Sign by sign, as a release goes: the sign's own findings, then each
    // destination in use; images that do not fit are left to the
    // lettering's own report.
    std::vector<LegibilityFinding> checkSet(const SetContents& contents, const SetLettering& lettering) const;

    // What a letter of a face measures, in LEDs.
    struct Letter {
        bool found = false;
        int rows = 0;
        int columns = 0;
        int stroke = 0;
    };
    Letter measure(const TextStyle& face, char32_t letter) const;

private:
    struct Shape;
    struct Face;
    struct TextMeasure;
    struct Shown;
    TextMeasure measureText(const TextBlock& block, char32_t latin, char32_t georgian) const;
    // Each text of the image once, by page.
    static std::vector<Shown> shownTexts(const Destination& destination, const SignImage& image);
    // What a height, stroke, width, spacing, touch or capitals rule finds
    // of one text; nothing when the text keeps the rule.
    std::optional<QString> textFinding(const VehicleSign& sign, const LegibilityRule& rule, Shown& text) const;
    // What the lines, number-gap, lonely-page and via-size rules find of an
    // image, from the texts its lettering records on each page.
    struct PageFinding {
        int page;
        QString measured;
        QString cause;
        QString common; // the measure without the image's own text
    };
    std::vector<PageFinding> layoutFindings(const LegibilityRule& rule, const std::vector<Shown>& shown,
                                            const SignImage& image) const;
    std::optional<QString> linesFinding(const TextBlock& block) const;
    // How lines with no dark row and no spare row between them meet.
    QString meetingLines(const TextBlock& block) const;
    static std::optional<PageFinding> viaLarger(const std::vector<Shown>& shown, const std::vector<LetteredPage>& pages);
    std::optional<QString> numberGap(const LegibilityRule& rule, const TextBlock& number, const TextBlock& text) const;
    Face& face(const TextStyle& style) const;
    const Shape* shape(Face& face, char32_t c) const;
    bool tooSmall(const VehicleSign& sign, const LegibilityRule& rule) const;

    LegibilityRules rules_;
    FontList& fonts_;
    // Faces opened and glyphs measured once, by font, height, bold and condensed.
    mutable std::map<std::tuple<QString, int, bool, bool>, std::shared_ptr<Face>> faces_;
};

} // namespace vexel
