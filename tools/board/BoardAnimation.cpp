#include "BoardAnimation.h"

#include "preview/Export.h"

#include <cstdio>

namespace board {

bool parseSize(const char* text, SignSettings& settings)
{
    int width = 0, height = 0;
    char tail = 0;
    if (std::sscanf(text, "%dx%d%c", &width, &height, &tail) != 2)
        return false;
    if (width < 1 || width > 488 || height < 1 || height > 100)
        return false;
    settings.width = width;
    settings.height = height;
    return true;
}

vexel::Status writeGif(const std::vector<vexel::ImageRecord>& images, const SignSettings& settings, const QString& path)
{
    vexel::Timeline timeline(settings.width, settings.height, settings.stepTime);
    for (const vexel::ImageRecord& image : images) {
        const vexel::Status added = timeline.addImage(image);
        if (!added)
            return added;
    }
    return vexel::Export::gif(timeline, vexel::SignStyle(), path);
}

} // namespace board
