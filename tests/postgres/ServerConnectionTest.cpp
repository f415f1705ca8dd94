// Connections to a server made from an address, against the cluster the
// suite starts: the timeouts every connection carries, and failures that
// name the address without its password.
#include "depot/ServerAddress.h"

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
    EXPECT_TRUE(a.ok()) << a.error();
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
