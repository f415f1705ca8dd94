#pragma once

#include "depot/Destination.h"
#include "feeds/GtfsFeed.h"
#include "feeds/ImportScope.h"
#include "feeds/ImportWords.h"
#include "store/SetWords.h"
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
    // Appended to the codes of a direction's other headsigns, as
    // SetWords::variantCode makes it; empty takes the set's own rule
    // (words.variantSuffix).
    QString variantSuffix;
    QString variantRule() const { return variantSuffix.trimmed().isEmpty() ? words.variantSuffix : variantSuffix; }
    // Takes the set's word lists, with the variant suffix given for this
    // import (if any) as the rule; what is wrong with that suffix, or empty.
    QString takeSetWords(const SetWords& stored);
    // Whether the import codes by a suffix the set does not state yet, which
    // applying it makes the set's.
    bool newVariantRule(const SetWords& stored) const
    {
        return !variantSuffix.trimmed().isEmpty() && variantSuffix.trimmed() != stored.variantSuffix;
    }
    // The routes to take: empty lists take every route type and agency.
    QList<int> routeTypes;
    QStringList agencyIds;

    // What one file of the feed may decompress to: stop_times.txt, and each
    // of the others; and the zip-bomb ratio.
    qint64 maxTableBytes = 256LL * 1024 * 1024;
    qint64 maxStreamedBytes = 2048LL * 1024 * 1024;
    int maxRatio = 100;
    // The rows a table may have; one more refuses the feed.
    qint64 maxRoutes = 50000;
    qint64 maxTrips = 5000000;
    qint64 maxStopTimes = 50000000;
    qint64 maxTranslations = 10000000;
    // The texts kept for the destinations, in all: route ids and names, the
    // chosen headsigns, the vias and the translations that may fill them.
    qint64 maxKeptTextBytes = 64LL * 1024 * 1024;

    // A route and direction whose trips name several headsigns gives a
    // destination for its most common one and for each other used by at
    // least this share of its trips, or by at least this many.
    int minHeadsignPercent = 5;
    int minHeadsignTrips = 20;

    // The set's word lists: its via separators split each headsign, its
    // words kept in capitals stay so when `letterCase` puts a Latin text in
    // title case.
    SetWords words;
    LetterCase letterCase = LetterCase::Auto;

    // Told now and then how far the reading is: the bytes read so far and
    // the sizes of the files to read (a zip's declared ones, so `done` may
    // pass `total`). Returning false stops the import, which then fails.
    std::function<bool(qint64 done, qint64 total)> progress;
};

struct GtfsImportResult {
    // One per route, direction and headsign used by enough of its trips, in
    // the feed's route_sort_order, then its file order; direction 0 before
    // 1, the most common headsign first. Each names its agency and route_id.
    std::vector<Destination> destinations;
    // What the operator should know: codes that fell back to route_id, Latin
    // names suggested for want of a translation, rows left out.
    QStringList report;
    QString feedVersion;
    // The language of the feed's own texts ("ka", "en", ...) and whether they
    // fill the Georgian texts of the destinations.
    QString language;
    bool georgian = false;
    // Texts found in the other script's column (a Georgian headsign in a
    // feed said to be in English), moved to their own where it was free.
    std::vector<ScriptNote> scripts;
    // What the import did to texts beyond what they say: "cleaned: ...".
    TextNotes notes;
    // Which of a set's destinations the import may propose to remove.
    ImportScope scope;
    // Stop names of two words that the destinations' texts name ("Kings
    // Plaza"), for the set's list of phrases kept together.
    QStringList keepTogether;
    // For choosing routes: every route_type of routes.txt with its count of
    // routes, and every agency_id it names.
    std::map<int, int> routeTypes;
    QStringList agencies;
};

// A transit feed (GTFS) read into destinations: routes.txt, trips.txt,
// translations.txt, feed_info.txt, and stop_times.txt when it has a
// stop_headsign column. A feed that cannot be read whole is refused with the
// reason; nothing is half-read. A route or direction whose sign texts would
// be longer than MaxSignTextLength is left out and reported with its line.
// Tables are streamed and a trip costs a few bytes, whatever the feed holds.
class GtfsImport {
public:
    // FEED is a zip or a folder.
    static Expected<GtfsImportResult> read(const QString& feedPath, const GtfsOptions& options = {});
    static Expected<GtfsImportResult> read(const GtfsFeed& feed, const GtfsOptions& options = {});
};

} // namespace vexel
