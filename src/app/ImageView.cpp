#include "app/ImageView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include <algorithm>

namespace {

MouseInput inputOf(const QMouseEvent* event)
{
    return MouseInput{event->position().toPoint(), event->button(), event->buttons(), event->modifiers()};
}

} // namespace

ImageView::ImageView(vexel::Surface* surface, QWidget* parent) : QWidget(parent), surface_(surface)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    surface_->setChangeNotifier([this] {
        if (flushQueued_)
            return;
        flushQueued_ = true;
        QTimer::singleShot(0, this, &ImageView::flush);
    });
}

void ImageView::setShownSize(int width, int height)
{
    setFixedSize(width, height);
    update();
}

void ImageView::flush()
{
    flushQueued_ = false;
    const QRect dirty = surface_->takeDirty();
    if (!dirty.isEmpty())
        update(dirty);
}

void ImageView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect r = event->rect();
    painter.fillRect(r, palette().window());
    painter.drawImage(r.topLeft(), surface_->image(), r);
    if (hasGhost())
        paintGhost(painter, r);
}

QRect ImageView::ghostArea() const
{
    const int s = ghostCell_;
    return QRect(ghostLeds_.x() * s, ghostLeds_.y() * s, ghostLeds_.width() * s, ghostLeds_.height() * s);
}

void ImageView::setGhost(const QRect& leds, const vexel::LedBitmap& bits, int cellSize)
{
    const QRect before = ghostArea();
    ghostLeds_ = leds;
    ghostBits_ = bits;
    ghostCell_ = std::max(cellSize, 1);
    update(before.adjusted(-2, -2, 2, 2));
    update(ghostArea().adjusted(-2, -2, 2, 2));
}

void ImageView::setGhostCellSize(int cellSize)
{
    if (hasGhost())
        setGhost(ghostLeds_, ghostBits_, cellSize);
    else
        ghostCell_ = std::max(cellSize, 1);
}

void ImageView::clearGhost()
{
    if (!hasGhost())
        return;
    const QRect before = ghostArea();
    ghostLeds_ = QRect();
    ghostBits_ = vexel::LedBitmap();
    update(before.adjusted(-2, -2, 2, 2));
}

// The ghost's lit LEDs show as cyan cells over the picture, whatever the
// LED colour, and its target as a dashed cyan outline: the frame's own LEDs
// stay visible between them.
void ImageView::paintGhost(QPainter& painter, const QRect& area) const
{
    const int s = ghostCell_;
    const QColor lit(0, 230, 255, 190);
    const int inset = s >= 4 ? 1 : 0;
    const int c0 = std::max(0, area.left() / s - ghostLeds_.x());
    const int c1 = std::min(ghostBits_.width(), area.right() / s - ghostLeds_.x() + 1);
    const int r0 = std::max(0, area.top() / s - ghostLeds_.y());
    const int r1 = std::min(ghostBits_.height(), area.bottom() / s - ghostLeds_.y() + 1);
    for (int r = r0; r < r1; ++r) {
        const std::uint8_t* row = ghostBits_.row(r);
        for (int c = c0; c < c1; ++c)
            if (row[c])
                painter.fillRect((ghostLeds_.x() + c) * s + inset, (ghostLeds_.y() + r) * s + inset, s - 2 * inset,
                                 s - 2 * inset, lit);
    }
    QPen outline(QColor(0, 230, 255), 1, Qt::DashLine);
    painter.setPen(outline);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(ghostArea().adjusted(0, 0, -1, -1));
}

void ImageView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton && event->modifiers() == Qt::NoModifier &&
        event->buttons() == Qt::RightButton)
        emit contextMenuRequested(event->globalPosition().toPoint());
    emit pressed(inputOf(event));
}

void ImageView::mouseMoveEvent(QMouseEvent* event) { emit moved(inputOf(event)); }

void ImageView::mouseReleaseEvent(QMouseEvent* event) { emit released(inputOf(event)); }

void ImageView::mouseDoubleClickEvent(QMouseEvent* event)
{
    emit doubleClicked(inputOf(event));
    emit pressed(inputOf(event));
}
