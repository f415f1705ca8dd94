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
    "share/man/man1/vexel-image.1.gz",
    "share/man/man1/vexel.1.gz",
    "share/man/man1/vexel-board.1.gz",
    "share/doc/vexel-image/copyright",
    "share/doc/vexel-image/changelog.gz",
    "share/vexel-image/rules/vexel.vrules",
    "share/vexel-image/rules/uk-psvar.vrules",
    "share/vexel-image/rules/us-ada.vrules",
};
const QString Version = QStringLiteral(VEXEL_VERSION);

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

struct Streams {
    int exitCode = -1;
    QString out;
    QString err;
};

// A program with its standard output and error apart, in a plain
// environment: a warning on standard error must not hide in the output.
Streams runApart(const QString& program, const QStringList& arguments)
{
    QProcessEnvironment env;
    env.insert("PATH", qEnvironmentVariable("PATH"));
    env.insert("HOME", QDir::tempPath());
    env.insert("LC_ALL", "C.UTF-8");
    env.insert("MANWIDTH", "80");
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(program, arguments);
    Streams result;
    if (!process.waitForFinished(120000)) {
        process.kill();
        process.waitForFinished();
        result.err = program + " did not finish";
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

// What a reader of --help looks up in the manual: every option, and the
// command of each of the tool's usage lines ("  vexel check ...").
QStringList helpTerms(const QString& tool, const QString& help)
{
    QStringList terms;
    const QRegularExpression option(QStringLiteral(R"((?<![\w-])--[a-z][a-z0-9-]*)"));
    for (auto it = option.globalMatch(help); it.hasNext();)
        terms << it.next().captured(0);
    const QRegularExpression command(QStringLiteral(R"(^\s+%1 ([a-z][a-z-]*)\b)").arg(QRegularExpression::escape(tool)),
                                     QRegularExpression::MultilineOption);
    for (auto it = command.globalMatch(help); it.hasNext();)
        terms << it.next().captured(1);
    terms.removeDuplicates();
    return terms;
}

// A manual page's source as words: font changes dropped, "\-" a hyphen.
QString manualWordsOf(QString text)
{
    text.remove(QRegularExpression(QStringLiteral(R"(\\f[BIRP])")));
    text.replace(QStringLiteral("\\-"), QStringLiteral("-"));
    return text;
}

QString manualWords(const QString& gzipped)
{
    return manualWordsOf(run("gzip", {"-dc", gzipped}).output);
}

bool namesWord(const QString& text, const QString& word)
{
    return text.contains(
        QRegularExpression(QStringLiteral(R"((?<![\w-])%1(?![\w-]))").arg(QRegularExpression::escape(word))));
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

TEST_F(InstallTest, EachManualPageRendersWithoutAWarningAndNamesWhatHelpPrints)
{
    const QString man1 = prefix + "/share/man/man1/";
    for (const QString page : {"vexel-image", "vexel", "vexel-board"}) {
        SCOPED_TRACE(page.toStdString());
        const Streams shown = runApart("man", {"--warnings", "-l", man1 + page + ".1.gz"});
        EXPECT_EQ(shown.exitCode, 0);
        EXPECT_TRUE(shown.err.isEmpty()) << shown.err.toStdString();
        for (const char* section : {"NAME", "SYNOPSIS", "DESCRIPTION", "SEE ALSO"})
            EXPECT_TRUE(shown.out.contains(QRegularExpression(QStringLiteral("^%1$").arg(section),
                                                              QRegularExpression::MultilineOption)))
                << section << "\n" << shown.out.toStdString();
    }
    // The editor's page says where its settings and images live.
    const QString editor = manualWords(man1 + "vexel-image.1.gz");
    EXPECT_TRUE(editor.contains("Vexel Image " + Version)) << editor.toStdString();
    for (const char* file : {"Lumaro.ini", "Vexel Image", "vexel-image/fonts"})
        EXPECT_TRUE(editor.contains(QLatin1String(file))) << file;

    for (const QString tool : {"vexel", "vexel-board"}) {
        SCOPED_TRACE(tool.toStdString());
        const Streams version = runApart(prefix + "/bin/" + tool, {"--version"});
        EXPECT_EQ(version.exitCode, 0);
        EXPECT_EQ(version.out, tool + " " + Version + "\n");
        const Streams help = runApart(prefix + "/bin/" + tool, {"--help"});
        ASSERT_EQ(help.exitCode, 0) << help.err.toStdString();
        const QStringList terms = helpTerms(tool, help.out);
        const QString page = manualWords(man1 + tool + ".1.gz");
        EXPECT_TRUE(page.contains(tool + " " + Version)) << "a page of another version";
        for (const QString& term : terms)
            EXPECT_TRUE(namesWord(page, term)) << term.toStdString() << " is not in the page";
        EXPECT_TRUE(page.contains(QLatin1String("exit status")));
    }
}

// Help as the check above reads it: if the reading found nothing, the
// check would pass on any page.
TEST(ManualTermsTest, HelpTextsYieldTheirCommandsAndOptions)
{
    const QString cli = QStringLiteral("usage: vexel COMMAND [OPTIONS]\n"
                                       "  vexel check [--size WxH] FILE...\n"
                                       "      load each image (board size 96x24 unless --size)\n"
                                       "  vexel render FILE... (--png OUT | --gif OUT)\n"
                                       "               [--zoom N] [--frame-rate N]\n"
                                       "send and read: 3 the board replied CS\n");
    EXPECT_EQ(helpTerms("vexel", cli),
              QStringList({"--size", "--png", "--gif", "--zoom", "--frame-rate", "check", "render"}));
    // A longer option does not stand for a shorter one, nor the reverse.
    EXPECT_FALSE(namesWord("\\fB--hangup-after\\fR", "--hangup"));
    EXPECT_FALSE(namesWord("--out", "--output"));
    EXPECT_TRUE(namesWord(manualWordsOf("\\fB\\-\\-out\\fR DIR"), "--out"));
}

QString buildPackage(const QTemporaryDir& out)
{
    const Outcome built = run(VEXEL_CPACK, {"--config", QStringLiteral(VEXEL_BUILD_DIR) + "/CPackConfig.cmake", "-B",
                                        out.path()},
                          600000);
    EXPECT_EQ(built.exitCode, 0) << built.output.toStdString();
    const QStringList debs = QDir(out.path()).entryList({"*.deb"}, QDir::Files);
    EXPECT_EQ(debs.size(), 1) << built.output.toStdString();
    return debs.size() == 1 ? out.path() + "/" + debs.first() : QString();
}

TEST(PackageTest, TheDebianPackageHoldsTheFilesAndDeclaresItsDependencies)
{
    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());
    const QString deb = buildPackage(out);
    ASSERT_FALSE(deb.isEmpty());

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

// What a distribution checks before it takes a package: lintian, the
// machine-readable copyright file, and a changelog whose newest entry is
// the version the package says it is.
TEST(PackageTest, LintianFindsNoErrorOrWarningAndTheChangelogIsTheVersion)
{
    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());
    const QString deb = buildPackage(out);
    ASSERT_FALSE(deb.isEmpty());

    const Outcome lintian = run("lintian", {"--fail-on", "error,warning", "--tag-display-limit", "0", deb}, 600000);
    EXPECT_EQ(lintian.exitCode, 0) << lintian.output.toStdString();
    EXPECT_FALSE(lintian.output.contains(QRegularExpression(QStringLiteral("^[EW]: "), QRegularExpression::MultilineOption)))
        << lintian.output.toStdString();

    const Outcome version = run("dpkg-deb", {"--field", deb, "Version"});
    EXPECT_EQ(version.output.trimmed(), Version);

    const QString root = out.path() + "/root";
    ASSERT_EQ(run("dpkg-deb", {"-x", deb, root}).exitCode, 0);
    const QString doc = root + "/usr/share/doc/vexel-image/";
    const QString changelog = out.path() + "/changelog";
    writeAll(changelog, run("gzip", {"-dc", doc + "changelog.gz"}).output.toUtf8());
    const Outcome entry = run("dpkg-parsechangelog", {"-l", changelog});
    ASSERT_EQ(entry.exitCode, 0) << entry.output.toStdString();
    EXPECT_TRUE(entry.output.startsWith("Source: vexel-image\nVersion: " + Version + "\n")) << entry.output.toStdString();

    const QString copyright = QString::fromUtf8(readAll(doc + "copyright"));
    EXPECT_TRUE(copyright.startsWith("Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"));
    // Every licence a Files paragraph names has its text in a paragraph of its own.
    const QRegularExpression named(QStringLiteral(R"(^Files: .*\n(?:\S.*\n)*?License: (\S+)\n)"),
                                   QRegularExpression::MultilineOption);
    QStringList licences;
    for (auto it = named.globalMatch(copyright); it.hasNext();)
        licences << it.next().captured(1);
    EXPECT_EQ(licences, QStringList({"GPL-3+", "OFL-1.1", "Expat"}));
    for (const QString& licence : licences)
        EXPECT_TRUE(copyright.contains(QRegularExpression(
            QStringLiteral(R"(^License: %1\n \S)").arg(QRegularExpression::escape(licence)), QRegularExpression::MultilineOption)))
            << licence.toStdString();
    EXPECT_TRUE(copyright.contains("Reserved Font Name \"Vexel LED\""));
}

} // namespace
