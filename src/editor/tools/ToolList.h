#pragma once

#include "editor/tools/LedTool.h"

#include <memory>
#include <vector>

namespace vexel {

// The tools of the tool row, in its order.
enum class Tool { Cursor, Pencil, Eraser, Rectangle, Select, Line, FloodFill, Move };

struct ToolInfo {
    Tool tool;
    const char* name;    // caption and menu text
    char key;            // single-key shortcut
    const char* purpose; // tooltip
    bool draws;          // follows the "unlit" toggle
    std::unique_ptr<LedTool> (*make)();
};

// Every tool, in tool-row order: the tool row, the Edit menu and the keys
// are built from it.
const std::vector<ToolInfo>& toolList();

} // namespace vexel
