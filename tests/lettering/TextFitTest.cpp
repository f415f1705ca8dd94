#include "LetteringTestSupport.h"

#include "lettering/SignPresets.h"
#include "lettering/TextFit.h"
#include "lettering/TextLayout.h"

#include <gtest/gtest.h>

using namespace vexel;
using lettering_test::writeFile;

namespace {

// A family of square glyphs drawn at 7, 11 and 16 rows. With the enlarged
// sizes it is offered at 7, 11, 14, 16, 21, 22 ... rows; a W at height h is
// h wide and moves the pen h + 1 (enlarged: the native advance times the
// scale).
class SquareFamily : public ::testing::Test {
protected:
    SquareFamily()
    {
        for (int h : {7, 11, 16})
            writeFile(dir.filePath(QStringLiteral("sq%1.vfont").arg(h)), lettering_test::squareFont("Square", h));
        FontList::Places places;
        places.ledFontFolders << dir.path();
        places.systemFonts = false;
        fonts = std::make_unique<FontList>(places);
        style.font = QStringLiteral("Square");
    }

    FitResult fit(const QString& text, int w = 96, int h = 24) { return TextFit::fit(text, *fonts, style, w, h); }

    QTemporaryDir dir;
    std::unique_ptr<FontList> fonts;
    TextStyle style;
};

TEST_F(SquareFamily, ChoosesTheLargestHeightThatFits)
{
    const struct {
        const char* text;
        bool fits;
        int height;
        int spacing;
    } cases[] = {
        {"WW", true, 22, 0},          // 11 x 2: 46 wide
        {"WWWWW", true, 16, 0},       // 22 and 21 need 114 and 113 even at spacing -1; 16 takes 84
        {"WWWWWW", true, 16, -1},     // 101 at spacing 0, 96 at -1: tighter before smaller
        {"WWWWWWW", true, 11, 0},     // 16 needs 112, 14 needs 104; 11 takes 83
        {"WWWWWWWWWWW", true, 7, 0},  // 11 needs 121; 7 takes 87
        {"WWWWWWWWWWWWW", true, 7, -1}, // 103 at spacing 0, 91 at -1
        {"WWWWWWWWWWWWWW", false, 0, 0},
        {"WW\nWW", true, 11, 0},      // two lines: 16 + 16 rows do not fit 24
    };
    for (const auto& c : cases) {
        const FitResult r = fit(QString::fromUtf8(c.text));
        EXPECT_EQ(r.fits, c.fits) << c.text << ": " << r.message;
        if (!c.fits)
            continue;
        EXPECT_EQ(r.height, c.height) << c.text;
        EXPECT_EQ(r.letterSpacing, c.spacing) << c.text;
        EXPECT_EQ(r.message, "Fitted at " + std::to_string(c.height) + " px, spacing " + std::to_string(c.spacing) + ".");
        // What Fit promises is what the layout then draws.
        TextStyle chosen = style;
        chosen.height = r.height;
        chosen.letterSpacing = r.letterSpacing;
        auto font = fonts->open(style.font, r.height, false);
        ASSERT_TRUE(font.ok());
        EXPECT_FALSE(TextLayout::render(QString::fromUtf8(c.text), **font, chosen, 96, 24).overflow) << c.text;
    }
}

TEST_F(SquareFamily, SaysWhyNothingFits)
{
    EXPECT_EQ(fit(QStringLiteral("WWWWWWWWWWWWWW")).message,
              "Nothing fits 96 x 24: at 7 px with spacing -1 the text takes 98 x 7.");
    // Four lines of 7 and a dark row between each: 31 rows.
    EXPECT_EQ(fit(QStringLiteral("W\nW\nW\nW")).message,
              "Nothing fits 96 x 24: at 7 px with spacing -1 the text takes 7 x 31.");
    EXPECT_EQ(fit(QStringLiteral("  \n ")).message, "There is no text to fit.");
    style.font = QStringLiteral("Gone");
    EXPECT_EQ(fit(QStringLiteral("W")).message, "The font \"Gone\" is not installed.");
}

TEST_F(SquareFamily, StartsFromTheSpacingSetAndKeepsLineSpacing)
{
    style.letterSpacing = 2;
    const FitResult wide = fit(QStringLiteral("WW"));
    EXPECT_EQ(wide.height, 22);
    EXPECT_EQ(wide.letterSpacing, 2);

    style.lineSpacing = 3; // 11 + 3 + 11 rows: too tall, so 7
    const FitResult lines = fit(QStringLiteral("W\nW"));
    EXPECT_EQ(lines.height, 7);
}

TEST_F(SquareFamily, MissingCharactersTakeRoomAndAreListed)
{
    // No face of the family has the character: the text does not fit, and
    // the reason names it. The layout still draws it as a box.
    const FitResult r = fit(QStringLiteral("W\u00E9W"), 40, 11);
    EXPECT_FALSE(r.fits);
    EXPECT_EQ(r.missing, std::vector<char32_t>{0x00E9});
    EXPECT_EQ(r.message, "The font lacks \u00E9 (U+00E9).");
    auto font = fonts->open(style.font, 11, false);
    ASSERT_TRUE(font.ok());
    TextStyle s = style;
    s.height = 11;
    const Lettering l = TextLayout::render(QStringLiteral("W\u00E9W\u00E9"), **font, s, 40, 11);
    EXPECT_EQ(l.missing, std::vector<char32_t>{0x00E9});
}

TEST_F(SquareFamily, NumberAndDestinationPreset)
{
    style.letterSpacing = 1;
    const PresetLayout p = SignPresets::numberAndDestination(QStringLiteral("WW"), QStringLiteral("WWW WWW"), *fonts,
                                                             style, 96, 24);
    ASSERT_EQ(p.blocks.size(), 2u) << p.message;
    EXPECT_TRUE(p.fits);
    // The number at full height, as wide as it is drawn.
    EXPECT_EQ(p.blocks[0].style.height, 22);
    EXPECT_EQ(p.blocks[0].area, (FrameRect{0, 0, 47, 24}));
    // The rest, after a gap of 3: one line would need 7 rows; two lines of 11 fit.
    EXPECT_EQ(p.blocks[1].area, (FrameRect{50, 0, 46, 24}));
    EXPECT_EQ(p.blocks[1].text, QStringLiteral("WWW\nWWW"));
    EXPECT_EQ(p.blocks[1].style.height, 11);
    EXPECT_EQ(p.message, "Number at 22 px, destination on two lines at 11 px, spacing 1.");
    const Lettering l = TextLayout::renderBlocks(p.blocks, *fonts, 96, 24);
    EXPECT_FALSE(l.overflow);

    const PresetLayout single = SignPresets::numberAndDestination(QStringLiteral("W"), QStringLiteral("WW"), *fonts,
                                                                  style, 96, 24);
    ASSERT_EQ(single.blocks.size(), 2u);
    EXPECT_EQ(single.blocks[1].text, QStringLiteral("WW"));
    EXPECT_EQ(single.blocks[1].style.height, 22);

    const PresetLayout numberOnly =
        SignPresets::numberAndDestination(QStringLiteral("WW"), QString(), *fonts, style, 96, 24);
    ASSERT_EQ(numberOnly.blocks.size(), 1u);
    EXPECT_EQ(numberOnly.blocks[0].area, (FrameRect{0, 0, 96, 24}));

    const PresetLayout tooWide = SignPresets::numberAndDestination(
        QStringLiteral("WW"), QStringLiteral("WWWWWWWWWWWWWWWWWWWWW"), *fonts, style, 96, 24);
    EXPECT_FALSE(tooWide.fits);
    ASSERT_EQ(tooWide.blocks.size(), 2u);
    EXPECT_EQ(tooWide.blocks[1].style.height, 7);
    EXPECT_NE(tooWide.message.find("the destination does not fit"), std::string::npos) << tooWide.message;
}

TEST_F(SquareFamily, TwoLinesPreset)
{
    const PresetLayout p =
        SignPresets::twoLines(QStringLiteral("WW"), QStringLiteral("WWWWWWWWW"), *fonts, style, 96, 25);
    ASSERT_EQ(p.blocks.size(), 2u);
    EXPECT_TRUE(p.fits);
    // 18 rows of 25 lit: two spare rows between the lines, the rest
    // above and below.
    EXPECT_EQ(p.blocks[0].area, (FrameRect{0, 2, 96, 11}));
    EXPECT_EQ(p.blocks[1].area, (FrameRect{0, 15, 96, 7}));
    EXPECT_EQ(p.blocks[0].style.height, 11);
    EXPECT_EQ(p.blocks[1].style.height, 7); // nine squares of 11 need 107
    EXPECT_EQ(p.message, "Upper line at 11 px, spacing 0, lower line at 7 px, spacing 0.");
}

// Squares: "WW" is 23 wide at 11 rows, 15 at 7; "WW WW" 35 at 7. A page
// holds two lines where two fit the height (11 and 7 in 24, 7 in 16).
TEST_F(SquareFamily, PagesTakeTheFewestThenTheLargestFace)
{
    struct Case {
        const char* text;
        int width;
        int height;
        int face;
        std::vector<QString> pages;
        const char* step;
    };
    const Case cases[] = {
        // One line a page would take six pages at 16 rows; 7 rows need two.
        {"WW WW WW WW WW WW", 40, 24, 7, {"WW WW\nWW WW", "WW WW"}, "2 pages"},
        // Two pages at 11 and at 7: the larger.
        {"WW WW WW", 30, 24, 11, {"WW\nWW", "WW"}, "2 pages"},
        // Three one-line pages at 14 rows, two of two lines at 7.
        {"WW WW WW", 30, 16, 7, {"WW\nWW", "WW"}, "2 pages"},
        // No face of 13 rows takes two lines: one line a page.
        {"WW WW", 30, 13, 11, {"WW", "WW"}, "2 pages"},
        {"WW WW", 40, 24, 11, {"WW\nWW"}, "two lines"},
    };
    for (const Case& c : cases) {
        const PageFit fit = TextFit::pages(QString::fromUtf8(c.text), *fonts, style, c.width, c.height);
        ASSERT_TRUE(fit.fits) << c.text << ": " << fit.face.message;
        EXPECT_EQ(fit.face.height, c.face) << c.text << " in " << c.width << " x " << c.height;
        EXPECT_EQ(fit.pages, c.pages) << c.text << " in " << c.width << " x " << c.height;
        EXPECT_EQ(fit.face.step, c.step) << c.text;
    }
    // The pages asked for are the most: the fewest of every face count.
    const PageFit two = TextFit::pages(QStringLiteral("WW WW WW WW WW WW"), *fonts, style, 40, 24, {}, 2);
    EXPECT_TRUE(two.fits);
    const PageFit one = TextFit::pages(QStringLiteral("WW WW WW WW WW WW"), *fonts, style, 40, 24, {}, 1);
    EXPECT_FALSE(one.fits);
    EXPECT_TRUE(one.tooMany);
}

TEST(SignPresets, SplitsOneTextIntoTwo)
{
    using Pair = std::pair<QString, QString>;
    EXPECT_EQ(SignPresets::splitNumber(QStringLiteral(" 12  აეროპორტი\nთბილისი ")),
              Pair(QStringLiteral("12"), QStringLiteral("აეროპორტი თბილისი")));
    EXPECT_EQ(SignPresets::splitNumber(QStringLiteral("12")), Pair(QStringLiteral("12"), QString()));
    EXPECT_EQ(SignPresets::splitLines(QStringLiteral("Upper\nLower part")),
              Pair(QStringLiteral("Upper"), QStringLiteral("Lower part")));
    EXPECT_EQ(SignPresets::splitLines(QStringLiteral("aa bbbb cc dd")),
              Pair(QStringLiteral("aa bbbb"), QStringLiteral("cc dd")));
    EXPECT_EQ(SignPresets::splitLines(QStringLiteral("Airport")), Pair(QStringLiteral("Airport"), QString()));
    // After a hyphen inside a word, the most even; never at a dash.
    const std::pair<const char*, Pair> hyphens[] = {
        {"B44-SBS", {QStringLiteral("B44-"), QStringLiteral("SBS")}},
        {"A-B-CDEF", {QStringLiteral("A-B-"), QStringLiteral("CDEF")}},
        {" Vake - Didube ", {QStringLiteral("Vake - Didube"), QString()}},
        {"-B44-", {QStringLiteral("-B44-"), QString()}},
        {"Airport", {QStringLiteral("Airport"), QString()}},
    };
    for (const auto& [text, split] : hyphens)
        EXPECT_EQ(SignPresets::splitAtHyphen(QString::fromUtf8(text)), split) << text;
}

TEST(ProjectFontFit, ARouteNumberTooWideBreaksAfterItsHyphen)
{
    FontList fonts(lettering_test::projectFonts());
    TextStyle style;
    style.font = QStringLiteral("Vexel LED");
    struct Case {
        const char* number;
        int width;
        const char* lettered;
        const char* step;
    };
    // The number takes at most half of the width beside a destination.
    const Case cases[] = {
        {"B44-SBS", 48, "B44-\nSBS", "hyphen break"},
        {"B44-SBS", 160, "B44-SBS", nullptr}, // on one line, whichever face
        {"B44", 48, "B44", nullptr},
    };
    for (const Case& c : cases) {
        const PresetLayout p = SignPresets::numberAndDestination(QString::fromUtf8(c.number), QStringLiteral("Vake"),
                                                                 fonts, style, c.width, 16);
        ASSERT_TRUE(p.fits) << c.number << ": " << p.message;
        EXPECT_EQ(p.blocks[0].text, QString::fromUtf8(c.lettered)) << c.number << " in " << c.width;
        if (c.step) {
            EXPECT_EQ(p.steps[0], c.step) << c.number << " in " << c.width;
        }
        EXPECT_FALSE(TextLayout::renderBlocks(p.blocks, fonts, c.width, 16).overflow) << c.number;
    }
}

// The fonts we ship, in the commonest board.
TEST(ProjectFontFit, RouteSignsIn96x24)
{
    FontList fonts(lettering_test::projectFonts());
    TextStyle style;
    style.font = QStringLiteral("Vexel LED");
    // The family's heights from the tallest down, each regular then condensed,
    // then with letters touching; enlarged faces only where the order takes
    // them.
    FitOrder native;
    native.doubled = false;
    FitOrder apart = native;
    apart.tightSpacing = false;
    struct Case {
        const char* text;
        FitOrder order;
        const char* step;
    };
    for (const Case& c : {Case{"12", FitOrder{}, "fits"}, Case{"12 AIRPORT", FitOrder{}, "condensed 22 (11 x 2)"},
                          Case{"12 AIRPORT", native, "fits"}, Case{"AIRPORT - RUSTAVELI", FitOrder{}, "condensed 11"},
                          Case{"37 დიდუბე - Didube", native, "condensed 11"},
                          Case{"Rustaveli - Vake - Saburtalo", native, "condensed 7, spacing -1"}}) {
        const FitResult r = TextFit::fit(QString::fromUtf8(c.text), fonts, style, 96, 24, c.order);
        EXPECT_TRUE(r.fits) << c.text << ": " << r.message;
        EXPECT_EQ(r.step, c.step) << c.text << ": " << r.message;
    }
    EXPECT_EQ(TextFit::fit(QStringLiteral("12"), fonts, style, 96, 24, native).height, 16);
    EXPECT_EQ(TextFit::fit(QStringLiteral("12"), fonts, style, 96, 24).height, 22);
    EXPECT_FALSE(TextFit::fit(QStringLiteral("Rustaveli - Vake - Saburtalo"), fonts, style, 96, 24, apart).fits);

    const PresetLayout sign = SignPresets::numberAndDestination(QStringLiteral("12"), QStringLiteral("აეროპორტი"),
                                                                fonts, style, 96, 24);
    ASSERT_EQ(sign.blocks.size(), 2u);
    EXPECT_TRUE(sign.fits) << sign.message;
    EXPECT_EQ(sign.blocks[0].style.height, 22);
    EXPECT_GE(sign.blocks[1].style.height, 7);
    const Lettering l = TextLayout::renderBlocks(sign.blocks, fonts, 96, 24);
    EXPECT_FALSE(l.overflow);
    EXPECT_TRUE(l.missing.empty());
}

} // namespace

namespace {

// A face whose W is `w` LEDs wide at `h` rows; `extra` adds glyphs only this
// face has.
std::string stepFace(const std::string& family, int h, int w, const std::string& header,
                     const std::vector<char32_t>& extra = {})
{
    std::string text = "family " + family + "\nheight " + std::to_string(h) + "\n" + header;
    auto glyph = [&](char32_t c, int width, char lit) {
        char head[32];
        std::snprintf(head, sizeof head, "glyph U+%04X\n", static_cast<unsigned>(c));
        text += head;
        for (int y = 0; y < h; ++y)
            text += std::string(static_cast<std::size_t>(width), lit) + "\n";
    };
    glyph(U'W', w, '#');
    glyph(U' ', 2, '.');
    for (char32_t c : extra)
        glyph(c, 2, '#');
    return text;
}

// "Step" at 6 and 9 rows, each with a condensed face: W advances 10 (9
// regular), 8 (9 condensed), 7 (6 regular) and 5 (6 condensed). "ж" is
// only in the regular 6. "Step Numbers" is bold only, at 8 rows.
class FaceOrder : public ::testing::Test {
protected:
    FaceOrder()
    {
        writeFile(dir.filePath(QStringLiteral("s9.vfont")), stepFace("Step", 9, 9, ""));
        writeFile(dir.filePath(QStringLiteral("s9c.vfont")), stepFace("Step", 9, 7, "width condensed\n"));
        writeFile(dir.filePath(QStringLiteral("s6.vfont")), stepFace("Step", 6, 6, "baseline 5\n", {0x436}));
        writeFile(dir.filePath(QStringLiteral("s6c.vfont")), stepFace("Step", 6, 4, "width condensed\n"));
        writeFile(dir.filePath(QStringLiteral("n8.vfont")), stepFace("Step Numbers", 8, 5, "style bold\n"));
        FontList::Places places;
        places.ledFontFolders << dir.path();
        places.systemFonts = false;
        fonts = std::make_unique<FontList>(places);
        style.font = QStringLiteral("Step");
    }

    FitResult fit(const QString& text, int w, int h, FitOrder order)
    {
        return TextFit::fit(text, *fonts, style, w, h, order);
    }

    QTemporaryDir dir;
    std::unique_ptr<FontList> fonts;
    TextStyle style;
};

TEST_F(FaceOrder, RegularThenCondensedThenTheNextHeightDown)
{
    FitOrder order;
    order.tightSpacing = false;
    const struct {
        int ws;
        const char* step;
        int height;
        bool condensed;
    } cases[] = {
        {6, "fits", 9, false},         // 59 of 60
        {7, "condensed 9", 9, true},   // 69 regular, 55 condensed
        {8, "6 rows", 6, false},       // 63 condensed 9, 55 at 6 rows
        {9, "condensed 6", 6, true},   // 62 at 6 rows, 44 condensed
        {12, "condensed 6", 6, true},  // 59
    };
    for (const auto& c : cases) {
        const FitResult r = fit(QString(c.ws, QLatin1Char('W')), 60, 9, order);
        ASSERT_TRUE(r.fits) << c.ws << ": " << r.message;
        EXPECT_EQ(r.step, c.step) << c.ws;
        EXPECT_EQ(r.height, c.height) << c.ws;
        EXPECT_EQ(r.condensed, c.condensed) << c.ws;
        EXPECT_EQ(r.letterSpacing, 0) << c.ws;
        // The face chosen is the face the layout draws with.
        auto font = fonts->open(style.font, r.height, false, r.condensed);
        ASSERT_TRUE(font.ok());
        EXPECT_EQ(TextLayout::measure(TextLayout::lines(QString(c.ws, QLatin1Char('W'))), **font, 0, 0).width,
                  r.width);
    }
    const FitResult tooLong = fit(QString(13, QLatin1Char('W')), 60, 9, order);
    EXPECT_FALSE(tooLong.fits);
    EXPECT_EQ(tooLong.message, "Nothing fits 60 x 9: at 6 px with spacing 0 the text takes 64 x 6.");

    // Where the order allows spacing -1, a height tries it on both faces
    // before the next height down.
    const FitResult tight = fit(QString(8, QLatin1Char('W')), 60, 9, FitOrder{});
    EXPECT_EQ(tight.step, "condensed 9, spacing -1");
    EXPECT_EQ(tight.letterSpacing, -1);
    EXPECT_EQ(fit(QString(13, QLatin1Char('W')), 60, 9, FitOrder{}).step, "condensed 6, spacing -1");

    // Without condensed faces the order goes straight down.
    FitOrder plain = order;
    plain.condensed = false;
    EXPECT_EQ(fit(QString(7, QLatin1Char('W')), 60, 9, plain).step, "6 rows");
}

TEST_F(FaceOrder, DoubledFacesOnlyWhereAsked)
{
    FitOrder order;
    order.tightSpacing = false;
    EXPECT_EQ(fit(QStringLiteral("WWW"), 60, 18, order).height, 18); // 9 x 2
    const FitResult four = fit(QStringLiteral("WWWW"), 60, 18, order);
    EXPECT_EQ(four.step, "12 rows (6 x 2)");
    order.doubled = false;
    const FitResult native = fit(QStringLiteral("WWW"), 60, 18, order);
    EXPECT_EQ(native.height, 9);
    EXPECT_EQ(native.step, "fits");
}

TEST_F(FaceOrder, ACharacterGoesToTheFaceThatHasIt)
{
    const FitResult r = fit(QStringLiteral("W\u0436"), 60, 9, FitOrder{});
    ASSERT_TRUE(r.fits) << r.message;
    EXPECT_EQ(r.height, 6);
    EXPECT_FALSE(r.condensed);
    EXPECT_EQ(r.step, "6 rows");

    const FitResult none = fit(QStringLiteral("W\u20AC\u0436\u20AC"), 60, 9, FitOrder{});
    EXPECT_FALSE(none.fits);
    EXPECT_EQ(none.missing, std::vector<char32_t>{0x20AC});
    EXPECT_EQ(none.message, "The font lacks \u20AC (U+20AC).");
}

TEST_F(FaceOrder, PresetsTakeANumberFont)
{
    PresetOptions options;
    options.numberFont = QStringLiteral("Step Numbers");
    const PresetLayout p = SignPresets::numberAndDestination(QStringLiteral("WW"), QStringLiteral("WWWWWW"), *fonts,
                                                             style, 60, 9, options);
    ASSERT_EQ(p.blocks.size(), 2u) << p.message;
    EXPECT_TRUE(p.fits) << p.message;
    EXPECT_EQ(p.blocks[0].style.font, QStringLiteral("Step Numbers"));
    EXPECT_EQ(p.blocks[0].style.height, 8);
    EXPECT_EQ(p.blocks[0].area, (FrameRect{0, 0, 11, 9}));
    EXPECT_EQ(p.blocks[1].style.font, QStringLiteral("Step"));
    ASSERT_EQ(p.steps.size(), 2u);
    // 46 wide after the number's 11 and a gap of 3: 59 regular, 47
    // condensed, 42 condensed at spacing -1.
    EXPECT_EQ(p.steps[1], "condensed 9, spacing -1");
    EXPECT_EQ(p.blocks[1].style.condensed, true);
    EXPECT_EQ(p.message, "Number at 8 px, destination on one line at 9 px condensed, spacing -1.");
    const Lettering l = TextLayout::renderBlocks(p.blocks, *fonts, 60, 9);
    EXPECT_TRUE(l.error.empty()) << l.error;
    EXPECT_FALSE(l.overflow);
    // The bold-only family is drawn bold without asking.
    EXPECT_TRUE(l.bitmap.lit(0, 0));

    // Without a number font the number is in the text's font.
    const PresetLayout same = SignPresets::numberAndDestination(QStringLiteral("WW"), QStringLiteral("WWWW"), *fonts,
                                                                style, 60, 9);
    ASSERT_FALSE(same.blocks.empty());
    EXPECT_EQ(same.blocks[0].style.font, QStringLiteral("Step"));
    EXPECT_EQ(same.blocks[0].style.height, 9);
}

} // namespace
