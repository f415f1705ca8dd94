#include "editor/tools/PencilTool.h"
#include "editor/tools/ToolList.h"

namespace vexel {

// The Pencil drawing unlit LEDs (lit ones while the toggle is on).
std::unique_ptr<LedTool> makeEraserTool() { return std::make_unique<PencilTool>(false); }

} // namespace vexel
