// The export formats as a list: each writes what the export it stands for
// writes, the sources they draw from load all or nothing, and a frame that
// is not there is refused before anything is written.
#include "document/ImageFile.h"
#include "preview/Export.h"
#include <QFileInfo>
#include "preview/ProofSheet.h"
#include "preview/ExportFormat.h"
#include "preview/SignTimeline.h"
#include "preview/SimImages.h"
#include "support/TestFiles.h"

#include <QImage>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace sim_testing;
using vexel::ExportFormat;
using vexel::ExportOptions;
using vexel::SignTimeline;

namespace {

const SignTimeline::Board Small{6, 3, 10};

Rows litRows(const QImage& pixels)
{
    Rows rows;
    for (int y = 0; y < pixels.height(); ++y) {
        std::string row;
        for (int x = 0; x < pixels.width(); ++x)
            row += qGray(pixels.pixel(x, y)) > 0 ? '#' : '.';
        rows.push_back(row);
    }
    return rows;
}

class ExportFormatTest : public ::testing::Test {
protected:
    ExportFormatTest() : folder(testing_support::folderOf(dir))
    {
        EXPECT_TRUE(vexel::ImageFile::write(folder + "a.img", image({{0, 0, 100, Full, A}})).ok());
        EXPECT_TRUE(vexel::ImageFile::write(folder + "b.img", image({{1, 0, 200, Full, B}, {0, 0, 50, {0, 0, 2, 1}, {".#"}}})).ok());
    }
    SignTimeline list()
    {
        vexel::Expected<SignTimeline> s = SignTimeline::ofFiles({folder + "a.img", folder + "b.img"}, Small);
        EXPECT_TRUE(s.ok()) << s.error().toStdString();
        return std::move(s).value();
    }

    QTemporaryDir dir;
    QString folder;
};

} // namespace

TEST_F(ExportFormatTest, TheListNamesEachFormatOnceWithItsMenuEntries)
{
    QSet<QString> names;
    QStringList captions;
    for (const ExportFormat* format : ExportFormat::all()) {
        EXPECT_FALSE(names.contains(format->name())) << format->name().toStdString();
        names << format->name();
        EXPECT_EQ(ExportFormat::find(format->name()), format);
        EXPECT_TRUE(format->filter().endsWith("*." + format->extension()));
        for (const ExportFormat::MenuEntry& e : format->menuEntries())
            captions << e.caption;
    }
    EXPECT_EQ(names, (QSet<QString>{"png", "pixel-png", "gif", "sheet", "sheet-pdf"}));
    EXPECT_EQ(ExportFormat::find("bmp"), nullptr);
    EXPECT_EQ(captions, (QStringList{"Frame as PNG, LED look...", "Frame as PNG, one pixel per LED...",
                                     "Image as animated GIF...", "Send list as animated GIF...",
                                     "Proof sheet of the image...", "Proof sheet of the send list...",
                                     "Proof sheet of the image as PDF...", "Proof sheet of the send list as PDF..."}));
}

TEST_F(ExportFormatTest, TheFileNameOfferedNamesTheFrameOnlyForTheFrameFormats)
{
    const struct {
        const char* format;
        const char* image;
        const char* sendList;
        bool oneFrame;
    } cases[] = {{"png", "route-frame2.png", "send-list-frame2.png", true},
                 {"pixel-png", "route-frame2.png", "send-list-frame2.png", true},
                 {"gif", "route.gif", "send-list.gif", false},
                 {"sheet", "route-proof.png", "send-list-proof.png", false},
                 {"sheet-pdf", "route-proof.pdf", "send-list-proof.pdf", false}};
    for (const auto& c : cases) {
        const ExportFormat* format = ExportFormat::find(c.format);
        ASSERT_NE(format, nullptr) << c.format;
        EXPECT_EQ(format->proposedName("route", ExportFormat::Scope::Image, 2), c.image) << c.format;
        EXPECT_EQ(format->proposedName("send-list", ExportFormat::Scope::SendList, 2), c.sendList) << c.format;
        EXPECT_EQ(format->picturesOneFrame(), c.oneFrame) << c.format;
    }
}

TEST_F(ExportFormatTest, EachFormatWritesWhatItsExportWrites)
{
    SignTimeline source = list();
    ASSERT_EQ(source.timeline().frameCount(), 3);
    EXPECT_EQ(source.titles(), (QStringList{"a.img", "b.img"}));
    ExportOptions options;
    options.frame = 2;
    options.heading = "Sheet";
    for (const ExportFormat* format : ExportFormat::all()) {
        const QString path = folder + "out-" + format->name();
        ASSERT_TRUE(format->check(source, options).ok()) << format->name().toStdString();
        const vexel::Status written = format->write(source, options, path);
        ASSERT_TRUE(written.ok()) << written.error().toStdString();
    }
    // Frame 2 holds on a later pass: its 2 x 1 window over what B left.
    EXPECT_EQ(litRows(QImage(folder + "out-pixel-png")), Rows({".#####", "......", "#....#"}));
    EXPECT_EQ(QImage(folder + "out-png").size(), QSize(24, 12)) << "zoom 4";

    const vexel::Expected<QByteArray> gif = vexel::Export::gifData(source.timeline(), vexel::SignStyle());
    ASSERT_TRUE(gif.ok());
    EXPECT_EQ(testing_support::readAll(folder + "out-gif"), *gif);

    ASSERT_TRUE(vexel::Export::proofSheet(source.timeline(), source.titles(), "Sheet", folder + "sheet.png").ok());
    EXPECT_EQ(QImage(folder + "out-sheet"), QImage(folder + "sheet.png"));
    EXPECT_TRUE(testing_support::readAll(folder + "out-sheet-pdf").startsWith("%PDF"));
}

// The PDF holds a page for every PNG page, and a file that cannot be
// written is reported rather than passed off as written.
TEST_F(ExportFormatTest, TheProofSheetAsOnePdfHasAPageForEachPngPage)
{
    SignTimeline source = list();
    ASSERT_TRUE(vexel::Export::proofSheetPdf(source.timeline(), source.titles(), "Sheet", folder + "sheet.pdf").ok());
    const QByteArray pdf = testing_support::readAll(folder + "sheet.pdf");
    ASSERT_TRUE(pdf.startsWith("%PDF"));
    const qsizetype pages = QString::fromLatin1(pdf).count(QRegularExpression("/Type\\s*/Page(?!s)"));
    vexel::ProofSheet sheet(source.timeline(), source.titles(), "Sheet");
    EXPECT_EQ(pages, qsizetype(sheet.pageCount()));

    const vexel::Status refused =
        vexel::Export::proofSheetPdf(source.timeline(), source.titles(), "Sheet", folder + "missing/dir/sheet.pdf");
    EXPECT_FALSE(refused.ok());
    EXPECT_FALSE(QFileInfo::exists(folder + "missing/dir/sheet.pdf"));
}

TEST_F(ExportFormatTest, AFrameThatIsNotThereIsRefusedAndTheEditorsFrameStandsAlone)
{
    SignTimeline source = list();
    ExportOptions options;
    options.frame = 3;
    for (const char* name : {"png", "pixel-png"}) {
        const vexel::Status possible = ExportFormat::find(name)->check(source, options);
        EXPECT_FALSE(possible.ok());
        EXPECT_EQ(possible.error(), "there is no frame 3; the files hold 3");
    }
    EXPECT_TRUE(ExportFormat::find("gif")->check(source, options).ok());

    // The editor's current frame: alone on the dark board.
    options.frame = 2;
    options.frameAlone = true;
    ASSERT_TRUE(ExportFormat::find("pixel-png")->write(source, options, folder + "alone.png").ok());
    EXPECT_EQ(litRows(QImage(folder + "alone.png")), Rows({".#....", "......", "......"}));
}

TEST_F(ExportFormatTest, ASourceLoadsWholeOrNamesTheFileThatFailed)
{
    testing_support::writeAll(folder + "broken.img", "0001\r\nXYZ\r\n");
    const vexel::Expected<SignTimeline> broken =
        SignTimeline::ofFiles({folder + "a.img", folder + "broken.img"}, Small);
    ASSERT_FALSE(broken.ok());
    EXPECT_NE(broken.error().toStdString().find("broken.img"), std::string::npos) << broken.error().toStdString();
    EXPECT_FALSE(SignTimeline::ofFiles({}, Small).ok());

    const vexel::Expected<SignTimeline> one = SignTimeline::ofImage(image({{0, 0, 100, Full, A}}), "a.img", Small);
    ASSERT_TRUE(one.ok());
    EXPECT_FALSE(one->isList());
    EXPECT_EQ(one->timeline().boardWidth(), 6);
    EXPECT_EQ(one->timeline().stepTime(), 10);
}
