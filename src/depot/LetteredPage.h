#pragma once

#include "lettering/TextStyle.h"

#include <vector>

namespace vexel {

// What one frame of a lettered image shows: the layout's frame it came from
// and its texts, each with the face it is set in, for whoever measures them.
struct LetteredPage {
    int frame = 0; // in the layout
    bool via = false; // the layout's frame shows the destination's vias
    std::vector<TextBlock> texts;
};

} // namespace vexel
