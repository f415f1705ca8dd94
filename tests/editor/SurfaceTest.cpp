// The off-screen raster: exact pixels of lines and ellipses, and clipping.
#include "editor/Surface.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using vexel::Color;
using vexel::PenStyle;
using vexel::Surface;

namespace {

constexpr Color Paper = 0xFFFFFF;
constexpr Color Pen = 0x000001;
constexpr Color Fill = 0x000002;

// One character per pixel: '.' untouched, 'P' pen colour, 'f' fill colour.
std::vector<std::string> picture(const Surface& s)
{
    std::vector<std::string> rows;
    for (int y = 0; y < s.height(); ++y) {
        std::string row;
        for (int x = 0; x < s.width(); ++x) {
            const Color c = s.pixel(x, y);
            row += c == Pen ? 'P' : c == Fill ? 'f' : c == Paper ? '.' : '?';
        }
        rows.push_back(row);
    }
    return rows;
}

Surface paper(int w, int h, PenStyle style = PenStyle::Solid)
{
    Surface s(w, h, Paper);
    s.setPenColor(Pen);
    s.setFillColor(Fill);
    s.setPenStyle(style);
    return s;
}

struct LineCase {
    const char* name;
    int x0, y0, x1, y1;
    PenStyle style;
    std::vector<std::string> expected;
};

class SurfaceLineTest : public ::testing::TestWithParam<LineCase> {};

} // namespace

TEST_P(SurfaceLineTest, DrawsExactlyThesePixels)
{
    const LineCase& c = GetParam();
    Surface s = paper(8, 3, c.style);
    s.line(c.x0, c.y0, c.x1, c.y1);
    EXPECT_EQ(picture(s), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, SurfaceLineTest,
    ::testing::Values(
        LineCase{"SolidEndExcluded", 1, 1, 5, 1, PenStyle::Solid, {"........", ".PPPP...", "........"}},
        LineCase{"DottedFromStart", 1, 1, 6, 1, PenStyle::Dotted, {"........", ".PfPfP..", "........"}},
        LineCase{"DottedBackwards", 6, 1, 1, 1, PenStyle::Dotted, {"........", "..PfPfP.", "........"}},
        LineCase{"VerticalDotted", 2, 0, 2, 3, PenStyle::Dotted, {"..P.....", "..f.....", "..P....."}},
        LineCase{"VerticalUp", 3, 2, 3, 0, PenStyle::Solid, {"........", "...P....", "...P...."}},
        // The dots keep their phase from the start point off the raster.
        LineCase{"ClippedStartKeepsPhase", -3, 0, 4, 0, PenStyle::Dotted, {"fPfP....", "........", "........"}},
        LineCase{"RunsFarPastBothEnds", -1000000, 2, 1000000, 2, PenStyle::Solid,
                 {"........", "........", "PPPPPPPP"}},
        LineCase{"RowBelowRasterDropped", 0, 3, 8, 3, PenStyle::Solid, {"........", "........", "........"}},
        LineCase{"ColumnLeftOfRasterDropped", -1, 0, -1, 3, PenStyle::Solid, {"........", "........", "........"}},
        LineCase{"DiagonalNotDrawn", 0, 0, 3, 2, PenStyle::Solid, {"........", "........", "........"}},
        LineCase{"ZeroLength", 4, 1, 4, 1, PenStyle::Solid, {"........", "........", "........"}}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(SurfaceTest, FillRectIsClippedAndRightBottomExclusive)
{
    Surface s = paper(6, 4);
    s.fillRect(-5, -5, 2, 2);
    s.fillRect(4, 3, 100, 100);
    s.fillRect(3, 1, 3, 4); // empty
    s.fillRect(5, 0, 2, 2); // inverted
    EXPECT_EQ(picture(s), (std::vector<std::string>{"ff....", "ff....", "......", "....ff"}));
}

TEST(SurfaceTest, SmallEllipsesHaveExactShapes)
{
    struct Case {
        int w, h;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {1, 1, {"P"}},
        {2, 2, {"PP", "PP"}},
        {3, 3, {"PPP", "PfP", "PPP"}},
        {5, 5, {".PPP.", "PfffP", "PfffP", "PfffP", ".PPP."}},
        {7, 4, {".PPPPP.", "PfffffP", "PfffffP", ".PPPPP."}},
    };
    for (const Case& c : cases) {
        Surface s = paper(c.w, c.h);
        s.ellipse(0, 0, c.w, c.h);
        EXPECT_EQ(picture(s), c.expected) << c.w << "x" << c.h;
    }
}

TEST(SurfaceTest, EllipsesStayInTheirBoxAndAreSymmetric)
{
    for (int w = 1; w <= 24; ++w) {
        for (int h = 1; h <= 24; ++h) {
            Surface s = paper(w + 2, h + 2);
            s.ellipse(1, 1, w + 1, h + 1);
            const std::vector<std::string> p = picture(s);
            EXPECT_EQ(p.front(), std::string(w + 2, '.')) << w << "x" << h;
            EXPECT_EQ(p.back(), std::string(w + 2, '.')) << w << "x" << h;
            for (int y = 0; y < h + 2; ++y) {
                EXPECT_EQ(p[y].front(), '.');
                EXPECT_EQ(p[y].back(), '.');
                EXPECT_EQ(p[y], std::string(p[y].rbegin(), p[y].rend())) << w << "x" << h << " row " << y;
                EXPECT_EQ(p[y], p[h + 1 - y]) << w << "x" << h << " row " << y;
            }
            // The middle row is never empty.
            EXPECT_NE(p[(h + 1) / 2].find('P'), std::string::npos) << w << "x" << h;
        }
    }
}

TEST(SurfaceTest, ClippedEllipseIsThePartOfTheWholeOne)
{
    // The outline must come from the whole ellipse, not from its visible part.
    Surface whole = paper(40, 40);
    whole.ellipse(10, 12, 30, 25);
    for (const QPoint shift : {QPoint(-15, 0), QPoint(0, -18), QPoint(-20, -20), QPoint(12, 20)}) {
        Surface part = paper(22, 22);
        part.ellipse(10 + shift.x(), 12 + shift.y(), 30 + shift.x(), 25 + shift.y());
        for (int y = 0; y < part.height(); ++y)
            for (int x = 0; x < part.width(); ++x) {
                const int wx = x - shift.x();
                const int wy = y - shift.y();
                const Color expected = (wx >= 0 && wy >= 0 && wx < 40 && wy < 40) ? whole.pixel(wx, wy) : Paper;
                ASSERT_EQ(part.pixel(x, y), expected) << x << "," << y << " shift " << shift.x() << "," << shift.y();
            }
    }
}

TEST(SurfaceTest, PixelsOutsideAreDroppedAndReadAsInvalid)
{
    Surface s = paper(4, 4);
    for (const QPoint p : {QPoint(-1, 0), QPoint(0, -1), QPoint(4, 0), QPoint(0, 4), QPoint(1 << 30, 2)})
        s.setPixel(p.x(), p.y(), Pen);
    EXPECT_EQ(picture(s), (std::vector<std::string>(4, "....")));
    EXPECT_EQ(s.pixel(4, 0), 0xFFFFFFFFu);
    EXPECT_TRUE(s.takeDirty().isEmpty());
    s.setPixel(3, 3, Pen);
    EXPECT_EQ(s.pixel(3, 3), Pen);
}

TEST(SurfaceTest, BlitIsClippedOnEverySide)
{
    QImage stamp(4, 4, QImage::Format_RGB32);
    stamp.fill(vexel::toQRgb(Pen));
    Surface s = paper(5, 5);
    s.blit(stamp, -2, -3);
    s.blit(stamp, 4, 4);
    s.blit(stamp, 100, 0);
    EXPECT_EQ(picture(s), (std::vector<std::string>{"PP...", ".....", ".....", ".....", "....P"}));
}

TEST(SurfaceTest, ChangesAreCollectedAsOneDirtyRectangle)
{
    Surface s = paper(50, 50);
    int notified = 0;
    s.setChangeNotifier([&] { ++notified; });
    s.fillRect(60, 60, 70, 70); // wholly outside: nothing to repaint
    EXPECT_EQ(notified, 0);
    s.setPixel(3, 4, Pen);
    s.line(10, 20, 15, 20);
    s.ellipse(-5, 40, 5, 60);
    EXPECT_EQ(notified, 1);
    EXPECT_EQ(s.takeDirty(), QRect(QPoint(0, 4), QPoint(14, 49)));
    EXPECT_TRUE(s.takeDirty().isEmpty());
    s.setPixel(0, 0, Pen);
    EXPECT_EQ(notified, 2);
}
