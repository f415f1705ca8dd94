#pragma once

#include "document/LedBitmap.h"

#include <QPoint>
#include <QString>

#include <memory>
#include <vector>

namespace vexel {

// A drawing tool on one glyph's cell. A stroke is press, moves and release on
// LEDs; the tool changes the cell it is handed as the stroke goes on, and the
// font editor takes the cell after the release as one edit. `lit` says
// whether the stroke lights LEDs (left button) or clears them (right button).
class GlyphTool {
public:
    virtual ~GlyphTool() = default;
    virtual QString name() const = 0;
    virtual void press(LedBitmap& cell, QPoint led, bool lit) = 0;
    virtual void move(LedBitmap& cell, QPoint led) = 0;
    virtual void release(LedBitmap& cell, QPoint led) { move(cell, led); }
};

// Every tool of the font editor, in tool-row order: Pencil, Eraser, Line,
// Flood fill.
std::vector<std::unique_ptr<GlyphTool>> makeGlyphTools();

// The LEDs of a straight line, ends included.
std::vector<QPoint> ledLine(QPoint from, QPoint to);
// Sets the LEDs joined to `start` that share its state, four ways.
void floodFill(LedBitmap& cell, QPoint start, bool lit);

} // namespace vexel
