#pragma once

#include "document/FrameHeader.h"

#include <optional>

class QComboBox;
class QWidget;

// Where a panel's ghost goes: the frame window or the selection, both kept
// on the board and the selection within the frame. Its box offers
// "Selection" only while there is one, and turns to it when one appears.
class TargetChoice {
public:
    QComboBox* makeBox(QWidget* parent);
    QComboBox* box() const { return box_; }

    // Sets the box without its signals; the panel lays out again after.
    void set(const vexel::FrameRect& frame, const std::optional<vexel::FrameRect>& selection);
    vexel::FrameRect target() const;

private:
    QComboBox* box_ = nullptr;
    vexel::FrameRect frame_;
    std::optional<vexel::FrameRect> selection_;
};
