// Gestures on the LED grid, driven through the widget's mouse events: what
// each press, move and release does with the keys and buttons it carries.
#include "support/EditorFixture.h"

#include <QMenu>
#include <QPushButton>

using frames_fixture::EditorTest;
using frames_fixture::FrameText;
using frames_fixture::header;
using frames_fixture::imageText;

namespace {

constexpr auto Alt = Qt::AltModifier;
constexpr auto Ctrl = Qt::ControlModifier;
constexpr auto Shift = Qt::ShiftModifier;
const Qt::KeyboardModifiers None = Qt::NoModifier;

// One frame whose window is columns 8-23, rows 4-11 of the 96 x 24 board.
const vexel::FrameRect Window{8, 4, 16, 8};

class MouseGestureTest : public EditorTest {
protected:
    void openWindowed(char fill = '0') { open(imageText({FrameText{header(0, 500, Window), fill}})); }
    std::string recordRow(int boardRow) const { return session.document().record().line(2 + boardRow - Window.y); }
};

} // namespace

TEST_F(MouseGestureTest, AltStrokeAcrossTheWindowEdgePaintsOnlyInsideAndStoresOnceAtRelease)
{
    openWindowed();
    const std::string before = session.document().record().text();

    press(Qt::LeftButton, Alt, cell(20, 5));
    for (int c : {22, 23, 24, 30})
        move(Alt, cell(c, 5));
    EXPECT_EQ(session.document().record().text(), before) << "the record is rewritten at the release only";
    EXPECT_TRUE(session.editor().document().bits().lit(23, 5)) << "the bit array follows every painted LED";
    release(Qt::LeftButton, Alt, cell(30, 5));

    for (int c : {20, 22, 23})
        EXPECT_TRUE(litOnBoard(c, 5)) << c;
    for (int c : {21, 24, 30}) {
        EXPECT_FALSE(litOnBoard(c, 5)) << c;
        EXPECT_FALSE(session.editor().document().bits().lit(c, 5)) << c;
    }
    EXPECT_TRUE(session.document().modified());
    // Columns 8-23 are bytes 1 and 2; 20, 22 and 23 are bits 3, 1 and 0 of byte 2.
    EXPECT_EQ(recordRow(5), "000B");
}

TEST_F(MouseGestureTest, PositionsJustLeftOfTheViewBelongToColumnZero)
{
    openBlank();
    press(Qt::LeftButton, Alt, cell(0, 1));
    move(Alt, QPoint(-session.settings().cellSize() + 1, 25)); // less than a cell out: column 0, row 2
    move(Alt, QPoint(-session.settings().cellSize() - 1, 35)); // column -1: on no frame window
    release(Qt::LeftButton, Alt, QPoint(-40, 35));
    EXPECT_TRUE(litOnBoard(0, 2));
    EXPECT_FALSE(litOnBoard(0, 3));
    EXPECT_EQ(session.document().record().line(2 + 2).substr(0, 2), "80");
}

namespace {

struct ButtonCase {
    const char* name;
    std::vector<Qt::MouseButton> buttons; // pressed in this order with Alt
    bool startLit;
    bool endLit;
    bool modified;
};

void PrintTo(const ButtonCase& c, std::ostream* os) { *os << c.name; }

class MouseAltButtonsTest : public MouseGestureTest, public ::testing::WithParamInterface<ButtonCase> {};

} // namespace

TEST_P(MouseAltButtonsTest, AltPaintsWithTheButtonsHeld)
{
    const ButtonCase& c = GetParam();
    openWindowed(c.startLit ? 'F' : '0');
    ASSERT_EQ(litOnBoard(10, 6), c.startLit);
    for (Qt::MouseButton b : c.buttons)
        press(b, Alt, cell(10, 6));
    for (auto it = c.buttons.rbegin(); it != c.buttons.rend(); ++it)
        release(*it, Alt, cell(10, 6));
    EXPECT_EQ(litOnBoard(10, 6), c.endLit);
    EXPECT_EQ(session.editor().document().bits().lit(10, 6), c.endLit);
    EXPECT_EQ(session.document().modified(), c.modified);
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, MouseAltButtonsTest,
    ::testing::Values(ButtonCase{"LeftLights", {Qt::LeftButton}, false, true, true},
                      ButtonCase{"RightClears", {Qt::RightButton}, true, false, true},
                      ButtonCase{"BothClear", {Qt::LeftButton, Qt::RightButton}, true, false, true},
                      ButtonCase{"MiddleDoesNothing", {Qt::MiddleButton}, true, true, false}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(MouseGestureTest, AltWithShiftSelectsAndPaintsNothing)
{
    openWindowed();
    const std::string before = session.document().record().text();
    press(Qt::LeftButton, Alt | Shift, cell(10, 5));
    move(Alt | Shift, cell(12, 6));
    move(Alt | Shift, cell(14, 7));
    release(Qt::LeftButton, Alt | Shift, cell(14, 7));

    for (int c = 10; c <= 14; ++c)
        EXPECT_FALSE(litOnBoard(c, 7)) << c;
    EXPECT_FALSE(session.document().modified());
    EXPECT_EQ(session.document().record().text(), before);
    EXPECT_TRUE(session.editor().selection().shown());
    EXPECT_TRUE(ui.Button9->isEnabled());
    EXPECT_EQ(session.editor().selection().rect().x0, 10);
    EXPECT_EQ(session.editor().selection().rect().y0, 5);
    EXPECT_EQ(session.editor().selection().rect().x1, 15);
    EXPECT_EQ(session.editor().selection().rect().y1, 8);
}

TEST_F(MouseGestureTest, CtrlPressWithoutAltMovesTheCursorAndStartsAFill)
{
    openWindowed();
    press(Qt::LeftButton, Ctrl, cell(11, 6));
    EXPECT_EQ(session.editor().canvas().cursorPos(), QPoint(11, 6));
    EXPECT_EQ(session.editor().gestures().fillStart().x(), 11);
    EXPECT_EQ(session.editor().gestures().fillStart().y(), 6);
    EXPECT_FALSE(session.document().modified()) << "a cursor move is no edit";

    // The release with Ctrl fills in Led_Color, nothing having been drawn yet,
    // and the fill reaches the record without Alt.
    release(Qt::LeftButton, Ctrl, cell(12, 7));
    for (int c : {11, 12})
        for (int r : {6, 7})
            EXPECT_TRUE(litOnBoard(c, r)) << c << "," << r;
    EXPECT_FALSE(litOnBoard(13, 7));
    EXPECT_TRUE(session.document().modified());
    EXPECT_EQ(recordRow(7), "1800");
}

TEST_F(MouseGestureTest, LeftClickOutsideTheWindowLeavesTheCursor)
{
    openWindowed();
    const QPoint cursor = session.editor().canvas().cursorPos();
    press(Qt::LeftButton, None, cell(2, 2));
    release(Qt::LeftButton, None, cell(2, 2));
    EXPECT_EQ(session.editor().canvas().cursorPos(), cursor);
    press(Qt::LeftButton, None, cell(9, 10));
    release(Qt::LeftButton, None, cell(9, 10));
    EXPECT_EQ(session.editor().canvas().cursorPos(), QPoint(9, 10));
}

TEST_F(MouseGestureTest, LettingGoOfAltFirstEndsTheStrokeWithoutStoring)
{
    openWindowed();
    const std::string before = session.document().record().text();
    press(Qt::LeftButton, Alt, cell(9, 5));
    release(Qt::LeftButton, None, cell(9, 5));
    EXPECT_TRUE(litOnBoard(9, 5));
    EXPECT_TRUE(session.editor().document().bits().lit(9, 5));
    EXPECT_EQ(session.document().record().text(), before);
}

TEST_F(MouseGestureTest, LettingGoOfCtrlFirstCancelsTheRectangleFill)
{
    openWindowed();
    press(Qt::LeftButton, Ctrl | Alt, cell(9, 5));
    move(Ctrl | Alt, cell(12, 7));
    release(Qt::LeftButton, Alt, cell(12, 7));
    for (int c = 9; c <= 12; ++c)
        EXPECT_FALSE(litOnBoard(c, 6)) << c;
    EXPECT_FALSE(session.document().modified());
}

TEST_F(MouseGestureTest, RectangleFillOnOneLedFillsThatLedOnBothPictures)
{
    openWindowed();
    const int s = session.settings().cellSize();
    press(Qt::LeftButton, Ctrl | Alt, cell(12, 8));
    release(Qt::LeftButton, Ctrl | Alt, cell(12, 8));
    EXPECT_TRUE(litOnBoard(12, 8));
    for (const QPoint& n : {QPoint(11, 8), QPoint(13, 8), QPoint(12, 7), QPoint(12, 9)})
        EXPECT_FALSE(litOnBoard(n.x(), n.y())) << n.x() << "," << n.y();
    EXPECT_EQ(session.editor().canvas().view().pixel(12 * s + s - 1, 8 * s + s - 1), session.settings().ledColor());
    EXPECT_NE(session.editor().canvas().view().pixel(13 * s + s / 2, 8 * s + s / 2), session.settings().ledColor());
    EXPECT_EQ(recordRow(8), "0800");
}

TEST_F(MouseGestureTest, RectangleFillReachingOutsideTheWindowFillsNothing)
{
    openWindowed();
    press(Qt::LeftButton, Ctrl | Alt, cell(20, 10));
    release(Qt::LeftButton, Ctrl | Alt, cell(26, 13));
    EXPECT_FALSE(litOnBoard(20, 10));
    EXPECT_FALSE(litOnBoard(23, 11));
    EXPECT_FALSE(session.document().modified());
}

TEST_F(MouseGestureTest, RectangleFillUsesTheColourOfTheLastAltPressOnBothPictures)
{
    openWindowed('F');
    const int s = session.settings().cellSize();
    // An Alt+right press chooses the unlit colour...
    press(Qt::RightButton, Alt, cell(9, 4));
    release(Qt::RightButton, Alt, cell(9, 4));
    // ...and a Paste in between leaves the lit colour as the view's fill.
    press(Qt::LeftButton, Shift, cell(15, 8));
    release(Qt::LeftButton, Shift, cell(15, 8));
    ui.Copy1->trigger();
    press(Qt::LeftButton, None, cell(16, 8));
    release(Qt::LeftButton, None, cell(16, 8));
    ui.Paste1->trigger();
    ASSERT_EQ(session.editor().canvas().view().fillColor(), session.settings().ledColor());
    press(Qt::LeftButton, Ctrl, cell(10, 5));
    release(Qt::LeftButton, Ctrl, cell(12, 6));
    for (int c = 10; c <= 12; ++c) {
        EXPECT_EQ(session.editor().canvas().board().pixel(c, 6), session.settings().backColor()) << c;
        EXPECT_EQ(session.editor().canvas().view().pixel(c * s + s / 2, 6 * s + s / 2), session.settings().backColor()) << c;
    }
    EXPECT_FALSE(session.editor().document().bits().lit(11, 5));
    EXPECT_EQ(recordRow(6), "C7FF") << "columns 10-12 off in the record, the rest still lit";
}

TEST_F(MouseGestureTest, ContextMenuOpensOnlyAfterAPlainRightClick)
{
    openBlank();
    press(Qt::RightButton, Alt, cell(3, 3));
    move(Alt, cell(4, 3));
    release(Qt::RightButton, Alt, cell(4, 3));
    EXPECT_FALSE(ui.PopupMenu1->isVisible());

    press(Qt::RightButton, Ctrl | Alt, cell(3, 3));
    release(Qt::RightButton, Ctrl | Alt, cell(5, 5));
    EXPECT_FALSE(ui.PopupMenu1->isVisible());

    press(Qt::RightButton, None, cell(3, 3));
    EXPECT_FALSE(ui.PopupMenu1->isVisible());
    release(Qt::RightButton, None, cell(3, 3));
    EXPECT_TRUE(ui.PopupMenu1->isVisible());
    ui.PopupMenu1->hide();
}
