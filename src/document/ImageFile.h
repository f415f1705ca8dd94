#pragma once

#include "document/ImageRecord.h"
#include "document/Result.h"

#include <QString>

namespace vexel {

// Image files: the record's lines, each ended by CR LF.
class ImageFile {
public:
    static constexpr qint64 MaxTextSize = 8 * 1024 * 1024; // what the record view holds
    static constexpr int MaxLineLength = 4096;

    // Reads a file into lines. CR LF, a lone CR and a lone LF all end a line;
    // a missing last line break is fine. Nothing is checked beyond size.
    static Expected<ImageRecord> read(const QString& path);

    // read() followed by the full check of the record: the only way an image
    // from disk reaches the editor, so a bad file never half-loads.
    static Expected<ImageRecord> load(const QString& path);

    // Splits a text as read() does.
    static Expected<ImageRecord> parse(const QByteArray& text);

    // Replaces the file atomically: a failed write leaves the old file whole.
    static Status write(const QString& path, const ImageRecord& record);

    static QString openError(const QString& path, const QString& reason);
    static QString createError(const QString& path, const QString& reason);
};

} // namespace vexel
