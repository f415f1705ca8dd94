// vexel-screenshot OUT.png [DELAY_MS]: waits, then saves the whole screen of
// the current display (DISPLAY) as a PNG.
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

#include <cstdio>

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: vexel-screenshot OUT.png [DELAY_MS]\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    const int delay = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 0;
    int status = 1;
    QTimer::singleShot(delay, [&] {
        QScreen* screen = QGuiApplication::primaryScreen();
        if (screen && screen->grabWindow(0).save(out, "PNG"))
            status = 0;
        else
            std::fprintf(stderr, "vexel-screenshot: could not grab the screen\n");
        QCoreApplication::exit(status);
    });
    app.exec();
    return status;
}
