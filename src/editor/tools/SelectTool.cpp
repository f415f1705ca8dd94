#include "editor/tools/ToolList.h"

namespace vexel {

namespace {

// The rectangle from the press to the release becomes the selection.
class SelectTool : public LedTool {
public:
    void press(LedTarget& target, QPoint led) override
    {
        selecting_ = true;
        target.startSelection(led);
    }
    void release(LedTarget& target, QPoint led) override
    {
        if (!selecting_)
            return;
        selecting_ = false;
        target.completeSelection(led);
    }
    void cancel() override
    {
        LedTool::cancel();
        selecting_ = false;
    }

private:
    bool selecting_ = false;
};

} // namespace

std::unique_ptr<LedTool> makeSelectTool() { return std::make_unique<SelectTool>(); }

} // namespace vexel
