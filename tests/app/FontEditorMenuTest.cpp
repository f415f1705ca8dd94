// The font editor from the main window's Edit menu: a glyph drawn and saved
// there is lettered by the Text panel that is already open.
#include "support/EditorFixture.h"
#include "support/ScopedEnv.h"

#include "app/FontEditor.h"
#include "app/TextPanel.h"
#include "lettering/FontDocument.h"
#include "lettering/UserFonts.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>

using frames_fixture::EditorTest;
using frames_fixture::FrameText;
using frames_fixture::header;
using frames_fixture::imageText;

namespace {

class FontEditorMenuTest : public EditorTest {
protected:
    FontEditorMenuTest() : data_("XDG_DATA_HOME", home.path().toUtf8()) {}

    QAction* fontEditorAction() const
    {
        for (QAction* a : ui.Edit1->actions())
            if (a->text() == QStringLiteral("Font Editor..."))
                return a;
        return nullptr;
    }

    QTemporaryDir home;
    testing_support::ScopedEnv data_;
};

TEST_F(FontEditorMenuTest, AGlyphDrawnAndSavedIsLetteredAtOnce)
{
    open(imageText({FrameText{header(0, 500, {0, 0, 96, 24}), '0'}}));
    form.findChild<QAction*>(QStringLiteral("Text1"))->trigger();
    ASSERT_NE(form.findChild<TextPanel*>(), nullptr);
    form.findChild<TextPanel*>()->textEdit->setPlainText(QStringLiteral("Metekhi §5"));
    EXPECT_TRUE(form.findChild<TextPanel*>()->missingLabel->text().contains(QChar(0x00A7)))
        << form.findChild<TextPanel*>()->missingLabel->text().toStdString();

    QAction* action = fontEditorAction();
    ASSERT_NE(action, nullptr);
    action->trigger();
    auto* editor = form.findChild<FontEditor*>();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->isVisible());
    ASSERT_TRUE(editor->document().isOpen());
    action->trigger();
    EXPECT_EQ(form.findChildren<FontEditor*>().size(), 1);

    // The face the panel letters in, with a quote drawn in it.
    const vexel::TextStyle style = form.findChild<TextPanel*>()->blocks().front().style;
    const QString file = QStringLiteral("vexel-led-%1.vfont").arg(style.height);
    ASSERT_TRUE(editor->openFont(QStringLiteral(VEXEL_FONTS_DIR "/") + file)) << file.toStdString();
    editor->addEdit->setText(QStringLiteral("§"));
    editor->addButton->click();
    vexel::LedBitmap quote = editor->document().glyph(U'§')->cell;
    quote.set(0, 0, true);
    quote.set(2, 0, true);
    ASSERT_TRUE(editor->document().setCell(U'§', quote, QStringLiteral("pencil")));
    prompter.fileAnswers.push_back(vexel::UserFonts::folder() + QLatin1Char('/') + file);
    ASSERT_TRUE(editor->Save1Click()) << prompter.texts(QStringLiteral("error")).join('\n').toStdString();

    EXPECT_FALSE(form.findChild<TextPanel*>()->missingLabel->text().contains(QChar(0x00A7)))
        << form.findChild<TextPanel*>()->missingLabel->text().toStdString();
    EXPECT_EQ(form.findChild<TextPanel*>()->textEdit->toPlainText(), QStringLiteral("Metekhi §5"));
}

} // namespace
