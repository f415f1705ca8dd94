// The frame the Versions window draws for a changed sign without "All
// frames": the first one whose LEDs tell the two versions apart.
#include "session/VersionsSession.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

using namespace vexel;

namespace {

struct FrameCase {
    const char* what;
    std::optional<std::vector<int>> before;
    std::optional<std::vector<int>> after;
    int first;
};

} // namespace

TEST(VersionsSession, DrawsTheFirstFrameThatDiffers)
{
    const FrameCase cases[] = {
        {"the second frame changed", std::vector<int>{0, 1}, std::vector<int>{0, 2}, 1},
        {"the first frame changed", std::vector<int>{0, 1}, std::vector<int>{3, 1}, 0},
        {"no LED changed (a duration did)", std::vector<int>{0, 1}, std::vector<int>{0, 1}, 0},
        {"a frame added", std::vector<int>{0}, std::vector<int>{0, 1}, 1},
        {"the last frame taken out", std::vector<int>{0, 1, 2}, std::vector<int>{0, 1}, 2},
        {"an image added", std::nullopt, std::vector<int>{0}, 0},
    };
    for (const FrameCase& c : cases) {
        SignImageChange change;
        change.sign = QStringLiteral("front");
        if (c.before)
            change.before = testing_support::rowsImage(16, 8, *c.before);
        if (c.after)
            change.after = testing_support::rowsImage(16, 8, *c.after);
        const int first = VersionsSession::firstDifferingFrame(change);
        EXPECT_EQ(first, c.first) << c.what;
        // The frame drawn is that frame of each side, where the side has it.
        for (const auto& [rows, image] : {std::make_pair(c.before, change.before), std::make_pair(c.after, change.after)}) {
            if (!image)
                continue;
            const std::vector<LedBitmap> drawn = VersionsSession::frames(*image, false, first);
            if (first >= static_cast<int>(rows->size())) {
                EXPECT_TRUE(drawn.empty()) << c.what;
                continue;
            }
            ASSERT_EQ(drawn.size(), 1u) << c.what;
            EXPECT_TRUE(drawn[0].lit(0, (*rows)[static_cast<std::size_t>(first)])) << c.what;
            EXPECT_EQ(drawn[0].litCount(), 16) << c.what;
        }
    }
}
