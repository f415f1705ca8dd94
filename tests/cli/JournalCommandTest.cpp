// `vexel send --bus` and `vexel journal` as scripts run them: what a send
// records, the CSV's columns, the filters, and a journal that cannot be
// written, which leaves the send's exit status alone.
#include "BoardProcess.h"

#include "support/ScopedEnv.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QTemporaryDir>

#include "RunVexel.h"

#include <gtest/gtest.h>

using cli_testing::runVexel;
using serial_testing::BoardProcess;
using testing_support::ScopedEnv;
using testing_support::writeAll;

namespace {

QStringList csvLines(const QString& out) { return out.split('\n', Qt::SkipEmptyParts); }

TEST(JournalCommand, SendsAreListedAsCsvWithTheBusAndTheRelease)
{
    QTemporaryDir dir;
    const ScopedEnv journal("VEXEL_JOURNAL", (dir.path() + "/j/journal.sqlite").toLocal8Bit());
    const QString rear = dir.path() + "/release/rear/";
    QDir().mkpath(rear);
    writeAll(dir.path() + "/release/release.txt", "Set: Night, version 2\n");
    writeAll(rear + "7.img", testing_support::randomImageText(1, 96, 24, 5));
    writeAll(dir.path() + "/loose.img", testing_support::randomImageText(1, 96, 24, 6));

    // Before anything was sent: the header alone.
    const auto empty = runVexel({"journal", "--csv"});
    EXPECT_EQ(empty.exit, 0) << empty.err.toStdString();
    EXPECT_EQ(empty.out, "time,bus,sign,set,version,port,files,bytes,checksum,reply,message_bytes\n");

    BoardProcess ok;
    ASSERT_TRUE(ok.started());
    EXPECT_EQ(runVexel({"send", "--port", ok.path(), "--delay", "0", "--bus", "1042", rear + "7.img"}).exit, 0);
    BoardProcess cs({"--reply", "CS\\r\\n"});
    ASSERT_TRUE(cs.started());
    EXPECT_EQ(runVexel({"send", "--port", cs.path(), "--delay", "0", "--bus", "1043", "--sign", "front",
                        dir.path() + "/loose.img"})
                  .exit,
              3);

    const auto all = runVexel({"journal", "--csv"});
    ASSERT_EQ(all.exit, 0) << all.err.toStdString();
    const QStringList lines = csvLines(all.out);
    ASSERT_EQ(lines.size(), 3) << all.out.toStdString();
    EXPECT_EQ(lines[0], "time,bus,sign,set,version,port,files,bytes,checksum,reply,message_bytes");
    const QStringList first = lines[1].split(',');
    ASSERT_EQ(first.size(), 11) << lines[1].toStdString();
    EXPECT_TRUE(QDateTime::fromString(first[0], Qt::ISODateWithMs).isValid()) << first[0].toStdString();
    EXPECT_EQ(first.mid(1, 7), QStringList({"1042", "rear", "Night", "2", ok.path(), "7.img", first[7]}));
    EXPECT_GT(first[7].toInt(), 0);
    EXPECT_EQ(first[8].size(), 4);
    EXPECT_EQ(first[9], "OK");
    EXPECT_EQ(first[10].toInt(), first[7].toInt() + 18) << "the whole message, header included";
    const QStringList second = lines[2].split(',');
    ASSERT_EQ(second.size(), 11) << lines[2].toStdString();
    EXPECT_EQ(second.mid(1, 6), QStringList({"1043", "front", "", "", cs.path(), "loose.img"}));
    EXPECT_EQ(second[9], "CS");

    const auto bus = runVexel({"journal", "--csv", "--bus", "1043"});
    EXPECT_EQ(csvLines(bus.out).size(), 2);
    EXPECT_TRUE(csvLines(bus.out).value(1).startsWith(second[0]));
    const auto set = runVexel({"journal", "--set", "Night"});
    EXPECT_EQ(set.exit, 0);
    EXPECT_EQ(csvLines(set.out).size(), 1);
    EXPECT_TRUE(set.out.contains("bus 1042") && set.out.contains("Night v2")) << set.out.toStdString();
    EXPECT_EQ(runVexel({"journal", "extra"}).exit, 2);
}

TEST(JournalCommand, AJournalThatCannotBeWrittenLeavesTheSendsExitStatus)
{
    QTemporaryDir dir;
    writeAll(dir.path() + "/file", "x");
    const ScopedEnv journal("VEXEL_JOURNAL", (dir.path() + "/file/journal.sqlite").toLocal8Bit());
    writeAll(dir.path() + "/a.img", testing_support::randomImageText(1, 96, 24, 6));
    QTemporaryDir received;
    BoardProcess board({"--out", received.path()});
    ASSERT_TRUE(board.started());
    const auto run = runVexel({"send", "--port", board.path(), "--delay", "0", "--bus", "9", dir.path() + "/a.img"});
    EXPECT_EQ(run.exit, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("The board replied OK"));
    EXPECT_TRUE(run.err.contains("could not be written")) << run.err.toStdString();
    EXPECT_TRUE(QFileInfo::exists(received.filePath("1.img")));
}

} // namespace
