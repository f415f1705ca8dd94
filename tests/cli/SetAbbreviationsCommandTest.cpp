// `vexel set abbreviations` and `vexel set gtfs --case` as scripts run them.
#include "sets/DestinationSet.h"
#include "feeds/GtfsTestFeed.h"
#include "sets/SignProfile.h"

#include <QFile>
#include <QTemporaryDir>

#include "RunVexel.h"

#include <gtest/gtest.h>

using namespace vexel;
using cli_testing::runVexel;

namespace {

class SetWordsCommandTest : public ::testing::Test {
protected:
    SetWordsCommandTest()
    {
        set = dir.filePath(QStringLiteral("fleet.vxset"));
        auto made = DestinationSet::create(set, *SignProfile::read(QStringLiteral(VEXEL_EXAMPLES "/bus-profile.json")));
        EXPECT_TRUE(made.ok()) << made.error().toStdString();
    }

    QString file(const char* name, const QByteArray& bytes)
    {
        const QString path = dir.filePath(QLatin1String(name));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
        return path;
    }

    SetWords words() const
    {
        auto opened = DestinationSet::open(set, DestinationSet::Access::Read);
        return opened ? *(*opened)->words() : SetWords{};
    }

    QTemporaryDir dir;
    QString set;
};

TEST_F(SetWordsCommandTest, ImportsReplacingAndExportsTheSame)
{
    const QByteArray csv = "script,word,short\nen,Avenue,Av\nka," + QString::fromUtf8("გამზირი,გამზ.").toUtf8() + "\n";
    auto run = runVexel({"set", "abbreviations", set, "--import", file("a.csv", csv)});
    ASSERT_EQ(run.exit, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("2 abbreviations (0 before)\n"));
    run = runVexel({"set", "abbreviations", set, "--export", "-"});
    ASSERT_EQ(run.exit, 0) << run.err.toStdString();
    EXPECT_EQ(run.out.toUtf8(), csv);

    // A second import replaces the list; the other word lists stay.
    run = runVexel({"set", "abbreviations", set, "--import", file("b.csv", "script,word,short\nen,Street,St\n")});
    ASSERT_EQ(run.exit, 0) << run.err.toStdString();
    const SetWords after = words();
    ASSERT_EQ(after.abbreviations.size(), 1u);
    EXPECT_EQ(after.abbreviations[0].word, QStringLiteral("Street"));
    EXPECT_EQ(after.viaSeparators, QStringList{QStringLiteral(" via ")});

    const QString out = dir.filePath(QStringLiteral("out.csv"));
    ASSERT_EQ(runVexel({"set", "abbreviations", set, "--export", out}).exit, 0);
    QFile written(out);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), QByteArray("script,word,short\nen,Street,St\n"));
}

TEST_F(SetWordsCommandTest, RefusesABrokenTableWithItsLinesAndBadUsage)
{
    const QString bad = file("bad.csv", "script,word,short\nen,Avenue,Av\nfr,Rue,R\n");
    auto run = runVexel({"set", "abbreviations", set, "--import", bad});
    EXPECT_EQ(run.exit, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("bad.csv, line 3: the script is \"fr\", not ka or en"))) << run.err.toStdString();
    EXPECT_TRUE(words().abbreviations.empty());

    const std::vector<QStringList> usages{{"set", "abbreviations", set},
                                          {"set", "abbreviations", set, "--import", bad, "--export", "-"},
                                          {"set", "gtfs", set, dir.path(), "--case", "lower"}};
    for (const QStringList& args : usages)
        EXPECT_EQ(runVexel(args).exit, 2) << args.join(QLatin1Char(' ')).toStdString();
}

TEST_F(SetWordsCommandTest, GtfsTakesTheCaseChoice)
{
    gtfs_test::Files f;
    f["routes.txt"] = "route_id,route_short_name,route_type\nb6,B6,3\n";
    f["trips.txt"] = "route_id,trip_id,trip_headsign,direction_id\nb6,t1,EAST NEW YORK via LINDEN BLVD,0\n";
    const QString feed = dir.filePath(QStringLiteral("feed"));
    ASSERT_TRUE(gtfs_test::writeFolder(feed, f));
    auto run = runVexel({"set", "gtfs", set, feed});
    ASSERT_EQ(run.exit, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("+ B6 route \"B6\", destination_en \"East New York\" (suggested), via_en \"Linden Blvd\"\n"));
    run = runVexel({"set", "gtfs", set, feed, "--case", "keep"});
    ASSERT_EQ(run.exit, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("+ B6 route \"B6\", destination_en \"EAST NEW YORK\", via_en \"LINDEN BLVD\"\n"));
}

} // namespace
