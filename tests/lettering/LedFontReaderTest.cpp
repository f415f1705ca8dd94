#include "LetteringTestSupport.h"

#include "lettering/FontCheck.h"
#include "lettering/LedFontReader.h"
#include "lettering/TextFit.h"

#include <gtest/gtest.h>

using namespace vexel;
using lettering_test::rows;

namespace {

TEST(LedFontReader, ReadsHeaderGlyphsAndAdvances)
{
    const std::string text = "\xEF\xBB\xBF; a comment\r\n"
                             "family  Test Face \r\n"
                             "height 3\n"
                             "style bold ; heavy\n"
                             "\n"
                             "glyph U+0041 ; A\n"
                             ".#.\n"
                             "#.#\n"
                             "###\n"
                             "glyph u+10d0 advance 7\n"
                             "#\n"
                             "#\n"
                             ".\n";
    const Expected<LedFont> font = LedFontReader::parse(text, "t.vfont");
    ASSERT_TRUE(font.ok()) << font.error().toStdString();
    EXPECT_EQ(font->family, "Test Face");
    EXPECT_EQ(font->height, 3);
    EXPECT_TRUE(font->bold);
    ASSERT_EQ(font->glyphs.size(), 2u);
    const Glyph* a = font->find(U'A');
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->advance, 4); // width plus one
    EXPECT_EQ(rows(a->cell), (std::vector<std::string>{".#.", "#.#", "###"}));
    ASSERT_NE(font->find(0x10D0), nullptr);
    EXPECT_EQ(font->find(0x10D0)->advance, 7);
    EXPECT_EQ(font->find(U'B'), nullptr);
}

TEST(LedFontReader, FaultsNameFileAndLine)
{
    const std::string head = "family F\nheight 2\n"; // lines 1-2
    const struct {
        std::string text;
        std::string message;
    } cases[] = {
        {"height 2\nglyph U+41\n#\n#\n", "f.vfont:2: glyph before the family line"},
        {"family F\nglyph U+41\n#\n#\n", "f.vfont:2: glyph before the height line"},
        {head + "glyph U+41\n#.\n#\n", "f.vfont:5: row 2 of U+0041 is 1 LEDs wide, row 1 is 2"},
        {head + "glyph U+41\n#x\n##\n", "f.vfont:4: row 1 of U+0041: 'x' is neither '.' nor '#'"},
        {head + "glyph U+41\n##\n\n", "f.vfont:5: row 2 of U+0041 is empty; the glyph needs 2 rows"},
        {head + "glyph U+41\n##\n", "f.vfont:5: the file ends after 1 of the 2 rows of U+0041 (line 3)"},
        {head + "glyph U+41\n#\n#\nglyph U+0041\n#\n#\n", "f.vfont:6: U+0041 is drawn twice (first at line 3)"},
        {head + "glyph A\n#\n#\n", "f.vfont:3: \"A\" is not a code point; write U+ and 1 to 6 hex digits"},
        {head + "glyph U+D800\n#\n#\n", "f.vfont:3: \"U+D800\" is not a code point; write U+ and 1 to 6 hex digits"},
        {head + "glyph U+110000\n#\n#\n", "f.vfont:3: \"U+110000\" is not a code point; write U+ and 1 to 6 hex digits"},
        {head + "glyph U+41 advance 129\n#\n#\n",
         "f.vfont:3: after the code point only \"advance N\" may follow, N from 0 to 128"},
        {head + "glyph U+41 width 3\n#\n#\n",
         "f.vfont:3: after the code point only \"advance N\" may follow, N from 0 to 128"},
        {"family " + std::string(65, 'F') + "\n", "f.vfont:1: family needs a name of 1 to 64 characters"},
        {"family F\nheight 0\n", "f.vfont:2: height must be a number of rows from 1 to 100"},
        {"family F\nheight 101\n", "f.vfont:2: height must be a number of rows from 1 to 100"},
        {"family F\nheight 99999999999\n", "f.vfont:2: height must be a number of rows from 1 to 100"},
        {"family F\nfamily G\n", "f.vfont:2: a second family line"},
        {"family F\nheight 2\nstyle italic\n", "f.vfont:3: style must be regular or bold"},
        {"family F\nsize 2\n", "f.vfont:2: unknown line \"size\"; expected family, height, style, width, baseline or glyph"},
        {head + "glyph U+41\n#\n#\nheight 3\n", "f.vfont:6: \"height\" after the first glyph; the font's lines come first"},
        {head + "glyph U+41\n" + std::string(65, '#') + "\n#\n", "f.vfont:4: row 1 of U+0041 is wider than 64 LEDs"},
        {head, "f.vfont:2: no glyphs"},
        {"", "f.vfont:1: no family line"},
        {"family F\n", "f.vfont:1: no height line"},
    };
    for (const auto& c : cases) {
        const Expected<LedFont> font = LedFontReader::parse(c.text, "f.vfont");
        EXPECT_FALSE(font.ok()) << c.text;
        EXPECT_EQ(font.error().toStdString(), c.message) << c.text;
    }
}

TEST(LedFontReader, TheLargestFaceOfEachLimitIsRead)
{
    std::string tall = "family " + std::string(64, 'F') + "\nheight 100\nglyph U+41 advance 128\n";
    for (int row = 0; row < 100; ++row)
        tall += std::string(64, '#') + "\n";
    const Expected<LedFont> font = LedFontReader::parse(tall, "f.vfont");
    ASSERT_TRUE(font.ok()) << font.error().toStdString();
    EXPECT_EQ(font->height, 100);
    ASSERT_NE(font->find(U'A'), nullptr);
    EXPECT_EQ(font->find(U'A')->cell.width(), 64);
    EXPECT_EQ(font->find(U'A')->advance, 128);
}

TEST(LedFontReader, FileThatCannotBeReadIsNamed)
{
    const Expected<LedFont> missing = LedFontReader::read(QStringLiteral("/nonexistent/x.vfont"));
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.error().toStdString().rfind("/nonexistent/x.vfont:0: ", 0), 0u) << missing.error().toStdString();

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const Expected<LedFont> folder = LedFontReader::read(dir.path());
    ASSERT_FALSE(folder.ok());
    EXPECT_NE(folder.error().toStdString().find(":0: not a regular file"), std::string::npos);
}

// The fonts we ship cover what route signs need, at the heights they claim.
TEST(LedFontReader, ProjectFontsCoverSignCharacters)
{
    std::u32string needed = U" .,-/():'\u2116\u2192";
    for (char32_t c = U'0'; c <= U'9'; ++c)
        needed += c;
    for (char32_t c = U'A'; c <= U'Z'; ++c)
        needed += c;
    for (char32_t c = U'a'; c <= U'z'; ++c)
        needed += c;
    for (char32_t c = 0x10D0; c <= 0x10F0; ++c)
        needed += c;
    for (const auto& [file, height] :
         {std::pair{"vexel-led-7.vfont", 7}, std::pair{"vexel-led-11.vfont", 11}, std::pair{"vexel-led-11-bold.vfont", 11},
          std::pair{"vexel-led-14-bold.vfont", 14}, std::pair{"vexel-led-16-bold.vfont", 16}}) {
        const Expected<LedFont> font = LedFontReader::read(QStringLiteral(VEXEL_FONTS_DIR "/") + file);
        ASSERT_TRUE(font.ok()) << font.error().toStdString();
        EXPECT_EQ(font->family, "Vexel LED");
        EXPECT_EQ(font->height, height);
        for (char32_t c : needed) {
            const Glyph* g = font->find(c);
            ASSERT_NE(g, nullptr) << file << " lacks U+" << std::hex << static_cast<unsigned>(c);
            // Every letter and digit has ink and moves the pen past it.
            if (c != U' ') {
                EXPECT_GT(g->cell.litCount(), 0) << file << " U+" << std::hex << static_cast<unsigned>(c);
                EXPECT_GT(g->advance, g->cell.width() - 1) << file << " U+" << std::hex << static_cast<unsigned>(c);
            }
        }
    }
}

// No two Georgian letters of a font may look the same.
TEST(LedFontReader, ProjectFontsDrawEveryGeorgianLetterDifferently)
{
    for (const char* file : {"vexel-led-7.vfont", "vexel-led-11.vfont", "vexel-led-11-bold.vfont",
                             "vexel-led-14-bold.vfont", "vexel-led-16-bold.vfont"}) {
        const Expected<LedFont> font = LedFontReader::read(QStringLiteral(VEXEL_FONTS_DIR "/") + file);
        ASSERT_TRUE(font.ok()) << font.error().toStdString();
        for (const auto& [a, b] : FontCheck::check(*font).alike)
            ADD_FAILURE() << file << ": " << TextFit::characterList({a, b}) << " are one LED apart";
        for (char32_t a = 0x10D0; a <= 0x10F0; ++a)
            for (char32_t b = a + 1; b <= 0x10F0; ++b)
                EXPECT_NE(font->find(a)->cell, font->find(b)->cell)
                    << file << std::hex << " U+" << static_cast<unsigned>(a) << " U+" << static_cast<unsigned>(b);
    }
}

} // namespace

TEST(LedFontReader, WidthAndBaselineLines)
{
    const std::string glyph = "glyph U+41\n#\n#\n#\n";
    const Expected<LedFont> old = LedFontReader::parse("family F\nheight 3\n" + glyph, "old.vfont");
    ASSERT_TRUE(old.ok()) << old.error().toStdString();
    EXPECT_FALSE(old->condensed);
    EXPECT_FALSE(old->bold);
    EXPECT_EQ(old->baseline, 3); // stands on its last row, as files before the line did

    const Expected<LedFont> face = LedFontReader::parse(
        "baseline 2 ; under the body\nfamily F\nwidth condensed\nstyle bold\nheight 3\n" + glyph, "new.vfont");
    ASSERT_TRUE(face.ok()) << face.error().toStdString();
    EXPECT_TRUE(face->condensed);
    EXPECT_TRUE(face->bold);
    EXPECT_EQ(face->baseline, 2);

    const struct {
        std::string text;
        const char* message;
    } faults[] = {
        {"family F\nheight 3\nwidth narrow\n" + glyph, "f.vfont:3: width must be regular or condensed"},
        {"family F\nheight 3\nbaseline 0\n" + glyph, "f.vfont:3: baseline must be a row number from 1 to the height"},
        {"family F\nbaseline 4\nheight 3\n" + glyph, "f.vfont:2: baseline 4 lies below the 3 rows of the font"},
        {"family F\nheight 3\nbaseline 2\nbaseline 2\n" + glyph, "f.vfont:4: a second baseline line"},
        {"family F\nheight 3\n" + glyph + "width condensed\n",
         "f.vfont:7: \"width\" after the first glyph; the font's lines come first"},
    };
    for (const auto& f : faults) {
        const Expected<LedFont> font = LedFontReader::parse(f.text, "f.vfont");
        EXPECT_FALSE(font.ok()) << f.text;
        EXPECT_EQ(font.error(), f.message);
    }
}
