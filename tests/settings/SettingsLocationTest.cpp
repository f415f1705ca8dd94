// Where the settings file and the default data folder go: beside the
// executable while its folder takes a new file, else the user's folders.
#include "settings/SettingsLocation.h"
#include "support/ScratchMount.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using vexel::SettingsLocation;

namespace {

class SettingsLocationTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return QDir(dir.path()).filePath(name) + QLatin1Char('/'); }

    QTemporaryDir dir;
};

TEST_F(SettingsLocationTest, AWritableExecutableFolderKeepsSettingsAndDataBesideIt)
{
    for (const QString& given : {dir.path(), dir.path() + "/", dir.path() + "//"}) {
        const SettingsLocation where = SettingsLocation::decide(given, path("config"), path("docs"));
        EXPECT_TRUE(where.besideExecutable()) << given.toStdString();
        EXPECT_EQ(where.settingsFolder(), dir.path() + "/");
        EXPECT_EQ(where.dataFolder(), dir.path() + "/");
    }
    EXPECT_FALSE(QFileInfo::exists(path("config")));
    EXPECT_FALSE(QFileInfo::exists(path("docs")));
}

TEST_F(SettingsLocationTest, AnExecutableFolderThatTakesNoFileSendsBothToTheUsersFolders)
{
    QFile file(path("plain-file").chopped(1));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    // Missing, a plain file, and no folder given at all.
    for (const QString& exe : {path("missing"), path("plain-file"), QString()}) {
        const SettingsLocation where = SettingsLocation::decide(exe, path("config"), dir.path() + "/docs");
        EXPECT_FALSE(where.besideExecutable()) << exe.toStdString();
        EXPECT_EQ(where.settingsFolder(), path("config"));
        EXPECT_EQ(where.dataFolder(), path("docs/Vexel Image"));
    }
}

TEST_F(SettingsLocationTest, AReadOnlyMountIsNotWritableEvenToRoot)
{
    testing_support::ScratchMount mount;
    if (!mount.valid())
        GTEST_SKIP() << "no scratch file system can be mounted here";
    EXPECT_TRUE(SettingsLocation::isWritableFolder(mount.folder()));
    ASSERT_TRUE(mount.makeReadOnly());
    EXPECT_FALSE(SettingsLocation::isWritableFolder(mount.folder()));
    const SettingsLocation where = SettingsLocation::decide(mount.folder(), path("config"), path("docs"));
    EXPECT_FALSE(where.besideExecutable());
    EXPECT_EQ(where.settingsFolder(), path("config"));
}

TEST_F(SettingsLocationTest, AnInstalledEditorUsesTheUsersFoldersEvenWhereRootMayWrite)
{
    ASSERT_TRUE(QDir().mkpath(path("usr/bin")));
    ASSERT_TRUE(QDir().mkpath(path("usr/share/applications")));
    EXPECT_TRUE(SettingsLocation::decide(path("usr/bin"), path("config"), path("docs")).besideExecutable());
    QFile entry(path("usr/bin") + SettingsLocation::InstalledMarker);
    ASSERT_TRUE(entry.open(QIODevice::WriteOnly));
    entry.close();
    EXPECT_TRUE(SettingsLocation::isInstalled(path("usr/bin")));
    const SettingsLocation where = SettingsLocation::decide(path("usr/bin"), path("config"), path("docs"));
    EXPECT_FALSE(where.besideExecutable());
    EXPECT_EQ(where.settingsFolder(), path("config"));
    EXPECT_EQ(where.dataFolder(), path("docs/Vexel Image"));
}

TEST_F(SettingsLocationTest, TheWriteProbeLeavesNothingBehind)
{
    ASSERT_TRUE(SettingsLocation::isWritableFolder(dir.path()));
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty());
}

TEST_F(SettingsLocationTest, FoldersAreMadeOnlyWhereTheyAreTheEditorsOwn)
{
    const SettingsLocation user = SettingsLocation::decide(path("missing"), path("home/.config/v/app"), path("docs"));
    EXPECT_TRUE(user.makeSettingsFolder());
    EXPECT_TRUE(QFileInfo(path("home/.config/v/app")).isDir());

    // Only the default data folder is created; a folder the settings name
    // (an unplugged stick, say) is left alone.
    EXPECT_TRUE(user.makeDataFolder(path("stick")));
    EXPECT_FALSE(QFileInfo::exists(path("stick")));
    EXPECT_TRUE(user.makeDataFolder(path("docs/Vexel Image").chopped(1)));
    EXPECT_TRUE(QFileInfo(path("docs/Vexel Image")).isDir());

    // Beside the executable nothing is ever made.
    const SettingsLocation beside = SettingsLocation::decide(dir.path(), path("c"), path("d"));
    EXPECT_TRUE(beside.makeSettingsFolder());
    EXPECT_TRUE(beside.makeDataFolder(beside.dataFolder()));
    EXPECT_FALSE(QFileInfo::exists(path("c")));
    EXPECT_FALSE(QFileInfo::exists(path("d")));
}

TEST_F(SettingsLocationTest, AFolderThatCannotBeMadeIsReported)
{
    QFile file(path("blocker").chopped(1));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const SettingsLocation where = SettingsLocation::decide(path("missing"), path("blocker/app"), path("blocker"));
    EXPECT_FALSE(where.makeSettingsFolder());
    EXPECT_FALSE(where.makeDataFolder(where.dataFolder()));
}

} // namespace
