#include "LetteringTestSupport.h"

#include "lettering/TextLayout.h"

#include <gtest/gtest.h>

#include <QFileInfo>

using namespace vexel;
using lettering_test::rows;
using Rows = std::vector<std::string>;

namespace {

class TextLayoutTest : public ::testing::Test {
protected:
    TextLayoutTest() : fonts(lettering_test::projectFonts()) {}

    GlyphSource& led(int height)
    {
        Expected<std::shared_ptr<GlyphSource>> f = fonts.open(QStringLiteral("Vexel LED"), height, false);
        if (!f)
            throw std::runtime_error(f.error().toStdString());
        return **f;
    }

    static TextStyle topLeft(int letterSpacing = 0, int lineSpacing = 0)
    {
        TextStyle s;
        s.hAlign = HAlign::Left;
        s.vAlign = VAlign::Top;
        s.letterSpacing = letterSpacing;
        s.lineSpacing = lineSpacing;
        return s;
    }

    FontList fonts;
};

const Rows One7 = {"..#..", ".##..", "#.#..", "..#..", "..#..", "..#..", "#####"};

// One's glyph drawn at (x, y) in an otherwise unlit w x h block.
Rows stamped(const Rows& glyph, int w, int h, int x, int y)
{
    Rows out(static_cast<std::size_t>(h), std::string(static_cast<std::size_t>(w), '.'));
    for (std::size_t r = 0; r < glyph.size(); ++r)
        for (std::size_t c = 0; c < glyph[r].size(); ++c) {
            const int gx = x + static_cast<int>(c);
            const int gy = y + static_cast<int>(r);
            if (glyph[r][c] == '#' && gx >= 0 && gx < w && gy >= 0 && gy < h)
                out[static_cast<std::size_t>(gy)][static_cast<std::size_t>(gx)] = '#';
        }
    return out;
}

TEST_F(TextLayoutTest, RouteNumberInSevenRowFont)
{
    const Lettering l = TextLayout::render(QStringLiteral("12"), led(7), topLeft(), 11, 7);
    EXPECT_EQ(rows(l.bitmap), (Rows{
                                  "..#....###.",
                                  ".##...#...#",
                                  "#.#.......#",
                                  "..#......#.",
                                  "..#.....#..",
                                  "..#....#...",
                                  "#####.#####",
                              }));
    EXPECT_TRUE(l.missing.empty());
    EXPECT_FALSE(l.overflow);
}

TEST_F(TextLayoutTest, GeorgianWordInSevenRowFont)
{
    const Lettering l = TextLayout::render(QStringLiteral("ვაკე"), led(7), topLeft(), 23, 7);
    EXPECT_EQ(rows(l.bitmap), (Rows{
                                  ".......................",
                                  ".......................",
                                  ".###...##.....#....###.",
                                  "#...#....#..###...#...#",
                                  "..##..#...#....#......#",
                                  "#...#..###..#...#.....#",
                                  ".###.........###...###.",
                              }));
    EXPECT_TRUE(l.missing.empty());
    EXPECT_FALSE(l.overflow);
}

TEST_F(TextLayoutTest, TighterLetterSpacingLetsGlyphsTouch)
{
    const Lettering l = TextLayout::render(QStringLiteral("11"), led(7), topLeft(-1), 10, 7);
    EXPECT_EQ(rows(l.bitmap), (Rows{
                                  "..#....#..",
                                  ".##...##..",
                                  "#.#..#.#..",
                                  "..#....#..",
                                  "..#....#..",
                                  "..#....#..",
                                  "##########",
                              }));
    // Wider spacing moves the second glyph on by the same amount.
    const Lettering wide = TextLayout::render(QStringLiteral("11"), led(7), topLeft(3), 14, 7);
    Rows expected = stamped(One7, 14, 7, 0, 0);
    const Rows second = stamped(One7, 14, 7, 9, 0);
    for (std::size_t r = 0; r < expected.size(); ++r)
        for (std::size_t c = 0; c < expected[r].size(); ++c)
            if (second[r][c] == '#')
                expected[r][c] = '#';
    EXPECT_EQ(rows(wide.bitmap), expected);
}

TEST_F(TextLayoutTest, TwoLinesWithLineSpacing)
{
    const Lettering l = TextLayout::render(QStringLiteral("1\r\n1"), led(7), topLeft(0, 2), 5, 16);
    Rows expected = stamped(One7, 5, 16, 0, 0);
    const Rows lower = stamped(One7, 5, 16, 0, 9);
    for (std::size_t r = 9; r < 16; ++r)
        expected[r] = lower[r];
    EXPECT_EQ(rows(l.bitmap), expected);
    EXPECT_FALSE(l.overflow);

    // Lines are aligned one by one: the short line is centred on its own.
    TextStyle centred = topLeft();
    centred.hAlign = HAlign::Centre;
    const Lettering c = TextLayout::render(QStringLiteral("11\n1"), led(7), centred, 11, 14);
    EXPECT_EQ(rows(c.bitmap)[13], "...#####...");
}

// Odd leftover columns or rows go after the text: centre rounds left, middle rounds up.
TEST_F(TextLayoutTest, AlignmentInOddWindow)
{
    const struct {
        HAlign h;
        VAlign v;
        int x;
        int y;
    } cases[] = {
        {HAlign::Left, VAlign::Top, 0, 0},      {HAlign::Centre, VAlign::Top, 2, 0},
        {HAlign::Right, VAlign::Top, 4, 0},     {HAlign::Left, VAlign::Middle, 0, 1},
        {HAlign::Centre, VAlign::Middle, 2, 1}, {HAlign::Right, VAlign::Bottom, 4, 2},
    };
    for (const auto& c : cases) {
        TextStyle style = topLeft();
        style.hAlign = c.h;
        style.vAlign = c.v;
        const Lettering l = TextLayout::render(QStringLiteral("1"), led(7), style, 9, 9);
        EXPECT_EQ(rows(l.bitmap), stamped(One7, 9, 9, c.x, c.y))
            << "h " << static_cast<int>(c.h) << " v " << static_cast<int>(c.v);
    }
}

TEST_F(TextLayoutTest, MissingCharactersAreBoxesListedOnce)
{
    const Lettering l =
        TextLayout::render(QStringLiteral("1\u2603\u00FF\u2603"), led(7), topLeft(), 6 + 5 + 5 + 4, 7);
    ASSERT_EQ(l.missing, (std::vector<char32_t>{0x2603, 0x00FF}));
    const Rows r = rows(l.bitmap);
    // A 4 x 7 outline for each, 5 LEDs apart.
    EXPECT_EQ(r[0], "..#...####.####.####");
    EXPECT_EQ(r[3], "..#...#..#.#..#.#..#");
    EXPECT_EQ(r[6], "#####.####.####.####");
    EXPECT_FALSE(l.overflow);
}

TEST_F(TextLayoutTest, OverflowIsClippedAndReported)
{
    TextStyle centred = topLeft();
    centred.hAlign = HAlign::Centre;
    const Lettering l = TextLayout::render(QStringLiteral("111"), led(7), centred, 7, 7);
    EXPECT_TRUE(l.overflow);
    // 17 columns centred in 7: five cut off on each side.
    EXPECT_EQ(rows(l.bitmap)[6], ".#####.");
    EXPECT_EQ(l.bitmap.width(), 7);

    const Lettering tall = TextLayout::render(QStringLiteral("1\n1"), led(7), topLeft(), 5, 13);
    EXPECT_TRUE(tall.overflow);
    EXPECT_FALSE(TextLayout::render(QStringLiteral("1\n1"), led(7), topLeft(), 5, 14).overflow);
}

// Heights that are not drawn come from the smaller faces, each LED a
// k x k block: 18 is 9 doubled, 21 is 7 tripled (14 is drawn).
TEST_F(TextLayoutTest, EnlargedSizeDoublesEveryLed)
{
    auto enlarged = [](const Rows& small, int k) {
        Rows out;
        for (const std::string& row : small) {
            std::string wide;
            for (char c : row)
                wide += std::string(static_cast<std::size_t>(k), c);
            for (int i = 0; i < k; ++i)
                out.push_back(wide);
        }
        return out;
    };
    const Rows nine = rows(TextLayout::render(QStringLiteral("12"), led(9), topLeft(), 12, 9).bitmap);
    EXPECT_EQ(rows(TextLayout::render(QStringLiteral("12"), led(18), topLeft(), 24, 18).bitmap), enlarged(nine, 2));
    EXPECT_EQ(rows(TextLayout::render(QStringLiteral("1"), led(21), topLeft(), 15, 21).bitmap), enlarged(One7, 3));
    EXPECT_NE(rows(TextLayout::render(QStringLiteral("1"), led(14), topLeft(), 10, 14).bitmap), enlarged(One7, 2));
}

TEST_F(TextLayoutTest, LineInFixedFiveBySeven)
{
    FontList::Places places;
    places.bitmapFolder = QStringLiteral("/usr/share/fonts/X11/misc");
    places.systemFonts = false;
    if (!QFileInfo::exists(places.bitmapFolder + QStringLiteral("/5x7.pcf.gz")))
        GTEST_SKIP() << "xfonts-base is not installed";
    FontList bitmapFonts(places);
    Expected<std::shared_ptr<GlyphSource>> fixed = bitmapFonts.open(QStringLiteral("Fixed"), 7, false);
    ASSERT_TRUE(fixed.ok()) << fixed.error().toStdString();
    const Lettering l = TextLayout::render(QStringLiteral("Bus 5"), **fixed, topLeft(), 24, 7);
    EXPECT_EQ(rows(l.bitmap), (Rows{
                                  "###.................####",
                                  "#..#................#...",
                                  "###..#..#..###......###.",
                                  "#..#.#..#.##...........#",
                                  "#..#.#..#...##......#..#",
                                  "###...###.###........##.",
                                  "........................",
                              }));
    EXPECT_TRUE(l.missing.empty());
}

TEST_F(TextLayoutTest, BlocksDrawInTheirAreasOnly)
{
    TextBlock left;
    left.text = QStringLiteral("1");
    left.style = topLeft();
    left.style.font = QStringLiteral("Vexel LED");
    left.style.height = 7;
    left.area = FrameRect{0, 0, 3, 7}; // narrower than the glyph
    TextBlock right = left;
    right.area = FrameRect{6, 1, 5, 7};
    TextBlock unknown = left;
    unknown.style.font = QStringLiteral("No Such Font");
    const Lettering l = TextLayout::renderBlocks({left, right, unknown}, fonts, 11, 8);
    Rows expected = stamped(One7, 11, 8, 6, 1);
    const Rows clipped = stamped(One7, 3, 7, 0, 0);
    for (std::size_t r = 0; r < clipped.size(); ++r)
        expected[r].replace(0, 3, clipped[r]);
    EXPECT_EQ(rows(l.bitmap), expected);
    EXPECT_TRUE(l.overflow);
    EXPECT_EQ(l.error, "The font \"No Such Font\" is not installed.");
}

} // namespace
