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

struct SheetOptions {
    TextStyle style;
    int width = 0;
    int height = 0;
    int zoom = 10;
    QString preset;
    QString fontGiven;
    int heightGiven = 0;
};

// Takes the options off the front of `args`, leaving OUT.png and TEXT;
// false on bad usage.
bool readOptions(QStringList& args, SheetOptions& o)
{
    o.style.hAlign = HAlign::Left;
    o.style.vAlign = VAlign::Top;
    o.style.height = 11;
    while (args.size() > 2 && args.front().startsWith(QLatin1String("--"))) {
        const QString option = args.takeFirst();
        if (option == QLatin1String("--condensed")) {
            o.style.condensed = true;
            continue;
        }
        if (option == QLatin1String("--bold")) {
            o.style.bold = true;
            continue;
        }
        if (args.isEmpty())
            return false;
        const QString value = args.takeFirst();
        if (option == QLatin1String("--font"))
            o.style.font = o.fontGiven = value;
        else if (option == QLatin1String("--height"))
            o.style.height = o.heightGiven = value.toInt();
        else if (option == QLatin1String("--zoom"))
            o.zoom = std::clamp(value.toInt(), 1, SignStyle::MaxZoom);
        else if (option == QLatin1String("--preset"))
            o.preset = value;
        else if (option == QLatin1String("--size")) {
            const QStringList wh = value.split(QLatin1Char('x'));
            if (wh.size() != 2)
                return false;
            o.width = wh[0].toInt();
            o.height = wh[1].toInt();
        } else
            return false;
    }
    return args.size() == 2;
}

// Lettered by the code `vexel routes` runs, which letters as the Text
// panel does: the same LEDs for the same text, preset and size.
Lettering letterWithPreset(const SheetOptions& o, FontList& fonts, const QString& text)
{
    RouteLayout layout;
    layout.boardWidth = o.width;
    layout.boardHeight = o.height;
    RouteFrame frame = RouteLayout::defaultFrame();
    if (!o.fontGiven.isEmpty())
        frame.style.font = o.fontGiven;
    if (o.heightGiven > 0)
        frame.style.height = o.heightGiven;
    frame.style.bold = o.style.bold;
    if (o.preset == QLatin1String("two")) {
        frame.preset = RouteFrame::Preset::TwoLines;
        frame.text = text;
    } else {
        frame.preset = RouteFrame::Preset::NumberAndDestination;
        std::tie(frame.number, frame.destination) = SignPresets::splitNumber(text);
    }
    std::string message;
    Lettering lettering = RouteSet(layout, fonts).lay(frame, {}, &message);
    std::printf("%s\n", message.c_str());
    return lettering;
}

// The text in one font, on the board of --size or on one as large as the
// text plus a margin.
Expected<Lettering> letterAlone(SheetOptions o, FontList& fonts, const QString& text)
{
    Expected<std::shared_ptr<GlyphSource>> font = fonts.open(o.style.font, o.style.height, o.style.bold, o.style.condensed);
    if (!font)
        return Expected<Lettering>::failure(font.error());
    o.style.letterSpacing = 1;
    o.style.lineSpacing = 2;
    const int margin = o.width > 0 && o.height > 0 ? 0 : 2;
    if (margin > 0) {
        const TextExtent extent = TextLayout::measure(TextLayout::lines(text), **font, 1, 2);
        o.width = extent.width + 2 * margin;
        o.height = extent.height + 2 * margin;
    }
    Lettering lettering = TextLayout::render(text, **font, o.style, o.width - 2 * margin, o.height - 2 * margin);
    LedBitmap framed(o.width, o.height);
    for (int y = 0; y < lettering.bitmap.height(); ++y)
        for (int x = 0; x < lettering.bitmap.width(); ++x)
            framed.set(x + margin, y + margin, lettering.bitmap.lit(x, y));
    lettering.bitmap = framed;
    return lettering;
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
    SheetOptions options;
    if (!readOptions(args, options))
        return usage();
    const QString out = args[0];
    const QString text = args[1];

    FontList fonts(FontList::installedPlaces());
    for (const QString& problem : fonts.problems())
        std::fprintf(stderr, "%s\n", qPrintable(problem));
    if (options.style.font.isEmpty() && !fonts.fonts().empty())
        options.style.font = fonts.fonts().front().name;

    Lettering lettering;
    if (!options.preset.isEmpty()) {
        if (options.width <= 0 || options.height <= 0)
            return usage();
        lettering = letterWithPreset(options, fonts, text);
    } else {
        Expected<Lettering> alone = letterAlone(options, fonts, text);
        if (!alone) {
            std::fprintf(stderr, "%s\n", alone.error().toStdString().c_str());
            return 1;
        }
        lettering = *alone;
    }
    for (char32_t c : lettering.missing)
        std::printf("missing U+%04X\n", static_cast<unsigned>(c));
    if (lettering.overflow)
        std::printf("the text reaches past the board\n");
    if (!drawLeds(lettering.bitmap, options.zoom).save(out)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(out));
        return 1;
    }
    return 0;
}
