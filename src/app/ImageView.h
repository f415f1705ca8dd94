#pragma once

#include "document/LedBitmap.h"
#include "editor/Surface.h"

#include <QPoint>
#include <QWidget>

// What a mouse event on a picture says: the position relative to the
// picture's top-left corner, the button that changed, and the set of keys and
// buttons held at that moment.
struct MouseInput {
    QPoint position;
    Qt::MouseButton button = Qt::NoButton;
    Qt::MouseButtons buttons;
    Qt::KeyboardModifiers modifiers;
};

// An image control: shows the top-left part of an off-screen surface at
// the control's size and reports the mouse. Repaints only what the surface
// marks as changed.
class QPainter;

class ImageView : public QWidget {
    Q_OBJECT
public:
    ImageView(vexel::Surface* surface, QWidget* parent = nullptr);

    vexel::Surface& surface() { return *surface_; }
    const vexel::Surface& surface() const { return *surface_; }

    // The part of the surface that is shown; the control takes this size.
    void setShownSize(int width, int height);

    // A ghost over the LED grid: LEDs about to be written, shown over the
    // picture without changing it. `leds` is in LEDs; the cells are
    // `cellSize` pixels a side.
    void setGhost(const QRect& leds, const vexel::LedBitmap& bits, int cellSize);
    void setGhostCellSize(int cellSize);
    void clearGhost();
    bool hasGhost() const { return !ghostLeds_.isEmpty(); }

signals:
    void pressed(const MouseInput& input);
    void moved(const MouseInput& input);
    void released(const MouseInput& input);
    void doubleClicked(const MouseInput& input);
    void contextMenuRequested(const QPoint& globalPosition);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void flush();
    void paintGhost(QPainter& painter, const QRect& area) const;
    QRect ghostArea() const;

    vexel::Surface* surface_;
    bool flushQueued_ = false;
    QRect ghostLeds_;
    vexel::LedBitmap ghostBits_;
    int ghostCell_ = 1;
};
