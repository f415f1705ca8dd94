// The faces of the family as files: every face found passes the face
// checks, the checks catch what they are for, lines in each kind of face
// come out LED for LED, and faces travel through BDF and back.
#include "LetteringTestSupport.h"

#include "lettering/BdfFont.h"
#include "lettering/FontCheck.h"
#include "lettering/FreeTypeFontSource.h"
#include "lettering/LedFontReader.h"
#include "lettering/LedFontSource.h"
#include "lettering/LedFontWriter.h"
#include "lettering/TextFit.h"
#include "lettering/TextLayout.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

using namespace vexel;
using lettering_test::rows;

namespace {

std::vector<LedFont> facesIn(const QString& folder)
{
    std::vector<LedFont> faces;
    const QDir dir(folder);
    for (const QString& file : dir.entryList({QStringLiteral("*.vfont")}, QDir::Files, QDir::Name)) {
        Expected<LedFont> font = LedFontReader::read(dir.filePath(file));
        EXPECT_TRUE(font.ok()) << font.error().toStdString();
        if (font)
            faces.push_back(std::move(font).value());
    }
    return faces;
}

std::string faceName(const LedFont& f)
{
    return f.family + " " + std::to_string(f.height) + (f.bold ? " bold" : "") + (f.condensed ? " condensed" : "");
}

// What every face must pass, named by face so a failure says which.
void expectSoundFace(const LedFont& font)
{
    SCOPED_TRACE(faceName(font));
    const FontCheckReport report = FontCheck::check(font);
    for (const FontCheckReport::Coverage& c : report.coverage)
        EXPECT_TRUE(c.lacking.empty()) << c.name << " lacks " << TextFit::characterList(c.lacking);
    EXPECT_TRUE(report.empty.empty()) << "empty: " << TextFit::characterList(report.empty);
    for (const auto& [a, b] : report.duplicates)
        ADD_FAILURE() << TextFit::characterList({b}) << " is drawn as " << TextFit::characterList({a});
    EXPECT_TRUE(report.floating.empty()) << "above the baseline: " << TextFit::characterList(report.floating);
    EXPECT_GE(font.baseline, 1);
    EXPECT_LE(font.baseline, font.height);
    if (!FontCheck::isNumberFace(font))
        for (char32_t quote : {U'"', U'\''}) {
            const Glyph* g = font.find(quote);
            ASSERT_NE(g, nullptr);
            EXPECT_GT(g->cell.litCount(), 0) << "the ASCII quote is drawn";
            EXPECT_NE(rows(g->cell), rows(TextLayout::missingBox(font.height).cell)) << "not a box";
        }
}

std::vector<std::string> line(const LedFont& font, const char* text, int width, int spacing = 0)
{
    LedFontSource source(std::make_shared<const LedFont>(font));
    TextStyle style;
    style.letterSpacing = spacing;
    style.hAlign = HAlign::Left;
    style.vAlign = VAlign::Top;
    const Lettering l = TextLayout::render(QString::fromUtf8(text), source, style, width, font.height);
    EXPECT_TRUE(l.missing.empty()) << text;
    return rows(l.bitmap);
}

const LedFont& testFace(const char* file)
{
    static std::map<std::string, LedFont> loaded;
    auto it = loaded.find(file);
    if (it == loaded.end()) {
        Expected<LedFont> font = LedFontReader::read(QStringLiteral(VEXEL_TEST_FONTS "/") + file);
        EXPECT_TRUE(font.ok()) << font.error().toStdString();
        it = loaded.emplace(file, font ? std::move(font).value() : LedFont{}).first;
    }
    return it->second;
}

// The glyph moved up by `by` rows, the rows freed at the bottom left dark.
LedBitmap lifted(const LedBitmap& cell, int by)
{
    LedBitmap out(cell.width(), cell.height());
    for (int y = by; y < cell.height(); ++y)
        for (int x = 0; x < cell.width(); ++x)
            out.set(x, y - by, cell.lit(x, y));
    return out;
}

} // namespace

// The project's faces, as many as have landed in fonts/. Until the family's
// new faces are there, the two older faces are not held to its sets.
TEST(ProjectFaces, EveryFacePassesTheFaceChecks)
{
    const std::vector<LedFont> faces = facesIn(QStringLiteral(VEXEL_FONTS_DIR));
    ASSERT_FALSE(faces.empty());
    const bool familyLanded = std::any_of(faces.begin(), faces.end(), [](const LedFont& f) {
        return f.condensed || FontCheck::isNumberFace(f);
    });
    if (!familyLanded)
        GTEST_SKIP() << "fonts/ holds only the faces from before the family";
    for (const LedFont& f : faces)
        expectSoundFace(f);
}

TEST(ProjectFaces, NoTwoFacesCollideInTheFontList)
{
    FontList fonts(lettering_test::projectFonts());
    EXPECT_TRUE(fonts.problems().isEmpty()) << fonts.problems().join(QLatin1Char('\n')).toStdString();
    const std::vector<LedFont> faces = facesIn(QStringLiteral(VEXEL_FONTS_DIR));
    for (const LedFont& f : faces)
        EXPECT_EQ(fonts.ledFace(QString::fromStdString(f.family), f.height, f.bold, f.condensed)->glyphs.size(),
                  f.glyphs.size())
            << faceName(f);
}

TEST(TestFaces, PassTheFaceChecks)
{
    const std::vector<LedFont> faces = facesIn(QStringLiteral(VEXEL_TEST_FONTS));
    ASSERT_EQ(faces.size(), 3u);
    for (const LedFont& f : faces)
        expectSoundFace(f);
}

TEST(FontCheck, FindsGapsEmptyTwinAndFloatingGlyphs)
{
    LedFont font = testFace("test-led-6.vfont");
    ASSERT_FALSE(font.glyphs.empty());
    font.glyphs.erase(U'"');
    font.glyphs.erase(0x2116);
    font.glyphs[U'x'].cell.fill(false);                  // empty
    font.glyphs[U'y'] = font.glyphs.at(U'A');             // a twin of A
    LedBitmap& ani = font.glyphs[0x10D0].cell;            // ა lifted one row
    ani = lifted(ani, 1);

    const FontCheckReport r = FontCheck::check(font);
    ASSERT_EQ(r.coverage.size(), 3u);
    EXPECT_EQ(r.coverage[0].lacking, std::vector<char32_t>{U'"'});
    EXPECT_TRUE(r.coverage[1].lacking.empty());
    EXPECT_EQ(r.coverage[2].lacking, std::vector<char32_t>{0x2116});
    EXPECT_FALSE(r.complete());
    EXPECT_EQ(r.empty, std::vector<char32_t>{U'x'});
    EXPECT_EQ(r.duplicates, (std::vector<std::pair<char32_t, char32_t>>{{U'A', U'y'}}));
    EXPECT_EQ(r.floating, std::vector<char32_t>{0x10D0});

    // A number face is held to the route-number set only.
    const FontCheckReport numbers = FontCheck::check(testFace("test-led-numbers-8.vfont"));
    ASSERT_EQ(numbers.coverage.size(), 1u);
    EXPECT_TRUE(numbers.complete());
}

// Georgian letters one LED apart, or apart only by blank columns at their
// sides, read as one letter on a board. Exact twins are duplicates, and
// Latin letters are not held to it.
TEST(FontCheck, NamesGeorgianLettersDrawnAlike)
{
    Expected<LedFont> read = LedFontReader::read(QStringLiteral(VEXEL_FONTS_DIR "/vexel-led-11-bold.vfont"));
    ASSERT_TRUE(read.ok()) << read.error().toStdString();
    const LedFont face = std::move(read).value();
    ASSERT_TRUE(FontCheck::check(face).clean());
    const char32_t ani = 0x10D0, bani = 0x10D1;
    const LedBitmap& a = face.glyphs.at(ani).cell;
    LedBitmap oneOff = a;
    oneOff.set(0, 0, !oneOff.lit(0, 0));
    LedBitmap padded(a.width() + 1, a.height());
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            padded.set(x + 1, y, a.lit(x, y));
    LedBitmap twoOff = oneOff;
    twoOff.set(1, 0, !twoOff.lit(1, 0));
    LedBitmap latin = face.glyphs.at(U'I').cell;
    latin.set(0, 0, !latin.lit(0, 0));

    using Pairs = std::vector<std::pair<char32_t, char32_t>>;
    const struct {
        const char* what;
        char32_t letter;
        LedBitmap cell;
        Pairs alike;
        Pairs duplicates;
    } cases[] = {
        {"one LED apart", bani, oneOff, {{ani, bani}}, {}},
        {"a blank column apart", bani, padded, {{ani, bani}}, {}},
        {"two LEDs apart", bani, twoOff, {}, {}},
        {"the same", bani, a, {}, {{ani, bani}}},
        {"Latin one LED apart", U'l', latin, {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        LedFont font = face;
        font.glyphs.at(c.letter).cell = c.cell;
        const FontCheckReport r = FontCheck::check(font);
        EXPECT_EQ(r.alike, c.alike);
        EXPECT_EQ(r.duplicates, c.duplicates);
    }
}

// The 7-row faces have no row below the baseline: Georgian tails take row 7
// and the bodies stand on row 6. That is no licence for a letter to float,
// there or in the faces with rows below the baseline.
TEST(FontCheck, GeorgianBodiesStandOneRowUpOnlyWhereTheTailsTakeTheLastRow)
{
    const std::vector<LedFont> faces = facesIn(QStringLiteral(VEXEL_FONTS_DIR));
    int raisedFaces = 0;
    for (const LedFont& face : faces) {
        if (FontCheck::isNumberFace(face))
            continue;
        SCOPED_TRACE(faceName(face));
        ASSERT_TRUE(FontCheck::check(face).floating.empty());
        const bool raised = face.baseline == face.height;
        raisedFaces += raised;

        // ა one row up from where it stands (in 7 rows, two above the
        // baseline) floats; გ one row up still has its tail below a baseline
        // with rows under it, but in 7 rows it leaves the baseline.
        LedFont bad = face;
        bad.glyphs.at(0x10D0).cell = lifted(face.glyphs.at(0x10D0).cell, 1);
        bad.glyphs.at(0x10D2).cell = lifted(face.glyphs.at(0x10D2).cell, 1);
        EXPECT_EQ(FontCheck::check(bad).floating,
                  (raised ? std::vector<char32_t>{0x10D0, 0x10D2} : std::vector<char32_t>{0x10D0}));

        if (!raised)
            continue;
        // Drawn the older way, every letter on the last row, a body one row
        // up floats again.
        LedFont flat = face;
        for (char32_t c = 0x10D0; c <= 0x10F0; ++c) {
            const LedBitmap& cell = face.glyphs.at(c).cell;
            if (rows(cell).back().find('#') != std::string::npos)
                continue;
            LedBitmap down(cell.width(), cell.height());
            for (int y = 0; y + 1 < cell.height(); ++y)
                for (int x = 0; x < cell.width(); ++x)
                    down.set(x, y + 1, cell.lit(x, y));
            flat.glyphs.at(c).cell = down;
        }
        ASSERT_TRUE(FontCheck::check(flat).floating.empty());
        flat.glyphs.at(0x10D0).cell = face.glyphs.at(0x10D0).cell;
        EXPECT_EQ(FontCheck::check(flat).floating, std::vector<char32_t>{0x10D0});
    }
    EXPECT_EQ(raisedFaces, 2) << "the 7-row regular and condensed faces";
}

// One line in each kind of face, LED for LED. The real faces get the same
// cases once they are in fonts/.
TEST(FaceBitmaps, ALineInEachKindOfFace)
{
    EXPECT_EQ(line(testFace("test-led-6.vfont"), "12 Aაბ\"", 33),
              (std::vector<std::string>{
                  "..#...##.......##........##..#.#.",
                  ".##..#..#.....#..#......#....#.#.",
                  "..#....#......####..#.#..##......",
                  "..#...#.......#..#.#..#.#..#.....",
                  "####.####.....#..#..##...##......",
                  ".................................",
              }));
    EXPECT_EQ(line(testFace("test-led-6-condensed.vfont"), "12 Aაბ\"", 26),
              (std::vector<std::string>{
                  ".#..##......#......##..#.#",
                  "##....#....#.#.....#...#.#",
                  ".#...#.....###.#.#.##.....",
                  ".#..#......#.#.#.#.#.#....",
                  "###.###....#.#..#..##.....",
                  "..........................",
              }));
    // The number face is bold and its digits share one advance.
    EXPECT_EQ(line(testFace("test-led-numbers-8.vfont"), "12A", 17),
              (std::vector<std::string>{
                  "..##...###...###.",
                  ".###..##.##.##.##",
                  "..##.....##.##.##",
                  "..##....##..#####",
                  "..##...##...##.##",
                  "..##..##....##.##",
                  ".####.#####.##.##",
                  ".................",
              }));
}

// The same kinds of line in the family's own faces, as their files draw them.
TEST(FaceBitmaps, ALineInEachKindOfProjectFace)
{
    auto face = [](const char* file) {
        Expected<LedFont> font = LedFontReader::read(QStringLiteral(VEXEL_FONTS_DIR "/") + file);
        EXPECT_TRUE(font.ok()) << font.error().toStdString();
        return font ? std::move(font).value() : LedFont{};
    };
    EXPECT_EQ(line(face("vexel-led-11.vfont"), "12 Aაბ\"", 41),
              (std::vector<std::string>{
                  "..#....####........##...........#.....#.#",
                  ".##...#....#......#..#...........#....#.#",
                  "#.#........#.....#....#..........#....#.#",
                  "..#........#.....#....#..##.....####.....",
                  "..#.......#......#....#....#...#....#....",
                  "..#......#.......######.....#..#....#....",
                  "..#.....#........#....#.#....#.#....#....",
                  "..#....#.........#....#.#....#.#....#....",
                  "#####.######.....#....#..####...####.....",
                  ".........................................",
                  ".........................................",
              }));
    // Bold: two-LED stems on the regular face's rows, one dark column between letters.
    EXPECT_EQ(line(face("vexel-led-11-bold.vfont"), "12 Aაბ\"", 49),
              (std::vector<std::string>{
                  "..##....#####.........###............##.....##.##",
                  ".###...##...##.......##.##............##....##.##",
                  "####........##......##...##...........##....##.##",
                  "..##........##......##...##..###.....#####.......",
                  "..##.......##.......##...##....##...##...##......",
                  "..##......##........#######.....##..##...##......",
                  "..##.....##.........##...##.##...##.##...##......",
                  "..##....##..........##...##.##...##.##...##......",
                  "######.#######......##...##..#####...#####.......",
                  ".................................................",
                  ".................................................",
              }));
    // Condensed, and in 7 rows the Georgian bodies stand on row 6.
    EXPECT_EQ(line(face("vexel-led-7-condensed.vfont"), "12 Aაბ\"", 31),
              (std::vector<std::string>{
                  "..#...##......##........#...#.#",
                  ".##..#..#....#..#........#..#.#",
                  "#.#.....#....#..#..##...##.....",
                  "..#....#.....#..#....#.#..#....",
                  "..#...#......####.#..#.#..#....",
                  "..#..#.......#..#..##...##.....",
                  "####.####....#..#..............",
              }));
    EXPECT_EQ(line(face("vexel-led-numbers-16.vfont"), "12A", 32),
              (std::vector<std::string>{
                  "....##......########....######..",
                  "...###.....##########..########.",
                  "..####.....##......##.###....###",
                  ".##.##.....##......##.##......##",
                  "....##.....##......##.##......##",
                  "....##............###.##......##",
                  "....##...........####.##......##",
                  "....##..........####..##......##",
                  "....##.........####...##########",
                  "....##........###.....##########",
                  "....##.......###......##......##",
                  "....##.....####.......##......##",
                  "....##.....###........##......##",
                  "....##.....##.........##......##",
                  "..######...##########.##......##",
                  "..######...##########.##......##",
              }));
}

TEST(FontFiles, WriterAndBdfKeepEveryGlyph)
{
    QTemporaryDir dir;
    for (const char* file : {"test-led-6-condensed.vfont", "test-led-numbers-8.vfont"}) {
        SCOPED_TRACE(file);
        const LedFont& face = testFace(file);
        // .vfont out and back in.
        const QString vfont = dir.filePath(QStringLiteral("copy.vfont"));
        ASSERT_TRUE(LedFontWriter::save(face, vfont).ok());
        const Expected<LedFont> again = LedFontReader::read(vfont);
        ASSERT_TRUE(again.ok()) << again.error().toStdString();
        EXPECT_EQ(again->family, face.family);
        EXPECT_EQ(again->bold, face.bold);
        EXPECT_EQ(again->condensed, face.condensed);
        EXPECT_EQ(again->baseline, face.baseline);

        // BDF out, and in again through FreeType.
        const QString bdf = dir.filePath(QStringLiteral("face.bdf"));
        ASSERT_TRUE(BdfFont::save(face, bdf).ok());
        const Expected<BdfFont::Imported> imported = BdfFont::import(bdf);
        ASSERT_TRUE(imported.ok()) << imported.error().toStdString();
        EXPECT_EQ(imported->leftOut, 0);
        EXPECT_EQ(imported->font.family, face.family);
        EXPECT_EQ(imported->font.height, face.height);
        EXPECT_EQ(imported->font.baseline, face.baseline);
        EXPECT_EQ(imported->font.bold, face.bold);
        for (const LedFont* copy : {&*again, &imported->font}) {
            ASSERT_EQ(copy->glyphs.size(), face.glyphs.size());
            for (const auto& [c, g] : face.glyphs) {
                const Glyph* other = copy->find(c);
                ASSERT_NE(other, nullptr) << TextFit::characterList({c});
                EXPECT_EQ(rows(other->cell), rows(g.cell)) << TextFit::characterList({c});
                EXPECT_EQ(other->advance, g.advance) << TextFit::characterList({c});
            }
        }
    }
}

TEST(FontFiles, APcfFontImportsWithItsGlyphCount)
{
    const QString pcf = QStringLiteral(VEXEL_X11_FONTS "/6x13.pcf.gz");
    if (!QFileInfo(pcf).isFile())
        GTEST_SKIP() << "xfonts-base is not installed";
    auto source = FreeTypeFontSource::open(pcf);
    ASSERT_TRUE(source.ok()) << source.error().toStdString();
    const std::size_t mapped = (*source)->characters().size();
    const Expected<BdfFont::Imported> imported = BdfFont::import(pcf, "Fixed import");
    ASSERT_TRUE(imported.ok()) << imported.error().toStdString();
    EXPECT_GT(mapped, 1000u);
    EXPECT_EQ(imported->font.glyphs.size() + static_cast<std::size_t>(imported->leftOut), mapped);
    EXPECT_EQ(imported->leftOut, 0);
    EXPECT_EQ(imported->font.height, 13);
    EXPECT_EQ(imported->font.family, "Fixed import");
    // Georgian comes along, LED for LED.
    const Glyph* ani = imported->font.find(0x10D0);
    ASSERT_NE(ani, nullptr);
    EXPECT_EQ(rows(ani->cell), rows((*source)->glyph(0x10D0)->cell));

    // Too large to be a .vfont is refused, not written half.
    QTemporaryDir dir;
    LedFont huge = imported->font;
    for (char32_t c = 0x20000; huge.glyphs.size() < 40000; ++c)
        huge.glyphs.emplace(c, huge.glyphs.at(U'W'));
    const QString path = dir.filePath(QStringLiteral("huge.vfont"));
    const Status saved = LedFontWriter::save(huge, path);
    EXPECT_FALSE(saved.ok());
    EXPECT_FALSE(QFileInfo::exists(path));
}
