#include "editor/tools/ToolList.h"

#include "document/LedBitmap.h"

#include <Qt>

#include <algorithm>

namespace vexel {

namespace {

// Drags the selected LEDs of the frame window to another place inside it:
// the vacated LEDs go unlit, the block stops at the window's edges and the
// selection follows it. The arrow keys nudge the block by one LED; Escape
// before the release cancels. One step per move.
class MoveTool : public LedTool {
public:
    void press(LedTarget& target, QPoint led) override
    {
        cancel();
        if (!grab(target))
            return;
        dragging_ = true;
        origin_ = led;
        show(QPoint(0, 0));
    }
    void move(LedTarget& target, QPoint led) override
    {
        if (dragging_)
            show(clamped(target, led - origin_));
    }
    void release(LedTarget& target, QPoint led) override
    {
        if (!dragging_)
            return;
        const QPoint by = clamped(target, led - origin_);
        cancel();
        apply(target, by);
    }
    bool key(LedTarget& target, int key) override
    {
        if (key == Qt::Key_Escape && dragging_) {
            cancel();
            return true;
        }
        QPoint by;
        switch (key) {
        case Qt::Key_Left: by = QPoint(-1, 0); break;
        case Qt::Key_Right: by = QPoint(1, 0); break;
        case Qt::Key_Up: by = QPoint(0, -1); break;
        case Qt::Key_Down: by = QPoint(0, 1); break;
        default: return false;
        }
        if (dragging_)
            return true;
        if (!grab(target))
            return false; // no selection: the arrows move the cursor
        apply(target, clamped(target, by));
        return true;
    }
    void cancel() override
    {
        LedTool::cancel();
        dragging_ = false;
    }

private:
    // The selection as far as it lies in the window, and its LEDs.
    bool grab(const LedTarget& target)
    {
        const FrameRect w = target.window();
        const LedRect s = target.selection();
        block_ = LedRect{std::max(s.x0, w.x), std::max(s.y0, w.y), std::min(s.x1, w.right()),
                         std::min(s.y1, w.bottom())};
        if (block_.width() <= 0 || block_.height() <= 0)
            return false;
        leds_ = LedBitmap(block_.width(), block_.height());
        for (int y = block_.y0; y < block_.y1; ++y)
            for (int x = block_.x0; x < block_.x1; ++x)
                leds_.set(x - block_.x0, y - block_.y0, target.lit(x, y));
        return true;
    }
    QPoint clamped(const LedTarget& target, QPoint by) const
    {
        const FrameRect w = target.window();
        return QPoint(std::clamp(by.x(), w.x - block_.x0, w.right() - block_.x1),
                      std::clamp(by.y(), w.y - block_.y0, w.bottom() - block_.y1));
    }
    bool inBlock(int x, int y, QPoint by) const
    {
        return x >= block_.x0 + by.x() && x < block_.x1 + by.x() && y >= block_.y0 + by.y() && y < block_.y1 + by.y();
    }
    // The vacated LEDs unlit, then the block at its new place.
    void show(QPoint by)
    {
        preview_.clear();
        for (int y = block_.y0; y < block_.y1; ++y)
            for (int x = block_.x0; x < block_.x1; ++x)
                if (!inBlock(x, y, by))
                    preview_.push_back({QPoint(x, y), false});
        for (int y = 0; y < leds_.height(); ++y)
            for (int x = 0; x < leds_.width(); ++x)
                preview_.push_back({QPoint(block_.x0 + by.x() + x, block_.y0 + by.y() + y), leds_.lit(x, y)});
    }
    void apply(LedTarget& target, QPoint by)
    {
        if (by.isNull())
            return;
        show(by);
        std::vector<QPoint> on;
        std::vector<QPoint> off;
        for (const PreviewLed& p : preview_)
            if (target.lit(p.led.x(), p.led.y()) != p.lit)
                (p.lit ? on : off).push_back(p.led);
        preview_.clear();
        target.beginStep(QStringLiteral("move"));
        target.setLeds(off, false);
        target.setLeds(on, true);
        target.setSelection(LedRect{block_.x0 + by.x(), block_.y0 + by.y(), block_.x1 + by.x(), block_.y1 + by.y()});
        target.commit();
        target.endStep();
    }

    bool dragging_ = false;
    QPoint origin_;
    LedRect block_;
    LedBitmap leds_;
};

} // namespace

std::unique_ptr<LedTool> makeMoveTool() { return std::make_unique<MoveTool>(); }

} // namespace vexel
