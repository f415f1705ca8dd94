// Undo and redo through the editing core: every kind of step taken back and
// made again restores the record, the board image and, for the frame
// panel's steps, the file; long random sequences; the bound on memory.
#include "support/CoreFixture.h"

#include "document/HexConvert.h"

#include <QImage>

#include <functional>
#include <random>

using testing_support::CoreFixture;

namespace {

constexpr auto Alt = Qt::AltModifier;
constexpr auto CtrlAlt = Qt::ControlModifier | Qt::AltModifier;
constexpr auto Shift = Qt::ShiftModifier;

struct State {
    std::string record;
    QImage board;
    QByteArray file;
    int frame = 0;
    bool operator==(const State& o) const
    {
        return record == o.record && board == o.board && file == o.file && frame == o.frame;
    }
};

class UndoTest : public CoreFixture {
public:
    State state() const
    {
        const vexel::ImageDocument& d = editor.document();
        return State{d.record().text(),
                     editor.canvas().board().image().copy(0, 0, settings.boardWidth(), settings.boardHeight()),
                     fileBytes(), d.currentFrame()};
    }

    // A two-frame image: the full board, and a window at (8, 4) of 16 x 8.
    void openTwoFrames()
    {
        QByteArray text = "0002\r\n000001F40000000000600018\r\n";
        for (int r = 0; r < 24; ++r)
            text += QByteArray(24, r % 3 == 0 ? 'A' : '0') + "\r\n";
        text += "01000064000800040010000" "8\r\n";
        for (int r = 0; r < 8; ++r)
            text += "0F0F\r\n";
        open(text);
    }

    void select(int c0, int r0, int c1, int r1)
    {
        editor.press(at(c0, r0, Qt::LeftButton, Qt::LeftButton, Shift));
        editor.release(at(c1, r1, Qt::LeftButton, Qt::NoButton, Shift));
    }

    void addFrame()
    {
        editor.beginStep(QStringLiteral("add frame"));
        ASSERT_EQ(editor.document().addFrame(editor.selection().rect()),
                  vexel::ImageDocument::AddFrame::Added);
        ASSERT_TRUE(editor.document().write());
        editor.endStep();
    }
};

struct StepCase {
    const char* name;
    const char* undoText;
    bool writesFile;
    std::function<void(UndoTest&)> act;
};

void PrintTo(const StepCase& c, std::ostream* os) { *os << c.name; }

class UndoEachStep : public UndoTest, public ::testing::WithParamInterface<StepCase> {};

TEST_P(UndoEachStep, UndoRestoresAndRedoRepeatsExactly)
{
    openTwoFrames();
    const State before = state();
    GetParam().act(*this);
    const State after = state();
    ASSERT_FALSE(after == before) << "the step changed nothing";
    ASSERT_EQ(editor.history().undoText(), QString::fromLatin1(GetParam().undoText));
    EXPECT_EQ(after.file != before.file, GetParam().writesFile);

    ASSERT_TRUE(editor.undo());
    EXPECT_EQ(state().record, before.record);
    EXPECT_TRUE(state().board == before.board) << "the board image is back";
    EXPECT_EQ(state().frame, before.frame);
    if (GetParam().writesFile) {
        EXPECT_EQ(state().file, before.file) << "the file follows at once";
    }
    const vexel::BoardCanvas& c = editor.canvas();
    for (int r = 0; r < 24; ++r)
        for (int x = 0; x < 96; ++x)
            ASSERT_EQ(c.board().pixel(x, r), c.colorOf(editor.document().bits().lit(x, r)))
                << "the board follows the bit array at " << x << "," << r;

    ASSERT_TRUE(editor.redo());
    EXPECT_TRUE(state() == after);
    EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
}

const StepCase Steps[] = {
    {"AltStroke", "Undo paint", false,
     [](UndoTest& t) { t.stroke({QPoint(1, 1), QPoint(2, 1), QPoint(3, 2), QPoint(40, 20)}); }},
    {"RightStroke", "Undo erase", false,
     [](UndoTest& t) { t.stroke({QPoint(0, 0), QPoint(2, 0), QPoint(4, 3)}, Alt, Qt::RightButton); }},
    {"RectangleFill", "Undo fill rectangle", false,
     [](UndoTest& t) { t.stroke({QPoint(5, 5), QPoint(20, 12)}, CtrlAlt); }},
    {"Paste", "Undo paste", false,
     [](UndoTest& t) {
         t.select(0, 0, 9, 3);
         ASSERT_TRUE(t.editor.copy());
         t.editor.canvas().placeCursor(50, 10);
         ASSERT_TRUE(t.editor.paste());
     }},
    {"Fill", "Undo fill", false, [](UndoTest& t) { t.editor.fillBoard(true); }},
    {"Clear", "Undo clear", false, [](UndoTest& t) { t.editor.fillBoard(false); }},
    {"ToggleLed", "Undo paint", false,
     [](UndoTest& t) {
         t.editor.moveCursor(2, 1);
         t.editor.toggleCursorLed();
     }},
    {"AddFrame", "Undo add frame", true,
     [](UndoTest& t) {
         t.select(10, 2, 30, 9);
         t.addFrame();
     }},
    {"RemoveFrame", "Undo remove frame", true, [](UndoTest& t) { ASSERT_TRUE(t.editor.removeFrame(1)); }},
    {"EntryEffect", "Undo entry effect", true, [](UndoTest& t) { t.editor.setEntryEffect(2); }},
    {"ExitEffect", "Undo exit effect", true, [](UndoTest& t) { t.editor.setExitEffect(3); }},
    {"Duration", "Undo duration", true, [](UndoTest& t) { t.editor.setDuration(1234); }},
    {"PlacedLeds", "Undo text", false,
     [](UndoTest& t) {
         vexel::LedBitmap leds(5, 3);
         leds.set(0, 0, true);
         leds.set(4, 2, true);
         t.editor.placeLeds(leds, 92, 0, true, QStringLiteral("text"));
     }},
};

INSTANTIATE_TEST_SUITE_P(Steps, UndoEachStep, ::testing::ValuesIn(Steps),
                         [](const auto& c) { return std::string(c.param.name); });

TEST_F(UndoTest, AStepOnAnotherFrameIsUndoneOnThatFrame)
{
    openTwoFrames();
    editor.document().setCurrentFrame(1);
    ASSERT_TRUE(editor.loadFile());
    const std::string before = editor.document().record().text();
    stroke({QPoint(9, 5), QPoint(10, 5)});
    ASSERT_TRUE(editor.document().write());
    editor.document().setCurrentFrame(0); // choosing frame 0 reloads the saved file
    ASSERT_TRUE(editor.loadFile());
    ASSERT_TRUE(editor.history().canUndo()) << "the same record keeps its history";

    ASSERT_TRUE(editor.undo());
    EXPECT_EQ(editor.document().currentFrame(), 1);
    EXPECT_EQ(editor.document().frameRect(), (vexel::FrameRect{8, 4, 16, 8}));
    EXPECT_EQ(editor.document().record().text(), before);
    EXPECT_FALSE(editor.canvas().lit(9, 5));
    EXPECT_TRUE(editor.document().modified()) << "the file still holds the stroke";
}

TEST_F(UndoTest, ModifiedFollowsTheDistanceFromTheSavedState)
{
    openTwoFrames();
    stroke({QPoint(1, 1)});
    EXPECT_TRUE(editor.document().modified());
    ASSERT_TRUE(editor.document().write()); // what Save does
    editor.document().setModified(false);
    stroke({QPoint(2, 2)});
    ASSERT_TRUE(editor.undo());
    EXPECT_FALSE(editor.document().modified()) << "back at the saved state";
    ASSERT_TRUE(editor.undo());
    EXPECT_TRUE(editor.document().modified());
    ASSERT_TRUE(editor.redo());
    EXPECT_FALSE(editor.document().modified());
}

TEST_F(UndoTest, TheKeyReleasesOfOneDurationEntryAreOneStep)
{
    openTwoFrames();
    const QByteArray before = fileBytes();
    for (int ms : {1, 10, 100, 1000})
        editor.setDuration(ms);
    EXPECT_EQ(editor.history().count(), 1);
    EXPECT_EQ(editor.document().record().line(1).substr(4, 4), "03E8");
    editor.endDurationRun();
    editor.setDuration(7);
    EXPECT_EQ(editor.history().count(), 2) << "leaving the field ends the run";

    ASSERT_TRUE(editor.undo());
    ASSERT_TRUE(editor.undo());
    EXPECT_EQ(fileBytes(), before);
    EXPECT_EQ(editor.document().panel().duration, 500) << "the panel shows the restored header";
}

TEST_F(UndoTest, AnotherImageStartsTheHistoryAfresh)
{
    openTwoFrames();
    stroke({QPoint(1, 1)});
    ASSERT_TRUE(editor.history().canUndo());
    open(testing_support::blankImageText(96, 24), QStringLiteral("other.img"));
    EXPECT_FALSE(editor.history().canUndo());
    EXPECT_FALSE(editor.undo());
}

TEST_F(UndoTest, ARecordChangedBesideTheHistoryIsNeverUndoneInto)
{
    openTwoFrames();
    stroke({QPoint(1, 1)});
    // A change no step recorded, as a smaller board cuts the frame.
    useBoard(80, 24);
    editor.storeFrame();
    EXPECT_FALSE(editor.undo()) << "the steps no longer fit the record";
    EXPECT_EQ(editor.document().record().line(1).substr(16, 4), "0050");
}

// Run with the record read after every step, and without: unread, a
// stroke's rows are made only at the end.
class RandomSteps : public UndoTest, public ::testing::WithParamInterface<bool> {};

TEST_P(RandomSteps, TwoHundredUndoneToTheStartGiveTheLoadedRecordBack)
{
    const bool readEachStep = GetParam();
    openTwoFrames();
    const std::string loaded = editor.document().record().text();
    std::mt19937 random(20261208);
    auto pick = [&](int from, int to) { return std::uniform_int_distribution<int>(from, to)(random); };
    int steps = 0;
    while (steps < 200) {
        const vexel::FrameRect f = editor.document().frameRect();
        const QPoint a(pick(f.x, f.right() - 1), pick(f.y, f.bottom() - 1));
        const QPoint b(pick(f.x, f.right() - 1), pick(f.y, f.bottom() - 1));
        const int before = editor.history().count();
        switch (pick(0, 9)) {
        case 0: stroke({a, b}); break;
        case 1: stroke({a, b}, Alt, Qt::RightButton); break;
        case 2: stroke({a, b}, CtrlAlt); break;
        case 3: editor.fillBoard(pick(0, 1) == 1); break;
        case 4: editor.setEntryEffect(pick(0, 2)); break;
        case 5: editor.setExitEffect(pick(0, 3)); break;
        case 6:
            editor.endDurationRun();
            editor.setDuration(pick(0, 65535));
            break;
        case 7:
            editor.canvas().placeCursor(a.x(), a.y());
            editor.toggleCursorLed();
            break;
        case 8:
            if (editor.document().frameCount() < 6) {
                select(pick(0, 60), pick(0, 10), pick(70, 95), pick(14, 23));
                addFrame();
            }
            break;
        case 9:
            if (editor.document().frameCount() > 2)
                editor.removeFrame(pick(1, editor.document().frameCount() - 1));
            break;
        }
        steps += editor.history().count() > before ? 1 : 0;
        if (readEachStep) {
            ASSERT_TRUE(editor.document().record().check()) << "after step " << steps;
        }
    }
    const std::string edited = editor.document().record().text();
    int undone = 0;
    while (editor.undo())
        ++undone;
    EXPECT_EQ(undone, 200);
    EXPECT_EQ(editor.document().record().text(), loaded);
    while (editor.redo())
        ;
    EXPECT_EQ(editor.document().record().text(), edited);
    EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Reads, RandomSteps, ::testing::Bool(),
                         [](const auto& c) { return c.param ? "RecordReadEachStep" : "RecordUnread"; });

TEST_F(UndoTest, TheHistoryOfTheLargestImageStaysWithinItsBound)
{
    useBoard(488, 100);
    open(testing_support::randomImageText(256, 488, 100));
    for (int i = 0; i < 160; ++i)
        editor.fillBoard(i % 2 == 0);
    const vexel::EditHistory& h = editor.history();
    EXPECT_LE(h.bytes(), vexel::EditHistory::DefaultLimit);
    EXPECT_LT(h.count(), 160) << "the oldest steps were dropped";
    EXPECT_GT(h.count(), 20) << "a whole-board step takes well under 2 MiB";
    const std::string last = editor.document().record().text();
    // Before the oldest step kept, the board shows what the last dropped
    // step left: lit after a Fill (the even steps), dark after a Clear.
    const int lastDropped = 160 - h.count() - 1;
    const char row = lastDropped % 2 == 0 ? 'F' : '0';
    while (editor.undo())
        ;
    EXPECT_EQ(editor.document().record().line(2), std::string(122, row));
    while (editor.redo())
        ;
    EXPECT_EQ(editor.document().record().text(), last);
}

} // namespace

namespace {

TEST_F(UndoTest, FramesAppendedFromAnAnimationAreOneStepWithinTheFrameLimit)
{
    openTwoFrames();
    const std::string before = editor.document().record().text();
    std::vector<vexel::LedBitmap> frames(3, vexel::LedBitmap(10, 4));
    frames[1].set(0, 0, true);
    frames[2].set(9, 3, true);
    const vexel::FrameRect target{4, 2, 10, 4};
    EXPECT_EQ(editor.appendFrames(target, frames, {100, 250, 70000}, QStringLiteral("import")), 3);
    const vexel::ImageRecord& r = editor.document().record();
    EXPECT_EQ(editor.document().frameCount(), 5);
    EXPECT_EQ(editor.document().currentFrame(), 2) << "the first new frame is shown";
    EXPECT_EQ(r.line(r.headerLine(3)), "030000FA00040002000A0004");
    EXPECT_EQ(r.line(r.headerLine(3) + 1), "0800") << "LED (0, 0) of the picture is board column 4";
    EXPECT_EQ(r.line(r.headerLine(4)).substr(4, 4), "FFFF") << "a delay beyond the field is its largest value";
    EXPECT_TRUE(r.check());
    ASSERT_TRUE(editor.undo());
    EXPECT_EQ(editor.document().record().text(), before);
    EXPECT_EQ(editor.document().frameCount(), 2);

    // 256 frames at the most.
    std::vector<vexel::LedBitmap> many(300, vexel::LedBitmap(10, 4));
    EXPECT_EQ(editor.appendFrames(target, many, {}, QStringLiteral("import")), 254);
    EXPECT_EQ(editor.document().frameCount(), 256);
    EXPECT_TRUE(editor.document().record().check());
}

} // namespace

namespace {

// After a removal the frames behind it keep their header's index until they
// are stored again; that store changes the record and no LED.
TEST_F(UndoTest, AStepThatChangesOnlyAHeaderMarksTheImageChanged)
{
    QByteArray text = "0003\r\n";
    for (int f = 0; f < 3; ++f) {
        vexel::FrameHeader h;
        h.index = f;
        h.rect = vexel::FrameRect{0, 0, 8, 3};
        text += QByteArray::fromStdString(h.format()) + "\r\n00\r\n00\r\n00\r\n";
    }
    open(text);
    ASSERT_TRUE(editor.removeFrame(1));
    ASSERT_EQ(editor.document().record().line(5).substr(0, 2), "02");
    ASSERT_FALSE(editor.document().modified());
    editor.setTool(vexel::Tool::Line);
    editor.setDrawUnlit(true); // over unlit LEDs: no LED changes
    editor.press(at(0, 0, Qt::LeftButton, Qt::LeftButton));
    editor.release(at(5, 2, Qt::LeftButton, Qt::NoButton));
    ASSERT_EQ(editor.document().record().line(5).substr(0, 2), "01");
    EXPECT_EQ(editor.history().undoText(), QStringLiteral("Undo line"));
    EXPECT_TRUE(editor.document().modified()) << "the file still holds the old index";
}

TEST_F(UndoTest, AStrokeIsKeptOnceAsItsLeds)
{
    openTwoFrames();
    stroke({QPoint(1, 1), QPoint(2, 1), QPoint(3, 2)});
    const vexel::EditStep* step = editor.history().undoStep();
    ASSERT_NE(step, nullptr);
    EXPECT_EQ(step->leds.changes.size(), 3u);
    EXPECT_TRUE(step->record.empty()) << "the row lines are made from the LEDs again";
    EXPECT_TRUE(editor.document().rowsPending()) << "nothing has read the record yet";
    ASSERT_TRUE(editor.undo());
    ASSERT_TRUE(editor.redo());
    EXPECT_TRUE(editor.document().rowsPending()) << "undo and redo made no line either";
}

// Rows whose stored form the LEDs do not give back (lower-case hex, a line
// shorter than its window) stay text in the step, beside a row that is made
// from the LEDs: undo and redo give each its exact text.
TEST_F(UndoTest, RowLinesTheLedsDoNotGiveBackAreKeptAsText)
{
    QByteArray text = "0001\r\n000001F40000000000600018\r\n";
    for (int r = 0; r < 24; ++r)
        text += (r == 2 ? QByteArray("AB") : QByteArray(24, r == 3 ? 'c' : 'C')) + "\r\n";
    open(text);
    const std::string loaded = editor.document().record().text();
    stroke({QPoint(2, 1), QPoint(2, 2), QPoint(2, 3)});
    const std::string stroked = editor.document().record().text();
    ASSERT_NE(stroked, loaded);
    EXPECT_EQ(editor.history().undoStep()->record.after.size(), 2u) << "rows 2 and 3 as text, row 1 as LEDs";
    ASSERT_TRUE(editor.undo());
    EXPECT_EQ(editor.document().record().text(), loaded);
    EXPECT_FALSE(editor.document().bits().lit(2, 1));
    ASSERT_TRUE(editor.redo());
    EXPECT_EQ(editor.document().record().text(), stroked);
}

// Reading the record makes its rows; undo and redo leave a stroke's rows to
// be made while nothing reads them. Read after every operation or only now
// and then, on a window that starts and ends inside its bytes and with LEDs
// painted beside it, the record is the same at every reading.
struct ReadingCase {
    unsigned seed;
    int every;
};

void PrintTo(const ReadingCase& c, std::ostream* os) { *os << "seed " << c.seed << " every " << c.every; }

class ReadNowAndThen : public UndoTest, public ::testing::WithParamInterface<ReadingCase> {
public:
    std::vector<std::string> readings(int every)
    {
        QByteArray text = "0002\r\n000001F40000000000600018\r\n";
        for (int r = 0; r < 24; ++r)
            text += QByteArray(24, r % 2 ? '5' : 'A') + "\r\n";
        text += "0100006400030002000D0005\r\n"; // columns 3..15 of rows 2..6
        for (int r = 0; r < 5; ++r)
            text += "F00F\r\n";
        open(text);
        std::mt19937 random(GetParam().seed);
        auto pick = [&](int from, int to) { return std::uniform_int_distribution<int>(from, to)(random); };
        std::vector<std::string> seen;
        for (int op = 1; op <= 240; ++op) {
            const vexel::FrameRect f = editor.document().frameRect();
            // LEDs of the window and two beside it on either side.
            auto led = [&] {
                return QPoint(pick(std::max(f.x - 2, 0), std::min(f.right() + 1, 95)), pick(f.y, f.bottom() - 1));
            };
            switch (pick(0, 9)) {
            case 0:
            case 1: stroke({led(), led(), led()}); break;
            case 2: stroke({led(), led()}, Alt, Qt::RightButton); break;
            case 3:
            case 4: editor.undo(); break;
            case 5: editor.redo(); break;
            case 6:
                editor.canvas().placeCursor(pick(f.x, f.right() - 1), pick(f.y, f.bottom() - 1));
                editor.toggleCursorLed();
                break;
            case 7:
                editor.document().setCurrentFrame(1 - editor.document().currentFrame());
                editor.loadFrame();
                break;
            case 8: editor.fillBoard(pick(0, 1) == 1); break;
            case 9:
                editor.undo();
                editor.undo();
                editor.redo();
                break;
            }
            if (op % every == 0)
                seen.push_back(editor.document().record().text());
        }
        return seen;
    }
};

TEST_P(ReadNowAndThen, GivesTheRecordOfReadingAfterEveryOperation)
{
    const int every = GetParam().every;
    const std::vector<std::string> always = readings(1);
    const std::vector<std::string> sometimes = readings(every);
    ASSERT_EQ(sometimes.size(), always.size() / static_cast<std::size_t>(every));
    for (std::size_t i = 0; i < sometimes.size(); ++i)
        ASSERT_EQ(sometimes[i], always[(i + 1) * static_cast<std::size_t>(every) - 1]) << "reading " << i;
    EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Seeds, ReadNowAndThen,
                         ::testing::Values(ReadingCase{1, 4}, ReadingCase{2, 9}, ReadingCase{3, 30},
                                           ReadingCase{4, 240}));

} // namespace
