#pragma once

#include "document/Result.h"

#include <QByteArray>
#include <QString>

namespace vexel {

// The whole of a regular file of at most `maxBytes`. Read only up to one
// byte past the limit, so a file that grows, or one that tells no size (under
// /proc), is refused as well. The failure is the reason alone ("It is larger
// than 1 MiB."), for the caller to put after the file's name.
class LimitedFile {
public:
    static Expected<QByteArray> read(const QString& path, qint64 maxBytes);
    // "16 MiB", "512 KiB", "100 bytes".
    static QString sizeText(qint64 bytes);
};

} // namespace vexel
