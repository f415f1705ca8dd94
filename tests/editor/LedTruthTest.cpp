// The LEDs, not their pictures, are what every edit and every undo step
// works on: each kind of step is undone and redone across a change of
// colours, LED shape, grid or zoom, one more stroke is drawn, and the saved
// file must hold exactly the LEDs of the same actions without the change.
#include "support/CoreFixture.h"

#include <functional>

using testing_support::CoreFixture;

namespace {

constexpr auto Alt = Qt::AltModifier;
constexpr auto CtrlAlt = Qt::ControlModifier | Qt::AltModifier;
constexpr auto Shift = Qt::ShiftModifier;

class LedTruthTest : public CoreFixture {
public:
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

    // The window's repaint after a change in the Settings dialog or the zoom.
    void repaint(bool zoom)
    {
        if (zoom)
            editor.canvas().repaintView();
        editor.canvas().fillWindow();
    }
};

struct Change {
    const char* name;
    std::function<void(LedTruthTest&)> apply;
};

struct StepCase {
    const char* name;
    std::function<void(LedTruthTest&)> act;
};

const Change Changes[] = {
    {"LitColour", [](LedTruthTest& t) { t.settings.setLedColor(0x00FF00); t.repaint(false); }},
    {"UnlitColour", [](LedTruthTest& t) { t.settings.setBackColor(0x303030); t.repaint(false); }},
    {"LitEqualsUnlit", [](LedTruthTest& t) { t.settings.setBackColor(t.settings.ledColor()); t.repaint(false); }},
    {"LedShape", [](LedTruthTest& t) { t.settings.setRoundedLeds(!t.settings.roundedLeds()); t.repaint(false); }},
    {"Grid", [](LedTruthTest& t) { t.settings.setDrawGrid(!t.settings.drawGrid()); t.repaint(false); }},
    {"Zoom", [](LedTruthTest& t) { t.settings.setCellSize(t.settings.cellSize() + 3); t.repaint(true); }},
};

const StepCase Steps[] = {
    {"Stroke", [](LedTruthTest& t) { t.stroke({QPoint(10, 2), QPoint(11, 2), QPoint(12, 3)}); }},
    {"Erase", [](LedTruthTest& t) { t.stroke({QPoint(1, 1), QPoint(2, 1), QPoint(0, 3)}, Alt, Qt::RightButton); }},
    {"Rectangle", [](LedTruthTest& t) { t.stroke({QPoint(20, 5), QPoint(30, 9)}, CtrlAlt); }},
    {"Paste",
     [](LedTruthTest& t) {
         t.select(0, 0, 9, 3);
         ASSERT_TRUE(t.editor.copy());
         t.editor.canvas().placeCursor(40, 10);
         ASSERT_TRUE(t.editor.paste());
     }},
    {"Fill", [](LedTruthTest& t) { t.editor.fillBoard(true); }},
    {"Clear", [](LedTruthTest& t) { t.editor.fillBoard(false); }},
    {"Text",
     [](LedTruthTest& t) {
         vexel::LedBitmap leds(6, 3);
         leds.set(0, 0, true);
         leds.set(5, 2, true);
         t.editor.placeLeds(leds, 3, 0, true, QStringLiteral("text"));
     }},
    {"ImportPicture",
     [](LedTruthTest& t) {
         vexel::LedBitmap leds(12, 5, true);
         leds.set(3, 3, false);
         t.editor.placeLeds(leds, 50, 12, true, QStringLiteral("import"));
     }},
    {"ImportFrames",
     [](LedTruthTest& t) {
         std::vector<vexel::LedBitmap> frames(2, vexel::LedBitmap(16, 4));
         frames[0].set(1, 1, true);
         frames[1].fill(true);
         t.editor.appendFrames(vexel::FrameRect{8, 2, 16, 4}, frames, {100, 200}, QStringLiteral("import frames"));
     }},
    {"AddFrame",
     [](LedTruthTest& t) {
         t.select(0, 0, 31, 5);
         t.editor.beginStep(QStringLiteral("add frame"));
         ASSERT_EQ(t.editor.document().addFrame(t.editor.selection().rect()),
                   vexel::ImageDocument::AddFrame::Added);
         ASSERT_TRUE(t.editor.document().write());
         t.editor.endStep();
     }},
    {"RemoveFrame", [](LedTruthTest& t) { ASSERT_TRUE(t.editor.removeFrame(1)); }},
};

struct Combination {
    StepCase step;
    Change change;
};

void PrintTo(const Combination& c, std::ostream* os) { *os << c.step.name << "/" << c.change.name; }

std::vector<Combination> combinations()
{
    std::vector<Combination> all;
    for (const StepCase& s : Steps)
        for (const Change& c : Changes)
            all.push_back({s, c});
    return all;
}

class EveryStepAcrossEveryChange : public LedTruthTest, public ::testing::WithParamInterface<Combination> {
public:
    // The actions of the reproduction: draw, erase, the step, the change
    // (when given), undo and redo of the step, one more stroke, save.
    QByteArray run(const Change* change)
    {
        openTwoFrames();
        stroke({QPoint(1, 1), QPoint(2, 1), QPoint(3, 1), QPoint(4, 1), QPoint(5, 1), QPoint(6, 1)});
        stroke({QPoint(3, 1), QPoint(4, 1)}, Alt, Qt::RightButton);
        const std::string before = editor.document().record().text();
        GetParam().step.act(*this);
        const std::string after = editor.document().record().text();
        EXPECT_NE(after, before) << "the step changed nothing";
        if (change)
            change->apply(*this);
        EXPECT_TRUE(editor.undo());
        EXPECT_EQ(editor.document().record().text(), before);
        EXPECT_TRUE(editor.redo());
        EXPECT_EQ(editor.document().record().text(), after);
        const vexel::FrameRect f = editor.document().frameRect();
        stroke({QPoint(f.x + 2, f.y + 2), QPoint(f.x + 3, f.y + 2)});
        EXPECT_TRUE(editor.document().write());
        return fileBytes();
    }
};

TEST_P(EveryStepAcrossEveryChange, KeepsEveryLedOfTheSavedFile)
{
    const vexel::AppSettings defaults;
    const QByteArray changed = run(&GetParam().change);
    settings.setLedColor(defaults.ledColor());
    settings.setBackColor(defaults.backColor());
    settings.setRoundedLeds(defaults.roundedLeds());
    settings.setDrawGrid(defaults.drawGrid());
    settings.setCellSize(defaults.cellSize());
    repaint(true);
    const QByteArray expected = run(nullptr);
    EXPECT_EQ(changed, expected);
    EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(LedTruth, EveryStepAcrossEveryChange, ::testing::ValuesIn(combinations()),
                         [](const auto& c) {
                             return std::string(c.param.step.name) + "_" + c.param.change.name;
                         });

TEST_F(LedTruthTest, PasteCopiesLedStatesAcrossAColourChange)
{
    openTwoFrames();
    select(0, 0, 7, 0); // row 0 is 0xAA: every other LED lit
    ASSERT_TRUE(editor.copy());
    settings.setLedColor(0x00FF00);
    repaint(false);
    editor.canvas().placeCursor(0, 1);
    ASSERT_TRUE(editor.paste());
    EXPECT_EQ(editor.document().record().line(3).substr(0, 2), "AA");
    EXPECT_EQ(editor.canvas().board().pixel(0, 1), 0x00FF00u) << "drawn in the colour now in force";
}

TEST_F(LedTruthTest, NewWithEqualColoursGivesAnUnlitBoard)
{
    openTwoFrames();
    settings.setBackColor(settings.ledColor());
    editor.newImage();
    for (int r = 0; r < 24; ++r)
        EXPECT_EQ(editor.document().record().line(2 + r), std::string(24, '0')) << r;
    EXPECT_FALSE(editor.canvas().lit(0, 0));
}

TEST_F(LedTruthTest, APictureChangedBesideTheEditorsChangesNoLed)
{
    openTwoFrames();
    editor.canvas().board().setFillColor(settings.backColor());
    editor.canvas().board().fillRect(0, 0, 96, 24);
    editor.updateArray();
    stroke({QPoint(50, 20)});
    EXPECT_EQ(editor.document().record().line(2).substr(0, 4), "AAAA") << "row 0 keeps its LEDs";
}

TEST_F(LedTruthTest, AnotherImageShowsNoLedOfTheLastBesideItsWindow)
{
    openTwoFrames();
    editor.fillBoard(true);
    QByteArray text = "0001\r\n000000640008000400100008\r\n";
    for (int r = 0; r < 8; ++r)
        text += "0000\r\n";
    open(text, QStringLiteral("small.img"));
    for (const QPoint& led : {QPoint(0, 0), QPoint(95, 23), QPoint(8, 4)}) {
        EXPECT_FALSE(editor.canvas().lit(led.x(), led.y())) << led.x() << "," << led.y();
        EXPECT_EQ(editor.canvas().board().pixel(led.x(), led.y()), settings.backColor()) << led.x() << "," << led.y();
    }
}

} // namespace
