#pragma once

#include <QString>

#include <optional>
#include <string_view>

namespace vexel {

// Replaces a file with `data` through a temporary file and a rename, so the
// old file stays whole when anything fails. Returns the system's reason on
// failure. QSaveFile alone is not enough: a write that fails while its buffer
// is flushed at commit (a full disk) still renames an empty file into place,
// so the data is pushed out and checked before the commit.
std::optional<QString> writeAtomically(const QString& path, std::string_view data);

} // namespace vexel
