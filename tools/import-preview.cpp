// A picture imported into a board, drawn as zoomed LED boards to PNG files,
// one per conversion, for looking at what the import makes of a picture:
//
//   vexel-import-preview [--size WxH] [--threshold N] [--invert] [--stretch] PICTURE OUT-PREFIX
//
// writes OUT-PREFIX-threshold.png, -ordered.png and -diffusion.png.
#include "depot/PictureImport.h"
#include "preview/Export.h"

#include <QGuiApplication>
#include <QStringList>

#include <cstdio>

using namespace vexel;

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    int width = 96;
    int height = 24;
    ImportOptions options;
    while (!args.isEmpty() && args.front().startsWith(QLatin1String("--"))) {
        const QString option = args.takeFirst();
        if (option == QLatin1String("--invert")) {
            options.invert = true;
        } else if (option == QLatin1String("--stretch")) {
            options.fit = PictureFit::Stretch;
        } else if (option == QLatin1String("--threshold") && !args.isEmpty()) {
            options.threshold = args.takeFirst().toInt();
        } else if (option == QLatin1String("--size") && !args.isEmpty()) {
            const QStringList wh = args.takeFirst().split(QLatin1Char('x'));
            width = wh.value(0).toInt();
            height = wh.size() == 2 ? wh[1].toInt() : 0;
        } else {
            args.clear();
        }
    }
    if (args.size() != 2 || width < 1 || width > 488 || height < 1 || height > 100) {
        std::fputs("usage: vexel-import-preview [--size WxH] [--threshold N] [--invert] [--stretch] PICTURE "
                   "OUT-PREFIX\n",
                   stderr);
        return 2;
    }
    const Expected<Picture> picture = PictureImport::read(args[0]);
    if (!picture) {
        std::fprintf(stderr, "%s\n", picture.error().toStdString().c_str());
        return 1;
    }
    SignStyle style;
    style.zoom = 8;
    const std::pair<LedConversion, const char*> methods[] = {
        {LedConversion::Threshold, "threshold"}, {LedConversion::Ordered, "ordered"},
        {LedConversion::ErrorDiffusion, "diffusion"}};
    for (const auto& [method, name] : methods) {
        options.method = method;
        const LedBitmap leds = PictureImport::convert(picture->frames.front(), width, height, options);
        const Status written =
            Export::framePng(leds, style, args[1] + QLatin1Char('-') + QLatin1String(name) + QStringLiteral(".png"));
        if (!written) {
            std::fprintf(stderr, "%s\n", written.error().toStdString().c_str());
            return 1;
        }
    }
    return 0;
}
