#include "session/GtfsImportSession.h"

#include "store/SetSchema.h"

#include <algorithm>
#include <map>

namespace vexel {

namespace {

QString rowKey(GtfsImportSession::Kind kind, const QString& code)
{
    return QString::number(static_cast<int>(kind)) + QLatin1Char(':') + code;
}

} // namespace

Status GtfsImportSession::read(const DestinationSet& set, const QString& feedPath, const GtfsOptions& options)
{
    const Expected<SetWords> words = set.words();
    if (!words)
        return words.status();
    GtfsOptions withWords = options;
    if (const QString fault = withWords.takeSetWords(*words); !fault.isEmpty())
        return Status::failure(fault);
    Expected<GtfsImportResult> feed = GtfsImport::read(feedPath, withWords);
    if (!feed)
        return feed.status();
    newVariantSuffix_ = withWords.newVariantRule(*words) ? withWords.words.variantSuffix : QString();
    std::optional<GtfsImportResult> earlier = std::move(feed_);
    std::vector<Row> earlierRows = std::move(rows_);
    DestinationDiff earlierDiff = std::move(diff_);
    feed_ = std::move(feed).value();
    rows_.clear(); // a new feed: every row ticked again
    const Status compared = compare(set);
    if (!compared) {
        feed_ = std::move(earlier);
        rows_ = std::move(earlierRows);
        diff_ = std::move(earlierDiff);
    }
    return compared;
}

bool GtfsImportSession::Row::hasOwnTick() const
{
    return kind != Kind::Changed || std::any_of(texts.begin(), texts.end(), [](const TextChange& t) { return !t.held; });
}

Status GtfsImportSession::compare(const DestinationSet& set)
{
    if (!feed_)
        return Status::failure("no feed has been read");
    const Expected<std::vector<Destination>> current = set.destinations();
    if (!current)
        return current.status();
    Expected<ImportMemory::Texts> memory = set.importMemory();
    if (!memory)
        return memory.status();
    memory_ = std::move(memory).value();
    std::map<QString, const Row*> earlier;
    for (const Row& r : rows_)
        earlier.emplace(rowKey(r.kind, r.code), &r);
    const auto tick = [&](Row& r) {
        const auto was = earlier.find(rowKey(r.kind, r.code));
        r.ticked = was != earlier.end() ? was->second->ticked : r.hasOwnTick();
        if (was != earlier.end())
            r.heldTaken = was->second->heldTaken;
    };

    diff_ = diffDestinations(*current, feed_->destinations,
                             DiffContext{&memory_, &feed_->scripts, &feed_->notes, &feed_->scope});
    std::vector<Row> rows;
    for (const Destination& d : diff_.added) {
        rows.push_back({Kind::Added, d.code, {}, d, {}, true, {}, {}});
        for (const auto& [at, note] : diff_.addedNotes)
            if (at.first == SetSchema::key(d.code))
                rows.back().notes[at.second] = note;
    }
    for (const DestinationChange& c : diff_.changed)
        rows.push_back({Kind::Changed, c.after.code, c.before, c.after, c.texts, true, {}, {}});
    for (const Destination& d : diff_.removed)
        rows.push_back({Kind::Removed, d.code, d, {}, {}, true, {}, {}});
    for (Row& r : rows)
        tick(r);
    rows_ = std::move(rows);
    return Status::success();
}

void GtfsImportSession::setTicked(std::size_t row, bool ticked)
{
    if (row < rows_.size())
        rows_[row].ticked = ticked;
}

void GtfsImportSession::setHeldTaken(std::size_t row, const QString& field, bool taken)
{
    if (row >= rows_.size())
        return;
    if (taken)
        rows_[row].heldTaken.insert(field);
    else
        rows_[row].heldTaken.remove(field);
}

int GtfsImportSession::tickedCount() const
{
    int n = 0;
    for (const Row& r : rows_)
        n += (r.ticked && r.hasOwnTick() ? 1 : 0) + static_cast<int>(r.heldTaken.size());
    return n;
}

DiffSelection GtfsImportSession::selection() const
{
    QSet<QString> accepted;
    QSet<QString> held;
    for (const Row& r : rows_) {
        if (r.ticked && r.hasOwnTick())
            accepted.insert(r.code);
        for (const QString& field : r.heldTaken)
            held.insert(heldKey(r.code, field));
    }
    return selectDiff(diff_, accepted, held);
}

Expected<DestinationSet::MergeReport> GtfsImportSession::apply(DestinationSet& set)
{
    if (!feed_)
        return Expected<DestinationSet::MergeReport>::failure("no feed has been read");
    const DiffSelection chosen = selection();
    Expected<DestinationSet::MergeReport> done =
        set.apply(chosen.incoming, chosen.removed, feed_->feedVersion, chosen.imported, feed_->keepTogether);
    if (!done)
        return done;
    // The suffix the import coded by is the set's from now on.
    if (!newVariantSuffix_.isEmpty()) {
        const Status kept = set.editWords([&](SetWords& w) {
            w.variantSuffix = newVariantSuffix_;
            return Status::success();
        });
        if (!kept)
            return kept;
        newVariantSuffix_.clear();
    }
    compare(set);
    return done;
}

} // namespace vexel
