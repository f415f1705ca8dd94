// `vexel fleet` as scripts run it: the import's refusals and exit status, the
// export's round trip, status lines and the exit a script alerts on, and a
// send through the virtual board bringing a sign up to date.
#include "BoardProcess.h"

#include "support/ScopedEnv.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>

#include "RunVexel.h"

#include <gtest/gtest.h>

using cli_testing::runVexel;
using serial_testing::BoardProcess;
using testing_support::ScopedEnv;
using testing_support::writeAll;

namespace {

TEST(FleetCommand, ImportStatusSendAndExport)
{
    QTemporaryDir dir;
    const QString d = dir.path() + "/";
    const ScopedEnv journal("VEXEL_JOURNAL", (d + "journal.sqlite").toLocal8Bit());
    ASSERT_EQ(runVexel({"set", "new", d + "city.vxset", QStringLiteral(VEXEL_EXAMPLES "/bus-profile.json")}).exit, 0);
    writeAll(d + "routes.csv", "code,route,destination_ka,destination_en\n12,12,ვაკე,Vake\n37,37,დიდუბე,Didube\n");
    ASSERT_EQ(runVexel({"set", "import", d + "city.vxset", d + "routes.csv"}).exit, 0);
    ASSERT_EQ(runVexel({"set", "release", d + "city.vxset", "--out", d + "r1"}).exit, 0);

    writeAll(d + "buses.csv", "bus,depot,set,codes,in_service,note\n"
                              "1042,Gldani,city.vxset,12,yes,\n"
                              "7,Gldani,city.vxset,99,yes,\n"
                              "8,Gldani,city.vxset,*,no,spare\n");
    const auto imported = runVexel({"fleet", "import", d + "buses.csv"});
    EXPECT_EQ(imported.exit, 1) << "a row was left out";
    EXPECT_TRUE(imported.err.contains("buses.csv, line 3: bus 7: its set has no destination 99")) << imported.err.toStdString();
    EXPECT_EQ(imported.out, "Buses: 2 added, 0 changed, 0 unchanged; 1 left out\n");

    const auto behind = runVexel({"fleet", "status", "--bus", "1042", "--csv"});
    EXPECT_EQ(behind.exit, 1) << behind.err.toStdString();
    const QStringList lines = behind.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 4) << behind.out.toStdString(); // the header and three signs
    EXPECT_TRUE(lines[1].startsWith("1042,Gldani,front,12,-,1,")) << lines[1].toStdString();

    // The front sign sent: up to date there, still behind on the others.
    BoardProcess board;
    ASSERT_TRUE(board.started());
    ASSERT_EQ(runVexel({"send", "--port", board.path(), "--delay", "0", "--bus", "1042", d + "r1/front/12.img"}).exit, 0);
    const auto front = runVexel({"fleet", "status", "--bus", "1042"});
    EXPECT_TRUE(front.out.startsWith("bus 1042  front  carries 1, latest 1  up to date\n")) << front.out.toStdString();
    EXPECT_EQ(runVexel({"fleet", "status", "--behind", "--depot", "Gldani"}).out.count('\n'), 2 + 3)
        << "1042's two other signs and the spare's three";
    // Out of service, the spare does not make the status fail.
    EXPECT_EQ(runVexel({"fleet", "status", "--bus", "8"}).exit, 0);

    ASSERT_EQ(runVexel({"fleet", "export", "--csv", d + "out.csv"}).exit, 0);
    const auto again = runVexel({"fleet", "import", d + "out.csv"});
    EXPECT_EQ(again.exit, 0) << again.err.toStdString();
    EXPECT_EQ(again.out, "Buses: 0 added, 0 changed, 2 unchanged; 0 left out\n");
    // "-" is standard output, as for the abbreviations, never a file of that name.
    const auto toOut = runVexel({"fleet", "export", "--csv", "-"});
    EXPECT_EQ(toOut.exit, 0);
    EXPECT_TRUE(toOut.out.startsWith("bus,depot,set,codes,in_service,note\n") && toOut.out.contains("\n1042,Gldani,")) << toOut.out.toStdString();
}

} // namespace
