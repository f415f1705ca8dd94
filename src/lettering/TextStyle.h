#pragma once

#include "document/FrameHeader.h"

#include <QString>

namespace vexel {

enum class HAlign { Left, Centre, Right };
enum class VAlign { Top, Middle, Bottom };

// How a text is set: the font by name and height, and its spacing and
// alignment inside its area.
struct TextStyle {
    static constexpr int MinLetterSpacing = -1;
    static constexpr int MaxLetterSpacing = 3;
    static constexpr int MinLineSpacing = -3;
    static constexpr int MaxLineSpacing = 20;

    QString font;
    int height = 0;
    bool bold = false;
    bool condensed = false; // the condensed face of the height, where the font has one
    int letterSpacing = 0; // LEDs added between neighbouring letters
    int lineSpacing = 0;   // LEDs between one line's cells and the next
    HAlign hAlign = HAlign::Centre;
    VAlign vAlign = VAlign::Middle;
};

// One text of a sign and the part of the target it is set in; `area` is
// relative to the target's top left LED.
struct TextBlock {
    QString text;
    TextStyle style;
    FrameRect area;
};

} // namespace vexel
