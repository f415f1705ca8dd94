// With the journal on a server, an open Fleet window hears of a send from
// another PC by the server's notifications, on a connection of its own
// that never shows the password.
#include "store/ServerAddress.h"
#include "fleet/FleetWatch.h"

#include <QSignalSpy>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>

using namespace vexel;

namespace {

QString serverAt(const QString& host)
{
    return QStringLiteral("postgresql://postgres:pa55word@/postgres?host=%1").arg(host);
}

void notify(const char* channel)
{
    const QString host = QString::fromLocal8Bit(std::getenv("VEXEL_TEST_PGHOST"));
    {
        QSqlDatabase db = ServerAddress::parse(serverAt(host), ServerAddress::SetName::Forbidden)
                              ->connection(QStringLiteral("notifier"));
        ASSERT_TRUE(db.open()) << db.lastError().text().toStdString();
        QSqlQuery q(db);
        ASSERT_TRUE(q.exec(QStringLiteral("NOTIFY %1").arg(QLatin1String(channel)))) << q.lastError().text().toStdString();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("notifier"));
}

} // namespace

TEST(FleetWatchServer, EachChannelIsHeard)
{
    ASSERT_NE(std::getenv("VEXEL_TEST_PGHOST"), nullptr);
    QTemporaryDir home;
    const SendJournal journal(home.filePath("journal.sqlite"), serverAt(QString::fromLocal8Bit(std::getenv("VEXEL_TEST_PGHOST"))),
                              QStringLiteral("depot-1"));
    FleetWatch watch(journal);
    ASSERT_TRUE(watch.listening()) << watch.problem().toStdString();
    QSignalSpy changed(&watch, &FleetWatch::changed);
    int heard = 0;
    for (const char* channel : {FleetWatch::JournalChannel, FleetWatch::FleetChannel}) {
        SCOPED_TRACE(channel);
        notify(channel);
        QTRY_VERIFY_WITH_TIMEOUT(changed.count() > heard, 5000);
        QTest::qWait(2 * FleetWatch::DebounceMs);
        heard = changed.count();
    }
}

TEST(FleetWatchServer, AServerAwaySaysSoWithoutThePassword)
{
    QTemporaryDir home;
    QTemporaryDir nowhere;
    const SendJournal journal(home.filePath("journal.sqlite"), serverAt(nowhere.path()), QStringLiteral("depot-1"));
    FleetWatch watch(journal);
    EXPECT_FALSE(watch.listening());
    EXPECT_TRUE(watch.problem().contains("not shown as they happen")) << watch.problem().toStdString();
    EXPECT_FALSE(watch.problem().contains("pa55word")) << watch.problem().toStdString();
}
