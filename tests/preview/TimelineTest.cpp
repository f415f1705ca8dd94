// The simulator's timeline on boards small enough to work out by hand: a
// 6 x 3 board, 10 ms a LED step.
#include "preview/SimImages.h"
#include "preview/Timeline.h"

#include <gtest/gtest.h>

#include <random>

using namespace sim_testing;
using vexel::Timeline;

namespace {

constexpr int Step = 10;

Timeline timelineOf(const std::vector<FrameSpec>& frames, int width = 6, int height = 3)
{
    Timeline t(width, height, Step);
    const vexel::Status added = t.addImage(image(frames));
    EXPECT_TRUE(added.ok()) << added.error().toStdString();
    return t;
}

// One frame, A over the whole board, 100 ms hold.
struct EffectCase {
    const char* name;
    int entry;
    int exit;
    std::int64_t time;
    Rows expected;
};

void PrintTo(const EffectCase& c, std::ostream* os) { *os << c.name; }

class TimelineEffect : public ::testing::TestWithParam<EffectCase> {};

} // namespace

TEST_P(TimelineEffect, LitLedsAtTheChosenTime)
{
    const EffectCase& c = GetParam();
    Timeline t = timelineOf({{c.entry, c.exit, 100, Full, A}});
    EXPECT_EQ(picture(t.stateAt(c.time)), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Effects, TimelineEffect,
    ::testing::Values(
        EffectCase{"AtOnce_Start", 0, 0, 0, A},
        EffectCase{"AtOnce_EndOfHold", 0, 0, 99, A},
        // Rows come up from below, one a step; the rest shows the dark board.
        EffectCase{"SlideUp_FirstStep", 1, 0, 0, {"......", "......", "##...."}},
        EffectCase{"SlideUp_MidStep", 1, 0, 15, {"......", "##....", "#.#..."}},
        EffectCase{"SlideUp_LastStep", 1, 0, 29, A},
        EffectCase{"SlideUp_Hold", 1, 0, 30, A},
        // Columns come in from the right.
        EffectCase{"SlideLeft_FirstStep", 2, 0, 0, {".....#", ".....#", "......"}},
        EffectCase{"SlideLeft_ThirdStep", 2, 0, 25, {"...##.", "...#.#", "......"}},
        EffectCase{"SlideLeft_Hold", 2, 0, 60, A},
        // Out upward: dark rows follow from below.
        EffectCase{"OutUp_BeforeSlide", 0, 1, 99, A},
        EffectCase{"OutUp_FirstStep", 0, 1, 100, {"#.#...", "...###", "......"}},
        EffectCase{"OutUp_SecondStep", 0, 1, 119, {"...###", "......", "......"}},
        EffectCase{"OutUp_LastStep", 0, 1, 129, Dark},
        // Out to the left: dark columns follow from the right.
        EffectCase{"OutLeft_FirstStep", 0, 2, 100, {"#.....", ".#....", "..###."}},
        EffectCase{"OutLeft_FourthStep", 0, 2, 130, {"......", "......", "##...."}},
        EffectCase{"OutLeft_LastStep", 0, 2, 155, Dark},
        // Unknown digits play as effect 0.
        EffectCase{"UnknownEntry", 7, 0, 0, A},
        EffectCase{"UnknownExit", 0, 9, 99, A}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(Timeline, EffectsAndHoldAddUpToTheLoopLength)
{
    struct Case {
        int entry, exit, duration;
        std::int64_t length;
    };
    for (const Case c : {Case{0, 0, 100, 100}, Case{1, 0, 100, 130}, Case{2, 0, 100, 160}, Case{0, 1, 100, 130},
                         Case{0, 2, 100, 160}, Case{0, 3, 100, 110}, Case{2, 1, 100, 190}, Case{0xF, 0xF, 100, 100}}) {
        const Timeline t = timelineOf({{c.entry, c.exit, c.duration, Full, A}});
        EXPECT_EQ(t.loopLength(), c.length) << c.entry << "/" << c.exit;
    }
    const Timeline two = timelineOf({{2, 1, 100, Full, A}, {1, 3, 250, {1, 1, 2, 2}, {"##", "##"}}});
    EXPECT_EQ(two.loopLength(), 190 + 20 + 250 + 10);
    EXPECT_EQ(two.frame(1).start, 190);
}

TEST(Timeline, DurationZeroHoldsOneStepAndTheLongestHoldsItsFullTime)
{
    Timeline shortest = timelineOf({{0, 0, 0, Full, A}});
    EXPECT_EQ(shortest.loopLength(), Step);
    EXPECT_EQ(picture(shortest.stateAt(Step - 1)), A);

    Timeline longest = timelineOf({{0, 2, 65535, Full, A}});
    EXPECT_EQ(longest.loopLength(), 65535 + 6 * Step);
    EXPECT_EQ(picture(longest.stateAt(65534)), A);
    EXPECT_EQ(picture(longest.stateAt(65535)), Rows({"#.....", ".#....", "..###."}));
}

TEST(Timeline, FrameWindowSmallerThanTheBoardLeavesTheRestAsItWas)
{
    // A stays around B's 3 x 2 window at (2, 1).
    Timeline t = timelineOf({{0, 0, 100, Full, A}, {0, 1, 50, {2, 1, 3, 2}, {"#.#", ".#."}}});
    EXPECT_EQ(picture(t.stateAt(100)), Rows({"##....", "#.#.#.", "...#.#"}));
    // B slides out of its own window only.
    EXPECT_EQ(picture(t.stateAt(150)), Rows({"##....", "#..#..", ".....#"}));
    EXPECT_EQ(picture(t.stateAt(160)), Rows({"##....", "#.....", ".....#"}));
    // The next pass puts A back over all of it.
    EXPECT_EQ(picture(t.stateAt(t.loopLength())), A);
}

TEST(Timeline, ExitDarkShowsTheDarkWindowForOneStepBeforeTheNextFrame)
{
    const Rows dark = {"......", "......", "......"};
    struct Case {
        int exit;
        int nextEntry;
        std::int64_t loop;
        Rows at100; // just after A's hold
        Rows at110;
    };
    const Case cases[] = {
        // Exit 0 leaves A for B to cover: at once, or sliding over it.
        {0, 0, 100 + 100, B, B},
        {0, 1, 100 + 30 + 100, {"##....", "#.#...", "######"}, {"##....", "######", "......"}},
        // Exit 3 darkens A's window for one step, then B enters over the dark.
        {3, 0, 100 + 10 + 100, dark, B},
        {3, 1, 100 + 10 + 30 + 100, dark, {"......", "......", "######"}},
    };
    for (const Case& c : cases) {
        Timeline t = timelineOf({{0, c.exit, 100, Full, A}, {c.nextEntry, 0, 100, Full, B}});
        const std::string name = "exit " + std::to_string(c.exit) + ", entry " + std::to_string(c.nextEntry);
        EXPECT_EQ(t.loopLength(), c.loop) << name;
        EXPECT_EQ(picture(t.stateAt(99)), A) << name;
        EXPECT_EQ(picture(t.stateAt(100)), c.at100) << name;
        EXPECT_EQ(picture(t.stateAt(110)), c.at110) << name;
    }
    // A window smaller than the board: only it goes dark.
    Timeline t = timelineOf({{0, 0, 100, Full, A}, {0, 3, 50, {2, 1, 3, 2}, {"###", "###"}}});
    EXPECT_EQ(picture(t.stateAt(150)), Rows({"##....", "#.....", ".....#"}));
    EXPECT_EQ(t.locate(150).phase, Timeline::Phase::Exit);
    EXPECT_EQ(t.segmentCount(), 3);
}

TEST(Timeline, LaterPassesStartFromWhatTheEndOfAPassLeft)
{
    // The first pass slides A over the dark board, later ones over A itself.
    Timeline t = timelineOf({{1, 0, 100, Full, A}});
    EXPECT_EQ(picture(t.stateAt(0)), Rows({"......", "......", "##...."}));
    EXPECT_EQ(picture(t.stateAt(130)), Rows({"##....", "#.#...", "##...."}));
    EXPECT_EQ(picture(t.stateAt(3 * 130 + 10)), Rows({"##....", "##....", "#.#..."}));
    EXPECT_EQ(t.locate(3 * 130 + 10).pass, 3);

    // LEDs that no window covers stay dark in every pass.
    Timeline small = timelineOf({{0, 0, 100, {0, 0, 2, 1}, {"##"}}});
    EXPECT_EQ(picture(small.stateAt(250)), Rows({"##....", "......", "......"}));
}

TEST(Timeline, PlaysAListOfImagesOneAfterAnother)
{
    Timeline t(6, 3, Step);
    ASSERT_TRUE(t.addImage(image({{0, 0, 100, Full, A}})).ok());
    ASSERT_TRUE(t.addImage(image({{1, 0, 200, Full, B}, {0, 3, 0, {0, 0, 1, 1}, {"."}}})).ok());
    EXPECT_EQ(t.imageCount(), 2);
    ASSERT_EQ(t.frameCount(), 3);
    EXPECT_EQ(t.frame(1).image, 1);
    EXPECT_EQ(t.frame(1).index, 0);
    EXPECT_EQ(t.frame(2).index, 1);
    EXPECT_EQ(t.loopLength(), 100 + 30 + 200 + Step + Step);
    EXPECT_EQ(picture(t.stateAt(99)), A);
    EXPECT_EQ(picture(t.stateAt(100)), Rows({"##....", "#.#...", "######"}));
    EXPECT_EQ(picture(t.stateAt(130)), B);
    EXPECT_EQ(picture(t.stateAt(330)), Rows({".#####", "......", "#....#"}));
    // Round again: the first image's frame, then B's entry over what the list left.
    EXPECT_EQ(picture(t.stateAt(340)), Rows({".#####", "......", "#....#"})) << "its 1 x 1 window goes dark";
    EXPECT_EQ(picture(t.stateAt(350)), A);
    EXPECT_EQ(picture(t.stateAt(450)), Rows({"##....", "#.#...", "######"}));
}

// A release's proof sheet shows each destination as its sign shows it
// alone: the image before it leaves nothing behind its smaller windows.
TEST(Timeline, AnImageHeldAloneStartsFromTheDarkBoard)
{
    Timeline t(6, 3, Step);
    ASSERT_TRUE(t.addImage(image({{0, 0, 100, Full, A}})).ok());
    ASSERT_TRUE(t.addImage(image({{0, 3, 100, {0, 0, 2, 1}, {"##"}}, {0, 0, 100, {4, 2, 2, 1}, {"##"}}})).ok());
    EXPECT_EQ(picture(t.heldInImage(0)), A);
    // A later pass of the image alone: its last frame's LEDs stay, its first
    // frame's go dark on leaving, and nothing of A is left anywhere.
    EXPECT_EQ(picture(t.heldInImage(1)), Rows({"##....", "......", "....##"}));
    EXPECT_EQ(picture(t.heldInImage(2)), Rows({"......", "......", "....##"}));
    EXPECT_NE(picture(t.stateAt(t.loopLength() + t.frame(2).start)), picture(t.heldInImage(2)))
        << "played after A, the board still shows some of A";
    EXPECT_EQ(picture(t.heldInImage(3)), Rows({"......", "......", "......"}));
}

TEST(Timeline, PositionsNameTheFramePhaseAndSegment)
{
    Timeline t = timelineOf({{1, 2, 100, Full, A}});
    const Timeline::Position entry = t.locate(15);
    EXPECT_EQ(entry.phase, Timeline::Phase::Entry);
    EXPECT_EQ(entry.step, 1);
    EXPECT_EQ(entry.segmentStart, 10);
    EXPECT_EQ(entry.segmentEnd, 20);
    const Timeline::Position hold = t.locate(30);
    EXPECT_EQ(hold.phase, Timeline::Phase::Hold);
    EXPECT_EQ(hold.segmentEnd, 130);
    const Timeline::Position exit = t.locate(t.loopLength() + 185);
    EXPECT_EQ(exit.pass, 1);
    EXPECT_EQ(exit.phase, Timeline::Phase::Exit);
    EXPECT_EQ(exit.step, 5);
    EXPECT_EQ(t.segmentCount(), 3 + 1 + 6);
    EXPECT_EQ(t.locate(-1).frame, -1);
}

TEST(Timeline, StepTimeRetimesTheSlidesOnly)
{
    Timeline t = timelineOf({{1, 1, 100, Full, A}});
    t.setStepTime(25);
    EXPECT_EQ(t.loopLength(), 75 + 100 + 75);
    EXPECT_EQ(picture(t.stateAt(30)), Rows({"......", "##....", "#.#..."}));
    t.setStepTime(0); // the shortest step is 1 ms
    EXPECT_EQ(t.stepTime(), 1);
    EXPECT_EQ(t.loopLength(), 3 + 100 + 3);
}

TEST(Timeline, WindowReachingPastTheBoardIsCutAtItsEdge)
{
    // W = 8 at X = 4 on a 6-wide board: capped to 6 as the editor caps it,
    // and only columns 4 and 5 are on the board.
    Timeline t = timelineOf({{2, 2, 100, {4, 0, 8, 3}, {"#.######", ".#######", "##......"}}});
    EXPECT_EQ(t.frame(0).window.w, 6);
    EXPECT_EQ(t.loopLength(), 60 + 100 + 60);
    EXPECT_EQ(picture(t.stateAt(60)), Rows({"....#.", ".....#", "....##"}));
    EXPECT_EQ(picture(t.stateAt(0)), Dark); // the first column comes in off the board
    EXPECT_EQ(picture(t.frameAlone(0)), picture(t.stateAt(60)));
}

TEST(Timeline, ARecordThatDoesNotCheckOutAddsNothing)
{
    Timeline t = timelineOf({{0, 0, 100, Full, A}});
    vexel::ImageRecord broken = image({{0, 0, 100, Full, B}});
    broken.setLine(2, "ZZ");
    const vexel::Status added = t.addImage(broken);
    EXPECT_FALSE(added.ok());
    EXPECT_NE(added.error().toStdString().find("line 3"), std::string::npos) << added.error().toStdString();
    EXPECT_EQ(t.frameCount(), 1);
    EXPECT_EQ(t.imageCount(), 1);
    EXPECT_EQ(t.loopLength(), 100);
    EXPECT_FALSE(t.addImage(vexel::ImageRecord()).ok());
}

TEST(Timeline, EmptyTimelineShowsTheDarkBoard)
{
    Timeline t(5, 2, Step);
    EXPECT_EQ(t.loopLength(), 0);
    EXPECT_EQ(picture(t.stateAt(1000)), Rows({".....", "....."}));
}

TEST(Timeline, SeekingInAnyOrderGivesWhatAFreshTimelineGives)
{
    // Enough frames for several checkpoints; windows and effects at random.
    std::mt19937 random(7);
    std::vector<FrameSpec> frames;
    for (int f = 0; f < 40; ++f) {
        FrameSpec wanted;
        wanted.entry = static_cast<int>(random() % 4);
        wanted.exit = static_cast<int>(random() % 5);
        wanted.duration = static_cast<int>(random() % 40);
        const int x = static_cast<int>(random() % 8), y = static_cast<int>(random() % 4);
        wanted.window = {x, y, 1 + static_cast<int>(random() % (10 - x)), 1 + static_cast<int>(random() % (5 - y))};
        for (int r = 0; r < wanted.window.h; ++r) {
            std::string row;
            for (int c = 0; c < wanted.window.w; ++c)
                row += random() % 2 ? '#' : '.';
            wanted.rows.push_back(row);
        }
        frames.push_back(wanted);
    }
    Timeline seeking = timelineOf(frames, 10, 5);
    const std::int64_t length = seeking.loopLength();
    for (int i = 0; i < 300; ++i) {
        const std::int64_t time = static_cast<std::int64_t>(random() % static_cast<unsigned>(3 * length));
        Timeline fresh = timelineOf(frames, 10, 5);
        ASSERT_EQ(picture(seeking.stateAt(time)), picture(fresh.stateAt(time))) << "time " << time;
    }
}
