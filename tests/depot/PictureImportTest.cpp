// Pictures turned into LEDs: exact patterns for small generated pictures,
// animated GIFs with their delays, and files that must be refused.
#include "DepotTestSupport.h"

#include "depot/PictureImport.h"

#include <QBuffer>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vexel;
using depot_test::rows;
using Rows = std::vector<std::string>;

namespace {

GreyPicture grey(int w, int h, const std::vector<int>& levels)
{
    GreyPicture p;
    p.width = w;
    p.height = h;
    for (int v : levels)
        p.levels.push_back(static_cast<std::uint8_t>(v));
    return p;
}

GreyPicture flat(int w, int h, int level) { return grey(w, h, std::vector<int>(static_cast<std::size_t>(w * h), level)); }

ImportOptions options(LedConversion method, int threshold = 128, bool invert = false,
                      PictureFit fit = PictureFit::Stretch)
{
    ImportOptions o;
    o.method = method;
    o.threshold = threshold;
    o.invert = invert;
    o.fit = fit;
    return o;
}

QByteArray png(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

} // namespace

TEST(PictureConversion, ThresholdAndInvertOnAGreyRamp)
{
    const GreyPicture ramp = grey(8, 1, {0, 36, 73, 109, 146, 182, 219, 255});
    EXPECT_EQ(rows(PictureImport::convert(ramp, 8, 1, options(LedConversion::Threshold))), Rows{"....####"});
    EXPECT_EQ(rows(PictureImport::convert(ramp, 8, 1, options(LedConversion::Threshold, 200))), Rows{"......##"});
    // A grey equal to the threshold reaches it.
    EXPECT_EQ(rows(PictureImport::convert(ramp, 8, 1, options(LedConversion::Threshold, 219))), Rows{"......##"});
    EXPECT_EQ(rows(PictureImport::convert(ramp, 8, 1, options(LedConversion::Threshold, 128, true))),
              Rows{"####...."});
}

TEST(PictureConversion, ShrinkingAveragesThePixelsUnderEachLed)
{
    // 4 x 4 blocks of a 8 x 4 picture: black, white, half of each, a quarter white.
    std::vector<int> levels;
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 8; ++x) {
            const bool white = x < 4 ? false : (y < 2 || x < 6);
            levels.push_back(white ? 255 : 0);
        }
    const ScaledLevels scaled = PictureImport::scale(grey(8, 4, levels), 2, 1, PictureFit::Stretch);
    ASSERT_EQ(scaled.levels.size(), 2u);
    EXPECT_NEAR(scaled.levels[0], 0.0, 1e-3);
    EXPECT_NEAR(scaled.levels[1], 255.0 * 12 / 16, 1e-3);
}

TEST(PictureConversion, KeepAspectCentresThePictureAndLeavesTheRestUnlit)
{
    // A white 2:1 picture in a 8 x 8 target: 8 x 4, rows 2..5; with invert
    // the margins stay unlit all the same.
    const GreyPicture white = flat(20, 10, 255);
    const ScaledLevels scaled = PictureImport::scale(white, 8, 8, PictureFit::KeepAspect);
    EXPECT_EQ(scaled.areaX, 0);
    EXPECT_EQ(scaled.areaY, 2);
    EXPECT_EQ(scaled.areaW, 8);
    EXPECT_EQ(scaled.areaH, 4);
    const Rows expected{"........", "........", "########", "########", "########", "########", "........",
                        "........"};
    EXPECT_EQ(rows(PictureImport::convert(white, 8, 8, options(LedConversion::Threshold, 128, false,
                                                                PictureFit::KeepAspect))),
              expected);
    EXPECT_EQ(PictureImport::convert(flat(20, 10, 0), 8, 8,
                                     options(LedConversion::Threshold, 128, true, PictureFit::KeepAspect)),
              PictureImport::convert(white, 8, 8, options(LedConversion::Threshold, 128, false, PictureFit::KeepAspect)));
    // A tall picture: full height, centred across.
    const ScaledLevels tall = PictureImport::scale(flat(10, 40, 255), 8, 8, PictureFit::KeepAspect);
    EXPECT_EQ(tall.areaW, 2);
    EXPECT_EQ(tall.areaX, 3);
}

TEST(PictureConversion, OrderedDitherLightsTheBayerShareOfEachBlock)
{
    // Mid grey lights exactly the cells of the 8 x 8 matrix below 32.
    const LedBitmap half = PictureImport::convert(flat(8, 8, 128), 8, 8, options(LedConversion::Ordered));
    EXPECT_EQ(rows(half), (Rows{"#.#.#.#.", ".#.#.#.#", "#.#.#.#.", ".#.#.#.#", "#.#.#.#.", ".#.#.#.#", "#.#.#.#.",
                                ".#.#.#.#"}));
    // A quarter grey: one LED in four, spread evenly.
    const LedBitmap quarter = PictureImport::convert(flat(8, 8, 64), 8, 8, options(LedConversion::Ordered));
    EXPECT_EQ(rows(quarter), (Rows{"#.#.#.#.", "........", "#.#.#.#.", "........", "#.#.#.#.", "........",
                                   "#.#.#.#.", "........"}));
    // Black lights nothing, white everything; the threshold shifts the grey.
    EXPECT_EQ(PictureImport::convert(flat(8, 8, 0), 8, 8, options(LedConversion::Ordered)).litCount(), 0);
    EXPECT_EQ(PictureImport::convert(flat(8, 8, 255), 8, 8, options(LedConversion::Ordered)).litCount(), 64);
    EXPECT_EQ(PictureImport::convert(flat(8, 8, 128), 8, 8, options(LedConversion::Ordered, 64)),
              PictureImport::convert(flat(8, 8, 192), 8, 8, options(LedConversion::Ordered)));
}

TEST(PictureConversion, ErrorDiffusionCarriesTheErrorOn)
{
    // Mid grey on one row: every other LED, the error of each passed right.
    EXPECT_EQ(rows(PictureImport::convert(flat(8, 1, 128), 8, 1, options(LedConversion::ErrorDiffusion))),
              Rows{"#.#.#.#."});
    // A quarter grey over a block: the first row only gathers error, which
    // the next row spends; a quarter lit in all.
    const LedBitmap quarter = PictureImport::convert(flat(8, 4, 64), 8, 4, options(LedConversion::ErrorDiffusion));
    EXPECT_EQ(rows(quarter), (Rows{"........", ".#.#.#.#", "........", ".#.#.#.#"}));
    // A dark grey a threshold alone would lose entirely still shows.
    EXPECT_EQ(PictureImport::convert(flat(32, 32, 40), 32, 32, options(LedConversion::Threshold)).litCount(), 0);
    const int lit = PictureImport::convert(flat(32, 32, 40), 32, 32, options(LedConversion::ErrorDiffusion)).litCount();
    EXPECT_NEAR(lit, 1024 * 40 / 255, 12); // what leaves the right and bottom edges is lost
}

TEST(PictureRead, AStillPictureIsOneFrame)
{
    QTemporaryDir dir;
    QImage image(4, 2, QImage::Format_ARGB32);
    image.fill(qRgba(255, 255, 255, 255));
    image.setPixel(0, 0, qRgba(0, 0, 0, 255));
    image.setPixel(1, 0, qRgba(255, 255, 255, 0)); // transparent: the dark face
    image.setPixel(2, 0, qRgba(255, 0, 0, 255));
    const QString path = dir.filePath(QStringLiteral("still.png"));
    ASSERT_TRUE(image.save(path));

    const Expected<Picture> picture = PictureImport::read(path);
    ASSERT_TRUE(picture.ok()) << picture.error().toStdString();
    EXPECT_FALSE(picture->animated());
    ASSERT_EQ(picture->frames.size(), 1u);
    const GreyPicture& g = picture->frames.front();
    EXPECT_EQ(g.width, 4);
    EXPECT_EQ(g.at(0, 0), 0);
    EXPECT_EQ(g.at(1, 0), 0);
    EXPECT_EQ(g.at(2, 0), 76); // red's share of the brightness
    EXPECT_EQ(g.at(3, 1), 255);
}

TEST(PictureRead, AnAnimatedGifGivesEveryFrameWithItsDelay)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("three.gif"));
    ASSERT_TRUE(depot_test::write(path, depot_test::threeFrameGif()));

    const Expected<Picture> picture = PictureImport::read(path);
    ASSERT_TRUE(picture.ok()) << picture.error().toStdString();
    EXPECT_TRUE(picture->animated());
    ASSERT_EQ(picture->frames.size(), 3u);
    EXPECT_EQ(picture->delaysMs, (std::vector<int>{100, 250, 500}));
    // Each frame as a viewer shows it, drawn over the one before.
    const char* expected[] = {"##....", "####..", "######"};
    for (int f = 0; f < 3; ++f)
        EXPECT_EQ(rows(PictureImport::convert(picture->frames[static_cast<std::size_t>(f)], 6, 2,
                                              options(LedConversion::Threshold))),
                  (Rows{expected[f], expected[f]}))
            << "frame " << f;

    // Only as many frames as the image can still take.
    const Expected<Picture> cut = PictureImport::read(path, 2);
    ASSERT_TRUE(cut.ok());
    EXPECT_EQ(cut->frames.size(), 2u);
    EXPECT_EQ(cut->framesInFile, 3);
}

TEST(PictureRead, UnreadableFilesAreRefusedNamingFileAndReason)
{
    QTemporaryDir dir;
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::white);
    const QByteArray whole = png(image);
    const QByteArray gif = depot_test::threeFrameGif();
    struct Case {
        const char* name;
        QByteArray bytes;
        const char* reason;
    };
    const Case cases[] = {
        {"notes.png", QByteArray("these are not the bytes of a picture"), "Unsupported image format"},
        {"cut.png", whole.left(whole.size() / 2), ""},
        {"cut.gif", gif.left(gif.size() - 12), ""},       // its last frame cut short
        {"no-trailer.gif", gif.left(gif.size() - 1), ""}, // its end never came
        {"empty.bmp", QByteArray(), ""},
    };
    for (const Case& c : cases) {
        const QString path = dir.filePath(QString::fromLatin1(c.name));
        ASSERT_TRUE(depot_test::write(path, c.bytes));
        const Expected<Picture> picture = PictureImport::read(path);
        ASSERT_FALSE(picture.ok()) << c.name;
        EXPECT_EQ(picture.error().toStdString().rfind("Cannot read picture \"" + path.toStdString() + "\": ", 0), 0u)
            << picture.error().toStdString();
        EXPECT_NE(picture.error().toStdString().find(c.reason), std::string::npos) << picture.error().toStdString();
    }
    EXPECT_FALSE(PictureImport::read(dir.filePath(QStringLiteral("absent.png"))).ok());
    const Expected<Picture> folder = PictureImport::read(dir.path());
    ASSERT_FALSE(folder.ok());
    EXPECT_NE(folder.error().toStdString().find("It is a folder"), std::string::npos);
}
