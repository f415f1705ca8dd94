#pragma once

#include "document/LedBitmap.h"
#include "preview/SignRenderer.h"

#include <QImage>
#include <QWidget>

#include <optional>

// The board drawn as LEDs on its dark face, centred in the widget. The zoom
// follows the widget's size unless one is fixed.
class SignView : public QWidget {
    Q_OBJECT
public:
    static constexpr int MaxFitZoom = 12;

    explicit SignView(QWidget* parent = nullptr);

    // Redraws only when the LEDs differ from those shown.
    void setLeds(const vexel::LedBitmap& leds);
    const vexel::LedBitmap& leds() const { return leds_; }

    // Lit LEDs in amber, a real sign's colour, or in the given one.
    void setLedColour(std::optional<QRgb> colour);
    QRgb litColour() const { return style_.lit; }

    void setGlow(bool on);
    bool glow() const { return style_.glow; }
    // 0: fit the widget.
    void setZoom(int zoom);
    int zoom() const { return style_.zoom; }

    // The picture as it is painted.
    const QImage& picture() const { return picture_; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    int fitZoom() const;
    void restyle();

    vexel::SignStyle style_;
    vexel::SignRenderer renderer_;
    vexel::LedBitmap leds_;
    QImage picture_;
    int fixedZoom_ = 0;
};
