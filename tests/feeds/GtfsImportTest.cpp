#include "GtfsTestFeed.h"

#include "feeds/GtfsImport.h"
#include "depot/TextLimit.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

using namespace vexel;
using gtfs_test::Files;

namespace {

QString u(const char* text) { return QString::fromUtf8(text); }

// A Georgian city's feed in the shape transit agencies publish: a byte order
// mark and CR LF in some files, LF in others, quoted fields, `mul` with
// Georgian as the default, English names by record id and by value, one
// destination with no translation at all, stop headsigns for the vias.
Files cityFeed()
{
    Files f;
    f["feed_info.txt"] = "\xEF\xBB\xBF"
                         "feed_publisher_name,feed_publisher_url,feed_lang,default_lang,feed_version\r\n"
                         "\"Tbilisi Transport, Ltd.\",https://example.org,mul,ka,2026-12-01\r\n";
    f["routes.txt"] = "\xEF\xBB\xBF"
                      "route_id,agency_id,route_short_name,route_long_name,route_type,route_sort_order\r\n"
                      "r12,TT,12,\"დიდუბე - აეროპორტი\",3,2\r\n"
                      "r5,TT,5,\"Vake, \"\"Saburtalo\"\"\",3,1\r\n"
                      "m1,METRO,M1,Metro line,1,\r\n"
                      "r7,TT,,Ortachala,3,\r\n";
    f["trips.txt"] = "route_id,service_id,trip_id,trip_headsign,direction_id\n"
                     "r12,wk,t1,აეროპორტი,0\n"
                     "r12,wk,t2, აეროპორტი ,0\n"
                     "r12,wk,t3,\"დიდუბე\",1\n"
                     "r12,wk,t4,წყნეთი,1\n"
                     "r12,wk,t9,ვაკე,0\n"
                     "r5,wk,t5,ვაკე,\n"
                     "r5,wk,t6,\"ვაკე\",0\n"
                     "r7,wk,t7,ორთაჭალა,0\n"
                     "m1,wk,t8,ახმეტელი,0\n"
                     "nope,wk,t10,x,0\n";
    f["translations.txt"] = "table_name,field_name,language,translation,record_id,record_sub_id,field_value\r\n"
                            "trips,trip_headsign,en,Airport,,,აეროპორტი\r\n"
                            "trips,trip_headsign,en,Tbilisi Airport,t2,,\r\n"
                            "trips,trip_headsign,en,Didube,,,დიდუბე\r\n"
                            "trips,trip_headsign,ka,ignored,,,დიდუბე\r\n"
                            "trips,trip_headsign,en-US,Vake,,,ვაკე\r\n"
                            "stop_times,stop_headsign,en,Rustaveli,,,რუსთაველი\r\n"
                            "stop_times,stop_headsign,en,Marjanishvili,,,მარჯანიშვილი\r\n"
                            "stop_times,stop_headsign,en,\"Marjanishvili Sq.\",t1,03,\r\n"
                            "stop_times,stop_headsign,en,Vake Park,,,ვაკე\r\n"
                            "routes,route_long_name,en,Didube - Airport,r12,,\r\n";
    f["stop_times.txt"] = "trip_id,arrival_time,departure_time,stop_id,stop_sequence,stop_headsign\r\n"
                          "t1,08:00:00,08:00:00,s1,1,რუსთაველი\r\n"
                          "t1,08:05:00,08:05:00,s3,3,მარჯანიშვილი\r\n"
                          "t1,08:03:00,08:03:00,s2,2,რუსთაველი\r\n"
                          "t2,09:09:00,09:09:00,s5,5,აეროპორტი\r\n"
                          "t2,09:08:00,09:08:00,s4,4,ვაკე\r\n"
                          "t9,10:00:00,10:00:00,s6,1,გლდანი\r\n"
                          "t3,10:00:00,10:00:00,s6,1,\r\n";
    return f;
}

const Destination* find(const GtfsImportResult& r, const char* code)
{
    for (const Destination& d : r.destinations)
        if (d.code == QLatin1String(code))
            return &d;
    return nullptr;
}

class GtfsFeedForm : public ::testing::TestWithParam<bool> {
protected:
    // The feed as a zip (in a top folder, beside a Mac's resource entries) or
    // as a folder.
    QString write(const Files& files)
    {
        if (!GetParam()) {
            const QString folder = dir.filePath(QStringLiteral("feed"));
            EXPECT_TRUE(gtfs_test::writeFolder(folder, files));
            return folder;
        }
        const QString zip = dir.filePath(QStringLiteral("feed.zip"));
        EXPECT_TRUE(gtfs_test::writeZip(zip, files, "gtfs/", {"__MACOSX/gtfs/._routes.txt", "__MACOSX/._gtfs"}));
        return zip;
    }
    QTemporaryDir dir;
};

TEST_P(GtfsFeedForm, OneDestinationPerRouteAndDirection)
{
    GtfsOptions options;
    options.routeTypes = {3};
    const Expected<GtfsImportResult> r = GtfsImport::read(write(cityFeed()), options);
    ASSERT_TRUE(r.ok()) << r.error().toStdString();
    EXPECT_EQ(r->feedVersion, QStringLiteral("2026-12-01"));
    EXPECT_TRUE(r->georgian);
    EXPECT_EQ(r->language, QStringLiteral("ka"));
    EXPECT_EQ(r->routeTypes, (std::map<int, int>{{1, 1}, {3, 3}}));
    EXPECT_EQ(r->agencies, (QStringList{QStringLiteral("TT"), QStringLiteral("METRO")}));

    // route_sort_order first, then the file's order; the metro left out.
    // Route 12's other headsigns (a third of its trips each way) follow its
    // most common one.
    QStringList codes;
    for (const Destination& d : r->destinations)
        codes << d.code;
    EXPECT_EQ(codes, (QStringList{QStringLiteral("5"), QStringLiteral("12"), QStringLiteral("12-2"), QStringLiteral("12R"),
                                  QStringLiteral("12R-2"), QStringLiteral("r7")}));

    // Another pattern for the other headsigns names the same destinations.
    GtfsOptions dotted = options;
    dotted.variantSuffix = QStringLiteral(".%n");
    const Expected<GtfsImportResult> renamed = GtfsImport::read(write(cityFeed()), dotted);
    ASSERT_TRUE(renamed.ok()) << renamed.error().toStdString();
    QStringList dottedCodes;
    for (const Destination& d : renamed->destinations)
        dottedCodes << d.code;
    EXPECT_EQ(dottedCodes, (QStringList{QStringLiteral("5"), QStringLiteral("12"), QStringLiteral("12.2"),
                                        QStringLiteral("12R"), QStringLiteral("12R.2"), QStringLiteral("r7")}));

    // Route 5: two trips, one without direction_id, counted as direction 0;
    // the English name matched by value with a language tag "en-US".
    const Destination* five = find(*r, "5");
    ASSERT_TRUE(five);
    EXPECT_EQ(five->destinationKa, u("ვაკე"));
    EXPECT_EQ(five->destinationEn, QStringLiteral("Vake"));
    EXPECT_FALSE(five->latinSuggested);
    EXPECT_EQ(five->note, QStringLiteral("Vake, \"Saburtalo\""));

    // Route 12 outbound: the most frequent headsign (spaces trimmed); a
    // translation by record id (of its second trip) wins over the one by
    // value; the vias in stop order, each once, the destination itself and
    // the other headsigns' trips left out; a via's translation by record id
    // (stop_sequence "03" matching 3) wins over its value's.
    const Destination* twelve = find(*r, "12");
    ASSERT_TRUE(twelve);
    EXPECT_EQ(twelve->route, QStringLiteral("12"));
    EXPECT_EQ(twelve->destinationKa, u("აეროპორტი"));
    EXPECT_EQ(twelve->destinationEn, QStringLiteral("Tbilisi Airport"));
    EXPECT_EQ(twelve->viaKa, u("რუსთაველი, მარჯანიშვილი, ვაკე"));
    EXPECT_EQ(twelve->viaEn, QStringLiteral("Rustaveli, Marjanishvili Sq., Vake Park"));
    EXPECT_FALSE(twelve->latinSuggested);

    // Return: a tie goes to the earlier trip; the suffix names it.
    const Destination* back = find(*r, "12R");
    ASSERT_TRUE(back);
    EXPECT_EQ(back->route, QStringLiteral("12"));
    EXPECT_EQ(back->destinationKa, u("დიდუბე"));
    EXPECT_EQ(back->destinationEn, QStringLiteral("Didube"));
    EXPECT_EQ(back->viaKa, QString());

    // No short name: the route_id is the code; no translation: the
    // romanization, marked, and both said in the report.
    const Destination* seven = find(*r, "r7");
    ASSERT_TRUE(seven);
    EXPECT_EQ(seven->destinationKa, u("ორთაჭალა"));
    EXPECT_EQ(seven->destinationEn, QStringLiteral("Ortachala"));
    EXPECT_TRUE(seven->latinSuggested);
    const QString report = r->report.join(QLatin1Char('\n'));
    EXPECT_TRUE(report.contains(QStringLiteral("route_id r7: no route_short_name"))) << report.toStdString();
    EXPECT_TRUE(report.contains(QStringLiteral("r7: no English name for"))) << report.toStdString();
    EXPECT_TRUE(report.contains(QStringLiteral("1 trips of routes that routes.txt does not name"))) << report.toStdString();
}

INSTANTIATE_TEST_SUITE_P(ZipAndFolder, GtfsFeedForm, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& param) { return param.param ? "Zip" : "Folder"; });

class GtfsImportTest : public ::testing::Test {
protected:
    Expected<GtfsImportResult> importZip(const Files& files, const GtfsOptions& options = {},
                                         const std::vector<std::string>& extraNames = {})
    {
        const QString zip = dir.filePath(QStringLiteral("f.zip"));
        EXPECT_TRUE(gtfs_test::writeZip(zip, files, {}, extraNames));
        return GtfsImport::read(zip, options);
    }
    QTemporaryDir dir;
};

// A Latin-script feed fills the Latin texts; the Georgian ones come from
// `ka` translations where there are any, and nothing is suggested.
TEST_F(GtfsImportTest, LatinFeedTakesGeorgianFromTranslations)
{
    Files f;
    f["feed_info.txt"] = "feed_publisher_name,feed_lang,feed_version\nCity,en-GB,v7\n";
    f["routes.txt"] = "route_id,route_short_name\na,1\nb,2\n";
    f["trips.txt"] = "route_id,trip_id,trip_headsign,direction_id\na,x1,Airport,0\nb,x2,Zoo,1\n";
    f["translations.txt"] = "table_name,field_name,language,translation,field_value\n"
                            "trips,trip_headsign,ka,აეროპორტი,Airport\n"
                            "trips,trip_headsign,en,Air,Airport\n";
    GtfsOptions options;
    options.returnSuffix = QStringLiteral("-back");
    const Expected<GtfsImportResult> r = importZip(f, options);
    ASSERT_TRUE(r.ok()) << r.error().toStdString();
    EXPECT_FALSE(r->georgian);
    EXPECT_EQ(r->feedVersion, QStringLiteral("v7"));
    ASSERT_EQ(r->destinations.size(), 2u);
    EXPECT_EQ(r->destinations[0].destinationEn, QStringLiteral("Airport"));
    EXPECT_EQ(r->destinations[0].destinationKa, u("აეროპორტი"));
    EXPECT_EQ(r->destinations[1].code, QStringLiteral("2-back"));
    EXPECT_EQ(r->destinations[1].destinationKa, QString());
    EXPECT_FALSE(r->destinations[1].latinSuggested);
}

// A short name two chosen routes share gives way to the route_id for both;
// filtering one of them out by agency leaves the other its short name.
TEST_F(GtfsImportTest, SharedShortNamesFallBackToRouteId)
{
    Files f = cityFeed();
    f["routes.txt"] = "route_id,agency_id,route_short_name,route_type\nr12,TT,12,3\nr5,OTHER,12,3\nr7,TT,12R,3\n";
    const Expected<GtfsImportResult> all = importZip(f);
    ASSERT_TRUE(all.ok()) << all.error().toStdString();
    QStringList codes;
    for (const Destination& d : all->destinations)
        codes << d.code;
    // r7's "12R" clashes with nothing once route 12 is coded r12; its
    // other headsigns are numbered after the code it got.
    EXPECT_EQ(codes, (QStringList{QStringLiteral("r12"), QStringLiteral("r12-2"), QStringLiteral("r12R"),
                                  QStringLiteral("r12R-2"), QStringLiteral("r5"), QStringLiteral("12R")}));
    EXPECT_TRUE(all->report.join(QLatin1Char('\n')).contains(QStringLiteral("\"12\" is shared with another route")));

    GtfsOptions tt;
    tt.agencyIds = {QStringLiteral("TT")};
    const Expected<GtfsImportResult> some = importZip(f, tt);
    ASSERT_TRUE(some.ok()) << some.error().toStdString();
    codes.clear();
    for (const Destination& d : some->destinations)
        codes << d.code;
    // Route 12's return takes "12R" first; route r7, whose short name it is,
    // gives way and says so.
    EXPECT_EQ(codes, (QStringList{QStringLiteral("12"), QStringLiteral("12-2"), QStringLiteral("12R"),
                                  QStringLiteral("12R-2"), QStringLiteral("r7")}));
    EXPECT_TRUE(some->report.contains(QStringLiteral("route_id r7: the code \"12R\" is taken by another route; the code "
                                                     "is \"r7\"")))
        << some->report.join(QLatin1Char('\n')).toStdString();
}

TEST_F(GtfsImportTest, FeedsThatCannotBeReadWholeAreRefused)
{
    const QByteArray bombRows = QByteArray("r12,wk,t1,აეროპორტი,0\n").repeated(200000);
    struct Case {
        const char* what;
        Files files;
        std::vector<std::string> extraNames;
        GtfsOptions options;
        const char* error;
    };
    auto with = [](const char* name, QByteArray bytes) {
        Files f = cityFeed();
        f[name] = std::move(bytes);
        return f;
    };
    auto without = [](const char* name) {
        Files f = cityFeed();
        f.erase(name);
        return f;
    };
    GtfsOptions small;
    small.maxTableBytes = 300;
    GtfsOptions noSuffix;
    noSuffix.returnSuffix = QString();
    GtfsOptions metroAgency;
    metroAgency.agencyIds = {QStringLiteral("METRO")};
    metroAgency.routeTypes = {3};
    const Case cases[] = {
        {"zip bomb", with("trips.txt", "route_id,service_id,trip_id,trip_headsign,direction_id\n" + bombRows), {}, {},
         "\"trips.txt\" in \"f.zip\" decompresses to more than 100 times its compressed size"},
        {"parent folder", cityFeed(), {"../../x"}, {}, "the member name \"../../x\" points outside"},
        {"inner parent", cityFeed(), {"gtfs/../../x"}, {}, "the member name \"gtfs/../../x\" points outside"},
        {"absolute", cityFeed(), {"/etc/x"}, {}, "the member name \"/etc/x\" points outside"},
        {"drive", cityFeed(), {"C:\\x"}, {}, "points outside"},
        {"no routes", without("routes.txt"), {}, {}, "it has no routes.txt"},
        {"no trips", without("trips.txt"), {}, {}, "it has no trips.txt"},
        {"no headsign column", with("trips.txt", "route_id,trip_id\nr12,t1\n"), {}, {},
         "trips.txt has no column \"trip_headsign\""},
        {"no route_id", with("routes.txt", "id,route_short_name\n1,2\n"), {}, {}, "routes.txt has no column \"route_id\""},
        {"stop_times without sequence", with("stop_times.txt", "trip_id,stop_headsign\nt1,x\n"), {}, {},
         "stop_times.txt has no column \"stop_sequence\""},
        {"translations without language", with("translations.txt", "table_name,field_name,translation\n"), {}, {},
         "translations.txt has no column \"language\""},
        {"feed_info without feed_lang", with("feed_info.txt", "feed_publisher_name\nx\n"), {}, {},
         "feed_info.txt has no column \"feed_lang\""},
        {"table too long", cityFeed(), {}, small, "decompresses to more than 300 bytes"},
        {"not UTF-8", with("trips.txt", "route_id,trip_id,trip_headsign\nr12,t1,\xE1\xC3\n"), {}, {},
         "trips.txt, line 2: the text is not UTF-8"},
        {"unclosed quote", with("routes.txt", "route_id\n\"r12\n"), {}, {}, "routes.txt, line 2: a quoted field is not closed"},
        {"repeated route", with("routes.txt", "route_id\nr1\nr1\n"), {}, {}, "the route_id \"r1\" is named twice"},
        {"no suffix", cityFeed(), {}, noSuffix, "the second direction needs a code suffix"},
        {"nothing chosen", cityFeed(), {}, metroAgency, "no route is of route type 3 and of agency METRO"},
        {"Cyrillic", with("feed_info.txt", "feed_lang\nru\n"), {}, {}, "its language \"ru\" is written in Cyrillic"},
    };
    for (const Case& c : cases) {
        const Expected<GtfsImportResult> r = importZip(c.files, c.options, c.extraNames);
        ASSERT_FALSE(r.ok()) << c.what;
        EXPECT_EQ(r.error().toStdString().rfind("Cannot ", 0), 0u) << r.error().toStdString();
        EXPECT_NE(r.error().toStdString().find(c.error), std::string::npos) << c.what << ": " << r.error().toStdString();
    }
}

TEST(GtfsVariantCode, ThePatternNumbersTheOtherHeadsigns)
{
    EXPECT_EQ(SetWords::variantCode(QStringLiteral("-%n"), 2), QStringLiteral("-2"));
    EXPECT_EQ(SetWords::variantCode(QStringLiteral("v%n"), 12), QStringLiteral("v12"));
    EXPECT_EQ(SetWords::variantCode(QStringLiteral("_"), 3), QStringLiteral("_3"));  // number at the end
    EXPECT_EQ(SetWords::variantCode(QStringLiteral("  "), 2), QStringLiteral("-2")); // empty: the usual
}

TEST_F(GtfsImportTest, FolderFilesAreBoundedToo)
{
    const QString folder = dir.filePath(QStringLiteral("feed"));
    ASSERT_TRUE(gtfs_test::writeFolder(folder, cityFeed()));
    GtfsOptions small;
    small.maxStreamedBytes = 100;
    const Expected<GtfsImportResult> r = GtfsImport::read(folder, small);
    ASSERT_FALSE(r.ok());
    EXPECT_NE(r.error().toStdString().find("\"stop_times.txt\" in \"feed\" is longer than"), std::string::npos) << r.error().toStdString();
    EXPECT_FALSE(GtfsImport::read(dir.filePath(QStringLiteral("missing.zip"))).ok());
    ASSERT_TRUE(gtfs_test::writeFolder(dir.filePath(QStringLiteral("junk")), {{"x.zip", "not a zip"}}));
    const Expected<GtfsImportResult> junk = GtfsImport::read(dir.filePath(QStringLiteral("junk/x.zip")));
    ASSERT_FALSE(junk.ok());
    EXPECT_EQ(junk.error().toStdString().rfind("Cannot read the zip \"x.zip\": ", 0), 0u) << junk.error().toStdString();
}

// stop_times.txt without a stop_headsign column is not read past its header:
// a file that would break every bound is never decompressed.
TEST_F(GtfsImportTest, StopTimesWithoutHeadsignsAreNotRead)
{
    Files f = cityFeed();
    f["stop_times.txt"] = "trip_id,stop_sequence\n" + QByteArray("t1,1\n").repeated(300000);
    const Expected<GtfsImportResult> r = importZip(f);
    ASSERT_TRUE(r.ok()) << r.error().toStdString();
    EXPECT_EQ(find(*r, "12")->viaKa, QString());
}

} // namespace

namespace {

// Codes name files and the set tells them apart without regard to case: a
// short name no file can have, or one that differs from another only in
// case, gives way to the route_id, and a route with no usable code at all
// is left out and reported rather than refusing the whole feed.
TEST_F(GtfsImportTest, CodesAreUsableFileNamesUniqueInAnyCase)
{
    Files f;
    f["routes.txt"] = "route_id,route_short_name\nr1,1/A\nr2,CON\nr3,5a\nr4,5A\nAUX,\nr6,-7\n";
    f["trips.txt"] = "route_id,trip_id,trip_headsign,direction_id\n"
                     "r1,a,Zoo,0\nr2,b,Zoo,0\nr3,c,Zoo,0\nr4,d,Zoo,0\nAUX,e,Zoo,0\nr6,g,Zoo,0\nr6,h,Park,1\n";
    GtfsOptions options;
    options.returnSuffix = QStringLiteral("r");
    const Expected<GtfsImportResult> r = importZip(f, options);
    ASSERT_TRUE(r.ok()) << r.error().toStdString();
    QStringList codes;
    for (const Destination& d : r->destinations)
        codes << d.code;
    EXPECT_EQ(codes, (QStringList{QStringLiteral("r1"), QStringLiteral("r2"), QStringLiteral("r3"), QStringLiteral("r4"),
                                  QStringLiteral("r6"), QStringLiteral("r6r")}));
    const QString report = r->report.join(QLatin1Char('\n'));
    EXPECT_TRUE(report.contains(QStringLiteral("route_id r1: the route_short_name \"1/A\" cannot name a file")))
        << report.toStdString();
    EXPECT_TRUE(report.contains(QStringLiteral("route_id r4: the route_short_name \"5A\" is shared"))) << report.toStdString();
    EXPECT_TRUE(report.contains(QStringLiteral("route_id AUX: neither \"AUX\" nor its route_id can be its code")))
        << report.toStdString();
}

// The progress hears of the bytes read and can stop the import.
TEST_F(GtfsImportTest, ProgressIsToldAndCanStop)
{
    Files f = cityFeed();
    // Rows that differ, or the zip-bomb bound would refuse them.
    for (int i = 0; i < 40000; ++i)
        f["stop_times.txt"] += "t9,08:00:00,08:00:00,s" + QByteArray::number(i * 7919 % 100003) + "," +
                               QByteArray::number(i + 10) + ",x" + QByteArray::number(i % 977) + "\r\n";
    const QString zip = dir.filePath(QStringLiteral("big.zip"));
    ASSERT_TRUE(gtfs_test::writeZip(zip, f));
    qint64 last = -1;
    qint64 total = 0;
    int calls = 0;
    GtfsOptions options;
    options.progress = [&](qint64 done, qint64 all) {
        EXPECT_GE(done, last);
        last = done;
        total = all;
        ++calls;
        return true;
    };
    ASSERT_TRUE(GtfsImport::read(zip, options).ok());
    EXPECT_GT(calls, 3);
    EXPECT_GT(total, 40000 * 25);
    EXPECT_EQ(last, total);

    options.progress = [](qint64 done, qint64) { return done == 0; };
    const Expected<GtfsImportResult> stopped = GtfsImport::read(zip, options);
    ASSERT_FALSE(stopped.ok());
    EXPECT_NE(stopped.error().toStdString().find("the import was stopped"), std::string::npos) << stopped.error().toStdString();
}

} // namespace

namespace {

// Every table is read up to its row limit and refused one row past it, with
// the line of that row.
TEST_F(GtfsImportTest, TablesAreReadUpToTheirRowLimits)
{
    auto rows = [](QByteArray header, int n, auto row) {
        for (int i = 0; i < n; ++i)
            header += row(QByteArray::number(i));
        return header;
    };
    auto feed = [&](const char* table, int n) {
        Files f;
        f["feed_info.txt"] = "feed_lang\nen\n";
        f["routes.txt"] = "route_id,route_short_name\nr0,1\n";
        f["trips.txt"] = "route_id,trip_id,trip_headsign\nr0,t0,Zoo\n";
        const std::string name = table;
        if (name == "routes.txt")
            f[table] = rows("route_id,route_short_name\n", n, [](const QByteArray& i) { return "r" + i + "," + i + "\n"; });
        else if (name == "trips.txt")
            f[table] = rows("route_id,trip_id,trip_headsign\n", n, [](const QByteArray& i) { return "r0,t" + i + ",Zoo\n"; });
        else if (name == "stop_times.txt")
            f[table] = rows("trip_id,stop_sequence,stop_headsign\n", n,
                            [](const QByteArray& i) { return "t0," + i + ",Park " + i + "\n"; });
        else
            f[table] = rows("table_name,field_name,language,translation,field_value\n", n,
                            [](const QByteArray& i) { return "trips,trip_headsign,ka,ზოო " + i + ",Zoo\n"; });
        return f;
    };
    struct Limit {
        const char* table;
        qint64 GtfsOptions::*limit;
        const char* rowsAre;
    };
    const Limit limits[] = {
        {"routes.txt", &GtfsOptions::maxRoutes, "routes"},
        {"trips.txt", &GtfsOptions::maxTrips, "trips"},
        {"stop_times.txt", &GtfsOptions::maxStopTimes, "stop times"},
        {"translations.txt", &GtfsOptions::maxTranslations, "translations"},
    };
    for (const Limit& l : limits) {
        GtfsOptions options;
        options.*l.limit = 3;
        const Expected<GtfsImportResult> atLimit = importZip(feed(l.table, 3), options);
        EXPECT_TRUE(atLimit.ok()) << l.table << ": " << atLimit.error().toStdString();
        const Expected<GtfsImportResult> past = importZip(feed(l.table, 4), options);
        ASSERT_FALSE(past.ok()) << l.table;
        const std::string reason = std::string(l.table) + ", line 5: more than 3 " + l.rowsAre + "; a feed may have at most 3";
        EXPECT_NE(past.error().toStdString().find(reason), std::string::npos) << past.error().toStdString();
    }
    // Every default is the one stated.
    const GtfsOptions defaults;
    EXPECT_EQ(defaults.maxRoutes, 50000);
    EXPECT_EQ(defaults.maxTrips, 5000000);
    EXPECT_EQ(defaults.maxStopTimes, 50000000);
    EXPECT_EQ(defaults.maxTranslations, 10000000);
}

// A text no sign could show leaves its route or direction out, named with
// the file and line it came from; the rest of the feed is imported. A text
// of exactly the limit is taken.
TEST_F(GtfsImportTest, TextsLongerThanASignTakesLeaveTheirDestinationOut)
{
    const QByteArray atLimit(MaxSignTextLength, 'A');
    const QByteArray past(MaxSignTextLength + 1, 'A');
    auto feed = [](const QByteArray& shortName, const QByteArray& headsign, const QByteArray& via,
                   const QByteArray& translation) {
        Files f;
        f["feed_info.txt"] = "feed_lang\nen\n";
        f["routes.txt"] = "route_id,route_short_name\na," + shortName + "\nb,2\n";
        f["trips.txt"] = "route_id,trip_id,trip_headsign,direction_id\na,x1," + headsign + ",0\nb,x2,Zoo,0\n";
        f["stop_times.txt"] = "trip_id,stop_sequence,stop_headsign\nx1,1," + via + "\nx2,1,Park\n";
        f["translations.txt"] = "table_name,field_name,language,translation,record_id\n"
                                "trips,trip_headsign,ka," + translation + ",x1\n";
        return f;
    };
    struct Case {
        const char* what;
        Files atLimit;
        Files past;
        const char* report;
    };
    const Case cases[] = {
        {"route", feed(atLimit, "Airport", "Vake", "x"), feed(past, "Airport", "Vake", "x"),
         "routes.txt, line 2: route_short_name is 1001 characters long, at most 1000; the route is left out"},
        {"headsign", feed("1", atLimit, "Vake", "x"), feed("1", past, "Vake", "x"),
         "trips.txt, line 2: trip_headsign is 1001 characters long, at most 1000; route 1, direction 0, is left out"},
        {"via", feed("1", "Airport", atLimit, "x"), feed("1", "Airport", past, "x"),
         "stop_times.txt, line 2: the via of its stop_headsign values is 1001 characters long, at most 1000; route 1, "
         "direction 0, is left out"},
        {"translation", feed("1", "Airport", "Vake", atLimit), feed("1", "Airport", "Vake", past),
         "translations.txt, line 2: its translation is 1001 characters long, at most 1000; route 1, direction 0, is left "
         "out"},
    };
    for (const Case& c : cases) {
        const Expected<GtfsImportResult> whole = importZip(c.atLimit);
        ASSERT_TRUE(whole.ok()) << c.what << ": " << whole.error().toStdString();
        EXPECT_EQ(whole->destinations.size(), 2u) << c.what;
        const Expected<GtfsImportResult> r = importZip(c.past);
        ASSERT_TRUE(r.ok()) << c.what << ": " << r.error().toStdString();
        ASSERT_EQ(r->destinations.size(), 1u) << c.what;
        EXPECT_EQ(r->destinations[0].code, QStringLiteral("2")) << c.what;
        EXPECT_EQ(r->destinations[0].viaEn, QStringLiteral("Park")) << c.what;
        EXPECT_TRUE(r->report.contains(QLatin1String(c.report))) << c.what << ": "
                                                                << r->report.join(QLatin1Char('\n')).toStdString();
    }
}

// What is kept of the feed's texts in all is bounded too.
TEST_F(GtfsImportTest, KeptTextsAreBounded)
{
    Files f = cityFeed();
    for (int i = 0; i < 2000; ++i)
        f["routes.txt"] += "x" + QByteArray::number(i) + ",TT,," + QByteArray(500, 'n') + ",3,\r\n";
    ASSERT_TRUE(importZip(f).ok());
    GtfsOptions options;
    options.maxKeptTextBytes = 1024 * 1024;
    const Expected<GtfsImportResult> r = importZip(f, options);
    ASSERT_FALSE(r.ok());
    EXPECT_NE(r.error().toStdString().find("routes.txt, line "), std::string::npos) << r.error().toStdString();
    EXPECT_NE(r.error().toStdString().find(": the texts kept for the destinations pass 1 MiB"), std::string::npos) << r.error().toStdString();
}

// A trip_id that trips.txt names twice keeps its stop times with the first
// destination that has it, as the one key it is.
TEST_F(GtfsImportTest, ATripNamedTwiceGivesItsViasToTheFirstDestination)
{
    Files f;
    f["feed_info.txt"] = "feed_lang\nen\n";
    f["routes.txt"] = "route_id,route_short_name\na,1\nb,2\n";
    f["trips.txt"] = "route_id,trip_id,trip_headsign\nb,same,Zoo\na,same,Park\n";
    f["stop_times.txt"] = "trip_id,stop_sequence,stop_headsign\nsame,1,Vake\n";
    const Expected<GtfsImportResult> r = importZip(f);
    ASSERT_TRUE(r.ok()) << r.error().toStdString();
    ASSERT_EQ(r->destinations.size(), 2u);
    EXPECT_EQ(r->destinations[0].code, QStringLiteral("1"));
    EXPECT_EQ(r->destinations[0].viaEn, QStringLiteral("Vake"));
    EXPECT_EQ(r->destinations[1].viaEn, QString());
}

} // namespace
