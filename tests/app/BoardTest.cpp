// The board panel built on its own with the frames panel and the record
// view beside it, as the main window hosts them: the bit array, the frame
// record and the two pictures moving into each other, the cursor blink and
// the zoom.
#include "app/BoardPanel.h"
#include "app/FramesPanel.h"
#include "app/RecordView.h"
#include "editor/BoardEditor.h"
#include "preview/Playback.h"
#include "session/EditorSession.h"
#include "settings/AppSettings.h"
#include "support/FakeHost.h"
#include "support/MainControls.h"
#include "support/TestFiles.h"

#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QMainWindow>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using vexel::Color;
using vexel::FrameRect;

namespace {

constexpr Color Red = 0x0000FF;
constexpr Color Black = 0x000000;
constexpr Color Marker = 0x00FF00;

std::string header(int entry, int exit, int duration, FrameRect r)
{
    vexel::FrameHeader h;
    h.entryEffect = entry;
    h.exitEffect = exit;
    h.duration = duration;
    h.rect = r;
    return h.format();
}

// The parts of the main window the board works with, without the window.
struct BoardControls {
    explicit BoardControls(const QObject& w)
#define VEXEL_FIND(type, name) name(testing_support::controlNamed<type>(w, #name))
        : VEXEL_FIND(QSpinBox, SpinEdit1), VEXEL_FIND(QTimer, Timer2), VEXEL_FIND(QWidget, Canvas),
          VEXEL_FIND(QFrame, Panel2), VEXEL_FIND(QFrame, Panel5), VEXEL_FIND(ImageView, Image1),
          VEXEL_FIND(ImageView, Image2), VEXEL_FIND(ImageView, Image3), VEXEL_FIND(QComboBox, TntComboBox1),
          VEXEL_FIND(QComboBox, TntComboBox2), VEXEL_FIND(QSpinBox, SpinEdit2), VEXEL_FIND(RecordView, Memo1)
#undef VEXEL_FIND
    {
    }

    QSpinBox* SpinEdit1;
    QTimer* Timer2;
    QWidget* Canvas;
    QFrame *Panel2, *Panel5;
    ImageView *Image1, *Image2, *Image3;
    QComboBox *TntComboBox1, *TntComboBox2;
    QSpinBox* SpinEdit2;
    RecordView* Memo1;
};

// The board panel, the frames panel and the record view in a window of
// their own, put together as the main window puts them.
struct BoardWindow {
    BoardWindow(vexel::EditorSession& session, PanelHost& host) : board(session, host, &window, tools)
    {
        window.addToolBar(tools);
        window.setCentralWidget(board.Create_Board());
        work = new QFrame(board.Work_Parent());
        auto* row = new QHBoxLayout(work);
        new FramesPanel(session, host, work, row);
        new RecordView(session.document(), work, row);
        board.Place_Work_Panel(work);
        board.Connect();
    }

    QMainWindow window;
    QToolBar* tools = new QToolBar(&window);
    BoardPanel board;
    QFrame* work = nullptr; // the work panel under the grid
};

class BoardTest : public ::testing::Test {
protected:
    BoardTest() : folder(testing_support::folderOf(dir)), session(folder)
    {
        ui.Timer2->stop();
        session.settings().setLedColor(Red);
        session.settings().setBackColor(Black);
        session.settings().setGridColor(0x808080);
        setChecks(false, true, false);
        session.document().setRecord(vexel::ImageRecord::blank(0, 0, 500, 96, 24, session.editor().document().bits()));
        session.document().setFrameCount(1);
        session.document().setCurrentFrame(0);
        session.document().setFrameRect(FrameRect{0, 0, 96, 24});
    }

    // The drawing settings, set without their followers repainting.
    void setChecks(bool grid, bool rounded, bool frameBounds)
    {
        const QSignalBlocker quiet(&session.settings());
        session.settings().setDrawGrid(grid);
        session.settings().setRoundedLeds(rounded);
        session.settings().setFrameBounds(frameBounds);
    }

    // The frame panel's controls, as a user leaves them without a key.
    void setProperties(int entry, int exit, int duration)
    {
        ui.TntComboBox1->setCurrentIndex(entry);
        ui.TntComboBox2->setCurrentIndex(exit);
        ui.SpinEdit2->setValue(duration);
    }

    void useRecord(std::vector<std::string> lines) { session.document().setRecord(vexel::ImageRecord(std::move(lines))); }

    // The colour in the middle of an LED's cell on the zoomed view.
    Color cellColour(int column, int row) const
    {
        const int s = session.settings().cellSize();
        return session.editor().canvas().view().pixel(column * s + s / 2, row * s + s / 2);
    }

    const std::string& line(int i) const { return session.document().record().line(i); }

    QTemporaryDir dir;
    QString folder;
    vexel::EditorSession session;
    testing_support::FakeHost host;
    ScriptedPrompter& prompter = host.scripted;
    BoardWindow shown{session, host};
    BoardPanel& panel = shown.board;
    QMainWindow& window = shown.window;
    QFrame* work = shown.work;
    BoardControls ui{window};
};

} // namespace

TEST_F(BoardTest, StoreFrameWritesTheHeaderFromTheControlsAndTheRowsFromTheBits)
{
    for (const QPoint p : {QPoint(0, 0), QPoint(7, 0), QPoint(8, 1), QPoint(95, 23)})
        session.editor().document().bits().setLit(p.x(), p.y(), true);
    setProperties(2, 3, 1234);
    panel.Store_Frame();

    EXPECT_EQ(line(1), "002304D20000000000600018");
    EXPECT_EQ(line(2), "81" + std::string(22, '0'));
    EXPECT_EQ(line(3), "0080" + std::string(20, '0'));
    EXPECT_EQ(line(25), std::string(22, '0') + "01");
    EXPECT_EQ(session.document().record().lineCount(), 26);
    EXPECT_EQ(session.document().current().rowLinePos, 2);
    EXPECT_EQ(session.document().current().entryEffect, 2);
    EXPECT_EQ(session.document().current().duration, 1234);
    ASSERT_GE(ui.Memo1->shownLines().size(), 2);
    EXPECT_EQ(ui.Memo1->shownLines().at(1), QStringLiteral("002304D20000000000600018"));
}

TEST_F(BoardTest, StoreFrameFindsItsFrameBehindTheEarlierOnes)
{
    std::vector<std::string> lines = session.document().record().lines();
    lines[0] = "0002";
    lines.push_back(header(0, 0, 500, FrameRect{4, 1, 8, 2}));
    lines.push_back("0000");
    lines.push_back("0000");
    useRecord(lines);
    const std::vector<std::string> firstFrame(lines.begin() + 1, lines.begin() + 26);
    session.document().setCurrentFrame(1);
    session.document().setFrameRect(FrameRect{4, 1, 8, 2});
    session.editor().document().bits().setByte(1, 0, 0xAB);
    session.editor().document().bits().setByte(2, 1, 0xCD);
    setProperties(1, 0, 100);
    panel.Store_Frame();

    EXPECT_EQ(line(26), "0110006400040001" + std::string("00080002"));
    EXPECT_EQ(line(27), "AB00");
    EXPECT_EQ(line(28), "00CD");
    EXPECT_EQ(std::vector<std::string>(session.document().record().lines().begin() + 1, session.document().record().lines().begin() + 26),
              firstFrame);
    EXPECT_EQ(session.document().current().rowLinePos, 27);
}

TEST_F(BoardTest, StoreFrameNeverWidensAField)
{
    setProperties(-1, -1, 500);
    session.document().setCurrentFrame(0);
    panel.Store_Frame();
    EXPECT_EQ(line(1), "000001F40000000000600018") << "an effect box without a selection stores 0";
    EXPECT_TRUE(session.document().record().check().ok());
}

TEST_F(BoardTest, StoreFrameOnALowerBoardCutsTheFrameAndKeepsTheRecordWellFormed)
{
    session.settings().setBoardHeight(16);
    panel.Store_Frame();
    EXPECT_EQ(line(1).substr(16), "00600010");
    EXPECT_EQ(session.document().record().lineCount(), 18);
    EXPECT_TRUE(session.document().record().check().ok()) << session.document().record().check().error().toStdString();
    EXPECT_EQ(session.document().frameRect(), (FrameRect{0, 0, 96, 16}));
}

TEST_F(BoardTest, StoreFrameForAFrameTheRecordDoesNotHoldIsRefused)
{
    const vexel::ImageRecord before = session.document().record();
    session.document().setCurrentFrame(3);
    panel.Store_Frame();
    EXPECT_EQ(session.document().record(), before);
    EXPECT_EQ(prompter.count(QStringLiteral("error")), 1);
}

TEST_F(BoardTest, WhilePreviewingNeitherTheBitsNorTheRecordChange)
{
    window.findChild<Playback*>()->play(0); // a preview that never steps
    session.editor().canvas().board().setPixel(3, 3, Red);
    const vexel::ImageRecord before = session.document().record();
    panel.Update_Array();
    session.editor().document().bits().setLit(5, 5, true);
    panel.Store_Frame();
    window.findChild<Playback*>()->stop();

    EXPECT_FALSE(session.editor().document().bits().lit(3, 3));
    EXPECT_EQ(session.document().record(), before);
}

TEST_F(BoardTest, LoadFrameCapsAWideWindowAndStoresItBackAtTheBoardWidth)
{
    useRecord({"0001", header(0, 0, 500, FrameRect{0, 0, 0x80, 2}), std::string(32, 'F'), std::string(32, 'F')});
    session.editor().canvas().board().setFillColor(Marker);
    session.editor().canvas().board().fillRect(0, 0, 200, 30);
    panel.Load_Frame();

    EXPECT_EQ(session.document().frameRect(), (FrameRect{0, 0, 96, 2}));
    for (int k = 0; k < 16; ++k)
        EXPECT_EQ(session.editor().document().bits().byte(1, k), 0xFF) << "the line's length decides, byte " << k;
    EXPECT_EQ(session.editor().canvas().board().pixel(95, 1), Red);
    EXPECT_EQ(session.editor().canvas().board().pixel(96, 1), Marker) << "only the board is shown";

    panel.Store_Frame();
    EXPECT_EQ(line(1), "000001F40000000000600002");
    EXPECT_EQ(line(2), std::string(24, 'F'));
}

TEST_F(BoardTest, LoadFrameFillsAnOffsetWindowAndSetsTheControlsWithoutRunningTheirHandlers)
{
    setChecks(false, true, true);
    useRecord({"0001", header(1, 2, 3000, FrameRect{4, 1, 8, 2}), "ABCD", "0F00"});
    session.editor().canvas().board().setFillColor(Marker);
    session.editor().canvas().board().fillRect(0, 0, 96, 24);
    QSignalSpy entry(ui.TntComboBox1, &QComboBox::currentIndexChanged);
    QSignalSpy exit(ui.TntComboBox2, &QComboBox::currentIndexChanged);
    QSignalSpy duration(ui.SpinEdit2, &QSpinBox::valueChanged);
    panel.Load_Frame();

    EXPECT_EQ(entry.count() + exit.count() + duration.count(), 0);
    EXPECT_EQ(ui.TntComboBox1->currentIndex(), 1);
    EXPECT_EQ(ui.TntComboBox2->currentIndex(), 2);
    EXPECT_EQ(ui.SpinEdit2->value(), 3000);
    EXPECT_EQ(session.document().frameRect(), (FrameRect{4, 1, 8, 2}));
    EXPECT_EQ(session.document().current().rowLinePos, 2);
    EXPECT_EQ(session.editor().document().bits().byte(1, 0), 0xAB);
    EXPECT_EQ(session.editor().document().bits().byte(1, 1), 0xCD);

    // 0xAB 0xCD: columns 4-11 of row 1 are 1011 1100; 0x0F 0x00 on row 2.
    const char* expected[] = {"10111100", "11110000"};
    for (int r = 1; r <= 2; ++r)
        for (int c = 4; c < 12; ++c) {
            const Color want = expected[r - 1][c - 4] == '1' ? Red : Black;
            EXPECT_EQ(session.editor().canvas().board().pixel(c, r), want) << c << "," << r;
            EXPECT_EQ(cellColour(c, r), want) << c << "," << r;
        }
    EXPECT_EQ(session.editor().canvas().board().pixel(3, 1), Marker) << "beside the window nothing changes";
    EXPECT_EQ(session.editor().canvas().board().pixel(12, 1), Marker);

    // The frame border is drawn again over the window's first column.
    EXPECT_EQ(session.editor().canvas().view().pixel(40, 11), vexel::SkyBlue);
    EXPECT_EQ(session.editor().canvas().view().pixel(40, 12), session.settings().gridColor());

    EXPECT_EQ(session.editor().canvas().cursorPos(), QPoint(4, 1));
    EXPECT_EQ(session.editor().canvas().cursorColor(), Red);
    EXPECT_FALSE(session.editor().canvas().blinkPhase());

    panel.Store_Frame();
    EXPECT_EQ(line(1), header(1, 2, 3000, FrameRect{4, 1, 8, 2}));
    EXPECT_EQ(line(2), "ABCD") << "the LEDs beside the window travel with it";
    EXPECT_EQ(line(3), "0F00");
}

TEST_F(BoardTest, LoadFrameReportsARowThatIsNotHexadecimal)
{
    useRecord({"0001", header(0, 0, 500, FrameRect{0, 0, 16, 1}), "ZZ00"});
    panel.Load_Frame();
    ASSERT_EQ(prompter.count(QStringLiteral("error")), 1);
    EXPECT_TRUE(prompter.texts(QStringLiteral("error")).at(0).contains(
        QStringLiteral("'$ZZ' is not a valid integer value")));
}

TEST_F(BoardTest, UpdateArrayNeverReadsLedsBackFromThePictures)
{
    session.settings().setBoardWidth(100);
    session.settings().setBoardHeight(3);
    session.editor().canvas().board().setFillColor(Red);
    session.editor().canvas().board().fillRect(0, 0, 2002, 1000);
    session.editor().document().bits().setByte(0, 13, 0xAA);
    session.editor().document().bits().setByte(1, 2, 0x55);
    panel.Update_Array();

    for (int r = 0; r < 3; ++r)
        for (int k = 0; k < 13; ++k)
            EXPECT_EQ(session.editor().document().bits().byte(r, k), r == 0 && k == 13 ? 0xAA : r == 1 && k == 2 ? 0x55 : 0)
                << "a picture lit beside the editor lights no LED: " << r << "," << k;
    EXPECT_EQ(session.editor().document().bits().byte(0, 13), 0xAA);
}

TEST_F(BoardTest, FillCanvasChangesNothingOutsideTheFrameWindow)
{
    setChecks(true, true, false);
    session.settings().setCellSize(5);
    session.document().setFrameRect(FrameRect{3, 2, 10, 5});
    session.editor().canvas().setCursorPos(QPoint(4, 3));
    std::mt19937 random(11);
    for (vexel::Surface* s : {&session.editor().canvas().view(), &session.editor().canvas().board()})
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 600; ++x)
                s->setPixel(x, y, random() & 0xFFFFFF);
    session.editor().canvas().drawGridLines(); // a repaint redraws the grid where it already is
    for (int r = 0; r < 24; ++r)
        for (int k = 0; k < 12; ++k)
            session.editor().document().bits().setByte(r, k, static_cast<std::uint8_t>(random()));
    const QImage view = session.editor().canvas().view().image().copy(0, 0, 600, 200);
    const QImage board = session.editor().canvas().board().image().copy(0, 0, 600, 200);
    session.editor().canvas().view().setFillColor(Marker);
    panel.Fill_Canvas();

    const QRect viewWindow(15, 10, 50, 25);
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 600; ++x) {
            if (!viewWindow.contains(x, y)) {
                ASSERT_EQ(session.editor().canvas().view().image().pixel(x, y), view.pixel(x, y)) << x << "," << y;
            }
            const bool inWindow = session.document().frameRect().contains(x, y);
            if (!inWindow) {
                ASSERT_EQ(session.editor().canvas().board().image().pixel(x, y), board.pixel(x, y)) << x << "," << y;
            } else {
                ASSERT_EQ(session.editor().canvas().board().pixel(x, y), session.editor().document().bits().lit(x, y) ? Red : Black);
            }
        }
    EXPECT_EQ(session.editor().canvas().cursorColor(), session.editor().canvas().board().pixel(4, 3));
    EXPECT_EQ(session.editor().canvas().view().fillColor(), Black);
    EXPECT_EQ(session.editor().canvas().board().fillColor(), Black);
}

TEST_F(BoardTest, CursorAlternatesBetweenTheGridColourAndItsOwn)
{
    setChecks(true, false, false);
    session.editor().canvas().setCursorPos(QPoint(2, 1));
    session.editor().canvas().setCursorColor(Red);
    session.editor().canvas().view().setFillColor(0x123456);
    const Color expected[] = {0x808080, Red, 0x808080, Red};
    for (Color c : expected) {
        panel.Timer2Timer();
        EXPECT_EQ(cellColour(2, 1), c);
        EXPECT_EQ(session.editor().canvas().view().fillColor(), 0x123456u) << "a gesture's colour survives the blink";
    }
}

TEST_F(BoardTest, PlacingTheCursorPutsTheOldLedBackAndRestartsTheBlink)
{
    session.editor().canvas().setCursorPos(QPoint(2, 1));
    session.editor().canvas().setCursorColor(Red);
    session.editor().canvas().board().setPixel(5, 3, Black);
    panel.Timer2Timer();
    ASSERT_EQ(cellColour(2, 1), 0x808080u);
    session.editor().canvas().view().setFillColor(0x123456);

    session.editor().canvas().placeCursor(5, 3);
    EXPECT_EQ(cellColour(2, 1), Red);
    EXPECT_EQ(session.editor().canvas().cursorPos(), QPoint(5, 3));
    EXPECT_EQ(session.editor().canvas().cursorColor(), Black);
    EXPECT_FALSE(session.editor().canvas().blinkPhase());
    EXPECT_EQ(session.editor().canvas().view().fillColor(), 0x123456u);
    panel.Timer2Timer();
    EXPECT_EQ(cellColour(5, 3), 0x808080u) << "the first tick after placing shows the blink colour";
}

TEST_F(BoardTest, ZoomChangeLaysOutThePicturesAndRepaintsTheWholeBoard)
{
    session.document().setFrameRect(FrameRect{0, 0, 8, 8});
    session.editor().canvas().board().setFillColor(Black);
    session.editor().canvas().board().fillRect(0, 0, 96, 24);
    session.editor().document().bits().setLit(90, 20, true); // far outside the frame window
    ui.SpinEdit1->setValue(4);

    EXPECT_EQ(session.settings().cellSize(), 4);
    EXPECT_EQ(ui.Panel2->geometry(), QRect(59, 2, 100, 28));
    EXPECT_EQ(ui.Panel5->geometry(), QRect(696, 2, 100, 28));
    EXPECT_EQ(ui.Image2->geometry(), QRect(2, 2, 96, 24));
    EXPECT_EQ(ui.Image3->geometry(), QRect(2, 2, 96, 24));
    EXPECT_EQ(ui.Image1->geometry(), QRect(0, 40, 384, 96));
    EXPECT_EQ(work->y(), 146);
    EXPECT_GE(ui.Canvas->height(), work->geometry().bottom() + 1);
    EXPECT_GE(ui.Canvas->width(), ui.Image1->geometry().right() + 1);

    EXPECT_EQ(session.editor().canvas().view().pixel(90 * 4 + 2, 20 * 4 + 2), Red);
    EXPECT_EQ(session.editor().canvas().view().pixel(36 * 4 + 2, 8 * 4 + 2), Black);
}

// LEDs beside the frame window (a Paste, a Fill) are part of the board the
// operator sees, and a new frame's window may take them in later.
TEST_F(BoardTest, AColourChangeRepaintsTheLedsBesideTheFrameWindow)
{
    session.settings().setStartupDone(true);
    session.document().setFrameRect(FrameRect{0, 0, 8, 8});
    session.editor().document().bits().setLit(90, 20, true);
    session.editor().canvas().repaintView();
    ASSERT_EQ(cellColour(90, 20), Red);
    session.settings().setLedColor(Marker);
    EXPECT_EQ(session.editor().canvas().board().pixel(90, 20), Marker);
    EXPECT_EQ(cellColour(90, 20), Marker);
    session.settings().setBackColor(0x303030);
    EXPECT_EQ(session.editor().canvas().board().pixel(50, 10), 0x303030u);
    EXPECT_EQ(cellColour(50, 10), 0x303030u);
    EXPECT_EQ(cellColour(90, 20), Marker);
}

// Playback and a job hold the board through the panel: Fill and Clear,
// the context menu's Paste, and the grid while the board is talked to.
TEST_F(BoardTest, WhatHoldsTheBoardLocksItsControlsUntilItLetsGo)
{
    auto* fill = testing_support::controlNamed<QPushButton>(window, "Button2");
    auto* clear = testing_support::controlNamed<QPushButton>(window, "Button1");
    auto* paste = testing_support::controlNamed<QAction>(window, "Paste2");

    panel.Set_Locked(true);
    EXPECT_FALSE(fill->isEnabled());
    EXPECT_FALSE(clear->isEnabled());
    EXPECT_TRUE(paste->isEnabled()) << "the preview leaves the menu's paste alone";
    panel.Set_Locked(false);
    EXPECT_TRUE(fill->isEnabled() && clear->isEnabled());

    emit session.jobLocked(true);
    emit session.sendJob().exchanging(true);
    EXPECT_FALSE(paste->isEnabled());
    EXPECT_FALSE(ui.Image1->isEnabled());
    emit session.sendJob().exchanging(false);
    EXPECT_TRUE(ui.Image1->isEnabled());
    EXPECT_FALSE(paste->isEnabled()) << "until the job gives the editor back";
    emit session.jobLocked(false);
    EXPECT_TRUE(paste->isEnabled());
}
