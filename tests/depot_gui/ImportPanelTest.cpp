// The picture import's panel: the ghost on every change, the target, the
// frames of an animation within the image's room, refusals, Place and Escape.
#include "depot/DepotTestSupport.h"

#include "app/ImportPanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace vexel;

namespace {

class ImportPanelTest : public ::testing::Test {
protected:
    ImportPanelTest()
    {
        QObject::connect(&panel, &ImportPanel::ghostChanged, [this](const FrameRect& t, const LedBitmap& b) {
            target = t;
            ghost = b;
            ++ghosts;
        });
        panel.setTargets(FrameRect{0, 0, 96, 24}, std::nullopt);
        // A left-to-right grey ramp, 192 x 48: twice the board each way.
        QImage ramp(192, 48, QImage::Format_RGB32);
        for (int y = 0; y < ramp.height(); ++y)
            for (int x = 0; x < ramp.width(); ++x)
                ramp.setPixel(x, y, qRgb(x * 255 / 191, x * 255 / 191, x * 255 / 191));
        rampPath = dir.filePath(QStringLiteral("ramp.png"));
        ramp.save(rampPath);
        rampGrey = GreyPicture::fromImage(ramp);
    }

    LedBitmap expected(int w, int h, const ImportOptions& o) { return PictureImport::convert(rampGrey, w, h, o); }

    QTemporaryDir dir;
    QString rampPath;
    GreyPicture rampGrey;
    ImportPanel panel;
    FrameRect target;
    LedBitmap ghost;
    int ghosts = 0;
};

} // namespace

TEST_F(ImportPanelTest, EveryChangeRedrawsTheGhost)
{
    ASSERT_TRUE(panel.openPicture(rampPath).ok());
    EXPECT_EQ(panel.fileLabel->text(), QStringLiteral("ramp.png"));
    EXPECT_EQ(target, (FrameRect{0, 0, 96, 24}));
    EXPECT_EQ(ghost, expected(96, 24, ImportOptions{}));
    EXPECT_EQ(ghost.litCount(), 48 * 24); // the brighter half

    panel.thresholdSlider->setValue(192);
    panel.invertBox->setChecked(true);
    panel.methodBox->setCurrentIndex(2);
    panel.fitBox->setCurrentIndex(1);
    ImportOptions o;
    o.threshold = 192;
    o.invert = true;
    o.method = LedConversion::ErrorDiffusion;
    o.fit = PictureFit::Stretch;
    EXPECT_EQ(panel.options().threshold, o.threshold);
    EXPECT_EQ(ghost, expected(96, 24, o));
    EXPECT_EQ(panel.thresholdLabel->text(), QStringLiteral("192"));
    EXPECT_EQ(ghosts, 6); // opened, and one for each of the four changes

    // The selection, as far as it lies inside the frame, becomes the target.
    panel.setTargets(FrameRect{8, 0, 80, 24}, FrameRect{0, 4, 40, 8});
    EXPECT_EQ(target, (FrameRect{8, 4, 32, 8}));
    EXPECT_EQ(ghost, expected(32, 8, o));
}

TEST_F(ImportPanelTest, AnUnreadablePictureChangesNothing)
{
    ASSERT_TRUE(panel.openPicture(rampPath).ok());
    const int before = ghosts;
    const LedBitmap shown = ghost;
    const QString bad = dir.filePath(QStringLiteral("bad.gif"));
    depot_test::write(bad, "GIF89a and then nothing that makes a picture");
    const Status status = panel.openPicture(bad);
    ASSERT_FALSE(status.ok());
    EXPECT_EQ(status.error().toStdString().rfind("Cannot read picture \"" + bad.toStdString() + "\": ", 0), 0u) << status.error().toStdString();
    EXPECT_EQ(ghosts, before);
    EXPECT_EQ(panel.ghost(), shown);
    EXPECT_EQ(panel.fileLabel->text(), QStringLiteral("ramp.png"));
}

TEST_F(ImportPanelTest, AnAnimationBecomesFramesWithinTheImagesRoom)
{
    const QString gif = dir.filePath(QStringLiteral("three.gif"));
    ASSERT_TRUE(depot_test::write(gif, depot_test::threeFrameGif()));
    panel.setTargets(FrameRect{0, 0, 6, 2}, std::nullopt);
    ASSERT_TRUE(panel.openPicture(gif).ok());
    EXPECT_FALSE(panel.framesButton->isHidden());
    EXPECT_EQ(depot_test::rows(ghost), (std::vector<std::string>{"##....", "##...."}));

    std::vector<LedBitmap> frames;
    std::vector<int> durations;
    QObject::connect(&panel, &ImportPanel::framesRequested,
                     [&](const FrameRect&, const std::vector<LedBitmap>& f, const std::vector<int>& d) {
                         frames = f;
                         durations = d;
                     });
    panel.framesButton->click();
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_EQ(durations, (std::vector<int>{100, 250, 500}));
    EXPECT_EQ(depot_test::rows(frames[2]), (std::vector<std::string>{"######", "######"}));

    // Two frames short of the limit: two are imported, and the panel says so.
    panel.setFrameRoom(2);
    EXPECT_TRUE(panel.framesLabel->text().contains(QStringLiteral("can take 2 more (256 frames at most)")))
        << panel.framesLabel->text().toStdString();
    panel.importFrames();
    EXPECT_EQ(frames.size(), 2u);
    panel.setFrameRoom(0);
    EXPECT_FALSE(panel.framesButton->isEnabled());
}

TEST_F(ImportPanelTest, PlaceAndEscape)
{
    int placed = 0;
    int cancelled = 0;
    QObject::connect(&panel, &ImportPanel::placeRequested, [&](const FrameRect& t, const LedBitmap& b) {
        EXPECT_EQ(t, target);
        EXPECT_EQ(b, ghost);
        ++placed;
    });
    QObject::connect(&panel, &ImportPanel::cancelled, [&] { ++cancelled; });
    EXPECT_FALSE(panel.placeButton->isEnabled()); // nothing to place yet
    ASSERT_TRUE(panel.openPicture(rampPath).ok());
    panel.show();
    panel.placeButton->click();
    EXPECT_EQ(placed, 1);
    EXPECT_FALSE(panel.isVisible());

    panel.show();
    QTest::keyClick(panel.thresholdSlider, Qt::Key_Escape);
    EXPECT_EQ(cancelled, 1);
    EXPECT_FALSE(panel.isVisible());
}
