#pragma once

#include "depot/Destination.h"
#include "store/DestinationHistory.h"
#include "store/ImportMemory.h"
#include "store/ReleaseTable.h"
#include "store/SignOverride.h"
#include "store/SetAddress.h"
#include "store/SetVersion.h"
#include "store/SetWords.h"
#include "sets/VersionDiff.h"
#include "store/VehicleSign.h"
#include "document/Result.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QLockFile;
class QSqlDatabase;

namespace vexel {

struct ServerAddress;

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
// A set may also live on a PostgreSQL server, one schema per set, given as
// `postgresql://...?set=NAME` (see ServerAddress) wherever a path is taken.
// A server set has no lock file: every change is one transaction that locks
// the set's version row, and an edit made from a stale reading of a row is
// refused (on a file too, should two connections ever edit one).
//
// Opening a file for editing takes `<set>.lock` beside the set for as long
// as the set is open. A lock whose process has ended on this machine is stale and
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
    // Every change of a server set is announced on this channel when it
    // commits, with ChangeNotice's payload, so other editors read it again.
    static constexpr const char* ChangeChannel = "vexel_set";
    struct ChangeNotice {
        QString set;  // the set's name (its schema)
        QString code; // the destination changed, when one was
        QString payload() const;
        static ChangeNotice parse(const QString& payload);
    };

    // A new set with these signs; refused when `path` exists. The file
    // appears whole or not at all. Opened for editing.
    static Expected<std::unique_ptr<DestinationSet>> create(const QString& path, const std::vector<VehicleSign>& signs);
    static Expected<std::unique_ptr<DestinationSet>> open(const SetAddress& address, Access access);
    // The address as typed or read (a path or a server address), read once
    // here; a server address that cannot be read fails as an opening does.
    static Expected<std::unique_ptr<DestinationSet>> open(const QString& text, Access access);
    static Expected<SetAddress> readAddress(const QString& text);
    ~DestinationSet();
    DestinationSet(const DestinationSet&) = delete;
    DestinationSet& operator=(const DestinationSet&) = delete;

    static QString lockPath(const QString& path);

    // The name this PC signs its changes with in a set's history and in the
    // refusal of another's stale edit. Until set: VEXEL_STATION, else the
    // host name.
    static void setStationName(const QString& station);

    // Called inside each change's transaction once its rows are written,
    // before it commits, with what the change is: "apply", "release",
    // "restore" or "change". A failure it returns stops the change there.
    // For the tests of a change cut short; none by default.
    using StepHook = std::function<Status(const QString& step)>;
    static void setStepHook(StepHook hook);
    static QString stationName();

    // The file's path, or the server set's address without its password.
    const QString& path() const { return path_; }
    // Where the set was opened from, a server's password included.
    const SetAddress& address() const { return address_; }
    bool onServer() const;
    // The set's name on its server; empty for a file.
    const QString& serverSetName() const { return serverSetName_; }
    // Whether the connection still answers; a file always does.
    bool reachable() const;
    // A server set's connection made again from the address it was opened
    // from, checked as an opening is; the set stays this object, so whoever
    // holds it goes on. Nothing for a file.
    Status reconnect();
    bool readOnly() const { return readOnly_; }
    // How many changes were made through this object: windows that share it
    // tell by it that another has changed the set.
    quint64 changeCount() const { return changes_; }
    // Why a set asked for with EditOrRead is read-only; empty otherwise.
    const QString& readOnlyReason() const { return readOnlyReason_; }

    Expected<std::vector<Destination>> destinations() const;
    Expected<std::vector<VehicleSign>> signs() const;
    Expected<std::vector<SignOverride>> overrides() const;
    // `reads` made as one reading of the set: what they read was there
    // together, whatever another editor commits meanwhile. The reads are
    // this object's own readers; a failure of theirs is returned as it is.
    Status readTogether(const std::function<Status()>& reads) const;

    Status addDestination(const Destination& d);
    // Replaces the destination `code` (the new one may have another code).
    // An edit carrying the revision it was read at (`d.revision` > 0) is
    // refused when the row has changed since; staleEdit() then says by whom.
    Status updateDestination(const QString& code, const Destination& d);
    Status removeDestination(const QString& code, qint64 readRevision = 0);

    // Who changed the row an edit was refused for, and when; cleared by the
    // next change.
    struct StaleEdit {
        QString code;
        QString station;
        QDateTime time;
        // What is named instead of the code: "The image of 37 on front".
        QString subject;
        // "37 was changed from depot-2 at 10:14" (local time); "... was
        // changed elsewhere" when the row does not keep who changed it.
        QString message() const;
    };
    const std::optional<StaleEdit>& staleEdit() const { return stale_; }

    // The changes of destination `code`, newest first.
    Expected<std::vector<HistoryEntry>> history(const QString& code) const;

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
    // feed version the texts came from (for the next release). Each text of
    // `imported` (the destinations as the source has them) that the set
    // holds so afterwards is remembered as the source's at this import, with
    // the agency and route it came from. The phrases of `keepTogether` the
    // set's list lacks join it, as far as the word lists have room.
    Expected<MergeReport> apply(const std::vector<Destination>& incoming, const QStringList& removed,
                                const QString& feedVersion, const std::vector<Destination>& imported = {},
                                const QStringList& keepTogether = {});
    // What each text was in its source at the last import that put it in.
    Expected<ImportMemory::Texts> importMemory() const;

    // Releases kept in the set. addVersion stores one with the next number
    // and returns that number; versions() lists them without their images.
    Expected<int> addVersion(const SetVersion& version);
    // Whether addVersion may keep one: on a server, whether the database
    // user may add versions (an edit right); refused with the reason.
    Status mayAddVersion() const;
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
    // The word lists as `edit` leaves them, read and written in one change:
    // two depots adding a word at once both keep theirs. Written only when
    // `edit` changed them.
    Status editWords(const std::function<Status(SetWords&)>& edit);

    Status addSign(const VehicleSign& sign);
    // A sign carrying the revision it was read at (`sign.revision` > 0) is
    // refused when the row has changed since, as a destination is.
    Status updateSign(const QString& name, const VehicleSign& sign);
    // Removes the sign and its overrides.
    Status removeSign(const QString& name, qint64 readRevision = 0);

    // Stores the override of `image.code` on `image.sign`, replacing one
    // there; the image must fit the sign. With `readRevision` the override
    // must still be as it was read: at that revision, or absent for 0.
    Status storeOverride(const SignOverride& image, std::optional<qint64> readRevision = std::nullopt);
    Status removeOverride(const QString& code, const QString& sign,
                          std::optional<qint64> readRevision = std::nullopt);

private:
    // The copy and the merge work on the tables of two sets at once.
    friend class SetCopy;
    friend class SetMerge;

    struct Connection;
    DestinationSet(QString path, std::unique_ptr<Connection> connection);

    // A new set's tables made and `fill` run in one transaction: the file
    // appears whole or not at all, the server's schema with its rows or not
    // at all. Fails with the bare reason.
    using Fill = std::function<Status(QSqlDatabase&)>;
    static Status makeFile(const QString& path, const Fill& fill);
    static Status makeServer(const ServerAddress& address, const Fill& fill);
    static Status insertSigns(QSqlDatabase& db, const std::vector<VehicleSign>& signs);
    QSqlDatabase database() const;
    // One change made of `body`, for the merge.
    Status changeWith(const Fill& body);

    static Expected<std::unique_ptr<DestinationSet>> openFile(const QString& path, Access access);
    static Expected<std::unique_ptr<DestinationSet>> openServer(const ServerAddress& address, Access access);
    // An older set file brought up to this version; a read-only opening
    // brings up a copy, which `connection` then reads. Fails with the bare
    // reason.
    static Status bringFileUp(std::unique_ptr<Connection>& connection, const QString& path, bool readOnly,
                              qint64 version);
    static Expected<std::unique_ptr<DestinationSet>> createServer(const QString& address,
                                                                  const std::vector<VehicleSign>& signs);

    // `code`: the destination the change is about, for the notice.
    template <class Body>
    Status change(Body body, const QString& code = {});
    static StepHook& stepHook();
    // What change() is making, for the step hook.
    const char* step_ = "change";
    struct NamedStep {
        NamedStep(const char*& at, const char* name) : at_(at), was_(at) { at_ = name; }
        ~NamedStep() { at_ = was_; }
        NamedStep(const NamedStep&) = delete;
        NamedStep& operator=(const NamedStep&) = delete;
        const char*& at_;
        const char* was_;
    };
    QString changeError(const QString& reason) const;
    ChangeStamp stamp() const;
    // Refuses an edit of row `id` read at `readRevision` that is no longer
    // its revision.
    Status fresh(const QSqlDatabase& db, qint64 id, qint64 readRevision);
    Status freshOverride(const QSqlDatabase& db, const SignOverride& image, qint64 destinationId, qint64 signId,
                         std::optional<qint64> readRevision);

    QString path_;
    SetAddress address_;
    bool readOnly_ = false;
    bool idOfCopy_ = false;
    QString readOnlyReason_;
    QString serverSetName_;
    std::unique_ptr<QLockFile> lock_;
    std::unique_ptr<Connection> connection_;
    std::optional<StaleEdit> stale_;
    quint64 changes_ = 0;
};

} // namespace vexel
