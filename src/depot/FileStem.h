#pragma once

#include "document/Result.h"

#include <QString>

namespace vexel {

// Whether a name from outside (a route number, a destination's code, a
// sign's name) can be the stem of a file or folder the program writes: not
// empty, no folder separators or control characters, not "." or "..", not
// taken for an option by a shell script (a leading "-"), and not a name
// Windows keeps for a device (CON, PRN, AUX, NUL, COM1-COM9, LPT1-LPT9 in any
// case, with or without an extension), since sets and route folders are
// copied to Windows machines.
class FileStem {
public:
    static constexpr int MaxLength = 200;

    // `what` begins the messages: "the route number", "the code".
    static Status check(const QString& stem, const QString& what);
    static bool isDeviceName(const QString& stem);
};

} // namespace vexel
