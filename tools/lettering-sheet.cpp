// Draws lettering as a zoomed LED board to a PNG, for looking at fonts and
// signs: every glyph of a font, or a sign laid out with a preset.
//
//   vexel-lettering-sheet [--font NAME] [--height N] [--size WxH] [--zoom N]
//                         [--preset number|two] OUT.png TEXT
//
// Without --size the board is as large as the text plus a margin.
#include "lettering/FontList.h"
#include "lettering/SignPresets.h"
#include "lettering/TextLayout.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>

using namespace vexel;

namespace {

QImage drawLeds(const LedBitmap& leds, int zoom)
{
    QImage image(leds.width() * zoom, leds.height() * zoom, QImage::Format_RGB32);
    image.fill(QColor(16, 16, 16));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const int d = std::max(1, zoom - 2);
    for (int y = 0; y < leds.height(); ++y)
        for (int x = 0; x < leds.width(); ++x) {
            painter.setBrush(leds.lit(x, y) ? QColor(255, 176, 0) : QColor(52, 52, 52));
            painter.drawEllipse(x * zoom + 1, y * zoom + 1, d, d);
        }
    return image;
}

int usage()
{
    std::fprintf(stderr, "usage: vexel-lettering-sheet [--font NAME] [--height N] [--size WxH] [--zoom N] "
                         "[--preset number|two] OUT.png TEXT\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    TextStyle style;
    style.hAlign = HAlign::Left;
    style.vAlign = VAlign::Top;
    style.height = 11;
    int width = 0;
    int height = 0;
    int zoom = 10;
    QString preset;
    while (args.size() > 2 && args.front().startsWith(QLatin1String("--"))) {
        const QString option = args.takeFirst();
        const QString value = args.takeFirst();
        if (option == QLatin1String("--font"))
            style.font = value;
        else if (option == QLatin1String("--height"))
            style.height = value.toInt();
        else if (option == QLatin1String("--zoom"))
            zoom = std::clamp(value.toInt(), 1, 40);
        else if (option == QLatin1String("--preset"))
            preset = value;
        else if (option == QLatin1String("--size")) {
            const QStringList wh = value.split(QLatin1Char('x'));
            if (wh.size() != 2)
                return usage();
            width = wh[0].toInt();
            height = wh[1].toInt();
        } else
            return usage();
    }
    if (args.size() != 2)
        return usage();
    const QString out = args[0];
    const QString text = args[1];

    FontList fonts(FontList::installedPlaces());
    for (const QString& problem : fonts.problems())
        std::fprintf(stderr, "%s\n", qPrintable(problem));
    if (style.font.isEmpty() && !fonts.fonts().empty())
        style.font = fonts.fonts().front().name;

    Lettering lettering;
    if (!preset.isEmpty()) {
        if (width <= 0 || height <= 0)
            return usage();
        const PresetLayout layout =
            preset == QLatin1String("two")
                ? SignPresets::twoLines(SignPresets::splitLines(text).first, SignPresets::splitLines(text).second,
                                        fonts, style, width, height)
                : SignPresets::numberAndDestination(SignPresets::splitNumber(text).first,
                                                    SignPresets::splitNumber(text).second, fonts, style, width, height);
        std::printf("%s\n", layout.message.c_str());
        lettering = TextLayout::renderBlocks(layout.blocks, fonts, width, height);
    } else {
        Expected<std::shared_ptr<GlyphSource>> font = fonts.open(style.font, style.height, style.bold);
        if (!font) {
            std::fprintf(stderr, "%s\n", font.error().c_str());
            return 1;
        }
        if (width <= 0 || height <= 0) {
            const TextExtent extent = TextLayout::measure(TextLayout::lines(text), **font, 1, 2);
            width = extent.width + 4;
            height = extent.height + 4;
        }
        style.letterSpacing = 1;
        style.lineSpacing = 2;
        lettering = TextLayout::render(text, **font, style, width - 4, height - 4);
        LedBitmap framed(width, height);
        for (int y = 0; y < lettering.bitmap.height(); ++y)
            for (int x = 0; x < lettering.bitmap.width(); ++x)
                framed.set(x + 2, y + 2, lettering.bitmap.lit(x, y));
        lettering.bitmap = framed;
    }
    for (char32_t c : lettering.missing)
        std::printf("missing U+%04X\n", static_cast<unsigned>(c));
    if (lettering.overflow)
        std::printf("the text reaches past the board\n");
    if (!drawLeds(lettering.bitmap, zoom).save(out)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(out));
        return 1;
    }
    return 0;
}
