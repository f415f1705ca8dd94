#include "session/DestinationsSession.h"

#include "session/ShownWords.h"

#include "sets/SetContents.h"

#include "sets/OpenSets.h"
#include "store/ServerAddress.h"

#include "session/SetSend.h"

#include "depot/Romanization.h"
#include "store/SetSchema.h"
#include "document/ImageFile.h"
#include "session/DestinationsModel.h"
#include "session/OverrideFiles.h"
#include "session/SetWatch.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSortFilterProxyModel>
#include <QStandardPaths>

#include <algorithm>
#include <set>

namespace vexel {

namespace {

QString canonical(const QString& path)
{
    if (ServerAddress::isServer(path)) {
        const Expected<ServerAddress> address = ServerAddress::parse(path, ServerAddress::SetName::Required);
        return address ? address->shown() : path;
    }
    const QFileInfo info(path);
    const QString real = info.canonicalFilePath();
    return real.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : real;
}

} // namespace

Expected<std::unique_ptr<DestinationsSession>> DestinationsSession::open(const QString& path, FontList& fonts)
{
    Expected<std::shared_ptr<DestinationSet>> set = OpenSets::open(path, DestinationSet::Access::EditOrRead);
    if (!set)
        return set.status();
    std::unique_ptr<DestinationsSession> session(new DestinationsSession(std::move(set).value(), fonts));
    const Status read = session->reload();
    if (!read)
        return read;
    if (session->set().onServer())
        session->watch(path);
    return session;
}

DestinationsSession::DestinationsSession(std::shared_ptr<DestinationSet> set, FontList& fonts)
    : set_(std::move(set)), lettering_(fonts), fonts_(fonts)
{
    Expected<LegibilityRules> rules = LegibilityRules::find(QString::fromLatin1(LegibilityRules::DefaultName));
    if (rules)
        audit_.emplace(std::move(rules).value(), fonts);
    else
        ofSigns_ << rules.error();
    signFindings_ = ofSigns_;
    model_ = new DestinationsModel(*this);
    model_->setParent(this);
    proxy_ = new QSortFilterProxyModel(this);
    proxy_->setSourceModel(model_);
    proxy_->setFilterCaseSensitivity(Qt::CaseInsensitive);
    proxy_->setSortCaseSensitivity(Qt::CaseInsensitive);
    proxy_->setFilterKeyColumn(-1);
    proxy_->setSortRole(Qt::DisplayRole);
}

DestinationsSession::~DestinationsSession() = default;

Status DestinationsSession::catchUp()
{
    if (set_->changeCount() == seenChanges_ || !lost_.isEmpty())
        return Status::success();
    seenChanges_ = set_->changeCount();
    return refresh(true);
}

Status DestinationsSession::reload()
{
    Expected<SetContents> contents = SetContents::read(*set_);
    if (!contents)
        return noted(contents.status());
    reloadFrom(std::move(contents).value());
    return Status::success();
}

void DestinationsSession::reloadFrom(SetContents contents)
{
    seenChanges_ = set_->changeCount();
    words_ = contents.words;
    // The set's abbreviations shorten a text only where it fits no other way.
    contents.prepare(lettering_);
    model_->beginReset();
    destinations_ = std::move(contents.destinations);
    signs_ = std::move(contents.signs);
    overrides_ = byPlace(std::move(contents.overrides));
    images_.assign(destinations_.size(), {});
    findings_.assign(destinations_.size(), {});
    allFindings_.assign(destinations_.size(), {});
    if (audit_) {
        ofSigns_.clear();
        for (const VehicleSign& sign : signs_)
            for (const LegibilityFinding& f : audit_->checkSign(sign))
                ofSigns_ << f.line();
    }
    for (std::size_t row = 0; row < destinations_.size(); ++row)
        reletter(static_cast<int>(row));
    regroup();
    model_->endReset();
    emit reloaded();
}

void DestinationsSession::watch(const QString& address)
{
    address_ = address;
    watch_ = new SetWatch(set_->address().server(), this);
    // Work nobody asked for reports a lost server in the status only.
    auto report = [this](const Status& read) {
        if (!read && lost_.isEmpty())
            emit error(read.error());
    };
    connect(watch_, &SetWatch::changed, this,
            [this, report](const QStringList&, bool wholeSet) { report(refresh(wholeSet)); });
    connect(watch_, &SetWatch::lost, this, [this](const QString& reason) { markLost(reason); });
    connect(watch_, &SetWatch::back, this,
            [this, report] { report(lost_.isEmpty() ? refresh(true) : reconnect()); });
}

void DestinationsSession::markLost(const QString& reason)
{
    if (!lost_.isEmpty())
        return;
    lost_ = reason.isEmpty() ? QCoreApplication::translate("DestinationsSession", "the server does not answer") : reason;
    emit connectionChanged();
}

Status DestinationsSession::noted(const Status& failed)
{
    if (failed || !set_->onServer() || !lost_.isEmpty() || set_->reachable())
        return failed;
    markLost(failed.error());
    return Status::failure(failed.error() +
                           "; the connection to the server is lost, and the next action connects again");
}

Status DestinationsSession::reconnect()
{
    if (address_.isEmpty())
        return reload();
    const Status again = set_->reconnect();
    if (!again)
        return Status::failure(QCoreApplication::translate("DestinationsSession", "Not connected to the server again: %1").arg(again.error()));
    const bool wasLost = !lost_.isEmpty();
    lost_.clear();
    const Status read = reload();
    if (!read)
        return read;
    if (wasLost)
        emit connectionChanged();
    if (watch_ && !watch_->listening())
        watch_->check();
    return read;
}

Expected<bool> DestinationsSession::ensureConnected()
{
    if (lost_.isEmpty())
        return false;
    const Status again = reconnect();
    if (!again)
        return again;
    return true;
}

Status DestinationsSession::refresh(bool wholeSet)
{
    if (!lost_.isEmpty())
        return Status::failure(lost_);
    Expected<SetContents> contents = SetContents::read(*set_);
    if (!contents)
        return noted(contents.status());
    if (wholeSet && !letteredAlike(*contents)) {
        reloadFrom(std::move(contents).value());
        return Status::success();
    }
    // Destinations whose hand-made images changed are lettered again too.
    const std::set<QString> imagesChanged = takeOverrides(byPlace(std::move(contents->overrides)));
    QStringList changed = removeGoneRows(contents->destinations);
    changed << takeRows(contents->destinations, imagesChanged);
    if (!changed.isEmpty())
        emit changedElsewhere(changed);
    return Status::success();
}

bool DestinationsSession::letteredAlike(const SetContents& contents) const
{
    const bool sameSigns = std::equal(contents.signs.begin(), contents.signs.end(), signs_.begin(), signs_.end(),
                                      [](const VehicleSign& a, const VehicleSign& b) {
                                          return a == b && a.revision == b.revision;
                                      });
    return sameSigns && contents.words == words_;
}

std::set<QString> DestinationsSession::takeOverrides(Overrides next)
{
    std::set<QString> changed;
    for (const auto& [at, o] : next) {
        const auto was = overrides_.find(at);
        if (was == overrides_.end() || was->second.revision != o.revision || !(was->second.image == o.image))
            changed.insert(SetSchema::key(o.code));
    }
    for (const auto& [at, o] : overrides_)
        if (!next.count(at))
            changed.insert(SetSchema::key(o.code));
    overrides_ = std::move(next);
    return changed;
}

QStringList DestinationsSession::removeGoneRows(const std::vector<Destination>& fresh)
{
    QStringList gone;
    std::set<QString> freshKeys;
    for (const Destination& d : fresh)
        freshKeys.insert(SetSchema::key(d.code));
    for (int row = static_cast<int>(destinations_.size()) - 1; row >= 0; --row) {
        const auto r = static_cast<std::size_t>(row);
        if (freshKeys.count(SetSchema::key(destinations_[r].code)))
            continue;
        gone.prepend(destinations_[r].code);
        model_->beginRemove(row);
        destinations_.erase(destinations_.begin() + row);
        images_.erase(images_.begin() + row);
        findings_.erase(findings_.begin() + row);
        allFindings_.erase(allFindings_.begin() + row);
        grouped_ = false;
        model_->endRemove();
    }
    return gone;
}

QStringList DestinationsSession::takeRows(const std::vector<Destination>& fresh,
                                          const std::set<QString>& imagesChanged)
{
    QStringList changed;
    std::map<QString, int> rowByKey;
    for (std::size_t row = 0; row < destinations_.size(); ++row)
        rowByKey[SetSchema::key(destinations_[row].code)] = static_cast<int>(row);
    for (const Destination& d : fresh) {
        const QString key = SetSchema::key(d.code);
        const auto found = rowByKey.find(key);
        if (found == rowByKey.end()) {
            const int row = static_cast<int>(destinations_.size());
            model_->beginInsert(row);
            destinations_.push_back(d);
            images_.emplace_back();
            findings_.emplace_back();
            allFindings_.emplace_back();
            reletter(row);
            model_->endInsert();
            emit rowsRelettered(row, row);
            changed << d.code;
            continue;
        }
        const int row = found->second;
        Destination& mine = destinations_[static_cast<std::size_t>(row)];
        if (mine == d && mine.revision == d.revision && !imagesChanged.count(key))
            continue;
        mine = d;
        reletter(row);
        // The whole row at once: a view keeps an open editor's text unless
        // its one cell alone is said to have changed.
        model_->relettered(row, row);
        emit rowsRelettered(row, row);
        changed << d.code;
    }
    return changed;
}

Status DestinationsSession::refusedEdit(int row, const Status& refused)
{
    if (!set_->staleEdit())
        return noted(refused);
    const QString message = set_->staleEdit()->message();
    const Status reloaded = reloadRow(row);
    if (!reloaded)
        return Status::failure(message + "; reading it again failed: " + reloaded.error());
    return Status::failure(message + "; it has been reloaded");
}

Status DestinationsSession::reloadRow(int row)
{
    const Expected<std::vector<Destination>> fresh = set_->destinations();
    if (!fresh)
        return noted(fresh.status());
    const QString key = destinations_[static_cast<std::size_t>(row)].code.toLower();
    const auto found = std::find_if(fresh->begin(), fresh->end(),
                                    [&](const Destination& d) { return d.code.toLower() == key; });
    if (found == fresh->end())
        return reload();
    destinations_[static_cast<std::size_t>(row)] = *found;
    const Status overrides = reloadOverrides();
    reletter(row);
    model_->relettered(row, row);
    emit rowsRelettered(row, row);
    return overrides;
}

Expected<std::vector<HistoryEntry>> DestinationsSession::history(int row) const
{
    if (row < 0 || row >= static_cast<int>(destinations_.size()))
        return Status::failure("no such destination");
    return set_->history(destinations_[static_cast<std::size_t>(row)].code);
}

DestinationsSession::Overrides DestinationsSession::byPlace(std::vector<SignOverride> list)
{
    Overrides out;
    for (SignOverride& o : list)
        out[{o.code, o.sign}] = std::move(o);
    return out;
}

Status DestinationsSession::reloadOverrides()
{
    overrides_.clear();
    Expected<std::vector<SignOverride>> overrides = set_->overrides();
    if (!overrides)
        return overrides.status();
    overrides_ = byPlace(std::move(overrides).value());
    return Status::success();
}

const SignOverride* DestinationsSession::overrideOf(const QString& code, const QString& sign) const
{
    const auto found = overrides_.find({code, sign});
    return found == overrides_.end() ? nullptr : &found->second;
}

// Many rows that miss a rule for one cause (a face, the sign's layout) say
// it once, beside what is said of the signs; each row keeps what is its own.
bool DestinationsSession::regroupCauses() const
{
    const std::set<QString> before = sharedCauses_;
    regroup();
    return sharedCauses_ != before;
}

void DestinationsSession::regroup() const
{
    if (grouped_)
        return;
    grouped_ = true;
    signFindings_ = ofSigns_;
    sharedCauses_.clear();
    groupShared(allFindings_);
}

void DestinationsSession::groupShared(const std::vector<std::vector<LegibilityFinding>>& byRow) const
{
    std::vector<LegibilityFinding> all;
    for (const std::vector<LegibilityFinding>& row : byRow)
        all.insert(all.end(), row.begin(), row.end());
    for (const LegibilityGroup& g : LegibilityGroup::group(all))
        if (g.count > 1) {
            sharedCauses_.insert(LegibilityGroup::causeOf(g.first));
            signFindings_ << g.line();
        }
    for (std::size_t row = 0; row < byRow.size(); ++row) {
        QStringList& found = findings_[row];
        found.clear();
        for (const LegibilityFinding& f : byRow[row])
            if (!sharedCauses_.count(LegibilityGroup::causeOf(f)))
                found << f.line();
    }
}

std::vector<LegibilityFinding> DestinationsSession::reletter(int row)
{
    const Destination& d = destinations_[static_cast<std::size_t>(row)];
    const std::vector<SignImage>& images = images_[static_cast<std::size_t>(row)] = letterDraft(d);
    std::vector<LegibilityFinding>& all = allFindings_[static_cast<std::size_t>(row)];
    all.clear();
    grouped_ = false;
    if (!audit_)
        return all;
    for (std::size_t s = 0; s < signs_.size() && s < images.size(); ++s)
        for (const LegibilityFinding& f : audit_->check(signs_[s], d, images[s]))
            all.push_back(f);
    return all;
}

const SignImage* DestinationsSession::lettered(const SetContents& contents, const VehicleSign& sign,
                                               const Destination& destination) const
{
    if (!(contents.words == words_))
        return nullptr;
    const int row = rowOf(destination.code);
    if (row < 0 || !(destinations_[static_cast<std::size_t>(row)] == destination))
        return nullptr;
    const auto held = std::find(signs_.begin(), signs_.end(), sign);
    const std::vector<SignImage>& images = images_[static_cast<std::size_t>(row)];
    const auto s = static_cast<std::size_t>(held - signs_.begin());
    if (held == signs_.end() || s >= images.size())
        return nullptr;
    // The image made by hand it was lettered with must be the one stored now.
    const SignOverride* mine = overrideOf(destination.code, sign.name);
    const SignOverride* stored = contents.byHand(destination.code, sign.name);
    if ((mine == nullptr) != (stored == nullptr))
        return nullptr;
    if (mine && (mine->image.text() != stored->image.text() || !(mine->madeFrom == stored->madeFrom)))
        return nullptr;
    return &images[s];
}

std::vector<SignImage> DestinationsSession::letterDraft(const Destination& draft) const
{
    std::vector<SignImage> out;
    out.reserve(signs_.size());
    for (const VehicleSign& sign : signs_)
        out.push_back(lettering_.letter(sign, draft, overrideOf(draft.code, sign.name)));
    return out;
}

int DestinationsSession::rowOf(const QString& code) const
{
    for (std::size_t i = 0; i < destinations_.size(); ++i)
        if (destinations_[i].code == code)
            return static_cast<int>(i);
    return -1;
}

int DestinationsSession::unfitCount() const
{
    int count = 0;
    for (const auto& row : images_)
        count += std::any_of(row.begin(), row.end(), [](const SignImage& i) { return !i.fit.fits; }) ? 1 : 0;
    return count;
}

void DestinationsSession::setFilterText(const QString& text)
{
    proxy_->setFilterFixedString(text);
}

Status DestinationsSession::update(int row, const Destination& d)
{
    if (row < 0 || row >= static_cast<int>(destinations_.size()))
        return Status::failure("no such destination");
    const Destination old = destinations_[static_cast<std::size_t>(row)];
    if (old == d)
        return Status::success();
    // The edit was made from the rows read before: it keeps their revision,
    // so a row changed meanwhile is refused as any stale edit is.
    const Expected<bool> renewed = ensureConnected();
    if (!renewed)
        return renewed.status();
    if (*renewed) {
        row = rowOf(old.code);
        if (row < 0)
            return Status::failure(
                QStringLiteral("%1 is no longer in the set; it was removed elsewhere").arg(old.code));
    }
    Destination next = d;
    next.revision = old.revision;
    const Status changed = set_->updateDestination(old.code, next);
    if (!changed)
        return refusedEdit(row, changed);
    if (next.revision > 0)
        ++next.revision;
    destinations_[static_cast<std::size_t>(row)] = next;
    if (old.code != d.code) {
        // The set keeps the overrides with the destination under its new code.
        const Status read = reloadOverrides();
        if (!read)
            return read;
    }
    reletter(row);
    model_->relettered(row, row);
    emit rowsRelettered(row, row);
    return Status::success();
}

Status DestinationsSession::add(const Destination& d)
{
    const Expected<bool> renewed = ensureConnected();
    if (!renewed)
        return renewed.status();
    const Status added = set_->addDestination(d);
    if (!added)
        return noted(added);
    const int row = static_cast<int>(destinations_.size());
    model_->beginInsert(row);
    destinations_.push_back(d);
    destinations_.back().revision = 1; // a new row's first revision
    images_.emplace_back();
    findings_.emplace_back();
    allFindings_.emplace_back();
    reletter(row);
    model_->endInsert();
    emit rowsRelettered(row, row);
    return Status::success();
}

Expected<int> DestinationsSession::add()
{
    Destination d;
    QString code = QStringLiteral("new");
    for (int n = 2; rowOf(code) >= 0; ++n)
        code = QStringLiteral("new%1").arg(n);
    d.code = code;
    d.destinationEn = QStringLiteral("New destination");
    const Status added = add(d);
    if (!added)
        return added;
    return static_cast<int>(destinations_.size()) - 1;
}

Status DestinationsSession::remove(int row)
{
    if (row < 0 || row >= static_cast<int>(destinations_.size()))
        return Status::failure("no such destination");
    const Destination old = destinations_[static_cast<std::size_t>(row)];
    const QString code = old.code;
    const Expected<bool> renewed = ensureConnected();
    if (!renewed)
        return renewed.status();
    if (*renewed && (row = rowOf(code)) < 0)
        return Status::success(); // removed elsewhere meanwhile
    const Status removed = set_->removeDestination(code, old.revision);
    if (!removed)
        return refusedEdit(row, removed);
    model_->beginRemove(row);
    destinations_.erase(destinations_.begin() + row);
    images_.erase(images_.begin() + row);
    findings_.erase(findings_.begin() + row);
    allFindings_.erase(allFindings_.begin() + row);
    grouped_ = false;
    for (auto it = overrides_.begin(); it != overrides_.end();)
        it = it->first.first == code ? overrides_.erase(it) : std::next(it);
    model_->endRemove();
    return Status::success();
}

Expected<bool> DestinationsSession::suggestLatin(int row)
{
    if (row < 0 || row >= static_cast<int>(destinations_.size()))
        return Status::failure("no such destination");
    Destination d = destinations_[static_cast<std::size_t>(row)];
    bool changed = false;
    if (d.destinationEn.trimmed().isEmpty() && !d.destinationKa.trimmed().isEmpty()) {
        d.destinationEn = vexel::suggestLatin(d.destinationKa.trimmed());
        d.latinSuggested = true;
        changed = true;
    }
    if (!changed)
        return false;
    const Status stored = update(row, d);
    if (!stored)
        return stored;
    return true;
}

Status DestinationsSession::acceptLatin(int row)
{
    if (row < 0 || row >= static_cast<int>(destinations_.size()))
        return Status::failure("no such destination");
    Destination d = destinations_[static_cast<std::size_t>(row)];
    d.latinSuggested = false;
    return update(row, d);
}

Expected<QString> DestinationsSession::writeOverrideFile(int row, int sign)
{
    if (row < 0 || row >= static_cast<int>(destinations_.size()) || sign < 0 ||
        sign >= static_cast<int>(signs_.size()))
        return Status::failure("no such destination or sign");
    if (set_->readOnly())
        return Status::failure(QStringLiteral("%1 is open read-only: %2")
                                   .arg(QDir::toNativeSeparators(set_->path()), set_->readOnlyReason()));
    const Destination& d = destinations_[static_cast<std::size_t>(row)];
    const VehicleSign& s = signs_[static_cast<std::size_t>(sign)];
    const SignImage& shown = image(row, sign);
    if (!shown.image)
        return Status::failure(QCoreApplication::translate("DestinationsSession", "%1 does not fit the %2 sign, so there "
                                                                                  "is no image to start from: %3")
                                   .arg(d.code, s.name, shownFitStatus(shown.fit.status)));
    const QString path = OverrideFiles::path(set_->path(), s.name, d.code);
    const Status prepared = OverrideFiles::prepare(set_->path());
    if (!prepared)
        return prepared;
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return Status::failure(ImageFile::createError(path, QCoreApplication::translate("DestinationsSession", "its folder cannot be made")));
    const Status written = ImageFile::write(path, *shown.image);
    if (!written)
        return written;
    writtenFrom_[canonical(path)] = d;
    return path;
}

Status DestinationsSession::storeOverrideFile(const QString& sign, const QString& code, const QString& imagePath)
{
    if (set_->readOnly())
        return Status::failure(QStringLiteral("%1 is open read-only (%2); the image is saved but not stored in the set")
                                   .arg(QDir::toNativeSeparators(set_->path()), set_->readOnlyReason()));
    const Expected<bool> renewed = ensureConnected();
    if (!renewed)
        return renewed.status();
    const int row = rowOf(code);
    if (row < 0)
        return Status::failure(QCoreApplication::translate("DestinationsSession", "the set has no destination %1").arg(code));
    Expected<ImageRecord> record = ImageFile::load(imagePath);
    if (!record)
        return record.status();
    SignOverride o;
    o.code = code;
    o.sign = sign;
    o.image = std::move(record).value();
    const auto from = writtenFrom_.find(canonical(imagePath));
    o.madeFrom = from != writtenFrom_.end() ? from->second : destinations_[static_cast<std::size_t>(row)];
    // Stored over the image as this session last read it, or over none.
    const SignOverride* was = overrideOf(code, sign);
    const qint64 readRevision = was ? was->revision : 0;
    const Status stored = set_->storeOverride(o, readRevision);
    if (!stored)
        return refusedEdit(row, stored);
    o.revision = readRevision + 1;
    overrides_[{code, sign}] = std::move(o);
    reletter(row);
    model_->relettered(row, row);
    emit rowsRelettered(row, row);
    return Status::success();
}

Status DestinationsSession::removeOverride(int row, int sign)
{
    if (row < 0 || row >= static_cast<int>(destinations_.size()) || sign < 0 ||
        sign >= static_cast<int>(signs_.size()))
        return Status::failure("no such destination or sign");
    const QString code = destinations_[static_cast<std::size_t>(row)].code;
    const QString name = signs_[static_cast<std::size_t>(sign)].name;
    const SignOverride* was = overrideOf(code, name);
    const Expected<bool> renewed = ensureConnected();
    if (!renewed)
        return renewed.status();
    if (*renewed && (row = rowOf(code)) < 0)
        return Status::failure(QStringLiteral("%1 was removed elsewhere").arg(code));
    const Status removed = set_->removeOverride(code, name, was ? was->revision : 0);
    if (!removed)
        return refusedEdit(row, removed);
    overrides_.erase({code, name});
    reletter(row);
    model_->relettered(row, row);
    emit rowsRelettered(row, row);
    return Status::success();
}

Expected<SetCsv::Import> DestinationsSession::importCsv(const QString& path)
{
    const Expected<bool> renewed = ensureConnected();
    if (!renewed)
        return renewed.status();
    Expected<SetCsv::Import> imported = SetCsv::importFile(*set_, path);
    const Status read = reload();
    if (imported && !read)
        return read;
    return imported;
}

Status DestinationsSession::exportCsv(const QString& path) const { return SetCsv::exportFile(*set_, path); }

QString DestinationsSession::defaultReleaseFolder() const
{
    // A server set has no folder of its own; its address is no file name.
    if (set_->onServer()) {
        QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (documents.isEmpty())
            documents = QDir::homePath();
        return QDir::cleanPath(documents) + QLatin1Char('/') + set_->serverSetName() + QStringLiteral(" release");
    }
    const QFileInfo info(set_->path());
    return info.absolutePath() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral(" release");
}

Expected<ReleaseReport> DestinationsSession::release(const QString& folder, const ReleaseOptions& options,
                                                     const std::function<bool(int, int)>& progress)
{
    const Expected<bool> renewed = ensureConnected();
    if (!renewed)
        return renewed.status();
    // The images are lettered already; the release letters only what changed
    // in the set since they were.
    const LetteredImages held = [this](const SetContents& contents, const VehicleSign& sign,
                                       const Destination& destination) {
        return lettered(contents, sign, destination);
    };
    Expected<ReleaseReport> report = SetRelease::release(*set_, fonts_, folder, options, progress, held);
    if (report) {
        releaseFolder_ = folder;
        releaseSheets_ = options.sheets;
    }
    return report;
}

QString DestinationsSession::nextReleaseFolder() const
{
    if (!releaseFolder_.isEmpty())
        return releaseFolder_;
    if (const Expected<std::vector<ReleaseTable::Release>> releases = set_->releases())
        for (auto r = releases->rbegin(); r != releases->rend(); ++r)
            if (!r->folder.isEmpty())
                return r->folder;
    return defaultReleaseFolder();
}

Expected<QString> DestinationsSession::sendingFolder(const QDate& today) const
{
    const Expected<std::vector<ReleaseTable::Release>> releases = set_->releases();
    if (!releases)
        return releases.status();
    if (releases->empty()) {
        if (!releaseFolder_.isEmpty())
            return releaseFolder_;
        return Status::failure(QCoreApplication::translate("DestinationsSession", "The set has not been released yet: release the set first."));
    }
    const ReleaseTable::Release* latest = ReleaseTable::inForce(*releases, today);
    if (!latest)
        return Status::failure(QCoreApplication::translate("DestinationsSession", "No release of the set counts yet: version %1 counts from %2.")
                                   .arg(QString::number(releases->front().number),
                                        releases->front().validFrom.toString(Qt::ISODate)));
    if (latest->folder.isEmpty())
        return Status::failure(
            QCoreApplication::translate("DestinationsSession", "The folder version %1 was released to is not known: release the set again.")
                .arg(latest->number));
    const QString problem = SetSend::releaseProblem(latest->folder, set_->setId(), latest->number, {});
    if (!problem.isEmpty())
        return Status::failure(problem);
    return latest->folder;
}

Expected<QStringList> DestinationsSession::releasedFiles(const QString& sign, const QStringList& codes) const
{
    const Expected<QString> folder = sendingFolder(QDate::currentDate());
    if (!folder)
        return folder.status();
    const QString signFolder = SetRelease::signFolder(*folder, sign);
    if (!QFileInfo(signFolder).isDir())
        return Status::failure(QCoreApplication::translate("DestinationsSession", "the %1 sign was not released (%2 is missing): release the set first")
                                   .arg(sign, QDir::toNativeSeparators(signFolder)));
    // One DATA message carries them all, or none is put on the list.
    const Expected<SignSendList> chosen = SetSend::choose(signFolder, codes);
    if (!chosen)
        return chosen.status();
    QStringList paths;
    for (const QString& entry : chosen->entries)
        paths << chosen->folder + entry;
    return paths;
}

Status DestinationsSession::setWords(const SetWords& words)
{
    if (set_->readOnly())
        return Status::failure(readOnlyReason());
    const Expected<bool> renewed = ensureConnected();
    if (!renewed)
        return renewed.status();
    const Status stored = set_->setWords(words);
    if (!stored)
        return noted(stored);
    // Every destination is lettered again with the new abbreviations.
    return reload();
}

Status DestinationsSession::setWords(const SetWords& read, const SetWords& edited)
{
    if (set_->readOnly())
        return Status::failure(readOnlyReason());
    const Expected<bool> renewed = ensureConnected();
    if (!renewed)
        return renewed.status();
    const Status stored = set_->editWords([&](SetWords& now) {
        now = SetWords::editedOnto(now, read, edited);
        return Status::success();
    });
    if (!stored)
        return noted(stored);
    // Every destination is lettered again with the new abbreviations.
    return reload();
}

} // namespace vexel
