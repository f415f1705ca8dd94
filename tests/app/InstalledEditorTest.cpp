// The editor run from a folder it cannot write to, as an installed one is.
// (A first start there is run on the installed program in tests/install.)
#include "app/About.h"
#include "support/MainControls.h"
#include "app/Graphic_Editor.h"
#include "app/Settings.h"
#include "session/EditorSession.h"
#include "support/ScopedEnv.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QApplication>
#include <QLabel>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

using testing_support::ScopedEnv;
using testing_support::writeAll;

namespace {

class InstalledEditorTest : public ::testing::Test {
protected:
    InstalledEditorTest()
        : root(testing_support::folderOf(dir)), config("XDG_CONFIG_HOME", (root + "config").toLocal8Bit()),
          home("HOME", (root + "home").toLocal8Bit()),
          userFolder(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + "/")
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
    ScriptedPrompter prompter;
};

TEST_F(InstalledEditorTest, SettingsThatNameAnotherFolderLeaveTheDocumentsFolderAlone)
{
    QDir().mkpath(root + "signs");
    writeAll(root + "signs/a.img", testing_support::blankImageText(96, 24));
    QDir().mkpath(userFolder);
    writeAll(userFolder + "Lumaro.ini",
             "[Settings]\nData_Filename_Path=" + (root + "signs/").toUtf8() + "\nData_Filename=a.img\n");
    TForm1 form(EditorContext{exeFolder(), &prompter});
    form.Timer1Timer();
    EXPECT_EQ(form.session().document().path(), root + "signs/a.img");
    EXPECT_EQ(prompter.count("open"), 0);
    EXPECT_FALSE(QFileInfo::exists(root + "home/Documents"));
}

TEST_F(InstalledEditorTest, TheAboutBoxShowsWhereTheSettingsAre)
{
    for (const QString& exe : {exeFolder(), root}) {
        TForm1 form(EditorContext{exe, &prompter});
        testing_support::MainControls(form).Timer1->stop();
        // The box is modal: it is read and closed from the event loop it runs.
        QString shown;
        QTimer::singleShot(0, &form, [&] {
            auto* box = qobject_cast<TAboutBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            if (const auto* label = box->findChild<QLabel*>("SettingsPath"))
                shown = label->text();
            box->accept();
        });
        testing_support::MainControls(form).About1->trigger();
        EXPECT_EQ(shown, "Settings: " + testing_support::MainControls(form).Form2->Settings_Path());
        EXPECT_EQ(testing_support::MainControls(form).Form2->Settings_Path(), (exe == root ? root : userFolder) + "Lumaro.ini");
    }
}

} // namespace
