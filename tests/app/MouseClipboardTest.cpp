// Selections, Copy and Paste, Fill and Clear, and which edits mark the image
// as modified.
#include "support/EditorFixture.h"

#include <QFrame>
#include <QPushButton>

#include <functional>

using frames_fixture::EditorTest;
using frames_fixture::FrameText;
using frames_fixture::header;
using frames_fixture::imageText;

namespace {

constexpr int S = 10; // the zoom the editor starts with
constexpr QPoint px(int column, int row) { return QPoint(column * S + S / 2, row * S + S / 2); }

class MouseClipboardTest : public EditorTest {
protected:
    void paint(int column, int row)
    {
        press(Qt::LeftButton, Qt::AltModifier, cell(column, row));
        release(Qt::LeftButton, Qt::AltModifier, cell(column, row));
    }
    void select(QPoint from, QPoint to)
    {
        press(Qt::LeftButton, Qt::ShiftModifier, cell(from.x(), from.y()));
        move(Qt::ShiftModifier, cell(to.x(), to.y()));
        release(Qt::LeftButton, Qt::ShiftModifier, cell(to.x(), to.y()));
    }
    void placeCursor(int column, int row)
    {
        press(Qt::LeftButton, Qt::NoModifier, cell(column, row));
        release(Qt::LeftButton, Qt::NoModifier, cell(column, row));
    }
};

struct SelectionCase {
    const char* name;
    QPoint pressAt;   // pixels of the zoomed view
    QPoint releaseAt; // pixels; may lie outside the view
    vexel::LedRect expected;
};

void PrintTo(const SelectionCase& c, std::ostream* os) { *os << c.name; }

class MouseSelectionTest : public MouseClipboardTest, public ::testing::WithParamInterface<SelectionCase> {};

} // namespace

TEST_P(MouseSelectionTest, ShiftDragSelectsBothCornersWhateverTheDirection)
{
    openBlank();
    ASSERT_EQ(session.settings().cellSize(), S);
    const SelectionCase& c = GetParam();
    press(Qt::LeftButton, Qt::ShiftModifier, c.pressAt);
    move(Qt::ShiftModifier, c.releaseAt);
    release(Qt::LeftButton, Qt::ShiftModifier, c.releaseAt);
    EXPECT_EQ(session.editor().selection().rect().x0, c.expected.x0);
    EXPECT_EQ(session.editor().selection().rect().y0, c.expected.y0);
    EXPECT_EQ(session.editor().selection().rect().x1, c.expected.x1);
    EXPECT_EQ(session.editor().selection().rect().y1, c.expected.y1);
    EXPECT_TRUE(session.editor().selection().shown());
    EXPECT_FALSE(session.document().modified());
}

INSTANTIATE_TEST_SUITE_P(
    Directions, MouseSelectionTest,
    ::testing::Values(SelectionCase{"DownRight", px(2, 3), px(6, 5), {2, 3, 7, 6}},
                      SelectionCase{"UpLeft", px(6, 5), px(2, 3), {2, 3, 7, 6}},
                      SelectionCase{"UpRight", px(2, 5), px(6, 3), {2, 3, 7, 6}},
                      SelectionCase{"DownLeft", px(6, 3), px(2, 5), {2, 3, 7, 6}},
                      SelectionCase{"OneLedLeft", px(4, 4), px(3, 4), {3, 4, 5, 5}},
                      SelectionCase{"Click", px(4, 4), px(4, 4), {4, 4, 5, 5}},
                      // Kept on the 96 x 24 board however far the pointer went.
                      SelectionCase{"PastTheBoard", px(90, 20), QPoint(1500, 400), {90, 20, 96, 24}},
                      SelectionCase{"BeforeTheBoard", px(3, 3), QPoint(-35, -45), {0, 0, 4, 4}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(MouseClipboardTest, OnlyALeftReleaseWithShiftCompletesASelection)
{
    openBlank();
    select({2, 2}, {10, 5});
    press(Qt::RightButton, Qt::ShiftModifier, cell(20, 1));
    release(Qt::RightButton, Qt::ShiftModifier, cell(22, 3));
    // The first corner moved; the end stayed, so the rectangle is empty now.
    EXPECT_EQ(session.editor().selection().rect().x0, 20);
    EXPECT_EQ(session.editor().selection().rect().y0, 1);
    EXPECT_EQ(session.editor().selection().rect().x1, 11);
    EXPECT_EQ(session.editor().selection().rect().y1, 6);
}

TEST_F(MouseClipboardTest, CopyAndPasteRefuseUntilThereIsSomethingToTake)
{
    openBlank();
    ui.Paste1->trigger();
    ui.Copy1->trigger();
    ASSERT_EQ(prompter.count("inform"), 2);
    EXPECT_EQ(prompter.asked[0].text, "Buffer is empty");
    EXPECT_EQ(prompter.asked[1].text, "No selection");
    for (const auto& asked : prompter.asked)
        EXPECT_EQ(asked.button, Prompter::InfoButton::Yes);
    EXPECT_FALSE(session.editor().clipboard().filled());
    EXPECT_TRUE(ui.Panel5->isHidden());
    EXPECT_FALSE(session.document().modified());
    EXPECT_EQ(session.editor().clipboard().picture().pixel(5, 5), vexel::White);

    select({0, 0}, {1, 1});
    ui.Copy2->trigger();
    EXPECT_TRUE(session.editor().clipboard().filled());
    EXPECT_FALSE(ui.Panel5->isHidden());
    EXPECT_EQ(prompter.count("inform"), 2);
}

TEST_F(MouseClipboardTest, PasteNearTheRightAndBottomEdgesKeepsWhatIsOnTheBoard)
{
    openBlank();
    paint(0, 0);
    paint(1, 0);
    paint(1, 1);
    select({0, 0}, {3, 2});
    ui.Copy1->trigger();
    placeCursor(94, 22);
    ui.Paste1->trigger();

    EXPECT_TRUE(litOnBoard(94, 22));
    EXPECT_TRUE(litOnBoard(95, 22));
    EXPECT_FALSE(litOnBoard(94, 23));
    EXPECT_TRUE(litOnBoard(95, 23));
    EXPECT_TRUE(session.editor().document().bits().lit(95, 23));
    // Nothing wraps or lands beside the board on the picture's spare pixels.
    EXPECT_EQ(session.editor().canvas().board().pixel(96, 22), vexel::White);
    EXPECT_EQ(session.editor().canvas().board().pixel(94, 24), vexel::White);
    EXPECT_FALSE(session.editor().document().bits().lit(0, 23));
    // Paste commits: the last byte of row 22 holds columns 94 and 95.
    EXPECT_EQ(session.document().record().line(2 + 22).substr(22), "03");
}

TEST_F(MouseClipboardTest, PasteAfterTheSelectionGrewPastesUnlitLedsForWhatWasNotCopied)
{
    openBlank();
    paint(0, 0);
    paint(1, 0);
    select({0, 0}, {1, 0});
    ui.Copy1->trigger();
    select({0, 0}, {3, 0});
    paint(12, 5);
    placeCursor(10, 5);
    QTest::mouseDClick(ui.Image3, Qt::LeftButton);
    QTest::mouseRelease(ui.Image3, Qt::LeftButton);

    EXPECT_TRUE(litOnBoard(10, 5));
    EXPECT_TRUE(litOnBoard(11, 5));
    for (int c : {12, 13}) {
        EXPECT_EQ(session.editor().canvas().board().pixel(c, 5), session.settings().backColor()) << c;
        EXPECT_FALSE(session.editor().document().bits().lit(c, 5)) << c;
        EXPECT_EQ(session.editor().canvas().view().pixel(c * S + S / 2, 5 * S + S / 2), session.settings().backColor()) << c;
    }
    EXPECT_EQ(session.document().record().line(2 + 5).substr(2, 2), "30");
}

TEST_F(MouseClipboardTest, FillAndClearCoverTheWholeBoardWhileTheRecordKeepsTheWindow)
{
    const vexel::FrameRect window{8, 4, 16, 8};
    open(imageText({FrameText{header(0, 500, window)}}));
    const int lines = session.document().record().lineCount();

    QTest::mouseClick(ui.Button2, Qt::LeftButton);
    for (const QPoint& led : {QPoint(0, 0), QPoint(95, 23), QPoint(10, 5)}) {
        EXPECT_TRUE(litOnBoard(led.x(), led.y())) << led.x() << "," << led.y();
        EXPECT_TRUE(session.editor().document().bits().lit(led.x(), led.y())) << led.x() << "," << led.y();
    }
    EXPECT_EQ(session.editor().canvas().view().pixel(95 * S + S / 2, 23 * S + S / 2), session.settings().ledColor());
    EXPECT_EQ(session.document().record().lineCount(), lines);
    for (int k = 0; k < window.h; ++k)
        EXPECT_EQ(session.document().record().line(2 + k), "FFFF") << k;
    EXPECT_EQ(session.editor().canvas().cursorColor(), session.settings().ledColor());
    EXPECT_TRUE(session.document().modified());

    QTest::mouseClick(ui.Button1, Qt::LeftButton);
    EXPECT_FALSE(litOnBoard(0, 0));
    EXPECT_FALSE(session.editor().document().bits().lit(95, 23));
    EXPECT_EQ(session.document().record().line(2), "0000");
    EXPECT_EQ(session.editor().canvas().cursorColor(), session.settings().backColor());
}

TEST_F(MouseClipboardTest, OnlyEditsThatChangeLedsMarkTheImageModified)
{
    struct Case {
        const char* name;
        std::function<void()> act;
        bool modified;
    };
    const Case cases[] = {
        {"selection", [&] { select({1, 1}, {9, 4}); }, false},
        {"copy", [&] { select({1, 1}, {9, 4}); ui.Copy1->trigger(); }, false},
        {"cursor move", [&] { placeCursor(5, 5); }, false},
        {"painted LED", [&] { paint(5, 5); }, true},
        {"rectangle fill",
         [&] {
             press(Qt::LeftButton, Qt::ControlModifier | Qt::AltModifier, cell(2, 2));
             release(Qt::LeftButton, Qt::ControlModifier | Qt::AltModifier, cell(4, 4));
         },
         true},
        {"paste", [&] { select({1, 1}, {9, 4}); ui.Copy1->trigger(); ui.Paste1->trigger(); }, true},
        {"clear", [&] { ui.Button1->click(); }, true},
        {"fill", [&] { ui.Button2->click(); }, true},
    };
    for (const Case& c : cases) {
        openBlank();
        c.act();
        EXPECT_EQ(session.document().modified(), c.modified) << c.name;
    }
}
