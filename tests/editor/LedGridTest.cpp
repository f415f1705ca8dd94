// The zoomed view's drawing: cell bodies, grid lines, dotted borders, and the
// fast window repaint against drawing every cell with drawLed.
#include "editor/LedGrid.h"

#include <QSize>

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <tuple>

using vexel::Color;
using vexel::FrameRect;
using vexel::GridStyle;
using vexel::LedGrid;
using vexel::LedRect;
using vexel::PixelArray;
using vexel::Surface;

namespace {

constexpr Color Led = 0x0000FF;
constexpr Color Back = 0x000000;
constexpr Color Grid = 0x808080;
constexpr Color Heavy = 0xA0A0A0;

GridStyle style(int zoom, bool grid, bool rounded = false, int width = 20, int height = 12)
{
    GridStyle s;
    s.cellSize = zoom;
    s.gridInset = grid ? 1 : 0;
    s.drawGrid = grid;
    s.roundedLeds = rounded;
    s.ledColor = Led;
    s.backColor = Back;
    s.gridColor = Grid;
    s.boardWidth = width;
    s.boardHeight = height;
    return s;
}

// What a frame-window repaint does, with the fast cell copies.
void repaint(LedGrid& grid, Surface& view, Surface& board, const PixelArray& bits, const FrameRect& w,
             const GridStyle& st)
{
    view.setFillColor(st.backColor);
    view.fillRect(w.x * st.cellSize, w.y * st.cellSize, w.right() * st.cellSize, w.bottom() * st.cellSize);
    grid.drawGrid(view, st, LedRect{}, false, w);
    grid.paintWindow(view, board, bits, w, st);
}

void fillNoise(Surface& s, unsigned seed)
{
    std::mt19937 random(seed);
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x)
            s.scanLine(y)[x] = 0xFF000000u | (random() & 0xFFFFFFu);
}

using BodyCase = std::tuple<int, bool>; // zoom, grid
class LedGridBodyTest : public ::testing::TestWithParam<BodyCase> {};

} // namespace

TEST_P(LedGridBodyTest, LitBodiesLeaveOnlyTheGridLines)
{
    const auto [zoom, grid] = GetParam();
    const GridStyle st = style(zoom, grid);
    PixelArray bits;
    for (int r = 0; r < st.boardHeight; ++r)
        for (int c = 0; c < st.boardWidth; ++c)
            bits.setLit(c, r, true);
    Surface view(300, 200);
    Surface board(40, 20);
    LedGrid ledGrid;
    repaint(ledGrid, view, board, bits, FrameRect{0, 0, st.boardWidth, st.boardHeight}, st);

    for (int y = 0; y < st.boardHeight * zoom; ++y)
        for (int x = 0; x < st.boardWidth * zoom; ++x) {
            const bool onLine = grid && (x % zoom == 0 || y % zoom == 0);
            if (onLine)
                ASSERT_TRUE(view.pixel(x, y) == Grid || view.pixel(x, y) == Heavy) << x << "," << y;
            else
                ASSERT_EQ(view.pixel(x, y), Led) << x << "," << y;
        }
    EXPECT_EQ(board.pixel(st.boardWidth - 1, st.boardHeight - 1), Led);
}

INSTANTIATE_TEST_SUITE_P(Zooms, LedGridBodyTest,
                         ::testing::Combine(::testing::Values(1, 2, 10), ::testing::Bool()));

TEST(LedGridTest, HeavyLinesAreTwentyBrighterAndSaturate)
{
    const std::pair<Color, Color> cases[] = {
        {0x808080, 0xA0A0A0}, {0xC0C0C0, 0xE0E0E0}, {0x000000, 0x202020},
        {0xF01080, 0xFF30A0}, {0x10F010, 0x30FF30}, {0xFFFFFF, 0xFFFFFF},
    };
    for (const auto& [grid, heavy] : cases)
        EXPECT_EQ(LedGrid::heavyLineColor(grid), heavy) << std::hex << grid;
}

TEST(LedGridTest, GridLinesEveryCellAndBrighterEveryEighthStartingOnePixelIn)
{
    GridStyle st = style(10, true);
    st.gridColor = 0x40F0C0;
    const Color heavy = 0x60FFE0;
    Surface view(400, 200, 0x123456);
    LedGrid().drawGrid(view, st, LedRect{}, false, FrameRect{});

    EXPECT_EQ(view.pixel(0, 0), st.gridColor) << "the top-left pixel keeps the plain colour";
    EXPECT_EQ(view.pixel(1, 0), heavy);
    EXPECT_EQ(view.pixel(0, 1), heavy);
    EXPECT_EQ(view.pixel(5, 10), st.gridColor);
    EXPECT_EQ(view.pixel(10, 5), st.gridColor);
    EXPECT_EQ(view.pixel(5, 80), heavy);
    EXPECT_EQ(view.pixel(160, 5), heavy);
    EXPECT_EQ(view.pixel(5, 5), 0x123456u) << "bodies are left alone";
    // Lines reach one cell past the board, none along its bottom edge.
    EXPECT_EQ(view.pixel(205, 110), st.gridColor);
    EXPECT_EQ(view.pixel(210, 5), 0x123456u);
    EXPECT_EQ(view.pixel(5, 120), 0x123456u);
    EXPECT_EQ(view.penColor(), st.gridColor);

    Surface untouched(400, 200, 0x123456);
    st.drawGrid = false;
    LedGrid().drawGrid(untouched, st, LedRect{}, false, FrameRect{});
    EXPECT_TRUE(untouched.takeDirty().isEmpty());
    EXPECT_EQ(untouched.penColor(), st.gridColor) << "the pen is set even without the grid";
}

TEST(LedGridTest, BordersAreDottedInTheGridColourOverTheirGapColours)
{
    const int zoom = 4;
    GridStyle st = style(zoom, false);
    st.frameBounds = true;
    Surface view(200, 100, 0x111111);
    view.setFillColor(0x222222);
    const LedRect selection{2, 1, 6, 4};
    const FrameRect frame{6, 2, 5, 6};
    LedGrid().drawGrid(view, st, selection, true, frame);

    // Selection top edge from (8, 4) rightwards, frame left edge from (24, 8) down.
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(view.pixel(8 + i, 4), i % 2 ? vexel::White : Grid) << i;
        EXPECT_EQ(view.pixel(24, 8 + i), i % 2 ? vexel::SkyBlue : Grid) << i;
    }
    // The frame border runs over the selection's right side where they meet.
    EXPECT_EQ(view.pixel(24, 9), vexel::SkyBlue);
    EXPECT_EQ(view.pixel(24, 5), vexel::White) << "above the frame the selection's own dots stay";
    EXPECT_EQ(view.pixel(9, 9), 0x111111u) << "inside is not touched";
    EXPECT_EQ(view.fillColor(), 0x222222u);
    EXPECT_EQ(view.penStyle(), vexel::PenStyle::Solid);

    Surface hidden(200, 100, 0x111111);
    st.frameBounds = false;
    LedGrid().drawGrid(hidden, st, selection, false, frame);
    EXPECT_TRUE(hidden.takeDirty().isEmpty());
}

TEST(LedGridTest, DrawLedUsesTheFillColourAndPutsThePenBack)
{
    Surface view(20, 20, 0x777777);
    view.setFillColor(0x00FF00);
    view.setPenColor(0xABCDEF);
    LedGrid grid;
    grid.drawLed(view, 2, 2, 9, 9, style(8, true, true));
    EXPECT_EQ(view.pixel(5, 5), 0x00FF00u);
    EXPECT_EQ(view.pixel(2, 5), Back) << "the outline is in the background colour";
    EXPECT_EQ(view.pixel(2, 2), 0x777777u) << "a round LED leaves the body's corners";
    EXPECT_EQ(view.pixel(9, 5), 0x777777u) << "right edge excluded";
    EXPECT_EQ(view.penColor(), 0xABCDEFu);
    EXPECT_EQ(view.fillColor(), 0x00FF00u);

    grid.drawLed(view, 10, 10, 13, 13, style(8, true, false));
    EXPECT_EQ(view.pixel(10, 10), 0x00FF00u) << "square LEDs have no outline";
    EXPECT_EQ(view.pixel(13, 13), 0x777777u);
}

namespace {

using FastCase = std::tuple<int, bool, bool>; // zoom, grid, rounded
class LedGridFastPathTest : public ::testing::TestWithParam<FastCase> {};

} // namespace

TEST_P(LedGridFastPathTest, WindowRepaintEqualsDrawingEveryCell)
{
    const auto [zoom, grid, rounded] = GetParam();
    const GridStyle st = style(zoom, grid, rounded, 60, 30);
    std::mt19937 random(static_cast<unsigned>(zoom * 4 + grid * 2 + rounded));
    PixelArray bits;
    for (int r = 0; r < PixelArray::Rows; ++r)
        for (int k = 0; k < PixelArray::RowBytes; ++k)
            bits.setByte(r, k, static_cast<std::uint8_t>(random()));

    // Windows not on byte edges, and one that runs past the view's edges.
    for (const FrameRect w : {FrameRect{3, 2, 37, 21}, FrameRect{0, 0, 60, 30}, FrameRect{45, 20, 15, 10}}) {
        Surface fastView(260, 150);
        Surface slowView(260, 150);
        Surface fastBoard(50, 25);
        Surface slowBoard(50, 25);
        // Noise shows any pixel one path writes and the other does not.
        fillNoise(fastView, 7);
        fillNoise(slowView, 7);
        fillNoise(fastBoard, 8);
        fillNoise(slowBoard, 8);
        LedGrid ledGrid;
        ledGrid.paintWindow(fastView, fastBoard, bits, w, st);
        for (int r = w.y; r < w.bottom(); ++r)
            for (int c = w.x; c < w.right(); ++c) {
                const Color colour = bits.lit(c, r) ? st.ledColor : st.backColor;
                slowView.setFillColor(colour);
                const vexel::CellBody b = vexel::cellBody(c, r, zoom, st.gridInset);
                ledGrid.drawLed(slowView, b.left, b.top, b.right, b.bottom, st);
                slowBoard.setPixel(c, r, colour);
            }
        ASSERT_TRUE(fastView.image() == slowView.image()) << "window " << w.x << "," << w.y;
        ASSERT_TRUE(fastBoard.image() == slowBoard.image()) << "window " << w.x << "," << w.y;
    }
}

TEST_P(LedGridFastPathTest, BoardRepaintEqualsDrawingEveryCellInItsColour)
{
    const auto [zoom, grid, rounded] = GetParam();
    const GridStyle st = style(zoom, grid, rounded, 50, 25);
    Surface board(60, 30);
    std::mt19937 random(3);
    const Color colours[] = {Led, Back, vexel::White}; // white: pasted from the clipboard
    for (int r = 0; r < board.height(); ++r)
        for (int c = 0; c < board.width(); ++c)
            board.setPixel(c, r, colours[random() % 3]);

    Surface fastView(260, 150);
    Surface slowView(260, 150);
    fillNoise(fastView, 5);
    fillNoise(slowView, 5);
    LedGrid ledGrid;
    ledGrid.paintBoard(fastView, board, st);
    for (int r = 0; r < st.boardHeight; ++r)
        for (int c = 0; c < st.boardWidth; ++c) {
            slowView.setFillColor(board.pixel(c, r));
            const vexel::CellBody b = vexel::cellBody(c, r, zoom, st.gridInset);
            ledGrid.drawLed(slowView, b.left, b.top, b.right, b.bottom, st);
        }
    ASSERT_TRUE(fastView.image() == slowView.image());
}

INSTANTIATE_TEST_SUITE_P(Styles, LedGridFastPathTest,
                         ::testing::Combine(::testing::Values(1, 2, 3, 4, 7, 10, 13), ::testing::Bool(),
                                            ::testing::Bool()));

// The grid is drawn row by row; it must be exactly the lines drawn one by one
// in their order: plain along every cell edge, then the heavy ones every
// eighth LED one pixel in. Views smaller than the board clip the lines.
TEST(LedGridTest, GridRowByRowEqualsDrawingEveryLine)
{
    for (const int zoom : {1, 2, 3, 4, 8, 13})
        for (const QSize viewSize : {QSize(400, 200), QSize(97, 61), QSize(1, 1)}) {
            GridStyle st = style(zoom, true, true, 37, 19);
            st.gridColor = 0x40F0C0;
            Surface fast(viewSize.width(), viewSize.height());
            Surface slow(viewSize.width(), viewSize.height());
            fillNoise(fast, 11);
            fillNoise(slow, 11);
            fast.takeDirty();
            slow.takeDirty();
            LedGrid().drawGrid(fast, st, LedRect{}, false, FrameRect{});

            const int s = zoom;
            const int w = st.boardWidth;
            const int h = st.boardHeight;
            slow.setPenColor(st.gridColor);
            for (int r = 0; r < h; ++r)
                slow.line(0, r * s, w * s + s, r * s);
            for (int c = 0; c < w; ++c)
                slow.line(c * s, 0, c * s, h * s + s);
            slow.setPenColor(LedGrid::heavyLineColor(st.gridColor));
            for (int r = 0; r < h; r += 8)
                slow.line(1, r * s, w * s + s, r * s);
            for (int c = 0; c < w; c += 8)
                slow.line(c * s, 1, c * s, h * s + s);

            ASSERT_TRUE(fast.image() == slow.image()) << "zoom " << zoom << ", view " << viewSize.width();
            EXPECT_TRUE(fast.takeDirty().contains(slow.takeDirty())) << "zoom " << zoom;
        }
}
