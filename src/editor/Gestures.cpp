#include "editor/Gestures.h"

#include <algorithm>

namespace vexel {

namespace {

constexpr Qt::KeyboardModifiers Keys = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;

bool plainRight(const GestureInput& input)
{
    return input.button == Qt::RightButton && !(input.modifiers & Keys);
}

} // namespace

void Gestures::paintPoint(const GestureInput& in, const FrameRect& frame, std::vector<GestureStep>& steps)
{
    const bool left = in.buttons & Qt::LeftButton;
    const bool right = in.buttons & Qt::RightButton;
    if (!left && !right)
        return;
    if (!frame.contains(in.led.x(), in.led.y()))
        return;
    const bool lit = !right;
    steps.push_back({GestureStep::Kind::ChooseColor, in.led, lit, {}});
    // A press decides what a rectangle fill paints; a button that joins
    // during the drag does not.
    if (in.button != Qt::NoButton)
        lastLit_ = lit;
    if (in.modifiers & (Qt::ControlModifier | Qt::ShiftModifier))
        return;
    steps.push_back({GestureStep::Kind::Paint, in.led, lit, {}});
}

std::vector<GestureStep> Gestures::press(const GestureInput& raw, const FrameRect& frame, bool editable)
{
    plainRightPress_ = plainRight(raw) && raw.buttons == Qt::RightButton;
    std::vector<GestureStep> steps;
    if (!editable)
        return steps;
    const GestureInput& in = raw;
    if (in.modifiers & Qt::ShiftModifier) {
        steps.push_back({GestureStep::Kind::SelectionStart, in.led, true, {}});
        return steps;
    }
    if (in.modifiers & Qt::ControlModifier)
        fillStart_ = in.led;
    if (in.modifiers & Qt::AltModifier) {
        paintPoint(in, frame, steps);
        return steps;
    }
    if ((in.buttons & Qt::LeftButton) && frame.contains(in.led.x(), in.led.y()))
        steps.push_back({GestureStep::Kind::PlaceCursor, in.led, true, {}});
    return steps;
}

std::vector<GestureStep> Gestures::move(const GestureInput& raw, const FrameRect& frame, bool editable)
{
    const GestureInput& in = raw;
    std::vector<GestureStep> steps;
    if (editable && (in.modifiers & Qt::AltModifier))
        paintPoint(in, frame, steps);
    return steps;
}

std::vector<GestureStep> Gestures::release(const GestureInput& raw, const FrameRect& frame, bool editable)
{
    // The context menu opens at the release of a right click made without
    // keys or other buttons, so a right-button stroke with Alt or Ctrl+Alt
    // never ends in a menu.
    const bool openMenu = plainRightPress_ && plainRight(raw) && raw.buttons == Qt::NoButton;
    plainRightPress_ = false;
    std::vector<GestureStep> steps;
    if (!editable) {
        if (openMenu)
            steps.push_back({GestureStep::Kind::OpenMenu, raw.led, true, {}});
        return steps;
    }

    const GestureInput& in = raw;
    bool commit = false;
    if (in.modifiers & Qt::ControlModifier) {
        // Normalised on the side, so the recorded start stays the start.
        const int c0 = std::min(fillStart_.x(), in.led.x());
        const int c1 = std::max(fillStart_.x(), in.led.x());
        const int r0 = std::min(fillStart_.y(), in.led.y());
        const int r1 = std::max(fillStart_.y(), in.led.y());
        if (frame.contains(c0, r0) && frame.contains(c1, r1)) {
            steps.push_back({GestureStep::Kind::FillRect, in.led, lastLit_, LedRect{c0, r0, c1, r1}});
            commit = true;
        }
    }
    if ((in.modifiers & Qt::ShiftModifier) && in.button == Qt::LeftButton)
        steps.push_back({GestureStep::Kind::Select, in.led, true, {}});
    else if (in.modifiers & Qt::AltModifier)
        commit = true;
    if (commit)
        steps.push_back({GestureStep::Kind::Store, in.led, true, {}});
    if (openMenu)
        steps.push_back({GestureStep::Kind::OpenMenu, in.led, true, {}});
    return steps;
}

} // namespace vexel
