#pragma once

#include "sets/DestinationSet.h"
#include "audit/LegibilityAudit.h"
#include "sets/SetCsv.h"
#include "sets/SetLettering.h"
#include "document/Result.h"
#include "fleet/SetRelease.h"

#include <QDate>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <utility>
#include <vector>

class QSortFilterProxyModel;

namespace vexel {

class DestinationsModel;
class FontList;
class SetWatch;
struct SetContents;

// One destination set open below the Destinations window: the set, its
// destinations and signs as last read, how every destination letters every
// sign, and the use cases the window's commands call. Each change goes to
// the set as one change and then to the lettering of that destination
// only. It shows nothing and asks nothing.
//
// A set on a server is shared: the session hears of changes made elsewhere
// (SetWatch) and reads the rows they touched again; an editor open on a
// cell keeps its text as the rows change around it. When the server stops
// answering the session says so, and the next action connects again.
class DestinationsSession : public QObject {
    Q_OBJECT
public:
    // Opens the set for editing, or read-only with the reason when another
    // editor has it; a set another window of the program has open is shared
    // with it (OpenSets).
    static Expected<std::unique_ptr<DestinationsSession>> open(const QString& path, FontList& fonts);
    ~DestinationsSession() override;

    DestinationSet& set() { return *set_; }
    const DestinationSet& set() const { return *set_; }
    // The set, for a window that works on it beside this session and must
    // keep it open as long as it does.
    const std::shared_ptr<DestinationSet>& sharedSet() const { return set_; }
    bool readOnly() const { return set_->readOnly(); }
    QString readOnlyReason() const { return set_->readOnlyReason(); }

    const std::vector<Destination>& destinations() const { return destinations_; }
    const std::vector<VehicleSign>& signs() const { return signs_; }
    int rowOf(const QString& code) const;
    // How destination `row` letters sign `sign` (an index into signs()).
    const SignImage& image(int row, int sign) const { return images_[static_cast<std::size_t>(row)][static_cast<std::size_t>(sign)]; }
    const SignOverride* overrideOf(const QString& code, const QString& sign) const;
    // The legibility findings of destination `row` on every sign, one line
    // each (LegibilityFinding::line), by the default rules; a cause many
    // rows share is said once in signFindings() instead.
    const QStringList& findings(int row) const
    {
        regroup();
        return findings_[static_cast<std::size_t>(row)];
    }
    // What the rules find of the signs themselves, once each, and the causes
    // many rows share, once each with their count; or why the rules could
    // not be read.
    const QStringList& signFindings() const
    {
        regroup();
        return signFindings_;
    }
    // Groups the findings again if a row changed since; whether a cause
    // became shared or stopped being, so other rows' findings changed too.
    bool regroupCauses() const;
    QString rulesName() const { return audit_ ? audit_->rules().name : QString(); }
    // Rows with a sign they do not fit.
    int unfitCount() const;

    // The image held for `destination` on `sign` when it was lettered from
    // exactly what `contents` (the set as read now) holds for them: texts,
    // sign, image made by hand and word lists; else null. What a release
    // takes instead of lettering again.
    const SignImage* lettered(const SetContents& contents, const VehicleSign& sign,
                              const Destination& destination) const;

    // Every sign lettered for a destination as typed, not yet stored (the
    // preview while the operator types); the stored overrides count.
    std::vector<SignImage> letterDraft(const Destination& draft) const;

    DestinationsModel& model() { return *model_; }
    // The model sorted and filtered by text in any column.
    QSortFilterProxyModel& sorted() { return *proxy_; }
    void setFilterText(const QString& text);

    // ---- changes: each one change of the set, then the rows relettered
    Status update(int row, const Destination& d);
    // A new destination with a free code and a placeholder name; its row.
    Expected<int> add();
    Status add(const Destination& d);
    Status remove(int row);
    // The Latin destination from the Georgian one, marked as a suggestion,
    // where the Latin is empty; whether anything changed. The via stops have
    // no such mark, so they are left to the operator.
    Expected<bool> suggestLatin(int row);
    // The suggestion taken as the operator's own.
    Status acceptLatin(int row);

    // ---- images made by hand
    // Writes destination `row`'s image for sign `sign` (its override, else
    // the lettered one) as OverrideFiles::path and returns that path.
    Expected<QString> writeOverrideFile(int row, int sign);
    // The image file at that path stored as the override, made from the
    // texts the destination had when its file was written (its present
    // texts when this session did not write it).
    Status storeOverrideFile(const QString& sign, const QString& code, const QString& imagePath);
    Status removeOverride(int row, int sign);

    // ---- the route list
    Expected<SetCsv::Import> importCsv(const QString& path);
    Status exportCsv(const QString& path) const;

    // ---- the word lists
    Expected<SetWords> words() const { return set_->words(); }
    // The set's word lists replaced as one change.
    Status setWords(const SetWords& words);
    // The lists someone read as `read` and left as `edited`: the lists they
    // changed are stored as they left them, the others stay as they are now.
    Status setWords(const SetWords& read, const SetWords& edited);

    // ---- release
    // Where a set never released goes unless the operator says otherwise:
    // "<set> release" beside the set file.
    QString defaultReleaseFolder() const;
    // Where the next release goes unless the operator says otherwise: the
    // folder of the last release (this session's, else the one the set
    // recorded with its latest version), else the default folder.
    QString nextReleaseFolder() const;
    Expected<ReleaseReport> release(const QString& folder, const ReleaseOptions& options,
                                    const std::function<bool(int, int)>& progress = {});
    // The folder of the last release made in this session, empty before.
    const QString& releaseFolder() const { return releaseFolder_; }
    void setReleaseFolder(const QString& folder) { releaseFolder_ = folder; }
    // The proof sheets' format of the last release made in this session,
    // which the next one proposes; PNG before.
    SheetFormat releaseSheets() const { return releaseSheets_; }
    // The release to send from, as the Fleet window finds it: the folder of
    // the set's release in force today, checked to hold that release; for
    // a set that keeps no versions, this session's release. Never a folder
    // no release went to.
    Expected<QString> sendingFolder(const QDate& today) const;
    // The released files of `codes` on sign `sign`, in the order given, from
    // sendingFolder(); fails naming the first that is not there.
    Expected<QStringList> releasedFiles(const QString& sign, const QStringList& codes) const;

    // Everything read from the set again.
    Status reload();
    // The rows read again when the set was changed through another window
    // that shares it (a GTFS import, a restore) since this session last looked.
    Status catchUp();
    // The rows changed elsewhere read again: those that differ are updated
    // in place, new ones added at the end, gone ones removed; a change of
    // the signs or the word lists (`wholeSet`) reads everything again.
    Status refresh(bool wholeSet = true);

    // ---- the server
    // Listening for changes made elsewhere; null for a file.
    SetWatch* watch() const { return watch_; }
    // Why the server cannot be reached; empty while it can.
    const QString& connectionProblem() const { return lost_; }
    // The connection made again and the set read again.
    Status reconnect();
    // What was changed in the destination of `row`, newest first: when, from
    // which station, by which database user.
    Expected<std::vector<HistoryEntry>> history(int row) const;

signals:
    // Rows were lettered again (first..last) or everything was (reset).
    void rowsRelettered(int first, int last);
    void reloaded();
    // Rows read again because they were changed elsewhere, by code.
    void changedElsewhere(const QStringList& codes);
    // The server went away or came back (connectionProblem()).
    void connectionChanged();
    // A failure of work done along the way (a model edit refused).
    void error(const QString& message);

private:
    DestinationsSession(std::shared_ptr<DestinationSet> set, FontList& fonts);
    using Overrides = std::map<std::pair<QString, QString>, SignOverride>; // by (code, sign)
    static Overrides byPlace(std::vector<SignOverride> list);
    // Letters and audits the row again; returns every finding of it, those
    // of a shared cause included.
    std::vector<LegibilityFinding> reletter(int row);
    // Everything as read now: the rows replaced and every one lettered again.
    void reloadFrom(SetContents contents);
    // Whether the set letters as it did when last read: the same signs at
    // the same revisions and the same word lists.
    bool letteredAlike(const SetContents& contents) const;
    // The images made by hand replaced; the keys of the codes whose images
    // changed or went.
    std::set<QString> takeOverrides(Overrides next);
    // Rows of destinations no longer in the set removed; their codes.
    QStringList removeGoneRows(const std::vector<Destination>& fresh);
    // New destinations added at the end and changed ones (or ones with new
    // images made by hand) updated in place, each lettered again; their codes.
    QStringList takeRows(const std::vector<Destination>& fresh, const std::set<QString>& imagesChanged);
    Status reloadOverrides();
    // An edit refused because someone else changed the row since it was
    // read: the row is read again and the refusal says so.
    Status refusedEdit(int row, const Status& refused);
    Status reloadRow(int row);
    void watch(const QString& address);
    // Connects again when the connection was lost; true when it did, and
    // every row was read again.
    Expected<bool> ensureConnected();
    // A failure that left the server unreachable is said to be one.
    Status noted(const Status& failed);
    void markLost(const QString& reason);

    std::shared_ptr<DestinationSet> set_;
    SetLettering lettering_;
    std::vector<Destination> destinations_;
    std::vector<VehicleSign> signs_;
    SetWords words_;
    Overrides overrides_;
    std::vector<std::vector<SignImage>> images_;
    std::optional<LegibilityAudit> audit_;
    // Every finding of each row, those of a shared cause included; what
    // the rows and the header show is grouped from these.
    std::vector<std::vector<LegibilityFinding>> allFindings_; // by row
    QStringList ofSigns_; // what is found of the signs themselves
    // Grouped again from allFindings_ when next asked after a row changed,
    // so a header's counts follow edits, added and removed rows.
    mutable bool grouped_ = true;
    mutable std::vector<QStringList> findings_; // by row
    mutable QStringList signFindings_;
    // The causes many rows share, said once in signFindings_ and left out
    // of the rows (LegibilityGroup::causeOf).
    mutable std::set<QString> sharedCauses_;
    void regroup() const;
    void groupShared(const std::vector<std::vector<LegibilityFinding>>& byRow) const;
    // The texts each override file was written from, by its path.
    std::map<QString, Destination> writtenFrom_;
    QString releaseFolder_;
    SheetFormat releaseSheets_ = SheetFormat::Png;
    DestinationsModel* model_ = nullptr;
    QSortFilterProxyModel* proxy_ = nullptr;
    FontList& fonts_;
    // The address as given: a password in it is needed to connect again.
    QString address_;
    SetWatch* watch_ = nullptr;
    QString lost_;
    quint64 seenChanges_ = 0; // the set's changeCount() when last read
};

} // namespace vexel
