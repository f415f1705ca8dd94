#pragma once

#include "document/FrameHeader.h"
#include "document/LedRect.h"

#include <QPoint>
#include <QString>

#include <vector>

namespace vexel {

// A grid of LEDs the tools edit: the board's current frame in the editor,
// a glyph's bitmap in a font editor. Tools read and set LEDs, change only
// those inside window(), and wrap every edit in one step.
class LedTarget {
public:
    virtual ~LedTarget() = default;

    virtual int width() const = 0;
    virtual int height() const = 0;
    virtual bool lit(int x, int y) const = 0;
    virtual void setLit(int x, int y, bool on) = 0;
    // Many LEDs at once; a target may draw them in one go.
    virtual void setLeds(const std::vector<QPoint>& leds, bool on)
    {
        for (const QPoint& p : leds)
            setLit(p.x(), p.y(), on);
    }
    // LEDs first..last, both ends included.
    virtual void fillRect(const LedRect& inclusive, bool on)
    {
        for (int y = inclusive.y0; y <= inclusive.y1; ++y)
            for (int x = inclusive.x0; x <= inclusive.x1; ++x)
                setLit(x, y, on);
    }
    // The LEDs a tool may change.
    virtual FrameRect window() const = 0;

    // One undo step around an edit; nested begins belong to the outermost.
    virtual void beginStep(const QString& name) = 0;
    virtual void endStep() = 0;
    // A gesture's edit is complete: the board writes its frame record.
    virtual void commit() {}

    // The selection (ends exclusive), which Move moves; zero when none.
    virtual LedRect selection() const { return {}; }
    virtual void startSelection(QPoint) {}
    virtual void completeSelection(QPoint) {}
    virtual void setSelection(const LedRect&) {}
    // The cursor that Paste and the keyboard use.
    virtual void placeCursor(QPoint) {}
};

} // namespace vexel
