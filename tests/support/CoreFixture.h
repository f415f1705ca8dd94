#pragma once

// The editing core without a window: the settings, the editor with its
// document, canvas and history, and a scratch folder for image files.
#include "editor/BoardEditor.h"
#include "settings/AppSettings.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace testing_support {

class CoreFixture : public ::testing::Test {
public:
    CoreFixture() : folder(folderOf(dir)), editor(settings)
    {
        // The frame panel's commands run only once the editor has started.
        settings.setStartupDone(true);
        editor.document().setFolder(folder);
        QObject::connect(&editor, &vexel::BoardEditor::error, [this](const QString& m) { errors << m; });
    }

    // A board of another size, as the settings put it in force.
    void useBoard(int width, int height)
    {
        settings.setBoardWidth(width);
        settings.setBoardHeight(height);
        editor.document().setBoardWidth(width);
        editor.document().setBoardHeight(height);
    }

    // Writes the image, loads it from its first frame and starts the history.
    void open(const QByteArray& text, const QString& name = QStringLiteral("test.img"))
    {
        writeAll(folder + name, text);
        editor.document().setFileName(name);
        editor.document().setCurrentFrame(0);
        const vexel::Status loaded = editor.loadFile();
        ASSERT_TRUE(loaded) << loaded.error().toStdString();
        editor.clearHistory();
    }

    QByteArray fileBytes() const { return readAll(editor.document().path()); }

    // The board image's LEDs as a string of '#' and '.', row by row.
    std::string leds() const
    {
        std::string out;
        const vexel::BoardCanvas& c = editor.canvas();
        for (int r = 0; r < settings.boardHeight(); ++r) {
            for (int x = 0; x < settings.boardWidth(); ++x)
                out += c.board().pixel(x, r) == settings.ledColor() ? '#' : '.';
            out += '\n';
        }
        return out;
    }

    static vexel::GestureInput at(int column, int row, Qt::MouseButton button, Qt::MouseButtons buttons,
                                  Qt::KeyboardModifiers keys = Qt::NoModifier)
    {
        return vexel::GestureInput{QPoint(column, row), button, buttons, keys};
    }

    // A stroke with `keys` and the left button through the given LEDs.
    void stroke(const std::vector<QPoint>& path, Qt::KeyboardModifiers keys = Qt::AltModifier,
                Qt::MouseButton button = Qt::LeftButton)
    {
        editor.press(at(path.front().x(), path.front().y(), button, button, keys));
        for (const QPoint& p : path)
            editor.move(at(p.x(), p.y(), Qt::NoButton, button, keys));
        editor.release(at(path.back().x(), path.back().y(), button, Qt::NoButton, keys));
    }

    QTemporaryDir dir;
    QString folder;
    vexel::AppSettings settings;
    vexel::BoardEditor editor;
    QStringList errors;
};

} // namespace testing_support
