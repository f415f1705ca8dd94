#pragma once

#include "document/Result.h"
#include "lettering/LedFont.h"

#include <QString>

#include <string>
#include <string_view>

namespace vexel {

// Reads the .vfont text format described in fonts/README.md. A fault is
// reported as "<file>:<line>: <what is wrong>" and no font is returned.
class LedFontReader {
public:
    static constexpr qint64 MaxFileSize = 4 * 1024 * 1024;

    static Expected<LedFont> read(const QString& path);
    // The file's text, refused as read() refuses a file it cannot take.
    static Expected<std::string> load(const QString& path);
    // `fileName` only names the text in messages.
    static Expected<LedFont> parse(std::string_view text, const QString& fileName);
};

} // namespace vexel
