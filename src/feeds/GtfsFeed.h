#pragma once

#include "feeds/ByteStream.h"
#include "feeds/ZipArchive.h"
#include "document/Result.h"

#include <QByteArray>
#include <QString>

#include <memory>

namespace vexel {

// The files of a transit feed, from a zip (read in place) or a folder, each
// opened as a stream bounded in what it may hand out.
class GtfsFeed {
public:
    using Limits = ZipArchive::Limits;

    // A folder, or a zip file.
    static Expected<GtfsFeed> open(const QString& path);
    static Expected<GtfsFeed> fromZipBytes(const QByteArray& bytes, const QString& name);

    // How the feed is named in messages.
    const QString& name() const { return name_; }
    bool has(const QString& file) const;
    // The file's size as the feed gives it (for a zip member, as declared);
    // 0 when there is no such file.
    qint64 size(const QString& file) const;
    // The file's bytes as a stream; a folder's files are bounded by
    // limits.maxBytes alone, a zip's members by all of `limits`.
    Expected<std::unique_ptr<ByteStream>> read(const QString& file, const Limits& limits) const;

private:
    QString name_;
    QString folder_;
    std::shared_ptr<ZipArchive> zip_;
};

} // namespace vexel
