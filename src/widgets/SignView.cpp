#include "widgets/SignView.h"

#include <QPainter>

#include <algorithm>

SignView::SignView(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setMinimumSize(96, 24);
    setAccessibleName(tr("Sign"));
    leds_ = vexel::LedBitmap(96, 24);
    restyle();
}

QSize SignView::sizeHint() const
{
    const int zoom = fixedZoom_ > 0 ? fixedZoom_ : 6;
    return QSize(leds_.width() * zoom + 16, leds_.height() * zoom + 16);
}

void SignView::setLeds(const vexel::LedBitmap& leds)
{
    if (leds == leds_ && !picture_.isNull())
        return;
    const bool resized = leds.width() != leds_.width() || leds.height() != leds_.height();
    leds_ = leds;
    if (resized) {
        updateGeometry();
        restyle();
        return;
    }
    renderer_.render(leds_, picture_);
    update();
}

void SignView::setLedColour(std::optional<QRgb> colour)
{
    const vexel::SignStyle amber;
    if (colour) {
        style_.setLedColour(*colour);
    } else {
        style_.lit = amber.lit;
        style_.unlit = amber.unlit;
    }
    restyle();
}

void SignView::setGlow(bool on)
{
    style_.glow = on;
    restyle();
}

void SignView::setZoom(int zoom)
{
    fixedZoom_ = std::clamp(zoom, 0, vexel::SignStyle::MaxZoom);
    restyle();
}

int SignView::fitZoom() const
{
    if (leds_.width() <= 0 || leds_.height() <= 0)
        return 1;
    return std::clamp(std::min(width() / leds_.width(), height() / leds_.height()), 1, MaxFitZoom);
}

void SignView::restyle()
{
    style_.zoom = fixedZoom_ > 0 ? fixedZoom_ : fitZoom();
    if (renderer_.style() != style_)
        renderer_.setStyle(style_);
    renderer_.render(leds_, picture_);
    update();
}

void SignView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (fixedZoom_ == 0 && fitZoom() != style_.zoom)
        restyle();
}

void SignView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QPoint at((width() - picture_.width()) / 2, (height() - picture_.height()) / 2);
    const QRect shown(at, picture_.size());
    // Only the margins around the picture need the housing's colour.
    const QRegion margins = QRegion(rect()).subtracted(shown);
    for (const QRect& r : margins)
        painter.fillRect(r, QColor(4, 4, 4));
    painter.drawImage(at, picture_);
}
