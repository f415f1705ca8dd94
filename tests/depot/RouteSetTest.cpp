// Route sets: one image a row, frames left out for empty columns, rows that
// do not fit or cannot name a file written nowhere.
#include "DepotTestSupport.h"

#include "depot/RouteSet.h"
#include "document/ImageFile.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vexel;

namespace {

const QByteArray Layout = R"({
    "board": { "width": 96, "height": 24 },
    "frames": [
        { "preset": "number", "destination": "{destination_ka}", "duration": 4000 },
        { "preset": "number", "destination": "{destination_en}", "entry": 2, "duration": 3000 },
        { "preset": "two-lines", "text": "{via}", "entry": 1, "exit": 1, "duration": 2500 } ] })";

RouteRow row(int line, const char* route, const char* ka, const char* en = "", const char* via = "")
{
    return RouteRow{line, QString::fromUtf8(route), QString::fromUtf8(ka), QString::fromUtf8(en), QString::fromUtf8(via)};
}

class RouteSetTest : public ::testing::Test {
protected:
    RouteSetTest() : fonts(depot_test::projectFonts()), set(*RouteLayout::parse(Layout, "layout.json"), fonts) {}

    std::vector<FrameHeader> headers(const ImageRecord& record)
    {
        std::vector<FrameHeader> out;
        for (int f = 0; f < *record.frameCount(); ++f)
            out.push_back(*record.headerAt(record.headerLine(f)));
        return out;
    }

    FontList fonts;
    RouteSet set;
};

} // namespace

TEST_F(RouteSetTest, EveryFrameOfTheLayoutWithItsTiming)
{
    ASSERT_TRUE(set.checkFonts().ok());
    const Expected<ImageRecord> record = set.build(row(2, "12", "აეროპორტი", "Airport", "რუსთაველი, ვაკე").destination());
    ASSERT_TRUE(record.ok()) << record.error().toStdString();
    EXPECT_TRUE(record->check().ok());
    const std::vector<FrameHeader> h = headers(*record);
    ASSERT_EQ(h.size(), 3u);
    for (int f = 0; f < 3; ++f) {
        EXPECT_EQ(h[static_cast<std::size_t>(f)].index, f);
        EXPECT_EQ(h[static_cast<std::size_t>(f)].rect, (FrameRect{0, 0, 96, 24}));
    }
    EXPECT_EQ(h[0].duration, 4000);
    EXPECT_EQ(h[1].entryEffect, 2);
    EXPECT_EQ(h[2].entryEffect, 1);
    EXPECT_EQ(h[2].exitEffect, 1);
    EXPECT_EQ(h[2].duration, 2500);
}

TEST_F(RouteSetTest, FramesOfEmptyColumnsAreLeftOut)
{
    const Expected<ImageRecord> record = set.build(row(3, "61", "ვაკე", "", "საბურთალო").destination());
    ASSERT_TRUE(record.ok()) << record.error().toStdString();
    const std::vector<FrameHeader> h = headers(*record);
    ASSERT_EQ(h.size(), 2u);
    EXPECT_EQ(h[0].duration, 4000);
    EXPECT_EQ(h[1].duration, 2500); // the via frame, numbered on
    EXPECT_EQ(h[1].index, 1);
}

TEST_F(RouteSetTest, RowsThatCannotBeLetteredAreRefusedWithTheReason)
{
    struct Case {
        RouteRow row;
        const char* message;
    };
    const Case cases[] = {
        // One word longer than any page.
        {row(2, "12", "აეროპორტირუსთაველისგამზირივაკესაბურთალოდიდუბე"),
         "frame 1: not even in pages: Nothing fits 69 x 24"},
        {row(3, "12", "ვაკე", "Tokyo 東京"), "frame 2: the font lacks 東 (U+6771), 京 (U+4EAC)"},
        {row(4, "", "ვაკე"), "the route number is empty"},
        {row(5, "7", "  ", " "), "the destination is empty in both scripts"},
        {row(6, "../7", "ვაკე"), "a character a file name cannot hold"},
        {row(7, "..", "ვაკე"), "cannot name a file"},
    };
    for (const Case& c : cases) {
        const Expected<ImageRecord> record = set.build(c.row.destination());
        ASSERT_FALSE(record.ok()) << c.message;
        EXPECT_NE(record.error().toStdString().find(c.message), std::string::npos) << record.error().toStdString();
    }
}

TEST_F(RouteSetTest, WritingASetSkipsTheRowsThatFail)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("set")); // made on the way
    QDir().mkpath(folder);
    // A file from an earlier run stays whole when its row now fails.
    const QByteArray earlier = testing_support::blankImageText(96, 24);
    testing_support::writeAll(folder + "/99.img", earlier);

    const std::vector<RouteRow> rows = {row(2, "12", "აეროპორტი"), row(3, "99", "東京"), row(4, "12", "ვაკე"),
                                        row(5, "37", "ვაკე")};
    const RouteSet::Outcome outcome = set.write(rows, folder, QStringLiteral("routes.csv"));
    EXPECT_EQ(outcome.written, (QStringList{folder + "/12.img", folder + "/37.img"}));
    ASSERT_EQ(outcome.problems.size(), 2);
    EXPECT_TRUE(outcome.problems[0].startsWith(QStringLiteral("routes.csv: line 3, route 99: frame 1: the font lacks")))
        << outcome.problems[0].toStdString();
    EXPECT_EQ(outcome.problems[1],
              QStringLiteral("routes.csv: line 4, route 12: the route is on line 2 already; written nowhere"));
    EXPECT_EQ(testing_support::readAll(folder + "/99.img"), earlier);
    EXPECT_TRUE(ImageFile::load(folder + "/12.img").ok());
    EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), 3); // no temporary file left behind
}

TEST_F(RouteSetTest, AFontTheLayoutNamesMustBeInstalled)
{
    RouteLayout layout = set.layout();
    layout.frames[1].style.font = QStringLiteral("Nonesuch");
    EXPECT_EQ(RouteSet(layout, fonts).checkFonts().error(), "frames[1].font: the font \"Nonesuch\" is not installed");
    layout = set.layout();
    layout.frames[0].preset = RouteFrame::Preset::OneText;
    layout.frames[0].fit = false;
    layout.frames[0].style.height = 10; // between the drawn 9 and 11, and no enlargement
    EXPECT_EQ(RouteSet(layout, fonts).checkFonts().error(), "frames[0].height: \"Vexel LED\" has no height 10");
    layout.frames[0].style.height = 9;
    EXPECT_TRUE(RouteSet(layout, fonts).checkFonts().ok());
}

// A layout's "bold" letters in the bold face at the heights that have one,
// enlargements included, and in the regular face at the others.
TEST_F(RouteSetTest, BoldLettersInTheBoldFaceWhereTheHeightHasOne)
{
    for (const auto& [height, hasBold] : {std::pair{11, true}, std::pair{14, true}, std::pair{16, true},
                                          std::pair{22, true}, std::pair{9, false}, std::pair{7, false}}) {
        SCOPED_TRACE(height);
        auto lettered = [&, height = height](bool bold) {
            const QByteArray json = QStringLiteral(R"({ "board": { "width": 160, "height": 24 },
                "height": %1, "bold": %2,
                "frames": [ { "preset": "one-text", "text": "Airport აბ", "fit": false } ] })")
                                        .arg(height)
                                        .arg(bold ? "true" : "false")
                                        .toUtf8();
            const Expected<RouteLayout> layout = RouteLayout::parse(json, QStringLiteral("layout.json"));
            EXPECT_TRUE(layout.ok()) << layout.error().toStdString();
            const Expected<Lettering> l = RouteSet(*layout, fonts).letter(layout->frames[0], {});
            EXPECT_TRUE(l.ok() && l->missing.empty() && !l->overflow);
            return l ? l->bitmap : LedBitmap();
        };
        const LedBitmap regular = lettered(false);
        const LedBitmap bold = lettered(true);
        if (hasBold)
            EXPECT_GT(bold.litCount(), regular.litCount());
        else
            EXPECT_EQ(bold, regular);
    }
}

// A layout that names a number font and holds the order to native faces,
// with quotes in the via text, lettered in the test faces.
TEST(RouteSetFaces, ANumberFontAndQuotesInTheVia)
{
    const QByteArray json = R"({
        "board": { "width": 96, "height": 16 },
        "font": "Test LED", "number_font": "Test LED Numbers", "doubled": false, "tightSpacing": false,
        "frames": [
            { "preset": "number", "destination": "{destination_en}" },
            { "preset": "two-lines", "text": "{via}" } ] })";
    const Expected<RouteLayout> layout = RouteLayout::parse(json, QStringLiteral("layout.json"));
    ASSERT_TRUE(layout.ok()) << layout.error().toStdString();
    EXPECT_EQ(layout->frames[0].numberFont, QStringLiteral("Test LED Numbers"));
    EXPECT_FALSE(layout->frames[0].order.doubled);
    EXPECT_FALSE(layout->frames[1].order.tightSpacing);

    FontList::Places places;
    places.ledFontFolders << QStringLiteral(VEXEL_TEST_FONTS);
    places.systemFonts = false;
    FontList fonts(places);
    const RouteSet set(*layout, fonts);
    ASSERT_TRUE(set.checkFonts().ok()) << set.checkFonts().error().toStdString();
    const RouteRow row{2, QStringLiteral("12A"), QStringLiteral("აბ"), QStringLiteral("Airport"),
                       QStringLiteral("Metekhi \"Bridge\"")};
    const Expected<ImageRecord> record = set.build(row.destination());
    ASSERT_TRUE(record.ok()) << record.error().toStdString();
    EXPECT_EQ(*record->frameCount(), 2);

    // The number in its own face, 8 rows and not doubled to 16.
    const Expected<Lettering> first = set.letter(layout->frames[0], RouteSet::values(row.destination()));
    ASSERT_TRUE(first.ok()) << first.error().toStdString();
    const auto rowsOf = depot_test::rows(first->bitmap);
    int lit = 0;
    for (const std::string& r : rowsOf)
        lit += r.find('#') != std::string::npos ? 1 : 0;
    EXPECT_LE(lit, 8);

    // A number font that is not installed is named with its frame.
    RouteLayout other = *layout;
    other.frames[0].numberFont = QStringLiteral("Nonesuch");
    EXPECT_EQ(RouteSet(other, fonts).checkFonts().error(),
              "frames[0].number_font: the font \"Nonesuch\" is not installed");

    // A character no face has is named as before.
    const RouteRow euro{3, QStringLiteral("7"), QStringLiteral("ვ"), QStringLiteral("5 \u20AC"), QString()};
    const Expected<ImageRecord> refused = set.build(euro.destination());
    ASSERT_FALSE(refused.ok());
    EXPECT_NE(refused.error().toStdString().find("frame 1: the font lacks \u20AC (U+20AC)"), std::string::npos) << refused.error().toStdString();
}
