// The Sign window driven by a clock of the test's own: what it shows and
// says while playing, stepping and following the file.
#include "document/ImageFile.h"
#include "support/Spoken.h"
#include "support/TestFiles.h"
#include "widgets/SignView.h"
#include "widgets/SignWindow.h"

#include <QAccessible>
#include <QComboBox>
#include <QSignalSpy>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

// Frames of the given durations over the whole 96 x 24 board; frame f
// lights row f, so every frame looks different.
vexel::ImageRecord imageOf(const std::vector<int>& durations, int entry = 0, int shift = 0)
{
    vexel::ImageRecord record;
    record.setFrameCount(static_cast<int>(durations.size()));
    for (std::size_t f = 0; f < durations.size(); ++f) {
        vexel::FrameHeader header;
        header.index = static_cast<int>(f);
        header.entryEffect = entry;
        header.duration = durations[f];
        header.rect = {0, 0, 96, 24};
        vexel::PixelArray bits;
        for (int x = 0; x < 96; ++x)
            bits.setLit(x, static_cast<int>(f) + shift, true);
        record.appendFrame(header, bits);
    }
    return record;
}

const std::vector<int> FiveFrames = {1000, 1000, 1200, 1500, 1500}; // 6.2 s

class SignWindowTest : public ::testing::Test {
protected:
    SignWindowTest()
    {
        window.setClock([this] { return now; });
        window.setCurrentImage(imageOf(FiveFrames), QStringLiteral("five.img"));
    }
    void advance(std::int64_t ms)
    {
        now += ms;
        window.tick();
    }
    // What a fresh timeline of the same source shows at `time`.
    vexel::LedBitmap expectedAt(std::int64_t time)
    {
        vexel::Timeline t = window.timeline();
        return t.stateAt(time);
    }

    std::int64_t now = 1000;
    SignWindow window;
};

} // namespace

TEST_F(SignWindowTest, ReadoutFollowsTheClockAtEverySpeed)
{
    EXPECT_TRUE(window.playing());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Sign"));
    EXPECT_EQ(window.readout(), QStringLiteral("frame 1 / 5 · 0.00 s of 6.20 s"));
    advance(1400);
    EXPECT_EQ(window.readout(), QStringLiteral("frame 2 / 5 · 1.40 s of 6.20 s"));
    EXPECT_EQ(window.shownLeds(), expectedAt(1400));

    QComboBox* speed = nullptr;
    for (auto* box : window.findChildren<QComboBox*>())
        if (box->accessibleName() == QStringLiteral("Speed"))
            speed = box;
    ASSERT_NE(speed, nullptr);
    speed->setCurrentIndex(speed->findText(QStringLiteral("x2")));
    EXPECT_EQ(window.speed(), 2.0);
    advance(500);
    EXPECT_EQ(window.time(), 2400);
    speed->setCurrentIndex(speed->findText(QStringLiteral("x0.25")));
    advance(400);
    EXPECT_EQ(window.time(), 2500);
    window.setSpeed(100); // out of range: the fastest
    EXPECT_EQ(window.speed(), 4.0);
    EXPECT_EQ(speed->currentText(), QStringLiteral("x4"));
}

TEST_F(SignWindowTest, LoopsOrStopsAtTheEnd)
{
    advance(6300);
    EXPECT_EQ(window.readout(), QStringLiteral("frame 1 / 5 · 0.10 s of 6.20 s"));
    EXPECT_TRUE(window.playing());

    window.restart();
    window.setLoop(false);
    advance(7000);
    EXPECT_FALSE(window.playing());
    EXPECT_EQ(window.readout(), QStringLiteral("frame 5 / 5 · 6.20 s of 6.20 s"));
    EXPECT_EQ(window.shownLeds(), expectedAt(6199));
    advance(1000); // paused: nothing moves
    EXPECT_EQ(window.time(), 6200);
    window.play(); // from the top again
    EXPECT_EQ(window.time(), 0);
    EXPECT_TRUE(window.playing());
}

TEST_F(SignWindowTest, StepsOneLedStepAtATime)
{
    // Frames that slide up: 24 steps of 30 ms, then the hold.
    window.setCurrentImage(imageOf({500, 500}, 1), QStringLiteral("slide.img"));
    window.restart();
    window.stepForward();
    EXPECT_FALSE(window.playing());
    EXPECT_EQ(window.time(), 30);
    EXPECT_EQ(window.shownLeds(), expectedAt(30));
    for (int i = 0; i < 23; ++i)
        window.stepForward();
    EXPECT_EQ(window.time(), 720); // the hold
    window.stepForward();
    EXPECT_EQ(window.time(), 1220); // the next frame's first step
    window.stepBack();
    EXPECT_EQ(window.time(), 720);
    window.stepBack();
    EXPECT_EQ(window.time(), 690);
    EXPECT_EQ(window.shownLeds(), expectedAt(690));
    window.seek(10);
    window.stepBack();
    window.stepBack();
    EXPECT_EQ(window.time(), 0);
    advance(5000);
    EXPECT_EQ(window.time(), 0); // stepping paused it
}

TEST_F(SignWindowTest, FollowsNewVersionsOfTheImageWithoutLosingItsPlace)
{
    advance(1400);
    window.setCurrentImage(imageOf(FiveFrames, 0, 10), QStringLiteral("five.img"));
    EXPECT_EQ(window.time(), 1400);
    EXPECT_TRUE(window.shownLeds().lit(0, 11));
    EXPECT_FALSE(window.shownLeds().lit(0, 1));

    // A version that does not check out is named; the last good one stays.
    vexel::ImageRecord broken = imageOf(FiveFrames);
    broken.setLine(3, "XYZ");
    const vexel::LedBitmap before = window.shownLeds();
    window.setCurrentImage(broken, QStringLiteral("five.img"));
    EXPECT_TRUE(window.statusText().contains(QStringLiteral("five.img"))) << window.statusText().toStdString();
    EXPECT_TRUE(window.statusText().contains(QStringLiteral("line 4"))) << window.statusText().toStdString();
    EXPECT_EQ(window.shownLeds(), before);
    window.setCurrentImage(imageOf(FiveFrames), QStringLiteral("five.img"));
    EXPECT_TRUE(window.statusText().isEmpty()) << window.statusText().toStdString();
}

TEST_F(SignWindowTest, SendListNamesRefusedFilesAndPlaysTheRest)
{
    QTemporaryDir dir;
    const QString good = dir.filePath(QStringLiteral("good.img"));
    const QString bad = dir.filePath(QStringLiteral("bad.img"));
    const QString missing = dir.filePath(QStringLiteral("missing.img"));
    ASSERT_TRUE(vexel::ImageFile::write(good, imageOf({700, 800})).ok());
    testing_support::writeAll(bad, "0001\r\nnot a header\r\n");
    window.setSendList({good, bad, missing});
    EXPECT_EQ(window.timeline().frameCount(), 5); // still the current image

    QComboBox* source = nullptr;
    for (auto* box : window.findChildren<QComboBox*>())
        if (box->accessibleName() == QStringLiteral("Source"))
            source = box;
    ASSERT_NE(source, nullptr);
    source->setCurrentIndex(1);
    EXPECT_EQ(window.source(), SignWindow::Source::SendList);
    EXPECT_EQ(window.timeline().frameCount(), 2);
    EXPECT_EQ(window.timeline().loopLength(), 1500);
    EXPECT_EQ(window.time(), 0);
    const QString text = window.statusText();
    EXPECT_TRUE(text.contains(QStringLiteral("bad.img"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("missing.img"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("good.img"))) << text.toStdString();

    window.setSendList({});
    EXPECT_EQ(window.readout(), QStringLiteral("no frames"));
    EXPECT_EQ(window.statusText(), QStringLiteral("The send list is empty"));
    source->setCurrentIndex(0);
    EXPECT_EQ(window.timeline().frameCount(), 5);
}

TEST_F(SignWindowTest, BoardSizeAndStepTimeReshapeThePlay)
{
    window.setBoardSize(48, 12);
    EXPECT_EQ(window.shownLeds().width(), 48);
    EXPECT_EQ(window.shownLeds().height(), 12);
    window.setCurrentImage(imageOf({500}, 1), QStringLiteral("slide.img"));
    EXPECT_EQ(window.timeline().loopLength(), 12 * 30 + 500); // the window capped at 12 rows
    window.setStepTime(10);
    EXPECT_EQ(window.timeline().loopLength(), 12 * 10 + 500);
}

TEST_F(SignWindowTest, TicksOnlyWhileShownAndPlaying)
{
    EXPECT_FALSE(window.ticking());
    window.show();
    EXPECT_TRUE(window.ticking());
    auto* play = window.findChild<QPushButton*>();
    ASSERT_NE(play, nullptr);
    EXPECT_EQ(play->text(), QStringLiteral("Pause"));
    QTest::mouseClick(play, Qt::LeftButton);
    EXPECT_FALSE(window.playing());
    EXPECT_FALSE(window.ticking());
    EXPECT_EQ(play->text(), QStringLiteral("Play"));
    QTest::mouseClick(play, Qt::LeftButton);
    EXPECT_TRUE(window.ticking());
    window.hide();
    EXPECT_FALSE(window.ticking());
}

TEST_F(SignWindowTest, ControlsWithoutCaptionsHaveNames)
{
    QStringList names;
    for (auto* button : window.findChildren<QToolButton*>())
        names << button->accessibleName();
    EXPECT_EQ(names, QStringList({"Restart", "Step back", "Step forward"}));
    for (auto* box : window.findChildren<QComboBox*>())
        EXPECT_FALSE(box->accessibleName().isEmpty());
    EXPECT_FALSE(window.view()->accessibleName().isEmpty());
}

using testing_support::spoken;

TEST_F(SignWindowTest, TheReadoutAndStatusAreReadableAsTheyChange)
{
    QLabel* readout = nullptr;
    QLabel* status = nullptr;
    for (QLabel* label : window.findChildren<QLabel*>()) {
        if (label->accessibleName() == QLatin1String("Position"))
            readout = label;
        else if (label->accessibleName() == QLatin1String("Status"))
            status = label;
    }
    ASSERT_NE(readout, nullptr);
    ASSERT_NE(status, nullptr);
    window.play();
    advance(1400);
    EXPECT_EQ(spoken(readout, QAccessible::Name), QStringLiteral("Position"));
    EXPECT_EQ(spoken(readout, QAccessible::Description), QStringLiteral("frame 2 / 5 · 1.40 s of 6.20 s"));
    window.showStatus(QStringLiteral("Received 2 files"));
    EXPECT_EQ(spoken(status, QAccessible::Description), QStringLiteral("Received 2 files"));
    window.showStatus(QString());
    EXPECT_EQ(spoken(status, QAccessible::Description), QString());
}

TEST_F(SignWindowTest, LitLedsAreAmberOrTheEditorsColour)
{
    window.view()->setZoom(4);
    window.seek(0); // frame 0 lights row 0
    const QImage amber = window.view()->picture();
    const QRgb amberLit = amber.pixel(2, 2);
    EXPECT_EQ(amberLit, qRgb(255, 168, 0));

    QSignalSpy chosen(&window, &SignWindow::editorColourChosen);
    window.setEditorLitColour(qRgb(0, 200, 255));
    EXPECT_EQ(window.view()->picture(), amber) << "amber until the editor's colour is chosen";
    QComboBox* colour = nullptr;
    for (QComboBox* box : window.findChildren<QComboBox*>())
        if (box->accessibleName() == QLatin1String("LED colour"))
            colour = box;
    ASSERT_NE(colour, nullptr);
    colour->setCurrentIndex(1);
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_TRUE(chosen.at(0).at(0).toBool());
    EXPECT_EQ(window.view()->picture().pixel(2, 2), qRgb(0, 200, 255));
    const QRgb unlit = window.view()->picture().pixel(2, 6);
    EXPECT_NE(unlit, window.view()->picture().pixel(2, 2));
    EXPECT_GT(qBlue(unlit), qRed(unlit)) << "unlit LEDs are a dim shade of the colour";
    window.setEditorLitColour(qRgb(255, 255, 255));
    EXPECT_EQ(window.view()->picture().pixel(2, 2), qRgb(255, 255, 255)) << "follows the editor";

    window.setEditorColour(false);
    EXPECT_EQ(window.view()->picture(), amber);
    EXPECT_EQ(colour->currentIndex(), 0);
    EXPECT_EQ(chosen.count(), 1) << "set from outside, not chosen";
}
