// Every send and read of the editor lands in the send journal with the
// board's answer, and a journal that cannot be written never stops a send.
#include "BoardProcess.h"

#include "document/ImageDocument.h"
#include "document/ImageFile.h"
#include "session/EditorSession.h"
#include "fleet/SendJournal.h"
#include "settings/AppSettings.h"
#include "support/TestFiles.h"
#include "transfer/DataMessage.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

using serial_testing::BoardProcess;
using testing_support::readAll;
using testing_support::writeAll;

namespace {

class JournalSend : public ::testing::Test {
protected:
    JournalSend() : session(testing_support::folderOf(dir))
    {
        // The send list's files as a release lays them out: a folder per
        // sign, the note above.
        folder = dir.path() + "/release/front/";
        QDir().mkpath(folder);
        writeAll(dir.path() + "/release/release.txt", "Set: City\r\nVersion 5\r\n");
        writeAll(folder + "12.img", testing_support::randomImageText(2, 96, 24, 7));
        writeAll(folder + "12R.img", testing_support::randomImageText(1, 96, 24, 8));
        session.document().setFolder(folder);
        session.setJournalPath(dir.path() + "/journal.sqlite");
        session.settings().setStartupDone(true);
        session.settings().setFlashDelay(0);
        session.settings().setBusNumber("1042");
        QObject::connect(&session, &vexel::EditorSession::error, [this](const QString& m) { events << "error " + m; });
        QObject::connect(&session, &vexel::EditorSession::jobLocked,
                         [this](bool on) { events << (on ? "locked" : "unlocked"); });
    }

    void start(const QStringList& boardOptions, int timeout)
    {
        board = std::make_unique<BoardProcess>(boardOptions);
        ASSERT_TRUE(board->started());
        session.settings().setTimeOut(timeout);
        session.settings().setComPort(board->path());
        ASSERT_FALSE(session.portFailed());
    }

    std::vector<vexel::JournalEntry> entries() const
    {
        const auto read = vexel::SendJournal(session.journalPath()).entries();
        EXPECT_TRUE(read) << read.error().toStdString();
        return read ? *read : std::vector<vexel::JournalEntry>{};
    }

    QTemporaryDir dir;
    QString folder;
    vexel::EditorSession session;
    std::unique_ptr<BoardProcess> board;
    QStringList events;
};

TEST_F(JournalSend, EachReplyIsRecordedWithWhatWasSent)
{
    std::vector<vexel::FileText> texts;
    for (const char* name : {"12.img", "12R.img"})
        texts.push_back({name, vexel::ImageFile::load(folder + name)->hexText()});
    const vexel::Expected<vexel::DataMessage> message = vexel::DataMessage::build(texts);
    ASSERT_TRUE(message);

    struct Case {
        QStringList board;
        int timeout;
        QString reply;
    };
    const Case cases[] = {
        {{}, 3000, "OK"},
        {{"--reply", "CS\\r\\n"}, 3000, "CS"},
        {{"--silent"}, 200, "no reply"},
    };
    std::size_t count = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reply.toStdString());
        start(c.board, c.timeout);
        session.sendList().setEntries({"12.img", "12R.img"});
        EXPECT_EQ(session.send(), vexel::SendJob::Outcome::Exchanged);
        const std::vector<vexel::JournalEntry> all = entries();
        ASSERT_EQ(all.size(), ++count);
        const vexel::JournalEntry& e = all.back();
        EXPECT_EQ(e.reply, c.reply);
        EXPECT_FALSE(e.read);
        EXPECT_EQ(e.bus, "1042");
        EXPECT_EQ(e.port, board->path());
        EXPECT_EQ(e.files, QStringList({"12.img", "12R.img"}));
        EXPECT_EQ(e.bytes, message->length() - vexel::DataMessage::HeaderLength);
        EXPECT_EQ(e.checksum, message->checksum());
        EXPECT_EQ(e.set, "City");
        EXPECT_EQ(e.version, 5);
        EXPECT_EQ(e.sign, "front");
        EXPECT_LE(qAbs(e.time.secsTo(QDateTime::currentDateTimeUtc())), 60);
    }
    EXPECT_FALSE(events.join("\n").contains("error")) << events.join("\n").toStdString();

    // Only the send the board took counts as what the bus carries.
    const auto carried = vexel::SendJournal(session.journalPath()).carried("1042", "front");
    ASSERT_TRUE(carried && carried->has_value());
    EXPECT_EQ((*carried)->reply, "OK");

    start({}, 3000);
    session.read();
    const std::vector<vexel::JournalEntry> all = entries();
    ASSERT_EQ(all.size(), count + 1);
    EXPECT_TRUE(all.back().read);
    EXPECT_EQ(all.back().reply, "OK");
    EXPECT_EQ(all.back().bytes, -1);
    EXPECT_TRUE(all.back().files.isEmpty());

    // A send that could not go out is on record too, with why.
    writeAll(folder + "bad.img", "0001\r\n000001F4000000000060001\r\n");
    session.sendList().setEntries({"12.img", "bad.img"});
    EXPECT_EQ(session.send(), vexel::SendJob::Outcome::Refused);
    ASSERT_EQ(entries().size(), count + 2);
    EXPECT_TRUE(entries().back().reply.startsWith("not sent: ")) << entries().back().reply.toStdString();
    EXPECT_TRUE(entries().back().reply.contains("bad.img"));
}

TEST_F(JournalSend, AJournalThatCannotBeWrittenIsReportedAfterTheSendWhichStands)
{
    const QString out = dir.path() + "/board";
    QDir().mkpath(out);
    writeAll(dir.path() + "/not-a-folder", "x");
    session.setJournalPath(dir.path() + "/not-a-folder/journal.sqlite");
    start({"--out", out}, 3000);
    session.sendList().setEntries({"12.img"});

    EXPECT_EQ(session.send(), vexel::SendJob::Outcome::Exchanged);
    EXPECT_EQ(readAll(out + "/1.img"), readAll(folder + "12.img")) << "the board has the file";
    ASSERT_EQ(events.size(), 3) << events.join("\n").toStdString();
    EXPECT_EQ(events[0], "locked");
    EXPECT_EQ(events[1], "unlocked");
    EXPECT_TRUE(events[2].contains("not-a-folder")) << events[2].toStdString();
    EXPECT_TRUE(events[2].contains("OK")) << "the message says how the send went";
}

} // namespace
