// The board's drawing, the frame PNG and the proof sheet.
#include "preview/Export.h"
#include "preview/ProofSheet.h"
#include "preview/SignRenderer.h"
#include "preview/SimImages.h"

#include <QFontMetrics>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace sim_testing;
using vexel::LedBitmap;
using vexel::SignRenderer;
using vexel::SignStyle;
using vexel::Timeline;

namespace {

LedBitmap bitmap(const Rows& rows)
{
    LedBitmap leds(static_cast<int>(rows.front().size()), static_cast<int>(rows.size()));
    for (int y = 0; y < leds.height(); ++y)
        for (int x = 0; x < leds.width(); ++x)
            leds.set(x, y, rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] == '#');
    return leds;
}

int brightness(QRgb c) { return qRed(c) + qGreen(c) + qBlue(c); }

} // namespace

TEST(SignRenderer, OnePixelPerLedIsTheLedColourOnBlack)
{
    SignStyle style;
    style.look = SignStyle::Look::Pixels;
    style.zoom = 7; // no effect on this look
    const QImage image = SignRenderer(style).render(bitmap(A));
    ASSERT_EQ(image.size(), QSize(6, 3));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(image.pixel(x, y), A[y][x] == '#' ? style.lit : qRgb(0, 0, 0)) << x << "," << y;
}

TEST(SignRenderer, RoundLedsOnADarkFace)
{
    SignStyle style;
    style.zoom = 8;
    const QImage image = SignRenderer(style).render(bitmap({"#."}));
    ASSERT_EQ(image.size(), QSize(16, 8));
    EXPECT_EQ(image.pixel(4, 4), style.lit);
    EXPECT_EQ(image.pixel(12, 4), style.unlit);
    for (const QPoint corner : {QPoint(0, 0), QPoint(7, 7), QPoint(8, 0), QPoint(15, 7)})
        EXPECT_EQ(image.pixel(corner), style.face) << corner.x() << "," << corner.y();
}

TEST(SignRenderer, ScreenPictureAndPaletteIndicesAgreeAtEveryZoom)
{
    const LedBitmap leds = bitmap({"#.#..##", ".###..#", "#..#.#."});
    for (int zoom = 1; zoom <= 9; ++zoom)
        for (const bool glow : {false, true}) {
            SignStyle style;
            style.zoom = zoom;
            style.glow = glow;
            const SignRenderer renderer(style);
            ASSERT_LE(renderer.palette().size(), 256);
            const QImage screen = renderer.render(leds);
            std::vector<std::uint8_t> indexed(static_cast<std::size_t>(screen.width() * screen.height()));
            renderer.renderIndexed(leds, QRect(0, 0, 7, 3), indexed.data(), screen.width());
            for (int y = 0; y < screen.height(); ++y)
                for (int x = 0; x < screen.width(); ++x)
                    ASSERT_EQ(screen.pixel(x, y), renderer.palette()[indexed[static_cast<std::size_t>(y * screen.width() + x)]])
                        << "zoom " << zoom << " glow " << glow << " at " << x << "," << y;
        }
}

TEST(SignRenderer, GlowLightsTheFaceAroundLitLedsOnly)
{
    SignStyle style;
    style.zoom = 6;
    const LedBitmap leds = bitmap({"#....", ".....", "....."});
    const QImage plain = SignRenderer(style).render(leds);
    style.glow = true;
    const QImage glowing = SignRenderer(style).render(leds);
    // The corner of the cell beside the lit LED, and one far away.
    EXPECT_GT(brightness(glowing.pixel(6, 0)), brightness(plain.pixel(6, 0)));
    EXPECT_EQ(glowing.pixel(29, 17), plain.pixel(29, 17));
    EXPECT_EQ(glowing.pixel(3, 3), plain.pixel(3, 3)); // the LED body keeps its colour
}

TEST(SignRenderer, DifferenceIsTheSmallestRectangleOfChangedLeds)
{
    struct Case {
        Rows a, b;
        QRect expected;
    };
    for (const Case& c : {Case{A, A, QRect()}, Case{A, Dark, QRect(0, 0, 6, 3)},
                          Case{Dark, {"......", "..#...", "....#."}, QRect(2, 1, 3, 2)},
                          Case{Dark, {".....#", "......", "......"}, QRect(5, 0, 1, 1)}})
        EXPECT_EQ(SignRenderer::difference(bitmap(c.a), bitmap(c.b)), c.expected);
    EXPECT_EQ(SignRenderer::difference(LedBitmap(3, 2), LedBitmap(4, 2)), QRect(0, 0, 4, 2));
}

TEST(FramePng, WritesTheDrawingAndNamesAFileItCannotWrite)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("frame.png"));
    SignStyle style;
    style.zoom = 5;
    ASSERT_TRUE(vexel::Export::framePng(bitmap(A), style, path).ok());
    const QImage back(path);
    EXPECT_EQ(back.convertToFormat(QImage::Format_RGB32), SignRenderer(style).render(bitmap(A)));

    const vexel::Status failed = vexel::Export::framePng(bitmap(A), style, dir.filePath(QStringLiteral("no/frame.png")));
    ASSERT_FALSE(failed.ok());
    EXPECT_NE(failed.error().toStdString().find("no/frame.png"), std::string::npos) << failed.error().toStdString();
}

TEST(ProofSheet, OneLabelledCellPerFrame)
{
    Timeline t(16, 4, 10);
    ASSERT_TRUE(t.addImage(image({{1, 0, 1500, {0, 0, 16, 4}, {"################", "#..............#", "#..............#", "################"}},
                                  {7, 3, 0, {2, 1, 3, 2}, {"###", "#.#"}}}))
                    .ok());
    ASSERT_TRUE(t.addImage(image({{2, 2, 65535, {0, 0, 16, 4}, {"#.#.#.#.#.#.#.#.", "", "", ".#.#.#.#.#.#.#.#"}}})).ok());
    vexel::ProofSheet sheet(t, {QStringLiteral("first.img"), QStringLiteral("second.img")}, QStringLiteral("Send list"));
    sheet.setMaxWidth(1000); // two columns
    const QImage image = sheet.render();
    const auto cells = sheet.layout();
    ASSERT_EQ(cells.size(), 3u);
    EXPECT_EQ(cells[1].picture.top(), cells[0].picture.top());
    EXPECT_GT(cells[2].picture.top(), cells[0].label.bottom());

    // Frames counted from 1 within each image, as the audit counts pages;
    // effects in English (no translation is loaded) beside their Georgian names.
    EXPECT_EQ(cells[0].lines, QStringList({QStringLiteral("first.img · Frame 1 · 1.5 s"),
                                           QStringLiteral("Start: Slide up from below · ქვემოდან ამოცურებით"),
                                           QStringLiteral("End: Next frame · შემდ. კადრით ჩანაცვლებით")}));
    EXPECT_EQ(cells[1].lines, QStringList({QStringLiteral("first.img · Frame 2 · 0 s"),
                                           QStringLiteral("Start: Appear · ანთებით (7)"),
                                           QStringLiteral("End: Go dark · ჩაქრობით")}));
    EXPECT_EQ(cells[2].lines[0], QStringLiteral("second.img · Frame 1 · 65.535 s"));

    const SignRenderer renderer(sheet.cellStyle());
    for (const auto& cell : cells) {
        EXPECT_TRUE(image.rect().contains(cell.picture)) << cell.frame;
        EXPECT_TRUE(image.rect().contains(cell.label)) << cell.frame;
        for (const auto& other : cells) {
            if (other.frame != cell.frame) {
                EXPECT_FALSE(cell.picture.united(cell.label).intersects(other.picture.united(other.label)));
            }
        }
        // The board as it shows while the frame holds.
        const Timeline::Frame& f = t.frame(cell.frame);
        const QImage expected = renderer.render(t.stateAt(t.loopLength() + f.start + f.entryLength(t.stepTime())));
        EXPECT_EQ(image.copy(cell.picture), expected) << cell.frame;
        // A small sign's cell is as wide as its longest label: none is cut.
        const QFontMetrics labelFont(vexel::ProofSheet::font(12, false));
        for (const QString& line : cell.lines)
            EXPECT_LE(labelFont.horizontalAdvance(line), cell.label.width()) << line.toStdString();
        // Some ink on each label line.
        const int lineHeight = cell.label.height() / 3;
        for (int line = 0; line < 3; ++line) {
            int ink = 0;
            for (int y = cell.label.y() + line * lineHeight; y < cell.label.y() + (line + 1) * lineHeight; ++y)
                for (int x = cell.label.left(); x <= cell.label.right(); ++x)
                    ink += brightness(image.pixel(x, y)) < 300 ? 1 : 0;
            EXPECT_GT(ink, 20) << "frame " << cell.frame << " line " << line;
        }
    }
    // The second frame's cell is the first image's frame over what it left.
    EXPECT_NE(image.copy(cells[1].picture), renderer.render(t.frameAlone(1)));
}

TEST(ProofSheet, ATallSheetGoesOnOverPagesNoneTallerThanTheLimit)
{
    // 600 one-frame images of a 160 x 19 sign: far more than 4,096 pixels of cells.
    Timeline t(160, 19, 10);
    QStringList titles;
    for (int i = 0; i < 600; ++i) {
        ASSERT_TRUE(t.addImage(image({{0, 0, 1000, {0, 0, 160, 19}, {"#"}}})).ok());
        titles << QStringLiteral("%1.img").arg(i + 1);
    }
    vexel::ProofSheet sheet(t, titles, QStringLiteral("front"));
    const int pages = sheet.pageCount();
    ASSERT_GT(pages, 2);
    std::vector<int> seen;
    for (int page = 0; page < pages; ++page) {
        EXPECT_LE(sheet.size(page).height(), vexel::ProofSheet::MaxPageHeight) << page;
        EXPECT_EQ(sheet.render(page).size(), sheet.size(page)) << page;
        for (const auto& cell : sheet.layout(page)) {
            seen.push_back(cell.frame);
            EXPECT_LE(cell.label.bottom(), vexel::ProofSheet::MaxPageHeight) << page;
        }
    }
    // Every frame once, in order, the pages filled before the last.
    ASSERT_EQ(seen.size(), 600u);
    for (std::size_t i = 0; i < seen.size(); ++i)
        EXPECT_EQ(seen[i], static_cast<int>(i));
    EXPECT_EQ(sheet.layout(0).size(), sheet.layout(1).size());
    EXPECT_TRUE(sheet.layout(pages).empty());

    // The files: the first keeps its name, the others follow it.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("list-proof.png"));
    QStringList written;
    ASSERT_TRUE(vexel::Export::proofSheet(t, titles, QStringLiteral("front"), path, &written).ok());
    ASSERT_EQ(written.size(), pages);
    EXPECT_EQ(written[0], path);
    EXPECT_EQ(written[1], dir.filePath(QStringLiteral("list-proof-2.png")));
    for (const QString& file : written)
        EXPECT_LE(QImage(file).height(), vexel::ProofSheet::MaxPageHeight) << file.toStdString();
    EXPECT_EQ(vexel::ProofSheet::pagePath(QStringLiteral("/a.b/sheet"), 2), QStringLiteral("/a.b/sheet-3"));
}
