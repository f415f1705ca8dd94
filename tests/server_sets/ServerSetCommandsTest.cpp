// `vexel set` on a server set, as scripts run it: every command takes the
// address, the images released are those of the same set in a file, and the
// password in the address is in no output and no released file.
#include "sets/SetOnEngines.h"
#include "support/TestFiles.h"

#include "../cli/RunVexel.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include <memory>
#include <vector>

#include <gtest/gtest.h>

using cli_testing::runVexel;

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Every file under `folder` by its relative path.
std::map<QString, QByteArray> files(const QString& folder)
{
    std::map<QString, QByteArray> out;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        out[QDir(folder).relativeFilePath(path)] = readAll(path);
    }
    return out;
}

} // namespace

TEST(ServerSetCommands, EveryCommandTakesTheAddressAndReleasesTheImagesOfAFile)
{
    ASSERT_NE(std::getenv("VEXEL_TEST_PGHOST"), nullptr) << "the suite's cluster is not there";
    QTemporaryDir dir;
    const QString folder = testing_support::folderOf(dir);
    const QString name = set_test::freshSetName();
    const QString server = set_test::serverAddress(name);
    const QString file = folder + "fleet.vxset";
    const QString profile = QStringLiteral(VEXEL_EXAMPLES "/bus-profile.json");
    const QString routes = QStringLiteral(VEXEL_EXAMPLES "/routes.csv");

    for (const QString& set : {file, server}) {
        const QString out = folder + (set == file ? "file/" : "server/");
        const QList<QStringList> commands = {
            {"set", "new", set, profile},
            {"set", "import", set, routes},
            {"set", "status", set},
            {"set", "audit", set},
            {"set", "abbreviations", set, "--export", "-"},
            {"set", "release", set, "--out", out, "--note", "winter"},
            {"set", "versions", set},
            {"set", "export", set, "--csv", out + "routes.csv"},
        };
        for (const QStringList& args : commands) {
            const auto run = runVexel(args);
            // audit reports findings by its exit status; the others succeed.
            if (args[1] != "audit")
                EXPECT_EQ(run.exit, 0) << args.join(' ').toStdString() << "\n" << run.err.toStdString();
            else
                EXPECT_NE(run.exit, -1) << run.err.toStdString();
            EXPECT_FALSE(run.out.contains("n0t-shown")) << args.join(' ').toStdString();
            EXPECT_FALSE(run.err.contains("n0t-shown")) << args.join(' ').toStdString();
        }
    }
    const QString wrong = set_test::serverAddress("no_such_set");
    const auto refused = runVexel({"set", "status", wrong});
    EXPECT_NE(refused.exit, 0);
    EXPECT_TRUE(refused.err.contains("has no set \"no_such_set\"")) << refused.err.toStdString();
    EXPECT_FALSE(refused.err.contains("n0t-shown")) << refused.err.toStdString();

    const auto fromFile = files(folder + "file/");
    const auto fromServer = files(folder + "server/");
    ASSERT_GT(fromFile.size(), 10u);
    ASSERT_EQ(fromFile.size(), fromServer.size());
    for (const auto& [path, bytes] : fromFile) {
        ASSERT_TRUE(fromServer.count(path)) << path.toStdString();
        EXPECT_FALSE(fromServer.at(path).contains("n0t-shown")) << path.toStdString();
        // The sheets and release.txt name the set and the time; the images are the same.
        if (path.endsWith(".img") || path.endsWith(".csv")) {
            EXPECT_EQ(bytes, fromServer.at(path)) << path.toStdString();
        }
    }
    const QByteArray note = fromServer.at("release.txt");
    EXPECT_TRUE(note.contains(("set: postgresql://postgres@/postgres?host=" + qEnvironmentVariable("VEXEL_TEST_PGHOST") +
                               "&set=" + name + "\n")
                                  .toUtf8()))
        << note.toStdString();
}

TEST(ServerSetCommands, DepotsAddingWordsAtTheSameTimeKeepEveryWord)
{
    ASSERT_NE(std::getenv("VEXEL_TEST_PGHOST"), nullptr) << "the suite's cluster is not there";
    const QString server = set_test::serverAddress(set_test::freshSetName());
    ASSERT_EQ(runVexel({"set", "new", server, QStringLiteral(VEXEL_EXAMPLES "/bus-profile.json")}).exit, 0);
    std::vector<std::unique_ptr<QProcess>> depots;
    for (int d = 0; d < 6; ++d) {
        depots.push_back(std::make_unique<QProcess>());
        depots.back()->start(QStringLiteral(VEXEL_CLI_TOOL), {QStringLiteral("set"), QStringLiteral("words"), server,
                                                            d % 2 ? QStringLiteral("--keep") : QStringLiteral("--upper"),
                                                            QStringLiteral("add"), QStringLiteral("WORD%1").arg(d)});
    }
    for (auto& depot : depots) {
        ASSERT_TRUE(depot->waitForFinished(60000));
        EXPECT_EQ(depot->exitCode(), 0) << depot->readAllStandardError().toStdString();
    }
    const auto listed = runVexel({"set", "words", server});
    for (int d = 0; d < 6; ++d)
        EXPECT_TRUE(listed.out.contains(QStringLiteral("WORD%1").arg(d))) << d << "\n" << listed.out.toStdString();
}
