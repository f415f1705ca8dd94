// The layer's send and read against the virtual board, without a window:
// what reaches the board, what the editor shows afterwards, and how the
// job holds the editor.
#include "BoardProcess.h"

#include "document/HexConvert.h"
#include "document/ImageDocument.h"
#include "editor/BoardEditor.h"
#include "session/EditorSession.h"
#include "settings/AppSettings.h"
#include "support/TestFiles.h"
#include "transfer/DataMessage.h"

#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

using serial_testing::BoardProcess;
using testing_support::readAll;
using testing_support::writeAll;

namespace {

QByteArray litImage(int frames, unsigned seed) { return testing_support::randomImageText(frames, 96, 24, seed); }

class SessionSend : public ::testing::Test {
protected:
    SessionSend() : folder(testing_support::folderOf(dir)), session(folder)
    {
        session.document().setFolder(folder);
        session.settings().setStartupDone(true);
        session.settings().setFlashDelay(0);
        session.settings().setTimeOut(3000);
        QObject::connect(&session, &vexel::EditorSession::error, [this](const QString& m) { errors << m; });
        QObject::connect(&session, &vexel::EditorSession::jobLocked, [this](bool on) { locks << on; });
        QObject::connect(&session, &vexel::EditorSession::imageShown, [this](bool inPassing) {
            shown << (inPassing ? "passing " : "") + session.document().fileName();
        });
        QObject::connect(&session.sendJob(), &vexel::SendJob::inform,
                         [this](const QString& text, bool) { informs << text; });
    }

    void start(const QStringList& boardOptions)
    {
        board = std::make_unique<BoardProcess>(boardOptions);
        ASSERT_TRUE(board->started());
        session.settings().setComPort(board->path());
        ASSERT_FALSE(session.portFailed());
    }

    void open(const QString& name)
    {
        ASSERT_TRUE(session.open(folder, name, 0));
        shown.clear();
    }

    QString outPath(int n) const { return outDir.path() + QStringLiteral("/%1.img").arg(n); }

    QTemporaryDir dir;
    QTemporaryDir outDir;
    QString folder;
    vexel::EditorSession session;
    std::unique_ptr<BoardProcess> board;
    QStringList errors, informs, shown;
    QList<bool> locks;
};

} // namespace

TEST_F(SessionSend, TheListReachesTheBoardInOrderAndTheOpenImageComesBack)
{
    start({"--out", outDir.path()});
    writeAll(folder + "a.img", litImage(1, 1));
    writeAll(folder + "b.img", litImage(3, 2));
    writeAll(folder + "c.img", litImage(2, 3));
    writeAll(folder + "shown.img", litImage(1, 4));
    open("shown.img");
    session.sendList().setEntries({"c.img", "a.img", "b.img"});
    session.listFiles();
    ASSERT_TRUE(session.preflight().empty());

    EXPECT_EQ(session.send(), vexel::SendJob::Outcome::Exchanged);
    EXPECT_EQ(readAll(outPath(1)), litImage(2, 3));
    EXPECT_EQ(readAll(outPath(2)), litImage(1, 1));
    EXPECT_EQ(readAll(outPath(3)), litImage(3, 2));
    EXPECT_EQ(shown, QStringList({"passing c.img", "passing a.img", "passing b.img", "shown.img"}));
    EXPECT_EQ(session.document().fileName(), "shown.img");
    EXPECT_EQ(QByteArray::fromStdString(session.document().record().text()), litImage(1, 4));
    EXPECT_EQ(locks, QList<bool>({true, false}));
    EXPECT_TRUE(errors.isEmpty() && informs.isEmpty());
}

TEST_F(SessionSend, UnsavedEditsAreWrittenBeforeTheyAreSent)
{
    start({"--out", outDir.path()});
    writeAll(folder + "a.img", testing_support::blankImageText(96, 24));
    open("a.img");
    session.editor().fillBoard(true);
    const std::string edited = session.document().record().text();
    session.sendList().setEntries({"a.img"});

    EXPECT_EQ(session.send(), vexel::SendJob::Outcome::Exchanged);
    EXPECT_EQ(readAll(folder + "a.img"), QByteArray::fromStdString(edited));
    EXPECT_EQ(readAll(outPath(1)), QByteArray::fromStdString(edited));
    EXPECT_FALSE(session.document().modified());
}

TEST_F(SessionSend, AFileThatCannotTravelSendsNothingAndReadStillWorks)
{
    const QString dump = outDir.path() + "/dump.bin";
    start({"--dump", dump});
    writeAll(folder + "shown.img", litImage(1, 4));
    writeAll(folder + "bad.img", "0001\r\n000001F4000000000060001\r\n");
    open("shown.img");
    session.sendList().setEntries({"shown.img", "bad.img"});

    EXPECT_EQ(session.send(), vexel::SendJob::Outcome::Refused);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains("bad.img")) << errors[0].toStdString();
    EXPECT_EQ(session.document().fileName(), "shown.img");
    EXPECT_EQ(locks, QList<bool>({true, false}));

    session.sendList().setEntries({});
    EXPECT_EQ(session.send(), vexel::SendJob::Outcome::NoFiles);
    EXPECT_EQ(informs, QStringList({"No files selected"}));

    session.read();
    EXPECT_EQ(readAll(dump), vexel::DataMessage::readMessage());
}

TEST_F(SessionSend, APortThatDoesNotOpenRefusesSendAndSaysWhy)
{
    QSignalSpy reopened(&session, &vexel::EditorSession::portReopened);
    session.settings().setComPort(folder + "no-such-port");
    ASSERT_EQ(reopened.count(), 1);
    const QString why = reopened.at(0).at(0).toString();
    EXPECT_TRUE(why.contains(folder + "no-such-port")) << why.toStdString();
    EXPECT_TRUE(session.portFailed());
    EXPECT_EQ(session.settings().portMessage(), why);
    session.sendList().setEntries({"route.img"});
    EXPECT_EQ(session.send(), vexel::SendJob::Outcome::PortNotOpen);
    EXPECT_EQ(informs, QStringList({"Port was not opened"}));
    EXPECT_TRUE(locks.isEmpty());
}
