// The legibility audit: each measure just met and just missed on faces drawn
// here, so their letters' rows, stems and widths are known; texts told apart
// as route number and destination; the sign reported once when it is too
// small for a rule; and the rule files read, a broken one refused at its line.
#include "audit/LegibilityAudit.h"
#include "depot/RouteSet.h"
#include "sets/SetContents.h"
#include "sets/SignProfile.h"
#include "document/FrameHeader.h"
#include "lettering/FontList.h"

#include "depot/DepotTestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vexel;

namespace {

// A glyph of `rows` rows: `top` dark rows, then the picture, then dark rows.
std::string glyph(const char* code, int rows, int top, std::vector<std::string> picture, const char* advance = "")
{
    const std::size_t width = picture.front().size();
    std::string out = std::string("glyph ") + code + advance + "\n";
    for (int y = 0; y < rows; ++y) {
        const int p = y - top;
        out += (p >= 0 && p < static_cast<int>(picture.size())) ? picture[static_cast<std::size_t>(p)]
                                                                : std::string(width, '.');
        out += '\n';
    }
    return out;
}

std::vector<std::string> letterH(int rows, int width, int stem)
{
    std::vector<std::string> out;
    for (int y = 0; y < rows; ++y) {
        std::string row(static_cast<std::size_t>(width), '.');
        for (int x = 0; x < width; ++x)
            if (x < stem || x >= width - stem || y == rows / 2)
                row[static_cast<std::size_t>(x)] = '#';
        out.push_back(row);
    }
    return out;
}

std::vector<std::string> block(int rows, int width) { return std::vector<std::string>(rows, std::string(width, '#')); }

// Faces of "Audit LED" drawn for the audit: at 10 rows an H 10 high, 6 wide
// with 2-LED stems and a Georgian ბ 8 rows high; at 11 rows an H 11 high, 6
// wide, with 1-LED stems; "Audit Numbers" at 12 rows has digits only, the 1
// 12 rows high and the 2 11.
class AuditFonts {
public:
    AuditFonts()
    {
        const QString folder = dir.path();
        write(folder + "/a10.vfont", "family Audit LED\nheight 10\nbaseline 9\n\n" + glyph("U+0020", 10, 0, {".."}) +
                                         glyph("U+0048", 10, 0, letterH(10, 6, 2)) +
                                         glyph("U+0041", 10, 0, block(10, 3)) +
                                         glyph("U+0061", 10, 4, block(6, 3)) +
                                         glyph("U+0057", 10, 0, block(10, 4), " advance 4") +
                                         glyph("U+10D1", 10, 0, block(8, 4)));
        write(folder + "/a11.vfont", "family Audit LED\nheight 11\nbaseline 10\n\n" + glyph("U+0020", 11, 0, {".."}) +
                                         glyph("U+0048", 11, 0, letterH(11, 6, 1)));
        write(folder + "/n12.vfont", "family Audit Numbers\nheight 12\nbaseline 11\n\n" +
                                         glyph("U+0031", 12, 0, block(12, 2)) + glyph("U+0032", 12, 1, block(11, 5)));
        // "Audit Tail": a T 8 rows high and a j running 2 rows below it, its
        // stem on the left.
        write(folder + "/t10.vfont", "family Audit Tail\nheight 10\nbaseline 7\n\n" + glyph("U+0054", 10, 0, block(8, 3)) +
                                         glyph("U+006A", 10, 2, std::vector<std::string>(8, "#..")));
        FontList::Places places;
        places.ledFontFolders << folder;
        places.systemFonts = false;
        fonts = std::make_unique<FontList>(places);
    }
    FontList& list() { return *fonts; }

private:
    static void write(const QString& path, const std::string& text)
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text.data(), static_cast<qint64>(text.size()));
    }
    QTemporaryDir dir;
    std::unique_ptr<FontList> fonts;
};

LegibilityRules rulesOf(const std::string& text)
{
    Expected<LegibilityRules> r = LegibilityRules::parse(QByteArray::fromStdString("name t\nsource s\n" + text),
                                                         QStringLiteral("t.vrules"));
    EXPECT_TRUE(r.ok()) << r.error().toStdString();
    return r ? *r : LegibilityRules{};
}

TextBlock text(const QString& t, const char* font, int height, int spacing = 0)
{
    TextBlock b;
    b.text = t;
    b.style.font = QString::fromLatin1(font);
    b.style.height = height;
    b.style.letterSpacing = spacing;
    return b;
}

// An image of frames with these durations on a 40 x 20 board, each frame
// showing one page of texts.
SignImage imageOf(const std::vector<int>& durations, const std::vector<TextBlock>& texts)
{
    SignImage out;
    ImageRecord record;
    record.appendLine("0000");
    PixelArray bits;
    for (std::size_t i = 0; i < durations.size(); ++i) {
        FrameHeader h;
        h.index = static_cast<int>(i);
        h.duration = durations[i];
        h.rect = FrameRect{0, 0, 40, 20};
        record.appendFrame(h, bits);
        out.pages.push_back({0, false, texts});
    }
    record.setFrameCount(static_cast<int>(durations.size()));
    out.image = record;
    out.fit = {true, QStringLiteral("fits"), {}};
    return out;
}

Destination twelve()
{
    Destination d;
    d.code = d.route = QStringLiteral("12");
    d.destinationEn = QStringLiteral("Airport");
    return d;
}

struct Case {
    const char* name;
    std::string rule;           // one rule, its check and numbers
    std::vector<int> durations; // frames of the image
    TextBlock shown;            // on every frame
    double pitch;
    bool found;
    const char* measured; // what the finding says, when there is one
};

class AuditCase : public ::testing::TestWithParam<Case> {};

TEST_P(AuditCase, EachMeasureIsMetAtItsBoundAndMissedJustPastIt)
{
    static AuditFonts fonts;
    const Case& c = GetParam();
    const LegibilityAudit audit(rulesOf("rule r\n" + c.rule + "\nquote q\n"), fonts.list());
    const VehicleSign sign("front", 40, 20, "{}", c.pitch, "front");
    const std::vector<LegibilityFinding> found = audit.check(sign, twelve(), imageOf(c.durations, {c.shown}));
    ASSERT_EQ(!found.empty(), c.found) << (found.empty() ? "" : found.front().line().toStdString());
    if (c.found) {
        EXPECT_EQ(found.front().measured, QString::fromUtf8(c.measured));
        EXPECT_EQ(found.front().rule, "r");
    }
}

const TextBlock H10 = text(QStringLiteral("HAH"), "Audit LED", 10);
const TextBlock H11 = text(QStringLiteral("HAH"), "Audit LED", 11);

INSTANTIATE_TEST_SUITE_P(
    Measures, AuditCase,
    ::testing::Values(
        // 10 rows of H at 20 mm are 200 mm; at 19.9 mm, 199 mm.
        Case{"HeightMet", "check height\nmin 200 mm", {4000}, H10, 20.0, false, ""},
        Case{"HeightMissed", "check height\nmin 200 mm", {4000}, H10, 19.9, true, "199 mm (10 rows × 19.9 mm)"},
        Case{"HeightInInches", "check height\nmin 2 in", {4000}, H10, 5.08, false, ""},
        Case{"HeightInInchesMissed", "check height\nmin 2 in", {4000}, H10, 5.07, true, "50.7 mm (10 rows × 5.07 mm)"},
        Case{"HeightAtMost", "check height\nmax 100 mm", {4000}, H10, 10.1, true, "101 mm (10 rows × 10.1 mm)"},
        // ბ is 8 rows: a Georgian text is measured on it, not on H.
        Case{"GeorgianMet", "check height\nmin 200 mm", {4000}, text(QStringLiteral("ბHბ"), "Audit LED", 10), 25.0,
             false, ""},
        Case{"GeorgianMissed", "check height\nmin 200 mm", {4000}, text(QStringLiteral("ბHბ"), "Audit LED", 10), 24.9,
             true, "199.2 mm (8 rows × 24.9 mm)"},
        // A face of digits: its tallest, the 1 of 12 rows.
        Case{"DigitsMet", "check height\nmin 180 mm", {4000}, text(QStringLiteral("21"), "Audit Numbers", 12), 15.0,
             false, ""},
        Case{"DigitsMissed", "check height\nmin 180 mm", {4000}, text(QStringLiteral("21"), "Audit Numbers", 12), 14.9,
             true, "178.8 mm (12 rows × 14.9 mm)"},
        // Stems of 2 in 10 rows are 1:5, of 1 in 11 rows thinner than 1:10.
        Case{"StrokeMet", "check stroke\nmin 1:10\nmax 1:5", {4000}, H10, 10, false, ""},
        Case{"StrokeThin", "check stroke\nmin 1:10\nmax 1:5", {4000}, H11, 10, true, "1:11 LEDs"},
        Case{"StrokeHeavy", "check stroke\nmin 1:10\nmax 1:6", {4000}, H10, 10, true, "2:10 LEDs"},
        // 6 wide: 6:10 is 3:5 exactly, 6:11 narrower.
        Case{"WidthMet", "check width\nmin 3:5\nmax 1:1", {4000}, H10, 10, false, ""},
        Case{"WidthNarrow", "check width\nmin 3:5\nmax 1:1", {4000}, H11, 10, true, "6:11 LEDs"},
        // One dark LED between letters is 1:10 of a 10-row H; none when
        // the spacing is -1, and then they touch.
        Case{"SpacingMet", "check spacing\nmin 1:10", {4000}, H10, 10, false, ""},
        Case{"SpacingMissed", "check spacing\nmin 1:9", {4000}, H10, 10, true, "1:10 LEDs"},
        Case{"ApartMet", "check touch", {4000}, H10, 10, false, ""},
        Case{"Touching", "check touch", {4000}, text(QStringLiteral("HAH"), "Audit LED", 10, -1), 10, true,
             "\"HA\" touch in \"HAH\""},
        // W's advance leaves no dark column after it; a space parts words.
        Case{"TouchingByAdvance", "check touch", {4000}, text(QStringLiteral("H WA"), "Audit LED", 10), 10, true,
             "\"WA\" touch in \"H WA\""},
        Case{"SpaceParts", "check touch", {4000}, text(QStringLiteral("W A"), "Audit LED", 10), 10, false, ""},
        // Times: a page holds 2.7 s to 10 s, nothing faster than 2 Hz, a loop of 15 s.
        Case{"HoldMet", "check hold\nmin 2.7 s\nmax 10 s", {2700, 10000}, H10, 10, false, ""},
        Case{"HoldShort", "check hold\nmin 2.7 s\nmax 10 s", {2699, 10000}, H10, 10, true, "2.699 s"},
        Case{"HoldLong", "check hold\nmin 2.7 s\nmax 10 s", {2700, 10001}, H10, 10, true, "10.001 s"},
        Case{"OneFrameHoldsForever", "check hold\nmax 10 s", {30000}, H10, 10, false, ""},
        Case{"FlashMet", "check flash\nmax 2 Hz", {500, 500}, H10, 10, false, ""},
        Case{"FlashMissed", "check flash\nmax 2 Hz", {499, 3000}, H10, 10, true, "2.004 Hz (0.499 s shown)"},
        Case{"LoopMet", "check loop\nmax 15 s", {5000, 5000, 5000}, H10, 10, false, ""},
        Case{"LoopMissed", "check loop\nmax 15 s", {5000, 5000, 5001}, H10, 10, true, "15.001 s"},
        Case{"Capitals", "check capitals", {4000}, text(QStringLiteral("AIRPORT"), "Audit LED", 10), 10, true,
             "\"AIRPORT\""},
        Case{"MixedCase", "check capitals", {4000}, text(QStringLiteral("Airport"), "Audit LED", 10), 10, false, ""},
        Case{"ACodeAlone", "check capitals", {4000}, text(QStringLiteral("JFK"), "Audit LED", 10), 10, false, ""}),
    [](const ::testing::TestParamInfo<Case>& shown) { return std::string(shown.param.name); });

TEST(LegibilityAuditTest, RulesForTheNumberOrTheDestinationMeasureOnlyThatText)
{
    AuditFonts fonts;
    const LegibilityAudit audit(rulesOf("rule number\ncheck height\ntext number\nmin 200 mm\nquote q\n"
                                        "rule destination\ncheck height\ntext destination\nmin 150 mm\nquote q\n"
                                        "rule side-only\ncheck height\nplace side\nmin 999 mm\nquote q\n"),
                                fonts.list());
    const VehicleSign sign("front", 40, 20, "{}", 16, "front");
    // The number at 12 rows (192 mm), the destination at 10 (160 mm).
    const SignImage image = imageOf({4000}, {text(QStringLiteral("12"), "Audit Numbers", 12), H10});
    const std::vector<LegibilityFinding> found = audit.check(sign, twelve(), image);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].line(), "12 front page 1: number 192 mm (12 rows × 16 mm), at least 200 mm");
}

TEST(LegibilityAuditTest, ASignTooSmallForARuleIsReportedOnceAndItsImagesAreStillMeasured)
{
    FontList fonts(depot_test::projectFonts());
    const Expected<LegibilityRules> psvar = LegibilityRules::find(QStringLiteral("uk-psvar"));
    ASSERT_TRUE(psvar.ok()) << psvar.error().toStdString();
    const LegibilityAudit audit(*psvar, fonts);
    const char* layout = R"({ "font": "Vexel LED", "height": 11, "frames": [
        { "preset": "number", "number": "{route}", "destination": "{destination_en}" } ] })";
    // 19 rows at 8 mm are 152 mm: no number of 200 mm fits the front.
    SetContents set;
    set.signs.push_back(VehicleSign("front", 160, 19, layout, 8, "front"));
    for (const char* code : {"12", "37", "61"}) {
        Destination d;
        d.code = d.route = QString::fromLatin1(code);
        d.destinationEn = QStringLiteral("Vake Park");
        set.destinations.push_back(d);
    }
    const SetLettering lettering(fonts);
    const std::vector<LegibilityFinding> found = audit.checkSet(set, lettering);
    std::vector<QString> numberRule;
    for (const LegibilityFinding& f : found)
        if (f.rule == "number-front-rear")
            numberRule.push_back(f.line());
    // The sign's own line first; it does not hide how short each number
    // falls (a sign-level line once hid hundreds of numbers far below it).
    ASSERT_EQ(numberRule.size(), 4u);
    EXPECT_EQ(numberRule[0], "front: number-front-rear 152 mm at most (19 rows × 8 mm), at least 200 mm");
    for (std::size_t i = 1; i < numberRule.size(); ++i)
        EXPECT_TRUE(numberRule[i].contains(QStringLiteral(" front page 1: number-front-rear ")) &&
                    numberRule[i].endsWith(QStringLiteral(" mm), at least 200 mm")))
            << numberRule[i].toStdString();
    // The destination's rule can be met by the sign, so it is measured per destination.
    EXPECT_EQ(std::count_if(found.begin(), found.end(), [](const LegibilityFinding& f) {
                  return f.rule == "destination-front" && !f.code.isEmpty();
              }),
              3);
}

TEST(LegibilityAuditTest, ManyImagesOfOneCauseAreOneLineAndAnImageThatIsItsOwnCauseKeepsItsLine)
{
    AuditFonts fonts;
    const LegibilityAudit audit(rulesOf("rule number\ncheck height\ntext number\nmin 200 mm\nquote q\n"
                                        "rule case\ncheck capitals\nquote q\n"),
                                fonts.list());
    const VehicleSign front("front", 40, 20, "{}", 16, "front");
    const VehicleSign rear("rear", 40, 20, "{}", 16, "rear");
    std::vector<LegibilityFinding> found;
    auto audited = [&](const VehicleSign& sign, const char* code, const char* face, int height, const char* place) {
        Destination d;
        d.code = d.route = QString::fromLatin1(code);
        d.destinationEn = QString::fromLatin1(place);
        const SignImage image =
            imageOf({4000}, {text(d.route, face, height), text(d.destinationEn, "Audit LED", 10)});
        const std::vector<LegibilityFinding> f = audit.check(sign, d, image);
        found.insert(found.end(), f.begin(), f.end());
    };
    // Five numbers in the 12-row face on the front: one cause, the face.
    for (const char* code : {"1", "11", "111", "1111", "11111"})
        audited(front, code, "Audit Numbers", 12, "Airport");
    // One destination in capitals: its own text is the cause.
    audited(front, "111111", "Audit Numbers", 12, "DIDUBE PARK");
    // Three numbers of the same face on the rear: too few to be a cause.
    for (const char* code : {"1", "11", "111"})
        audited(rear, code, "Audit Numbers", 12, "Vake");
    ASSERT_EQ(found.size(), 10u);

    const std::vector<LegibilityGroup> groups = LegibilityGroup::group(found);
    QStringList lines;
    for (const LegibilityGroup& g : groups)
        lines << g.line();
    EXPECT_EQ(lines, (QStringList{
                         "front: number 192 mm (12 rows × 16 mm), at least 200 mm: 6 images set in Audit Numbers "
                         "12 rows (1 page 1, 11 page 1, 111 page 1)",
                         "111111 front page 1: case \"DIDUBE PARK\", not in capitals only",
                         "1 rear page 1: number 192 mm (12 rows × 16 mm), at least 200 mm",
                         "11 rear page 1: number 192 mm (12 rows × 16 mm), at least 200 mm",
                         "111 rear page 1: number 192 mm (12 rows × 16 mm), at least 200 mm",
                     }))
        << lines.join('\n').toStdString();
    EXPECT_EQ(groups[0].count, 6);

    // Letters that touch: the same pair in the same face is one cause
    // whatever the word it stands in.
    std::vector<LegibilityFinding> touching;
    for (const char* word : {"AW", "WAW", "HAW", "AWH"})
        touching.push_back({QString::fromLatin1(word), QStringLiteral("front"), 1, QStringLiteral("apart"),
                            QStringLiteral("\"AW\" touch in \"%1\"").arg(QString::fromLatin1(word)),
                            QStringLiteral("no letters touching"), QStringLiteral("set in Audit LED 10 rows"),
                            QStringLiteral("\"AW\" touch")});
    // A second page of one image is not a fifth image.
    touching.push_back(touching.front());
    touching.back().page = 2;
    const std::vector<LegibilityGroup> pairs = LegibilityGroup::group(touching);
    ASSERT_EQ(pairs.size(), 1u);
    EXPECT_EQ(pairs[0].line(), "front: apart \"AW\" touch, no letters touching: 4 images set in Audit LED 10 rows "
                               "(AW page 1, WAW page 1, HAW page 1)");
}

TEST(LegibilityAuditTest, TheExampleBusIsMeasuredFromTheFacesItsLayoutChose)
{
    FontList fonts(depot_test::projectFonts());
    const Expected<std::vector<VehicleSign>> signs = SignProfile::read(QStringLiteral(VEXEL_EXAMPLES "/bus-profile.json"));
    ASSERT_TRUE(signs.ok()) << signs.error().toStdString();
    const Expected<LegibilityRules> ours = LegibilityRules::find(QStringLiteral("vexel"));
    ASSERT_TRUE(ours.ok()) << ours.error().toStdString();
    const LegibilityAudit audit(*ours, fonts);
    Destination d = twelve();
    d.destinationKa = QStringLiteral("აეროპორტი");
    d.viaEn = QStringLiteral("Rustaveli");
    const SetLettering lettering(fonts);
    for (const VehicleSign& sign : *signs) {
        SCOPED_TRACE(sign.name.toStdString());
        const SignImage image = lettering.letter(sign, d);
        ASSERT_TRUE(image.fit.fits) << image.fit.status.toStdString();
        // One page of texts for each frame of the image, each text with its face.
        ASSERT_EQ(static_cast<int>(image.pages.size()), *image.image->frameCount());
        for (const LetteredPage& page : image.pages)
            for (const TextBlock& t : page.texts)
                EXPECT_GT(audit.measure(t.style, U'0').rows, 0) << t.text.toStdString();
        for (const LegibilityFinding& f : audit.check(sign, d, image))
            EXPECT_NE(f.rule, "letters-apart") << f.line().toStdString();
    }
}

// A long destination takes a small face; its short via is lettered no
// larger on any sign of the example bus, so via-size finds nothing.
TEST(LegibilityAuditTest, TheExampleBusLettersNoViaLargerThanItsDestination)
{
    FontList fonts(depot_test::projectFonts());
    const Expected<std::vector<VehicleSign>> signs = SignProfile::read(QStringLiteral(VEXEL_EXAMPLES "/bus-profile.json"));
    ASSERT_TRUE(signs.ok()) << signs.error().toStdString();
    const Expected<LegibilityRules> ours = LegibilityRules::find(QStringLiteral("vexel"));
    ASSERT_TRUE(ours.ok()) << ours.error().toStdString();
    const LegibilityAudit audit(*ours, fonts);
    const SetLettering lettering(fonts);
    const std::pair<const char*, const char*> texts[] = {
        {"Downtown Brooklyn Atlantic Terminal", "Fulton St"},
        {"Sheepshead Bay Emmons Av Knapp St", "Vake"},
        {"Airport", "Rustaveli"}};
    for (const auto& [destination, via] : texts) {
        Destination d = twelve();
        d.destinationEn = QString::fromUtf8(destination);
        d.viaEn = QString::fromUtf8(via);
        for (const VehicleSign& sign : *signs) {
            SCOPED_TRACE(sign.name.toStdString() + ": " + destination);
            const SignImage image = lettering.letter(sign, d);
            if (!image.fit.fits)
                continue;
            for (const LegibilityFinding& f : audit.check(sign, d, image))
                EXPECT_NE(f.rule, "via-size") << f.line().toStdString();
        }
    }
}

// ---- what a passenger sees of the layout

TextBlock at(TextBlock b, FrameRect area, int lineSpacing = 0)
{
    b.area = area;
    b.style.lineSpacing = lineSpacing;
    return b;
}

std::vector<QString> layoutFound(const LegibilityAudit& audit, const SignImage& image)
{
    std::vector<QString> out;
    for (const LegibilityFinding& f : audit.check(VehicleSign("front", 40, 24, "{}", 10, "front"), twelve(), image))
        out.push_back(f.line());
    return out;
}

TEST(LegibilityAuditTest, LinesThatTouchAreFoundOnTheirLedsAndLinesApartAreNot)
{
    AuditFonts fonts;
    const LegibilityAudit audit(rulesOf("rule apart\ncheck lines\nquote q\n"), fonts.list());
    const TextBlock two = text(QStringLiteral("HA\nAH"), "Audit LED", 10);
    // Two 10-row lines in 22 rows with no gap: the two spare rows went above and below.
    EXPECT_EQ(layoutFound(audit, imageOf({4000}, {at(two, {0, 0, 40, 22})})),
              std::vector<QString>{"12 front page 1: apart no dark row between the lines of \"HA AH\", 2 spare rows "
                                   "above and below, a dark row between lines where there is room, lines apart"});
    // No room at all, and the lines run into each other.
    EXPECT_EQ(layoutFound(audit, imageOf({4000}, {at(two, {0, 0, 40, 20})})),
              std::vector<QString>{"12 front page 1: apart the lines of \"HA AH\" touch, a dark row between lines "
                                   "where there is room, lines apart"});
    // A dark row between them, and a text of one line: nothing.
    EXPECT_TRUE(layoutFound(audit, imageOf({4000}, {at(two, {0, 0, 40, 22}, 1)})).empty());
    EXPECT_TRUE(layoutFound(audit, imageOf({4000}, {at(text(QStringLiteral("HAH"), "Audit LED", 10), {0, 0, 40, 20})})).empty());
}

TEST(LegibilityAuditTest, LinesThatTouchAreToldFromADescenderDownAtTheNextLinesCapitals)
{
    AuditFonts fonts;
    const LegibilityAudit audit(rulesOf("rule apart\ncheck lines\nquote q\n"), fonts.list());
    // Two 10-row lines in 20 rows. The j's stem ends in row 9, by the left
    // edge; below it in row 10 stands a j (dark there) and the next T starts
    // three columns on: nothing lit touches, yet no dark row parts the lines.
    EXPECT_EQ(layoutFound(audit, imageOf({4000}, {at(text(QStringLiteral("jT\njT"), "Audit Tail", 10), {0, 0, 40, 20})})),
              std::vector<QString>{"12 front page 1: apart a descender of \"jT\" reaches the cap height of \"jT\", "
                                   "a dark row between lines where there is room, lines apart"});
    // A T under the j: the stem stands on its top row.
    EXPECT_EQ(layoutFound(audit, imageOf({4000}, {at(text(QStringLiteral("jT\nTj"), "Audit Tail", 10), {0, 0, 40, 20})})),
              std::vector<QString>{"12 front page 1: apart the lines of \"jT Tj\" touch, "
                                   "a dark row between lines where there is room, lines apart"});
    // The second of three lines reaches the third; the first pair is apart.
    const std::vector<QString> third =
        layoutFound(audit, imageOf({4000}, {at(text(QStringLiteral("TT\njT\njT"), "Audit Tail", 10), {0, 0, 40, 30})}));
    ASSERT_EQ(third.size(), 1u);
    EXPECT_TRUE(third[0].contains("a descender of \"jT\" reaches")) << third[0].toStdString();
}

TEST(LegibilityAuditTest, ANumberCloserThanTheGapToItsTextIsFound)
{
    AuditFonts fonts;
    const LegibilityAudit audit(rulesOf("rule gap\ncheck number-gap\nmin 3 LEDs\nquote q\n"), fonts.list());
    const TextBlock number = at(text(QStringLiteral("12"), "Audit Numbers", 12), {0, 0, 8, 12}); // "12" is 7 wide
    // The destination's H starts 2 LEDs after the number's last lit column.
    const SignImage close = imageOf({4000}, {number, at(text(QStringLiteral("H"), "Audit LED", 10), {9, 0, 6, 10})});
    const std::vector<QString> found = layoutFound(audit, close);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_TRUE(found[0].startsWith("12 front page 1: gap ") && found[0].endsWith(" LEDs between \"12\" and \"H\", at least 3 LEDs"))
        << found[0].toStdString();
    EXPECT_TRUE(layoutFound(audit, imageOf({4000}, {number, at(text(QStringLiteral("H"), "Audit LED", 10), {12, 0, 6, 10})}))
                    .empty());
}

TEST(LegibilityAuditTest, ALonelyLastPageAndAViaLargerThanItsDestinationAreFound)
{
    AuditFonts fonts;
    const LegibilityAudit audit(rulesOf("rule lonely\ncheck lonely-page\nquote q\n"
                                        "rule via\ncheck via-size\nquote q\n"),
                                fonts.list());
    // A destination over three pages of one layout frame, then its vias.
    SignImage image = imageOf({3000, 3000, 3000, 3000}, {});
    const TextBlock small = at(text(QStringLiteral("Airport Vake"), "Audit LED", 10), {0, 0, 40, 10});
    image.pages = {{0, false, {text(QStringLiteral("12"), "Audit Numbers", 12), small}},
                   {0, false, {at(text(QStringLiteral("Park"), "Audit LED", 10), {0, 0, 40, 10})}},
                   {0, false, {at(text(QStringLiteral("West"), "Audit LED", 10), {0, 0, 40, 10})}},
                   {1, true, {at(text(QStringLiteral("Rustaveli"), "Audit LED", 11), {0, 0, 40, 11})}}};
    std::vector<QString> found = layoutFound(audit, image);
    EXPECT_EQ(found, (std::vector<QString>{
                         "12 front page 3: lonely the last page is one word, \"West\", no last page of one word",
                         "12 front page 4: via the via \"Rustaveli\" in 11 rows, the destination in 10, no larger "
                         "than the destination"}));
    // Two words on the last page (the one-word page before it does not end
    // the text), and a via of the destination's size: nothing.
    image.pages[2].texts[0].text = QStringLiteral("West Gate");
    image.pages[3].texts[0].style.height = 10;
    EXPECT_TRUE(layoutFound(audit, image).empty());
}

// ---- the rule files

TEST(LegibilityRulesTest, TheShippedRuleSetsAreReadWithTheirNumbersQuotesAndSources)
{
    struct Shipped {
        const char* name;
        std::size_t rules;
        const char* rule;
        double min;
    };
    for (const Shipped& s : {Shipped{"vexel", 8, "number-gap", 3.0}, Shipped{"uk-psvar", 5, "number-side", 70.0},
                             Shipped{"us-ada", 5, "front-height", 50.8}}) {
        SCOPED_TRACE(s.name);
        const Expected<LegibilityRules> r = LegibilityRules::find(QString::fromLatin1(s.name));
        ASSERT_TRUE(r.ok()) << r.error().toStdString();
        EXPECT_EQ(r->name, s.name);
        ASSERT_EQ(r->rules.size(), s.rules);
        for (const LegibilityRule& rule : r->rules) {
            EXPECT_FALSE(rule.quote.isEmpty()) << rule.name.toStdString();
            EXPECT_FALSE(rule.source.isEmpty()) << rule.name.toStdString();
        }
        const auto named = std::find_if(r->rules.begin(), r->rules.end(),
                                        [&](const LegibilityRule& rule) { return rule.name == s.rule; });
        ASSERT_NE(named, r->rules.end());
        ASSERT_TRUE(named->min.has_value());
        EXPECT_DOUBLE_EQ(*named->min, s.min);
    }
    EXPECT_TRUE(LegibilityRules::available().contains("us-ada"));
}

TEST(LegibilityRulesTest, ABrokenFileIsRefusedAtItsLine)
{
    const std::string head = "name t\nsource s\n";
    struct Broken {
        std::string text;
        const char* message;
    };
    const Broken cases[] = {
        {head + "rule a\ncheck height\nmin 20 furlongs\nquote q\n", "t.vrules: line 5: \"20 furlongs\" is not a number in mm, in"},
        {head + "rule a\ncheck stroke\nmin 1:0\nquote q\n", "t.vrules: line 5: a ratio's second number must be above 0"},
        {head + "rule a\ncheck loop\nmax 2 Hz\nquote q\n", "t.vrules: line 5: \"2 Hz\" is not a number in s, ms"},
        {head + "rule a\ncheck glow\n", "t.vrules: line 4: unknown check \"glow\""},
        {head + "rule a\ncheck hold\nquote q\n", "t.vrules: line 3: rule a gives no min or max"},
        {head + "rule a\ncheck hold\nmin 3 s\n\nrule b\n", "t.vrules: line 3: rule a quotes nothing"},
        {head + "rule a\ncheck touch\nmin 1 s\n", "t.vrules: line 5: touch takes no numbers"},
        {head + "rule a\nmin 1 s\n", "t.vrules: line 4: \"min\" before the rule's check"},
        {head + "rule a\nquote q\n", "t.vrules: line 3: rule a names no check"},
        {head + "rule a\ncheck hold\nmin 9 s\nmax 3 s\nquote q\n", "t.vrules: line 3: rule a: min is above max"},
        {head + "rule a\ncheck height\nplace roof\n", "t.vrules: line 5: unknown place \"roof\""},
        {head + "rule a\ncheck capitals\nquote q\nrule a\n", "t.vrules: line 6: the rule a is there already"},
        {head + "colour amber\n", "t.vrules: line 3: unknown key \"colour\" before the first rule"},
        {head + "rule a\ncheck capitals\nletter XY\n", "t.vrules: line 5: \"letter\" is one letter"},
        {"rule a\ncheck capitals\nquote q\n", "t.vrules: line 1: rule a names no source"},
        {"source s\nrule a\ncheck capitals\nquote q\n", "t.vrules: the rules have no name"},
    };
    for (const Broken& b : cases) {
        const Expected<LegibilityRules> r = LegibilityRules::parse(QByteArray::fromStdString(b.text), "t.vrules");
        ASSERT_FALSE(r.ok()) << b.text;
        EXPECT_EQ(r.error(), b.message) << b.text;
    }
}

} // namespace
