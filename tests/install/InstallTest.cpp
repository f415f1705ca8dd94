// The installed editor: what `cmake --install` puts under a prefix, the
// desktop entry and metainfo as the desktop's validators see them, the
// editor run from a read-only prefix, and the Debian package.
#include "support/ScratchMount.h"
#include "support/TestFiles.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>

using testing_support::readAll;
using testing_support::writeAll;

namespace {

const QString AppId = QStringLiteral("io.github.vexelimage.VexelImage");
const QStringList InstalledFiles = {
    "bin/vexel-image",
    "bin/vexel-board",
    "share/applications/" + AppId + ".desktop",
    "share/icons/hicolor/scalable/apps/" + AppId + ".svg",
    "share/metainfo/" + AppId + ".metainfo.xml",
    "bin/vexel",
};

struct Outcome {
    int exitCode = -1;
    QString output;
};

Outcome run(const QString& program, const QStringList& arguments, int timeoutMs = 120000)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    Outcome result;
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        result.output = program + " did not finish";
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.output = QString::fromLocal8Bit(process.readAll());
    return result;
}

// Every file and folder under `root` with its size, mode and change time:
// a write anywhere shows as a difference.
QStringList listing(const QString& root)
{
    QStringList lines;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        lines << QStringLiteral("%1 %2 %3 %4")
                     .arg(info.filePath().mid(root.size()))
                     .arg(info.size())
                     .arg(static_cast<int>(info.permissions()))
                     .arg(info.lastModified().toMSecsSinceEpoch());
    }
    lines << QStringLiteral(". %1").arg(QFileInfo(root).lastModified().toMSecsSinceEpoch());
    lines.sort();
    return lines;
}

class InstallTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(scratch.isValid());
        prefix = scratch.path() + "/prefix";
        const Outcome installed = run(VEXEL_CMAKE, {"--install", VEXEL_BUILD_DIR, "--prefix", prefix});
        ASSERT_EQ(installed.exitCode, 0) << installed.output.toStdString();
    }

    QTemporaryDir scratch;
    QString prefix;
};

TEST_F(InstallTest, TheInstalledFilesPassTheDesktopsValidators)
{
    for (const QString& file : InstalledFiles)
        EXPECT_TRUE(QFileInfo(prefix + "/" + file).isFile()) << file.toStdString();
    EXPECT_TRUE(QFileInfo(prefix + "/bin/vexel-image").isExecutable());
    const Outcome desktop = run("desktop-file-validate", {prefix + "/" + InstalledFiles[2]});
    EXPECT_EQ(desktop.exitCode, 0) << desktop.output.toStdString();
    EXPECT_TRUE(desktop.output.trimmed().isEmpty()) << desktop.output.toStdString();
    const Outcome metainfo = run("appstreamcli", {"validate", "--no-net", prefix + "/" + InstalledFiles[4]});
    EXPECT_EQ(metainfo.exitCode, 0) << metainfo.output.toStdString();
}

// The editor from an installed prefix, started by a user who has never run
// it: at first start it offers the open dialog on the data folder. SIGTERM
// closes that dialog and then the window through its close handler, as a
// desktop session ending the program would. The settings and the data
// folder must land in the user's folders, and nothing under the prefix.
void firstStartEndedBySigterm(const QString& installed, const QString& home)
{
    const QStringList before = listing(installed);
    const QString config = home + "/.config";
    const QString runtime = home + "/run";
    ASSERT_TRUE(QDir().mkpath(config));
    ASSERT_TRUE(QDir().mkpath(runtime));
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    // The user's own name for the documents folder, as xdg-user-dirs keeps it.
    writeAll(config + "/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n");

    QProcessEnvironment env;
    env.insert("PATH", qEnvironmentVariable("PATH"));
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("HOME", home);
    env.insert("XDG_CONFIG_HOME", config);
    env.insert("XDG_RUNTIME_DIR", runtime);
    QProcess editor;
    editor.setProcessEnvironment(env);
    editor.setWorkingDirectory(home);
    editor.setProcessChannelMode(QProcess::MergedChannels);
    editor.start(installed + "/bin/vexel-image", {});
    ASSERT_TRUE(editor.waitForStarted()) << editor.errorString().toStdString();

    // The data folder is made just before the open dialog shows it.
    const QString data = home + "/Dokumente/Vexel Image";
    for (int waited = 0; !QFileInfo(data).isDir() && waited < 60000; waited += 20)
        ASSERT_FALSE(editor.waitForFinished(20)) << "the editor ended early: " << editor.readAll().toStdString();
    ASSERT_TRUE(QFileInfo(data).isDir()) << "no data folder in the documents folder";

    ::kill(static_cast<pid_t>(editor.processId()), SIGTERM);
    if (!editor.waitForFinished(30000)) {
        editor.kill();
        editor.waitForFinished();
        FAIL() << "SIGTERM did not end the editor";
    }
    EXPECT_EQ(editor.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(editor.exitCode(), 0);

    const QByteArray settings = readAll(config + "/vexelimage/Vexel Image/Lumaro.ini");
    EXPECT_TRUE(settings.contains("Data_Filename_Path=" + data.toUtf8() + "/\n")) << settings.constData();
    EXPECT_TRUE(settings.contains("Data_Filename=Untitled1\n")) << settings.constData();
    EXPECT_EQ(listing(installed), before) << "something was written under the prefix";
}

TEST_F(InstallTest, TheEditorFromAReadOnlyPrefixWritesOnlyIntoTheUsersFolders)
{
    // Read-only even to root: a tmpfs of its own, remounted read-only.
    testing_support::ScratchMount mount(256 * 1024);
    if (!mount.valid())
        GTEST_SKIP() << "no read-only file system can be mounted here";
    const QString copy = mount.folder() + "usr";
    ASSERT_EQ(run("cp", {"-a", prefix, copy}).exitCode, 0);
    ASSERT_TRUE(mount.makeReadOnly());
    firstStartEndedBySigterm(copy, scratch.path() + "/home");
}

// Root may write to /usr/bin; an installed editor keeps out of it all the same.
TEST_F(InstallTest, TheEditorFromAPrefixThatRootMayWriteToKeepsOutOfItToo)
{
    firstStartEndedBySigterm(prefix, scratch.path() + "/home");
}

TEST(PackageTest, TheDebianPackageHoldsTheFilesAndDeclaresItsDependencies)
{
    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());
    const Outcome built = run(VEXEL_CPACK, {"--config", QStringLiteral(VEXEL_BUILD_DIR) + "/CPackConfig.cmake", "-B",
                                        out.path()},
                          600000);
    ASSERT_EQ(built.exitCode, 0) << built.output.toStdString();
    const QStringList debs = QDir(out.path()).entryList({"*.deb"}, QDir::Files);
    ASSERT_EQ(debs.size(), 1) << built.output.toStdString();
    const QString deb = out.path() + "/" + debs.first();

    const Outcome fields = run("dpkg-deb", {"--field", deb, "Package", "Section", "Depends", "Recommends"});
    ASSERT_EQ(fields.exitCode, 0) << fields.output.toStdString();
    EXPECT_TRUE(fields.output.contains("Package: vexel-image\n"));
    EXPECT_TRUE(fields.output.contains("Section: graphics\n"));
    // From dpkg-shlibdeps, and what it cannot see: the platform plugins
    // and the fonts.
    for (const char* dependency : {"libqt6widgets6", "libqt6serialport6", "libc6", "qt6-qpa-plugins", "fonts-dejavu-core",
                                       "libqt6sql6-sqlite"})
        EXPECT_TRUE(fields.output.contains(QRegularExpression(QStringLiteral("Depends:.*\\b%1\\b").arg(dependency))))
            << dependency << "\n" << fields.output.toStdString();
    EXPECT_TRUE(fields.output.contains("Recommends: xfonts-base, xfonts-unifont\n")) << fields.output.toStdString();

    const Outcome contents = run("dpkg-deb", {"--contents", deb});
    ASSERT_EQ(contents.exitCode, 0);
    for (const QString& file : InstalledFiles)
        EXPECT_TRUE(contents.output.contains(" ./usr/" + file + "\n")) << file.toStdString();
    // Only what an operator needs: no tests, benchmarks or static libraries.
    EXPECT_EQ(contents.output.count(" ./usr/bin/"), 4) << contents.output.toStdString();
    EXPECT_FALSE(contents.output.contains(".a\n"));
}

} // namespace
