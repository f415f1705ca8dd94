#include "LetteringTestSupport.h"
#include "support/ScopedEnv.h"

#include "lettering/FontDocument.h"
#include "lettering/FontList.h"
#include "lettering/UserFonts.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace vexel;
using lettering_test::rows;
using lettering_test::writeFile;

namespace {

const QString Fonts = QStringLiteral(VEXEL_FONTS_DIR);

// Glyph by glyph, with a message that names the first difference.
::testing::AssertionResult sameFont(const LedFont& a, const LedFont& b)
{
    if (a.family != b.family || a.height != b.height || a.bold != b.bold || a.condensed != b.condensed ||
        a.baseline != b.baseline)
        return ::testing::AssertionFailure() << "header differs: " << a.family << "/" << a.height << " vs "
                                             << b.family << "/" << b.height;
    if (a.glyphs.size() != b.glyphs.size())
        return ::testing::AssertionFailure() << a.glyphs.size() << " glyphs vs " << b.glyphs.size();
    for (const auto& [code, g] : a.glyphs) {
        const Glyph* other = b.find(code);
        if (!other || other->advance != g.advance || other->cell != g.cell)
            return ::testing::AssertionFailure() << "glyph " << FontDocument::codeName(code).toStdString()
                                                 << " differs";
    }
    return ::testing::AssertionSuccess();
}

QByteArray bytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(FontDocument, DrawAddUndoSaveReopen)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    FontDocument doc;
    doc.setReadOnlyFolders({Fonts});
    ASSERT_TRUE(doc.open(Fonts + QStringLiteral("/vexel-led-7.vfont")));
    EXPECT_TRUE(doc.isReadOnly());
    EXPECT_FALSE(doc.isModified());
    EXPECT_EQ(doc.baseline(), doc.font().height); // capitals fill the rows
    const std::size_t shipped = doc.font().glyphs.size();

    // A stroke on 'A' and a new glyph '"', drawn; each one step.
    LedBitmap a = doc.glyph(U'A')->cell;
    a.set(0, 0, !a.lit(0, 0));
    ASSERT_TRUE(doc.setCell(U'A', a, QStringLiteral("pencil")));
    EXPECT_EQ(doc.undoText(), QStringLiteral("Undo pencil"));
    ASSERT_TRUE(doc.addGlyph(U'§'));
    EXPECT_FALSE(doc.addGlyph(U'§').ok());
    EXPECT_EQ(doc.glyph(U'§')->cell.width(), doc.glyph(U'o')->cell.width());
    EXPECT_EQ(doc.glyph(U'§')->cell.litCount(), 0);
    LedBitmap quote = doc.glyph(U'§')->cell;
    quote.set(0, 0, true);
    quote.set(0, 1, true);
    quote.set(2, 0, true);
    quote.set(2, 1, true);
    ASSERT_TRUE(doc.setCell(U'§', quote, QStringLiteral("pencil")));
    ASSERT_TRUE(doc.setWidth(U'§', 3));
    EXPECT_EQ(doc.glyph(U'§')->advance, 4);
    ASSERT_TRUE(doc.setAdvance(U'§', 5));
    ASSERT_TRUE(doc.removeGlyph(U'/'));
    EXPECT_TRUE(doc.isModified());

    // Back to the start step by step, and forward again.
    int steps = 0;
    while (doc.undo())
        ++steps;
    EXPECT_EQ(steps, 6);
    EXPECT_NE(doc.glyph(U'/'), nullptr);
    EXPECT_FALSE(doc.isModified());
    EXPECT_EQ(doc.glyph(U'§'), nullptr);
    EXPECT_NE(doc.glyph(U'A')->cell, a);
    while (doc.redo())
        --steps;
    EXPECT_EQ(steps, 0);
    EXPECT_EQ(doc.glyph(U'A')->cell, a);
    ASSERT_NE(doc.glyph(U'§'), nullptr);
    EXPECT_EQ(rows(doc.glyph(U'§')->cell)[0], "#.#");
    EXPECT_EQ(doc.glyph(U'§')->advance, 5);

    // A shipped font is saved only as a copy.
    const QByteArray before = bytes(doc.path());
    EXPECT_FALSE(doc.save().ok());
    EXPECT_FALSE(doc.saveAs(Fonts + QStringLiteral("/mine.vfont")).ok());
    EXPECT_FALSE(QFile::exists(Fonts + QStringLiteral("/mine.vfont")));
    EXPECT_EQ(bytes(Fonts + QStringLiteral("/vexel-led-7.vfont")), before);

    const QString copy = dir.filePath(QStringLiteral("user/fonts/mine.vfont"));
    const Status saved = doc.saveAs(copy);
    ASSERT_TRUE(saved.ok()) << saved.error().toStdString();
    EXPECT_EQ(doc.path(), copy);
    EXPECT_FALSE(doc.isModified());
    EXPECT_FALSE(doc.isReadOnly());

    FontDocument reopened;
    ASSERT_TRUE(reopened.open(copy));
    EXPECT_TRUE(sameFont(doc.font(), reopened.font()));
    EXPECT_EQ(reopened.font().glyphs.size(), shipped); // one added, one removed
    EXPECT_EQ(reopened.glyph(U'/'), nullptr);

    // Undo past the save marks the font changed again; Save writes it back.
    ASSERT_TRUE(doc.undo());
    EXPECT_TRUE(doc.isModified());
    ASSERT_TRUE(doc.save());
    ASSERT_TRUE(reopened.open(copy));
    EXPECT_TRUE(sameFont(doc.font(), reopened.font()));
}

// Every shipped font saved unchanged comes out byte for byte as it was:
// comments, header lines and glyph notes all kept.
TEST(FontDocument, AnUnchangedFontIsSavedAsItWasRead)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QStringList shipped = QDir(Fonts).entryList({QStringLiteral("*.vfont")}, QDir::Files);
    ASSERT_GE(shipped.size(), 10);
    for (const QString& name : shipped) {
        FontDocument doc;
        ASSERT_TRUE(doc.open(Fonts + QLatin1Char('/') + name)) << name.toStdString();
        const QString copy = dir.filePath(name);
        ASSERT_TRUE(doc.saveAs(copy).ok()) << name.toStdString();
        EXPECT_EQ(bytes(copy), bytes(Fonts + QLatin1Char('/') + name)) << name.toStdString();
    }
}

// Edits are written into the file's own layout: a changed glyph where it
// stood, a new one after the glyph before it, a removed one gone with one
// blank line; line ends, the byte order mark and a `style regular` kept.
TEST(FontDocument, EditsAreWrittenIntoTheFilesLayout)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const auto crlf = [](std::string text) {
        std::string out;
        for (char c : text)
            out += c == '\n' ? std::string("\r\n") : std::string(1, c);
        return out;
    };
    const std::string original = crlf("\xEF\xBB\xBF; A tiny face.\n"
                                      "family Tiny\n"
                                      "height 3   ; rows\n"
                                      "style regular\n"
                                      "width regular\n"
                                      "\n"
                                      "; letters\n"
                                      "\n"
                                      "glyph U+0041 ; A\n"
                                      ".#.\n"
                                      "###\n"
                                      "#.#\n"
                                      "\n"
                                      "glyph U+0043\n"
                                      "##\n"
                                      "#.\n"
                                      "##\n"
                                      "\n"
                                      "glyph U+0044 advance 4 ; D\n"
                                      "##.\n"
                                      "#.#\n"
                                      "##.\n"
                                      "\n"
                                      "; the end\n");
    const QString path = dir.filePath(QStringLiteral("tiny.vfont"));
    writeFile(path, original);
    FontDocument doc;
    ASSERT_TRUE(doc.open(path));
    LedBitmap a = doc.glyph(U'A')->cell;
    a.set(0, 0, true);
    ASSERT_TRUE(doc.setCell(U'A', a, QStringLiteral("pencil")));
    ASSERT_TRUE(doc.addGlyph(U'B'));
    ASSERT_TRUE(doc.setWidth(U'B', 1));
    ASSERT_TRUE(doc.removeGlyph(U'D'));
    ASSERT_TRUE(doc.addGlyph(U'Z'));
    ASSERT_TRUE(doc.setWidth(U'Z', 1));
    ASSERT_TRUE(doc.save().ok());

    const std::string expected = crlf("\xEF\xBB\xBF; A tiny face.\n"
                                      "family Tiny\n"
                                      "height 3   ; rows\n"
                                      "style regular\n"
                                      "width regular\n"
                                      "\n"
                                      "; letters\n"
                                      "\n"
                                      "glyph U+0041 ; A\n"
                                      "##.\n"
                                      "###\n"
                                      "#.#\n"
                                      "\n"
                                      "glyph U+0042 ; B\n"
                                      ".\n"
                                      ".\n"
                                      ".\n"
                                      "\n"
                                      "glyph U+0043\n"
                                      "##\n"
                                      "#.\n"
                                      "##\n"
                                      "\n"
                                      "glyph U+005A ; Z\n"
                                      ".\n"
                                      ".\n"
                                      ".\n"
                                      "\n"
                                      "; the end\n");
    EXPECT_EQ(bytes(path).toStdString(), expected);
    FontDocument reopened;
    ASSERT_TRUE(reopened.open(path));
    EXPECT_TRUE(sameFont(doc.font(), reopened.font()));

    // A second save over the written file changes nothing more.
    ASSERT_TRUE(doc.saveAs(dir.filePath(QStringLiteral("again.vfont"))).ok());
    EXPECT_EQ(bytes(dir.filePath(QStringLiteral("again.vfont"))).toStdString(), expected);
}

TEST(FontDocument, RefusalsLeaveFilesAndFontWhole)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("locked.vfont"));
    writeFile(path, lettering_test::squareFont("Locked", 4));
    FontDocument doc;
    ASSERT_TRUE(doc.open(path));
    ASSERT_TRUE(doc.addGlyph(U'x'));
    const QByteArray before = bytes(path);

    // A file marked read-only is never written over, whoever runs the program.
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    EXPECT_TRUE(doc.isReadOnly());
    const Status refused = doc.save();
    ASSERT_FALSE(refused.ok());
    EXPECT_NE(refused.error().toStdString().find("read-only"), std::string::npos) << refused.error().toStdString();
    EXPECT_FALSE(doc.saveAs(path).ok());
    EXPECT_EQ(bytes(path), before);
    EXPECT_TRUE(doc.isModified());
    ASSERT_NE(doc.glyph(U'x'), nullptr);

    // A broken file is refused with its file and line; the open font stays.
    const QString broken = dir.filePath(QStringLiteral("broken.vfont"));
    writeFile(broken, "family Broken\nheight 2\nglyph U+41\n#\n##\n");
    const Status opened = doc.open(broken);
    ASSERT_FALSE(opened.ok());
    EXPECT_EQ(opened.error().toStdString(), broken.toStdString() + ":5: row 2 of U+0041 is 2 LEDs wide, row 1 is 1");
    EXPECT_EQ(doc.path(), path);
    EXPECT_NE(doc.glyph(U'x'), nullptr);
    EXPECT_TRUE(doc.isModified());

    // The format holds no font without glyphs.
    ASSERT_TRUE(doc.removeGlyph(U'x'));
    ASSERT_TRUE(doc.removeGlyph(U' '));
    EXPECT_FALSE(doc.removeGlyph(U'W').ok());
}

TEST(FontDocument, SearchByCharacterOrCodePoint)
{
    FontDocument doc;
    ASSERT_TRUE(doc.open(Fonts + QStringLiteral("/vexel-led-11.vfont")));
    EXPECT_EQ(doc.search(QString()).size(), doc.font().glyphs.size());
    EXPECT_EQ(doc.search(QStringLiteral("A")), (std::vector<char32_t>{U'A'}));
    EXPECT_EQ(doc.search(QStringLiteral("ა")), (std::vector<char32_t>{0x10D0}));
    EXPECT_EQ(doc.search(QStringLiteral("U+10d0")), (std::vector<char32_t>{0x10D0}));
    EXPECT_EQ(doc.search(QStringLiteral("0x41")), (std::vector<char32_t>{U'A'}));
    // Bare hex digits are both the characters and the code point.
    EXPECT_EQ(doc.search(QStringLiteral("41")), (std::vector<char32_t>{U'1', U'4', U'A'}));
    EXPECT_TRUE(doc.search(QStringLiteral("U+D800")).empty());
    EXPECT_TRUE(doc.search(QStringLiteral("U+41zz")).empty());
    EXPECT_EQ(FontDocument::listText(0x10D0), QStringLiteral("U+10D0  ა"));
    EXPECT_EQ(FontDocument::listText(U' '), QStringLiteral("U+0020"));
}

TEST(FontList, UserFontsComeFirstAndAppearOnReload)
{
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const testing_support::ScopedEnv data("XDG_DATA_HOME", home.path().toUtf8());
    const QString folder = UserFonts::folder();
    ASSERT_TRUE(folder.startsWith(home.path())) << folder.toStdString();
    const FontList::Places places = FontList::installedPlaces();
    ASSERT_FALSE(places.ledFontFolders.isEmpty());
    EXPECT_EQ(places.ledFontFolders.front(), folder);
    EXPECT_FALSE(FontList::shippedFolders().contains(folder));

    FontList::Places own;
    own.ledFontFolders << folder << Fonts;
    own.systemFonts = false;
    FontList fonts(own);
    ASSERT_EQ(fonts.find(QStringLiteral("Mine")), nullptr);

    // A user's copy of a shipped face, saved with a glyph more, stands in
    // for it; a new family appears beside it.
    int announced = 0;
    QObject::connect(&UserFonts::instance(), &UserFonts::fontSaved, [&] { ++announced; });
    FontDocument doc;
    ASSERT_TRUE(doc.open(Fonts + QStringLiteral("/vexel-led-7.vfont")));
    ASSERT_TRUE(doc.addGlyph(U'§'));
    ASSERT_TRUE(doc.saveAs(folder + QStringLiteral("/vexel-led-7.vfont")));
    writeFile(folder + QStringLiteral("/mine.vfont"), lettering_test::squareFont("Mine", 5));
    EXPECT_EQ(announced, 1);
    fonts.reload();
    ASSERT_NE(fonts.find(QStringLiteral("Mine")), nullptr);
    const Expected<std::shared_ptr<GlyphSource>> led = fonts.open(QStringLiteral("Vexel LED"), 7, false);
    ASSERT_TRUE(led.ok()) << led.error().toStdString();
    EXPECT_NE((*led)->glyph(U'§'), nullptr);
}

} // namespace
