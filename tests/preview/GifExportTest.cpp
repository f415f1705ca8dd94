// Animated GIFs of the timeline, read back with giflib: frame count, delays
// and pixels against the timeline itself.
#include "preview/Export.h"
#include "preview/GifReadBack.h"
#include "preview/SimImages.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>

using namespace sim_testing;
using vexel::Export;
using vexel::SignRenderer;
using vexel::SignStyle;
using vexel::Timeline;

namespace {

SignStyle pixels()
{
    SignStyle style;
    style.look = SignStyle::Look::Pixels;
    return style;
}

Timeline timelineOf(const std::vector<std::vector<FrameSpec>>& images, int width = 6, int height = 3, int step = 10)
{
    Timeline t(width, height, step);
    for (const auto& frames : images)
        EXPECT_TRUE(t.addImage(image(frames)).ok());
    return t;
}

// One-pixel-per-LED pictures as rows of '#' and '.'.
Rows rowsOf(const std::vector<std::uint8_t>& picture, int width, int height)
{
    Rows rows;
    for (int y = 0; y < height; ++y) {
        std::string row;
        for (int x = 0; x < width; ++x)
            row += picture[static_cast<std::size_t>(y * width + x)] == 1 ? '#' : '.';
        rows.push_back(row);
    }
    return rows;
}

ReadGif exported(Timeline& t, const SignStyle& style, bool loop = true)
{
    const vexel::Expected<QByteArray> data = Export::gifData(t, style, {}, loop);
    EXPECT_TRUE(data.ok()) << data.error().toStdString();
    const ReadGif gif = data ? readGif(*data) : ReadGif();
    EXPECT_TRUE(gif.ok) << gif.error;
    return gif;
}

// Every frame shows the timeline's picture at the time the frame starts.
void expectPicturesFollowTheTimeline(Timeline& t, const ReadGif& gif, const SignStyle& style, std::int64_t base)
{
    const SignRenderer renderer(style);
    const QSize size = renderer.imageSize(t.boardWidth(), t.boardHeight());
    ASSERT_EQ(gif.width, size.width());
    ASSERT_EQ(gif.height, size.height());
    const auto pictures = gif.pictures();
    std::int64_t at = 0;
    std::vector<std::uint8_t> expected(static_cast<std::size_t>(size.width() * size.height()));
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        renderer.renderIndexed(t.stateAt(base + at), QRect(0, 0, t.boardWidth(), t.boardHeight()), expected.data(),
                               size.width());
        ASSERT_EQ(pictures[i], expected) << "frame " << i << " at " << at << " ms";
        at += 10 * gif.frames[i].delay;
    }
}

} // namespace

TEST(GifExport, FramesDelaysAndPixelsEqualTheTimeline)
{
    // A slides up (3 steps), holds, slides out left (6 steps); B shows at
    // once and goes dark for one step. The last entry step is the hold's picture.
    Timeline t = timelineOf({{{1, 2, 100, Full, A}, {0, 3, 100, Full, B}}});
    const ReadGif gif = exported(t, pixels());
    ASSERT_EQ(gif.frames.size(), 11u);
    std::vector<int> delays;
    for (const GifFrame& f : gif.frames)
        delays.push_back(f.delay);
    EXPECT_EQ(delays, std::vector<int>({1, 1, 11, 1, 1, 1, 1, 1, 1, 10, 1}));
    EXPECT_EQ(gif.totalDelay() * 10, t.loopLength());
    EXPECT_TRUE(gif.loops);
    const auto pictures = gif.pictures();
    EXPECT_EQ(rowsOf(pictures[0], 6, 3), Rows({"......", "......", "##...."}));
    EXPECT_EQ(rowsOf(pictures[2], 6, 3), A);
    EXPECT_EQ(rowsOf(pictures[8], 6, 3), Dark);
    EXPECT_EQ(rowsOf(pictures[9], 6, 3), B);
    EXPECT_EQ(rowsOf(pictures[10], 6, 3), Dark);
    for (const GifFrame& f : gif.frames)
        EXPECT_EQ(f.disposal, DISPOSE_DO_NOT);
    expectPicturesFollowTheTimeline(t, gif, pixels(), t.loopLength());
}

TEST(GifExport, OnlyWhatChangedIsStoredAndTheLedLookWithGlowStillAddsUp)
{
    // Frames with small windows and slides on a 20 x 8 board: each GIF frame
    // stores only a part, and with glow the LEDs around a change as well.
    std::mt19937 random(11);
    std::vector<FrameSpec> frames;
    for (int f = 0; f < 12; ++f) {
        FrameSpec wanted;
        wanted.entry = static_cast<int>(random() % 3);
        wanted.exit = static_cast<int>(random() % 4);
        wanted.duration = 20 + static_cast<int>(random() % 5) * 10;
        const int x = static_cast<int>(random() % 12), y = static_cast<int>(random() % 4);
        wanted.window = {x, y, 2 + static_cast<int>(random() % (18 - x)), 1 + static_cast<int>(random() % (7 - y))};
        for (int r = 0; r < wanted.window.h; ++r) {
            std::string row;
            for (int c = 0; c < wanted.window.w; ++c)
                row += random() % 3 ? '.' : '#';
            wanted.rows.push_back(row);
        }
        frames.push_back(wanted);
    }
    for (const bool glow : {false, true}) {
        Timeline t = timelineOf({frames}, 20, 8);
        SignStyle style;
        style.zoom = 3;
        style.glow = glow;
        const ReadGif gif = exported(t, style);
        EXPECT_EQ(gif.totalDelay() * 10, t.loopLength()) << "glow " << glow;
        EXPECT_LE(gif.palette.size(), 256u);
        bool partial = false;
        for (std::size_t i = 1; i < gif.frames.size(); ++i)
            partial |= gif.frames[i].area != QRect(0, 0, gif.width, gif.height);
        EXPECT_TRUE(partial);
        expectPicturesFollowTheTimeline(t, gif, style, t.loopLength());
    }
}

TEST(GifExport, WithoutLoopingItIsTheFirstPassFromTheDarkBoard)
{
    Timeline t = timelineOf({{{1, 0, 100, Full, A}}});
    const ReadGif once = exported(t, pixels(), false);
    EXPECT_FALSE(once.loops);
    EXPECT_EQ(rowsOf(once.pictures().front(), 6, 3), Rows({"......", "......", "##...."}));
    expectPicturesFollowTheTimeline(t, once, pixels(), 0);

    const ReadGif looping = exported(t, pixels(), true);
    EXPECT_EQ(rowsOf(looping.pictures().front(), 6, 3), Rows({"##....", "#.#...", "##...."}));
}

TEST(GifExport, DelaysAreRoundedWithoutDrift)
{
    // 25 ms steps end at 25, 50 and then 175 ms with the hold: 3, 5 and 18
    // hundredths from the start, never the sum of separately rounded steps.
    Timeline t = timelineOf({{{1, 0, 100, Full, A}}}, 6, 3, 25);
    const ReadGif gif = exported(t, pixels());
    std::vector<int> delays;
    for (const GifFrame& f : gif.frames)
        delays.push_back(f.delay);
    EXPECT_EQ(delays, std::vector<int>({3, 2, 13}));
}

TEST(GifExport, PicturesTooShortForAGifAreLeftOut)
{
    // 1 ms steps: the slide is over before the first hundredth.
    Timeline t = timelineOf({{{1, 0, 100, Full, A}}}, 6, 3, 1);
    const ReadGif gif = exported(t, pixels());
    ASSERT_EQ(gif.frames.size(), 1u);
    EXPECT_EQ(gif.frames[0].delay, 10);
    EXPECT_EQ(rowsOf(gif.pictures()[0], 6, 3), A);
}

TEST(GifExport, HoldsLongerThanAGifFrameCanSayAreSplit)
{
    // Eleven frames of the same picture, 65,535 ms each: 7,208.85 s.
    std::vector<FrameSpec> frames(11, FrameSpec{0, 0, 65535, Full, A});
    Timeline t = timelineOf({frames});
    const ReadGif gif = exported(t, pixels());
    ASSERT_EQ(gif.frames.size(), 2u);
    EXPECT_EQ(gif.frames[0].delay, 65535);
    EXPECT_EQ(gif.frames[1].delay, 72089 - 65535);
    EXPECT_EQ(gif.frames[1].area.size(), QSize(1, 1));
    const auto pictures = gif.pictures();
    EXPECT_EQ(pictures[0], pictures[1]);
}

TEST(GifExport, EmptyTimelineGivesOneDarkFrame)
{
    Timeline t(6, 3);
    const ReadGif gif = exported(t, pixels());
    ASSERT_EQ(gif.frames.size(), 1u);
    EXPECT_EQ(rowsOf(gif.pictures()[0], 6, 3), Dark);
}

TEST(GifExport, CancellingLeavesTheOldFileAndReportsIt)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sign.gif"));
    testing_support::writeAll(path, "old");
    Timeline t = timelineOf({{{1, 2, 100, Full, A}}});
    std::vector<std::pair<int, int>> calls;
    const vexel::Status stopped = Export::gif(t, SignStyle(), path, [&](int done, int total) {
        calls.emplace_back(done, total);
        return done < 2;
    });
    EXPECT_TRUE(Export::cancelled(stopped));
    EXPECT_EQ(calls, (std::vector<std::pair<int, int>>{{1, 10}, {2, 10}}));
    EXPECT_EQ(testing_support::readAll(path), QByteArray("old"));

    calls.clear();
    ASSERT_TRUE(Export::gif(t, SignStyle(), path, [&](int done, int total) {
                    calls.emplace_back(done, total);
                    return true;
                }).ok());
    EXPECT_EQ(calls.back(), std::make_pair(10, 10));
    EXPECT_TRUE(testing_support::readAll(path).startsWith("GIF89a"));
}

TEST(GifExport, AFileThatCannotBeWrittenIsNamed)
{
    Timeline t = timelineOf({{{0, 0, 100, Full, A}}});
    const QString path = QStringLiteral("/nonexistent-folder/sign.gif");
    const vexel::Status failed = Export::gif(t, SignStyle(), path);
    ASSERT_FALSE(failed.ok());
    EXPECT_FALSE(Export::cancelled(failed));
    EXPECT_NE(failed.error().toStdString().find("/nonexistent-folder/sign.gif"), std::string::npos) << failed.error().toStdString();
}
