// The send and frames panels built on their own over the application layer,
// with a host standing in for the main window: what they ask of the host and
// what they tell it.
#include "app/FileCommands.h"
#include "app/FramesPanel.h"
#include "app/Graphic_Editor.h"
#include "app/PanelHost.h"
#include "app/Prompter.h"
#include "app/SendPanel.h"
#include "app/Test_Window.h"
#include "editor/BoardEditor.h"
#include "session/EditorSession.h"
#include "settings/AppSettings.h"
#include "support/FakeHost.h"
#include "support/MainControls.h"
#include "support/TestFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest/QTest>

#include <gtest/gtest.h>

using testing_support::controlNamed;
using testing_support::FakeHost;

namespace {

class PanelsAlone : public ::testing::Test {
protected:
    PanelsAlone() : folder(testing_support::folderOf(dir)), session(folder)
    {
        session.document().setFolder(folder);
        session.settings().setStartupDone(true);
    }

    QTemporaryDir dir;
    QString folder;
    vexel::EditorSession session;
    FakeHost host;
    QWidget window;
    QHBoxLayout* row = new QHBoxLayout(&window);
};

struct OpenCase {
    const char* name;
    bool allowReplace;
    QString shownAfter;
    int opened;
};

class SendPanelOpens : public PanelsAlone, public ::testing::WithParamInterface<OpenCase> {};

} // namespace

TEST_P(SendPanelOpens, AClickedFileOpensOnlyWhenTheHostLetsTheImageGo)
{
    const OpenCase& c = GetParam();
    testing_support::writeAll(folder + "a.img", testing_support::blankImageText(96, 24));
    SendPanel panel(session, host, &window, row);
    QSignalSpy opened(&panel, &SendPanel::listedOpened);
    session.listFiles();
    host.allowReplace = c.allowReplace;

    controlNamed<QListWidget>(window, "ListBox1")->item(0)->setSelected(true);
    panel.ListBox1Click();
    EXPECT_EQ(host.saveQuestions, 1);
    EXPECT_EQ(session.document().fileName(), c.shownAfter);
    EXPECT_EQ(opened.count(), c.opened);
}

INSTANTIATE_TEST_SUITE_P(Cases, SendPanelOpens,
                         ::testing::Values(OpenCase{"Allowed", true, "a.img", 1}, OpenCase{"Refused", false, "", 0}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(PanelsAlone, SendPanelTellsTheHostOfStopAndPutsTheBusNumberInTheSettings)
{
    SendPanel panel(session, host, &window, row);
    QSignalSpy stopped(&panel, &SendPanel::stopClicked);

    panel.Set_Stop_Enabled(true);
    controlNamed<QPushButton>(window, "Button14")->click();
    EXPECT_EQ(stopped.count(), 1) << "Stop also ends an export, which the host runs";

    auto* bus = controlNamed<QLineEdit>(window, "Edit_Bus");
    bus->setFocus();
    bus->setText(QString());
    QTest::keyClicks(bus, "1042 ");
    EXPECT_EQ(session.settings().busNumber(), "1042");
    EXPECT_EQ(bus->text(), "1042 ") << "the space being typed stays";
    session.settings().setBusNumber("77");
    EXPECT_EQ(bus->text(), "77");

    panel.Button11Click();
    EXPECT_TRUE(panel.Test_Window()->isVisible());
    EXPECT_EQ(panel.Test_Window()->parentWidget(), &window);
}

TEST_F(PanelsAlone, FramesPanelOffersANewFrameAfterASelectionAndSavesAnUntitledImageThroughTheHost)
{
    FramesPanel panel(session, host, &window, row);
    QSignalSpy added(&panel, &FramesPanel::frameAdded);
    auto* addButton = controlNamed<QPushButton>(window, "Button9");
    session.newImage();
    EXPECT_FALSE(addButton->isEnabled());

    session.editor().selection().set({0, 0, 4, 2});
    emit session.editor().selectionMade();
    EXPECT_TRUE(addButton->isEnabled());
    panel.Set_Locked(true);
    panel.Set_Locked(false);
    EXPECT_FALSE(addButton->isEnabled()) << "a lock's end leaves adding to whoever knows the selection";

    panel.Button9Click();
    EXPECT_EQ(host.scripted.texts("inform"), QStringList({"Selection must be minimum 8 X 3"}));
    EXPECT_EQ(added.count(), 0);

    session.editor().selection().set({0, 0, 8, 3});
    panel.Button9Click();
    EXPECT_EQ(host.saveAsCalls, 1) << "an image without a name is saved through the host's Save As";
    EXPECT_EQ(added.count(), 1);
    EXPECT_EQ(controlNamed<QLabel>(window, "Label2")->text(), QStringLiteral("Frames: %1").arg(session.document().frameCount()));
}

namespace {

struct SaveQuestion {
    const char* name;
    bool modified;
    std::deque<bool> confirm;
    std::deque<QString> saveAs; // relative to the folder; empty cancels
    bool mayGoOn;               // what Ask_To_Save answers
    int questions;
    bool stillModified;
};

class FileCommandsAsk : public PanelsAlone, public ::testing::WithParamInterface<SaveQuestion> {};

} // namespace

// The file commands on their own, over a frames panel: the save question
// lets a command go on only when the edits were written or given up.
TEST_P(FileCommandsAsk, TheSaveQuestionStopsACommandOnlyWhenTheSaveFailed)
{
    const SaveQuestion& c = GetParam();
    FramesPanel frames(session, host, &window, row);
    QMenu file;
    FileCommands files(session, host, &file, &window);
    Connect_Files_To_Frames(files, frames);
    QSignalSpy named(&files, &FileCommands::imageNamed);
    files.New1Click();
    session.document().setModified(c.modified);
    host.scripted.confirmAnswers = c.confirm;
    for (const QString& name : c.saveAs)
        host.scripted.fileAnswers.push_back(name.isEmpty() ? name : folder + name);

    EXPECT_EQ(files.Image_Replaceable(), c.mayGoOn);
    EXPECT_EQ(host.scripted.count("confirm"), c.questions);
    EXPECT_EQ(session.document().modified(), c.stillModified);
    if (!c.saveAs.empty() && !c.saveAs.front().isEmpty()) {
        EXPECT_TRUE(QFileInfo::exists(folder + c.saveAs.front()));
    }
    EXPECT_GE(named.count(), 1) << "the title follows every command";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FileCommandsAsk,
    ::testing::Values(SaveQuestion{"Unmodified", false, {}, {}, true, 0, false},
                      SaveQuestion{"GivenUp", true, {false}, {}, true, 1, true},
                      SaveQuestion{"SavedAs", true, {true}, {"n.img"}, true, 1, false},
                      SaveQuestion{"SaveCancelled", true, {true}, {""}, false, 1, true}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(PanelsAlone, FileCommandsLockExactlyTheCommandsThatReplaceOrWriteTheImage)
{
    FramesPanel frames(session, host, &window, row);
    QMenu file;
    QAction* other = file.addAction("Other");
    FileCommands files(session, host, &file, &window);
    Connect_Files_To_Frames(files, frames);
    QStringList names;
    for (QAction* a : file.actions())
        names << a->objectName();
    EXPECT_EQ(names, QStringList({"", "New1", "Save1", "SaveAs1", "Load1"}));
    files.Set_Locked(true);
    for (QAction* a : file.actions())
        EXPECT_EQ(a->isEnabled(), a == other) << a->objectName().toStdString();
    files.Set_Locked(false);
    for (QAction* a : file.actions())
        EXPECT_TRUE(a->isEnabled());
}

// The file commands over a frames panel, wired as the window wires them:
// a refused file gives Add back as it was, a new image clears the name.
TEST_F(PanelsAlone, FileCommandsARefusedFileLeavesAddingAFrameAsItWasAndANewImageClearsTheName)
{
    FramesPanel frames(session, host, &window, row);
    QMenu file;
    FileCommands files(session, host, &file, &window);
    Connect_Files_To_Frames(files, frames);
    auto* add = controlNamed<QPushButton>(window, "Button9");
    auto* name = controlNamed<QLabel>(window, "Label3");

    const QString broken = folder + QStringLiteral("broken.img");
    QFile junk(broken);
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not an image");
    junk.close();
    for (const bool before : {true, false}) {
        add->setEnabled(before);
        files.Open_Chosen(broken);
        EXPECT_EQ(add->isEnabled(), before) << "Add was " << before << " before the refused file";
    }
    EXPECT_EQ(host.scripted.count("error"), 2) << "each refusal is said";

    name->setText(QStringLiteral("old.img"));
    files.New1Click();
    EXPECT_EQ(name->text(), QString()) << "a new image has no name to show yet";
    EXPECT_FALSE(files.Preview_Running()) << "a host without a preview plays none";
}

TEST_F(PanelsAlone, TabGoesThroughEachPanelInTheOrderOfItsControlsOnScreen)
{
    FramesPanel frames(session, host, &window, row);
    SendPanel send(session, host, &window, row);
    const QStringList expected = {"ListBox3",  "Button9",  "Button8",  "SpinEdit2", "TntComboBox1",
                                  "TntComboBox2", "Button7", "Sign_Button", "ListBox1", "Button3",
                                  "Button6",   "ListBox2", "Button4",  "Button5",   "Button14",
                                  "Button12",  "Button10", "Button11", "CheckBox1", "Edit_Bus"};
    QStringList order;
    QWidget* first = controlNamed<QWidget>(window, "ListBox3");
    QWidget* widget = first;
    do {
        if (expected.contains(widget->objectName()) && !order.contains(widget->objectName()))
            order << widget->objectName();
        widget = widget->nextInFocusChain();
    } while (widget != first);
    EXPECT_EQ(order, expected);
}
