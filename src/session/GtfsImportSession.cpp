#include "session/GtfsImportSession.h"

#include <QHash>

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
    withWords.words = *words;
    Expected<GtfsImportResult> feed = GtfsImport::read(feedPath, withWords);
    if (!feed)
        return feed.status();
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

Status GtfsImportSession::compare(const DestinationSet& set)
{
    if (!feed_)
        return Status::failure("no feed has been read");
    const Expected<std::vector<Destination>> current = set.destinations();
    if (!current)
        return current.status();
    QHash<QString, bool> ticks;
    for (const Row& r : rows_)
        ticks.insert(rowKey(r.kind, r.code), r.ticked);

    diff_ = diffDestinations(*current, feed_->destinations);
    rows_.clear();
    for (const Destination& d : diff_.added)
        rows_.push_back({Kind::Added, d.code, {}, d, {}, ticks.value(rowKey(Kind::Added, d.code), true)});
    for (const DestinationChange& c : diff_.changed)
        rows_.push_back({Kind::Changed, c.after.code, c.before, c.after, c.texts,
                         ticks.value(rowKey(Kind::Changed, c.after.code), true)});
    for (const Destination& d : diff_.removed)
        rows_.push_back({Kind::Removed, d.code, d, {}, {}, ticks.value(rowKey(Kind::Removed, d.code), true)});
    return Status::success();
}

void GtfsImportSession::setTicked(std::size_t row, bool ticked)
{
    if (row < rows_.size())
        rows_[row].ticked = ticked;
}

int GtfsImportSession::tickedCount() const
{
    int n = 0;
    for (const Row& r : rows_)
        n += r.ticked ? 1 : 0;
    return n;
}

DiffSelection GtfsImportSession::selection() const
{
    QSet<QString> accepted;
    for (const Row& r : rows_)
        if (r.ticked)
            accepted.insert(r.code);
    return selectDiff(diff_, accepted);
}

Expected<DestinationSet::MergeReport> GtfsImportSession::apply(DestinationSet& set)
{
    if (!feed_)
        return Expected<DestinationSet::MergeReport>::failure("no feed has been read");
    const DiffSelection chosen = selection();
    Expected<DestinationSet::MergeReport> done = set.apply(chosen.incoming, chosen.removed, feed_->feedVersion);
    if (done)
        compare(set);
    return done;
}

} // namespace vexel
