// The send journal on a server: entries kept here while the server is away
// go up exactly once when it is back, several PCs writing at once lose and
// double nothing, and no password shows in what the journal says.
#include "fleet/JournalServer.h"
#include "fleet/SendJournal.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>

using namespace vexel;

namespace {

QString clusterHost()
{
    const char* dir = std::getenv("VEXEL_TEST_PGHOST");
    return dir ? QString::fromLocal8Bit(dir) : QString();
}

QString serverOf(const QString& database, const QString& host = clusterHost())
{
    return QStringLiteral("postgresql://postgres:pa55word@/%1?host=%2").arg(database, host);
}

// A database of its own for one test, with the journal's table made.
QString freshJournalDatabase(const QString& name)
{
    {
        QSqlDatabase admin = ServerAddress::parse(serverOf(QStringLiteral("postgres")), ServerAddress::SetName::Forbidden)
                                 ->connection(QStringLiteral("admin"));
        EXPECT_TRUE(admin.open()) << admin.lastError().text().toStdString();
        QSqlQuery q(admin);
        q.exec(QStringLiteral("DROP DATABASE IF EXISTS %1").arg(name));
        EXPECT_TRUE(q.exec(QStringLiteral("CREATE DATABASE %1").arg(name))) << q.lastError().text().toStdString();
        admin.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("admin"));
    const QString server = serverOf(name);
    bool roles = false;
    const Status made = JournalServer::at(server)->init(&roles);
    EXPECT_TRUE(made.ok()) << made.error().toStdString();
    EXPECT_TRUE(roles) << "the suite's role is a superuser";
    return server;
}

JournalEntry sent(const QString& bus, int n)
{
    JournalEntry e;
    e.time = QDateTime::currentDateTimeUtc();
    e.bus = bus;
    e.sign = QStringLiteral("front");
    e.port = QStringLiteral("/dev/ttyUSB0");
    e.files = {QStringLiteral("%1.img").arg(n)};
    e.bytes = 100 + n;
    e.checksum = n;
    e.reply = QStringLiteral("OK");
    return e;
}

} // namespace

TEST(JournalServer, EntriesKeptWhileTheServerIsAwayGoUpExactlyOnce)
{
    ASSERT_FALSE(clusterHost().isEmpty());
    const QString server = freshJournalDatabase(QStringLiteral("journal_once"));
    QTemporaryDir home;
    const QString local = home.filePath(QStringLiteral("journal.sqlite"));
    // The server's socket folder is a link, made when the server is back:
    // the entries wait for that very address.
    const QString link = home.filePath(QStringLiteral("server-host"));
    const QString sameServer = serverOf(QStringLiteral("journal_once"), link);

    const SendJournal away(local, sameServer, QStringLiteral("depot-2"));
    for (int n = 1; n <= 2; ++n) {
        bool uploaded = true;
        QString why;
        ASSERT_TRUE(away.record(sent(QStringLiteral("1042"), n), &uploaded, &why).ok());
        EXPECT_FALSE(uploaded);
        EXPECT_FALSE(why.isEmpty());
        EXPECT_FALSE(why.contains(QLatin1String("pa55word"))) << why.toStdString();
    }
    const Expected<std::vector<JournalEntry>> unreadable = away.entries();
    ASSERT_FALSE(unreadable.ok());
    EXPECT_EQ(unreadable.error().toStdString().find("pa55word"), std::string::npos) << unreadable.error().toStdString();
    EXPECT_EQ(away.shownName().indexOf(QLatin1String("pa55word")), -1);

    // Back: the server's entries and the two still waiting, marked so.
    ASSERT_TRUE(QFile::link(clusterHost(), link));
    const SendJournal back(local, sameServer, QStringLiteral("depot-2"));
    const Expected<std::vector<JournalEntry>> before = back.entries();
    ASSERT_TRUE(before.ok()) << before.error().toStdString();
    ASSERT_EQ(before->size(), 2u);
    EXPECT_TRUE(before->at(0).pending && before->at(1).pending);

    bool uploaded = false;
    ASSERT_TRUE(back.record(sent(QStringLiteral("1042"), 3), &uploaded).ok());
    EXPECT_TRUE(uploaded);
    EXPECT_EQ(*back.upload(), 0) << "nothing is left to go up";
    // Offered again behind the journal's back, they are not stored twice.
    EXPECT_TRUE(JournalServer::at(server)->insert(*SendJournal(local).entries()).ok());

    const Expected<std::vector<JournalEntry>> after = back.entries();
    ASSERT_TRUE(after.ok()) << after.error().toStdString();
    ASSERT_EQ(after->size(), 3u);
    for (const JournalEntry& e : *after) {
        EXPECT_FALSE(e.pending);
        EXPECT_EQ(e.station, QStringLiteral("depot-2"));
    }
    EXPECT_EQ(after->at(2).files, QStringList{QStringLiteral("3.img")});
    const Expected<std::optional<JournalEntry>> carried = back.carried(QStringLiteral("1042"), QStringLiteral("front"));
    ASSERT_TRUE(carried.ok() && carried->has_value());
    EXPECT_EQ((*carried)->checksum, 3);

    EXPECT_FALSE(JournalServer::at(server)->init().ok()) << "a second init must not pass over the table";
}

// Run as a child of the next test: writes VEXEL_TEST_JOURNAL_COUNT entries.
TEST(JournalServerChild, WritesItsEntries)
{
    const QString server = qEnvironmentVariable("VEXEL_TEST_JOURNAL_SERVER");
    if (server.isEmpty())
        GTEST_SKIP() << "run by JournalServer.EightPcsWritingAtOnceLoseAndDoubleNothing";
    const SendJournal journal(qEnvironmentVariable("VEXEL_TEST_JOURNAL_LOCAL"), server,
                              qEnvironmentVariable("VEXEL_TEST_JOURNAL_STATION"));
    const int count = qEnvironmentVariableIntValue("VEXEL_TEST_JOURNAL_COUNT");
    for (int n = 0; n < count; ++n) {
        bool uploaded = false;
        ASSERT_TRUE(journal.record(sent(QStringLiteral("b%1").arg(n % 7), n), &uploaded).ok());
        if (!uploaded)
            std::fprintf(stderr, "entry %d kept locally\n", n);
    }
    // Whatever stayed behind goes up now.
    ASSERT_TRUE(journal.upload().ok());
}

TEST(JournalServer, EightPcsWritingAtOnceLoseAndDoubleNothing)
{
    ASSERT_FALSE(clusterHost().isEmpty());
    const QString server = freshJournalDatabase(QStringLiteral("journal_fleet"));
    QTemporaryDir homes;
    constexpr int Pcs = 8;
#ifdef VEXEL_SANITIZED_BUILD
    constexpr int Each = 100; // the same race, in the sanitizer run's time
#else
    constexpr int Each = 500;
#endif
    std::vector<std::unique_ptr<QProcess>> children;
    for (int pc = 0; pc < Pcs; ++pc) {
        auto child = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("VEXEL_TEST_JOURNAL_SERVER"), server);
        env.insert(QStringLiteral("VEXEL_TEST_JOURNAL_LOCAL"), homes.filePath(QStringLiteral("pc%1.sqlite").arg(pc)));
        env.insert(QStringLiteral("VEXEL_TEST_JOURNAL_STATION"), QStringLiteral("depot-%1").arg(pc));
        env.insert(QStringLiteral("VEXEL_TEST_JOURNAL_COUNT"), QString::number(Each));
        child->setProcessEnvironment(env);
        child->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child->start(QCoreApplication::applicationFilePath(),
                     {QStringLiteral("--gtest_filter=JournalServerChild.WritesItsEntries")});
        ASSERT_TRUE(child->waitForStarted());
        children.push_back(std::move(child));
    }
    for (auto& child : children) {
        ASSERT_TRUE(child->waitForFinished(540000)) << "a station still writing after 9 minutes";
        EXPECT_EQ(child->exitCode(), 0) << child->readAllStandardOutput().toStdString();
    }
    const Expected<std::vector<JournalEntry>> all = JournalServer::at(server)->entries({});
    ASSERT_TRUE(all.ok()) << all.error().toStdString();
    EXPECT_EQ(all->size(), static_cast<std::size_t>(Pcs * Each));
    QSet<QString> ids;
    QMap<QString, int> perStation;
    for (const JournalEntry& e : *all) {
        ids.insert(e.id);
        ++perStation[e.station];
    }
    EXPECT_EQ(ids.size(), Pcs * Each) << "an entry is there twice";
    for (int pc = 0; pc < Pcs; ++pc)
        EXPECT_EQ(perStation.value(QStringLiteral("depot-%1").arg(pc)), Each);
}

// A technician who only sends: a role of the viewers' group writes its
// sends into the fleet's journal and reads it, and can take nothing out.
TEST(JournalServer, AViewerJournalsItsSendsAndChangesNothingElse)
{
    ASSERT_FALSE(clusterHost().isEmpty());
    freshJournalDatabase(QStringLiteral("journal_viewer"));
    const QString viewer = QStringLiteral("technician_%1").arg(QCoreApplication::applicationPid());
    {
        QSqlDatabase admin = ServerAddress::parse(serverOf(QStringLiteral("postgres")), ServerAddress::SetName::Forbidden)
                                 ->connection(QStringLiteral("admin"));
        ASSERT_TRUE(admin.open());
        QSqlQuery q(admin);
        ASSERT_TRUE(q.exec(QStringLiteral("CREATE ROLE %1 LOGIN IN ROLE vexel_viewer").arg(viewer)))
            << q.lastError().text().toStdString();
        admin.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("admin"));
    const QString asViewer =
        QStringLiteral("postgresql://%1@/journal_viewer?host=%2").arg(viewer, clusterHost());

    QTemporaryDir home;
    const SendJournal journal(home.filePath(QStringLiteral("journal.sqlite")), asViewer, QStringLiteral("depot-4"));
    bool uploaded = false;
    QString why;
    ASSERT_TRUE(journal.record(sent(QStringLiteral("77"), 1), &uploaded, &why).ok());
    EXPECT_TRUE(uploaded) << why.toStdString();
    const Expected<std::optional<JournalEntry>> carried = journal.carried(QStringLiteral("77"), QStringLiteral("front"));
    ASSERT_TRUE(carried.ok()) << carried.error().toStdString();
    ASSERT_TRUE(carried->has_value());
    EXPECT_EQ((*carried)->station, QStringLiteral("depot-4"));

    {
        QSqlDatabase db = ServerAddress::parse(asViewer, ServerAddress::SetName::Forbidden)->connection(QStringLiteral("viewer"));
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        for (const char* sql : {"DELETE FROM vexel_journal", "UPDATE vexel_journal SET reply = 'OK'",
                                "DROP TABLE vexel_journal"})
            EXPECT_FALSE(q.exec(QLatin1String(sql))) << sql;
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("viewer"));
    EXPECT_EQ(journal.entries()->size(), 1u);
}
