#pragma once

#include "depot/Destination.h"
#include "depot/ReleaseTable.h"
#include "depot/SignOverride.h"
#include "depot/SetVersion.h"
#include "depot/SetWords.h"
#include "depot/VersionDiff.h"
#include "depot/VehicleSign.h"
#include "document/Result.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class QLockFile;

namespace vexel {

// A depot's destination set: one SQLite file (`.vxset`) holding the
// destinations, the vehicle's signs and the images made by hand. Every
// change is one transaction, so the file never holds half a change.
//
// A set may come from anywhere, so every opening treats it as untrusted:
// the header is read before SQLite sees the file (not a set, cut short, a
// newer version are refused by name), then SQLite opens it with
// trusted_schema off, runs quick_check, and the schema must be exactly the
// one this version makes (no triggers or views of the file's own). Rows are
// checked as they are read.
//
// Opening for editing takes `<set>.lock` beside the set for as long as the
// set is open. A lock whose process has ended on this machine is stale and
// taken over; a lock held by a live process, or written on another machine
// (a shared folder), is respected until that editor closes the set or
// someone removes the lock by hand.
class DestinationSet {
public:
    enum class Access {
        Read,        // never changes the file, takes no lock
        Edit,        // refused when another editor holds the set
        EditOrRead,  // read-only, with the reason, when another editor holds it
    };

    static constexpr const char* Suffix = ".vxset";

    // A new set with these signs; refused when `path` exists. The file
    // appears whole or not at all. Opened for editing.
    static Expected<std::unique_ptr<DestinationSet>> create(const QString& path, const std::vector<VehicleSign>& signs);
    static Expected<std::unique_ptr<DestinationSet>> open(const QString& path, Access access);
    ~DestinationSet();
    DestinationSet(const DestinationSet&) = delete;
    DestinationSet& operator=(const DestinationSet&) = delete;

    static QString lockPath(const QString& path);

    const QString& path() const { return path_; }
    bool readOnly() const { return readOnly_; }
    // Why a set asked for with EditOrRead is read-only; empty otherwise.
    const QString& readOnlyReason() const { return readOnlyReason_; }

    Expected<std::vector<Destination>> destinations() const;
    Expected<std::vector<VehicleSign>> signs() const;
    Expected<std::vector<SignOverride>> overrides() const;

    Status addDestination(const Destination& d);
    // Replaces the destination `code` (the new one may have another code).
    Status updateDestination(const QString& code, const Destination& d);
    Status removeDestination(const QString& code);

    // Destinations merged by code in one transaction: new codes are added
    // at the end; known ones take the incoming texts and keep their note and
    // whether they are in use. A Latin name that was only a suggestion stays
    // one unless the incoming Latin differs.
    struct MergeReport {
        QStringList added;
        QStringList changed;
        QStringList unchanged;
        QStringList removed;
    };
    Expected<MergeReport> merge(const std::vector<Destination>& incoming);
    // A merge and the removal of `removed` codes as one step, remembering the
    // feed version the texts came from (for the next release).
    Expected<MergeReport> apply(const std::vector<Destination>& incoming, const QStringList& removed,
                                const QString& feedVersion);

    // Releases kept in the set. addVersion stores one with the next number
    // and returns that number; versions() lists them without their images.
    Expected<int> addVersion(const SetVersion& version);
    Expected<std::vector<SetVersion>> versions() const;
    Expected<SetVersion> version(int number) const;
    // What changed from version `a` to version `b`. Only the images that
    // differ are unpacked, so the images of the change are there and the
    // others are left empty.
    Expected<VersionDiff> compareVersions(int a, int b) const;
    // Brings back a version's texts and overrides as the next change of the
    // set; nothing is deleted: destinations the version did not have stay,
    // out of use, after the version's.
    Status restoreVersion(int number);

    // The set's lasting id; empty when it has none yet (an older set opened
    // read-only: opening it for editing gives it one).
    QString setId() const;
    // Every version's release (its valid-from date and folder) and every
    // stored image's checksum.
    Expected<std::vector<ReleaseTable::Release>> releases() const;
    Expected<std::vector<ReleaseTable::Image>> releasedImages() const;

    // The abbreviations, the words kept in capitals and the via separators.
    Expected<SetWords> words() const;
    Status setWords(const SetWords& words);

    Status addSign(const VehicleSign& sign);
    Status updateSign(const QString& name, const VehicleSign& sign);
    // Removes the sign and its overrides.
    Status removeSign(const QString& name);

    // Stores the override of `image.code` on `image.sign`, replacing one
    // there; the image must fit the sign.
    Status storeOverride(const SignOverride& image);
    Status removeOverride(const QString& code, const QString& sign);

private:
    struct Connection;
    DestinationSet(QString path, std::unique_ptr<Connection> connection);

    template <class Body>
    Status change(Body body);
    std::string changeError(const std::string& reason) const;

    QString path_;
    bool readOnly_ = false;
    bool idOfCopy_ = false;
    QString readOnlyReason_;
    std::unique_ptr<QLockFile> lock_;
    std::unique_ptr<Connection> connection_;
};

} // namespace vexel
