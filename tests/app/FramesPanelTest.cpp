// The frames panel: the Frames list, adding a frame from the selection,
// removing one, and the effect and duration fields written straight to disk.
#include "support/EditorFixture.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>

using frames_fixture::EditorTest;
using frames_fixture::fileLines;
using frames_fixture::FrameText;
using frames_fixture::header;
using frames_fixture::imageText;
using testing_support::readAll;

namespace {

const vexel::FrameRect FullBoard{0, 0, 96, 24};
const QByteArray BlankHeader = "000001F40000000000600018";

class FramesPanelTest : public EditorTest {
protected:
    void select(QPoint from, QPoint to)
    {
        press(Qt::LeftButton, Qt::ShiftModifier, cell(from.x(), from.y()));
        move(Qt::ShiftModifier, cell(to.x(), to.y()));
        release(Qt::LeftButton, Qt::ShiftModifier, cell(to.x(), to.y()));
    }
    void paint(int column, int row)
    {
        press(Qt::LeftButton, Qt::AltModifier, cell(column, row));
        release(Qt::LeftButton, Qt::AltModifier, cell(column, row));
    }
    QByteArray headerOnDisk(int line = 1) const { return fileLines(path()).value(line); }

    // Frames of the given heights, each across the whole board width.
    void openHeights(std::initializer_list<int> heights)
    {
        std::vector<FrameText> frames;
        int index = 0;
        for (int h : heights) {
            frames.push_back(FrameText{header(index, 500 + index, vexel::FrameRect{0, 0, 96, h})});
            ++index;
        }
        open(imageText(frames));
    }
};

} // namespace

TEST_F(FramesPanelTest, TheListShowsEveryFrameAndSelectsTheCurrentOne)
{
    openHeights({24, 8, 24});
    EXPECT_EQ(ui.Label2->text(), "Frames: 3");
    ASSERT_EQ(ui.ListBox3->count(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(ui.ListBox3->item(i)->text(), QStringLiteral("Frame %1").arg(i));
    EXPECT_EQ(ui.ListBox3->currentRow(), 0);

    ui.ListBox3->setCurrentRow(1);
    EXPECT_EQ(session.document().currentFrame(), 1);
    EXPECT_EQ(session.document().frameRect(), (vexel::FrameRect{0, 0, 96, 8}));
    EXPECT_EQ(ui.SpinEdit2->value(), 501);
    EXPECT_EQ(ui.ListBox3->currentRow(), 1);
}

TEST_F(FramesPanelTest, ChoosingAFrameOfAFileThatIsGoneKeepsTheFrameOnScreenCurrent)
{
    openHeights({24, 8});
    QFile::remove(path());
    ui.ListBox3->setCurrentRow(1);
    EXPECT_EQ(prompter.count("error"), 1);
    EXPECT_EQ(session.document().currentFrame(), 0) << "a later store must not write frame 0's LEDs over frame 1";
    EXPECT_EQ(ui.ListBox3->currentRow(), 0);
}

namespace {

struct EffectCase {
    const char* name;
    int box; // 1 entry, 2 exit
    int steps;
    QByteArray header;
};

void PrintTo(const EffectCase& c, std::ostream* os) { *os << c.name; }

class FramesEffectTest : public FramesPanelTest, public ::testing::WithParamInterface<EffectCase> {};

} // namespace

TEST_P(FramesEffectTest, ChoosingAnEffectRewritesTheHeaderOnDiskAtOnce)
{
    const EffectCase& c = GetParam();
    openBlank();
    QComboBox* box = c.box == 1 ? ui.TntComboBox1 : ui.TntComboBox2;
    for (int i = 0; i < c.steps; ++i)
        QTest::keyClick(box, Qt::Key_Down);
    EXPECT_EQ(box->currentIndex(), c.steps);
    EXPECT_EQ(headerOnDisk(), c.header);
    EXPECT_EQ(session.document().record().line(1), c.header.toStdString());
    EXPECT_EQ(c.box == 1 ? session.document().current().entryEffect : session.document().current().exitEffect, c.steps);
    EXPECT_FALSE(session.document().modified());
}

INSTANTIATE_TEST_SUITE_P(Effects, FramesEffectTest,
                         ::testing::Values(EffectCase{"EntryFromTheRight", 1, 2, "002001F40000000000600018"},
                                           EffectCase{"EntryFromBelow", 1, 1, "001001F40000000000600018"},
                                           EffectCase{"ExitDark", 2, 3, "000301F40000000000600018"},
                                           EffectCase{"ExitUp", 2, 1, "000101F40000000000600018"}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(FramesPanelTest, ShowingAFrameSetsTheBoxesWithoutWriting)
{
    openBlank();
    session.document().editableRecord().setLine(1, "001301F40000000000600018");
    session.editor().loadFrame();
    EXPECT_EQ(ui.TntComboBox1->currentIndex(), 1);
    EXPECT_EQ(ui.TntComboBox2->currentIndex(), 3);
    EXPECT_EQ(headerOnDisk(), BlankHeader);
}

TEST_F(FramesPanelTest, PropertiesAreLeftAloneUntilStartUpHasFinished)
{
    openBlank();
    session.settings().setStartupDone(false);
    QTest::keyClick(ui.TntComboBox1, Qt::Key_Down);
    QTest::keyClick(ui.SpinEdit2, Qt::Key_Up);
    EXPECT_EQ(headerOnDisk(), BlankHeader);
}

TEST_F(FramesPanelTest, EveryKeyReleaseInTheDurationFieldWritesTheValue)
{
    openBlank();
    ui.SpinEdit2->clear();
    QByteArrayList written;
    for (char key : {'1', '0', '0', '0'}) {
        QTest::keyClick(ui.SpinEdit2, key);
        written << headerOnDisk().mid(4, 4);
    }
    EXPECT_EQ(written, (QByteArrayList{"0001", "000A", "0064", "03E8"}));
    QTest::keyClick(ui.SpinEdit2, Qt::Key_Up);
    EXPECT_EQ(headerOnDisk().mid(4, 4), "03E9");
    EXPECT_EQ(session.document().current().duration, 1001);
    EXPECT_FALSE(session.document().modified());
}

TEST_F(FramesPanelTest, TheDurationFieldStopsAtSixteenBits)
{
    openBlank();
    ui.SpinEdit2->clear();
    QTest::keyClicks(ui.SpinEdit2, "70000");
    EXPECT_LE(ui.SpinEdit2->value(), 65535);
    EXPECT_EQ(headerOnDisk().size(), 24);
    EXPECT_EQ(fileLines(path()).size(), 26);
}

TEST_F(FramesPanelTest, AnUntitledImageIsWrittenUnderItsNameWithoutExtension)
{
    session.document().setFolder(folder);
    session.document().setUntitledNumber(3);
    ui.New1->trigger();
    session.settings().setStartupDone(true);
    QTest::keyClick(ui.TntComboBox2, Qt::Key_Down);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{"Untitled3"});
    EXPECT_EQ(fileLines(folder + "Untitled3").value(1), "000101F40000000000600018");
    EXPECT_EQ(session.document().fileName(), "Untitled3");
}

TEST_F(FramesPanelTest, RemovingAFrameDeletesItsLinesAndKeepsTheOthersIndices)
{
    openHeights({24, 8, 24});
    ui.ListBox3->setCurrentRow(1);
    QTest::mouseClick(ui.Button8, Qt::LeftButton);

    const QList<QByteArray> lines = fileLines(path());
    EXPECT_EQ(lines.size(), 51);
    EXPECT_EQ(lines.value(0), "0002");
    EXPECT_TRUE(lines.value(26).startsWith("02")) << lines.value(26).toStdString();
    EXPECT_EQ(session.document().frameCount(), 2);
    EXPECT_EQ(session.document().currentFrame(), 1);
    EXPECT_EQ(ui.ListBox3->count(), 2);
    EXPECT_EQ(ui.ListBox3->currentRow(), 1);
    EXPECT_EQ(ui.Label2->text(), "Frames: 2");
    EXPECT_EQ(prompter.asked.size(), 0u);
}

TEST_F(FramesPanelTest, TheFirstFrameIsNeverRemoved)
{
    openHeights({24, 8});
    const QByteArray before = readAll(path());
    ui.ListBox3->setCurrentRow(0);
    framesPanel.Button8Click();
    ui.ListBox3->clearSelection();
    framesPanel.Button8Click();
    EXPECT_EQ(readAll(path()), before);
    EXPECT_EQ(session.document().frameCount(), 2);
}

TEST_F(FramesPanelTest, ARemovalThatCannotBeWrittenLeavesTheEditorOnWhatTheRecordHolds)
{
    openHeights({24, 8});
    ui.ListBox3->setCurrentRow(1);
    session.document().setFolder(folder + "gone/");
    framesPanel.Button8Click();
    EXPECT_EQ(prompter.count("error"), 1);
    EXPECT_EQ(session.document().frameCount(), 1);
    EXPECT_EQ(session.document().currentFrame(), 0);
    EXPECT_EQ(session.document().frameRect(), FullBoard);
    EXPECT_TRUE(session.document().modified()) << "the file still holds the removed frame";
    EXPECT_EQ(session.document().record().lineCount(), 26);
}

namespace {

struct AddCase {
    const char* name;
    int width;
    int height;
    bool accepted;
};

void PrintTo(const AddCase& c, std::ostream* os) { *os << c.name; }

class FramesAddTest : public FramesPanelTest, public ::testing::WithParamInterface<AddCase> {};

} // namespace

TEST_P(FramesAddTest, ANewFrameNeedsASelectionOfAtLeastEightByThree)
{
    const AddCase& c = GetParam();
    openBlank();
    const QByteArray before = readAll(path());
    select({4, 2}, {4 + c.width - 1, 2 + c.height - 1});
    ASSERT_TRUE(ui.Button9->isEnabled());
    QTest::mouseClick(ui.Button9, Qt::LeftButton);

    if (!c.accepted) {
        ASSERT_EQ(prompter.count("inform"), 1);
        EXPECT_EQ(prompter.asked.back().text, "Selection must be minimum 8 X 3");
        EXPECT_EQ(prompter.asked.back().button, Prompter::InfoButton::Yes);
        EXPECT_EQ(readAll(path()), before);
        EXPECT_EQ(session.document().frameCount(), 1);
        return;
    }
    EXPECT_EQ(prompter.count("inform"), 0);
    const QList<QByteArray> lines = fileLines(path());
    ASSERT_EQ(lines.size(), 26 + 1 + c.height);
    EXPECT_EQ(lines[0], "0002");
    EXPECT_EQ(lines[26], "010001F4" "0004" "0002" + QByteArray::number(c.width, 16).toUpper().rightJustified(4, '0') +
                             QByteArray::number(c.height, 16).toUpper().rightJustified(4, '0'));
    EXPECT_EQ(lines[27], "0000");
    EXPECT_EQ(session.document().frameCount(), 2);
    EXPECT_EQ(session.document().currentFrame(), 1);
    EXPECT_EQ(session.document().frameRect(), (vexel::FrameRect{4, 2, c.width, c.height}));
    EXPECT_EQ(session.document().current().rowLinePos, 27);
    EXPECT_EQ(ui.ListBox3->currentRow(), 1);
}

INSTANTIATE_TEST_SUITE_P(Sizes, FramesAddTest,
                         ::testing::Values(AddCase{"TenByTwo", 10, 2, false}, AddCase{"SevenByThree", 7, 3, false},
                                           AddCase{"EightByThree", 8, 3, true}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(FramesPanelTest, ANewFrameTakesWholeBytesOfItsRows)
{
    openBlank();
    paint(0, 0);  // beside the selection, in its first byte
    paint(12, 0); // inside it, in its second byte
    select({3, 0}, {12, 2});
    framesPanel.Button9Click();
    ASSERT_EQ(session.document().record().lineCount(), 26 + 4);
    EXPECT_EQ(session.document().record().line(26), "010001F400030000000A0003");
    EXPECT_EQ(session.document().record().line(27), "8008");
    EXPECT_EQ(session.document().record().line(28), "0000");
}

TEST_F(FramesPanelTest, AnImageHoldsAtMost256Frames)
{
    for (int count : {255, 256}) {
        std::vector<FrameText> frames;
        for (int i = 0; i < count; ++i)
            frames.push_back(FrameText{header(i, 500, vexel::FrameRect{0, 0, 8, 3})});
        open(imageText(frames));
        prompter.clear();
        const QByteArray before = readAll(path());
        select({0, 0}, {7, 2});
        framesPanel.Button9Click();
        const QList<QByteArray> lines = fileLines(path());
        if (count == 255) {
            EXPECT_EQ(prompter.count("inform"), 0);
            EXPECT_EQ(lines.value(0), "0100");
            EXPECT_TRUE(lines.back() == "00" && lines.value(lines.size() - 4).startsWith("FF"));
        } else {
            EXPECT_EQ(prompter.texts("inform"), QStringList{"Image can hold maximum 256 frames"});
            EXPECT_EQ(readAll(path()), before);
            EXPECT_EQ(session.document().frameCount(), 256);
        }
    }
}
