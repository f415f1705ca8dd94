#pragma once

#include <QDateTime>
#include <QString>

namespace vexel {

// One entry of a destination's history: when, from which station, as which
// database user (on a server; empty for a file) and what changed.
struct HistoryEntry {
    QDateTime time;
    QString station;
    QString user;
    QString what;
};

// Who makes the changes of an open set, stamped on the rows they change.
struct ChangeStamp {
    QString station;
    QString user;
    QDateTime time;
};

} // namespace vexel
