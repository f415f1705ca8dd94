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
    EXPECT_EQ(fit(QStringLiteral("W\nW\nW\nW")).message,
              "Nothing fits 96 x 24: at 7 px with spacing -1 the text takes 7 x 28.");
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
    EXPECT_EQ(p.blocks[0].area, (FrameRect{0, 0, 96, 12}));
    EXPECT_EQ(p.blocks[1].area, (FrameRect{0, 12, 96, 13}));
    EXPECT_EQ(p.blocks[0].style.height, 11);
    EXPECT_EQ(p.blocks[1].style.height, 7); // nine squares of 11 need 107
    EXPECT_EQ(p.message, "Upper line at 11 px, spacing 0, lower line at 7 px, spacing 0.");
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
}

// The fonts we ship, in the commonest board.
TEST(ProjectFontFit, RouteSignsIn96x24)
{
    FontList fonts(lettering_test::projectFonts());
    TextStyle style;
    style.font = QStringLiteral("Vexel LED");
    const FitResult number = TextFit::fit(QStringLiteral("12"), fonts, style, 96, 24);
    EXPECT_EQ(number.height, 22);
    const FitResult line = TextFit::fit(QStringLiteral("12 AIRPORT"), fonts, style, 96, 24);
    EXPECT_EQ(line.height, 11);
    const FitResult longLine = TextFit::fit(QStringLiteral("AIRPORT - RUSTAVELI"), fonts, style, 96, 24);
    EXPECT_EQ(longLine.height, 7);

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
