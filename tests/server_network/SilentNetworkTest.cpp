// A network that goes silent once the connection is made: no wait of
// `vexel` outlasts its limit, a send cut short keeps its entry, entries
// kept go up to the server they were meant for once it answers, and
// `vexel` finds the journal's server in the editor's settings.
#include "ServerNetworkTest.h"
#include "SilentProxy.h"

#include "store/HeldConnection.h"
#include "fleet/SendJournal.h"
#include "support/TestFiles.h"
#include "BoardProcess.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlDriver>
#include <QThread>

#include <libpq-fe.h>
#include <linux/tcp.h>
#include <netinet/in.h>
#include <sys/socket.h>

using namespace network_test;
using serial_testing::BoardProcess;
using vexel::SendJournal;

namespace {

int socketOption(const QSqlDatabase& db, int level, int name)
{
    const QVariant handle = db.driver()->handle();
    const int fd = PQsocket(*static_cast<PGconn* const*>(handle.constData()));
    int value = 0;
    socklen_t length = sizeof value;
    return getsockopt(fd, level, name, &value, &length) == 0 ? value : -1;
}

QStringList send(const QString& port, const QString& bus, const QString& image)
{
    return {"send", "--port", port, "--delay", "0", "--bus", bus, image};
}

std::vector<vexel::JournalEntry> kept(const QTemporaryDir& home)
{
    const auto entries = SendJournal(localJournal(home), QString()).entries();
    EXPECT_TRUE(entries.ok()) << entries.error().toStdString();
    return entries ? *entries : std::vector<vexel::JournalEntry>();
}

} // namespace

TEST(SilentNetwork, NoWaitOutlastsItsLimitAndNoEntryIsLost)
{
    ASSERT_FALSE(clusterFolder().isEmpty()) << "the suite's cluster is not there";
    const QString db = journalDatabase("net_silent");
    SilentProxy proxy(clusterFolder());
    ASSERT_NE(proxy.port(), 0);
    const QString through = QStringLiteral("postgresql://postgres@127.0.0.1:%1/").arg(proxy.port());
    QTemporaryDir home;
    QProcessEnvironment env = homeIn(home);
    env.insert("VEXEL_JOURNAL", through + db);
    const QString image = home.filePath("12.img");
    testing_support::writeAll(image, testing_support::randomImageText(1, 96, 24, 3));
    BoardProcess board;
    ASSERT_TRUE(board.started());

    {
        // Every connection asks TCP to give up a peer that stops acknowledging.
        const auto held = vexel::HeldConnection::take(*vexel::ServerAddress::parse(through + db, vexel::ServerAddress::SetName::Forbidden), 1000, "net-test");
        ASSERT_TRUE(held.ok()) << held.error().toStdString();
        EXPECT_EQ(socketOption(held->db(), SOL_SOCKET, SO_KEEPALIVE), 1);
        EXPECT_GT(socketOption(held->db(), IPPROTO_TCP, TCP_USER_TIMEOUT), 0);
    }
    vexel::HeldConnection::closeKept();

    proxy.goSilent(true);
    const VexelRun first = runVexel(send(board.path(), "1042", image), env, 20000);
    ASSERT_TRUE(first.ended) << "the send waited on the silent server";
    EXPECT_EQ(first.exit, 0) << first.err.toStdString();
    EXPECT_TRUE(first.err.contains("kept on this PC")) << first.err.toStdString();

    // A send stopped while it waits on the server has kept its entry already.
    const int silenced = proxy.silenced();
    QProcess stopped;
    stopped.setProcessEnvironment(env);
    stopped.start(tool(), send(board.path(), "1043", image));
    QElapsedTimer waited;
    waited.start();
    while (proxy.silenced() == silenced && !waited.hasExpired(15000))
        QThread::msleep(20);
    stopped.kill();
    stopped.waitForFinished();

    const VexelRun status = runVexel({"set", "status", through + "postgres?set=nothing_here"}, env, 55000);
    EXPECT_TRUE(status.ended) << "set status waited on the silent server";
    EXPECT_NE(status.exit, 0);
    EXPECT_TRUE(status.err.contains("did not answer")) << status.err.toStdString();

    const auto waiting = kept(home);
    ASSERT_EQ(waiting.size(), 2u);
    for (const auto& e : waiting)
        EXPECT_TRUE(e.pending && e.server == through + db) << e.bus.toStdString();
    EXPECT_EQ(journalRows(db), 0);

    proxy.goSilent(false);
    const VexelRun back = runVexel(send(board.path(), "1044", image), env, 20000);
    EXPECT_EQ(back.exit, 0) << back.err.toStdString();
    EXPECT_EQ(journalRows(db), 3);
}

TEST(SilentNetwork, KeptEntriesGoOnlyToTheirServerAndTheSettingsNameTheServer)
{
    ASSERT_FALSE(clusterFolder().isEmpty());
    const QString a = journalDatabase("net_depot_a");
    const QString b = journalDatabase("net_depot_b");
    QTemporaryDir home;
    // Server A's socket folder is a link made once A "comes back".
    const QString link = home.filePath("a-host");
    const QString serverA = QStringLiteral("postgresql://postgres@/%1?host=%2").arg(a, link);
    const QString serverB = QStringLiteral("postgresql://postgres@/%1?host=%2").arg(b, clusterFolder());
    const QString image = home.filePath("37.img");
    testing_support::writeAll(image, testing_support::randomImageText(1, 96, 24, 4));
    BoardProcess board;
    ASSERT_TRUE(board.started());
    QProcessEnvironment env = homeIn(home);

    env.insert("VEXEL_JOURNAL", serverA);
    EXPECT_EQ(runVexel(send(board.path(), "1042", image), env).exit, 0);
    env.insert("VEXEL_JOURNAL", serverB);
    EXPECT_EQ(runVexel(send(board.path(), "2001", image), env).exit, 0);
    EXPECT_EQ(journalRows(b), 1) << "depot A's entry went to depot B's server";
    ASSERT_TRUE(QFile::link(clusterFolder(), link));
    env.insert("VEXEL_JOURNAL", serverA);
    EXPECT_EQ(runVexel(send(board.path(), "1043", image), env).exit, 0);
    EXPECT_EQ(journalRows(a), 2);
    EXPECT_EQ(journalRows(b), 1);

    // Without VEXEL_JOURNAL, the server of the settings beside the program.
    const QString copy = home.filePath("bin/vexel");
    QDir().mkpath(home.filePath("bin"));
    ASSERT_TRUE(QFile::copy(tool(), copy));
    testing_support::writeAll(home.filePath("bin/Lumaro.ini"), ("[Journal]\nServer=" + serverB + "\n").toUtf8());
    env.remove("VEXEL_JOURNAL");
    const VexelRun sent = runVexel(send(board.path(), "2002", image), env, 60000, copy);
    EXPECT_EQ(sent.exit, 0) << sent.err.toStdString();
    EXPECT_EQ(journalRows(b), 2);
    const VexelRun listed = runVexel({"journal"}, env, 60000, copy);
    EXPECT_TRUE(listed.out.contains("bus 2002")) << listed.out.toStdString();
    EXPECT_TRUE(listed.err.contains("Journal: " + serverB + " (")) << listed.err.toStdString();
    EXPECT_TRUE(listed.err.contains("Lumaro.ini")) << listed.err.toStdString();
}
