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
                    TitleCase{"FORT TRYON PARK THE CLOISTERS", "Fort Tryon Park The Cloisters"},
                    TitleCase{"TO THE FERRY AND THE HUB", "To the Ferry and the Hub"},
                    TitleCase{"MCGUINNESS BLVD MCDONALD AV", "McGuinness Blvd McDonald Av"},
                    TitleCase{"sbs", "SBS"}, TitleCase{"", ""},
                    // Roman numbers of a district stay; words of other numerals' letters do not.
                    TitleCase{"VARKETILI III", "Varketili III"}, TitleCase{"GLDANI XIV MIX VIVID", "Gldani XIV Mix Vivid"},
                    // A token splits at hyphens and slashes before a digit makes it a code.
                    TitleCase{"BROADWAY-168 ST", "Broadway-168 St"}, TitleCase{"1 AV-58 ST", "1 Av-58 St"},
                    TitleCase{"PENN STA-34 ST", "Penn Sta-34 St"}, TitleCase{"BROADWAY/7 AV", "Broadway/7 Av"},
                    // An ordinal only after the number whose ordinal it is.
                    TitleCase{"3AV - 149ST", "3AV - 149 St"}, TitleCase{"E 21ST ST", "E 21st St"},
                    TitleCase{"11TH AV / 112TH ST / 23RD ST", "11th Av / 112th St / 23rd St"},
                    TitleCase{"2ST 1ND", "2 St 1 Nd"}));

// A text at a time: capitals only, mixed, or already cased; under each choice.
TEST(ImportWordsTest, LetterCaseIsDecidedTextByText)
{
    const QStringList listed = SetWords().upperWords;
    struct Case {
        const char* in;
        LetterCase mode;
        const char* out;
    };
    const Case cases[] = {
        {"McDONALD AV", LetterCase::Auto, "McDonald Av"},
        {"Varketili III", LetterCase::Auto, "Varketili III"},
        {"Penn STA-34 St", LetterCase::Auto, "Penn Sta-34 St"},
        {"BROADWAY/7 Av", LetterCase::Auto, "Broadway/7 Av"},
        {"3AV - 149st", LetterCase::Auto, "3AV - 149 St"},
        {"3Av - E 149st", LetterCase::Auto, "3Av - E 149 St"},
        {"LaGUARDIA Airport VIA Astoria", LetterCase::Auto, "LaGuardia Airport via Astoria"},
        {"JFK Airport", LetterCase::Auto, "JFK Airport"},
        {"Kings Plaza", LetterCase::Auto, "Kings Plaza"},
        {"McDONALD AV", LetterCase::Title, "McDONALD AV"},
        {"KINGS PLAZA", LetterCase::Title, "Kings Plaza"},
        {"KINGS PLAZA", LetterCase::Keep, "KINGS PLAZA"},
        {"ვაკე", LetterCase::Auto, "ვაკე"},
        // The words a new set keeps in capitals.
        {"JFK AIRPORT", LetterCase::Auto, "JFK Airport"},
        {"JAMAICA LIRR", LetterCase::Auto, "Jamaica LIRR"},
        {"SBS WLMSBRG BRDG PLZ", LetterCase::Auto, "SBS Wlmsbrg Brdg Plz"},
        {"FDR DR / GW BRIDGE", LetterCase::Auto, "FDR Dr / GW Bridge"},
        {"VA HOSPITAL", LetterCase::Auto, "VA Hospital"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(suggestCase(u(c.in), listed, c.mode), u(c.out)) << c.in << " " << int(c.mode);
}

TEST(ImportWordsTest, CleaningRemovesDoubleSpacesAndStraySeparatorsAtTheEnds)
{
    const QStringList separators{QStringLiteral(" via ")};
    struct Case {
        const char* in;
        const char* out;
        const char* said;
    };
    const Case cases[] = {
        {"Midtown  32 St & 5 Av", "Midtown 32 St & 5 Av", "a double space"},
        {"5 Av/", "5 Av", "\"/\" at the end"},
        {"Church St -", "Church St", "\"-\" at the end"},
        {"- Church St,", "Church St", "\"-\" at the start; \",\" at the end"},
        {"E 174 ST  vi", "E 174 ST", "a double space; \"vi\" at the end"},
        {"Kings Hwy VIA", "Kings Hwy", "\"VIA\" at the end"},
        {"Avenue V", "Avenue V", ""},
        {"Avenue Vi", "Avenue Vi", ""},
        {"+Select Bus", "+Select Bus", ""},
        {"-", "-", ""},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        QString text = u(c.in);
        EXPECT_EQ(cleanText(text, separators), u(c.said)) << c.in;
        EXPECT_EQ(text, u(c.out)) << c.in;
    }
}

TEST(ImportWordsTest, ServiceWordsAtTheStartAreSplitOff)
{
    const QStringList words = SetWords().serviceWords;
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"SELECT BUS FORDHAM PLAZA", "SELECT BUS", "FORDHAM PLAZA"},
        {"+Select Bus Williamsburg Bridge Plaza", "+Select Bus", "Williamsburg Bridge Plaza"},
        {"LTD JAMAICA 165 ST", "LTD", "JAMAICA 165 ST"},
        {"Limited - Fordham Plaza", "Limited", "- Fordham Plaza"},
        {"RUSHMORE AV", "", "RUSHMORE AV"},
        {"Kings Plaza Limited", "", "Kings Plaza Limited"},
        {"LIMITED", "", "LIMITED"},
        {"Rush +", "", "Rush +"},
    };
    for (const auto& [in, service, rest] : cases) {
        const ServiceSplit split = splitService(u(in), words);
        EXPECT_EQ(split.service, u(service)) << in;
        EXPECT_EQ(split.rest, u(rest)) << in;
    }
}

// The steps together, as an import takes a feed's texts: the service first,
// then the via, every part cleaned, each cleaning noted by code and column.
TEST(ImportWordsTest, ShapingSplitsCleansCasesAndNotes)
{
    Destination d;
    d.code = QStringLiteral("M15-SBS");
    d.destinationEn = QStringLiteral("+SELECT BUS  SOUTH FERRY via 2 AV");
    Destination v;
    v.code = QStringLiteral("Bx12");
    v.destinationEn = QStringLiteral("McDONALD AV");
    v.viaEn = QStringLiteral("5 Av/, Church St -, , Broadway");
    std::vector<Destination> list{d, v};
    const ImportShaping done = shapeImported(list, SetWords(), LetterCase::Auto);
    EXPECT_EQ(list[0].service, QStringLiteral("+Select Bus"));
    EXPECT_EQ(list[0].destinationEn, QStringLiteral("South Ferry"));
    EXPECT_EQ(list[0].viaEn, QStringLiteral("2 Av"));
    EXPECT_EQ(list[1].destinationEn, QStringLiteral("McDonald Av"));
    EXPECT_EQ(list[1].viaEn, QStringLiteral("5 Av, Church St, Broadway"));
    EXPECT_TRUE(list[1].latinSuggested);
    EXPECT_EQ(done.serviceSplit, 1);
    EXPECT_EQ(done.viaSplit, 1);
    EXPECT_EQ(done.mixedCased, 1);
    EXPECT_EQ(done.notes.at({QStringLiteral("m15-sbs"), QStringLiteral("destination_en")}),
              QStringLiteral("cleaned: a double space"));
    EXPECT_EQ(done.notes.at({QStringLiteral("bx12"), QStringLiteral("via_en")}),
              QStringLiteral("cleaned: \"/\" at the end; \"-\" at the end; an empty part"));
}

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
        // One headsign in small letters changes nothing of the others.
        {LetterCase::Auto, "Kings Plaza", "Kings Plaza", "SBS Wlmsbrg Brdg Plz"},
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

namespace {

// A save puts only what its editor changed onto the words as they are now:
// a via word changed meanwhile by another depot stays, the one edited goes
// in; a blank via word is refused.
TEST(SetWordsViaWords, ASaveKeepsAViaWordChangedElsewhereAndBlankOnesAreRefused)
{
    const SetWords read;
    SetWords now = read;
    now.viaWordGeorgian = QStringLiteral("გზით");
    SetWords edited = read;
    edited.viaWordLatin = QStringLiteral("through");
    const SetWords saved = SetWords::editedOnto(now, read, edited);
    EXPECT_EQ(saved.viaWordLatin, QStringLiteral("through"));
    EXPECT_EQ(saved.viaWordGeorgian, QStringLiteral("გზით"));
    EXPECT_NE(saved, now);

    EXPECT_TRUE(WordTable::check(saved).isEmpty());
    edited.viaWordGeorgian = QStringLiteral("  ");
    EXPECT_FALSE(WordTable::check(edited).isEmpty());
    edited.viaWordGeorgian = QString(SetWords::MaxWordLength + 1, QLatin1Char('x'));
    EXPECT_FALSE(WordTable::check(edited).isEmpty());
}

} // namespace
