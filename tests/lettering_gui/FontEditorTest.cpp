#include "LetteringTestSupport.h"
#include "support/ScopedEnv.h"
#include "support/Spoken.h"

#include "app/FontEditor.h"
#include "app/Prompter.h"
#include "app/TextPanel.h"
#include "lettering/FontDocument.h"
#include "lettering/LedFontReader.h"
#include "lettering/UserFonts.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace vexel;
using lettering_test::rows;
using lettering_test::writeFile;

namespace {

const QString Shipped7 = QStringLiteral(VEXEL_FONTS_DIR "/vexel-led-7.vfont");

QByteArray bytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The user's data location in a scratch folder, so saved fonts go nowhere real.
class FontEditorTest : public ::testing::Test {
protected:
    FontEditorTest() : data_("XDG_DATA_HOME", home.path().toUtf8()), editor(prompter) {}

    QPoint centre(QPoint led) const
    {
        const int s = editor.canvas->cellSize();
        return editor.canvas->ledOrigin(led) + QPoint(s / 2, s / 2);
    }
    void stroke(QPoint from, QPoint to, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mousePress(editor.canvas, button, {}, centre(from));
        QTest::mouseMove(editor.canvas, centre(to));
        QTest::mouseRelease(editor.canvas, button, {}, centre(to));
    }

    QTemporaryDir home;
    testing_support::ScopedEnv data_;
    ScriptedPrompter prompter;
    FontEditor editor;
};

TEST_F(FontEditorTest, DrawAddUndoAndSaveACopyThatReadsBackEqual)
{
    ASSERT_TRUE(editor.openFont(Shipped7));
    const QByteArray shipped = bytes(Shipped7);

    // Search by character picks the glyph; a Pencil stroke is one step.
    editor.searchEdit->setText(QStringLiteral("A"));
    ASSERT_EQ(editor.glyphList->count(), 1);
    EXPECT_EQ(editor.currentCode(), U'A');
    const LedBitmap before = editor.document().glyph(U'A')->cell;
    ASSERT_FALSE(before.lit(0, 0));
    stroke(QPoint(0, 0), QPoint(2, 0));
    EXPECT_EQ(rows(editor.document().glyph(U'A')->cell)[0].substr(0, 3), "###");
    EXPECT_EQ(editor.document().undoText(), QStringLiteral("Undo paint"));
    editor.Undo1Click();
    EXPECT_EQ(editor.document().glyph(U'A')->cell, before);
    editor.Redo1Click();
    EXPECT_TRUE(editor.document().glyph(U'A')->cell.lit(1, 0));

    // A typed character becomes a new empty glyph, shown at once; a line
    // with the Line tool, then the Eraser takes one LED back.
    editor.addEdit->setText(QStringLiteral("§"));
    editor.addButton->click();
    ASSERT_NE(editor.document().glyph(U'§'), nullptr);
    EXPECT_EQ(editor.currentCode(), U'§');
    EXPECT_EQ(editor.document().glyph(U'§')->cell.litCount(), 0);
    ASSERT_GE(editor.toolIndex(QStringLiteral("Line")), 0);
    editor.toolButtons->button(editor.toolIndex(QStringLiteral("Line")))->click();
    stroke(QPoint(1, 0), QPoint(1, 2));
    editor.selectTool(editor.toolIndex(QStringLiteral("Eraser")));
    stroke(QPoint(1, 2), QPoint(1, 2));
    EXPECT_EQ(editor.document().glyph(U'§')->cell.litCount(), 2);
    editor.widthBox->setValue(3);
    EXPECT_EQ(editor.document().glyph(U'§')->cell.width(), 3);
    EXPECT_EQ(editor.advanceBox->value(), 4);
    editor.Undo1Click(); // the width
    editor.Undo1Click(); // the eraser
    EXPECT_EQ(editor.document().glyph(U'§')->cell.litCount(), 3);
    EXPECT_TRUE(editor.windowTitle().contains(QLatin1Char('*')));

    // The sample line draws the new glyph at LED size and zoomed.
    editor.sampleEdit->setText(QStringLiteral("§"));
    EXPECT_EQ(editor.sampleSmall->line(), editor.document().glyph(U'§')->cell);
    EXPECT_EQ(editor.sampleZoomed->line(), editor.document().glyph(U'§')->cell);
    // Assistive tools are told what each LED view shows.
    const Glyph& section = *editor.document().glyph(U'§');
    EXPECT_EQ(testing_support::spoken(editor.canvas, QAccessible::Description),
              QStringLiteral("U+00A7 §, %1 LEDs wide, advance %2").arg(section.cell.width()).arg(section.advance));
    for (QWidget* sample : {static_cast<QWidget*>(editor.sampleSmall), static_cast<QWidget*>(editor.sampleZoomed)})
        EXPECT_EQ(testing_support::spoken(sample, QAccessible::Description), QStringLiteral("§"));

    // Save on a shipped face asks for a copy in the user's fonts folder.
    const QString copy = UserFonts::folder() + QStringLiteral("/my-led-7.vfont");
    prompter.fileAnswers.push_back(copy);
    ASSERT_TRUE(editor.Save1Click());
    ASSERT_EQ(prompter.count(QStringLiteral("save")), 1);
    EXPECT_EQ(prompter.asked.back().request.directory, UserFonts::folder());
    EXPECT_EQ(prompter.asked.back().request.proposedName, QStringLiteral("vexel-led-7.vfont"));
    EXPECT_EQ(prompter.count(QStringLiteral("error")), 0) << prompter.texts(QStringLiteral("error")).join('\n').toStdString();
    EXPECT_EQ(bytes(Shipped7), shipped);
    EXPECT_FALSE(editor.windowTitle().contains(QLatin1Char('*')));

    const Expected<LedFont> reread = LedFontReader::read(copy);
    ASSERT_TRUE(reread.ok()) << reread.error().toStdString();
    const LedFont& now = editor.document().font();
    ASSERT_EQ(reread->glyphs.size(), now.glyphs.size());
    for (const auto& [code, glyph] : now.glyphs) {
        ASSERT_NE(reread->find(code), nullptr);
        EXPECT_EQ(reread->find(code)->cell, glyph.cell) << FontDocument::codeName(code).toStdString();
        EXPECT_EQ(reread->find(code)->advance, glyph.advance);
    }
    EXPECT_EQ(reread->baseline, now.baseline);
}

TEST_F(FontEditorTest, SelectAndMoveShiftAGlyphInOneStep)
{
    const QString path = home.filePath(QStringLiteral("small.vfont"));
    writeFile(path, "family Small\nheight 3\nglyph U+0041\n#..\n##.\n...\n");
    ASSERT_TRUE(editor.openFont(path));
    editor.selectTool(editor.toolIndex(QStringLiteral("Select")));
    stroke(QPoint(0, 0), QPoint(1, 1));
    editor.selectTool(editor.toolIndex(QStringLiteral("Move")));
    stroke(QPoint(0, 0), QPoint(1, 1));
    EXPECT_EQ(rows(editor.document().glyph(U'A')->cell), (std::vector<std::string>{"...", ".#.", ".##"}));
    EXPECT_EQ(editor.document().undoText(), QStringLiteral("Undo move"));
    editor.Undo1Click();
    EXPECT_EQ(rows(editor.document().glyph(U'A')->cell), (std::vector<std::string>{"#..", "##.", "..."}));

    // The right button draws unlit with a drawing tool; the stroke's end
    // leaves the tool lighting again.
    editor.selectTool(editor.toolIndex(QStringLiteral("Pencil")));
    stroke(QPoint(0, 1), QPoint(1, 1), Qt::RightButton);
    EXPECT_EQ(rows(editor.document().glyph(U'A')->cell)[1], "...");
    stroke(QPoint(2, 2), QPoint(2, 2));
    EXPECT_EQ(rows(editor.document().glyph(U'A')->cell)[2], "..#");
}

TEST_F(FontEditorTest, RefusalsAreShownAndLeaveFilesWhole)
{
    const QString path = home.filePath(QStringLiteral("locked.vfont"));
    writeFile(path, lettering_test::squareFont("Locked", 5));
    ASSERT_TRUE(editor.openFont(path));
    editor.addEdit->setText(QStringLiteral("U+10D0"));
    editor.addButton->click();
    ASSERT_NE(editor.document().glyph(0x10D0), nullptr);
    const QByteArray before = bytes(path);
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    EXPECT_FALSE(editor.Save1Click());
    ASSERT_EQ(prompter.count(QStringLiteral("error")), 1);
    EXPECT_TRUE(prompter.texts(QStringLiteral("error")).front().contains(QStringLiteral("read-only")));
    EXPECT_EQ(bytes(path), before);
    EXPECT_TRUE(editor.document().isModified());

    // A broken file: the reader's file and line, the font in the window kept.
    const QString broken = home.filePath(QStringLiteral("broken.vfont"));
    writeFile(broken, "family Broken\nheight 2\nglyph U+41\n#\nx\n");
    EXPECT_FALSE(editor.openFont(broken));
    EXPECT_EQ(prompter.texts(QStringLiteral("error")).back(),
              broken + QStringLiteral(":5: row 2 of U+0041: 'x' is neither '.' nor '#'"));
    EXPECT_EQ(editor.document().path(), path);

    // Closing with changes asks; a refused save keeps the window open.
    editor.show();
    prompter.confirmAnswers.push_back(true);
    EXPECT_FALSE(editor.close());
    EXPECT_TRUE(editor.isVisible());
    prompter.confirmAnswers.push_back(false);
    EXPECT_TRUE(editor.close());
}

TEST_F(FontEditorTest, SavedUserFontAppearsInTheTextPanelAtOnce)
{
    TextPanel panel; // the installed places, the user's folder among them
    EXPECT_LT(panel.fontBox->findData(QStringLiteral("My Signs")), 0);

    const QString draft = home.filePath(QStringLiteral("draft.vfont"));
    writeFile(draft, lettering_test::squareFont("My Signs", 9));
    ASSERT_TRUE(editor.openFont(draft));
    editor.addEdit->setText(QStringLiteral("ბ"));
    editor.addButton->click();
    prompter.fileAnswers.push_back(UserFonts::folder() + QStringLiteral("/my-signs-9.vfont"));
    ASSERT_TRUE(editor.SaveAs1Click());
    EXPECT_GE(panel.fontBox->findData(QStringLiteral("My Signs")), 0);
    EXPECT_NE(panel.fonts().open(QStringLiteral("My Signs"), 9, false).value()->glyph(0x10D1), nullptr);
}

} // namespace
