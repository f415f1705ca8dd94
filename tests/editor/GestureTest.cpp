// The gestures on the LED grid as a table: a sequence of presses, moves and
// releases with their buttons and keys, and the board steps it asks for.
#include "editor/Gestures.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

using vexel::GestureInput;
using vexel::Gestures;
using vexel::GestureStep;

namespace {

constexpr auto L = Qt::LeftButton;
constexpr auto R = Qt::RightButton;
constexpr auto M = Qt::MiddleButton;
constexpr auto None = Qt::NoButton;
constexpr auto Alt = Qt::AltModifier;
constexpr auto Ctrl = Qt::ControlModifier;
constexpr auto Shift = Qt::ShiftModifier;

// Columns 8-23, rows 4-11.
const vexel::FrameRect Frame{8, 4, 16, 8};

struct Event {
    char kind; // 'p' press, 'm' move, 'r' release
    int column;
    int row;
    Qt::MouseButton button;
    Qt::MouseButtons held;
    Qt::KeyboardModifiers keys;
};

std::string describe(const std::vector<GestureStep>& steps)
{
    std::ostringstream out;
    for (const GestureStep& s : steps) {
        const std::string where = std::to_string(s.led.x()) + "," + std::to_string(s.led.y());
        switch (s.kind) {
        case GestureStep::Kind::SelectionStart: out << "start " << where; break;
        case GestureStep::Kind::ChooseColor: out << (s.lit ? "colour lit" : "colour unlit"); break;
        case GestureStep::Kind::Paint: out << (s.lit ? "paint " : "clear ") << where; break;
        case GestureStep::Kind::FillRect:
            out << (s.lit ? "fill lit " : "fill unlit ") << s.rect.x0 << "," << s.rect.y0 << "-" << s.rect.x1 << ","
                << s.rect.y1;
            break;
        case GestureStep::Kind::Select: out << "select " << where; break;
        case GestureStep::Kind::PlaceCursor: out << "cursor " << where; break;
        case GestureStep::Kind::Store: out << "store"; break;
        case GestureStep::Kind::OpenMenu: out << "menu"; break;
        }
        out << "; ";
    }
    return out.str();
}

struct Case {
    const char* name;
    std::vector<Event> events;
    const char* steps; // every event's steps, one after another
    bool editable = true;
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

class GestureTable : public ::testing::TestWithParam<Case> {};

TEST_P(GestureTable, AsksForTheseSteps)
{
    Gestures gestures;
    std::string got;
    for (const Event& e : GetParam().events) {
        const GestureInput in{QPoint(e.column, e.row), e.button, e.held, e.keys};
        const bool editable = GetParam().editable;
        got += describe(e.kind == 'p'   ? gestures.press(in, Frame, editable)
                        : e.kind == 'm' ? gestures.move(in, Frame, editable)
                                        : gestures.release(in, Frame, editable));
    }
    EXPECT_EQ(got, GetParam().steps);
}

const Case Cases[] = {
    {"AltLeftStrokePaintsEveryReportedLedAndStoresAtRelease",
     {{'p', 10, 5, L, L, Alt}, {'m', 12, 5, None, L, Alt}, {'m', 30, 5, None, L, Alt}, {'r', 30, 5, L, None, Alt}},
     "colour lit; paint 10,5; colour lit; paint 12,5; store; "},
    {"AltRightClears", {{'p', 10, 5, R, R, Alt}, {'r', 10, 5, R, None, Alt}},
     "colour unlit; clear 10,5; store; "},
    {"BothButtonsClear", {{'p', 10, 5, R, L | R, Alt}}, "colour unlit; clear 10,5; "},
    {"MiddleButtonPaintsNothing", {{'p', 10, 5, M, M, Alt}, {'r', 10, 5, M, None, Alt}}, "store; "},
    {"LettingGoOfAltFirstEndsWithoutStoring",
     {{'p', 10, 5, L, L, Alt}, {'m', 11, 5, None, L, Qt::NoModifier}, {'r', 11, 5, L, None, Qt::NoModifier}},
     "colour lit; paint 10,5; "},
    {"CtrlAltFillsTheRectangleBetweenPressAndRelease",
     {{'p', 20, 9, L, L, Ctrl | Alt}, {'m', 15, 6, None, L, Ctrl | Alt}, {'r', 10, 5, L, None, Ctrl | Alt}},
     "colour lit; colour lit; fill lit 10,5-20,9; store; "},
    {"CtrlAltRightFillsUnlit", {{'p', 10, 5, R, R, Ctrl | Alt}, {'r', 11, 6, R, None, Ctrl | Alt}},
     "colour unlit; fill unlit 10,5-11,6; store; "},
    // Alt still stores the frame at the release.
    {"RectangleReachingOutOfTheFrameFillsNothing",
     {{'p', 10, 5, L, L, Ctrl | Alt}, {'r', 30, 5, L, None, Ctrl | Alt}}, "colour lit; store; "},
    {"LettingGoOfCtrlFirstCancelsTheFill", {{'p', 10, 5, L, L, Ctrl | Alt}, {'r', 11, 6, L, None, Alt}},
     "colour lit; store; "},
    {"CtrlWithoutAltMovesTheCursorAndFillsAtARelease",
     {{'p', 10, 5, L, L, Ctrl}, {'r', 12, 6, L, None, Ctrl}}, "cursor 10,5; fill lit 10,5-12,6; store; "},
    {"ShiftSelectsWithTheLeftButtonOnly",
     {{'p', 3, 2, R, R, Shift}, {'r', 5, 2, R, None, Shift}, {'p', 3, 2, L, L, Shift}, {'r', 5, 2, L, None, Shift}},
     "start 3,2; start 3,2; select 5,2; "},
    {"AltAndShiftSelectAndPaintNothing",
     {{'p', 10, 5, L, L, Alt | Shift}, {'m', 11, 5, None, L, Alt | Shift}, {'r', 11, 5, L, None, Alt | Shift}},
     "start 10,5; colour lit; select 11,5; "},
    {"PlainClickPlacesTheCursorInsideTheFrameOnly",
     {{'p', 10, 5, L, L, Qt::NoModifier}, {'r', 10, 5, L, None, Qt::NoModifier}, {'p', 2, 2, L, L, Qt::NoModifier}},
     "cursor 10,5; "},
    {"PlainRightClickOpensTheMenu", {{'p', 10, 5, R, R, Qt::NoModifier}, {'r', 10, 5, R, None, Qt::NoModifier}},
     "menu; "},
    {"RightStrokeWithAltOpensNoMenu", {{'p', 10, 5, R, R, Alt}, {'r', 10, 5, R, None, Qt::NoModifier}},
     "colour unlit; clear 10,5; "},

    // While the preview plays only the menu is left.
    {"WhilePlayingOnlyTheMenuOpens",
     {{'p', 10, 5, L, L, Alt}, {'r', 10, 5, L, None, Alt}, {'p', 10, 5, R, R, Qt::NoModifier},
      {'r', 10, 5, R, None, Qt::NoModifier}},
     "menu; ", false},
};

INSTANTIATE_TEST_SUITE_P(Gestures, GestureTable, ::testing::ValuesIn(Cases),
                         [](const auto& c) { return std::string(c.param.name); });

TEST(Gestures, ThePressDecidesTheFillColourAndTheStartOutlivesTheGesture)
{
    Gestures g;
    g.press({QPoint(10, 5), R, R, Alt}, Frame);
    g.move({QPoint(11, 5), Qt::NoButton, L | R, Alt}, Frame); // a button that joins decides nothing
    EXPECT_FALSE(g.lastLit());
    g.press({QPoint(12, 6), L, L, Ctrl}, Frame);
    g.release({QPoint(12, 6), L, None, Qt::NoModifier}, Frame);
    // A later release with Ctrl fills from the start of the last Ctrl press.
    const auto steps = g.release({QPoint(14, 7), L, None, Ctrl}, Frame);
    EXPECT_EQ(describe(steps), "fill unlit 12,6-14,7; store; ");
    EXPECT_EQ(g.fillStart(), QPoint(12, 6));
}

} // namespace
