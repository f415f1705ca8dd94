// Rights per server set: a role that may only read a set cannot change it,
// and a grant on one set opens no other.
#include "sets/SetCopySupport.h"
#include "sets/SetOnEngines.h"
#include "store/SetRights.h"

#include "../cli/RunVexel.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <gtest/gtest.h>

using namespace vexel;

namespace {

// A login role of this run's own; roles outlive a test in the cluster.
const QString& depot()
{
    static const QString role = QStringLiteral("depot_%1").arg(QCoreApplication::applicationPid());
    return role;
}

QString asDepot(const QString& set)
{
    return QStringLiteral("postgresql://%1@/postgres?host=%2&set=%3")
        .arg(depot(), qEnvironmentVariable("VEXEL_TEST_PGHOST"), set);
}

} // namespace

TEST(SetRights, AReaderCannotChangeItsSetAndAGrantOfOneSetOpensNoOther)
{
    ASSERT_NE(std::getenv("VEXEL_TEST_PGHOST"), nullptr) << "the suite's cluster is not there";
    const QString own = set_test::freshSetName();
    const QString other = set_test::freshSetName();
    for (const QString& name : {own, other})
        ASSERT_TRUE(DestinationSet::create(set_test::serverAddress(name), copy_test::signs()).ok());
    ASSERT_TRUE(set_test::asAdministrator({QStringLiteral("CREATE ROLE %1 LOGIN").arg(depot())}));

    ASSERT_TRUE(SetRights::grant(set_test::serverAddress(own), depot(), SetRights::Right::Read).ok());
    {
        auto reader = DestinationSet::open(asDepot(own), DestinationSet::Access::Edit);
        ASSERT_TRUE(reader.ok()) << reader.error().toStdString();
        EXPECT_TRUE(reader.value()->destinations().ok());
        const Status refused = reader.value()->addDestination(copy_test::destination("12", "ვაკე"));
        ASSERT_FALSE(refused.ok());
        EXPECT_NE(refused.error().toStdString().find("permission denied"), std::string::npos) << refused.error().toStdString();
    }
    EXPECT_TRUE(DestinationSet::open(set_test::serverAddress(own), DestinationSet::Access::Read).value()->destinations()->empty());
    const auto closed = DestinationSet::open(asDepot(other), DestinationSet::Access::Read);
    ASSERT_FALSE(closed.ok());
    EXPECT_NE(closed.error().toStdString().find("permission denied"), std::string::npos) << closed.error().toStdString();

    // An edit right is given, and taken back by a read grant.
    const std::pair<SetRights::Right, bool> grants[] = {{SetRights::Right::Edit, true}, {SetRights::Right::Read, false}};
    int code = 1;
    for (const auto& [right, changes] : grants) {
        ASSERT_TRUE(SetRights::grant(set_test::serverAddress(other), depot(), right).ok());
        auto editor = DestinationSet::open(asDepot(other), DestinationSet::Access::Edit);
        ASSERT_TRUE(editor.ok()) << editor.error().toStdString();
        const QByteArray next = QByteArray::number(++code);
        EXPECT_EQ(editor.value()->addDestination(copy_test::destination(next.constData(), "ვაკე")).ok(), changes);
    }
}

TEST(SetRights, OnlyPlainNamesMakeSqlAndTheToolPrintsIt)
{
    EXPECT_TRUE(SetRights::sql(QStringLiteral("depot_b"), QStringLiteral("bus_12m"), SetRights::Right::Edit).ok());
    const std::pair<const char*, const char*> refused[] = {
        {"Depot", "bus_12m"}, {"depot\"; DROP ROLE x; --", "bus_12m"}, {"", "bus_12m"}, {"depot_b", "Bus 12"}};
    for (const auto& [role, set] : refused)
        EXPECT_FALSE(SetRights::sql(QString::fromUtf8(role), QString::fromUtf8(set), SetRights::Right::Read).ok()) << role;
    const auto printed = cli_testing::runVexel({"db", "sql", "depot_b", "bus_12m", "--read"});
    EXPECT_EQ(printed.exit, 0) << printed.err.toStdString();
    EXPECT_TRUE(printed.out.contains("GRANT SELECT ON ALL TABLES IN SCHEMA \"bus_12m\" TO \"depot_b\";"));
    EXPECT_FALSE(printed.out.contains("INSERT"));
    EXPECT_EQ(cli_testing::runVexel({"db", "grant", "depot_b", "bus_12m"}).exit, 2);
}
