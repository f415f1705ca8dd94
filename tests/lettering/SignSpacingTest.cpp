#include "LetteringTestSupport.h"

#include "lettering/SignPresets.h"
#include "lettering/TextLayout.h"

#include <gtest/gtest.h>

using namespace vexel;

namespace {

// The example bus's faces: destinations in bold Vexel LED, numbers in Vexel
// LED Numbers, letter spacing never below 0.
class BusSigns : public ::testing::Test {
protected:
    BusSigns() : fonts(lettering_test::projectFonts())
    {
        text.font = QStringLiteral("Vexel LED");
        text.height = 11;
        text.bold = true;
        options.numberFont = QStringLiteral("Vexel LED Numbers");
        options.order.tightSpacing = false;
    }

    Lettering draw(const PresetLayout& layout, int width, int height)
    {
        return TextLayout::renderBlocks(layout.blocks, fonts, width, height);
    }

    FontList fonts;
    TextStyle text;
    PresetOptions options;
};

bool rowLit(const LedBitmap& b, int y, int fromX, int toX)
{
    for (int x = fromX; x < toX; ++x)
        if (b.lit(x, y))
            return true;
    return false;
}

bool columnLit(const LedBitmap& b, int x)
{
    for (int y = 0; y < b.height(); ++y)
        if (b.lit(x, y))
            return true;
    return false;
}

// The runs of lit rows in columns [fromX, toX), top first, as {first, last}.
std::vector<std::pair<int, int>> litRuns(const LedBitmap& b, int fromX, int toX)
{
    std::vector<std::pair<int, int>> runs;
    for (int y = 0; y < b.height(); ++y) {
        if (!rowLit(b, y, fromX, toX))
            continue;
        if (!runs.empty() && runs.back().second == y - 1)
            runs.back().second = y;
        else
            runs.push_back({y, y});
    }
    return runs;
}

// Two lines of a destination beside a number, on the side (112 x 16) and
// the front (160 x 19): dark rows between them, none spent above and below
// while the lines want more, and descenders ("g", "y", "p") clear of the
// line below.
TEST_F(BusSigns, TwoLinesHaveADarkRowBetweenThem)
{
    const struct {
        const char* number;
        const char* destination;
        int width;
        int height;
    } cases[] = {
        {"B6", "East New York Van Siclen Av", 112, 16},
        {"B82", "Kings Hwy Coney Island Av", 112, 16},
        {"Q10", "Kew Gardens Union Tpke", 112, 16},
        {"M4", "Fort Tryon Park The Cloisters", 160, 19},
        {"B1", "Bay Ridge Kings Hwy Gravesend Bay Pkwy", 160, 19},
    };
    for (const auto& c : cases) {
        const PresetLayout p = SignPresets::numberAndDestination(
            QString::fromUtf8(c.number), QString::fromUtf8(c.destination), fonts, text, c.width, c.height, options);
        ASSERT_TRUE(p.fits) << c.destination << ": " << p.message;
        ASSERT_EQ(p.blocks.size(), 2u);
        ASSERT_TRUE(p.blocks[1].text.contains(QLatin1Char('\n'))) << c.destination << ": " << p.message;
        const Lettering l = draw(p, c.width, c.height);
        EXPECT_FALSE(l.overflow) << c.destination;
        const FrameRect& area = p.blocks[1].area;
        const auto runs = litRuns(l.bitmap, area.x, area.right());
        ASSERT_EQ(runs.size(), 2u) << c.destination << ": the lines touch\n"
                                   << ::testing::PrintToString(lettering_test::rows(l.bitmap));
        const int between = runs[1].first - runs[0].second - 1;
        const int outside = runs[0].first + (c.height - 1 - runs[1].second);
        EXPECT_GE(between, 1) << c.destination;
        // Spare rows go between the lines before above and below: where
        // the cells of the lines leave a row free, and the LEDs two.
        const TextStyle& lines = p.blocks[1].style;
        const bool spare = 2 * lines.height + lines.lineSpacing < c.height;
        if (outside > 1 && spare) {
            EXPECT_GE(between, 2) << c.destination << "\n" << ::testing::PrintToString(lettering_test::rows(l.bitmap));
        }
    }
}

// Between the route number's last lit column and the destination's first:
// at least 3 LEDs and a space of the destination's face, also where the
// destination is long enough to want every column ("Bx4A W Farms Rd").
TEST_F(BusSigns, TheNumberKeepsItsGapFromTheDestination)
{
    const struct {
        const char* number;
        const char* destination;
        int width;
        int height;
    } cases[] = {
        {"Bx4A", "W Farms Rd", 160, 19},
        {"Bx4A", "Westchester Sq E Tremont Av", 160, 19},
        {"SIM33C", "Port Richmond Richmond Av", 160, 19},
        {"Q70-SBS", "LaGuardia Airport", 112, 16},
        {"M14A", "Lower East Side Grand St", 112, 16},
    };
    for (const auto& c : cases) {
        const PresetLayout p = SignPresets::numberAndDestination(
            QString::fromUtf8(c.number), QString::fromUtf8(c.destination), fonts, text, c.width, c.height, options);
        ASSERT_TRUE(p.fits) << c.number << " " << c.destination << ": " << p.message;
        ASSERT_EQ(p.blocks.size(), 2u);
        // Drawn apart, so that each part's columns are known.
        const Lettering number = TextLayout::renderBlocks({p.blocks[0]}, fonts, c.width, c.height);
        const Lettering destination = TextLayout::renderBlocks({p.blocks[1]}, fonts, c.width, c.height);
        int numberEnd = -1;
        for (int x = 0; x < c.width; ++x)
            numberEnd = columnLit(number.bitmap, x) ? x : numberEnd;
        int destinationStart = c.width;
        for (int x = c.width - 1; x >= 0; --x)
            destinationStart = columnLit(destination.bitmap, x) ? x : destinationStart;
        auto face = fonts.open(p.blocks[1].style.font, p.blocks[1].style.height, p.blocks[1].style.bold,
                               p.blocks[1].style.condensed);
        ASSERT_TRUE(face.ok());
        const Glyph* space = (*face)->glyph(U' ');
        ASSERT_NE(space, nullptr);
        const int gap = destinationStart - numberEnd - 1;
        EXPECT_GE(gap, 3) << c.number << " " << c.destination;
        EXPECT_GE(gap, space->advance) << c.number << " " << c.destination;
    }
}

// A destination that fits on one line is lettered as before breaks were
// chosen as a whole: the same LEDs with the greedy order as with the
// balanced one, on the front, the side and a one-text sign.
TEST_F(BusSigns, OneLineTextsKeepTheirLeds)
{
    const char* texts[] = {"South Ferry", "W Farms Rd", "Midtown 23 St", "Airport", "Sedgwick/Highbridge"};
    PresetOptions greedy = options;
    greedy.order.balanced = false;
    for (const char* t : texts) {
        for (const auto& [width, height] : {std::pair{160, 19}, std::pair{112, 16}}) {
            const QString destination = QString::fromUtf8(t);
            const PresetLayout now = SignPresets::numberAndDestination(QStringLiteral("M15"), destination, fonts, text,
                                                                       width, height, options);
            const PresetLayout before = SignPresets::numberAndDestination(QStringLiteral("M15"), destination, fonts,
                                                                          text, width, height, greedy);
            ASSERT_TRUE(now.fits) << t;
            if (now.blocks.back().text.contains(QLatin1Char('\n')))
                continue; // two lines: not the case here
            EXPECT_EQ(lettering_test::rows(draw(now, width, height).bitmap),
                      lettering_test::rows(draw(before, width, height).bitmap))
                << t << " at " << width << " x " << height;
            const LineFit one = SignPresets::fitOneText(destination, fonts, text, width, height, options.order);
            const LineFit oneBefore = SignPresets::fitOneText(destination, fonts, text, width, height, greedy.order);
            EXPECT_EQ(one.text, oneBefore.text) << t;
            EXPECT_EQ(one.fit.height, oneBefore.fit.height) << t;
            EXPECT_EQ(one.fit.letterSpacing, oneBefore.fit.letterSpacing) << t;
        }
    }
}

// A destination with a slash and no space beside the number: on the side
// sign it breaks after the slash, which stays at the end of the first line,
// and takes a face of at least 7 rows rather than one cramped line; with
// the greedy order as with the balanced one.
TEST_F(BusSigns, SlashedNameBesideNumberBreaksAfterTheSlash)
{
    PresetOptions greedy = options;
    greedy.order.balanced = false;
    for (const PresetOptions& o : {options, greedy}) {
        const PresetLayout side = SignPresets::numberAndDestination(
            QStringLiteral("Bx11"), QStringLiteral("Sedgwick/Highbridge"), fonts, text, 112, 16, o);
        ASSERT_TRUE(side.fits) << side.message;
        EXPECT_EQ(side.blocks.back().text, QStringLiteral("Sedgwick/\nHighbridge"));
        EXPECT_GE(side.blocks.back().style.height, 7);
        const Lettering drawn = draw(side, 112, 16);
        const int numberEnd = side.blocks.front().area.x + side.blocks.front().area.w;
        EXPECT_EQ(litRuns(drawn.bitmap, numberEnd, 112).size(), 2u) << side.message;
    }
    // A name with a space keeps its space split.
    const PresetLayout spaced = SignPresets::numberAndDestination(
        QStringLiteral("Bx11"), QStringLiteral("Sedgwick Av/Highbridge"), fonts, text, 112, 16, options);
    ASSERT_TRUE(spaced.fits);
    EXPECT_FALSE(spaced.blocks.back().text.startsWith(QStringLiteral("Sedgwick\n")));
}

// The rear sign, 28 x 16: a code of up to four characters in the numbers'
// face at the full 16 rows, in the condensed face where the regular one is
// too wide, centred on the sign.
TEST_F(BusSigns, RearCodesTakeTheFullHeight)
{
    TextStyle numbers = text;
    numbers.font = QStringLiteral("Vexel LED Numbers");
    numbers.height = 16;
    const struct {
        const char* code;
        bool condensed;
    } cases[] = {{"12", false}, {"B11", true}, {"Q24", true}, {"M101", true}, {"Bx12", true}, {"SIM1", true}};
    for (const auto& c : cases) {
        const LineFit fit = SignPresets::fitOneText(QString::fromUtf8(c.code), fonts, numbers, 28, 16, options.order);
        ASSERT_TRUE(fit.fit.fits) << c.code << ": " << fit.fit.message;
        EXPECT_EQ(fit.fit.height, 16) << c.code;
        EXPECT_EQ(fit.fit.condensed, c.condensed) << c.code;
        EXPECT_EQ(fit.text, QString::fromUtf8(c.code));
        TextStyle drawn = numbers;
        drawn.condensed = fit.fit.condensed;
        drawn.letterSpacing = fit.fit.letterSpacing;
        auto face = fonts.open(drawn.font, 16, true, drawn.condensed);
        ASSERT_TRUE(face.ok());
        const Lettering l = TextLayout::render(fit.text, **face, drawn, 28, 16);
        EXPECT_FALSE(l.overflow) << c.code;
        EXPECT_TRUE(l.missing.empty()) << c.code;
        const auto runs = litRuns(l.bitmap, 0, 28);
        ASSERT_EQ(runs.size(), 1u) << c.code;
        EXPECT_EQ(runs.front(), std::make_pair(0, 15)) << c.code;
        // Centred: the dark columns either side differ by one at most.
        int left = 0;
        while (left < 28 && !columnLit(l.bitmap, left))
            ++left;
        int right = 0;
        while (right < 28 && !columnLit(l.bitmap, 27 - right))
            ++right;
        EXPECT_LE(std::abs(left - right), 1) << c.code << ": " << left << " and " << right;
    }
    // Too long for one line in any numbers face: two lines at the hyphen, in
    // a face that holds two, else nothing.
    const LineFit sbs = SignPresets::fitOneText(QStringLiteral("Q70-SBS"), fonts, numbers, 28, 16, options.order);
    EXPECT_FALSE(sbs.fit.fits && !sbs.text.contains(QLatin1Char('\n'))) << sbs.fit.message;
}

} // namespace
