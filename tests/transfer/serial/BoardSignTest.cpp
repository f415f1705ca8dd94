// vexel-board's --gif and --show: a send over a pseudo-terminal ends in the
// same animation as exporting the send list in the editor.
#include "BoardProcess.h"

#include "document/ImageFile.h"
#include "preview/Export.h"
#include "support/TestFiles.h"
#include "transfer/DataMessage.h"
#include "transfer/SerialLink.h"

#include <QFileInfo>
#include <QProcess>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using serial_testing::BoardProcess;

namespace {

// Frames with every effect, some in windows smaller than the board.
const QByteArray SlideText = "0003\r\n"
                             "001101F40000000000600018\r\n" +
                             QByteArray("F0F0F0F0F0F0F0F0F0F0F0F0\r\n").repeated(24) +
                             "012300000008000400100008\r\n" + QByteArray("FFFF\r\n0F0F\r\n").repeated(4) +
                             "02020064000000000060000C\r\n" + QByteArray("0123456789ABCDEF01234567\r\n").repeated(12);

class BoardSign : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        testing_support::writeAll(path("slides.img"), SlideText);
        ASSERT_TRUE(QFile::copy(QStringLiteral(VEXEL_EXAMPLES "/airport12.img"), path("airport12.img")));
    }
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    void start(const QStringList& options)
    {
        board = std::make_unique<BoardProcess>(options);
        ASSERT_TRUE(board->started());
        ASSERT_TRUE(link.reopen(board->path(), QStringLiteral("19200")));
        link.setFlashDelay(0);
        link.setReplyTimeout(5000);
    }
    // What the editor sends for these files, and whether the board said OK.
    bool send(const QStringList& files)
    {
        std::vector<vexel::FileText> texts;
        for (const QString& f : files) {
            const auto record = vexel::ImageFile::load(f);
            EXPECT_TRUE(record.ok()) << record.error().toStdString();
            texts.push_back({QFileInfo(f).fileName(), record->hexText()});
        }
        const auto message = vexel::DataMessage::build(texts);
        EXPECT_TRUE(message.ok()) << message.error().toStdString();
        const TComand_Result result = link.Send_Data(message->bytes());
        return result.Reply_Received && result.Reply_Text == "OK\r\n";
    }
    // The editor's export of the same files as a list.
    QByteArray exported(const QStringList& files, int width = 96, int height = 24, int step = 30)
    {
        vexel::Timeline timeline(width, height, step);
        for (const QString& f : files)
            EXPECT_TRUE(timeline.addImage(*vexel::ImageFile::load(f)).ok());
        const auto data = vexel::Export::gifData(timeline, vexel::SignStyle());
        EXPECT_TRUE(data.ok()) << data.error().toStdString();
        return data ? *data : QByteArray();
    }
    static bool waitFor(const std::function<bool()>& condition) { return QTest::qWaitFor(condition, 15000); }

    QTemporaryDir dir;
    SerialLink link;
    std::unique_ptr<BoardProcess> board;
};

} // namespace

TEST_F(BoardSign, GifOfASendEqualsTheExportOfTheSendList)
{
    const QString gif = path("board.gif");
    start({"--gif", gif});
    const QStringList list = {path("airport12.img"), path("slides.img")};
    ASSERT_TRUE(send(list));
    ASSERT_TRUE(waitFor([&] { return QFileInfo::exists(gif); }));
    EXPECT_EQ(testing_support::readAll(gif), exported(list));

    // The next message replaces it: the board holds only the last one.
    ASSERT_TRUE(send({path("slides.img")}));
    const QByteArray single = exported({path("slides.img")});
    EXPECT_TRUE(waitFor([&] { return testing_support::readAll(gif) == single; }));
}

TEST_F(BoardSign, SizeAndStepTimeAreTheSignsOwn)
{
    const QString gif = path("board.gif");
    start({"--gif", gif, "--size", "120x30", "--step", "20"});
    ASSERT_TRUE(send({path("slides.img")}));
    ASSERT_TRUE(waitFor([&] { return QFileInfo::exists(gif); }));
    EXPECT_EQ(testing_support::readAll(gif), exported({path("slides.img")}, 120, 30, 20));
}

TEST_F(BoardSign, AGifThatCannotBeWrittenIsLoggedAndTheBoardStillAnswers)
{
    start({"--gif", path("missing/board.gif"), "--log"});
    ASSERT_TRUE(send({path("slides.img")}));
    EXPECT_TRUE(waitFor([&] { return board->log().contains(QStringLiteral("missing/board.gif")); }));
    EXPECT_TRUE(link.Send_Data(vexel::DataMessage::readMessage()).Reply_Received);
}

TEST_F(BoardSign, ADumpThatCannotBeWrittenIsSaidAndTheBoardStillAnswers)
{
    start({"--dump", path("missing/dump.bin")});
    EXPECT_TRUE(waitFor([&] { return board->log().contains(QStringLiteral("missing/dump.bin")); }));
    EXPECT_TRUE(link.Send_Data(vexel::DataMessage::readMessage()).Reply_Received);
}

TEST_F(BoardSign, ShowPlaysTheImagesOfTheLastMessage)
{
    // The offscreen platform stands in for a display.
    start({"--show", "--log", "--gif", path("board.gif")});
    ASSERT_TRUE(send({path("airport12.img"), path("slides.img")}));
    QString log;
    EXPECT_TRUE(waitFor([&] {
        log += board->log();
        return log.contains(QStringLiteral("show: 2 images"));
    })) << log.toStdString();
    EXPECT_TRUE(QFileInfo::exists(path("board.gif")));
}

TEST(BoardSignOptions, SizesStepsAndRatesOutsideTheBoardsAreRefused)
{
    for (const QStringList& options : {QStringList{"--baud", "12345"}, QStringList{"--baud", "fast"},
                                       QStringList{"--size", "0x24"}, QStringList{"--size", "489x24"},
                                       QStringList{"--size", "96x101"}, QStringList{"--size", "96"},
                                       QStringList{"--size", "96x24x2"}, QStringList{"--step", "0"}, QStringList{"--gif"}}) {
        QProcess process;
        process.start(QStringLiteral(VEXEL_BOARD_TOOL), QStringList{"--pty"} + options);
        ASSERT_TRUE(process.waitForFinished(5000)) << options.join(' ').toStdString();
        EXPECT_EQ(process.exitCode(), 2) << options.join(' ').toStdString();
        EXPECT_TRUE(process.readAllStandardError().contains("--gif FILE"));
    }
}

