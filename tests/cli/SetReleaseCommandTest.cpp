// `vexel set release` as scripts run it: the released files go to the
// virtual board one at a time and the board declares the length and
// checksum release.txt lists; unfit destinations, --partial, usage and an
// editor holding the set; proof sheets as PDF.
#include "sets/DestinationSet.h"
#include "support/TestFiles.h"

#include "BoardProcess.h"
#include "RunVexel.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using cli_testing::runVexel;
using testing_support::readAll;
using testing_support::writeAll;

namespace {

class SetReleaseCommandTest : public ::testing::Test {
protected:
    SetReleaseCommandTest() : folder(testing_support::folderOf(dir)), set(folder + "fleet.vxset"), out(folder + "out/")
    {
        EXPECT_EQ(runVexel({"set", "new", set, QStringLiteral(VEXEL_EXAMPLES "/bus-profile.json")}).exit, 0);
        EXPECT_EQ(runVexel({"set", "import", set, QStringLiteral(VEXEL_EXAMPLES "/routes.csv")}).exit, 0);
    }

    // release.txt's table: file -> "length checksum".
    std::map<QString, QString> listed() const
    {
        std::map<QString, QString> table;
        const QStringList lines = QString::fromUtf8(readAll(out + "release.txt")).split('\n');
        for (int i = lines.indexOf("file\tframes\tlength\tchecksum\tmessage") + 1; i > 0 && i < lines.size(); ++i) {
            const QStringList cells = lines[i].split('\t');
            if (cells.size() == 5)
                table[cells[0]] = cells[2] + ' ' + cells[3];
        }
        return table;
    }

    QTemporaryDir dir;
    QString folder;
    QString set;
    QString out;
};

} // namespace

TEST_F(SetReleaseCommandTest, TheBoardChecksEachFileAsReleaseTextSays)
{
    const auto run = runVexel({"set", "release", set, "--out", out, "--note", "winter"});
    ASSERT_EQ(run.exit, 0) << run.err.toStdString();
    // After any "Legibility: " lines (the side sign's number stands 2 LEDs from its text).
    EXPECT_TRUE(run.err.contains(QRegularExpression("(^|\n)Released 18 images to "))) << run.err.toStdString();
    const auto table = listed();
    ASSERT_EQ(table.size(), 18u);
    EXPECT_TRUE(readAll(out + "release.txt").contains("\nnote: winter\n"));
    for (const char* sign : {"front", "side", "rear"})
        EXPECT_TRUE(QFile::exists(out + sign + "-proof.png")) << sign;

    serial_testing::BoardProcess board({"--log"});
    ASSERT_TRUE(board.started());
    QString log;
    int sent = 0;
    for (const QString file : {"front/12.img", "side/150.img", "rear/31.img"}) {
        const auto send = runVexel({"send", "--port", board.path(), "--delay", "0", "--timeout", "500", out + file});
        ASSERT_EQ(send.exit, 0) << send.err.toStdString();
        ++sent;
        ASSERT_TRUE(QTest::qWaitFor([&] { return (log += board.log()).count("-> ") >= sent; }, 5000)) << log.toStdString();
        const QString line = log.trimmed().split('\n').last();
        const QRegularExpressionMatch m =
            QRegularExpression("^DATA (\\d+) bytes, 1 files, checksum ([0-9A-F]{4}) -> OK").match(line);
        ASSERT_TRUE(m.hasMatch()) << line.toStdString();
        EXPECT_EQ(table.at(file), m.captured(1) + ' ' + m.captured(2)) << file.toStdString();
    }
}

TEST_F(SetReleaseCommandTest, UnfitReleasesNothingUnlessPartialAndExitsOne)
{
    writeAll(folder + "odd.csv", "code,route,destination_ka,destination_en\r\n99,99,東京,\r\n");
    ASSERT_EQ(runVexel({"set", "import", set, folder + "odd.csv"}).exit, 0);
    auto run = runVexel({"set", "release", set, "--out", out});
    EXPECT_EQ(run.exit, 1);
    EXPECT_TRUE(run.err.contains("Does not fit: 99 on front: ")) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("Does not fit: 99 on side: ")) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("Nothing was released: 2 images do not fit")) << run.err.toStdString();
    EXPECT_FALSE(QDir(out).exists());

    run = runVexel({"set", "release", set, "--out", out, "--partial"});
    EXPECT_EQ(run.exit, 1) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("Released 19 images")) << run.err.toStdString();
    EXPECT_TRUE(QFile::exists(out + "rear/99.img"));
    EXPECT_FALSE(QFile::exists(out + "front/99.img"));
    EXPECT_EQ(listed().size(), 19u);
}

TEST_F(SetReleaseCommandTest, UsageAndAnEditorsLock)
{
    const QStringList bad[] = {
        {"set", "release", set},
        {"set", "release", "--out", out},
        {"set", "release", set, "--out", out, "--version", "0"},
        {"set", "release", set, "--out", out, "--version", "2", "--partial"},
        {"set", "release", set, "--out", out, "--frames"},
        {"set", "release", set, "--out", out, "--sheets"},
    };
    for (const QStringList& args : bad)
        EXPECT_EQ(runVexel(args).exit, 2) << args.join(' ').toStdString();

    // A new release is kept in the set, so an editor's lock refuses it.
    auto editor = vexel::DestinationSet::open(set, vexel::DestinationSet::Access::Edit);
    ASSERT_TRUE(editor.ok()) << editor.error().toStdString();
    const auto run = runVexel({"set", "release", set, "--out", out});
    EXPECT_EQ(run.exit, 1);
    EXPECT_FALSE(run.err.isEmpty());
    EXPECT_FALSE(QDir(out).exists());
}

// The line after a release says what changed since the version before, and
// `vexel check` checks each released file against its own sign.
TEST_F(SetReleaseCommandTest, EachReleaseSaysWhatChangedAndCheckKnowsEachSign)
{
    auto run = runVexel({"set", "release", set, "--out", out});
    ASSERT_EQ(run.exit, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, "Version 1: 18 images written, the first release of the set\n");
    EXPECT_TRUE(run.err.contains(QRegularExpression("(^|\n)Released 18 images to "))) << "the line scripts read stays";

    // Front 160 x 19, side 112 x 16 and rear 28 x 16 in one list: none is
    // held against another sign's size.
    const QStringList released{out + "front/12.img", out + "side/12.img", out + "side/88.img", out + "rear/31.img"};
    run = runVexel(QStringList{"check"} + released);
    EXPECT_EQ(run.exit, 0) << run.out.toStdString();
    run = runVexel({"check", "--size", "112x16", out + "front/12.img", out + "side/12.img"});
    EXPECT_EQ(run.exit, 1) << "a size asked for is the one checked";
    EXPECT_EQ(run.out.count("made for a 160 x 19 board"), 1) << run.out.toStdString();
    // An image made by hand at another size is still found.
    QFile::copy(out + "front/12.img", out + "side/150.img.new");
    QFile::remove(out + "side/150.img");
    QFile::rename(out + "side/150.img.new", out + "side/150.img");
    run = runVexel({"check", out + "side/12.img", out + "side/150.img"});
    EXPECT_EQ(run.exit, 1);
    EXPECT_EQ(run.out.trimmed(), out + "side/150.img: made for a 160 x 19 board (its widest frame windows), not for "
                                       "the 112 x 16 board of the side sign.");
    // A file outside a release goes to the board asked for, 96 x 24 unless said.
    QFile::copy(out + "side/12.img", folder + "loose.img");
    run = runVexel({"check", folder + "loose.img"});
    EXPECT_TRUE(run.out.trimmed().endsWith("not for the 96 x 24 board in use.")) << run.out.toStdString();

    // 88 gets a Latin name: its front and side images change, the rear
    // shows the route alone.
    writeAll(folder + "88.csv", "route,destination_ka,destination_en,via\r\n88,ვარკეთილი,Varketili,ორთაჭალა\r\n");
    ASSERT_EQ(runVexel({"set", "import", set, folder + "88.csv"}).exit, 0);
    run = runVexel({"set", "release", set, "--out", out});
    ASSERT_EQ(run.exit, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, "Version 2: 18 images written, 2 changed (88 on front and side), 16 as in version 1\n");
    run = runVexel({"set", "release", set, "--out", out});
    EXPECT_EQ(run.out, "Version 3: 18 images written, all as in version 2\n");
    run = runVexel({"set", "release", set, "--out", folder + "again/", "--version", "2"});
    EXPECT_EQ(run.out, "Version 2: 18 images written, 2 changed (88 on front and side), 16 as in version 1\n");
}

// --sheets pdf writes one PDF per sign and no PNG sheet; a format the
// command does not know is refused before anything is written.
TEST_F(SetReleaseCommandTest, SheetsAsPdfAndAFormatItDoesNotKnow)
{
    auto run = runVexel({"set", "release", set, "--out", out, "--sheets", "jpg"});
    EXPECT_EQ(run.exit, 2);
    EXPECT_TRUE(run.err.startsWith("vexel: --sheets wants png or pdf, not \"jpg\"\n")) << run.err.toStdString();
    EXPECT_FALSE(QDir(out).exists());

    run = runVexel({"set", "release", set, "--out", out, "--sheets", "pdf"});
    ASSERT_EQ(run.exit, 0) << run.err.toStdString();
    EXPECT_EQ(QDir(out).entryList({"*-proof*"}, QDir::Files, QDir::Name),
              QStringList({"front-proof.pdf", "rear-proof.pdf", "side-proof.pdf"}));
    for (const char* sign : {"front", "side", "rear"})
        EXPECT_TRUE(readAll(out + sign + "-proof.pdf").startsWith("%PDF")) << sign;
    EXPECT_TRUE(readAll(out + "release.txt").contains("\nproof sheets: front-proof.pdf, side-proof.pdf, rear-proof.pdf\n"));

    // PNG again, as without the option: the PDFs go.
    run = runVexel({"set", "release", set, "--out", out, "--sheets", "png"});
    ASSERT_EQ(run.exit, 0) << run.err.toStdString();
    EXPECT_EQ(QDir(out).entryList({"*-proof*"}, QDir::Files, QDir::Name),
              QStringList({"front-proof.png", "rear-proof.png", "side-proof.png"}));
}
