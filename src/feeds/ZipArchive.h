#pragma once

#include "feeds/ByteStream.h"
#include "document/Result.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <vector>

struct zip;
struct zip_source;
struct zip_error;

namespace vexel {

// A zip read in place, never extracted to disk. Opening refuses an archive
// any of whose member names would leave a folder (`..`, absolute paths,
// drive letters) or names a member twice; `__MACOSX/` entries are left out
// and a single folder holding everything is looked through, so members are
// found by the names they have inside that folder. A member is read as a
// stream whose decompressed bytes, and the compressed bytes they came from,
// are counted as they come: the sizes a zip declares can lie.
class ZipArchive {
public:
    struct Member {
        QString name;       // inside the top folder, when there is one
        QString storedName; // as the archive spells it
        quint64 index = 0;
        quint64 size = 0;           // declared, decompressed
        quint64 compressedSize = 0; // declared; libzip reads no more than this
    };

    struct Limits {
        qint64 maxBytes = 256LL * 1024 * 1024;
        // More decompressed bytes than this many times the compressed ones
        // read so far is refused as a zip bomb ...
        int maxRatio = 100;
        // ... once past this many bytes: a small member's header alone can
        // outweigh a few compressed bytes.
        qint64 ratioFloor = 1024 * 1024;
    };

    ~ZipArchive();
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    static Expected<std::shared_ptr<ZipArchive>> open(const QString& path);
    // The archive in `bytes` (kept by the archive while it is open); `name`
    // is put in messages.
    static Expected<std::shared_ptr<ZipArchive>> fromBytes(const QByteArray& bytes, const QString& name);

    const QString& name() const { return name_; }
    const std::vector<Member>& members() const { return members_; }
    const Member* find(const QString& name) const;

    // A stream over the member's decompressed bytes that fails as soon as they
    // break `limits`. The declared sizes are not trusted either way, and a
    // member read only in part (a table's header) is only bounded in that part.
    Expected<std::unique_ptr<ByteStream>> read(const Member& member, const Limits& limits) const;

private:
    ZipArchive() = default;
    static Expected<std::shared_ptr<ZipArchive>> opened(std::shared_ptr<ZipArchive> archive, zip_source* source,
                                                        zip_error* error);
    static Expected<std::shared_ptr<ZipArchive>> index(std::shared_ptr<ZipArchive> archive);

    QString name_;
    QByteArray bytes_;
    std::shared_ptr<zip> zip_;
    // Every byte libzip has read of the archive; lives as long as zip_.
    const quint64* compressedRead_ = nullptr;
    std::vector<Member> members_;
};

} // namespace vexel
