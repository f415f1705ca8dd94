// The shell of the main window: the start-up work, closing, the menus of
// the auxiliary windows and the control lock.
#include "app/About.h"
#include "support/MainControls.h"
#include "app/Graphic_Editor.h"
#include "session/EditorSession.h"
#include "app/Help.h"
#include "app/RecordView.h"
#include "app/Settings.h"
#include "support/ScopedEnv.h"
#include "support/TestFiles.h"
#include "support/WindowTexts.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QComboBox>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>

#include <gtest/gtest.h>

#include <functional>
#include <map>

using testing_support::readAll;
using testing_support::writeAll;

namespace {

const QString Prompt = QStringLiteral("Image changed. Do you want to save?");

// Answers the modal window that `run` opens: `onModal` sees it, then it is
// closed. A watchdog closes whatever is still modal so a test never hangs.
int runClosingModals(const std::function<void()>& run, const std::function<void(QWidget*)>& onModal)
{
    int seen = 0;
    QPointer<QWidget> last;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == last)
            return;
        last = modal;
        ++seen;
        onModal(modal);
        modal->close();
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    watchdog.setInterval(10000);
    QObject::connect(&watchdog, &QTimer::timeout, [] {
        ADD_FAILURE() << "a modal window stayed open";
        while (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
    });
    poll.start();
    watchdog.start();
    run();
    return seen;
}

class ShellTest : public ::testing::Test {
protected:
    ShellTest() : folder(testing_support::folderOf(dir)) {}

    std::unique_ptr<TForm1> start()
    {
        auto form = std::make_unique<TForm1>(EditorContext{folder, &prompter});
        session = &form->session();
        form->Timer1Timer();
        return form;
    }

    QStringList imageFiles() const { return QDir(folder).entryList({"*.img"}, QDir::Files); }

    QTemporaryDir dir;
    QString folder;
    ScriptedPrompter prompter;
    vexel::EditorSession* session = nullptr; // the last started window's
};

TEST_F(ShellTest, FirstRunOffersTheFileDialogAndCancelStartsUntitled1)
{
    auto form = start();
    EXPECT_FALSE(testing_support::MainControls(*form).Timer1->isActive());
    ASSERT_EQ(prompter.count("open"), 1);
    EXPECT_EQ(prompter.asked.front().request.directory, folder);
    EXPECT_EQ(session->document().fileName(), "Untitled1");
    EXPECT_EQ(session->document().record().lineCount(), 26);
    EXPECT_EQ(testing_support::MainControls(*form).Label3->text(), "Untitled1");
    EXPECT_FALSE(testing_support::MainControls(*form).Memo1->isHidden());
    EXPECT_TRUE(session->settings().startupDone());
    EXPECT_EQ(form->pos(), QPoint(100, 100));
    EXPECT_EQ(form->size(), QSize(1023, 724));
    EXPECT_FALSE(QFile::exists(folder + "Lumaro.ini")); // nothing changed, nothing saved yet
}

TEST_F(ShellTest, LastImageIsReopenedOnTheNextStart)
{
    {
        auto form = start();
        prompter.fileAnswers.push_back(folder + "route.img");
        testing_support::MainControls(*form).SaveAs1->trigger();
        ASSERT_TRUE(QFile::exists(folder + "route.img"));
        form->close();
    }
    prompter.clear();
    auto form = start();
    EXPECT_EQ(prompter.count("open"), 0);
    EXPECT_EQ(session->document().fileName(), "route.img");
    EXPECT_EQ(session->document().folder(), folder);
    EXPECT_EQ(testing_support::MainControls(*form).Label3->text(), "route.img");
    EXPECT_EQ(form->windowTitle(), TForm1::Title_Text + folder + "route.img");
}

TEST_F(ShellTest, LastImageThatNoLongerLoadsFallsBackToTheFileDialog)
{
    writeAll(folder + "Lumaro.ini", "[Settings]\nData_Filename=bad.img\n");
    writeAll(folder + "bad.img", "zz\r\n");
    auto form = start();
    EXPECT_EQ(prompter.count("open"), 1);
    EXPECT_EQ(session->document().fileName(), "Untitled1");
    EXPECT_TRUE(session->settings().startupDone());
}

TEST_F(ShellTest, ClosingWithUnsavedChangesAndNoWritesOnlyTheSettings)
{
    auto form = start();
    session->document().setModified(true);
    testing_support::MainControls(*form).Form2->CheckBox2->setChecked(false);
    prompter.confirmAnswers.push_back(false);
    EXPECT_TRUE(form->close());
    EXPECT_EQ(prompter.texts("confirm"), QStringList{Prompt});
    EXPECT_TRUE(imageFiles().isEmpty());
    const QByteArray ini = readAll(folder + "Lumaro.ini");
    EXPECT_TRUE(ini.contains("\nRounded_Leds=0\n")) << ini.constData();
    EXPECT_TRUE(ini.contains("\nData_Filename=Untitled1\n")) << ini.constData();
}

TEST_F(ShellTest, ClosingBeforeTheStartUpWorkAsksAndWritesNothing)
{
    TForm1 form(EditorContext{folder, &prompter});
    EXPECT_EQ(form.windowTitle(), "Form1");
    form.session().document().setModified(true);
    EXPECT_TRUE(form.close());
    EXPECT_TRUE(prompter.asked.empty());
    EXPECT_FALSE(QFile::exists(folder + "Lumaro.ini"));
    // The start-up work never runs on a closed window.
    EXPECT_FALSE(testing_support::MainControls(form).Timer1->isActive());
}

TEST_F(ShellTest, ClosingAfterTheSendListShrankLeavesConsecutiveKeysOnly)
{
    for (const char* name : {"a.img", "b.img", "c.img"})
        writeAll(folder + name, testing_support::blankImageText(96, 24));
    writeAll(folder + "Lumaro.ini", "[Files]\nFile_1=a.img\nFile_2=b.img\nFile_3=c.img\n");
    auto form = start();
    ASSERT_EQ(testing_support::MainControls(*form).ListBox2->count(), 3);
    session->sendList().setEntries(session->sendList().entries().mid(1));
    form->close();
    const QByteArray ini = readAll(folder + "Lumaro.ini");
    EXPECT_TRUE(ini.contains("[Files]\nFile_1=b.img\nFile_2=c.img\n")) << ini.constData();
    EXPECT_FALSE(ini.contains("File_3"));
}

TEST_F(ShellTest, UnwritableSettingsFileIsReportedAndTheWindowStillCloses)
{
    // A plain file where the executable's folder and the user's
    // configuration folder should be: nothing can be written to either.
    writeAll(folder + "blocker", "");
    const testing_support::ScopedEnv config("XDG_CONFIG_HOME", (folder + "blocker").toLocal8Bit());
    const QString settings = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + "/Lumaro.ini";
    ASSERT_TRUE(settings.startsWith(folder + "blocker/"));
    TForm1 form(EditorContext{folder + "blocker/", &prompter});
    form.Timer1Timer();
    form.show();
    prompter.clear();
    EXPECT_TRUE(form.close());
    EXPECT_EQ(prompter.texts("error"), QStringList{"Unable to write to " + settings});
    EXPECT_FALSE(form.isVisible());
}

TEST_F(ShellTest, HelpIsOneWindowShownAgainAndHiddenByOk)
{
    auto form = start();
    testing_support::MainControls(*form).N1->trigger();
    testing_support::MainControls(*form).N1->trigger();
    int helpWindows = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<TForm4*>(w))
            ++helpWindows;
    EXPECT_EQ(helpWindows, 1);
    EXPECT_TRUE(testing_support::MainControls(*form).Form4->isVisible());
    testing_support::MainControls(*form).Form4->TntButton1->click();
    EXPECT_FALSE(testing_support::MainControls(*form).Form4->isVisible());
    testing_support::MainControls(*form).N1->trigger();
    EXPECT_TRUE(testing_support::MainControls(*form).Form4->isVisible());
    testing_support::MainControls(*form).Form4->close();
    EXPECT_FALSE(testing_support::MainControls(*form).Form4->isVisible());
    EXPECT_FALSE(testing_support::MainControls(*form).Form4->testAttribute(Qt::WA_DeleteOnClose));
}

TEST_F(ShellTest, EachAboutCommandMakesAndDestroysItsOwnBox)
{
    auto form = start();
    int destroyed = 0;
    const int seen = runClosingModals(
        [&] {
            testing_support::MainControls(*form).About1->trigger();
            testing_support::MainControls(*form).About1->trigger();
        },
        [&](QWidget* modal) {
            auto* box = qobject_cast<TAboutBox*>(modal);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->windowTitle(), "About");
            QObject::connect(box, &QObject::destroyed, [&] { ++destroyed; });
        });
    EXPECT_EQ(seen, 2);
    EXPECT_EQ(destroyed, 2);
    EXPECT_TRUE(form->findChildren<TAboutBox*>().isEmpty());
}

TEST_F(ShellTest, SettingsMenuShowsTheOneDialogModally)
{
    auto form = start();
    QWidget* shown = nullptr;
    runClosingModals([&] { testing_support::MainControls(*form).Settings1->trigger(); }, [&](QWidget* modal) { shown = modal; });
    EXPECT_EQ(shown, testing_support::MainControls(*form).Form2);
    EXPECT_FALSE(testing_support::MainControls(*form).Form2->isVisible());
}

// The menus are filled by the parts that own their commands; the order a
// user and an assistive tool meet them in stays the same.
TEST_F(ShellTest, MenusKeepTheirEntriesInOrder)
{
    auto form = start();
    auto texts = [&](const char* menu) {
        QStringList out;
        for (QAction* a : testing_support::controlNamed<QMenu>(*form, menu)->actions())
            out << (a->isSeparator() ? QStringLiteral("-") : a->text());
        return out;
    };
    EXPECT_EQ(texts("File1"), QStringList({"New", "Save", "Save As", "Load", "Import image...",
                                           QString::fromUtf8("Import routes from GTFS…"), "Destinations...",
                                           "Export", "-", "Quit"}));
    EXPECT_EQ(texts("View1"), QStringList({"Sign", "Journal...", "Fleet..."}));
    QStringList bar;
    for (QAction* a : form->menuBar()->actions())
        bar << a->text();
    // The guide's menu comes after "?", which keeps the Help window.
    EXPECT_EQ(bar, QStringList({"File", "Edit", "View", "Settings", "About", "?", "Help"}));
    EXPECT_EQ(texts("Help1"), QStringList({"User Guide"}));
    EXPECT_EQ(texts("Edit1").last(), "Font Editor...");
}

// The drawing tools share the tool row's line while both fit the window and
// take a line of their own when they do not, as longer names in another
// language need: no tool is left behind a bar's » button.
TEST_F(ShellTest, TheDrawingToolsTakeALineOfTheirOwnOnlyWhenBothRowsDoNotFit)
{
    auto form = start();
    form->show();
    QApplication::processEvents();
    auto* tools = testing_support::controlNamed<QToolBar>(*form, "ToolRow");
    auto* drawing = testing_support::controlNamed<QToolBar>(*form, "DrawRow");
    ASSERT_TRUE(tools && drawing);
    EXPECT_NE(drawing->findChild<QWidget*>("UndoButton"), nullptr);
    auto hidden = [&] {
        QApplication::processEvents();
        QStringList out;
        for (const auto& f : testing_support::clippedCaptions(form.get(), "main window"))
            if (f.why.startsWith("tools out"))
                out << f.text;
        return out.join(", ").toStdString();
    };
    EXPECT_EQ(drawing->y(), tools->y()) << "one line at the window's first width";
    EXPECT_EQ(hidden(), "");

    const int narrow = std::max(tools->sizeHint().width(), drawing->sizeHint().width()) + 20;
    ASSERT_LT(narrow, tools->sizeHint().width() + drawing->sizeHint().width());
    form->resize(narrow, form->height());
    EXPECT_EQ(hidden(), "");
    ASSERT_EQ(form->width(), narrow) << "the window's least width is wider than the rows";
    EXPECT_GT(drawing->y(), tools->y());

    form->resize(1023, form->height());
    EXPECT_EQ(hidden(), "");
    EXPECT_EQ(drawing->y(), tools->y());
}

// Which widgets are disabled in their own right (not through a parent).
std::map<QWidget*, bool> ownDisabled(TForm1& form)
{
    std::map<QWidget*, bool> out;
    for (QWidget* w : form.findChildren<QWidget*>())
        out[w] = w->testAttribute(Qt::WA_ForceDisabled);
    return out;
}

TEST_F(ShellTest, HideAndShowControlsTouchExactlyTheLockList)
{
    auto form = start();
    TForm1& f = *form;
    const std::vector<QWidget*> locked = {testing_support::MainControls(f).ListBox1, testing_support::MainControls(f).ListBox2, testing_support::MainControls(f).ListBox3, testing_support::MainControls(f).Button1,  testing_support::MainControls(f).Button2,  testing_support::MainControls(f).Button3,
                                          testing_support::MainControls(f).Button4,  testing_support::MainControls(f).Button5,  testing_support::MainControls(f).Button6,  testing_support::MainControls(f).Button8,  testing_support::MainControls(f).Button9,  testing_support::MainControls(f).Button10,
                                          testing_support::MainControls(f).Button12, testing_support::MainControls(f).SpinEdit2, testing_support::MainControls(f).TntComboBox1, testing_support::MainControls(f).TntComboBox2};
    testing_support::MainControls(f).Button9->setEnabled(true); // a selection exists
    const auto before = ownDisabled(f);
    const bool menusBefore = testing_support::MainControls(f).Settings1->isEnabled() && testing_support::MainControls(f).About1->isEnabled() && testing_support::MainControls(f).N1->isEnabled();

    f.Hide_Controls();
    auto after = ownDisabled(f);
    for (QWidget* w : locked) {
        EXPECT_TRUE(after[w]) << w->metaObject()->className();
        after[w] = before.at(w);
    }
    EXPECT_EQ(after, before) << "a control outside the lock list changed";

    f.Show_Controls();
    for (QWidget* w : locked) {
        if (w == testing_support::MainControls(f).Button9)
            EXPECT_FALSE(w->isEnabled());
        else
            EXPECT_TRUE(w->isEnabled()) << w->metaObject()->className();
    }
    EXPECT_EQ(testing_support::MainControls(f).Settings1->isEnabled() && testing_support::MainControls(f).About1->isEnabled() && testing_support::MainControls(f).N1->isEnabled(), menusBefore);
}

} // namespace
