// `vexel set gtfs` as scripts run it: the difference on standard output,
// --apply and --remove, bad usage, and refused feeds that change nothing.
#include "sets/DestinationSet.h"
#include "feeds/GtfsTestFeed.h"
#include "sets/SignProfile.h"

#include <QDate>
#include <QTemporaryDir>

#include "RunVexel.h"

#include <gtest/gtest.h>

using namespace vexel;
using cli_testing::runVexel;

namespace {

QString u(const char* text) { return QString::fromUtf8(text); }

class SetGtfsCommandTest : public ::testing::TestWithParam<bool> {
protected:
    SetGtfsCommandTest()
    {
        set = dir.filePath(QStringLiteral("fleet.vxset"));
        auto made = DestinationSet::create(set, *SignProfile::read(QStringLiteral(VEXEL_EXAMPLES "/bus-profile.json")));
        EXPECT_TRUE(made.ok()) << made.error().toStdString();
        Destination kept;
        kept.code = kept.route = QStringLiteral("1");
        kept.destinationKa = u("ვაკე");
        kept.destinationEn = QStringLiteral("Vake Park");
        Destination gone = kept;
        // Made by hand for route 1, which the feed runs: the feed's to remove.
        gone.code = QStringLiteral("9");
        gone.route = QStringLiteral("1");
        gone.destinationKa = u("ზოო");
        gone.destinationEn = QStringLiteral("Zoo");
        EXPECT_TRUE((*made)->addDestination(kept).ok());
        EXPECT_TRUE((*made)->addDestination(gone).ok());
    }

    // The feed as a zip (param true) or a folder.
    QString write(const gtfs_test::Files& files, const QString& name = QStringLiteral("feed"))
    {
        if (GetParam()) {
            const QString zip = dir.filePath(name + QStringLiteral(".zip"));
            EXPECT_TRUE(gtfs_test::writeZip(zip, files, "feed/"));
            return zip;
        }
        const QString folder = dir.filePath(name);
        EXPECT_TRUE(gtfs_test::writeFolder(folder, files));
        return folder;
    }

    QStringList codes() const
    {
        auto opened = DestinationSet::open(set, DestinationSet::Access::Read);
        QStringList out;
        if (!opened)
            return out;
        const Expected<std::vector<Destination>> all = (*opened)->destinations();
        for (const Destination& d : *all)
            out << d.code;
        return out;
    }

    QTemporaryDir dir;
    QString set;
};

TEST_P(SetGtfsCommandTest, DifferenceThenApplyThenRemove)
{
    const QString feed = write(gtfs_test::smallFeed());
    const QStringList before = codes();

    // The difference alone changes nothing.
    auto run = runVexel({"set", "gtfs", set, feed, "--route-type", "3", "--return-suffix", "B"});
    ASSERT_EQ(run.exit, 0) << run.err.toStdString();
    EXPECT_EQ(run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts),
              (QStringList{u("+ 1B route \"1\", destination_ka \"დიდუბე\", destination_en \"Didube\""),
                           u("+ 2 route \"2\", destination_ka \"გლდანი\", destination_en \"Gldani\" (suggested)"),
                           u("~ 1: destination_en \"Vake Park\" → \"Vake\"; via_ka \"\" → \"რუსთაველი\"; via_en \"\" → "
                             "\"Rustaveli\""),
                           u("- 9 route \"1\", destination_ka \"ზოო\", destination_en \"Zoo\"")}));
    EXPECT_TRUE(run.err.contains(QStringLiteral("2: no English name for"))) << run.err.toStdString();
    EXPECT_EQ(codes(), before);

    // --apply: additions and changes; 9, which the feed no longer has, stays.
    run = runVexel({"set", "gtfs", set, feed, "--route-type", "3", "--apply"});
    ASSERT_EQ(run.exit, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("Applied: 2 added, 1 changed, 0 removed"))) << run.err.toStdString();
    EXPECT_EQ(codes(), (QStringList{QStringLiteral("1"), QStringLiteral("9"), QStringLiteral("1R"), QStringLiteral("2")}));

    // Now only the removal is left; --remove takes it.
    run = runVexel({"set", "gtfs", set, feed, "--route-type", "3"});
    EXPECT_EQ(run.out, u("- 9 route \"1\", destination_ka \"ზოო\", destination_en \"Zoo\"\n"));
    run = runVexel({"set", "gtfs", set, feed, "--route-type", "3", "--apply", "--remove"});
    ASSERT_EQ(run.exit, 0) << run.err.toStdString();
    EXPECT_EQ(codes(), (QStringList{QStringLiteral("1"), QStringLiteral("1R"), QStringLiteral("2")}));
}

// A Latin name fixed by hand after an import, which the next feed changes
// too, is marked held; --apply leaves it unless --take-feed is given.
TEST_P(SetGtfsCommandTest, AHeldTextIsTakenOnlyWithTakeFeed)
{
    ASSERT_EQ(runVexel({"set", "gtfs", set, write(gtfs_test::smallFeed()), "--route-type", "3", "--apply", "--remove"}).exit, 0);
    {
        auto opened = DestinationSet::open(set, DestinationSet::Access::Edit);
        ASSERT_TRUE(opened.ok()) << opened.error().toStdString();
        Destination fixed = (*opened)->destinations()->front();
        fixed.destinationEn = QStringLiteral("Vake Park");
        ASSERT_TRUE((*opened)->updateDestination(fixed.code, fixed).ok());
    }
    gtfs_test::Files changed = gtfs_test::smallFeed();
    changed["translations.txt"].replace("en,Vake,", "en,Vake Centre,");
    const QString feed = write(changed, QStringLiteral("changed"));
    auto latin = [&] {
        auto opened = DestinationSet::open(set, DestinationSet::Access::Read);
        return opened ? (*opened)->destinations()->front().destinationEn : QString();
    };

    auto run = runVexel({"set", "gtfs", set, feed, "--route-type", "3"});
    ASSERT_EQ(run.exit, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, u("~ 1: destination_en \"Vake Park\" → \"Vake Centre\" (changed by hand since the import of %1; "
                         "held)\n")
                           .arg(QDate::currentDate().toString(Qt::ISODate)));
    EXPECT_TRUE(run.err.contains(QStringLiteral("1 text is held"))) << run.err.toStdString();
    EXPECT_EQ(runVexel({"set", "gtfs", set, feed, "--take-feed"}).exit, 2);

    run = runVexel({"set", "gtfs", set, feed, "--route-type", "3", "--apply"});
    ASSERT_EQ(run.exit, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("1 held text kept as the set has them; --take-feed takes the feed's")))
        << run.err.toStdString();
    EXPECT_EQ(latin(), QStringLiteral("Vake Park"));
    run = runVexel({"set", "gtfs", set, feed, "--route-type", "3", "--apply", "--take-feed"});
    ASSERT_EQ(run.exit, 0) << run.err.toStdString();
    EXPECT_EQ(latin(), QStringLiteral("Vake Centre"));
    EXPECT_EQ(runVexel({"set", "gtfs", set, feed, "--route-type", "3"}).out, QString());
}

TEST_P(SetGtfsCommandTest, BadUsageAndRefusedFeedsChangeNothing)
{
    const QString feed = write(gtfs_test::smallFeed());
    const QStringList before = codes();
    const QStringList usage[] = {
        {"set", "gtfs", set, feed, "--remove"},
        {"set", "gtfs", set},
        {"set", "gtfs", set, feed, "--route-type", "bus"},
    };
    for (const QStringList& args : usage) {
        const auto run = runVexel(args);
        EXPECT_EQ(run.exit, 2) << args.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(run.out, QString());
    }

    gtfs_test::Files noHeadsigns = gtfs_test::smallFeed();
    noHeadsigns["trips.txt"] = "route_id,trip_id,direction_id\nr1,t1,0\n";
    const std::pair<QString, const char*> refused[] = {
        {write(noHeadsigns, QStringLiteral("noheadsigns")), "trips.txt has no column \"trip_headsign\""},
        {dir.filePath(QStringLiteral("missing.zip")), "there is no such file or folder"},
    };
    for (const auto& [path, reason] : refused) {
        const auto run = runVexel({"set", "gtfs", set, path, "--apply", "--remove"});
        EXPECT_EQ(run.exit, 1) << reason;
        EXPECT_TRUE(run.err.contains(QLatin1String(reason))) << run.err.toStdString();
        EXPECT_EQ(run.out, QString());
        EXPECT_EQ(codes(), before);
    }
}

// A headsign no sign could show: its destination is reported with the line
// it came from and left out of the difference, the others are shown.
TEST_P(SetGtfsCommandTest, ATextTooLongForASignIsReportedWithItsLine)
{
    gtfs_test::Files f = gtfs_test::smallFeed();
    f["trips.txt"] += "r2,t6," + QByteArray(1001, 'x') + ",1\n";
    const auto run = runVexel({"set", "gtfs", set, write(f), "--route-type", "3"});
    ASSERT_EQ(run.exit, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("trips.txt, line 7: trip_headsign is 1001 characters long, at most "
                                                "1000; route 2, direction 1, is left out")))
        << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(u("+ 2 route \"2\", destination_ka \"გლდანი\""))) << run.out.toStdString();
    EXPECT_FALSE(run.out.contains(QStringLiteral("2R"))) << run.out.toStdString();
}

INSTANTIATE_TEST_SUITE_P(ZipAndFolder, SetGtfsCommandTest, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& param) { return param.param ? "Zip" : "Folder"; });

} // namespace
