// Draws lettering as a zoomed LED board to a PNG, for looking at fonts and
// signs: every glyph of a font, or a sign laid out with a preset.
//
//   vexel-lettering-sheet [--font NAME] [--height N] [--bold] [--condensed]
//                         [--size WxH] [--zoom N] [--preset number|two] OUT.png TEXT
//
// Without --size the board is as large as the text plus a margin; with it the
// text is laid on the whole board, as the Text panel letters a board that size.
#include "depot/RouteLayout.h"
#include "depot/RouteSet.h"
#include "lettering/FontList.h"
#include "lettering/SignPresets.h"
#include "lettering/TextLayout.h"
#include "preview/SignRenderer.h"

#include <QGuiApplication>
#include <QImage>

#include <cstdio>
#include <tuple>

using namespace vexel;

namespace {

// Drawn as the Sign window draws a board: LED (x, y) is the cell at
// (x * zoom, y * zoom), so the picture lines up with the board at any zoom.
QImage drawLeds(const LedBitmap& leds, int zoom)
{
    SignStyle style;
    style.zoom = zoom;
    return SignRenderer(style).render(leds);
}

int usage(std::FILE* stream = stderr)
{
    std::fprintf(stream, "usage: vexel-lettering-sheet [--font NAME] [--height N] [--bold] [--condensed] [--size WxH] "
                         "[--zoom N] [--preset number|two] OUT.png TEXT\n");
    return stream == stderr ? 2 : 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.contains(QLatin1String("--help")))
        return usage(stdout);
    TextStyle style;
    style.hAlign = HAlign::Left;
    style.vAlign = VAlign::Top;
    style.height = 11;
    int width = 0;
    int height = 0;
    int zoom = 10;
    QString preset;
    QString fontGiven;
    int heightGiven = 0;
    while (args.size() > 2 && args.front().startsWith(QLatin1String("--"))) {
        const QString option = args.takeFirst();
        if (option == QLatin1String("--condensed")) {
            style.condensed = true;
            continue;
        }
        if (option == QLatin1String("--bold")) {
            style.bold = true;
            continue;
        }
        if (args.isEmpty())
            return usage();
        const QString value = args.takeFirst();
        if (option == QLatin1String("--font"))
            style.font = fontGiven = value;
        else if (option == QLatin1String("--height"))
            style.height = heightGiven = value.toInt();
        else if (option == QLatin1String("--zoom"))
            zoom = std::clamp(value.toInt(), 1, SignStyle::MaxZoom);
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
        // Lettered by the code `vexel routes` runs, which letters as the
        // Text panel does: the same LEDs for the same text, preset and size.
        RouteLayout layout;
        layout.boardWidth = width;
        layout.boardHeight = height;
        RouteFrame frame = RouteLayout::defaultFrame();
        if (!fontGiven.isEmpty())
            frame.style.font = fontGiven;
        if (heightGiven > 0)
            frame.style.height = heightGiven;
        frame.style.bold = style.bold;
        if (preset == QLatin1String("two")) {
            frame.preset = RouteFrame::Preset::TwoLines;
            frame.text = text;
        } else {
            frame.preset = RouteFrame::Preset::NumberAndDestination;
            std::tie(frame.number, frame.destination) = SignPresets::splitNumber(text);
        }
        std::string message;
        lettering = RouteSet(layout, fonts).lay(frame, {}, &message);
        std::printf("%s\n", message.c_str());
    } else {
        Expected<std::shared_ptr<GlyphSource>> font = fonts.open(style.font, style.height, style.bold, style.condensed);
        if (!font) {
            std::fprintf(stderr, "%s\n", font.error().toStdString().c_str());
            return 1;
        }
        style.letterSpacing = 1;
        style.lineSpacing = 2;
        const int margin = width > 0 && height > 0 ? 0 : 2;
        if (margin > 0) {
            const TextExtent extent = TextLayout::measure(TextLayout::lines(text), **font, 1, 2);
            width = extent.width + 2 * margin;
            height = extent.height + 2 * margin;
        }
        lettering = TextLayout::render(text, **font, style, width - 2 * margin, height - 2 * margin);
        LedBitmap framed(width, height);
        for (int y = 0; y < lettering.bitmap.height(); ++y)
            for (int x = 0; x < lettering.bitmap.width(); ++x)
                framed.set(x + margin, y + margin, lettering.bitmap.lit(x, y));
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
