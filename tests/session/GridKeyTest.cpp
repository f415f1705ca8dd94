// The keys the LED grid passes down: the cursor's moves within the frame
// window, Space on its LED, and the keys that mean nothing there.
#include "SessionFixture.h"

#include "document/ImageRecord.h"
#include "editor/BoardCanvas.h"

namespace {

struct KeyCase {
    const char* name;
    int key;
    bool taken;
    QPoint cursorAfter;
    bool litAfter; // the LED under the cursor's old place
};

class GridKey : public session_testing::SessionTest, public ::testing::WithParamInterface<KeyCase> {
protected:
    GridKey()
    {
        doc().setRecord(vexel::ImageRecord::blank(0, 0, 500, 96, 24, session.editor().document().bits()));
        doc().setFrameCount(1);
        doc().setCurrentFrame(0);
        doc().setFrameRect(vexel::FrameRect{0, 0, 12, 8});
        session.editor().canvas().placeCursor(11, 4);
    }
};

} // namespace

TEST_P(GridKey, MovesTheCursorWithinTheFrameOrSwitchesItsLed)
{
    const KeyCase& c = GetParam();
    EXPECT_EQ(session.gridKey(c.key), c.taken);
    EXPECT_EQ(session.editor().canvas().cursorPos(), c.cursorAfter);
    EXPECT_EQ(session.editor().document().bits().lit(11, 4), c.litAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, GridKey,
    ::testing::Values(KeyCase{"Left", Qt::Key_Left, true, QPoint(10, 4), false},
                      KeyCase{"RightStopsAtTheWindowsEdge", Qt::Key_Right, true, QPoint(11, 4), false},
                      KeyCase{"Up", Qt::Key_Up, true, QPoint(11, 3), false},
                      KeyCase{"Down", Qt::Key_Down, true, QPoint(11, 5), false},
                      KeyCase{"Space", Qt::Key_Space, true, QPoint(11, 4), true},
                      KeyCase{"ALetterIsNotTaken", Qt::Key_A, false, QPoint(11, 4), false},
                      KeyCase{"ReturnIsNotTaken", Qt::Key_Return, false, QPoint(11, 4), false}),
    [](const auto& row) { return std::string(row.param.name); });
