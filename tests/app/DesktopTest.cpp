// What makes the editor at home on a desktop: the usual shortcuts, the
// title's mark for an unsaved image, and a layout without gaps or clipped
// texts at the default window size.
#include "support/EditorFixture.h"

#include "app/Help.h"
#include "app/Settings.h"
#include "preview/Playback.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QStatusBar>
#include <QWheelEvent>

#include <algorithm>

using frames_fixture::EditorTest;
using frames_fixture::FrameText;
using frames_fixture::header;
using frames_fixture::imageText;

namespace {

class DesktopTest : public EditorTest {
protected:
    void showActive()
    {
        form.resize(1023, 724);
        form.show();
        QApplication::setActiveWindow(&form);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    }
    void key(int k, Qt::KeyboardModifiers keys = Qt::NoModifier) { QTest::keyClick(&form, Qt::Key(k), keys); }
};

TEST_F(DesktopTest, TheUsualShortcutsReachTheirCommands)
{
    struct Case {
        QAction* action;
        QKeySequence keys;
    };
    for (const Case& c : {Case{ui.New1, QKeySequence(Qt::CTRL | Qt::Key_N)}, Case{ui.Load1, QKeySequence(Qt::CTRL | Qt::Key_O)},
                          Case{ui.Save1, QKeySequence(Qt::CTRL | Qt::Key_S)},
                          Case{ui.SaveAs1, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
                          Case{ui.Copy1, QKeySequence(Qt::CTRL | Qt::Key_C)}, Case{ui.Paste1, QKeySequence(Qt::CTRL | Qt::Key_V)},
                          Case{ui.Quit1, QKeySequence(Qt::CTRL | Qt::Key_Q)}, Case{ui.N1, QKeySequence(Qt::Key_F1)}})
        EXPECT_TRUE(c.action->shortcuts().contains(c.keys)) << c.action->text().toStdString();

    open(imageText({FrameText{header(0, 500, {0, 0, 96, 24})}, FrameText{header(1, 500, {0, 0, 96, 24})}}));
    showActive();
    key(Qt::Key_C, Qt::ControlModifier); // Copy with no selection yet
    EXPECT_EQ(prompter.texts("inform"), QStringList({"No selection"}));
    key(Qt::Key_F1);
    EXPECT_TRUE(ui.Form4->isVisible());
    ui.Form4->hide();
    QApplication::setActiveWindow(&form);

    key(Qt::Key_F5);
    EXPECT_TRUE(framesPanel.Preview_Running());
    key(Qt::Key_F5);
    EXPECT_FALSE(framesPanel.Preview_Running());

    key(Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_EQ(session.settings().cellSize(), 11);
    key(Qt::Key_Minus, Qt::ControlModifier);
    key(Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(session.settings().cellSize(), 9);
    const QPoint at = ui.Image1->rect().center();
    QWheelEvent wheel(at, ui.Image1->mapToGlobal(at), QPoint(), QPoint(0, 240), Qt::NoButton, Qt::ControlModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(ui.Image1, &wheel);
    EXPECT_EQ(session.settings().cellSize(), 11) << "two notches of the wheel with Ctrl";

    // Quit goes the close box's way: the save prompt, then the settings file.
    press(Qt::LeftButton, Qt::AltModifier, cell(1, 1));
    release(Qt::LeftButton, Qt::AltModifier, cell(1, 1));
    prompter.confirmAnswers = {false};
    key(Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(prompter.texts("confirm"), QStringList({"Image changed. Do you want to save?"}));
    EXPECT_FALSE(form.isVisible());
}

TEST_F(DesktopTest, TheTitleMarksAnUnsavedImage)
{
    openBlank();
    const QString clean = TForm1::Title_Text + path();
    EXPECT_EQ(form.windowTitle(), clean);
    press(Qt::LeftButton, Qt::AltModifier, cell(1, 1));
    release(Qt::LeftButton, Qt::AltModifier, cell(1, 1));
    EXPECT_EQ(form.windowTitle(), clean + "*");
    ui.Save1->trigger();
    EXPECT_EQ(form.windowTitle(), clean);
    ui.Undo1->trigger();
    EXPECT_EQ(form.windowTitle(), clean + "*") << "undo past the save leaves the image unsaved";
    ui.New1->trigger(); // the prompt is answered No
    EXPECT_EQ(form.windowTitle(), TForm1::Title_Text + folder + "Untitled1");
}

TEST_F(DesktopTest, TheDefaultWindowShowsEverythingWithoutGaps)
{
    openBlank();
    showActive();
    QApplication::processEvents();
    EXPECT_GE(ui.TntComboBox2->width(), ui.TntComboBox2->sizeHint().width())
        << "the longest exit effect shows whole";
    EXPECT_GE(ui.TntComboBox1->width(), ui.TntComboBox1->sizeHint().width());
    const int viewport = ui.Board_Area->viewport()->height();
    EXPECT_GE(ui.Panel3->geometry().bottom() + 1 + 8, viewport) << "no band between work panel and status bar";
    EXPECT_LE(ui.Canvas->width(), ui.Board_Area->viewport()->width()) << "no sideways scrolling";
    EXPECT_FALSE(ui.ProgressBar1->isVisible()) << "no empty progress box while nothing runs";

    ui.Form2->show();
    QApplication::processEvents();
    // The design's size, taller only by what the journal's row needs.
    EXPECT_EQ(ui.Form2->size(), QSize(529, std::max(209, ui.Form2->minimumSizeHint().height())));
    EXPECT_LE(ui.Form2->height(), 209 + 2 * ui.Form2->Edit_Journal->sizeHint().height());
    EXPECT_LE(ui.Form2->minimumSizeHint().width(), 529);
    ui.Form2->hide();
}

} // namespace
