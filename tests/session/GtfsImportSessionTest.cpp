// A transit feed's import into a set as the import window drives it: the
// rows, what the ticks give the set, and refusals that leave everything as
// it was.
#include "feeds/GtfsTestFeed.h"

#include "sets/SignProfile.h"
#include "session/GtfsImportSession.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vexel;
using Kind = GtfsImportSession::Kind;

namespace {

QString u(const char* text) { return QString::fromUtf8(text); }

Destination dest(const char* code, const char* ka, const char* en)
{
    Destination d;
    d.code = d.route = u(code);
    d.destinationKa = u(ka);
    d.destinationEn = u(en);
    return d;
}

class GtfsImportSessionTest : public ::testing::Test {
protected:
    GtfsImportSessionTest()
    {
        const auto signs = SignProfile::read(QStringLiteral(VEXEL_EXAMPLES "/bus-profile.json"));
        EXPECT_TRUE(signs.ok()) << signs.error().toStdString();
        auto made = DestinationSet::create(dir.filePath(QStringLiteral("fleet.vxset")), *signs);
        EXPECT_TRUE(made.ok()) << made.error().toStdString();
        set = std::move(made).value();
        // "1r" as an operator once typed it: the feed's 1R is the same code;
        // 9 and 10 made by hand for route 1, which the feed runs, and 77 for
        // a route it does not know.
        for (Destination d : {dest("1", "ვაკე", "Vake Park"), dest("1r", "დიდუბე", "Didube old"), dest("9", "ზოო", "Zoo"),
                              dest("10", "ვარკეთილი", "Varketili"), dest("77", "ლილო", "Lilo")}) {
            if (d.code == QLatin1String("9") || d.code == QLatin1String("10"))
                d.route = QStringLiteral("1");
            EXPECT_TRUE(set->addDestination(d).ok());
        }
        feed = dir.filePath(QStringLiteral("feed"));
        EXPECT_TRUE(gtfs_test::writeFolder(feed, gtfs_test::smallFeed()));
    }

    std::size_t row(Kind kind, const char* code) const
    {
        for (std::size_t i = 0; i < session.rows().size(); ++i)
            if (session.rows()[i].kind == kind && session.rows()[i].code == u(code))
                return i;
        ADD_FAILURE() << "no row " << code;
        return session.rows().size();
    }

    QStringList codes() const
    {
        QStringList out;
        const Expected<std::vector<Destination>> all = set->destinations();
        for (const Destination& d : *all)
            out << d.code;
        return out;
    }

    QTemporaryDir dir;
    std::unique_ptr<DestinationSet> set;
    QString feed;
    GtfsImportSession session;
};

TEST_F(GtfsImportSessionTest, TickedRowsAreAppliedAsOneStep)
{
    GtfsOptions buses;
    buses.routeTypes = {3};
    ASSERT_TRUE(session.read(*set, feed, buses).ok());
    // 2 added; 1 and 1R changed (1R matched to "1r", not added beside it);
    // 9 and 10 removed, 77 left alone and said so; every row ticked.
    ASSERT_EQ(session.rows().size(), 5u);
    EXPECT_TRUE(session.untouched().endsWith(QStringLiteral("(1): 77"))) << session.untouched().toStdString();
    const GtfsImportSession::Row& back = session.rows()[row(Kind::Changed, "1r")];
    ASSERT_EQ(back.texts.size(), 2u); // the route number "1r" too
    EXPECT_EQ(back.texts[1].before, QStringLiteral("Didube old"));
    EXPECT_EQ(back.texts[1].after, QStringLiteral("Didube"));

    // Keep 9, and leave the change of 1 out.
    session.setTicked(row(Kind::Removed, "9"), false);
    session.setTicked(row(Kind::Changed, "1"), false);
    ASSERT_TRUE(session.apply(*set).ok());
    EXPECT_EQ(codes(), (QStringList{QStringLiteral("1"), QStringLiteral("1r"), QStringLiteral("9"), QStringLiteral("77"),
                                    QStringLiteral("2")}));
    const std::vector<Destination> now = *set->destinations();
    EXPECT_EQ(now[0].destinationEn, QStringLiteral("Vake Park"));
    EXPECT_EQ(now[1].destinationEn, QStringLiteral("Didube"));

    // Compared again: what was left unticked stays, still unticked.
    ASSERT_EQ(session.rows().size(), 2u);
    EXPECT_EQ(session.tickedCount(), 0);
    EXPECT_EQ(session.rows()[row(Kind::Removed, "9")].ticked, false);
}

TEST_F(GtfsImportSessionTest, RefusedFeedChangesNothing)
{
    ASSERT_TRUE(session.read(*set, feed, {}).ok());
    const std::size_t rows = session.rows().size();
    session.setTicked(0, false);
    const QStringList before = codes();

    gtfs_test::Files broken = gtfs_test::smallFeed();
    broken["trips.txt"] = "route_id,trip_id\nr1,t1\n";
    const QString bad = dir.filePath(QStringLiteral("bad"));
    ASSERT_TRUE(gtfs_test::writeFolder(bad, broken));
    const Status refused = session.read(*set, bad, {});
    ASSERT_FALSE(refused.ok());
    EXPECT_NE(refused.error().toStdString().find("trips.txt has no column \"trip_headsign\""), std::string::npos) << refused.error().toStdString();
    // The earlier reading stands, ticks and all; the set is untouched.
    EXPECT_EQ(session.rows().size(), rows);
    EXPECT_FALSE(session.rows()[0].ticked);
    EXPECT_EQ(session.feed().feedVersion, QStringLiteral("2027-01"));
    EXPECT_EQ(codes(), before);
}

// The window's suffix for other headsigns: refused before the feed is read
// when it cannot code, the set's own when left empty, and the set's from
// the apply on.
TEST_F(GtfsImportSessionTest, AnAppliedVariantSuffixBecomesTheSets)
{
    gtfs_test::Files f;
    f["routes.txt"] = "route_id,route_short_name,route_type\nb41,B41,3\n";
    f["trips.txt"] = "route_id,trip_id,trip_headsign,direction_id\nb41,t1,Kings Plaza,0\nb41,t2,Bergen Beach,0\n";
    const QString variants = dir.filePath(QStringLiteral("variants"));
    ASSERT_TRUE(gtfs_test::writeFolder(variants, f));
    GtfsOptions slashed;
    slashed.variantSuffix = QStringLiteral("/%n");
    EXPECT_FALSE(session.read(*set, variants, slashed).ok());

    GtfsOptions lettered;
    lettered.variantSuffix = QStringLiteral("v%n");
    ASSERT_TRUE(session.read(*set, variants, lettered).ok());
    row(Kind::Added, "B41v2");
    EXPECT_EQ(set->words()->variantSuffix, QStringLiteral("-%n"));
    ASSERT_TRUE(session.apply(*set).ok());
    EXPECT_EQ(set->words()->variantSuffix, QStringLiteral("v%n"));
    EXPECT_TRUE(codes().contains(QStringLiteral("B41v2")));
    ASSERT_TRUE(session.read(*set, variants, {}).ok());
    for (const GtfsImportSession::Row& r : session.rows())
        EXPECT_NE(r.kind, Kind::Added) << r.code.toStdString();
}

} // namespace
