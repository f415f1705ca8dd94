#pragma once

// An editor opened on an image file in a temporary folder, for the tests of
// the mouse, the frame panel and the preview. The start-up work and the
// cursor blink are stopped so nothing runs behind a test's back.
#include "app/FramesPanel.h"
#include "app/Graphic_Editor.h"
#include "document/FrameHeader.h"
#include "session/EditorSession.h"
#include "support/MainControls.h"
#include "support/TestFiles.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace frames_fixture {

// A frame of the image text: its header and its rows, every row line made
// of `fill` (all LEDs off with '0').
struct FrameText {
    vexel::FrameHeader header;
    char fill = '0';
};

inline vexel::FrameHeader header(int index, int duration, vexel::FrameRect rect, int entry = 0, int exit = 0)
{
    vexel::FrameHeader h;
    h.index = index;
    h.entryEffect = entry;
    h.exitEffect = exit;
    h.duration = duration;
    h.rect = rect;
    return h;
}

inline QByteArray imageText(const std::vector<FrameText>& frames)
{
    QByteArray text = QByteArray::number(static_cast<int>(frames.size()), 16).toUpper().rightJustified(4, '0');
    text += "\r\n";
    for (const FrameText& f : frames) {
        text += QByteArray::fromStdString(f.header.format()) + "\r\n";
        for (int r = 0; r < f.header.rect.h; ++r)
            text += QByteArray(f.header.rect.rowLineLength(), f.fill) + "\r\n";
    }
    return text;
}

inline QList<QByteArray> fileLines(const QString& path)
{
    QList<QByteArray> lines = testing_support::readAll(path).split('\n');
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    for (QByteArray& l : lines)
        l.chop(l.endsWith('\r') ? 1 : 0);
    return lines;
}

class EditorTest : public ::testing::Test {
protected:
    EditorTest() : folder(testing_support::folderOf(dir)), form(EditorContext{folder, &prompter})
    {
        ui.Timer1->stop();
        ui.Timer2->stop();
    }

    ~EditorTest() override
    {
        // QTest keeps the held buttons across tests; a failed gesture must
        // not leave one held for the next test.
        for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton})
            if (heldButtons & b)
                QTest::mouseRelease(ui.Image1, b, Qt::NoModifier, QPoint(1, 1));
    }

    // Writes the image, points the editor at it and loads it.
    void open(const QByteArray& text, const QString& name = QStringLiteral("test.img"))
    {
        testing_support::writeAll(folder + name, text);
        session.document().setFolder(folder);
        session.document().setFileName(name);
        session.document().setCurrentFrame(0);
        const vexel::Status loaded = session.loadFile();
        ASSERT_TRUE(loaded) << loaded.error().toStdString();
        session.settings().setStartupDone(true);
    }

    void openBlank(int width = 96, int height = 24) { open(testing_support::blankImageText(width, height)); }

    QString path() const { return session.document().folder() + session.document().fileName(); }

    // The middle of an LED's cell in the zoomed view.
    QPoint cell(int column, int row) const
    {
        const int s = session.settings().cellSize();
        return QPoint(column * s + s / 2, row * s + s / 2);
    }

    void press(Qt::MouseButton button, Qt::KeyboardModifiers keys, QPoint at)
    {
        heldButtons |= button;
        QTest::mousePress(ui.Image1, button, keys, at);
    }

    void release(Qt::MouseButton button, Qt::KeyboardModifiers keys, QPoint at)
    {
        heldButtons &= ~Qt::MouseButtons(button);
        QTest::mouseRelease(ui.Image1, button, keys, at);
    }

    // QTest::mouseMove drops the keys, so the move is sent by hand.
    void move(Qt::KeyboardModifiers keys, QPoint at)
    {
        QMouseEvent event(QEvent::MouseMove, at, ui.Image1->mapToGlobal(at), Qt::NoButton, heldButtons, keys);
        QApplication::sendEvent(ui.Image1, &event);
    }

    bool litOnBoard(int column, int row) const { return session.editor().canvas().board().pixel(column, row) == session.settings().ledColor(); }

    QTemporaryDir dir;
    QString folder;
    ScriptedPrompter prompter;
    TForm1 form;
    vexel::EditorSession& session = form.session(); // what the window works on
    testing_support::MainControls ui{form};
    FramesPanel& framesPanel = *form.findChild<FramesPanel*>(); // Run, and the frame commands without a click
    Qt::MouseButtons heldButtons;
};

} // namespace frames_fixture
