// What only a set on a server has: an address whose password is never
// shown, a schema per set that is checked like a file's, and no lock file.
#include "sets/DestinationSet.h"
#include "sets/SetOnEngines.h"

#include <QSqlDatabase>
#include <QSqlQuery>

#include <gtest/gtest.h>

using namespace vexel;

namespace {

const char* const Layout = R"({ "frames": [ { "preset": "number", "destination": "{destination_ka}" } ] })";

std::vector<VehicleSign> signs() { return {VehicleSign{QStringLiteral("front"), 160, 19, Layout}}; }


} // namespace

TEST(ServerSet, APasswordInTheAddressIsNeverShown)
{
    ASSERT_NE(std::getenv("VEXEL_TEST_PGHOST"), nullptr) << "the suite's cluster is not there";
    const QString name = set_test::freshSetName();
    const QString address = set_test::serverAddress(name);
    {
        auto made = DestinationSet::create(address, signs());
        ASSERT_TRUE(made.ok()) << made.error().toStdString();
        EXPECT_FALSE(made.value()->path().contains(QLatin1String("n0t-shown")));
        EXPECT_TRUE(made.value()->path().contains(QLatin1String("set=") + name)) << made.value()->path().toStdString();
        EXPECT_TRUE(made.value()->onServer());
    }
    const QString wrongDatabase = QString(address).replace(QLatin1String("/postgres?"), QLatin1String("/nodb?"));
    const std::pair<QString, const char*> failures[] = {
        {set_test::serverAddress(QStringLiteral("no_such_set")), "has no set \"no_such_set\""},
        {wrongDatabase, "nodb"},
        {QString(address).replace(QLatin1String("set="), QLatin1String("set=Bad-")), "the set's name must be"},
    };
    for (const auto& [where, reason] : failures) {
        const auto opened = DestinationSet::open(where, DestinationSet::Access::Edit);
        ASSERT_FALSE(opened.ok()) << reason;
        EXPECT_NE(opened.error().toStdString().find(reason), std::string::npos) << opened.error().toStdString();
        EXPECT_EQ(opened.error().toStdString().find("n0t-shown"), std::string::npos) << opened.error().toStdString();
    }
    const auto twice = DestinationSet::create(address, signs());
    ASSERT_FALSE(twice.ok());
    EXPECT_NE(twice.error().toStdString().find("has a set \"" + name.toStdString() + "\" already"), std::string::npos)
        << twice.error().toStdString();
    EXPECT_EQ(twice.error().toStdString().find("n0t-shown"), std::string::npos) << twice.error().toStdString();
}

TEST(ServerSet, ASchemaWithAnythingOfItsOwnIsRefusedAndAReaderChangesNothing)
{
    const QString name = set_test::freshSetName();
    const QString address = set_test::serverAddress(name);
    ASSERT_TRUE(DestinationSet::create(address, signs()).ok());
    {
        auto reader = DestinationSet::open(address, DestinationSet::Access::Read);
        ASSERT_TRUE(reader.ok()) << reader.error().toStdString();
        EXPECT_TRUE(reader.value()->readOnly());
        Destination d;
        d.code = d.destinationKa = QStringLiteral("1");
        EXPECT_FALSE(reader.value()->addDestination(d).ok());
    }
    struct Hostile {
        QString change;
        QString undo;
        const char* reason;
    };
    const Hostile hostile[] = {
        {QStringLiteral("CREATE VIEW %1.v AS SELECT 1"), QStringLiteral("DROP VIEW %1.v"), "a view \"v\""},
        {QStringLiteral("ALTER TABLE %1.destination ADD COLUMN extra TEXT"),
         QStringLiteral("ALTER TABLE %1.destination DROP COLUMN extra"), "\"destination.extra\""},
        {QStringLiteral("ALTER TABLE %1.destination RENAME COLUMN note TO remark"),
         QStringLiteral("ALTER TABLE %1.destination RENAME COLUMN remark TO note"), "a column \"destination.remark\""},
        {QStringLiteral("UPDATE %1.set_version SET application_id = 7"),
         QStringLiteral("UPDATE %1.set_version SET application_id = 1448629076"), "not a destination set"},
    };
    for (const Hostile& h : hostile) {
        ASSERT_TRUE(set_test::asAdministrator({h.change.arg(name)})) << h.reason;
        const auto opened = DestinationSet::open(address, DestinationSet::Access::Read);
        ASSERT_TRUE(set_test::asAdministrator({h.undo.arg(name)})) << h.reason;
        ASSERT_FALSE(opened.ok()) << h.reason;
        EXPECT_NE(opened.error().toStdString().find(h.reason), std::string::npos) << opened.error().toStdString();
    }
    EXPECT_TRUE(DestinationSet::open(address, DestinationSet::Access::Read).ok());
}
