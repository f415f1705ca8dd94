#include "BoardProcess.h"

#include "support/TestFiles.h"
#include "transfer/DataMessage.h"
#include "transfer/SerialLink.h"

#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

using serial_testing::BoardProcess;
using serial_testing::LinkRecorder;
using serial_testing::TickDriver;

namespace {

const QByteArray Read = vexel::DataMessage::readMessage();

class LinkTest : public ::testing::Test {
protected:
    void start(const QStringList& options = {})
    {
        board = std::make_unique<BoardProcess>(options);
        ASSERT_TRUE(board->started());
        ASSERT_TRUE(link.reopen(board->path(), QStringLiteral("19200")));
        link.setFlashDelay(0);
        link.setReplyTimeout(3000);
    }
    QString dumpPath() const { return dir.path() + QStringLiteral("/dump.bin"); }

    QTemporaryDir dir;
    SerialLink link;
    LinkRecorder recorded{link};
    std::unique_ptr<BoardProcess> board;
};

} // namespace

TEST_F(LinkTest, ReplySplitOverTwoReadsIsTakenWhenComplete)
{
    start({"--split", "150"});
    const TComand_Result result = link.Send_Data(Read);
    EXPECT_TRUE(result.Reply_Received);
    EXPECT_FALSE(result.Timed_Out);
    EXPECT_EQ(result.Reply_Text, QByteArray("OK\r\n"));
    EXPECT_EQ(recorded.statuses, QStringList({"Wait for reply", "OK"}));
    EXPECT_EQ(recorded.lines, QStringList({"4F4B0D0A"}));
}

struct WrongReply {
    const char* name;
    const char* option; // as vexel-board --reply takes it
    QByteArray bytes;
    const char* hex;
};

class LinkWrongReply : public LinkTest, public ::testing::WithParamInterface<WrongReply> {};

TEST_P(LinkWrongReply, RunsIntoTheTimeOutAndLogsEverything)
{
    start({"--reply", GetParam().option});
    link.setReplyTimeout(50);
    const QByteArray expected = GetParam().bytes;
    TickDriver ticks(link, [&] { return link.receivedText().size() >= expected.size(); });
    const TComand_Result result = link.Send_Data(Read);
    EXPECT_FALSE(result.Reply_Received);
    EXPECT_TRUE(result.Timed_Out);
    EXPECT_EQ(result.Reply_Text, expected);
    EXPECT_EQ(recorded.statuses,
              QStringList({"Wait for reply", QString::fromLatin1(expected.left(2)), "Connection Error"}));
    EXPECT_EQ(recorded.lines, QStringList({GetParam().hex}));
}

INSTANTIATE_TEST_SUITE_P(Cases, LinkWrongReply,
                         ::testing::Values(WrongReply{"LowerCase", "ok\\r\\n", "ok\r\n", "6F6B0D0A"},
                                           WrongReply{"WithoutCr", "OK\\n", "OK\n", "4F4B0A"},
                                           WrongReply{"LineEndFirst", "\\r\\nOK\\r\\n", "\r\nOK\r\n", "0D0A4F4B0D0A"}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(LinkTest, BytesAfterAReplyAreDiscardedByTheNextExchange)
{
    start({"--reply", "OK\\r\\nZZ"});
    for (int exchange = 0; exchange < 3; ++exchange) {
        const TComand_Result result = link.Send_Data(Read);
        EXPECT_TRUE(result.Reply_Received) << "exchange " << exchange;
        EXPECT_EQ(result.Reply_Text, QByteArray("OK\r\n")) << "exchange " << exchange;
    }
}

class LinkTimeOut : public LinkTest, public ::testing::WithParamInterface<std::pair<int, int>> {};

TEST_P(LinkTimeOut, EndsOnTheTickThatPassesTheTimeOut)
{
    start({"--silent"});
    link.setReplyTimeout(GetParam().first);
    TickDriver ticks(link);
    const TComand_Result result = link.Send_Data(Read);
    EXPECT_TRUE(result.Timed_Out);
    EXPECT_EQ(ticks.ticks(), GetParam().second);
    EXPECT_EQ(link.waitElapsed(), 10 * GetParam().second);
    EXPECT_FALSE(link.timerEnabled());
    EXPECT_EQ(recorded.statuses, QStringList({"Wait for reply", "", "Connection Error"}));
    EXPECT_EQ(recorded.lines, QStringList({""}));
}

INSTANTIATE_TEST_SUITE_P(Timeouts, LinkTimeOut,
                         ::testing::Values(std::pair{0, 1}, std::pair{1000, 101}, std::pair{-5, 1}, std::pair{15, 2}));

class LinkStopBeforeSending : public LinkTest, public ::testing::WithParamInterface<int> {};

TEST_P(LinkStopBeforeSending, LetsExactlyOneByteOut)
{
    start({"--dump", dumpPath()});
    const QByteArray message(GetParam(), 'M');
    link.requestStop();
    const TComand_Result stopped = link.Send_Data(message);
    EXPECT_TRUE(stopped.Reply_Text.isEmpty());
    EXPECT_FALSE(stopped.Timed_Out || stopped.Reply_Received);
    EXPECT_EQ(recorded.statuses, QStringList({"Stopped"}));
    EXPECT_TRUE(recorded.lines.isEmpty());

    // The next exchange purges what the line still holds, so the byte must
    // have reached the board first. The board answers only what it has
    // read, so after the reply the dump holds everything that went out.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !testing_support::readAll(dumpPath()).isEmpty(); }, 5000));
    link.clearStop();
    ASSERT_TRUE(link.Send_Data(Read).Reply_Received);
    EXPECT_EQ(testing_support::readAll(dumpPath()), QByteArray("M") + Read);
}

INSTANTIATE_TEST_SUITE_P(Lengths, LinkStopBeforeSending, ::testing::Values(1, 100));

TEST_F(LinkTest, StopDuringTheWaitEndsItAtOnce)
{
    start({"--silent"});
    QObject::connect(&link, &SerialLink::statusChanged, &link, [this](const QString& text) {
        if (text == QStringLiteral("Wait for reply"))
            QTimer::singleShot(0, &link, [this] { link.requestStop(); });
    });
    const TComand_Result result = link.Send_Data(Read);
    EXPECT_FALSE(result.Timed_Out);
    EXPECT_FALSE(result.Reply_Received);
    EXPECT_FALSE(link.timerEnabled());
    EXPECT_EQ(recorded.statuses, QStringList({"Wait for reply", "", "Stopped"}));
    EXPECT_EQ(recorded.lines, QStringList({""}));
}

TEST_F(LinkTest, SendingIsShownAfterATimedOutExchange)
{
    start({"--silent"});
    link.setReplyTimeout(0);
    TickDriver ticks(link);
    link.Send_Data(Read);
    recorded.statuses.clear();
    link.Send_Data(Read);
    EXPECT_EQ(recorded.statuses, QStringList({"Sending", "Wait for reply", "", "Connection Error"}));
}

TEST_F(LinkTest, PortThatDoesNotExistEndsInConnectionError)
{
    EXPECT_FALSE(link.reopen(QStringLiteral("/nonexistent/ttyVX0"), QStringLiteral("19200")));
    EXPECT_TRUE(link.openFailed());
    EXPECT_EQ(link.openError(), "No port at /nonexistent/ttyVX0: check the cable and the port name");
    EXPECT_FALSE(link.isOpen());
    link.setReplyTimeout(20);
    TickDriver ticks(link);
    const TComand_Result result = link.Send_Data(Read);
    EXPECT_TRUE(result.Timed_Out);
    EXPECT_EQ(recorded.statuses, QStringList({"Wait for reply", "", "Connection Error"}));
}

TEST_F(LinkTest, BaudTextThatIsNoNumberLeavesNothingOpen)
{
    start();
    for (const char* baud : {"19k2", "", " 9600", "-9600", "0", "99999999999"}) {
        EXPECT_FALSE(link.reopen(board->path(), QString::fromLatin1(baud))) << baud;
        EXPECT_TRUE(link.openFailed());
        EXPECT_FALSE(link.isOpen());
        EXPECT_EQ(link.openError(), QStringLiteral("Baud rate \"%1\" is not a number").arg(baud));
    }
    EXPECT_FALSE(link.reopen(QString(), QStringLiteral("9600")));
    EXPECT_EQ(link.openError(), "No port chosen");
    // Nothing was left holding the port.
    SerialLink other;
    EXPECT_TRUE(other.reopen(board->path(), QStringLiteral("128000")));
    EXPECT_FALSE(other.openFailed());
    EXPECT_TRUE(other.openError().isEmpty());
}

TEST_F(LinkTest, PortIsOpenedExclusively)
{
    start();
    SerialLink other;
    EXPECT_FALSE(other.reopen(board->path(), QStringLiteral("19200")));
    // Not a matter of permissions: the fix is to close the other program.
    EXPECT_EQ(other.openError(), board->path() + " is in use by another program: close it there first");
    EXPECT_TRUE(link.reopen(board->path(), QStringLiteral("9600")));
    EXPECT_TRUE(link.Send_Data(Read).Reply_Received);
}

TEST_F(LinkTest, BoardHangingUpMidMessageEndsByTimeOut)
{
    start({"--hangup-after", "5"});
    link.setFlashDelay(500);
    link.setReplyTimeout(30);
    TickDriver ticks(link, [this] { return !link.isOpen(); });
    const TComand_Result result = link.Send_Data(QByteArray(60, 'x'));
    EXPECT_TRUE(result.Timed_Out);
    EXPECT_FALSE(link.isOpen());
    EXPECT_FALSE(link.openFailed());
    EXPECT_EQ(recorded.statuses.last(), QStringLiteral("Connection Error"));
    EXPECT_TRUE(board->waitForExit());

    // The closed link goes on failing quietly, as a missing port does.
    recorded.statuses.clear();
    link.Send_Data(Read);
    EXPECT_EQ(recorded.statuses, QStringList({"Sending", "Wait for reply", "", "Connection Error"}));
}

TEST_F(LinkTest, ManyExchangesInARow)
{
    start();
    int replied = 0;
    for (int i = 0; i < 300; ++i)
        replied += link.Send_Data(Read).Reply_Received ? 1 : 0;
    EXPECT_EQ(replied, 300);
    EXPECT_FALSE(link.busy());
}
