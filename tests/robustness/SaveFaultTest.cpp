// Saving into a folder that is full or read-only: the old file stays whole,
// nothing is left behind, the edits stay in the editor and the user is told
// with the file-create (or settings) message.
#include "Faults.h"

#include "app/FramesPanel.h"
#include "app/Graphic_Editor.h"
#include "app/SendPanel.h"
#include "session/EditorSession.h"
#include "app/Settings.h"
#include "settings/SettingsFile.h"
#include "support/MainControls.h"
#include "support/TestFiles.h"

#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

using robustness::DiskFault;
using testing_support::readAll;
using testing_support::ScratchMount;
using testing_support::writeAll;

namespace {

const std::string Edit(24, 'F');

class EditorOnScratch : public ::testing::Test {
protected:
    EditorOnScratch() : exeFolder(testing_support::folderOf(exeDir)), form(EditorContext{exeFolder, &prompter})
    {
        ui.Timer1->stop();
        session.settings().setStartupDone(true);
    }

    // An edited image opened from the scratch folder, which then refuses writes.
    void openEditedThenBreak(DiskFault fault)
    {
        writeAll(mount.folder() + "other.img", robustness::imageText(1, 96, 24));
        original = robustness::imageText(2, 96, 24);
        writeAll(mount.folder() + "sign.img", original);
        ASSERT_TRUE(session.open(mount.folder(), "sign.img", 0));
        session.listFiles();
        session.document().editableRecord().setLine(2, Edit);
        session.document().setModified(true);
        edited = session.document().record();
        ASSERT_TRUE(robustness::apply(mount, fault));
        before = robustness::entries(mount.folder());
    }

    void expectNothingLost()
    {
        EXPECT_EQ(readAll(mount.folder() + "sign.img"), original);
        EXPECT_EQ(robustness::entries(mount.folder()), before) << "a failed save leaves no temporary file";
        EXPECT_EQ(session.document().record(), edited);
        EXPECT_TRUE(session.document().modified());
        EXPECT_EQ(session.document().fileName(), "sign.img");
        EXPECT_EQ(session.document().folder(), mount.folder());
    }

    void expectCreateError(const QString& path)
    {
        ASSERT_EQ(prompter.count("error"), 1) << prompter.texts("error").join(" | ").toStdString();
        EXPECT_TRUE(prompter.texts("error").front().startsWith("Cannot create file \"" + path + "\". "))
            << prompter.texts("error").front().toStdString();
    }

    ScratchMount mount{64};
    QTemporaryDir exeDir;
    QString exeFolder;
    ScriptedPrompter prompter;
    TForm1 form;
    vexel::EditorSession& session = form.session(); // what the window works on
    testing_support::MainControls ui{form};
    QByteArray original;
    vexel::ImageRecord edited;
    QStringList before;
};

class SaveFault : public EditorOnScratch, public ::testing::WithParamInterface<DiskFault> {};

} // namespace

TEST_P(SaveFault, SaveKeepsTheOldFileAndTheEdits)
{
    if (!mount.valid())
        GTEST_SKIP() << "no scratch file system can be mounted here";
    openEditedThenBreak(GetParam());
    ui.Save1->trigger();
    expectCreateError(mount.folder() + "sign.img");
    expectNothingLost();
}

TEST_P(SaveFault, SaveAsIntoTheBrokenFolderKeepsTheDocumentWhereItWas)
{
    if (!mount.valid())
        GTEST_SKIP() << "no scratch file system can be mounted here";
    QTemporaryDir home;
    const QString folder = testing_support::folderOf(home);
    writeAll(folder + "route.img", robustness::imageText(1, 96, 24));
    ASSERT_TRUE(session.open(folder, "route.img", 0));
    session.document().editableRecord().setLine(2, Edit);
    session.document().setModified(true);
    ASSERT_TRUE(robustness::apply(mount, GetParam()));
    const QStringList left = robustness::entries(mount.folder());

    prompter.fileAnswers.push_back(mount.folder() + "copy.img");
    ui.SaveAs1->trigger();
    expectCreateError(mount.folder() + "copy.img");
    EXPECT_EQ(robustness::entries(mount.folder()), left);
    EXPECT_EQ(session.document().folder(), folder);
    EXPECT_EQ(session.document().fileName(), "route.img");
    EXPECT_TRUE(session.document().modified());
    EXPECT_FALSE(readAll(exeFolder + "Lumaro.ini").contains("copy.img")) << "a failed Save As records no new name";
}

TEST_P(SaveFault, SettingsKeepTheOldFileAndSayWhere)
{
    if (!mount.valid())
        GTEST_SKIP() << "no scratch file system can be mounted here";
    const QString path = mount.folder() + SettingsFile::FileName;
    const QByteArray old = "[Files]\nFile_1=route.img\n\n[Settings]\nTb_W=120\nCOM_Port=/dev/ttyUSB0\n";
    writeAll(path, old);
    TForm1 other(EditorContext{mount.folder(), &prompter});
    testing_support::MainControls(other).Timer1->stop();
    testing_support::MainControls(other).Form2->Load_Settings();
    vexel::EditorSession& otherSession = other.session();
    otherSession.settings().setStartupDone(true);
    ASSERT_TRUE(robustness::apply(mount, GetParam()));
    const QStringList left = robustness::entries(mount.folder());

    otherSession.sendList().setEntries(otherSession.sendList().entries() + QStringList{"depot.img"}); // a change worth writing
    if (GetParam() == DiskFault::ReadOnly) {
        // A folder that takes no file any more sends the settings to the
        // user's configuration folder from then on.
        const QString user = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + "/Lumaro.ini";
        EXPECT_TRUE(testing_support::MainControls(other).Form2->Save_Settings());
        EXPECT_TRUE(prompter.texts("error").isEmpty());
        EXPECT_EQ(testing_support::MainControls(other).Form2->Settings_Path(), user);
        EXPECT_TRUE(readAll(user).contains("File_2=depot.img\n"));
        QFile::remove(user);
    } else {
        EXPECT_FALSE(testing_support::MainControls(other).Form2->Save_Settings());
        EXPECT_EQ(prompter.texts("error"), QStringList{"Unable to write to " + path});
    }
    EXPECT_EQ(readAll(path), old);
    EXPECT_EQ(robustness::entries(mount.folder()), left);

    // The model on its own says the same.
    SettingsFile s = SettingsFile::load(path, mount.folder());
    s.sendList << "depot.img";
    const vexel::Status saved = s.save(path);
    ASSERT_FALSE(saved);
    EXPECT_EQ(saved.error().toStdString(), ("Unable to write to " + path).toStdString());
    EXPECT_EQ(readAll(path), old);
}

// Every command that replaces the image asks to save first. When the user
// says Yes and the save fails, the command stops: going on would drop the
// edits the user just asked to keep.
struct ReplacingCommand {
    const char* name;
    std::function<void(TForm1&)> run;
};

void PrintTo(const ReplacingCommand& c, std::ostream* os) { *os << c.name; }

// A read-only folder stands for both faults here: what is tested is how the
// command goes on after the failed save.
class SaveFaultThenReplace : public EditorOnScratch, public ::testing::WithParamInterface<ReplacingCommand> {};

TEST_P(SaveFaultThenReplace, StopsAndKeepsTheEdits)
{
    if (!mount.valid())
        GTEST_SKIP() << "no scratch file system can be mounted here";
    openEditedThenBreak(DiskFault::ReadOnly);
    prompter.confirmAnswers.push_back(true);
    GetParam().run(form);
    EXPECT_EQ(prompter.count("confirm"), 1);
    expectCreateError(mount.folder() + "sign.img");
    expectNothingLost();
}

namespace {

const ReplacingCommand replacingCommands[] = {
    {"New", [](TForm1& f) { testing_support::MainControls(f).New1->trigger(); }},
    {"Open", [](TForm1& f) {
         // Were the dialog to come up, this is what the user would pick.
         static_cast<ScriptedPrompter&>(f.prompter()).fileAnswers.push_back(f.session().document().folder() + "other.img");
         testing_support::MainControls(f).Load1->trigger();
     }},
    {"ChooseFrame", [](TForm1& f) {
         testing_support::MainControls(f).ListBox3->setCurrentRow(1); // the selection change runs ListBox3Click
     }},
    {"ChooseFile", [](TForm1& f) {
         const auto found = testing_support::MainControls(f).ListBox1->findItems("other.img", Qt::MatchExactly);
         ASSERT_EQ(found.size(), 1);
         found.front()->setSelected(true);
         f.findChild<SendPanel*>()->ListBox1Click();
     }},
    {"Run", [](TForm1& f) { f.findChild<FramesPanel*>()->Button7Click(); }},
    {"Close", [](TForm1& f) { EXPECT_FALSE(f.close()) << "the window stays open with the unsaved edits"; }},
};

} // namespace

INSTANTIATE_TEST_SUITE_P(Folders, SaveFault, ::testing::Values(DiskFault::Full, DiskFault::ReadOnly),
                         [](const auto& p) { return std::string(robustness::faultName(p.param)); });
INSTANTIATE_TEST_SUITE_P(Commands, SaveFaultThenReplace, ::testing::ValuesIn(replacingCommands),
                         [](const auto& p) { return std::string(p.param.name); });
