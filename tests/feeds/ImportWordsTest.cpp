// Imported headsigns as a set takes them: title case with the words kept in
// capitals, the via split at the set's separators, both on feeds made here;
// the abbreviations' CSV.
#include "GtfsTestFeed.h"

#include "sets/AbbreviationCsv.h"
#include "feeds/DestinationDiff.h"
#include "feeds/GtfsImport.h"
#include "feeds/ImportWords.h"
#include "sets/SetCsv.h"
#include "store/WordTable.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

using namespace vexel;
using gtfs_test::Files;

namespace {

QString u(const char* text) { return QString::fromUtf8(text); }

const QStringList kept{QStringLiteral("SBS"), QStringLiteral("JFK"), QStringLiteral("CC")};

struct TitleCase {
    const char* in;
    const char* out;
};

class TitleCaseTest : public testing::TestWithParam<TitleCase> {};

TEST_P(TitleCaseTest, KeepsCodesAndListedWords)
{
    EXPECT_EQ(titleCase(u(GetParam().in), kept), u(GetParam().out));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TitleCaseTest,
    testing::Values(TitleCase{"SPRING CREEK STANLEY AV POSTAL FAC", "Spring Creek Stanley Av Postal Fac"},
                    TitleCase{"SBS WLMSBRG BRDG PLZ", "SBS Wlmsbrg Brdg Plz"},
                    TitleCase{"JFK AIRPORT VIA ROCKAWAY BLVD", "JFK Airport via Rockaway Blvd"},
                    TitleCase{"B44-SBS  KINGS PLAZA CC", "B44-SBS  Kings Plaza CC"},
                    TitleCase{"W 42ND ST / 8 AV", "W 42nd St / 8 Av"},
                    TitleCase{"O'HARE ST. MARY'S HOSP", "O'Hare St. Mary's Hosp"},
                    TitleCase{"WILKES-BARRE/SCRANTON (SBS)", "Wilkes-Barre/Scranton (SBS)"},
                    TitleCase{"THE BRONX CHURCH OF THE HOLY CROSS", "The Bronx Church of the Holy Cross"},
                    TitleCase{"AVENUE D AND E 10 ST", "Avenue D and E 10 St"},
                    TitleCase{"sbs", "SBS"}, TitleCase{"", ""}));

TEST(ImportWordsTest, CapitalsOnlyNeedsALatinCapitalAndNoSmallLetter)
{
    const std::pair<const char*, bool> cases[] = {{"SPRING CREEK", true}, {"Spring Creek", false}, {"B44", true},
                                                  {"44 - 12", false},     {"ვაკე", false},           {"ვაკე PARK", false},
                                                  {"", false}};
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(capitalsOnly(u(text)), expected) << text;
}

TEST(ImportWordsTest, SplitsAtEverySeparatorWithoutRegardToCase)
{
    const QStringList via{QStringLiteral(" via ")};
    const QStringList more{QStringLiteral(" via "), QStringLiteral(" - "), u(" გავლით ")};
    struct Case {
        const char* text;
        const QStringList* separators;
        const char* destination;
        const char* via;
    };
    const Case cases[] = {
        {"SBS WLMSBRG BRDG PLZ via NSTRND via RGRS", &via, "SBS WLMSBRG BRDG PLZ", "NSTRND, RGRS"},
        {"BAY RIDGE VIA 5 AV", &via, "BAY RIDGE", "5 AV"},
        {"Via Roma", &via, "Via Roma", ""},
        {"Viaduct via Park", &via, "Viaduct", "Park"},
        {"A via  via B", &via, "A", "B"},
        {"Didube - Airport", &via, "Didube - Airport", ""},
        {"Didube - Airport via Vake", &more, "Didube", "Airport, Vake"},
        {"ვაკე გავლით რუსთაველი", &more, "ვაკე", "რუსთაველი"},
        {"Lone", &more, "Lone", ""},
    };
    for (const Case& c : cases) {
        const ViaSplit split = splitVia(u(c.text), *c.separators);
        EXPECT_EQ(split.destination, u(c.destination)) << c.text;
        EXPECT_EQ(split.via, u(c.via)) << c.text;
    }
    // Separators of spaces only are never matched, and cannot be stored.
    EXPECT_EQ(splitVia(QStringLiteral("A B"), {QStringLiteral(" ")}).via, QString());
    SetWords spaces;
    spaces.viaSeparators = {QStringLiteral("  ")};
    EXPECT_FALSE(WordTable::check(spaces).isEmpty());
}

TEST(ImportWordsTest, LetteringListsBothScriptsLongestWordFirst)
{
    SetWords words;
    words.abbreviations = {{QStringLiteral("en"), QStringLiteral("Avenue"), QStringLiteral("Av")},
                           {QStringLiteral("ka"), u("გამზირი"), u("გამზ.")},
                           {QStringLiteral("en"), QStringLiteral("Avenue Road"), QStringLiteral("Av Rd")},
                           {QStringLiteral("en"), QStringLiteral("Street"), QStringLiteral("St")}};
    const auto pairs = words.lettering();
    ASSERT_EQ(pairs.size(), 4u);
    EXPECT_EQ(pairs[0].first, QStringLiteral("Avenue Road"));
    EXPECT_EQ(pairs[1].first, u("გამზირი"));
    EXPECT_EQ(pairs[2], std::make_pair(QStringLiteral("Avenue"), QStringLiteral("Av")));
    EXPECT_EQ(pairs[3].first, QStringLiteral("Street"));
    struct Own {
        QString word;
        QString shortForm;
    };
    const std::vector<Own> own = words.lettering<Own>();
    ASSERT_EQ(own.size(), 4u);
    EXPECT_EQ(own[0].shortForm, QStringLiteral("Av Rd"));
}

// An English feed that shouts, with vias in its headsigns; route 3 has stop
// headsigns, which give its via.
Files shoutingFeed(const char* extraHeadsign = "KINGS PLAZA")
{
    Files f;
    f["routes.txt"] = "route_id,route_short_name,route_type\nb44,B44-SBS,3\nb6,B6,3\nb3,B3,3\n";
    f["trips.txt"] = QByteArray("route_id,trip_id,trip_headsign,direction_id\n"
                                "b44,t1,SBS WLMSBRG BRDG PLZ via NSTRND via RGRS,0\n"
                                "b44,t2,SPRING CREEK STANLEY AV POSTAL FAC,1\n"
                                "b6,t3,") +
                     extraHeadsign + "\nb3,t4,BERGEN BEACH VIA AV U,0\n";
    f["stop_times.txt"] = "trip_id,stop_sequence,stop_headsign\nt4,1,KINGS HWY\n";
    return f;
}

const Destination* find(const std::vector<Destination>& list, const char* code)
{
    for (const Destination& d : list)
        if (d.code == QLatin1String(code))
            return &d;
    return nullptr;
}

TEST(ImportWordsTest, AFeedInCapitalsIsSuggestedInTitleCaseWithItsViasSplitOff)
{
    QTemporaryDir dir;
    ASSERT_TRUE(gtfs_test::writeFolder(dir.path(), shoutingFeed()));
    GtfsOptions options;
    options.words.upperWords = kept;
    const Expected<GtfsImportResult> read = GtfsImport::read(dir.path(), options);
    ASSERT_TRUE(read.ok()) << read.error().toStdString();
    const std::vector<Destination>& d = read->destinations;

    const Destination* out = find(d, "B44-SBS");
    const Destination* back = find(d, "B44-SBSR");
    const Destination* b3 = find(d, "B3");
    ASSERT_TRUE(out && back && b3);
    EXPECT_EQ(out->destinationEn, QStringLiteral("SBS Wlmsbrg Brdg Plz"));
    EXPECT_EQ(out->viaEn, QStringLiteral("Nstrnd, Rgrs"));
    EXPECT_TRUE(out->latinSuggested);
    EXPECT_EQ(back->destinationEn, QStringLiteral("Spring Creek Stanley Av Postal Fac"));
    EXPECT_EQ(back->viaEn, QString());
    // The stop headsign gives the via; the headsign's is cut off all the same.
    EXPECT_EQ(b3->destinationEn, QStringLiteral("Bergen Beach"));
    EXPECT_EQ(b3->viaEn, QStringLiteral("Kings Hwy"));
    EXPECT_TRUE(read->report.join(QLatin1Char('\n')).contains(QStringLiteral("title case is suggested")));

    // The set's own text that differs only in case stays; its old capitals do not.
    Destination ownOut = *out;
    ownOut.destinationEn = QStringLiteral("SBS Wlmsbrg Brdg PLZ");
    ownOut.latinSuggested = false;
    Destination oldBack = *back;
    oldBack.destinationEn = QStringLiteral("SPRING CREEK STANLEY AV POSTAL FAC");
    oldBack.latinSuggested = false;
    const DestinationDiff diff = diffDestinations({ownOut, oldBack}, {*out, *back});
    ASSERT_EQ(diff.changed.size(), 1u);
    EXPECT_EQ(diff.changed[0].after.code, QStringLiteral("B44-SBSR"));
    EXPECT_EQ(diffLines(diff).front(),
              QStringLiteral("~ B44-SBSR: destination_en \"SPRING CREEK STANLEY AV POSTAL FAC\" → \"Spring Creek "
                             "Stanley Av Postal Fac\" (suggested)"));
}

TEST(ImportWordsTest, TheCaseChoiceDecidesWhatIsPutInTitleCase)
{
    struct Case {
        LetterCase mode;
        const char* extraHeadsign;
        const char* b6;
        const char* b44;
    };
    const Case cases[] = {
        {LetterCase::Auto, "KINGS PLAZA", "Kings Plaza", "SBS Wlmsbrg Brdg Plz"},
        // One headsign in small letters: the feed does not shout, nothing is changed.
        {LetterCase::Auto, "Kings Plaza", "Kings Plaza", "SBS WLMSBRG BRDG PLZ"},
        {LetterCase::Title, "Kings Plaza", "Kings Plaza", "SBS Wlmsbrg Brdg Plz"},
        {LetterCase::Keep, "KINGS PLAZA", "KINGS PLAZA", "SBS WLMSBRG BRDG PLZ"},
    };
    for (const Case& c : cases) {
        QTemporaryDir dir;
        ASSERT_TRUE(gtfs_test::writeFolder(dir.path(), shoutingFeed(c.extraHeadsign)));
        GtfsOptions options;
        options.words.upperWords = kept;
        options.letterCase = c.mode;
        const Expected<GtfsImportResult> read = GtfsImport::read(dir.path(), options);
        ASSERT_TRUE(read.ok()) << read.error().toStdString();
        const Destination* b6 = find(read->destinations, "B6");
        const Destination* b44 = find(read->destinations, "B44-SBS");
        ASSERT_TRUE(b6 && b44);
        EXPECT_EQ(b6->destinationEn, u(c.b6)) << c.extraHeadsign;
        EXPECT_EQ(b44->destinationEn, u(c.b44)) << c.extraHeadsign;
        EXPECT_EQ(b44->latinSuggested, QByteArray(c.b44) != "SBS WLMSBRG BRDG PLZ");
    }
}

TEST(ImportWordsTest, AGeorgianHeadsignIsSplitAndItsLatinNameMadeAgain)
{
    Files f = gtfs_test::smallFeed();
    f["trips.txt"] = u("route_id,trip_id,trip_headsign,direction_id\n"
                       "r1,t1,ვაკე გავლით რუსთაველი,0\nr2,t3,გლდანი,0\nm1,t4,ახმეტელი,0\n")
                         .toUtf8();
    f["stop_times.txt"] = "trip_id,stop_sequence,stop_headsign\nt4,1,\n";
    QTemporaryDir dir;
    ASSERT_TRUE(gtfs_test::writeFolder(dir.path(), f));
    GtfsOptions options;
    options.words.viaSeparators = {QStringLiteral(" via "), u(" გავლით ")};
    const Expected<GtfsImportResult> read = GtfsImport::read(dir.path(), options);
    ASSERT_TRUE(read.ok()) << read.error().toStdString();
    const Destination* d = find(read->destinations, "1");
    ASSERT_TRUE(d);
    EXPECT_EQ(d->destinationKa, u("ვაკე"));
    EXPECT_EQ(d->viaKa, u("რუსთაველი"));
    EXPECT_EQ(d->destinationEn, QStringLiteral("Vake"));
    EXPECT_EQ(d->viaEn, QStringLiteral("Rustaveli"));
    EXPECT_TRUE(d->latinSuggested);
}

TEST(ImportWordsTest, ARouteListInCapitalsIsSplitAndSuggestedKeepingTheSetsOwnCase)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("fleet.vxset"));
    const QString layout = QStringLiteral(R"({ "frames": [ { "preset": "number", "destination": "{destination_en}" } ] })");
    auto made = DestinationSet::create(path, {VehicleSign{QStringLiteral("front"), 40, 8, layout}});
    ASSERT_TRUE(made.ok()) << made.error().toStdString();
    DestinationSet& set = *made.value();
    Destination own;
    own.code = own.route = QStringLiteral("B6");
    own.destinationEn = QStringLiteral("East New York AV");
    ASSERT_TRUE(set.addDestination(own).ok());
    SetWords words = *set.words();
    words.upperWords = {QStringLiteral("SBS")};
    ASSERT_TRUE(set.setWords(words).ok());

    const QString csv = dir.filePath(QStringLiteral("routes.csv"));
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("code,route,destination_ka,destination_en,via_en\n"
               "B44,B44,,SBS WLMSBRG BRDG PLZ VIA NSTRND,\n"
               "B3,B3,,BERGEN BEACH via AV U,KINGS HWY\n"
               "B6,B6,,EAST NEW YORK AV,\n");
    file.close();
    const Expected<SetCsv::Import> imported = SetCsv::importFile(set, csv);
    ASSERT_TRUE(imported.ok()) << imported.error().toStdString();
    EXPECT_TRUE(imported->problems.isEmpty()) << imported->problems.join('\n').toStdString();
    const std::vector<Destination> all = *set.destinations();
    const Destination* b44 = find(all, "B44");
    const Destination* b3 = find(all, "B3");
    const Destination* b6 = find(all, "B6");
    ASSERT_TRUE(b44 && b3 && b6);
    EXPECT_EQ(b44->destinationEn, QStringLiteral("SBS Wlmsbrg Brdg Plz"));
    EXPECT_EQ(b44->viaEn, QStringLiteral("Nstrnd"));
    EXPECT_TRUE(b44->latinSuggested);
    EXPECT_EQ(b3->destinationEn, QStringLiteral("Bergen Beach"));
    EXPECT_EQ(b3->viaEn, QStringLiteral("Kings Hwy"));
    EXPECT_EQ(*b6, own) << "the set's own text, differing only in case, stays";
}

TEST(AbbreviationCsvTest, RoundTripsAndRefusesEachBadRowWithItsLine)
{
    const std::vector<SetWords::Abbreviation> list{{QStringLiteral("en"), QStringLiteral("Avenue"), QStringLiteral("Av")},
                                                   {QStringLiteral("ka"), u("გამზირი"), u("გამზ.")},
                                                   {QStringLiteral("en"), QStringLiteral("Plaza, North"), QStringLiteral("\"Plz N\"")}};
    const QByteArray text = AbbreviationCsv::text(list);
    EXPECT_TRUE(text.startsWith("script,word,short\n"));
    const auto again = AbbreviationCsv::parse(text, QStringLiteral("a.csv"));
    ASSERT_TRUE(again.ok()) << again.error().toStdString();
    EXPECT_EQ(*again, list);
    // Columns in another order, a BOM and CR LF read the same.
    const auto reordered = AbbreviationCsv::parse(
        "\xEF\xBB\xBFshort,script,word\r\nAv,en,Avenue\r\n" + u("გამზ.,ka,გამზირი\r\n").toUtf8(), QStringLiteral("b.csv"));
    ASSERT_TRUE(reordered.ok()) << reordered.error().toStdString();
    EXPECT_EQ(reordered->size(), 2u);

    const QByteArray broken = "script,word,short\n"
                              "en,Avenue,Av\n"
                              "ru,Prospekt,Pr\n"
                              "en,Street,\n"
                              "en,Avenue,Ave\n"
                              "ka,Avenue,Av\n";
    const auto refused = AbbreviationCsv::parse(broken, QStringLiteral("words.csv"));
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.error(), "Cannot read abbreviations: words.csv, line 3: the script is \"ru\", not ka or en; "
                               "words.csv, line 4: a word and its short form need 1 to 200 characters each; "
                               "words.csv, line 5: \"Avenue\" is abbreviated on line 2 already");
    for (const char* bad : {"", "script,word\nen,Avenue\n", "script,word,short\nen,\"Avenue,Av\n"})
        EXPECT_FALSE(AbbreviationCsv::parse(bad, QStringLiteral("x.csv")).ok()) << bad;
}

} // namespace
