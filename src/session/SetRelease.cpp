#include "session/SetRelease.h"

namespace vexel {

Expected<ReleaseReport> SetRelease::release(DestinationSet&, FontList&, const QString&, const ReleaseOptions&,
                                            const std::function<bool(int, int)>&)
{
    return Expected<ReleaseReport>::failure("releases are not written yet");
}

} // namespace vexel
