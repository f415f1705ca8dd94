#include "app/ImageView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

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
