// The command-line tool as scripts run it: exit statuses against the
// virtual board on a pseudo-terminal, bad usage, refused files, and route
// sets compared with what the Text panel letters for the same texts.
#include "BoardProcess.h"

#include "app/TextPanel.h"
#include "depot/PictureImport.h"
#include "document/ImageFile.h"
#include "document/PixelArray.h"
#include "preview/GifWriter.h"
#include "support/ScratchMount.h"
#include "support/TestFiles.h"

#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTemporaryDir>

#include "RunVexel.h"

#include <gtest/gtest.h>

using serial_testing::BoardProcess;
using testing_support::readAll;
using testing_support::writeAll;

namespace {

using Outcome = cli_testing::VexelRun;
using cli_testing::runVexel;

class CliTest : public ::testing::Test {
protected:
    CliTest() : folder(testing_support::folderOf(dir))
    {
        writeAll(folder + "a.img", testing_support::randomImageText(2, 96, 24, 3));
        writeAll(folder + "b.img", testing_support::randomImageText(1, 96, 24, 4));
        // Line 3 holds a row of 23 hex digits.
        writeAll(folder + "broken.img", "0001\r\n000001F40000000000080001\r\n" + QByteArray(23, 'A') + "\r\n");
    }

    QTemporaryDir dir;
    QString folder;
};

// The panel's picture of a text with a preset, in a 96 x 24 target.
vexel::LedBitmap panelGhost(const QString& text, const QString& font)
{
    TextPanel panel;
    panel.setTargets(vexel::FrameRect{0, 0, 96, 24}, std::nullopt);
    if (!font.isEmpty())
        panel.fontBox->setCurrentIndex(panel.fontBox->findData(font));
    panel.textEdit->setPlainText(text);
    panel.applyLayout(TextPanel::Layout::NumberAndDestination);
    return panel.ghost().bitmap;
}

vexel::LedBitmap frameLeds(const vexel::ImageRecord& record, int frame)
{
    vexel::PixelArray bits;
    const int at = record.headerLine(frame);
    const vexel::FrameRect window = record.headerAt(at)->rect;
    EXPECT_TRUE(record.readFrameBits(at, window, bits).ok());
    vexel::LedBitmap leds(window.w, window.h);
    for (int y = 0; y < window.h; ++y)
        for (int x = 0; x < window.w; ++x)
            leds.set(x, y, bits.lit(window.x + x, window.y + y));
    return leds;
}

} // namespace

TEST_F(CliTest, SendExitsWithTheBoardsReply)
{
    struct Case {
        QStringList board;
        int exit;
        const char* said;
    };
    const Case cases[] = {
        {{}, 0, "The board replied OK"},
        {{"--reply", "CS\\r\\n"}, 3, "The board replied CS"},
        {{"--reply", "LN\\r\\n"}, 4, "The board replied LN"},
        {{"--silent"}, 5, "No reply from"},
    };
    for (const Case& c : cases) {
        QTemporaryDir received;
        BoardProcess board(c.board + QStringList{"--out", received.path()});
        ASSERT_TRUE(board.started());
        const Outcome run = runVexel({"send", "--port", board.path(), "--delay", "0", "--timeout", "300", folder + "a.img",
                               folder + "b.img"});
        EXPECT_EQ(run.exit, c.exit) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(QStringLiteral("Sent ")) && run.err.contains(QString::fromLatin1(c.said)))
            << run.err.toStdString();
        if (c.exit == 0) {
            // The board holds the two files as they were sent.
            EXPECT_EQ(readAll(received.filePath("1.img")), readAll(folder + "a.img"));
            EXPECT_EQ(readAll(received.filePath("2.img")), readAll(folder + "b.img"));
        }
    }
}

TEST_F(CliTest, ReadExitsWithTheBoardsReply)
{
    {
        BoardProcess board;
        ASSERT_TRUE(board.started());
        const Outcome run = runVexel({"read", "--port", board.path(), "--delay", "0", "--timeout", "300"});
        EXPECT_EQ(run.exit, 0) << run.err.toStdString();
        EXPECT_EQ(run.out.trimmed(), QStringLiteral("The board replied OK"));
    }
    BoardProcess silent({"--silent"});
    ASSERT_TRUE(silent.started());
    EXPECT_EQ(runVexel({"read", "--port", silent.path(), "--delay", "0", "--timeout", "200"}).exit, 5);
}

TEST_F(CliTest, BadUsageExitsWithTwo)
{
    const QStringList cases[] = {
        {},
        {"draw"},
        {"check"},
        {"check", "--frames", "a.img"},
        {"check", "--size", "600x24", "a.img"},
        {"render", "a.img"},
        {"render", "a.img", "--png"},
        {"send", "a.img"},
        {"send", "--port", "/dev/null", "--baud", "fast", "a.img"},
        {"read", "--port", "/dev/null", "a.img"},
        {"routes", "layout.json", "--out", "x"},
        {"routes", "layout.json", "routes.csv"},
    };
    for (const QStringList& args : cases) {
        const Outcome run = runVexel(args);
        EXPECT_EQ(run.exit, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(run.err.startsWith(QStringLiteral("vexel: "))) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty());
    }
    const Outcome help = runVexel({"--help"});
    EXPECT_EQ(help.exit, 0);
    EXPECT_TRUE(help.out.contains(QStringLiteral("vexel routes LAYOUT.json ROUTES.csv --out DIR")));
}

TEST_F(CliTest, RefusedFilesExitWithOneAndChangeNothing)
{
    const QString broken = QDir::toNativeSeparators(folder + "broken.img");
    const Outcome check = runVexel({"check", folder + "a.img", folder + "broken.img"});
    EXPECT_EQ(check.exit, 1);
    EXPECT_TRUE(check.err.contains(QStringLiteral("\"%1\": line 3").arg(broken))) << check.err.toStdString();

    // Nothing of a list with a bad file goes out, nothing is drawn.
    QTemporaryDir received;
    BoardProcess board({"--out", received.path()});
    ASSERT_TRUE(board.started());
    const Outcome send =
        runVexel({"send", "--port", board.path(), "--delay", "0", "--timeout", "200", folder + "a.img", folder + "broken.img"});
    EXPECT_EQ(send.exit, 1);
    EXPECT_TRUE(send.err.contains(broken)) << send.err.toStdString();
    EXPECT_TRUE(QDir(received.path()).isEmpty());
    const Outcome render = runVexel({"render", folder + "a.img", folder + "broken.img", "--png", folder + "out.png"});
    EXPECT_EQ(render.exit, 1);
    EXPECT_FALSE(QFile::exists(folder + "out.png"));

    const Outcome nowhere = runVexel({"send", "--port", folder + "no-such-port", "--delay", "0", folder + "a.img"});
    EXPECT_EQ(nowhere.exit, 1);
    EXPECT_TRUE(nowhere.err.contains(QStringLiteral("no-such-port"))) << nowhere.err.toStdString();
}

TEST_F(CliTest, CheckPrintsOneLinePerFinding)
{
    writeAll(folder + "dark.img", testing_support::blankImageText(96, 24, 0));
    const Outcome run = runVexel({"check", folder + "a.img", folder + "dark.img"});
    EXPECT_EQ(run.exit, 1);
    const QString name = folder + "dark.img";
    EXPECT_EQ(run.out, QStringLiteral("%1, frame 0: no LED is lit.\n%1, frame 0: its duration is 0 ms, so it shows "
                                      "only for a moment.\n")
                           .arg(name));
    EXPECT_EQ(runVexel({"check", folder + "a.img", folder + "b.img"}).exit, 0);
}

TEST_F(CliTest, RenderWritesEachExport)
{
    const Outcome run = runVexel({"render", folder + "a.img", folder + "b.img", "--png", folder + "frame.png", "--gif",
                           folder + "list.gif", "--sheet", folder + "sheet.png", "--frame", "2"});
    EXPECT_EQ(run.exit, 0) << run.err.toStdString();
    EXPECT_TRUE(readAll(folder + "list.gif").startsWith("GIF89a"));
    EXPECT_EQ(QImage(folder + "frame.png").size(), QSize(96 * 4, 24 * 4));
    EXPECT_FALSE(QImage(folder + "sheet.png").isNull());
    EXPECT_EQ(runVexel({"render", folder + "a.img", "--png", folder + "x.png", "--frame", "2"}).exit, 1);
}

TEST_F(CliTest, RoutesMatchTheTextPanelAndSkipRowsThatDoNotFit)
{
    writeAll(folder + "layout.json", R"({ "frames": [
        { "preset": "number", "destination": "{destination_ka}", "duration": 4000 },
        { "preset": "number", "destination": "{destination_en}", "font": "Fixed", "entry": 2 } ] })");
    // Row 3 is one word too long for any page; row 4 has a quote and a comma
    // in its Latin destination, which the quoting keeps in one field.
    writeAll(folder + "routes.csv", "route,destination_ka,destination_en,via\r\n"
                                    "12,აეროპორტი,Airport,\r\n"
                                    "37,დიდუბესაბურთალოდელისივაკევერარუსთაველიორთაჭალავარკეთილი,Didube,\r\n"
                                    "61,ვაკე,\"Old Town, \"\"Vake\"\"\",\r\n"
                                    "88,გლდანი,,\r\n"
                                    "150,ვერა,Vera,x\r\n");
    const QString out = folder + "set";
    const Outcome run = runVexel({"routes", folder + "layout.json", folder + "routes.csv", "--out", out});
    EXPECT_EQ(run.exit, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("routes.csv: line 3, route 37: frame 1: ")))
        << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("written nowhere")));
    EXPECT_EQ(QDir(out).entryList(QDir::Files), (QStringList{"12.img", "150.img", "61.img", "88.img"}));

    struct Want {
        const char* file;
        std::vector<std::pair<QString, QString>> frames; // panel text and font
    };
    const Want expected[] = {
        {"12.img", {{"12 აეროპორტი", ""}, {"12 Airport", "Fixed"}}},
        {"61.img", {{"61 ვაკე", ""}, {"61 Old Town, \"Vake\"", "Fixed"}}},
        {"88.img", {{"88 გლდანი", ""}}},
    };
    for (const Want& e : expected) {
        const vexel::Expected<vexel::ImageRecord> record = vexel::ImageFile::load(out + "/" + e.file);
        ASSERT_TRUE(record.ok()) << record.error().toStdString();
        ASSERT_EQ(*record->frameCount(), static_cast<int>(e.frames.size())) << e.file;
        for (std::size_t f = 0; f < e.frames.size(); ++f) {
            const vexel::LedBitmap ghost = panelGhost(e.frames[f].first, e.frames[f].second);
            EXPECT_GT(ghost.litCount(), 0);
            EXPECT_EQ(frameLeds(*record, static_cast<int>(f)), ghost) << e.file << " frame " << f;
        }
    }
    EXPECT_EQ(runVexel({"check", out + "/12.img", out + "/61.img"}).exit, 0);
}

// A disk that fills up half-way through a file: the GIF and the sheet do
// not fit in a tmpfs of 8 KB.
TEST_F(CliTest, RenderOnAFullDiskSaysWhy)
{
    testing_support::ScratchMount tiny(8);
    if (!tiny.valid())
        GTEST_SKIP() << "cannot mount a small tmpfs here";
    const QString at = tiny.folder();
    const Outcome run =
        runVexel({"render", folder + "a.img", "--gif", at + "a.gif", "--sheet", at + "a.png", "--zoom", "8"});
    EXPECT_EQ(run.exit, 1);
    for (const char* file : {"a.gif", "a.png"})
        EXPECT_TRUE(run.err.contains(QStringLiteral("\"%1%2\". No space left on device").arg(at, file)))
            << run.err.toStdString();
    EXPECT_FALSE(run.err.contains(QStringLiteral("Unknown error")));
    EXPECT_EQ(QDir(at).entryList(QDir::Files), QStringList()) << "no part-written file is left";
}

TEST_F(CliTest, RenderTakesEveryExportFormatAndItsHelpListsThem)
{
    const Outcome run = runVexel({"render", folder + "a.img", "--pixel-png", folder + "p.png", "--frame", "1"});
    EXPECT_EQ(run.exit, 0) << run.err.toStdString();
    EXPECT_EQ(QImage(folder + "p.png").size(), QSize(96, 24));
    const Outcome help = runVexel({"--help"});
    for (const char* option : {"--png OUT", "--pixel-png OUT", "--gif OUT", "--sheet OUT"})
        EXPECT_TRUE(help.out.contains(QLatin1String(option))) << option;
    const Outcome none = runVexel({"render", folder + "a.img"});
    EXPECT_EQ(none.exit, 2);
    EXPECT_TRUE(none.err.contains(QStringLiteral("--png, --pixel-png, --gif, --sheet or --sheet-pdf"))) << none.err.toStdString();
}

namespace {

// The LEDs of frame `f` of an image file as rows of '#' and '.'.
std::vector<std::string> importedRows(const QString& path, int f)
{
    const vexel::Expected<vexel::ImageRecord> record = vexel::ImageFile::load(path);
    if (!record)
        return {record.error().toStdString()};
    const vexel::LedBitmap leds = frameLeds(*record, f);
    std::vector<std::string> rows;
    for (int y = 0; y < leds.height(); ++y) {
        std::string row;
        for (int x = 0; x < leds.width(); ++x)
            row += leds.lit(x, y) ? '#' : '.';
        rows.push_back(row);
    }
    return rows;
}

} // namespace

TEST_F(CliTest, ImportConvertsAPictureAsTheImportPanelDoes)
{
    // White on the left, grey 100 in the third column, black on the right.
    QImage picture(4, 2, QImage::Format_RGB32);
    picture.fill(Qt::black);
    for (int y = 0; y < 2; ++y) {
        picture.setPixel(0, y, qRgb(255, 255, 255));
        picture.setPixel(1, y, qRgb(255, 255, 255));
        picture.setPixel(2, y, qRgb(100, 100, 100));
    }
    ASSERT_TRUE(picture.save(folder + "p.png"));
    using Rows = std::vector<std::string>;
    struct Case {
        QStringList options;
        Rows leds;
    };
    const Case cases[] = {
        {{}, {"##..", "##.."}},
        {{"--threshold", "100"}, {"###.", "###."}},
        {{"--invert"}, {"..##", "..##"}},
    };
    for (const Case& c : cases) {
        const Outcome run = runVexel(QStringList{"import", folder + "p.png", "--out", folder + "p.img", "--size", "4x2",
                                                 "--stretch"} + c.options);
        ASSERT_EQ(run.exit, 0) << run.err.toStdString();
        EXPECT_EQ(importedRows(folder + "p.img", 0), c.leds) << c.options.join(' ').toStdString();
    }
    // Kept in aspect on a wider board: centred, the margins unlit.
    ASSERT_EQ(runVexel({"import", folder + "p.png", "--out", folder + "wide.img", "--size", "8x2"}).exit, 0);
    EXPECT_EQ(importedRows(folder + "wide.img", 0), Rows({"..##....", "..##...."}));
    EXPECT_EQ(runVexel({"check", "--size", "8x2", folder + "wide.img"}).exit, 0);

    // The dithers of a photograph-like picture, LED for LED the panel's.
    const QString scene = QStringLiteral(VEXEL_EXAMPLES "/bus-scene.png");
    const vexel::Expected<vexel::Picture> read = vexel::PictureImport::read(scene);
    ASSERT_TRUE(read.ok()) << read.error().toStdString();
    const std::pair<const char*, vexel::LedConversion> methods[] = {{"ordered", vexel::LedConversion::Ordered},
                                                                    {"diffusion", vexel::LedConversion::ErrorDiffusion}};
    for (const auto& [name, method] : methods) {
        const Outcome run = runVexel({"import", scene, "--out", folder + "scene.img", "--method", name, "--threshold",
                                      "90", "--size", "96x24"});
        ASSERT_EQ(run.exit, 0) << run.err.toStdString();
        vexel::ImportOptions options;
        options.method = method;
        options.threshold = 90;
        const vexel::LedBitmap panel = vexel::PictureImport::convert(read->frames.front(), 96, 24, options);
        const vexel::Expected<vexel::ImageRecord> record = vexel::ImageFile::load(folder + "scene.img");
        ASSERT_TRUE(record.ok());
        EXPECT_GT(panel.litCount(), 0);
        EXPECT_EQ(frameLeds(*record, 0), panel) << name;
    }
}

TEST_F(CliTest, ImportMakesAFrameOfEachPictureOfAnAnimationWithItsDelay)
{
    vexel::GifWriter gif(2, 1, {qRgb(0, 0, 0), qRgb(255, 255, 255)}, true);
    gif.canvas()[0] = 1;
    ASSERT_TRUE(gif.addFrame(QRect(0, 0, 2, 1), 30).ok());
    gif.canvas()[0] = 0;
    gif.canvas()[1] = 1;
    ASSERT_TRUE(gif.addFrame(QRect(0, 0, 2, 1), 70).ok());
    const vexel::Expected<QByteArray> bytes = gif.finish();
    ASSERT_TRUE(bytes.ok());
    writeAll(folder + "a.gif", *bytes);

    const Outcome run = runVexel({"import", folder + "a.gif", "--out", folder + "a2.img", "--size", "2x1"});
    ASSERT_EQ(run.exit, 0) << run.err.toStdString();
    const vexel::Expected<vexel::ImageRecord> record = vexel::ImageFile::load(folder + "a2.img");
    ASSERT_TRUE(record.ok()) << record.error().toStdString();
    ASSERT_EQ(*record->frameCount(), 2);
    EXPECT_EQ(record->headerAt(record->headerLine(0))->duration, 300);
    EXPECT_EQ(record->headerAt(record->headerLine(1))->duration, 700);
    EXPECT_EQ(importedRows(folder + "a2.img", 0), std::vector<std::string>{"#."});
    EXPECT_EQ(importedRows(folder + "a2.img", 1), std::vector<std::string>{".#"});
}

TEST_F(CliTest, ImportRefusesPicturesAndOptionsItCannotTake)
{
    writeAll(folder + "junk.png", "not a picture");
    const Outcome refused = runVexel({"import", folder + "junk.png", "--out", folder + "j.img"});
    EXPECT_EQ(refused.exit, 1);
    EXPECT_TRUE(refused.err.contains(QDir::toNativeSeparators(folder + "junk.png"))) << refused.err.toStdString();
    EXPECT_FALSE(QFile::exists(folder + "j.img"));

    QImage(2, 2, QImage::Format_RGB32).save(folder + "ok.png");
    const QStringList bad[] = {
        {"import", folder + "ok.png"},
        {"import", folder + "ok.png", "--out", folder + "o.img", "--threshold", "256"},
        {"import", folder + "ok.png", "--out", folder + "o.img", "--method", "halftone"},
        {"import", folder + "ok.png", "--out", folder + "o.img", "--fit", "--stretch"},
        {"import", folder + "ok.png", "--out", folder + "o.img", "--size", "500x24"},
    };
    for (const QStringList& args : bad)
        EXPECT_EQ(runVexel(args).exit, 2) << args.join(' ').toStdString();
    EXPECT_FALSE(QFile::exists(folder + "o.img"));
    EXPECT_TRUE(runVexel({"--help"}).out.contains("vexel import PICTURE --out FILE.img"));
}

namespace {

// The LEDs of a lettering sheet drawn at zoom 1: one cell a LED, lit ones
// in amber.
vexel::LedBitmap sheetLeds(const QImage& sheet)
{
    vexel::LedBitmap leds(sheet.width(), sheet.height());
    for (int y = 0; y < sheet.height(); ++y)
        for (int x = 0; x < sheet.width(); ++x)
            leds.set(x, y, qRed(sheet.pixel(x, y)) > 128);
    return leds;
}

} // namespace

TEST_F(CliTest, TheLetteringSheetRoutesAndTheTextPanelLightTheSameLeds)
{
    struct Case {
        QString route;
        QString destination;
        QString font; // empty: the default of all three
    };
    const Case cases[] = {{"12", "აეროპორტი", ""}, {"7", "Airport", "Fixed"}, {"150", "ვაკე", ""}};
    for (const Case& c : cases) {
        writeAll(folder + "layout.json",
                 c.font.isEmpty()
                     ? QByteArray(R"({ "frames": [ { "preset": "number", "destination": "{destination_ka}" } ] })")
                     : QStringLiteral(R"({ "font": "%1", "frames": [ { "preset": "number", "destination": "{destination_ka}" } ] })")
                           .arg(c.font)
                           .toUtf8());
        writeAll(folder + "one.csv", ("route,destination_ka\r\n" + c.route + "," + c.destination + "\r\n").toUtf8());
        const Outcome routes = runVexel({"routes", folder + "layout.json", folder + "one.csv", "--out", folder + "one"});
        ASSERT_EQ(routes.exit, 0) << routes.err.toStdString();
        const vexel::Expected<vexel::ImageRecord> record = vexel::ImageFile::load(folder + "one/" + c.route + ".img");
        ASSERT_TRUE(record.ok()) << record.error().toStdString();
        const vexel::LedBitmap routed = frameLeds(*record, 0);

        const QString text = c.route + " " + c.destination;
        QStringList sheetArgs{"--preset", "number", "--size", "96x24", "--zoom", "1"};
        if (!c.font.isEmpty())
            sheetArgs << "--font" << c.font;
        QProcess sheet;
        sheet.start(QStringLiteral(VEXEL_LETTERING_SHEET_TOOL), sheetArgs + QStringList{folder + "sheet.png", text});
        ASSERT_TRUE(sheet.waitForFinished(30000));
        ASSERT_EQ(sheet.exitCode(), 0) << sheet.readAllStandardError().toStdString();
        const QImage drawn(folder + "sheet.png");
        ASSERT_EQ(drawn.size(), QSize(96, 24));

        const vexel::LedBitmap panel = panelGhost(text, c.font);
        EXPECT_GT(routed.litCount(), 0) << text.toStdString();
        EXPECT_EQ(sheetLeds(drawn), routed) << "the sheet, " << text.toStdString();
        EXPECT_EQ(panel, routed) << "the panel, " << text.toStdString();
    }
}
