#include "editor/tools/ToolList.h"

namespace vexel {

std::unique_ptr<LedTool> makeCursorTool();
std::unique_ptr<LedTool> makePencilTool();
std::unique_ptr<LedTool> makeEraserTool();
std::unique_ptr<LedTool> makeRectangleTool();
std::unique_ptr<LedTool> makeSelectTool();
std::unique_ptr<LedTool> makeLineTool();
std::unique_ptr<LedTool> makeFloodFillTool();
std::unique_ptr<LedTool> makeMoveTool();

const std::vector<ToolInfo>& toolList()
{
    static const std::vector<ToolInfo> tools = {
        {Tool::Cursor, "Cursor", 'C', "Place the cursor that Paste uses (C)", false, makeCursorTool},
        {Tool::Pencil, "Pencil", 'P', "Light LEDs by dragging (P)", true, makePencilTool},
        {Tool::Eraser, "Eraser", 'E', "Switch LEDs off by dragging (E)", true, makeEraserTool},
        {Tool::Rectangle, "Rectangle", 'R', "Fill a rectangle with lit LEDs (R)", true, makeRectangleTool},
        {Tool::Select, "Select", 'S', "Select a rectangle for Copy, Paste and new frames (S)", false, makeSelectTool},
        {Tool::Line, "Line", 'L', "Draw a straight line of LEDs (L)", true, makeLineTool},
        {Tool::FloodFill, "Flood fill", 'F', "Fill the area of equal LEDs under the pointer (F)", true,
         makeFloodFillTool},
        {Tool::Move, "Move", 'M', "Drag the selected LEDs; arrow keys nudge them (M)", false, makeMoveTool},
    };
    return tools;
}

} // namespace vexel
