// The preview: Run and Stop, the steps of Timer3 with one interval for the
// whole run, the control lock and the editor standing still meanwhile.
#include "support/EditorFixture.h"
#include "preview/Playback.h"

#include <QComboBox>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>

using frames_fixture::EditorTest;
using frames_fixture::FrameText;
using frames_fixture::header;
using frames_fixture::imageText;
using testing_support::readAll;

namespace {

const vexel::FrameRect Windows[] = {{0, 0, 96, 24}, {0, 0, 16, 8}, {8, 4, 16, 8}};

class PreviewTest : public EditorTest {
protected:
    void openThree(int firstDuration = 500)
    {
        open(imageText({FrameText{header(0, firstDuration, Windows[0])}, FrameText{header(1, 2000, Windows[1]), 'F'},
                        FrameText{header(2, 100, Windows[2])}}));
    }
    void run() { QTest::mouseClick(ui.Button7, Qt::LeftButton); }
};

struct NextCase {
    int current;
    int count;
    int next;
};

void PrintTo(const NextCase& c, std::ostream* os) { *os << c.current << " of " << c.count; }

class PlaybackNextFrameTest : public ::testing::TestWithParam<NextCase> {};

} // namespace

TEST_P(PlaybackNextFrameTest, StepsWrapToTheFirstFrame)
{
    EXPECT_EQ(Playback::nextFrame(GetParam().current, GetParam().count), GetParam().next);
}

// The count can shrink under a running preview ("New" while playing).
INSTANTIATE_TEST_SUITE_P(Frames, PlaybackNextFrameTest,
                         ::testing::Values(NextCase{0, 3, 1}, NextCase{1, 3, 2}, NextCase{2, 3, 0}, NextCase{0, 1, 0},
                                           NextCase{4, 1, 0}));

TEST(PlaybackTimer, AZeroIntervalNeverTicks)
{
    Playback playback;
    const QTimer& timer = *playback.timer();
    playback.play(0);
    EXPECT_FALSE(timer.isActive());
    EXPECT_TRUE(playback.running());
    playback.play(250);
    EXPECT_TRUE(timer.isActive());
    EXPECT_EQ(timer.interval(), 250);
    playback.stop();
    EXPECT_FALSE(timer.isActive());
    EXPECT_FALSE(playback.running());
}

TEST_F(PreviewTest, EveryFrameShowsForTheDurationOfTheFrameCurrentAtTheStart)
{
    openThree();
    ui.ListBox3->setCurrentRow(2);
    ASSERT_EQ(session.document().currentFrame(), 2);
    ASSERT_TRUE(ui.Button7->isEnabled());
    run();
    EXPECT_EQ(ui.Button7->text(), "Stop");
    EXPECT_TRUE(ui.Timer3->isActive());

    struct Shown {
        int frame;
        int duration;
    };
    std::vector<Shown> shown{{session.document().currentFrame(), ui.SpinEdit2->value()}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(ui.Timer3->interval(), 100);
        QMetaObject::invokeMethod(ui.Timer3, "timeout"); // a tick, without waiting for one
        shown.push_back({session.document().currentFrame(), ui.SpinEdit2->value()});
        EXPECT_EQ(session.document().frameRect(), Windows[session.document().currentFrame()]);
        EXPECT_EQ(ui.ListBox3->currentRow(), 0) << "the list keeps the start's selection";
    }
    EXPECT_EQ(ui.Timer3->interval(), 100);
    const int frames[] = {0, 1, 2, 0};
    const int durations[] = {500, 2000, 100, 500};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(shown[i].frame, frames[i]) << i;
        EXPECT_EQ(shown[i].duration, durations[i]) << i;
    }
}

TEST_F(PreviewTest, PlayingLocksTheFramePanelAndStopKeepsTheFrameShown)
{
    openThree();
    run();
    for (QWidget* w : std::initializer_list<QWidget*>{ui.ListBox3, ui.Button8, ui.SpinEdit2, ui.TntComboBox1,
                                                      ui.TntComboBox2, ui.Button1, ui.Button2})
        EXPECT_FALSE(w->isEnabled()) << w->metaObject()->className();
    EXPECT_TRUE(ui.Button7->isEnabled());

    form.findChild<Playback*>()->tick();
    ASSERT_EQ(session.document().currentFrame(), 1);
    run();
    EXPECT_EQ(ui.Button7->text(), "Run");
    EXPECT_FALSE(ui.Timer3->isActive());
    EXPECT_EQ(session.document().currentFrame(), 1);
    EXPECT_EQ(ui.ListBox3->currentRow(), 1);
    EXPECT_EQ(session.document().frameRect(), Windows[1]);
    EXPECT_TRUE(ui.ListBox3->isEnabled());
    EXPECT_TRUE(ui.Button7->isEnabled());

    form.findChild<Playback*>()->tick(); // a late tick after Stop changes nothing
    EXPECT_EQ(session.document().currentFrame(), 1);
}

TEST_F(PreviewTest, TheGridTakesNoEditWhilePlaying)
{
    openThree();
    run();
    const std::string record = session.document().record().text();
    const vexel::PixelArray bits = session.editor().document().bits();
    const QPoint cursor = session.editor().canvas().cursorPos();

    press(Qt::LeftButton, Qt::AltModifier, cell(3, 3));
    move(Qt::AltModifier, cell(4, 3));
    release(Qt::LeftButton, Qt::AltModifier, cell(4, 3));
    press(Qt::LeftButton, Qt::ControlModifier | Qt::AltModifier, cell(5, 5));
    release(Qt::LeftButton, Qt::ControlModifier | Qt::AltModifier, cell(7, 7));
    press(Qt::LeftButton, Qt::ShiftModifier, cell(1, 1));
    release(Qt::LeftButton, Qt::ShiftModifier, cell(12, 6));
    press(Qt::LeftButton, Qt::NoModifier, cell(6, 6));
    release(Qt::LeftButton, Qt::NoModifier, cell(6, 6));

    EXPECT_FALSE(litOnBoard(3, 3));
    EXPECT_FALSE(litOnBoard(6, 6));
    EXPECT_EQ(session.editor().document().bits(), bits);
    EXPECT_EQ(session.document().record().text(), record);
    EXPECT_TRUE(session.editor().selection().rect().isZero());
    EXPECT_FALSE(session.editor().selection().shown());
    EXPECT_EQ(session.editor().canvas().cursorPos(), cursor);
    EXPECT_FALSE(session.document().modified());
}

TEST_F(PreviewTest, RunWithUnsavedEditsAnsweredNoPlaysTheFileAsStored)
{
    openThree();
    press(Qt::LeftButton, Qt::AltModifier, cell(5, 5));
    release(Qt::LeftButton, Qt::AltModifier, cell(5, 5));
    ASSERT_TRUE(session.document().modified());
    const QByteArray stored = readAll(path());

    prompter.confirmAnswers.push_back(false);
    run();
    EXPECT_EQ(prompter.texts("confirm"), QStringList{"Image changed. Do you want to save?"});
    EXPECT_FALSE(session.document().modified());
    EXPECT_FALSE(litOnBoard(5, 5));
    EXPECT_FALSE(session.editor().document().bits().lit(5, 5));
    EXPECT_EQ(QByteArray::fromStdString(session.document().record().text()), stored);
    EXPECT_EQ(readAll(path()), stored);
}

TEST_F(PreviewTest, StopGivesTheAddFrameButtonBackOnlyWithASelection)
{
    openThree();
    press(Qt::LeftButton, Qt::ShiftModifier, cell(1, 1));
    release(Qt::LeftButton, Qt::ShiftModifier, cell(12, 6));
    ASSERT_TRUE(ui.Button9->isEnabled());
    run();
    EXPECT_FALSE(ui.Button9->isEnabled());
    run();
    EXPECT_TRUE(ui.Button9->isEnabled());

    session.editor().selection().setShown(false); // as after loading another file
    ui.Button9->setEnabled(false);
    run();
    run();
    EXPECT_FALSE(ui.Button9->isEnabled());
}

TEST_F(PreviewTest, AZeroDurationKeepsTheFirstFrameUntilStop)
{
    openThree(0);
    run();
    EXPECT_EQ(ui.Button7->text(), "Stop");
    EXPECT_FALSE(ui.Timer3->isActive());
    EXPECT_EQ(session.document().currentFrame(), 0);
}

TEST_F(PreviewTest, StopAlwaysEndsThePreviewOfAOneFrameImage)
{
    openBlank();
    ASSERT_FALSE(ui.Button7->isEnabled());
    ui.Button7->setEnabled(true); // as a transfer leaves it
    run();
    ASSERT_EQ(ui.Button7->text(), "Stop");
    EXPECT_TRUE(ui.Button7->isEnabled()) << "the reload of a one-frame file must not take Stop away";
    run();
    EXPECT_EQ(ui.Button7->text(), "Run");
    EXPECT_FALSE(ui.Button7->isEnabled()) << "Run is offered for two frames or more";
}

namespace {

// Run plays the image as stored on disk; here there is none to play.
struct NoFileCase {
    const char* name;
    void (*lose)(TForm1& form, const QString& path);
};

void PrintTo(const NoFileCase& c, std::ostream* os) { *os << c.name; }

class PreviewWithoutFileTest : public PreviewTest, public ::testing::WithParamInterface<NoFileCase> {};

const NoFileCase NoFileCases[] = {
    {"NewImage", [](TForm1& form, const QString&) { testing_support::MainControls(form).New1->trigger(); }}, // Run stays offered after New
    {"FileRemoved", [](TForm1&, const QString& path) { QFile::remove(path); }},
};

} // namespace

TEST_P(PreviewWithoutFileTest, RunReportsItAndLeavesTheImageAndItsUndoAsTheyWere)
{
    openThree();
    GetParam().lose(form, path());
    ui.Button2->click(); // an edit to take back
    ASSERT_TRUE(session.editor().history().canUndo());
    const std::string record = session.document().record().text();
    ASSERT_TRUE(ui.Button7->isEnabled());

    run(); // "save?" is answered No

    EXPECT_EQ(prompter.count("error"), 1);
    EXPECT_EQ(ui.Button7->text(), "Run");
    EXPECT_FALSE(ui.Timer3->isActive());
    EXPECT_TRUE(ui.ListBox3->isEnabled() && ui.Button2->isEnabled()) << "the controls are not left locked";
    EXPECT_EQ(session.document().record().text(), record);
    EXPECT_TRUE(session.editor().history().canUndo()) << "the edit can still be taken back";
}

INSTANTIATE_TEST_SUITE_P(Ways, PreviewWithoutFileTest, ::testing::ValuesIn(NoFileCases),
                         [](const auto& p) { return std::string(p.param.name); });
