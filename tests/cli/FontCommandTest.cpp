// `vexel font`: check, export and import as a script runs them.
#include "lettering/LedFontReader.h"
#include "support/TestFiles.h"

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include "RunVexel.h"

#include <gtest/gtest.h>

using testing_support::writeAll;

namespace {

using FontRun = cli_testing::VexelRun;

FontRun vexelFont(const QStringList& args)
{
    return cli_testing::runVexel(QStringList{QStringLiteral("font")} + args);
}

const QString TestFonts = QStringLiteral(VEXEL_TEST_DATA "/fonts/");

} // namespace

TEST(FontCommand, CheckListsCoverageAndFaultsAndFailsOnABrokenGlyph)
{
    QTemporaryDir dir;
    const QString twin = dir.filePath(QStringLiteral("twin.vfont"));
    writeAll(twin, "family T\nheight 2\nglyph U+41\n#.\n##\nglyph U+42\n#.\n##\nglyph U+43\n..\n..\n"
                   "glyph U+10D0\n#.\n##\nglyph U+10D1\n.#.\n.##\n");
    const FontRun good = vexelFont({QStringLiteral("check"), TestFonts + "test-led-6.vfont", twin,
                                TestFonts + "test-led-numbers-8.vfont"});
    EXPECT_EQ(good.exit, 0) << good.err.toStdString();
    EXPECT_TRUE(good.out.contains(QStringLiteral("twin.vfont: \u10D0 (U+10D0) and \u10D1 (U+10D1) are drawn alike\n")))
        << good.out.toStdString();
    EXPECT_TRUE(good.out.contains(QStringLiteral("test-led-6.vfont: ASCII 95 of 95\n")));
    EXPECT_TRUE(good.out.contains(QStringLiteral("test-led-6.vfont: Georgian 33 of 33\n")));
    EXPECT_TRUE(good.out.contains(QStringLiteral("test-led-6.vfont: punctuation 15 of 15\n")));
    EXPECT_TRUE(good.out.contains(QStringLiteral("test-led-numbers-8.vfont: route numbers 43 of 43\n")));
    EXPECT_TRUE(good.out.contains(QStringLiteral("twin.vfont: ASCII 3 of 95, lacks   (U+0020), ! (U+0021)")));
    EXPECT_TRUE(good.out.contains(QStringLiteral("twin.vfont: B (U+0042) is drawn as A (U+0041)\n")));
    EXPECT_TRUE(good.out.contains(QStringLiteral("twin.vfont: empty glyphs: C (U+0043)\n")));

    const QString broken = dir.filePath(QStringLiteral("broken.vfont"));
    writeAll(broken, "family T\nheight 2\nglyph U+41\n#.\n###\n");
    const FontRun bad = vexelFont({QStringLiteral("check"), TestFonts + "test-led-6.vfont", broken});
    EXPECT_EQ(bad.exit, 1);
    EXPECT_TRUE(bad.err.contains(QStringLiteral("broken.vfont:5: row 2 of U+0041 is 3 LEDs wide, row 1 is 2")))
        << bad.err.toStdString();
    EXPECT_TRUE(bad.out.contains(QStringLiteral("test-led-6.vfont: ASCII 95 of 95"))); // the others are still listed

    EXPECT_EQ(vexelFont({QStringLiteral("check")}).exit, 2);
    EXPECT_EQ(vexelFont({QStringLiteral("export"), TestFonts + "test-led-6.vfont"}).exit, 2);
    EXPECT_EQ(vexelFont({QStringLiteral("draw")}).exit, 2);
}

// The bold faces pass the check as shipped: every set covered, no fault named.
TEST(FontCommand, TheBoldFacesPassTheCheck)
{
    QStringList args{QStringLiteral("check")};
    for (const char* file : {"vexel-led-11-bold.vfont", "vexel-led-14-bold.vfont", "vexel-led-16-bold.vfont"})
        args << QStringLiteral(VEXEL_FONTS_DIR "/") + QLatin1String(file);
    const FontRun run = vexelFont(args);
    EXPECT_EQ(run.exit, 0) << run.err.toStdString();
    const QStringList lines = run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    EXPECT_EQ(lines.size(), 3 * 4) << run.out.toStdString(); // a header and three sets a face, nothing more
    for (const char* height : {"11", "14", "16"}) {
        const QString name = QStringLiteral("vexel-led-%1-bold.vfont").arg(QLatin1String(height));
        EXPECT_TRUE(run.out.contains(name + QStringLiteral(": Vexel LED, %1 rows, bold, baseline").arg(QLatin1String(height))))
            << run.out.toStdString();
        for (const char* set : {": ASCII 95 of 95\n", ": Georgian 33 of 33\n", ": punctuation 15 of 15\n"})
            EXPECT_TRUE(run.out.contains(name + QLatin1String(set))) << name.toStdString() << set;
    }
}

TEST(FontCommand, ExportThenImportGivesTheFaceBack)
{
    QTemporaryDir dir;
    const QString bdf = dir.filePath(QStringLiteral("face.bdf"));
    const QString back = dir.filePath(QStringLiteral("back.vfont"));
    const FontRun exported =
        vexelFont({QStringLiteral("export"), TestFonts + "test-led-6-condensed.vfont", QStringLiteral("--bdf"), bdf});
    ASSERT_EQ(exported.exit, 0) << exported.err.toStdString();
    const FontRun imported = vexelFont({QStringLiteral("import"), bdf, QStringLiteral("--out"), back,
                                    QStringLiteral("--family"), QStringLiteral("Test Copy")});
    ASSERT_EQ(imported.exit, 0) << imported.err.toStdString();
    EXPECT_TRUE(imported.out.contains(QStringLiteral("Test Copy, 6 rows, 143 glyphs"))) << imported.out.toStdString();

    const auto original = vexel::LedFontReader::read(TestFonts + "test-led-6-condensed.vfont");
    const auto copy = vexel::LedFontReader::read(back);
    ASSERT_TRUE(original.ok() && copy.ok()) << copy.error().toStdString();
    EXPECT_EQ(copy->baseline, original->baseline);
    ASSERT_EQ(copy->glyphs.size(), original->glyphs.size());
    for (const auto& [c, g] : original->glyphs) {
        const vexel::Glyph* other = copy->find(c);
        ASSERT_NE(other, nullptr);
        EXPECT_EQ(other->cell, g.cell);
        EXPECT_EQ(other->advance, g.advance);
    }

    // A file FreeType cannot read is refused and nothing is written.
    const QString junk = dir.filePath(QStringLiteral("junk.bdf"));
    writeAll(junk, "STARTFONT 2.1\nnonsense\n");
    const QString none = dir.filePath(QStringLiteral("none.vfont"));
    const FontRun refused = vexelFont({QStringLiteral("import"), junk, QStringLiteral("--out"), none});
    EXPECT_EQ(refused.exit, 1);
    EXPECT_FALSE(QFileInfo::exists(none));
}
