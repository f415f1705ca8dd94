// The editor run from a folder it cannot write to, as an installed one is:
// its settings and images go to the user's folders, and the About box says
// where the settings are.
#include "app/About.h"
#include "app/Graphic_Editor.h"
#include "app/Settings.h"
#include "support/ScopedEnv.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

using testing_support::readAll;
using testing_support::ScopedEnv;
using testing_support::writeAll;

namespace {

class InstalledEditorTest : public ::testing::Test {
protected:
    InstalledEditorTest()
        : root(testing_support::folderOf(dir)), config("XDG_CONFIG_HOME", (root + "config").toLocal8Bit()),
          home("HOME", (root + "home").toLocal8Bit()),
          userFolder(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + "/"),
          documents(root + "home/Documents/Vexel Image/")
    {
    }

    // No folder at all where the executable would be: nothing can be
    // written there.
    QString exeFolder() const { return root + "bin/"; }

    QTemporaryDir dir;
    QString root;
    ScopedEnv config;
    ScopedEnv home;
    QString userFolder;
    QString documents;
    ScriptedPrompter prompter;
};

TEST_F(InstalledEditorTest, FirstStartWorksInTheDocumentsFolderAndSavesSettingsInTheUsersFolder)
{
    ASSERT_TRUE(userFolder.startsWith(root + "config/"));
    TForm1 form(EditorContext{exeFolder(), &prompter});
    form.Timer1Timer();
    EXPECT_EQ(form.Form2->Settings_Path(), userFolder + "Lumaro.ini");
    EXPECT_EQ(form.Data_Folder, documents);
    EXPECT_TRUE(QFileInfo(documents).isDir()) << "made before the open dialog lists it";
    ASSERT_EQ(prompter.count("open"), 1);
    EXPECT_EQ(prompter.asked.front().request.directory, documents);

    prompter.fileAnswers.push_back(documents + "route.img");
    form.SaveAs1Click();
    EXPECT_TRUE(QFileInfo(documents + "route.img").isFile());
    form.show();
    EXPECT_TRUE(form.close());
    EXPECT_TRUE(prompter.texts("error").isEmpty()) << prompter.texts("error").join('\n').toStdString();
    const QByteArray ini = readAll(userFolder + "Lumaro.ini");
    EXPECT_TRUE(ini.contains("Data_Filename_Path=" + documents.toUtf8() + "\n")) << ini.constData();
    EXPECT_TRUE(ini.contains("Data_Filename=route.img\n")) << ini.constData();
    EXPECT_FALSE(QFileInfo::exists(exeFolder()));

    // The next start reopens it from there, without a dialog.
    prompter.clear();
    TForm1 again(EditorContext{exeFolder(), &prompter});
    again.Timer1Timer();
    EXPECT_EQ(prompter.count("open"), 0);
    EXPECT_EQ(again.Image_Path(), documents + "route.img");
}

TEST_F(InstalledEditorTest, SettingsThatNameAnotherFolderLeaveTheDocumentsFolderAlone)
{
    QDir().mkpath(root + "signs");
    writeAll(root + "signs/a.img", testing_support::blankImageText(96, 24));
    QDir().mkpath(userFolder);
    writeAll(userFolder + "Lumaro.ini",
             "[Settings]\nData_Filename_Path=" + (root + "signs/").toUtf8() + "\nData_Filename=a.img\n");
    TForm1 form(EditorContext{exeFolder(), &prompter});
    form.Timer1Timer();
    EXPECT_EQ(form.Image_Path(), root + "signs/a.img");
    EXPECT_EQ(prompter.count("open"), 0);
    EXPECT_FALSE(QFileInfo::exists(root + "home/Documents"));
}

TEST_F(InstalledEditorTest, TheAboutBoxShowsWhereTheSettingsAre)
{
    for (const QString& exe : {exeFolder(), root}) {
        TForm1 form(EditorContext{exe, &prompter});
        form.Timer1->stop();
        const TAboutBox box(&form);
        const auto* label = box.findChild<QLabel*>("SettingsPath");
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), "Settings: " + form.Form2->Settings_Path());
        EXPECT_EQ(form.Form2->Settings_Path(), (exe == root ? root : userFolder) + "Lumaro.ini");
    }
}

} // namespace
