#pragma once

#include "feeds/DestinationDiff.h"
#include "sets/DestinationSet.h"
#include "feeds/GtfsImport.h"
#include "document/Result.h"

#include <QSet>
#include <QString>
#include <QStringList>

#include <map>
#include <optional>
#include <vector>

namespace vexel {

// A transit feed brought into a set as the import window shows it: the feed
// read, its difference against the set as rows the operator ticks, and the
// ticked rows applied as one step of the set. Every row starts ticked; a
// held text (changed by hand since the last import and in the feed too, or
// in the wrong script) has a tick of its own, which starts unticked.
class GtfsImportSession {
public:
    enum class Kind { Added, Changed, Removed };
    struct Row {
        Kind kind = Kind::Added;
        QString code;
        Destination before; // changed and removed
        Destination after;  // added and changed
        std::vector<TextChange> texts; // changed: each text that differs
        // The row's tick: its addition, removal or the changes not held.
        bool ticked = true;
        QSet<QString> heldTaken; // the held texts ticked, by column
        // Added: what the operator should know of its texts, by column.
        std::map<QString, QString> notes;
        // Whether the row's own tick takes anything: a change of held texts
        // only is ticked text by text.
        bool hasOwnTick() const;
    };

    // Reads the feed with the set's word lists and compares it with the
    // set. A refused feed leaves
    // the rows of an earlier reading as they were.
    Status read(const DestinationSet& set, const QString& feedPath, const GtfsOptions& options);
    // The same feed against the set as it is now; the ticks of rows that
    // are still there are kept.
    Status compare(const DestinationSet& set);

    bool hasFeed() const { return feed_.has_value(); }
    // The feed's report, version, route types and agencies.
    const GtfsImportResult& feed() const { return *feed_; }
    const std::vector<Row>& rows() const { return rows_; }
    // The set's destinations the feed lacks and leaves alone, in a line.
    QString untouched() const { return untouchedLine(diff_); }
    void setTicked(std::size_t row, bool ticked);
    void setHeldTaken(std::size_t row, const QString& field, bool taken);
    // Rows ticked, and held texts ticked.
    int tickedCount() const;

    // What the ticked rows give DestinationSet::apply.
    DiffSelection selection() const;
    // The ticked rows applied as one change of the set, with the feed's
    // version; the rows are compared again afterwards.
    Expected<DestinationSet::MergeReport> apply(DestinationSet& set);

private:
    std::optional<GtfsImportResult> feed_;
    ImportMemory::Texts memory_; // of the set as last compared
    DestinationDiff diff_;
    std::vector<Row> rows_;
    QString newVariantSuffix_; // given for the feed read, not the set's yet
};

} // namespace vexel
