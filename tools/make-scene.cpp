// Draws the photograph-like sample picture for the import:
// examples/bus-scene.png, a bus on a road at dusk under hills, with soft
// gradients and grain, so threshold and dithering have something to show.
//
//   vexel-make-scene OUT.png
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cstdio>
#include <cstdint>

namespace {

constexpr int Width = 480;
constexpr int Height = 200;

void drawSkyAndSun(QPainter& p, const QRect& all)
{
    const int w = Width;
    const int h = Height;
    QLinearGradient sky(0, 0, 0, h * 0.7);
    sky.setColorAt(0, QColor(24, 40, 96));
    sky.setColorAt(0.6, QColor(210, 120, 90));
    sky.setColorAt(1, QColor(250, 210, 140));
    p.fillRect(all, sky);

    QRadialGradient sun(QPointF(w * 0.72, h * 0.42), 46);
    sun.setColorAt(0, QColor(255, 250, 225));
    sun.setColorAt(0.45, QColor(255, 236, 170));
    sun.setColorAt(1, QColor(255, 200, 120, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(sun);
    p.drawEllipse(QPointF(w * 0.72, h * 0.42), 46, 46);
}

// Two ranges of hills, the nearer darker.
void drawHills(QPainter& p)
{
    const int w = Width;
    const int h = Height;
    const QColor hills[2] = {QColor(92, 70, 96), QColor(48, 44, 60)};
    for (int layer = 0; layer < 2; ++layer) {
        QPainterPath path(QPointF(0, h));
        const double base = h * (0.55 + 0.1 * layer);
        for (int x = 0; x <= w; x += 20) {
            const double bump = (layer ? 14 : 22) * (1 + ((x * (7 + layer * 5)) % 37) / 37.0) *
                                (0.5 + 0.5 * ((x / 20 + layer) % 3) / 2.0);
            path.lineTo(x, base - bump);
        }
        path.lineTo(w, h);
        path.closeSubpath();
        QLinearGradient shade(0, base - 40, 0, h);
        shade.setColorAt(0, hills[layer].lighter(125));
        shade.setColorAt(1, hills[layer]);
        p.setBrush(shade);
        p.drawPath(path);
    }
}

void drawRoad(QPainter& p)
{
    const int w = Width;
    const int h = Height;
    QLinearGradient road(0, h * 0.8, 0, h);
    road.setColorAt(0, QColor(70, 70, 78));
    road.setColorAt(1, QColor(30, 30, 34));
    p.setBrush(road);
    p.drawRect(QRectF(0, h * 0.8, w, h * 0.2));
    p.setBrush(QColor(230, 226, 200));
    for (int x = 10; x < w; x += 60)
        p.drawRect(QRectF(x, h * 0.9, 30, 3));
}

void drawBus(QPainter& p)
{
    const int h = Height;
    const QRectF bus(80, h * 0.5, 220, h * 0.32);
    QLinearGradient paint(bus.topLeft(), bus.bottomLeft());
    paint.setColorAt(0, QColor(236, 236, 230));
    paint.setColorAt(1, QColor(150, 150, 150));
    p.setBrush(paint);
    p.drawRoundedRect(bus, 10, 10);
    p.setBrush(QColor(40, 56, 72));
    for (int i = 0; i < 6; ++i)
        p.drawRoundedRect(QRectF(bus.left() + 14 + i * 34, bus.top() + 10, 26, 22), 3, 3);
    p.setBrush(QColor(255, 170, 0)); // the destination sign
    p.drawRect(QRectF(bus.left() + 14, bus.top() + 38, 80, 10));
    p.setBrush(QColor(20, 20, 20));
    for (double cx : {bus.left() + 45, bus.right() - 45}) {
        p.drawEllipse(QPointF(cx, bus.bottom()), 17, 17);
        p.setBrush(QColor(120, 120, 120));
        p.drawEllipse(QPointF(cx, bus.bottom()), 7, 7);
        p.setBrush(QColor(20, 20, 20));
    }
}

// Grain, as a camera adds it; the same every run.
void addGrain(QImage& image)
{
    std::uint32_t seed = 12345;
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int n = static_cast<int>((seed >> 24) % 17) - 8;
            const QRgb c = line[x];
            line[x] = qRgb(qBound(0, qRed(c) + n, 255), qBound(0, qGreen(c) + n, 255), qBound(0, qBlue(c) + n, 255));
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: vexel-make-scene OUT.png\n", stderr);
        return 2;
    }
    QImage image(Width, Height, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    drawSkyAndSun(p, image.rect());
    drawHills(p);
    // The road and the bus on it.
    drawRoad(p);
    drawBus(p);
    p.end();
    addGrain(image);
    if (!image.save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
