#pragma once

#include "document/Result.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace vexel {

// Files replaced together: each is first written to a hidden file beside
// it, one sync of the file system then makes all of them durable, and only
// then is each renamed into place. After a failure, a crash or a kill every
// file is either its old self or its new one, as with writeAtomically, but
// a release of hundreds of small files does not wait for the disk once per
// file.
class StagedFiles {
public:
    StagedFiles() = default;
    ~StagedFiles(); // what was staged and not committed is removed
    StagedFiles(const StagedFiles&) = delete;
    StagedFiles& operator=(const StagedFiles&) = delete;

    // Writes `data` for `path`; nothing is replaced yet. A file that holds
    // exactly these bytes already is left alone.
    Status stage(const QString& path, const QByteArray& data);
    // Makes the staged files durable, renames each into place and syncs
    // their folders. On failure the files not yet renamed keep their old
    // content.
    Status commit();
    int staged() const { return static_cast<int>(entries_.size()); }

    // Hidden files of a batch that never committed (its process was
    // killed) in `folder`.
    static void removeLeftovers(const QString& folder);

private:
    struct Entry {
        QString temp;
        QString path;
    };
    void discard();
    std::vector<Entry> entries_;
};

} // namespace vexel
