#include "LetteringTestSupport.h"

#include <gtest/gtest.h>

#include <QFileInfo>

#include <tuple>

using namespace vexel;
using lettering_test::writeFile;

namespace {

std::vector<int> heights(const FontInfo& info)
{
    std::vector<int> out;
    for (const FontSize& s : info.sizes)
        out.push_back(s.height);
    return out;
}

TEST(FontList, OwnFontsWithEnlargedSizes)
{
    FontList fonts(lettering_test::projectFonts());
    const FontInfo* led = fonts.find(QStringLiteral("Vexel LED"));
    ASSERT_NE(led, nullptr);
    EXPECT_EQ(led->kind, FontKind::Led);
    const std::vector<int> h = heights(*led);
    ASSERT_GE(h.size(), 12u);
    EXPECT_EQ(std::vector<int>(h.begin(), h.begin() + 12),
              (std::vector<int>{7, 9, 11, 14, 16, 18, 21, 22, 27, 28, 32, 33}));
    EXPECT_EQ(h.back(), 99); // 11 x 9, the tallest within a board
    // A height that is drawn is never the enlargement of a smaller one, and
    // where two enlargements meet the taller drawing is enlarged less.
    ASSERT_NE(led->size(14), nullptr);
    EXPECT_EQ(led->size(14)->scale, 1);
    for (const auto& [height, native, scale] : {std::tuple{28, 14, 2}, std::tuple{77, 11, 7}, std::tuple{99, 11, 9}}) {
        ASSERT_NE(led->size(height), nullptr) << height;
        EXPECT_EQ(led->size(height)->native, native) << height;
        EXPECT_EQ(led->size(height)->scale, scale) << height;
    }
    for (int height : {11, 14, 16, 22, 32})
        EXPECT_TRUE(led->hasBold(height)) << height;
    for (int height : {7, 9, 18})
        EXPECT_FALSE(led->hasBold(height)) << height;
    EXPECT_TRUE(fonts.problems().isEmpty());

    EXPECT_FALSE(fonts.open(QStringLiteral("Vexel LED"), 12, false).ok());
    EXPECT_EQ(fonts.open(QStringLiteral("Vexel LED"), 12, false).error(),
              "The font \"Vexel LED\" has no height of 12 LEDs.");
    // Opened once and kept: the glyph caches live on.
    EXPECT_EQ(fonts.open(QStringLiteral("Vexel LED"), 22, false).value(),
              fonts.open(QStringLiteral("Vexel LED"), 22, false).value());
}

TEST(FontList, EarlierFolderWinsAndBadFilesAreNamed)
{
    QTemporaryDir first;
    QTemporaryDir second;
    ASSERT_TRUE(first.isValid() && second.isValid());
    writeFile(first.filePath(QStringLiteral("a.vfont")), lettering_test::squareFont("Mine", 5));
    writeFile(second.filePath(QStringLiteral("b.vfont")), lettering_test::squareFont("Mine", 5) + "glyph U+41\n#\n#\n#\n#\n#\n");
    writeFile(second.filePath(QStringLiteral("c.vfont")), lettering_test::squareFont("Mine", 9));
    writeFile(second.filePath(QStringLiteral("bold.vfont")),
              "family Mine\nheight 9\nstyle bold\nglyph U+57\n#\n#\n#\n#\n#\n#\n#\n#\n#\n");
    writeFile(second.filePath(QStringLiteral("broken.vfont")), "family Broken\nheight 2\nglyph U+41\n#\n");
    writeFile(second.filePath(QStringLiteral("notes.txt")), "not a font");

    FontList::Places places;
    places.ledFontFolders << first.path() << second.path() << QStringLiteral("/nonexistent");
    places.systemFonts = false;
    FontList fonts(places);

    ASSERT_EQ(fonts.fonts().size(), 1u);
    const FontInfo& mine = fonts.fonts().front();
    EXPECT_EQ(mine.sizes.front().height, 5);
    EXPECT_TRUE(mine.hasBold(9));
    EXPECT_TRUE(mine.hasBold(18));
    EXPECT_FALSE(mine.hasBold(5));
    // The 5-row font of the first folder, which has no A.
    auto five = fonts.open(QStringLiteral("Mine"), 5, false);
    ASSERT_TRUE(five.ok());
    EXPECT_EQ((*five)->glyph(U'A'), nullptr);
    auto bold = fonts.open(QStringLiteral("Mine"), 9, true);
    ASSERT_TRUE(bold.ok());
    EXPECT_EQ((*bold)->glyph(U' '), nullptr); // only the bold file's W
    // Bold asked for where there is none gives the regular face.
    EXPECT_EQ(fonts.open(QStringLiteral("Mine"), 5, true).value(), five.value());

    ASSERT_EQ(fonts.problems().size(), 1);
    EXPECT_TRUE(fonts.problems().front().endsWith(
        QStringLiteral("broken.vfont:5: the file ends after 1 of the 2 rows of U+0041 (line 3)")))
        << fonts.problems().front().toStdString();
    EXPECT_EQ(fonts.find(QStringLiteral("Broken")), nullptr);
}

TEST(FontList, DebianBitmapFontsWhereInstalled)
{
    QTemporaryDir empty;
    FontList::Places none;
    none.bitmapFolder = empty.path();
    none.systemFonts = false;
    EXPECT_TRUE(FontList(none).fonts().empty());

    FontList::Places places;
    places.bitmapFolder = QStringLiteral("/usr/share/fonts/X11/misc");
    places.systemFonts = false;
    if (!QFileInfo::exists(places.bitmapFolder + QStringLiteral("/6x13.pcf.gz")))
        GTEST_SKIP() << "xfonts-base is not installed";
    FontList fonts(places);
    const FontInfo* fixed = fonts.find(QStringLiteral("Fixed"));
    ASSERT_NE(fixed, nullptr);
    EXPECT_EQ(fixed->kind, FontKind::Bitmap);
    for (int h : {6, 7, 8, 9, 10, 12, 13, 14, 15, 18, 20})
        EXPECT_EQ(fixed->size(h)->scale, 1) << h;
    EXPECT_TRUE(fixed->hasBold(13));
    EXPECT_FALSE(fixed->hasBold(7));
    // Georgian is in 6x13 but not in 5x7.
    auto small = fonts.open(QStringLiteral("Fixed"), 7, false);
    auto georgian = fonts.open(QStringLiteral("Fixed"), 13, false);
    ASSERT_TRUE(small.ok() && georgian.ok());
    EXPECT_EQ((*small)->glyph(0x10D0), nullptr);
    ASSERT_NE((*georgian)->glyph(0x10D0), nullptr);
    EXPECT_EQ((*georgian)->glyph(0x10D0)->cell.height(), 13);
    if (const FontInfo* unifont = fonts.find(QStringLiteral("Unifont"))) {
        auto u = fonts.open(QStringLiteral("Unifont"), 16, false);
        ASSERT_TRUE(u.ok());
        EXPECT_NE((*u)->glyph(0x10F0), nullptr);
        EXPECT_EQ(unifont->sizes.front().height, 16);
    }
}

} // namespace

// Faces are told apart by family, height, style and width: a condensed face
// sits beside the regular one of its height, a bold-only family is offered,
// and two files of one face in one folder are named, not silently merged.
TEST(FontList, FacesAreKeyedByFamilyHeightStyleAndWidth)
{
    QTemporaryDir dir;
    const std::string rows3 = "##\n##\n##\n";
    lettering_test::writeFile(dir.filePath("a.vfont"), "family F\nheight 3\nglyph U+41\n" + rows3);
    lettering_test::writeFile(dir.filePath("b.vfont"), "family F\nheight 3\nwidth condensed\nglyph U+41\n#\n#\n#\n");
    lettering_test::writeFile(dir.filePath("c.vfont"), "family F\nheight 3\nglyph U+42\n" + rows3);
    lettering_test::writeFile(dir.filePath("n.vfont"), "family N\nheight 3\nstyle bold\nglyph U+31\n" + rows3);
    FontList::Places places;
    places.ledFontFolders << dir.path();
    places.systemFonts = false;
    FontList fonts(places);

    ASSERT_EQ(fonts.problems().size(), 1);
    EXPECT_TRUE(fonts.problems()[0].contains(QStringLiteral("c.vfont:0: the same family, height, style and width as")))
        << fonts.problems()[0].toStdString();
    const FontInfo* f = fonts.find(QStringLiteral("F"));
    ASSERT_NE(f, nullptr);
    EXPECT_TRUE(f->hasCondensed(3));
    EXPECT_TRUE(f->hasCondensed(6)); // the doubled height keeps its condensed face
    auto regular = fonts.open(QStringLiteral("F"), 3, false, false);
    auto condensed = fonts.open(QStringLiteral("F"), 3, false, true);
    ASSERT_TRUE(regular.ok() && condensed.ok());
    EXPECT_EQ((*regular)->glyph(U'A')->cell.width(), 2);
    EXPECT_EQ((*condensed)->glyph(U'A')->cell.width(), 1);
    EXPECT_EQ((*regular)->glyph(U'B'), nullptr);
    auto doubled = fonts.open(QStringLiteral("F"), 6, false, true);
    ASSERT_TRUE(doubled.ok());
    EXPECT_EQ((*doubled)->glyph(U'A')->cell.width(), 2);

    const FontInfo* n = fonts.find(QStringLiteral("N"));
    ASSERT_NE(n, nullptr);
    ASSERT_NE(n->size(3), nullptr);
    EXPECT_TRUE(n->hasBold(3));
    auto numbers = fonts.open(QStringLiteral("N"), 3, false);
    ASSERT_TRUE(numbers.ok()) << numbers.error().toStdString();
    EXPECT_NE((*numbers)->glyph(U'1'), nullptr);
}
