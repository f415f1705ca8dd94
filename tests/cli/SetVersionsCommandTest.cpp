// `vexel set versions` and `vexel set diff` on a set with two releases kept.
#include "sets/DestinationSet.h"
#include "document/ImageFile.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>

#include "RunVexel.h"

#include <gtest/gtest.h>

using namespace vexel;

TEST(SetVersionsCommandTest, ListsAndComparesVersions)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("fleet.vxset"));
    {
        auto made = DestinationSet::create(
            path, {VehicleSign{QStringLiteral("front"), 28, 16,
                               QStringLiteral(R"({ "frames": [ { "preset": "number", "destination": "{destination_ka}" } ] })")}});
        ASSERT_TRUE(made.ok()) << made.error().toStdString();
        DestinationSet& set = *made.value();
        SetVersion v;
        v.note = QStringLiteral("first \"spring\"\nrelease");
        v.feedVersion = QStringLiteral("2026-03");
        for (const char* code : {"12", "37"}) {
            Destination d;
            d.code = d.route = QLatin1String(code);
            d.destinationKa = QStringLiteral("ვაკე");
            ASSERT_TRUE(set.addDestination(d).ok());
            v.destinations.push_back(d);
            v.images.push_back({QStringLiteral("front"), d.code,
                                *ImageFile::parse(testing_support::randomImageText(1, 28, 16, qHash(d.code)))});
        }
        ASSERT_EQ(*set.addVersion(v), 1);
        v.note.clear();
        v.destinations[1].destinationKa = QStringLiteral("დიდუბე");
        v.images[0].image = *ImageFile::parse(testing_support::randomImageText(1, 28, 16, 5));
        ASSERT_EQ(*set.addVersion(v), 2);
    }

    cli_testing::VexelRun run = cli_testing::runVexel({"set", "versions", path});
    ASSERT_EQ(run.exit, 0) << run.err.toStdString();
    const QStringList lines = run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2) << run.out.toStdString();
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("1 ")));
    EXPECT_TRUE(lines[0].contains(QStringLiteral("note \"first \\\"spring\\\"\\u000arelease\" feed \"2026-03\"")))
        << lines[0].toStdString();
    EXPECT_TRUE(lines[0].endsWith(QStringLiteral("2 destinations, 2 images; +2 ~0 -0"))) << lines[0].toStdString();
    EXPECT_TRUE(lines[1].endsWith(QStringLiteral("+0 ~2 -0"))) << lines[1].toStdString();

    run = cli_testing::runVexel({"set", "diff", path, "1", "2"});
    EXPECT_EQ(run.exit, 1) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("~ 12: signs front\n~ 37: destination_ka \"ვაკე\" → \"დიდუბე\"\n"));
    run = cli_testing::runVexel({"set", "diff", path, "2", "2"});
    EXPECT_EQ(run.exit, 0);
    EXPECT_TRUE(run.out.isEmpty());
    run = cli_testing::runVexel({"set", "diff", path, "1", "3"});
    EXPECT_EQ(run.exit, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("it has no version 3"))) << run.err.toStdString();
    EXPECT_EQ(cli_testing::runVexel({"set", "diff", path, "1", "x"}).exit, 2);
}
