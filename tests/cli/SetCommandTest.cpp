// `vexel set` as scripts run it, and `vexel routes` with rows that are short
// or whose route numbers cannot safely name a file.
#include "sets/DestinationSet.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include "RunVexel.h"

#include <gtest/gtest.h>

using testing_support::readAll;
using testing_support::writeAll;

namespace {

using CliRun = cli_testing::VexelRun;

CliRun runCli(const QStringList& args) { return cli_testing::runVexel(args); }

class SetCommandTest : public ::testing::Test {
protected:
    SetCommandTest() : folder(testing_support::folderOf(dir)), set(folder + "fleet.vxset") {}

    QString profile() const { return QStringLiteral(VEXEL_EXAMPLES "/bus-profile.json"); }

    QTemporaryDir dir;
    QString folder;
    QString set;
};

} // namespace

TEST_F(SetCommandTest, NewImportExportRoundTrip)
{
    CliRun run = runCli({"set", "new", set, profile()});
    ASSERT_EQ(run.exit, 0) << run.err.toStdString();
    {
        auto opened = vexel::DestinationSet::open(set, vexel::DestinationSet::Access::Read);
        ASSERT_TRUE(opened.ok()) << opened.error().toStdString();
        const auto signs = *opened.value()->signs();
        ASSERT_EQ(signs.size(), 3u);
        EXPECT_EQ(signs[0].name + signs[1].name + signs[2].name, QStringLiteral("frontsiderear"));
        EXPECT_EQ(signs[2].width * 100 + signs[2].height, 2816);
        for (const auto& sign : signs)
            EXPECT_TRUE(sign.routeLayout().ok()) << sign.name.toStdString();
    }
    // Never over an existing file, set or not.
    run = runCli({"set", "new", set, profile()});
    EXPECT_EQ(run.exit, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("the file exists already"))) << run.err.toStdString();

    run = runCli({"set", "import", set, QStringLiteral(VEXEL_EXAMPLES "/routes.csv")});
    ASSERT_EQ(run.exit, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("6 added, 0 changed, 0 unchanged\nadded: 12, 37, 61, 88, 150, 31\n"));

    writeAll(folder + "more.csv", "code,route,destination_ka,destination_en,via_ka,via_en\r\n"
                                  "12,12,აეროპორტი,Airport (Tbilisi),\"რუსთაველი, ვაკე\",\r\n"
                                  "37,37,დიდუბე,Didube,\"საბურთალო, დელისი\",\r\n"
                                  "12R,12,რუსთაველი,,,Vake\r\n");
    run = runCli({"set", "import", set, folder + "more.csv"});
    ASSERT_EQ(run.exit, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("1 added, 1 changed, 1 unchanged\nadded: 12R\nchanged: 12\n"));

    run = runCli({"set", "export", set, "--csv", folder + "out.csv"});
    ASSERT_EQ(run.exit, 0) << run.err.toStdString();
    const QByteArray exported = readAll(folder + "out.csv");
    EXPECT_TRUE(exported.startsWith("code,route,destination_ka,destination_en,via_ka,via_en,service\r\n"));
    EXPECT_TRUE(exported.contains("\"12R\",\"12\",\"რუსთაველი\",\"\",\"\",\"Vake\",\"\"\r\n")) << exported.toStdString();
    EXPECT_EQ(exported.count("\r\n"), 8);
    EXPECT_TRUE(exported.contains("\"Metekhi \"\"Bridge\"\", რიყე\"")) << exported.toStdString();
    // What was exported imports back as it was.
    run = runCli({"set", "import", set, folder + "out.csv"});
    EXPECT_EQ(run.out, QStringLiteral("0 added, 0 changed, 7 unchanged\n"));
}

TEST_F(SetCommandTest, ImportReportsBadRowsAndRespectsAnEditor)
{
    ASSERT_EQ(runCli({"set", "new", set, profile()}).exit, 0);
    writeAll(folder + "bad.csv", "route,destination_ka,destination_en\n"
                                 "12,აეროპორტი,Airport\n"
                                 "-1,ა,\n"
                                 "com3.img,ბ,\n"
                                 "37,დიდუბე\n"
                                 "12,ვაკე,\n"
                                 "61,,\n");
    CliRun run = runCli({"set", "import", set, folder + "bad.csv"});
    EXPECT_EQ(run.exit, 1);
    EXPECT_EQ(run.out, QStringLiteral("1 added, 0 changed, 0 unchanged\nadded: 12\n"));
    for (const char* expected : {"bad.csv: line 3, code -1: the code \"-1\" begins with \"-\"",
                                 "bad.csv: line 4, code com3.img: the code \"com3.img\" is a name Windows keeps",
                                 "bad.csv: line 5, code 37: 2 fields, but the header names 3 columns; not imported",
                                 "bad.csv: line 6, code 12: the code is on line 2 already",
                                 "bad.csv: line 7, code 61: destination 61 has no destination text"})
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(expected))) << expected << "\n" << run.err.toStdString();

    // While an editor has the set, a command that would change it is refused
    // and says why; reading it still works.
    auto editor = vexel::DestinationSet::open(set, vexel::DestinationSet::Access::Edit);
    ASSERT_TRUE(editor.ok()) << editor.error().toStdString();
    run = runCli({"set", "import", set, QStringLiteral(VEXEL_EXAMPLES "/routes.csv")});
    EXPECT_EQ(run.exit, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("it is open for editing in"))) << run.err.toStdString();
    EXPECT_EQ(editor.value()->destinations()->size(), 1u);
    EXPECT_EQ(runCli({"set", "export", set, "--csv", folder + "out.csv"}).exit, 0);

    EXPECT_EQ(runCli({"set"}).exit, 2);
    EXPECT_EQ(runCli({"set", "export", set}).exit, 2);
    EXPECT_EQ(runCli({"set", "import", set}).exit, 2);
    writeAll(folder + "not-a-set.vxset", "route,destination_ka\n");
    run = runCli({"set", "export", folder + "not-a-set.vxset", "--csv", folder + "x.csv"});
    EXPECT_EQ(run.exit, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("not-a-set.vxset\": it is not a destination set")))
        << run.err.toStdString();
}

TEST_F(SetCommandTest, RoutesSkipsShortRowsAndHostileRouteNumbers)
{
    writeAll(folder + "layout.json", R"({ "frames": [ { "preset": "number", "destination": "{destination_ka}" } ] })");
    writeAll(folder + "routes.csv", "route,destination_ka,destination_en\n"
                                    "12,აეროპორტი,Airport\n"
                                    "37\n"
                                    "-rf,დიდუბე,\n"
                                    "NUL,ვაკე,\n"
                                    "61,გლდანი,Gldani\n");
    const QString out = folder + "out";
    const CliRun run = runCli({"routes", folder + "layout.json", folder + "routes.csv", "--out", out});
    EXPECT_EQ(run.exit, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("routes.csv: line 3, route 37: 1 fields, but the header names 3 "
                                                "columns; written nowhere")))
        << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("line 4, route -rf: the route number \"-rf\" begins with \"-\"")));
    EXPECT_TRUE(run.err.contains(QStringLiteral("line 5, route NUL: the route number \"NUL\" is a name Windows keeps")));
    EXPECT_TRUE(run.err.contains(QStringLiteral("Wrote 2 of 5 routes")));
    QStringList written = QDir(out).entryList(QDir::Files);
    written.sort();
    EXPECT_EQ(written, (QStringList{QStringLiteral("12.img"), QStringLiteral("61.img")}));
}
