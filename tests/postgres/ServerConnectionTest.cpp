// Connections to a server made from an address, against the cluster the
// suite starts: the timeouts every connection carries, failures that name
// the address without its password, and connections kept between uses.
#include "store/HeldConnection.h"
#include "store/ServerAddress.h"

#include <QSqlDriver>

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

ServerAddress address(const QString& host, const QString& database = QStringLiteral("postgres"))
{
    const QString text = QStringLiteral("postgresql://postgres:n0t-shown@/%1?host=%2").arg(database, host);
    const Expected<ServerAddress> a = ServerAddress::parse(text, ServerAddress::SetName::Forbidden);
    EXPECT_TRUE(a.ok()) << a.error().toStdString();
    return a ? *a : ServerAddress{};
}

} // namespace

TEST(ServerConnection, EveryConnectionCarriesItsTimeouts)
{
    ASSERT_FALSE(clusterHost().isEmpty()) << "the suite's cluster is not there";
    {
        QSqlDatabase db = address(clusterHost()).connection(QStringLiteral("timeouts"), 1500);
        ASSERT_TRUE(db.open()) << db.lastError().text().toStdString();
        QSqlQuery query(db);
        ASSERT_TRUE(query.exec(QStringLiteral("SHOW statement_timeout")) && query.next());
        EXPECT_EQ(query.value(0).toString(), QStringLiteral("1500ms"));
        // A statement that outlives the limit is cancelled, not waited for.
        EXPECT_FALSE(query.exec(QStringLiteral("SELECT pg_sleep(5)")));
        EXPECT_TRUE(query.lastError().databaseText().contains(QStringLiteral("statement timeout")))
            << query.lastError().text().toStdString();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("timeouts"));
}

TEST(ServerConnection, AFailedConnectionNamesTheAddressWithoutItsPassword)
{
    QTemporaryDir nowhere;
    const std::pair<ServerAddress, const char*> cases[] = {
        {address(nowhere.path()), "No such file"},
        {address(clusterHost(), QStringLiteral("no_such_db")), "no_such_db"},
    };
    for (const auto& [a, reason] : cases) {
        {
            QSqlDatabase db = a.connection(QStringLiteral("failing"));
            EXPECT_FALSE(db.open());
            const QString why = db.lastError().text();
            EXPECT_TRUE(why.contains(QLatin1String(reason))) << why.toStdString();
            EXPECT_FALSE(why.contains(QLatin1String("n0t-shown"))) << why.toStdString();
            EXPECT_FALSE(a.shown().contains(QLatin1String("n0t-shown")));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("failing"));
    }
}

namespace {

int backendOf(const HeldConnection& held)
{
    QSqlQuery query(held.db());
    return query.exec(QStringLiteral("SELECT pg_backend_pid()")) && query.next() ? query.value(0).toInt() : -1;
}

QString single(const HeldConnection& held, const QString& sql)
{
    QSqlQuery query(held.db());
    return query.exec(sql) && query.next() ? query.value(0).toString() : QStringLiteral("(failed)");
}

} // namespace

// A kept connection comes back as it was connected, whatever its last user
// set; one left in a transaction, or one the server dropped, is not
// handed out again.
TEST(HeldConnectionTest, KeptConnectionsComeBackCleanAndDeadOrBusyOnesAreNotReused)
{
    ASSERT_FALSE(clusterHost().isEmpty()) << "the suite's cluster is not there";
    HeldConnection::closeKept();
    const ServerAddress a = address(clusterHost());
    auto take = [&] {
        Expected<HeldConnection> held = HeldConnection::take(a, 1500, "test");
        EXPECT_TRUE(held.ok()) << held.error().toStdString();
        return std::move(held).value();
    };

    int first = 0;
    {
        HeldConnection held = take();
        first = backendOf(held);
        QSqlQuery query(held.db());
        ASSERT_TRUE(query.exec(QStringLiteral("CREATE SCHEMA IF NOT EXISTS held_test")));
        ASSERT_TRUE(query.exec(QStringLiteral("SET search_path TO held_test")));
        ASSERT_TRUE(query.exec(QStringLiteral("SET SESSION CHARACTERISTICS AS TRANSACTION READ ONLY")));
        ASSERT_TRUE(held.db().driver()->subscribeToNotification(QStringLiteral("held_test")));
    }
    EXPECT_EQ(HeldConnection::kept(), 1);
    {
        HeldConnection held = take();
        EXPECT_EQ(backendOf(held), first) << "the kept connection was not reused";
        EXPECT_EQ(single(held, QStringLiteral("SHOW search_path")), QStringLiteral("\"$user\", public"));
        EXPECT_EQ(single(held, QStringLiteral("SHOW default_transaction_read_only")), QStringLiteral("off"));
        EXPECT_EQ(single(held, QStringLiteral("SELECT count(*) FROM pg_listening_channels()")), QStringLiteral("0"));
        EXPECT_TRUE(held.db().driver()->subscribedToNotifications().isEmpty());
        EXPECT_EQ(single(held, QStringLiteral("SHOW statement_timeout")), QStringLiteral("1500ms"));

        // Left inside a transaction: closed, and what it did is undone.
        QSqlQuery query(held.db());
        ASSERT_TRUE(query.exec(QStringLiteral("BEGIN")));
        ASSERT_TRUE(query.exec(QStringLiteral("CREATE TABLE public.held_left_open (x int)")));
    }
    EXPECT_EQ(HeldConnection::kept(), 0);
    int second = 0;
    {
        HeldConnection held = take();
        second = backendOf(held);
        EXPECT_NE(second, first);
        EXPECT_EQ(single(held, QStringLiteral("SELECT to_regclass('public.held_left_open') IS NULL")),
                  QStringLiteral("true"));
    }
    {
        // The server ends the kept connection's process: the next take
        // connects afresh instead of failing.
        HeldConnection kept = take();
        HeldConnection admin = take();
        const int victim = backendOf(kept);
        EXPECT_EQ(victim, second);
        kept = HeldConnection();
        QSqlQuery end(admin.db());
        ASSERT_TRUE(end.exec(QStringLiteral("SELECT pg_terminate_backend(%1)").arg(victim)));
        HeldConnection held = take();
        EXPECT_NE(backendOf(held), victim);
        EXPECT_EQ(single(held, QStringLiteral("SELECT 1")), QStringLiteral("1"));
    }
    HeldConnection::closeKept();
    EXPECT_EQ(HeldConnection::kept(), 0);
}
