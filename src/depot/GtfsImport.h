#pragma once

#include "depot/Destination.h"
#include "depot/GtfsFeed.h"
#include "document/Result.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <map>
#include <vector>

namespace vexel {

struct GtfsOptions {
    // Appended to the code of a route's second direction (direction_id 1).
    QString returnSuffix = QStringLiteral("R");
    // The routes to take: empty lists take every route type and agency.
    QList<int> routeTypes;
    QStringList agencyIds;

    // What one file of the feed may decompress to: the tables held in memory,
    // and stop_times.txt, which is streamed; and the zip-bomb ratio.
    qint64 maxTableBytes = 256LL * 1024 * 1024;
    qint64 maxStreamedBytes = 2048LL * 1024 * 1024;
    int maxRatio = 100;

    // Told now and then how far the reading is: the bytes read so far and
    // the sizes of the files to read (a zip's declared ones, so `done` may
    // pass `total`). Returning false stops the import, which then fails.
    std::function<bool(qint64 done, qint64 total)> progress;
};

struct GtfsImportResult {
    // One per route and direction, in the feed's route_sort_order, then its
    // file order; direction 0 before 1.
    std::vector<Destination> destinations;
    // What the operator should know: codes that fell back to route_id, Latin
    // names suggested for want of a translation, rows left out.
    QStringList report;
    QString feedVersion;
    // The language of the feed's own texts ("ka", "en", ...) and whether they
    // fill the Georgian texts of the destinations.
    QString language;
    bool georgian = false;
    // For choosing routes: every route_type of routes.txt with its count of
    // routes, and every agency_id it names.
    std::map<int, int> routeTypes;
    QStringList agencies;
};

// A transit feed (GTFS) read into destinations: routes.txt, trips.txt,
// translations.txt, feed_info.txt, and stop_times.txt when it has a
// stop_headsign column. A feed that cannot be read whole is refused with the
// reason; nothing is half-read.
class GtfsImport {
public:
    // FEED is a zip or a folder.
    static Expected<GtfsImportResult> read(const QString& feedPath, const GtfsOptions& options = {});
    static Expected<GtfsImportResult> read(const GtfsFeed& feed, const GtfsOptions& options = {});
};

} // namespace vexel
