// The windows' texts go through the translation: with a translator that
// marks every text it is asked for, no caption, tooltip or accessible name
// of the main window and the windows it owns is left as written, the names
// the editor layer gives its tools, undo steps and export formats are shown
// translated, and what the windows look up by name still works.
#include "app/About.h"
#include "app/EditCommands.h"
#include "app/FontEditor.h"
#include "app/Graphic_Editor.h"
#include "app/SignCommands.h"
#include "editor/BoardEditor.h"
#include "editor/tools/ToolList.h"
#include "lettering/FontDocument.h"
#include "settings/AppSettings.h"
#include "preview/ExportFormat.h"
#include "session/EditorSession.h"
#include "support/MainControls.h"
#include "support/TestFiles.h"

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRegularExpression>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTranslator>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

namespace {

// Puts every text it is asked for between '<' and '>'.
class MarkingTranslator : public QTranslator {
public:
    QString translate(const char*, const char* source, const char* = nullptr, int = -1) const override
    {
        if (!source || !*source)
            return QString();
        return QLatin1Char('<') + QString::fromUtf8(source) + QLatin1Char('>');
    }
    bool isEmpty() const override { return false; }
};

// Installed for the scope of a test.
class Marking {
public:
    Marking() { QCoreApplication::installTranslator(&translator_); }
    ~Marking() { QCoreApplication::removeTranslator(&translator_); }

private:
    MarkingTranslator translator_;
};

std::string listed(const QStringList& texts) { return texts.join(QLatin1Char('\n')).toStdString(); }

QString marked(const char* text) { return QLatin1Char('<') + QLatin1String(text) + QLatin1Char('>'); }

// A text a user reads in English: one with a word in Latin letters and no
// Georgian. Symbols ("<<", "|<"), numbers and the Help window's Georgian
// are not translated.
bool readable(const QString& text)
{
    static const QRegularExpression word(QStringLiteral("[A-Za-z]{2,}"));
    static const QRegularExpression georgian(QStringLiteral("[\\x{10A0}-\\x{10FF}]"));
    return word.match(text).hasMatch() && !georgian.match(text).hasMatch();
}

// Every caption, tooltip, placeholder, window title and accessible name
// under `root` that is shown as written, with where it is.
QStringList leftAsWritten(QObject* root, const QStringList& allowed)
{
    QStringList found;
    auto check = [&](const QObject* where, const char* what, const QString& text) {
        if (readable(text) && !text.contains(QLatin1Char('<')) && !allowed.contains(text))
            found << QStringLiteral("%1 (%2) %3: %4")
                         .arg(where->objectName(), QLatin1String(where->metaObject()->className()),
                              QLatin1String(what), text);
    };
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    if (auto* w = qobject_cast<QWidget*>(root))
        widgets.prepend(w);
    for (QWidget* w : widgets) {
        check(w, "tooltip", w->toolTip());
        check(w, "accessible name", w->accessibleName());
        if (w->isWindow())
            check(w, "title", w->windowTitle());
        if (auto* b = qobject_cast<QAbstractButton*>(w))
            check(w, "caption", b->text());
        if (auto* l = qobject_cast<QLabel*>(w))
            check(w, "label", l->text());
        if (auto* e = qobject_cast<QLineEdit*>(w))
            check(w, "placeholder", e->placeholderText());
        if (auto* m = qobject_cast<QMenu*>(w))
            check(w, "menu", m->title());
    }
    for (QAction* a : root->findChildren<QAction*>()) {
        check(a, "action", a->text());
        check(a, "action tooltip", a->toolTip());
    }
    return found;
}

class InterfaceTextTest : public ::testing::Test {
protected:
    InterfaceTextTest() : folder(testing_support::folderOf(dir)) {}

    std::unique_ptr<TForm1> start()
    {
        auto form = std::make_unique<TForm1>(EditorContext{folder, &prompter});
        form->Timer1Timer(); // the open dialog is cancelled: an untitled image
        return form;
    }

    QTemporaryDir dir;
    QString folder;
    ScriptedPrompter prompter;
};

TEST_F(InterfaceTextTest, NoTextOfTheMainWindowAndItsWindowsIsLeftAsWritten)
{
    const Marking marking;
    auto form = start();
    form->findChild<QAction*>(QStringLiteral("Text1"))->trigger(); // the Text panel
    // The title is the program's name and the image's path, the station's
    // name proposed is this PC's; the port box's tooltip says why the port
    // did not open, as the layer below reports it.
    const QStringList allowed{form->windowTitle(), QStringLiteral("Untitled1"), QSysInfo::machineHostName(),
                              form->session().settings().portMessage()};
    EXPECT_EQ(listed(leftAsWritten(form.get(), allowed)), "");

    TAboutBox about(form.get(), folder + QStringLiteral("Lumaro.ini"));
    EXPECT_EQ(listed(leftAsWritten(&about, {QStringLiteral("Vexel Image")})), "");

    FontEditor* fonts = FontEditor::showFor(form.get(), prompter);
    ASSERT_TRUE(fonts->document().isOpen());
    // The sample is the user's text; the title and the font's line start
    // with the font file's name.
    QStringList left = leftAsWritten(fonts, {fonts->sampleEdit->text()});
    const QString fontFile = fonts->windowTitle().section(QLatin1Char('<'), 0, 0);
    left.erase(std::remove_if(left.begin(), left.end(),
                              [&](const QString& l) { return l.contains(QStringLiteral(": ") + fontFile); }),
               left.end());
    EXPECT_EQ(listed(left), "");
}

TEST_F(InterfaceTextTest, ToolsUndoStepsAndExportsAreShownThroughTheTranslation)
{
    const Marking marking;
    auto form = start();
    testing_support::MainControls ui(*form);
    QAction* pencil = nullptr;
    for (QAction* a : ui.Edit1->actions())
        if (a->text() == marked("Pencil"))
            pencil = a;
    ASSERT_NE(pencil, nullptr) << "the Pencil tool is not in the Edit menu translated";
    EXPECT_EQ(pencil->toolTip(), marked("Light LEDs by dragging (P)"));

    EXPECT_EQ(ui.Undo1->text(), marked("Undo"));
    form->session().editor().fillBoard(true);
    EXPECT_EQ(ui.Undo1->text(), marked("Undo %1").arg(marked("fill")));
    form->session().editor().undo();
    EXPECT_EQ(ui.Redo1->text(), marked("Redo %1").arg(marked("fill")));
    EXPECT_EQ(ui.Undo1->text(), marked("Undo"));

    auto* exports = form->findChild<QMenu*>(QStringLiteral("Export1"));
    ASSERT_NE(exports, nullptr);
    QStringList captions;
    for (QAction* a : exports->actions())
        if (!a->isSeparator())
            captions << a->text();
    EXPECT_TRUE(captions.contains(marked("Proof sheet of the send list..."))) << listed(captions);

    prompter.clear();
    form->findChild<QAction*>(QStringLiteral("Export_Gif_Image"))->trigger(); // the save dialog is cancelled
    ASSERT_EQ(prompter.count("save"), 1);
    EXPECT_EQ(prompter.asked.back().request.filter, marked("Animated GIF|*.gif"));
}

TEST_F(InterfaceTextTest, WithoutATranslationTheTextsAreTheEnglishOnes)
{
    auto form = start();
    testing_support::MainControls ui(*form);
    form->session().editor().fillBoard(true);
    form->session().editor().fillBoard(false);
    EXPECT_EQ(ui.Undo1->text(), QStringLiteral("Undo clear"));
    EXPECT_EQ(ui.Undo1->text(), form->session().editor().history().undoText());
    form->session().editor().undo();
    EXPECT_EQ(ui.Redo1->text(), QStringLiteral("Redo clear"));

    prompter.clear();
    form->findChild<QAction*>(QStringLiteral("Export_Frame_Leds"))->trigger();
    ASSERT_EQ(prompter.count("save"), 1);
    EXPECT_EQ(prompter.asked.back().request.filter, QStringLiteral("PNG picture|*.png"));
    EXPECT_EQ(form->findChild<QAction*>(QStringLiteral("Export_Frame_Leds"))->text(),
              QStringLiteral("Frame as PNG, LED look..."));
}

// A tool, an undo step or an export format the lists do not name would be
// shown in English whatever the interface's language.
TEST(InterfaceTexts, EveryToolAndExportFormatOfTheLayersBelowIsListedForTheTranslation)
{
    for (const vexel::ToolInfo& info : vexel::toolList()) {
        EXPECT_TRUE(EditCommands::Knows(info.name)) << info.name;
        EXPECT_TRUE(EditCommands::Knows(info.purpose)) << info.purpose;
    }
    for (const vexel::ExportFormat* format : vexel::ExportFormat::all()) {
        EXPECT_TRUE(SignCommands::Knows(format->filter())) << format->filter().toStdString();
        for (const vexel::ExportFormat::MenuEntry& entry : format->menuEntries())
            EXPECT_TRUE(SignCommands::Knows(entry.caption)) << entry.caption.toStdString();
    }
    EXPECT_FALSE(EditCommands::Knows("no such tool"));
    EXPECT_FALSE(SignCommands::Knows(QStringLiteral("no such format")));
}

TEST_F(InterfaceTextTest, FontEditorShowsItsToolsTranslatedAndStillFindsThemByName)
{
    const Marking marking;
    auto form = start();
    FontEditor* fonts = FontEditor::showFor(form.get(), prompter);
    ASSERT_TRUE(fonts->document().isOpen());
    const int line = fonts->toolIndex(QStringLiteral("Line"));
    ASSERT_GE(line, 0);
    EXPECT_EQ(fonts->toolButtons->button(line)->text(), marked("Line"));

    ASSERT_TRUE(fonts->document().addGlyph(0x2603)); // a character no shipped font draws
    EXPECT_EQ(fonts->undoButton->toolTip(), marked("Undo %1").arg(marked("add glyph")) + marked(" (Ctrl+Z)"));
    fonts->Undo1Click();
    EXPECT_EQ(fonts->redoButton->toolTip(), marked("Redo %1").arg(marked("add glyph")) + marked(" (Ctrl+Shift+Z)"));
    EXPECT_EQ(fonts->undoButton->toolTip(), marked("Undo") + marked(" (Ctrl+Z)"));
}

} // namespace
