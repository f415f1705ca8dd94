#pragma once

#include "document/ImageRecord.h"
#include "document/Result.h"
#include "preview/Timeline.h"

#include <QString>

#include <vector>

namespace board {

// The sign the virtual board drives: its size and LED step time.
struct SignSettings {
    int width = 96;
    int height = 24;
    int stepTime = vexel::Timeline::DefaultStepTime;
};

// "WxH" within the boards the editor draws (1..488 x 1..100).
bool parseSize(const char* text, SignSettings& settings);

// The received images as the board plays them, written as the editor's
// export writes the send list's animation.
vexel::Status writeGif(const std::vector<vexel::ImageRecord>& images, const SignSettings& settings, const QString& path);

} // namespace board
