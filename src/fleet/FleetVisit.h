#pragma once

#include "document/Result.h"
#include "fleet/FleetState.h"
#include "fleet/SendJournal.h"

#include <QDate>
#include <QString>

#include <vector>

namespace vexel {

// The buses a technician must visit to bring a depot to one release.
class FleetVisit {
public:
    // For a depot and a release folder (as SetRelease writes it, release.txt naming the set id and version),
    // the in-service buses of that depot on that release's set that are behind it, each sign's files to send.
    static Expected<std::vector<VisitItem>> list(const SendJournal& journal, const QString& depot,
                                                 const QString& releaseFolder,
                                                 const QDate& today = QDate::currentDate());
    // One line of text per item, as `vexel fleet visit` prints it.
    static QString line(const VisitItem& item);
};

} // namespace vexel
