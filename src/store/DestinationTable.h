#pragma once

#include "depot/Destination.h"
#include "store/DestinationHistory.h"
#include "document/Result.h"

#include <QSqlDatabase>

#include <optional>
#include <vector>

namespace vexel {

// The destinations of an open set, in the order they were added. Every
// row read is checked as a new one would be, since the file may come from
// anywhere.
class DestinationTable {
public:
    explicit DestinationTable(QSqlDatabase db) : db_(std::move(db)) {}

    Expected<std::vector<Destination>> all() const;
    // The row id of a code (codes compare by their folded key), or none.
    Expected<std::optional<qint64>> idOf(const QString& code) const;
    // A new row, at `revision` (a row put back keeps counting up).
    Status insert(const Destination& d, const ChangeStamp& stamp, qint64 revision = 1);
    // Takes the next revision.
    Status update(qint64 id, const Destination& d, const ChangeStamp& stamp);
    Status remove(qint64 id);

    // The revision of a row and who changed it last, and when.
    struct RowState {
        qint64 revision = 0;
        QString code;
        QString station;
        QDateTime time;
    };
    Expected<RowState> state(qint64 id) const;

    Status record(const QString& code, const ChangeStamp& stamp, const QString& what);
    // Newest first.
    Expected<std::vector<HistoryEntry>> history(const QString& code) const;

    // What an edit changed, for the history: route "12" → "14"; note "" → "night".
    static QString describe(const Destination& before, const Destination& after);

    // A code that can name a file and a text in at least one script.
    static Status check(const Destination& d);

private:
    QSqlDatabase db_;
};

} // namespace vexel
