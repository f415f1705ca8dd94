// Fitting that never gives up silently: each step of the order, pages with
// the number kept lit, and texts that fit nowhere.
#include "DepotTestSupport.h"

#include "depot/RouteSet.h"
#include "sets/SetContents.h"
#include "sets/SetLettering.h"
#include "sets/SignProfile.h"
#include "depot/TextLimit.h"
#include "document/ImageRecord.h"
#include "lettering/TextFit.h"
#include "lettering/TextLayout.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>

using namespace vexel;

namespace {

RouteSet oneText(FontList& fonts, int width, int height)
{
    const QByteArray json = QStringLiteral(R"({ "board": { "width": %1, "height": %2 },
        "frames": [ { "preset": "one-text", "text": "{destination_en}" } ] })")
                                .arg(width)
                                .arg(height)
                                .toUtf8();
    return RouteSet(*RouteLayout::parse(json, QStringLiteral("layout.json")), fonts);
}

Destination latin(const QString& route, const QString& en)
{
    Destination d;
    d.route = route;
    d.destinationEn = en;
    return d;
}

// Three rows, letters two LEDs wide, each of its own shape; a route number
// "1" one LED wide.
const char* TinyFont = R"(family Tiny
height 3
baseline 2

glyph U+0020
.
.
.

glyph U+002C ; ,
.
.
#

glyph U+002D ; -
..
##
..

glyph U+0031 ; 1
#
#
#

glyph U+0061 ; a
##
#.
##

glyph U+0062 ; b
##
.#
##

glyph U+0063 ; c
#.
##
#.
)";

class TinyBoard : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        ASSERT_TRUE(depot_test::write(folder.filePath(QStringLiteral("tiny-3.vfont")), TinyFont));
        FontList::Places places;
        places.ledFontFolders << folder.path();
        places.systemFonts = false;
        fonts = std::make_unique<FontList>(places);
        style.font = QStringLiteral("Tiny");
        style.letterSpacing = 0;
        order.tightSpacing = false;
    }

    // The board as it shows after each frame of the image, every frame
    // loaded over what the frames before it left, as the board does.
    std::vector<std::vector<std::string>> shown(const ImageRecord& record, int width, int height)
    {
        std::vector<std::vector<std::string>> out;
        PixelArray board;
        for (int f = 0; f < *record.frameCount(); ++f) {
            const int line = record.headerLine(f);
            const FrameHeader header = *record.headerAt(line);
            EXPECT_TRUE(record.readFrameBits(line, header.rect, board).ok());
            std::vector<std::string> rows;
            for (int y = 0; y < height; ++y) {
                std::string r;
                for (int x = 0; x < width; ++x)
                    r += board.lit(x, y) ? '#' : '.';
                rows.push_back(r);
            }
            out.push_back(rows);
        }
        return out;
    }

    QTemporaryDir folder;
    std::unique_ptr<FontList> fonts;
    TextStyle style;
    FitOrder order;
};

} // namespace

TEST(FitOrder, EachTextStopsAtItsStepAndSaysSo)
{
    FontList fonts(depot_test::projectFonts());
    const RouteSet set = oneText(fonts, 48, 16);
    struct Case {
        const char* text;
        const char* step;
    };
    const Case cases[] = {
        {"Vake", "fits"},
        {"Vakeeee", "14 rows"},
        {"Vake Vake", "condensed 11"},
        {"Vakeeeeeeeee", "condensed 7, spacing -1"},
        {"Vakeee Vakeee", "two lines"},
        {"Vake Didu Glda Isan Vark", "2 pages"}, // two lines a page at 7 rows
    };
    for (const Case& c : cases) {
        const Expected<RouteSet::Built> built = set.make(latin(QStringLiteral("1"), QString::fromUtf8(c.text)));
        ASSERT_TRUE(built.ok()) << c.text << ": " << built.error().toStdString();
        EXPECT_EQ(built->step, c.step) << c.text;
        EXPECT_TRUE(built->image.check().ok()) << c.text;
    }

    // One word too long for any page, and a character no face has.
    const Expected<RouteSet::Built> word = set.make(latin(QStringLiteral("1"), QStringLiteral("Vakeeeeeeeeee")));
    ASSERT_FALSE(word.ok());
    EXPECT_EQ(word.error(), "frame 1: not even in pages: Nothing fits 48 x 16: at 7 px with spacing -1 the text "
                            "takes 52 x 7.");
    const Expected<RouteSet::Built> foreign =
        set.make(latin(QStringLiteral("1"), QStringLiteral("Vake Didu Glda Isan Vark \u6771")));
    ASSERT_FALSE(foreign.ok());
    EXPECT_EQ(foreign.error(), "frame 1: the font lacks \u6771 (U+6771)");
}

TEST_F(TinyBoard, PagesBreakAtDashesThenCommasThenSpaces)
{
    struct Case {
        const char* text;
        int width;
        std::vector<QString> pages;
    };
    // "ab" is 5 LEDs wide, "ab ca" 13, "ab, ca" 15, "ab - ab" 18.
    const Case cases[] = {
        {"ab - ab", 18, {"ab - ab"}},
        {"ab - ab", 17, {"ab", "ab"}},
        {"ab, ca - bc", 15, {"ab, ca", "bc"}},
        // A piece too long for a page breaks at its commas before its spaces.
        {"ab, ca cb - bc", 15, {"ab", "ca cb", "bc"}},
        {"ab ca cb, bc", 15, {"ab ca", "cb, bc"}},
        {"ab ca cb, bc", 13, {"ab ca", "cb", "bc"}},
        {"ab ca cb, bc", 12, {"ab", "ca", "cb", "bc"}},
        {"  ab   -  ca ", 17, {"ab", "ca"}},
    };
    for (const Case& c : cases) {
        const PageFit fit = TextFit::pages(QString::fromUtf8(c.text), *fonts, style, c.width, 3, order);
        ASSERT_TRUE(fit.fits) << c.text << ": " << fit.face.message;
        EXPECT_EQ(fit.pages, c.pages) << c.text << " in " << c.width;
    }
    const PageFit tooNarrow = TextFit::pages(QStringLiteral("ab ca"), *fonts, style, 4, 3, order);
    EXPECT_FALSE(tooNarrow.fits);
}

TEST_F(TinyBoard, PagesFollowOneAnotherWithTheNumberKeptLit)
{
    const QByteArray json = R"({ "board": { "width": 12, "height": 3 },
        "font": "Tiny", "letterSpacing": 0, "doubled": false, "tightSpacing": false,
        "frames": [ { "preset": "number", "destination": "{destination_en}", "duration": 700 } ] })";
    const RouteSet set(*RouteLayout::parse(json, QStringLiteral("layout.json")), *fonts);
    ASSERT_TRUE(set.checkFonts().ok()) << set.checkFonts().error().toStdString();
    const Expected<RouteSet::Built> built = set.make(latin(QStringLiteral("1"), QStringLiteral("ab - ca, bc")));
    ASSERT_TRUE(built.ok()) << built.error().toStdString();
    EXPECT_EQ(built->step, "3 pages");
    const ImageRecord& record = built->image;
    ASSERT_TRUE(record.check().ok()) << record.check().error().toStdString();
    ASSERT_EQ(*record.frameCount(), 3);

    // The first page fills the frame; the later ones only the text's area.
    const FrameHeader first = *record.headerAt(record.headerLine(0));
    EXPECT_EQ(first.rect, (FrameRect{0, 0, 12, 3}));
    for (int f = 1; f < 3; ++f) {
        const FrameHeader page = *record.headerAt(record.headerLine(f));
        // After the number and a gap of 3.
        EXPECT_EQ(page.rect, (FrameRect{4, 0, 8, 3})) << f;
        EXPECT_EQ(page.duration, 700);
        EXPECT_EQ(page.index, f);
    }
    const std::vector<std::vector<std::string>> expected = {
        {"#....##.##..", //
         "#....#...#..",
         "#....##.##.."},
        {"#....#..##..", //
         "#....##.#...",
         "#....#..##.."},
        {"#....##.#...", //
         "#.....#.##..",
         "#....##.#..."},
    };
    EXPECT_EQ(shown(record, 12, 3), expected);
}

TEST_F(TinyBoard, APageCarriesTheNumberInTheBytesItSharesWithIt)
{
    // The text's area starts at column 2, inside the byte of the number's
    // column 0: a page written with zeros there would put the number out.
    const QByteArray json = R"({ "board": { "width": 12, "height": 3 },
        "font": "Tiny", "letterSpacing": 0, "doubled": false, "tightSpacing": false,
        "frames": [ { "preset": "number", "destination": "{destination_en}" } ] })";
    const RouteSet set(*RouteLayout::parse(json, QStringLiteral("layout.json")), *fonts);
    const Expected<ImageRecord> record = set.build(latin(QStringLiteral("1"), QStringLiteral("ab - ca")));
    ASSERT_TRUE(record.ok()) << record.error().toStdString();
    ASSERT_EQ(*record->frameCount(), 2);
    const int header = record->headerLine(1);
    for (int row = 0; row < 3; ++row) {
        const std::string& line = record->line(header + 1 + row);
        ASSERT_EQ(line.size(), 4u); // bytes 0 and 1: columns 0 to 15
        const int byte0 = std::stoi(line.substr(0, 2), nullptr, 16);
        EXPECT_EQ(byte0 & 0xC0, 0x80) << "row " << row << ": " << line; // the number lit, the gap dark
    }
}

TEST(SetLetteringFit, TheStatusSaysHowEachSignFitted)
{
    FontList fonts(depot_test::projectFonts());
    const SetLettering lettering(fonts);
    VehicleSign front{QStringLiteral("front"), 48, 16,
                      QStringLiteral(R"({"frames":[{"preset":"one-text","text":"{destination_en}"},)"
                                     R"({"preset":"one-text","text":"{via_en}"}]})")};
    Destination d;
    d.code = QStringLiteral("101");
    d.route = QStringLiteral("101");
    d.destinationEn = QStringLiteral("Vake Vake");
    SignImage image = lettering.letter(front, d);
    EXPECT_TRUE(image.fit.fits);
    EXPECT_EQ(image.fit.status, QStringLiteral("condensed 11"));
    ASSERT_TRUE(image.image.has_value());
    EXPECT_EQ(*image.image->frameCount(), 1); // no via: its frame is left out

    // The furthest step of any frame is the sign's.
    d.viaEn = QStringLiteral("Vake Didu Glda Isan Vark");
    image = lettering.letter(front, d);
    EXPECT_EQ(image.fit.status, QStringLiteral("2 pages"));
    EXPECT_EQ(*image.image->frameCount(), 3);

    d.destinationEn = QStringLiteral("Vakeeeeeeeeeeeeee");
    image = lettering.letter(front, d);
    EXPECT_FALSE(image.fit.fits);
    EXPECT_FALSE(image.image.has_value());
    EXPECT_TRUE(image.fit.status.startsWith(QStringLiteral("does not fit: frame 1: not even in pages")))
        << image.fit.status.toStdString();

    // A sign whose layout changed is read again.
    front.layout = QStringLiteral(R"({"frames":[{"preset":"one-text","text":"{code}"}]})");
    image = lettering.letter(front, d);
    EXPECT_EQ(image.fit.status, QStringLiteral("fits"));
}

TEST_F(TinyBoard, PagesStopAtTheFramesAnImageHolds)
{
    // One word a page: "ab" is 5 LEDs wide, "ab ab" 13.
    auto words = [](int count) {
        QStringList list;
        for (int i = 0; i < count; ++i)
            list << QStringLiteral("ab");
        return list.join(QLatin1Char(' '));
    };
    struct Case {
        bool numberFirst; // a frame of the route number before the paged one
        int words;
        bool fits;
    };
    const Case cases[] = {
        {false, ImageRecord::MaxFrames, true},
        {false, ImageRecord::MaxFrames + 1, false},
        {true, ImageRecord::MaxFrames - 1, true},
        {true, ImageRecord::MaxFrames, false},
    };
    for (const Case& c : cases) {
        const QByteArray number = c.numberFirst ? R"({ "preset": "one-text", "text": "{route}" },)" : "";
        const QByteArray json = R"({ "board": { "width": 6, "height": 3 },
            "font": "Tiny", "letterSpacing": 0, "doubled": false, "tightSpacing": false,
            "frames": [ )" + number + R"({ "preset": "one-text", "text": "{destination_en}" } ] })";
        const RouteSet set(*RouteLayout::parse(json, QStringLiteral("layout.json")), *fonts);
        const Expected<RouteSet::Built> built = set.make(latin(QStringLiteral("1"), words(c.words)));
        if (c.fits) {
            ASSERT_TRUE(built.ok()) << c.words << ": " << built.error().toStdString();
            EXPECT_EQ(*built->image.frameCount(), ImageRecord::MaxFrames);
            EXPECT_TRUE(built->image.check().ok());
        } else {
            ASSERT_FALSE(built.ok()) << c.words;
            EXPECT_EQ(built.error().toStdString(), QStringLiteral("frame %1: its pages take the image past 256 frames")
                                         .arg(c.numberFirst ? 2 : 1)
                                         .toStdString());
        }
    }
}

TEST_F(TinyBoard, ATextNoSignCouldShowIsRefusedBeforeFitting)
{
    const QByteArray json = R"({ "board": { "width": 6, "height": 3 }, "font": "Tiny",
        "frames": [ { "preset": "one-text", "text": "{destination_en}" } ] })";
    const RouteSet set(*RouteLayout::parse(json, QStringLiteral("layout.json")), *fonts);
    // A row made without a route list: a set's destination being edited.
    Destination row = latin(QStringLiteral("1"), QString(MaxSignTextLength, QLatin1Char('a')));
    const Expected<RouteSet::Built> longest = set.make(row);
    ASSERT_FALSE(longest.ok());
    EXPECT_EQ(longest.error().toStdString().find("characters long"), std::string::npos) << longest.error().toStdString();
    row.destinationEn += QLatin1Char('a');
    const Expected<RouteSet::Built> over = set.make(row);
    ASSERT_FALSE(over.ok());
    EXPECT_EQ(over.error(), "destination_en is 1001 characters long, at most 1000");
}

// A code or word too long for the line breaks after its hyphen, on two
// lines where they fit, else over pages; "ab-" is 8 LEDs wide, "ab-ca" 14.
TEST_F(TinyBoard, AWordBreaksAfterItsHyphen)
{
    struct Case {
        const char* text;
        int width;
        int height;
        const char* step;
        std::vector<std::vector<std::string>> frames;
    };
    const Case cases[] = {
        // Two lines keep a dark row between them: 7 rows.
        {"ab-ca", 10, 7, "hyphen break",
         {{".##.##....", //
           ".#...#.##.",
           ".##.##....",
           "..........",
           "..#..##...",
           "..##.#....",
           "..#..##..."}}},
        // In 6 rows they would touch: pages.
        {"ab-ca", 10, 6, "2 pages",
         {{"..........", //
           ".##.##....",
           ".#...#.##.",
           ".##.##....",
           "..........",
           ".........."},
          {"..........", //
           "..#..##...",
           "..##.#....",
           "..#..##...",
           "..........",
           ".........."}}},
        // Two lines do not fit 3 rows: the parts go to pages.
        {"ab-ca", 10, 3, "2 pages",
         {{".##.##....", //
           ".#...#.##.",
           ".##.##...."},
          {"..#..##...", //
           "..##.#....",
           "..#..##..."}}},
        // Between words before the hyphen.
        {"ca ab-ca", 14, 7, "two lines",
         {{"....#..##.....", //
           "....##.#......",
           "....#..##.....",
           "..............",
           "##.##....#..##",
           "#...#.##.##.#.",
           "##.##....#..##"}}},
    };
    for (const Case& c : cases) {
        const QByteArray json = QStringLiteral(R"({ "board": { "width": %1, "height": %2 },
            "font": "Tiny", "letterSpacing": 0, "doubled": false, "tightSpacing": false,
            "frames": [ { "preset": "one-text", "text": "{route}" } ] })")
                                    .arg(c.width)
                                    .arg(c.height)
                                    .toUtf8();
        const RouteSet set(*RouteLayout::parse(json, QStringLiteral("layout.json")), *fonts);
        const Expected<RouteSet::Built> built = set.make(latin(QString::fromUtf8(c.text), QStringLiteral("a")));
        ASSERT_TRUE(built.ok()) << c.text << ": " << built.error().toStdString();
        EXPECT_EQ(built->step, c.step) << c.text;
        EXPECT_EQ(shown(built->image, c.width, c.height), c.frames) << c.text << " in " << c.height << " rows";
    }
}

TEST_F(TinyBoard, PagesOfTwoLinesWhereTheyFit)
{
    struct Case {
        int height;
        const char* step;
        std::vector<std::vector<std::string>> frames;
    };
    // "ab ca cb" beside the number "1": 13 LEDs on one line, 8 for the text
    // after the number and its gap of 3. Two lines and the dark row between
    // them take 7 rows.
    const Case cases[] = {
        {7, "2 pages",
         {{".....##.##..", //
           ".....#...#..",
           "#....##.##..",
           "#...........",
           "#....#..##..",
           ".....##.#...",
           ".....#..##.."},
          {"............", //
           "............",
           "#....#..##..",
           "#....##..#..",
           "#....#..##..",
           "............",
           "............"}}},
        // Six and five rows hold one line: a page for each word.
        {6, "3 pages",
         {{"............", //
           "#....##.##..",
           "#....#...#..",
           "#....##.##..",
           "............",
           "............"},
          {"............", //
           "#....#..##..",
           "#....##.#...",
           "#....#..##..",
           "............",
           "............"},
          {"............", //
           "#....#..##..",
           "#....##..#..",
           "#....#..##..",
           "............",
           "............"}}},
        {5, "3 pages",
         {{"............", //
           "#....##.##..",
           "#....#...#..",
           "#....##.##..",
           "............"},
          {"............", //
           "#....#..##..",
           "#....##.#...",
           "#....#..##..",
           "............"},
          {"............", //
           "#....#..##..",
           "#....##..#..",
           "#....#..##..",
           "............"}}},
    };
    for (const Case& c : cases) {
        const QByteArray json = QStringLiteral(R"({ "board": { "width": 12, "height": %1 },
            "font": "Tiny", "letterSpacing": 0, "doubled": false, "tightSpacing": false,
            "frames": [ { "preset": "number", "destination": "{destination_en}" } ] })")
                                    .arg(c.height)
                                    .toUtf8();
        const RouteSet set(*RouteLayout::parse(json, QStringLiteral("layout.json")), *fonts);
        const Expected<RouteSet::Built> built = set.make(latin(QStringLiteral("1"), QStringLiteral("ab ca cb")));
        ASSERT_TRUE(built.ok()) << built.error().toStdString();
        EXPECT_EQ(built->step, c.step) << c.height;
        EXPECT_EQ(shown(built->image, 12, c.height), c.frames) << c.height << " rows";
    }
}

// 13 LEDs a page of one line: "ab ca" fills it, "ab cab" takes 16, "ab c" 10.
TEST_F(TinyBoard, MaxPagesShortensByTheFewestAbbreviationsLongestFirst)
{
    const std::vector<Abbreviation> list = {{QStringLiteral("abcab"), QStringLiteral("bc")},
                                            {QStringLiteral("cab"), QStringLiteral("c")},
                                            {QStringLiteral("ba"), QStringLiteral("b")}};
    struct Case {
        const char* text;
        int maxPages; // 0: no limit
        bool abbreviations;
        const char* outcome; // the step, or the reason it does not fit
        std::vector<std::string> lastFrame;
    };
    const Case cases[] = {
        {"ab ca", 1, true, "fits", {"##.##...#..##", "#...#...##.#.", "##.##...#..##"}},
        {"ab cab", 0, true, "2 pages", {"..#..##.##...", "..##.#...#...", "..#..##.##..."}},
        {"ab cab", 1, true, "fits, abbreviated", {".##.##...#...", ".#...#...##..", ".##.##...#..."}},
        {"ab cab", 1, false, "frame 1: 2 pages, at most 1", {}},
        // A word too long for any page is shortened with no limit too; the
        // shorter "cab" is left as it is.
        {"abcab ca cab", 0, true, "2 pages, abbreviated", {"..#..##.##...", "..##.#...#...", "..#..##.##..."}},
        {"abcab ca cab", 2, true, "2 pages, abbreviated", {"..#..##.##...", "..##.#...#...", "..#..##.##..."}},
        {"abcab ca cab", 1, true, "frame 1: 2 pages, at most 1", {}},
        // Whole words only: "cab" inside "cabab" is no word.
        {"cabab", 0, true,
         "frame 1: not even in pages: Nothing fits 13 x 3: at 3 px with spacing 0 the text takes 14 x 3.", {}},
    };
    for (const Case& c : cases) {
        QByteArray json = R"({ "board": { "width": 13, "height": 3 },
            "font": "Tiny", "letterSpacing": 0, "doubled": false, "tightSpacing": false,
            "frames": [ { "preset": "one-text", "text": "{destination_en}" } ] })";
        if (c.maxPages > 0)
            json.replace("\"font\"", QStringLiteral("\"max_pages\": %1, \"font\"").arg(c.maxPages).toUtf8());
        RouteSet set(*RouteLayout::parse(json, QStringLiteral("layout.json")), *fonts);
        if (c.abbreviations)
            set.setAbbreviations(list);
        const Expected<RouteSet::Built> built = set.make(latin(QStringLiteral("1"), QString::fromUtf8(c.text)));
        if (c.lastFrame.empty()) {
            ASSERT_FALSE(built.ok()) << c.text << " at most " << c.maxPages;
            EXPECT_EQ(built.error(), c.outcome) << c.text;
            continue;
        }
        ASSERT_TRUE(built.ok()) << c.text << ": " << built.error().toStdString();
        EXPECT_EQ(built->step, c.outcome) << c.text << " at most " << c.maxPages;
        EXPECT_EQ(shown(built->image, 13, 3).back(), c.lastFrame) << c.text << " at most " << c.maxPages;
    }
}

TEST(SetLetteringFit, AbbreviationsReachEverySignAndOnlyWhereNeeded)
{
    FontList fonts(depot_test::projectFonts());
    SetLettering lettering(fonts);
    const VehicleSign front{QStringLiteral("front"), 48, 16,
                            QStringLiteral(R"({"max_pages":1,"frames":[{"preset":"one-text","text":"{destination_en}"}]})")};
    Destination d;
    d.code = QStringLiteral("101");
    d.route = QStringLiteral("101");
    d.destinationEn = QStringLiteral("Vake Didu Glda Isan Vark");
    EXPECT_EQ(lettering.letter(front, d).fit.status,
              SetLettering::notFit(QStringLiteral("frame 1: 2 pages, at most 1")));
    lettering.setAbbreviations({{QStringLiteral("Didu"), QStringLiteral("D")},
                                {QStringLiteral("Glda"), QStringLiteral("G")},
                                {QStringLiteral("Isan"), QStringLiteral("I")}});
    const SignImage shortened = lettering.letter(front, d);
    EXPECT_TRUE(shortened.fit.fits) << shortened.fit.status.toStdString();
    EXPECT_TRUE(shortened.fit.status.endsWith(QStringLiteral(", abbreviated"))) << shortened.fit.status.toStdString();
    d.destinationEn = QStringLiteral("Vake Didu"); // fits without: left whole
    EXPECT_EQ(lettering.letter(front, d).fit.status, QStringLiteral("condensed 11"));
}

// Random texts of the tiny letters: pages never lose, repeat or reorder a
// letter, each page fits its area, and pages of two lines never take more
// pages than pages of one.
TEST_F(TinyBoard, PagesKeepEveryLetterAndTwoLinesNeverTakeMore)
{
    const unsigned seed = std::random_device{}();
    std::mt19937 random(seed);
    const QString separators[] = {QStringLiteral(" "), QStringLiteral(", "), QStringLiteral(" - "),
                                  QStringLiteral("-")};
    auto lettersOf = [](const QString& text) {
        QString letters;
        for (const QChar c : text)
            if (c.isLetter())
                letters += c;
        return letters;
    };
    for (int round = 0; round < 300; ++round) {
        QString text;
        const int words = 1 + static_cast<int>(random() % 7);
        for (int w = 0; w < words; ++w) {
            if (w > 0)
                text += separators[random() % std::size(separators)];
            const int length = 1 + static_cast<int>(random() % 4);
            for (int i = 0; i < length; ++i)
                text += QLatin1Char("abc"[random() % 3]);
        }
        const int width = 5 + static_cast<int>(random() % 16);
        const PageFit one = TextFit::pages(text, *fonts, style, width, 3, order);
        const PageFit two = TextFit::pages(text, *fonts, style, width, 6, order);
        const std::string where = "seed " + std::to_string(seed) + ": \"" + text.toStdString() + "\" in " +
                                  std::to_string(width);
        ASSERT_TRUE(!one.fits || two.fits) << where;
        if (!two.fits)
            continue;
        for (const PageFit* fit : {&one, &two}) {
            if (!fit->fits)
                continue;
            QString joined;
            for (const QString& page : fit->pages) {
                joined += page;
                auto font = fonts->open(style.font, fit->face.height, false);
                ASSERT_TRUE(font.ok());
                const TextExtent e = TextLayout::measure(TextLayout::lines(page), **font, fit->face.letterSpacing, 0);
                EXPECT_LE(e.width, width) << where << ": " << page.toStdString();
                EXPECT_LE(e.height, fit == &one ? 3 : 6) << where << ": " << page.toStdString();
            }
            EXPECT_EQ(lettersOf(joined), lettersOf(text)) << where;
        }
        if (one.fits) {
            EXPECT_LE(two.pages.size(), one.pages.size()) << where;
        }
    }
}

// The example bus letters the route number in its number face at the sign's
// full height, and a code that face cannot show in the text face instead.
TEST(SetLetteringFit, ACodeTheNumberFaceCannotShowGoesToTheTextFace)
{
    FontList fonts(depot_test::projectFonts());
    const SetLettering lettering(fonts);
    const Expected<std::vector<VehicleSign>> signs =
        SignProfile::read(QStringLiteral(VEXEL_EXAMPLES "/bus-profile.json"));
    ASSERT_TRUE(signs.ok()) << signs.error().toStdString();
    const auto sign = [&](const char* name) {
        return *std::find_if(signs->begin(), signs->end(),
                             [&](const VehicleSign& s) { return s.name == QLatin1String(name); });
    };
    struct Case {
        const char* sign;
        const char* route;
        const char* status;
        const char* numberFont; // of the first frame's route number
        int numberHeight;
    };
    const Case cases[] = {
        {"rear", "12", "fits", "Vexel LED Numbers", 16},
        {"rear", "B44-SBS", "hyphen break", "Vexel LED", 7},
        {"front", "12", "fits", "Vexel LED Numbers", 19},
        {"side", "12", "fits", "Vexel LED Numbers", 16},
        // Codes with letters and a hyphen in the numbers' face, condensed
        // where the regular one is too wide.
        {"side", "B44-SBS", "", "Vexel LED Numbers", 16},
        {"rear", "Bx12", "condensed 16", "Vexel LED Numbers", 16},
        {"front", "Bx4A", "fits", "Vexel LED Numbers", 19},
    };
    for (const Case& c : cases) {
        Destination d;
        d.code = d.route = QString::fromUtf8(c.route);
        d.destinationEn = QStringLiteral("Airport");
        const SignImage image = lettering.letter(sign(c.sign), d);
        ASSERT_TRUE(image.fit.fits) << c.sign << " " << c.route << ": " << image.fit.status.toStdString();
        if (*c.status) {
            EXPECT_EQ(image.fit.status, QString::fromUtf8(c.status)) << c.sign << " " << c.route;
        }
        ASSERT_FALSE(image.pages.empty());
        const TextBlock& number = image.pages.front().texts.front();
        EXPECT_EQ(number.style.font, QString::fromUtf8(c.numberFont)) << c.sign << " " << c.route;
        if (c.numberHeight) {
            EXPECT_EQ(number.style.height, c.numberHeight) << c.sign << " " << c.route;
        }
    }
}

// The set's keep-together phrases reach every sign's lettering: a two-word
// name the plain fit splits across lines stays on one line once listed,
// whenever another fit exists, and the sign still fits.
TEST(SetLetteringFit, KeepTogetherPhrasesStayOnOneLine)
{
    FontList fonts(depot_test::projectFonts());
    const VehicleSign side{QStringLiteral("side"), 84, 16,
                           QStringLiteral(R"({"frames":[{"preset":"one-text","text":"{destination_en}"}]})")};
    auto linesOf = [](const SignImage& image) {
        QStringList lines;
        for (const LetteredPage& page : image.pages)
            for (const TextBlock& block : page.texts)
                lines << block.text.split(QLatin1Char('\n'));
        return lines;
    };
    int split = 0;
    for (const char* text : {"Vake Didu Glda Isan", "Avenue Sheepshead Bay Road", "Kings Plaza Mill Basin Av"}) {
        Destination d;
        d.code = d.route = QStringLiteral("101");
        d.destinationEn = QString::fromUtf8(text);
        SetLettering plain(fonts);
        const SignImage before = plain.letter(side, d);
        ASSERT_TRUE(before.fit.fits) << text;
        const QStringList lines = linesOf(before);
        if (lines.size() < 2)
            continue;
        // The words on each side of the first break, listed as one name.
        const QString phrase = lines[0].split(QLatin1Char(' ')).last() + QLatin1Char(' ') +
                               lines[1].split(QLatin1Char(' ')).first();
        ++split;
        SetContents contents;
        contents.words.keepTogether = QStringList{phrase};
        SetLettering kept(fonts);
        contents.prepare(kept);
        const SignImage after = kept.letter(side, d);
        ASSERT_TRUE(after.fit.fits) << text << ": " << after.fit.status.toStdString();
        const QStringList now = linesOf(after);
        EXPECT_TRUE(now.join(QLatin1Char('|')).contains(phrase)) << text << " kept " << phrase.toStdString() << ": "
                                                                << now.join(QLatin1Char('|')).toStdString();
    }
    EXPECT_GT(split, 0); // at least one text needed two lines
}

// A via frame starts with the set's word for the via's script, on every sign
// of the example bus; a destination without a via letters as before, and a
// route list, which has no words, letters the via alone.
TEST(SetLetteringFit, AViaFrameStartsWithTheSetsViaWordForItsScript)
{
    FontList fonts(depot_test::projectFonts());
    const Expected<std::vector<VehicleSign>> signs = SignProfile::read(QStringLiteral(VEXEL_EXAMPLES "/bus-profile.json"));
    ASSERT_TRUE(signs.ok()) << signs.error().toStdString();
    SetContents contents;
    SetLettering worded(fonts);
    contents.prepare(worded);
    const SetLettering bare(fonts);
    auto viaTexts = [](const SignImage& image) {
        QStringList texts;
        for (const LetteredPage& page : image.pages)
            if (page.via)
                for (const TextBlock& block : page.texts)
                    if (block.text != QLatin1String("12")) // the route number beside it
                        texts << QString(block.text).replace(QLatin1Char('\n'), QLatin1Char(' '));
        return texts.join(QLatin1Char(' ')).simplified();
    };
    Destination d;
    d.code = d.route = QStringLiteral("12");
    d.destinationEn = QStringLiteral("Airport");
    d.destinationKa = QStringLiteral("აეროპორტი");
    int vias = 0;
    for (const VehicleSign& sign : *signs) {
        SCOPED_TRACE(sign.name.toStdString());
        Destination latin = d;
        latin.viaEn = QStringLiteral("W Frms Rd");
        const SignImage image = worded.letter(sign, latin);
        ASSERT_TRUE(image.fit.fits) << image.fit.status.toStdString();
        const QString shown = viaTexts(image);
        if (shown.isEmpty())
            continue; // this sign's layout shows no via
        ++vias;
        EXPECT_EQ(shown, QStringLiteral("via W Frms Rd"));
        EXPECT_EQ(viaTexts(bare.letter(sign, latin)), QStringLiteral("W Frms Rd"));

        Destination georgian = latin;
        georgian.viaKa = QStringLiteral("ვაკე");
        const QString both = viaTexts(worded.letter(sign, georgian));
        EXPECT_TRUE(both.contains(QStringLiteral("გავლით: ვაკე")) || both.contains(QStringLiteral("via W Frms Rd")))
            << both.toStdString();
        EXPECT_FALSE(both.contains(QStringLiteral("via ვაკე"))) << both.toStdString();

        EXPECT_EQ(worded.letter(sign, d).image->lines(), bare.letter(sign, d).image->lines());
    }
    EXPECT_GT(vias, 0);
}
