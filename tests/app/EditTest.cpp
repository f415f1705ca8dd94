// Undo and redo, the tool row and the keyboard on the LED grid, driven
// through the main window's menus, shortcuts, mouse and keys.
#include "support/EditorFixture.h"

#include "preview/Playback.h"
#include "transfer/SendJob.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>

using frames_fixture::EditorTest;
using frames_fixture::fileLines;
using frames_fixture::FrameText;
using frames_fixture::header;
using frames_fixture::imageText;

namespace {

const vexel::FrameRect Window{8, 4, 16, 8};

class EditTest : public EditorTest {
protected:
    void openWindowed() { open(imageText({FrameText{header(0, 500, Window)}})); }

    // Shortcuts need the window on screen and active.
    void showActive()
    {
        form.show();
        QApplication::setActiveWindow(&form);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    }

    void key(int k, Qt::KeyboardModifiers keys = Qt::NoModifier) { QTest::keyClick(&form, Qt::Key(k), keys); }

    void plainDrag(QPoint from, QPoint to)
    {
        press(Qt::LeftButton, Qt::NoModifier, cell(from.x(), from.y()));
        move(Qt::NoModifier, cell(to.x(), to.y()));
        release(Qt::LeftButton, Qt::NoModifier, cell(to.x(), to.y()));
    }
};

TEST_F(EditTest, TheEditMenuSaysWhatItWouldUndoAndTheShortcutsWork)
{
    openWindowed();
    showActive();
    EXPECT_FALSE(ui.Undo1->isEnabled());
    press(Qt::LeftButton, Qt::AltModifier, cell(10, 5));
    release(Qt::LeftButton, Qt::AltModifier, cell(10, 5));
    EXPECT_EQ(ui.Undo1->text(), "Undo paint");
    EXPECT_TRUE(form.findChild<QToolButton*>(QStringLiteral("UndoButton"))->isEnabled());

    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_FALSE(litOnBoard(10, 5));
    EXPECT_EQ(ui.Redo1->text(), "Redo paint");
    EXPECT_FALSE(session.document().modified()) << "back at the loaded state";
    key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_TRUE(litOnBoard(10, 5));
    EXPECT_TRUE(session.document().modified());
    key(Qt::Key_Z, Qt::ControlModifier);
    key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(litOnBoard(10, 5));
}

TEST_F(EditTest, UndoWaitsWhileThePreviewPlaysAndWhileTheLinkIsBusy)
{
    open(imageText({FrameText{header(0, 500, {0, 0, 96, 24})}, FrameText{header(1, 500, Window)}}));
    press(Qt::LeftButton, Qt::AltModifier, cell(1, 1));
    release(Qt::LeftButton, Qt::AltModifier, cell(1, 1));
    ASSERT_TRUE(ui.Undo1->isEnabled());
    ui.Save1->trigger();
    framesPanel.Button7Click();
    EXPECT_FALSE(ui.Undo1->isEnabled());
    ui.Undo1->trigger();
    EXPECT_TRUE(framesPanel.Preview_Running());
    framesPanel.Button7Click();
    EXPECT_FALSE(ui.Undo1->isEnabled()) << "Run's reload started the history afresh";

    press(Qt::LeftButton, Qt::AltModifier, cell(2, 2));
    release(Qt::LeftButton, Qt::AltModifier, cell(2, 2));
    bool enabledDuringRead = true;
    QObject::connect(&session.sendJob(), &vexel::SendJob::exchanging, &form, [&](bool on) {
        if (on)
            enabledDuringRead = ui.Undo1->isEnabled() || ui.Redo1->isEnabled();
    });
    session.settings().setTimeOut(0);
    ui.Button12->click();
    EXPECT_FALSE(enabledDuringRead);
    EXPECT_TRUE(ui.Undo1->isEnabled());
}

TEST_F(EditTest, ToolsTurnAPlainDragIntoTheirGestureAsOneStep)
{
    openWindowed();
    showActive();
    key(Qt::Key_P);
    ASSERT_EQ(session.editor().tool(), vexel::Tool::Pencil);
    ASSERT_EQ(form.findChild<QActionGroup*>(QStringLiteral("Tool_Actions"))->checkedAction()->data().toInt(),
              static_cast<int>(vexel::Tool::Pencil));
    plainDrag({10, 5}, {12, 5});
    for (int c = 10; c <= 12; ++c)
        EXPECT_TRUE(litOnBoard(c, 5)) << "a continuous line: " << c;
    EXPECT_EQ(session.document().record().line(2 + 1), "3800") << "stored at the release";

    key(Qt::Key_E);
    plainDrag({10, 5}, {10, 5});
    EXPECT_FALSE(litOnBoard(10, 5));

    key(Qt::Key_R);
    plainDrag({14, 6}, {16, 7});
    for (int c = 14; c <= 16; ++c)
        EXPECT_TRUE(litOnBoard(c, 7)) << c;
    EXPECT_EQ(ui.Undo1->text(), "Undo fill rectangle");

    key(Qt::Key_S);
    plainDrag({9, 4}, {20, 8});
    EXPECT_TRUE(ui.Button9->isEnabled());
    EXPECT_EQ(session.editor().selection().rect(), (vexel::LedRect{9, 4, 21, 9}));

    key(Qt::Key_P);
    // The modifier gestures keep their meaning under any tool.
    press(Qt::RightButton, Qt::AltModifier, cell(12, 5));
    release(Qt::RightButton, Qt::AltModifier, cell(12, 5));
    EXPECT_FALSE(litOnBoard(12, 5));

    key(Qt::Key_C);
    plainDrag({11, 6}, {11, 6});
    EXPECT_EQ(session.editor().canvas().cursorPos(), QPoint(11, 6));

    int steps = 0;
    while (session.editor().undo())
        ++steps;
    EXPECT_EQ(steps, 4) << "pencil, eraser, rectangle and Alt+right, each one step";
    EXPECT_EQ(session.document().record().text(), imageText({FrameText{header(0, 500, Window)}}).toStdString());
}

TEST_F(EditTest, TheNewToolsAndTheUnlitToggleAreOnTheToolRowWithTheirKeys)
{
    openWindowed();
    showActive();
    auto* unlit = form.findChild<QAction*>(QStringLiteral("Unlit1"));
    ASSERT_NE(unlit, nullptr);
    key(Qt::Key_X);
    EXPECT_TRUE(unlit->isChecked());
    EXPECT_TRUE(session.editor().drawUnlit());
    key(Qt::Key_X);
    EXPECT_FALSE(session.editor().drawUnlit()) << "X swaps back";

    key(Qt::Key_L);
    ASSERT_EQ(session.editor().tool(), vexel::Tool::Line);
    ASSERT_EQ(form.findChild<QActionGroup*>(QStringLiteral("Tool_Actions"))->checkedAction()->data().toInt(),
              static_cast<int>(vexel::Tool::Line));
    plainDrag({10, 5}, {13, 5});
    for (int c = 10; c <= 13; ++c)
        EXPECT_TRUE(litOnBoard(c, 5)) << c;
    EXPECT_EQ(ui.Undo1->text(), "Undo line");
    key(Qt::Key_F);
    EXPECT_EQ(session.editor().tool(), vexel::Tool::FloodFill);
    key(Qt::Key_M);
    EXPECT_EQ(session.editor().tool(), vexel::Tool::Move);
}

TEST_F(EditTest, ArrowsMoveTheCursorWithinTheFrameAndSpaceSwitchesItsLed)
{
    openWindowed();
    showActive();
    press(Qt::LeftButton, Qt::NoModifier, cell(22, 10));
    release(Qt::LeftButton, Qt::NoModifier, cell(22, 10));
    EXPECT_EQ(ui.Image1->focusPolicy(), Qt::ClickFocus) << "a click gives the grid the keyboard";
    ui.Image1->setFocus();
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(ui.Image1, Qt::Key_Right);
    QTest::keyClick(ui.Image1, Qt::Key_Down);
    QTest::keyClick(ui.Image1, Qt::Key_Down);
    EXPECT_EQ(session.editor().canvas().cursorPos(), QPoint(23, 11)) << "the frame window's last column and row";

    QTest::keyClick(ui.Image1, Qt::Key_Space);
    EXPECT_TRUE(litOnBoard(23, 11));
    EXPECT_EQ(session.document().record().line(2 + 7), "0001");
    EXPECT_EQ(ui.Undo1->text(), "Undo paint");
    QTest::keyClick(ui.Image1, Qt::Key_Space);
    EXPECT_FALSE(litOnBoard(23, 11));
    EXPECT_EQ(ui.Undo1->text(), "Undo erase");

    // The arrows keep their meaning elsewhere: the duration field steps.
    ui.SpinEdit2->setFocus();
    QTest::keyClick(ui.SpinEdit2, Qt::Key_Up);
    EXPECT_EQ(ui.SpinEdit2->value(), 501);
    EXPECT_EQ(fileLines(path()).at(1).mid(4, 4), "01F5");
    EXPECT_EQ(session.editor().canvas().cursorPos(), QPoint(23, 11));
}

TEST_F(EditTest, ADurationTypedKeyByKeyIsOneStepAndItsUndoWritesTheFile)
{
    openWindowed();
    const QByteArray before = testing_support::readAll(path());
    ui.SpinEdit2->setFocus();
    ui.SpinEdit2->selectAll();
    QTest::keyClicks(ui.SpinEdit2, "1000");
    EXPECT_EQ(fileLines(path()).at(1).mid(4, 4), "03E8");
    EXPECT_EQ(session.editor().history().count(), 1);
    EXPECT_EQ(ui.Undo1->text(), "Undo duration");
    ui.Undo1->trigger();
    EXPECT_EQ(testing_support::readAll(path()), before);
    EXPECT_EQ(ui.SpinEdit2->value(), 500);
}

} // namespace
