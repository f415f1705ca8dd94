// vexel: the command-line tool. See Cli.h and `vexel --help`.
#include "Cli.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

// Standard error is for the tool's own messages; Qt's chatter (a missing
// runtime folder, a codec's warning about a broken picture) stays out.
void quietQt(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "vexel: %s\n", message.toLocal8Bit().constData());
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("vexel %s\n", VEXEL_VERSION);
        return 0;
    }
    qInstallMessageHandler(quietQt);
    // Never a window: rendering and system fonts work on the offscreen
    // platform, without a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    bool drawing = argc > 1 && (std::strcmp(argv[1], "render") == 0 || std::strcmp(argv[1], "routes") == 0 ||
                                 std::strcmp(argv[1], "import") == 0 || std::strcmp(argv[1], "set") == 0);
    // The visit list's PDF is drawn with fonts.
    for (int i = 2; argc > 1 && std::strcmp(argv[1], "fleet") == 0 && i < argc; ++i)
        drawing = drawing || std::strcmp(argv[i], "--pdf") == 0;
    std::unique_ptr<QCoreApplication> app;
    if (drawing)
        app = std::make_unique<QGuiApplication>(argc, argv);
    else
        app = std::make_unique<QCoreApplication>(argc, argv);
    return Cli().run(app->arguments().mid(1));
}
