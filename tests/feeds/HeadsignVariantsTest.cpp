// A large city's feeds as a depot takes them: every headsign a route runs
// often enough is a destination, the rare ones are named in the report, and
// a second operator's feed proposes no removal of the first's.
#include "GtfsTestFeed.h"

#include "feeds/DestinationDiff.h"
#include "feeds/GtfsImport.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

using namespace vexel;
using gtfs_test::Files;

namespace {

QByteArray trips(const char* route, const char* headsign, int direction, int count, int& next)
{
    QByteArray out;
    for (int i = 0; i < count; ++i)
        out += QByteArray(route) + ",t" + QByteArray::number(next++) + ",\"" + headsign + "\"," +
               QByteArray::number(direction) + "\n";
    return out;
}

// One borough's operator: B41 runs 103 trips one way, 80, 15 and 6 of them
// under three headsigns (6 is 5.8 %) and 2 under a fourth; B6 has a service word, a double space and capitals; three routes
// of the list run no trip here.
Files firstOperator()
{
    Files f;
    f["agency.txt"] = "agency_id,agency_name\nMTA NYCT,MTA New York City Transit\n";
    f["routes.txt"] = "route_id,agency_id,route_short_name,route_type\n"
                      "B41,MTA NYCT,B41,3\nB6,MTA NYCT,B6,3\nB1,MTA NYCT,B1,3\nB2,MTA NYCT,B2,3\nB3,MTA NYCT,B3,3\n";
    int next = 0;
    QByteArray t = "route_id,trip_id,trip_headsign,direction_id\n";
    t += trips("B41", "KINGS PLAZA", 0, 80, next);
    t += trips("B41", "BERGEN BEACH VETERANS AV", 0, 15, next);
    t += trips("B41", "FLATBUSH AV-AVENUE H", 0, 6, next);
    t += trips("B41", "CATON AV", 0, 2, next);
    t += trips("B41", "DOWNTOWN BROOKLYN", 1, 50, next);
    t += trips("B6", "LTD EAST NEW YORK  NEW LOTS AV", 0, 30, next);
    f["trips.txt"] = t;
    f["stops.txt"] = "stop_id,stop_name\ns1,Kings Plaza\ns2,FLATBUSH AV/AVENUE H\ns3,New Lots Av\n";
    return f;
}

// Another operator's feed of the same city, with a route of the first's name.
Files secondOperator()
{
    Files f;
    f["agency.txt"] = "agency_id,agency_name\nMTABC,MTA Bus Company\n";
    f["routes.txt"] = "route_id,agency_id,route_short_name,route_type\nQ10,MTABC,Q10,3\n";
    int next = 0;
    f["trips.txt"] = "route_id,trip_id,trip_headsign,direction_id\n" + trips("Q10", "JFK AIRPORT", 0, 40, next);
    return f;
}

class HeadsignVariants : public ::testing::Test {
protected:
    GtfsImportResult read(const Files& files, const char* name)
    {
        const QString folder = dir.filePath(QLatin1String(name));
        EXPECT_TRUE(gtfs_test::writeFolder(folder, files));
        Expected<GtfsImportResult> r = GtfsImport::read(folder);
        EXPECT_TRUE(r.ok()) << r.error().toStdString();
        return r ? std::move(r).value() : GtfsImportResult{};
    }
    static const Destination* find(const GtfsImportResult& r, const char* code)
    {
        for (const Destination& d : r.destinations)
            if (d.code == QLatin1String(code))
                return &d;
        return nullptr;
    }
    QTemporaryDir dir;
};

TEST_F(HeadsignVariants, EveryCommonHeadsignIsADestinationAndTheRestAreReported)
{
    const GtfsImportResult r = read(firstOperator(), "first");
    QStringList codes;
    for (const Destination& d : r.destinations)
        codes << d.code;
    // The most common first, the others numbered from 2 in order of trips.
    EXPECT_EQ(codes, (QStringList{QStringLiteral("B41"), QStringLiteral("B41-2"), QStringLiteral("B41-3"),
                                  QStringLiteral("B41R"), QStringLiteral("B6")}));
    ASSERT_TRUE(find(r, "B41-2"));
    EXPECT_EQ(find(r, "B41-2")->destinationEn, QStringLiteral("Bergen Beach Veterans Av"));
    EXPECT_EQ(find(r, "B41-2")->route, QStringLiteral("B41"));
    EXPECT_EQ(find(r, "B41-3")->destinationEn, QStringLiteral("Flatbush Av-Avenue H"));
    EXPECT_EQ(find(r, "B41")->agency, QStringLiteral("MTA New York City Transit"));
    EXPECT_EQ(find(r, "B41")->routeId, QStringLiteral("B41"));

    // The service word goes to the service, the double space and capitals go.
    const Destination* b6 = find(r, "B6");
    ASSERT_TRUE(b6);
    EXPECT_EQ(b6->service, QStringLiteral("Ltd"));
    EXPECT_EQ(b6->destinationEn, QStringLiteral("East New York New Lots Av"));

    const QString report = r.report.join(QLatin1Char('\n'));
    EXPECT_TRUE(report.contains(QStringLiteral("\"CATON AV\" (2 trips)"))) << report.toStdString();
    // Routes without trips: one line naming them all.
    EXPECT_EQ(report.count(QStringLiteral("B1, B2, B3")), 1) << report.toStdString();
    EXPECT_FALSE(report.contains(QStringLiteral("route B1:"))) << report.toStdString();

    // Two-word stop names the texts name, as the texts write them; longer
    // names are not offered.
    EXPECT_EQ(r.keepTogether, QStringList{QStringLiteral("Kings Plaza")});
}

// A feed naming many two-word stops: the report names ten whole, then how
// many more; the set is offered them all.
TEST_F(HeadsignVariants, ManyPhrasesAreReportedWholeAndCounted)
{
    Files f;
    QByteArray routes = "route_id,route_short_name,route_type\n";
    QByteArray t = "route_id,trip_id,trip_headsign,direction_id\n";
    QByteArray stops = "stop_id,stop_name\n";
    int next = 0;
    for (int i = 0; i < 12; ++i) {
        const QByteArray route = "R" + QByteArray::number(i);
        const QByteArray stop = "Stop" + QByteArray(1, char('a' + i)) + " Plaza";
        routes += route + "," + route + ",3\n";
        t += trips(route.constData(), stop.constData(), 0, 1, next);
        stops += "s" + QByteArray::number(i) + "," + stop + "\n";
    }
    f["routes.txt"] = routes;
    f["trips.txt"] = t;
    f["stops.txt"] = stops;
    const GtfsImportResult r = read(f, "many");
    EXPECT_EQ(r.keepTogether.size(), 12);
    const QString report = r.report.join(QLatin1Char('\n'));
    EXPECT_TRUE(report.contains(QStringLiteral("(12): Stopa Plaza, Stopb Plaza, Stopc Plaza, Stopd Plaza, Stope Plaza, "
                                               "Stopf Plaza, Stopg Plaza, Stoph Plaza, Stopi Plaza, Stopj Plaza, "
                                               "and 2 more\n")) ||
                report.endsWith(QStringLiteral("Stopj Plaza, and 2 more")))
        << report.toStdString();
}

TEST_F(HeadsignVariants, TheThresholdsAreAShareOrACount)
{
    Files f = firstOperator();
    int next = 1000;
    // 25 trips of 1025: under 5 %, but at least 20 trips.
    f["trips.txt"] = "route_id,trip_id,trip_headsign,direction_id\n" + trips("B41", "KINGS PLAZA", 0, 1000, next) +
                     trips("B41", "CATON AV", 0, 25, next) + trips("B41", "AVENUE U", 0, 19, next);
    const GtfsImportResult r = read(f, "counts");
    ASSERT_TRUE(find(r, "B41-2"));
    EXPECT_EQ(find(r, "B41-2")->destinationEn, QStringLiteral("Caton Av"));
    EXPECT_FALSE(find(r, "B41-3"));
    const QString report = r.report.join(QLatin1Char('\n'));
    EXPECT_TRUE(report.contains(QStringLiteral("\"AVENUE U\" (19 trips)"))) << report.toStdString();
}

TEST_F(HeadsignVariants, AHeadsignPerTripIsReportedAsTheTenMostUsedAndACount)
{
    Files f = firstOperator();
    int next = 0;
    QByteArray t = "route_id,trip_id,trip_headsign,direction_id\n" + trips("B41", "KINGS PLAZA", 0, 400, next) +
                   trips("B41", "CATON AV", 0, 3, next);
    for (int i = 0; i < 3000; ++i)
        t += trips("B41", QByteArray("AVENUE " + QByteArray::number(i)).constData(), 0, 1, next);
    f["trips.txt"] = t;
    const GtfsImportResult r = read(f, "per-trip");
    const QString report = r.report.join(QLatin1Char('\n'));
    EXPECT_LT(report.size(), 2000) << report.left(300).toStdString();
    EXPECT_TRUE(report.contains(QStringLiteral("\"CATON AV\" (3 trips), \"AVENUE 0\" (1 trip)"))) << report.toStdString();
    EXPECT_TRUE(report.contains(QStringLiteral("and 2991 more (2991 trips)"))) << report.toStdString();
}

// The second operator's feed proposes to add its own and remove nothing of
// the first's, whose origin the set remembers; a destination of the first
// operator's feed that no longer runs is proposed for removal by that feed.
TEST_F(HeadsignVariants, AFeedRemovesOnlyWhatItsRoutesAndAgenciesCover)
{
    const GtfsImportResult first = read(firstOperator(), "first");
    std::vector<Destination> set = first.destinations;
    ImportMemory::Texts memory;
    for (const Destination& d : set) {
        memory[d.code.toLower()][QLatin1String(ImportMemory::AgencyField)] = {d.agency, {}};
        memory[d.code.toLower()][QLatin1String(ImportMemory::RouteIdField)] = {d.routeId, {}};
    }
    Destination byHand;
    byHand.code = byHand.route = QStringLiteral("X99");
    byHand.destinationEn = QStringLiteral("Depot");
    set.push_back(byHand);

    const GtfsImportResult second = read(secondOperator(), "second");
    const DestinationDiff other =
        diffDestinations(set, second.destinations, DiffContext{&memory, &second.scripts, &second.notes, &second.scope});
    EXPECT_EQ(other.added.size(), 1u);
    EXPECT_TRUE(other.removed.empty());
    EXPECT_EQ(other.untouched.size(), set.size());
    EXPECT_TRUE(untouchedLine(other).endsWith(QStringLiteral("(6): B41, B41-2, B41-3, B41R, B6, X99")))
        << untouchedLine(other).toStdString();

    // The first operator's next feed drops B41's third headsign and B6.
    Files next = firstOperator();
    int n = 5000;
    next["trips.txt"] = "route_id,trip_id,trip_headsign,direction_id\n" + trips("B41", "KINGS PLAZA", 0, 80, n) +
                        trips("B41", "BERGEN BEACH VETERANS AV", 0, 15, n) + trips("B41", "DOWNTOWN BROOKLYN", 1, 50, n);
    const GtfsImportResult again = read(next, "again");
    const DestinationDiff same =
        diffDestinations(set, again.destinations, DiffContext{&memory, &again.scripts, &again.notes, &again.scope});
    QStringList removed;
    for (const Destination& d : same.removed)
        removed << d.code;
    // B41-3 is of a route it runs; B6 is listed and runs no trip in this
    // feed (another borough's feed may run it), so it stays; X99 is no route
    // of this import.
    EXPECT_EQ(removed, QStringList{QStringLiteral("B41-3")});
    ASSERT_EQ(same.untouched.size(), 2u);
    EXPECT_EQ(same.untouched[0].code, QStringLiteral("B6"));
    EXPECT_EQ(same.untouched[1].code, QStringLiteral("X99"));
}

} // namespace
