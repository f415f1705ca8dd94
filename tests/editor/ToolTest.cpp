// The tools of the tool row as a table: plain left-button presses, moves
// and releases (and keys) on a frame window smaller than the board, the
// LEDs they leave around that window, the step they make and its undo.
#include "support/CoreFixture.h"

#include "editor/tools/ToolList.h"

#include <string>
#include <vector>

using testing_support::CoreFixture;
using vexel::Tool;

namespace {

// The frame window: columns 8-15, rows 4-8 of the 96 x 24 board.
const vexel::FrameRect Window{8, 4, 8, 5};
// What the tables show: the window and one LED around it, columns 7-16,
// rows 3-9.
constexpr int Left = 7;
constexpr int Top = 3;
constexpr int Columns = 10;
constexpr int Rows = 7;

// Columns 10-11 of rows 5-6 are lit.
const char* const Start[Rows] = {
    "..........", //
    "..........", //
    "...##.....", //
    "...##.....", //
    "..........", //
    "..........", //
    "..........",
};

struct Event {
    char kind; // 'p' press, 'm' move, 'r' release, 'k' key
    int column;
    int row;
    Qt::KeyboardModifiers keys = Qt::NoModifier;
    Qt::MouseButton button = Qt::LeftButton;
};

struct Case {
    const char* name;
    Tool tool;
    std::vector<Event> events;
    std::vector<std::string> leds; // empty: as at the start
    const char* undoText = "";     // the one step made, "" for none
    bool unlit = false;
    vexel::LedRect selection{};
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

class ToolTest : public CoreFixture {
public:
    void openWindow()
    {
        QByteArray text = "0001\r\n000000640008000400080005\r\n";
        const char* rows[] = {"00", "30", "30", "00", "00"};
        for (const char* r : rows)
            text += QByteArray(r) + "\r\n";
        open(text);
        ASSERT_EQ(editor.document().frameRect(), Window);
    }

    std::vector<std::string> shown() const
    {
        std::vector<std::string> out;
        for (int r = Top; r < Top + Rows; ++r) {
            std::string row;
            for (int c = Left; c < Left + Columns; ++c)
                row += editor.canvas().lit(c, r) ? '#' : '.';
            out.push_back(row);
        }
        return out;
    }

    void play(const std::vector<Event>& events)
    {
        for (const Event& e : events) {
            const Qt::MouseButtons held = e.button;
            switch (e.kind) {
            case 'p': editor.press(at(e.column, e.row, e.button, held, e.keys)); break;
            case 'm': editor.move(at(e.column, e.row, Qt::NoButton, held, e.keys)); break;
            case 'r': editor.release(at(e.column, e.row, e.button, Qt::NoButton, e.keys)); break;
            case 'k': editor.toolKey(e.column); break;
            }
        }
    }
};

const std::vector<std::string> Initial(Start, Start + Rows);

class ToolTable : public ToolTest, public ::testing::WithParamInterface<Case> {};

TEST_P(ToolTable, LeavesTheseLedsAsOneUndoableStep)
{
    openWindow();
    const Case& c = GetParam();
    editor.setTool(c.tool);
    editor.setDrawUnlit(c.unlit);
    if (!c.selection.isZero())
        editor.selection().set(c.selection);
    const std::string before = editor.document().record().text();
    play(c.events);

    const std::vector<std::string> expected = c.leds.empty() ? Initial : c.leds;
    EXPECT_EQ(shown(), expected);
    editor.loadFrame();
    EXPECT_EQ(shown(), expected) << "the frame record holds what the board shows";
    EXPECT_TRUE(editor.activeTool().preview().empty()) << "no preview outlives the gesture";

    if (std::string(c.undoText).empty()) {
        EXPECT_FALSE(editor.history().canUndo());
        EXPECT_EQ(editor.document().record().text(), before);
        return;
    }
    EXPECT_EQ(editor.history().count(), 1);
    EXPECT_EQ(editor.history().undoText(), QString::fromLatin1(c.undoText));
    ASSERT_TRUE(editor.undo());
    EXPECT_EQ(shown(), Initial);
    EXPECT_EQ(editor.document().record().text(), before);
    ASSERT_TRUE(editor.redo());
    EXPECT_EQ(shown(), expected);
    EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
}

constexpr auto Alt = Qt::AltModifier;

const Case Cases[] = {
    // Pencil and Eraser: a continuous line between the reported positions.
    {"PencilJoinsAFastDrag", Tool::Pencil,
     {{'p', 8, 4}, {'m', 15, 4}, {'m', 15, 8}, {'r', 15, 8}},
     {"..........", //
      ".########.", //
      "...##...#.", //
      "...##...#.", //
      "........#.", //
      "........#.", //
      ".........."},
     "Undo paint"},
    {"PencilStopsAtTheWindowAndComesBackIn", Tool::Pencil,
     {{'p', 9, 8}, {'m', 9, 12}, {'m', 4, 6}, {'m', 9, 6}, {'r', 9, 6}},
     {"..........", //
      "..........", //
      "...##.....", //
      ".####.....", //
      "..........", //
      "..#.......", //
      ".........."},
     "Undo paint"},
    {"EraserClears", Tool::Eraser, {{'p', 9, 5}, {'m', 12, 6}, {'r', 12, 6}},
     {"..........", //
      "..........", //
      "....#.....", //
      "...#......", //
      "..........", //
      "..........", //
      ".........."},
     "Undo erase"},
    {"PencilWithTheToggleErases", Tool::Pencil, {{'p', 10, 5}, {'m', 11, 5}, {'r', 11, 5}},
     {"..........", //
      "..........", //
      "..........", //
      "...##.....", //
      "..........", //
      "..........", //
      ".........."},
     "Undo erase", true},
    {"EraserWithTheToggleLights", Tool::Eraser, {{'p', 8, 8}, {'r', 8, 8}},
     {"..........", //
      "..........", //
      "...##.....", //
      "...##.....", //
      "..........", //
      ".#........", //
      ".........."},
     "Undo paint", true},
    {"PencilOutsideTheWindowDrawsNothing", Tool::Pencil, {{'p', 3, 3}, {'m', 20, 3}, {'r', 20, 3}}, {}},
    // The Alt gestures under a tool keep painting only the LEDs under their events.
    {"AltStrokeUnderThePencilLeavesGaps", Tool::Pencil,
     {{'p', 8, 8, Alt}, {'m', 12, 8, Alt}, {'r', 12, 8, Alt}},
     {"..........", //
      "..........", //
      "...##.....", //
      "...##.....", //
      "..........", //
      ".#...#....", //
      ".........."},
     "Undo paint"},
    {"AltRightUnderTheRectangleClears", Tool::Rectangle,
     {{'p', 10, 5, Alt, Qt::RightButton}, {'r', 10, 5, Alt, Qt::RightButton}},
     {"..........", //
      "..........", //
      "....#.....", //
      "...##.....", //
      "..........", //
      "..........", //
      ".........."},
     "Undo erase"},

    {"RectangleFillsToTheWindowsCorner", Tool::Rectangle, {{'p', 13, 7}, {'m', 9, 4}, {'r', 15, 8}},
     {"..........", //
      "..........", //
      "...##.....", //
      "...##.....", //
      "......###.", //
      "......###.", //
      ".........."},
     "Undo fill rectangle"},
    {"RectangleReachingOutOfTheWindowFillsNothing", Tool::Rectangle, {{'p', 13, 7}, {'r', 16, 8}}, {}},
    {"RectangleWithTheToggleClears", Tool::Rectangle, {{'p', 8, 4}, {'r', 15, 5}},
     {"..........", //
      "..........", //
      "..........", //
      "...##.....", //
      "..........", //
      "..........", //
      ".........."},
     "Undo fill rectangle", true},

    {"LineFromPressToRelease", Tool::Line, {{'p', 8, 4}, {'m', 15, 4}, {'m', 12, 8}, {'r', 15, 8}},
     {"..........", //
      ".#........", //
      "..###.....", //
      "...###....", //
      "......##..", //
      "........#.", //
      ".........."},
     "Undo line"},
    {"LineClippedToTheWindow", Tool::Line, {{'p', 5, 8}, {'r', 20, 8}},
     {"..........", //
      "..........", //
      "...##.....", //
      "...##.....", //
      "..........", //
      ".########.", //
      ".........."},
     "Undo line"},
    {"LineWithTheToggleClears", Tool::Line, {{'p', 10, 3}, {'r', 10, 9}},
     {"..........", //
      "..........", //
      "....#.....", //
      "....#.....", //
      "..........", //
      "..........", //
      ".........."},
     "Undo line", true},
    {"EscapeDropsTheLine", Tool::Line, {{'p', 8, 4}, {'m', 15, 8}, {'k', Qt::Key_Escape, 0}, {'r', 15, 8}}, {}},

    {"FloodFillsTheUnlitAreaOfTheWindow", Tool::FloodFill, {{'p', 15, 8}, {'r', 15, 8}},
     {"..........", //
      ".########.", //
      ".########.", //
      ".########.", //
      ".########.", //
      ".########.", //
      ".........."},
     "Undo flood fill"},
    {"FloodFillWithTheToggleClearsTheLitArea", Tool::FloodFill, {{'p', 11, 6}, {'r', 11, 6}},
     std::vector<std::string>(Rows, ".........."), "Undo flood fill", true},
    {"FloodFillOfAnAreaAlreadyLitChangesNothing", Tool::FloodFill, {{'p', 10, 5}, {'r', 10, 5}}, {}},
    {"FloodFillOutsideTheWindowChangesNothing", Tool::FloodFill, {{'p', 3, 3}, {'r', 3, 3}}, {}},

    {"MoveDragsTheSelectionAndUnlightsWhatItLeft", Tool::Move, {{'p', 10, 5}, {'m', 11, 5}, {'m', 12, 6}, {'r', 12, 6}},
     {"..........", //
      "..........", //
      "..........", //
      ".....##...", //
      ".....##...", //
      "..........", //
      ".........."},
     "Undo move", false, vexel::LedRect{10, 5, 12, 7}},
    {"MoveStopsAtTheWindowsEdge", Tool::Move, {{'p', 10, 5}, {'m', 40, 20}, {'r', 40, 20}},
     {"..........", //
      "..........", //
      "..........", //
      "..........", //
      ".......##.", //
      ".......##.", //
      ".........."},
     "Undo move", false, vexel::LedRect{10, 5, 12, 7}},
    {"MoveTakesTheUnlitLedsOfTheSelectionAlong", Tool::Move, {{'p', 10, 5}, {'m', 9, 4}, {'r', 9, 4}},
     {"..........", //
      "..##......", //
      "..##......", //
      "..........", //
      "..........", //
      "..........", //
      ".........."},
     "Undo move", false, vexel::LedRect{10, 5, 13, 7}},
    {"EscapeCancelsTheMove", Tool::Move, {{'p', 10, 5}, {'m', 13, 7}, {'k', Qt::Key_Escape, 0}, {'r', 13, 7}}, {}, "",
     false, vexel::LedRect{10, 5, 12, 7}},
    {"MoveWithoutASelectionDoesNothing", Tool::Move, {{'p', 10, 5}, {'m', 13, 7}, {'r', 13, 7}}, {}},

    {"CursorAndSelectChangeNoLed", Tool::Select, {{'p', 8, 4}, {'r', 12, 6}}, {}},
};

INSTANTIATE_TEST_SUITE_P(Tools, ToolTable, ::testing::ValuesIn(Cases),
                         [](const auto& c) { return std::string(c.param.name); });

TEST_F(ToolTest, FloodFillAndArrowNudgesAreStepsOfTheirOwn)
{
    openWindow();
    editor.setTool(Tool::FloodFill);
    editor.setDrawUnlit(true);
    play({{'p', 11, 6}, {'r', 11, 6}});
    EXPECT_EQ(editor.document().record().line(3), "00") << "the lit block is gone";
    ASSERT_TRUE(editor.undo());
    EXPECT_EQ(shown(), Initial);

    editor.setTool(Tool::Move);
    editor.selection().set(vexel::LedRect{10, 5, 12, 7});
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(editor.toolKey(Qt::Key_Left));
    EXPECT_EQ(editor.selection().rect(), (vexel::LedRect{8, 5, 10, 7})) << "the selection follows the block";
    EXPECT_EQ(editor.history().count(), 2) << "the third nudge met the edge and made no step";
    editor.selection().set(vexel::LedRect{});
    EXPECT_FALSE(editor.toolKey(Qt::Key_Left)) << "without a selection the arrows move the cursor";
}

TEST_F(ToolTest, SelectAndCursorToolsWorkAsTheirGestures)
{
    openWindow();
    editor.setTool(Tool::Select);
    play({{'p', 12, 6}, {'r', 9, 4}});
    EXPECT_EQ(editor.selection().rect(), (vexel::LedRect{9, 4, 13, 7}));
    EXPECT_TRUE(editor.selection().shown());
    editor.setTool(Tool::Cursor);
    play({{'p', 14, 7}, {'r', 14, 7}, {'p', 2, 2}, {'r', 2, 2}});
    EXPECT_EQ(editor.canvas().cursorPos(), QPoint(14, 7)) << "a click outside the window does nothing";
}

TEST_F(ToolTest, APlainRightClickOpensTheMenuUnderEveryTool)
{
    openWindow();
    for (const vexel::ToolInfo& info : vexel::toolList()) {
        editor.setTool(info.tool);
        EXPECT_FALSE(editor.press(at(10, 5, Qt::RightButton, Qt::RightButton)));
        EXPECT_TRUE(editor.release(at(10, 5, Qt::RightButton, Qt::NoButton))) << info.name;
    }
    EXPECT_EQ(shown(), Initial);
}

TEST_F(ToolTest, ALineDragIsPreviewedOnTheViewOnly)
{
    openWindow();
    editor.setTool(Tool::Line);
    const int s = settings.cellSize();
    auto viewAt = [&](int c, int r) { return editor.canvas().view().pixel(c * s + s / 2, r * s + s / 2); };
    const vexel::Color unlit = viewAt(14, 8);
    play({{'p', 8, 8}, {'m', 15, 8}});
    EXPECT_EQ(viewAt(14, 8), settings.ledColor());
    EXPECT_FALSE(editor.canvas().lit(14, 8)) << "a preview sets no LED";
    play({{'m', 8, 4}});
    EXPECT_EQ(viewAt(14, 8), unlit) << "the last preview is taken away";
    play({{'k', Qt::Key_Escape, 0}});
    EXPECT_EQ(viewAt(8, 6), unlit);
}

TEST(ToolList, EveryToolHasItsOwnKey)
{
    std::string keys;
    for (const vexel::ToolInfo& t : vexel::toolList())
        keys += t.key;
    EXPECT_EQ(keys, "CPERSLFM");
}

// The tools edit any LED grid: here a glyph-sized bitmap with its own steps.
class BitmapTarget : public vexel::LedTarget {
public:
    explicit BitmapTarget(vexel::LedBitmap& leds) : leds_(leds) {}
    int width() const override { return leds_.width(); }
    int height() const override { return leds_.height(); }
    bool lit(int x, int y) const override { return leds_.lit(x, y); }
    void setLit(int x, int y, bool on) override { leds_.set(x, y, on); }
    vexel::FrameRect window() const override { return vexel::FrameRect{0, 0, leds_.width(), leds_.height()}; }
    void beginStep(const QString& name) override { steps << name; }
    void endStep() override {}
    QStringList steps;

private:
    vexel::LedBitmap& leds_;
};

std::unique_ptr<vexel::LedTool> make(Tool tool)
{
    for (const vexel::ToolInfo& info : vexel::toolList())
        if (info.tool == tool)
            return info.make();
    return nullptr;
}

TEST(ToolsOnABitmap, LineAndFloodFillWorkOnAGlyph)
{
    vexel::LedBitmap glyph(5, 7);
    BitmapTarget target(glyph);
    auto line = make(Tool::Line);
    line->press(target, QPoint(0, 0));
    line->release(target, QPoint(4, 6));
    auto fill = make(Tool::FloodFill);
    fill->press(target, QPoint(4, 0));
    EXPECT_EQ(target.steps, (QStringList{"line", "flood fill"}));
    EXPECT_TRUE(glyph.lit(0, 0));
    EXPECT_TRUE(glyph.lit(4, 6));
    EXPECT_TRUE(glyph.lit(4, 0)) << "the upper right triangle";
    EXPECT_FALSE(glyph.lit(0, 6)) << "the lower left one is apart";
}

} // namespace
