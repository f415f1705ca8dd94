#include "feeds/GtfsImport.h"
#include "store/WordTable.h"

#include "feeds/CsvReader.h"
#include "depot/FileStem.h"
#include "feeds/KeyedHash.h"
#include "depot/Romanization.h"
#include "depot/RouteCsv.h"
#include "depot/TextLimit.h"

#include <QCoreApplication>
#include <QHash>
#include <QLocale>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <limits>
#include <memory>
#include <unordered_map>

namespace vexel {


QString GtfsOptions::takeSetWords(const SetWords& stored)
{
    words = stored;
    if (!newVariantRule(stored))
        return {};
    words.variantSuffix = variantSuffix.trimmed();
    return WordTable::check(words);
}

namespace {

using Failure = Expected<GtfsImportResult>;

std::string trimmed(const std::string& s)
{
    std::size_t b = 0;
    std::size_t e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t'))
        ++b;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t'))
        --e;
    return s.substr(b, e - b);
}

QString fromUtf8(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// "en-US" -> "en"
QString primaryLanguage(const QString& tag)
{
    const QString t = tag.trimmed().toLower();
    for (qsizetype i = 0; i < t.size(); ++i)
        if (t[i] == QLatin1Char('-') || t[i] == QLatin1Char('_'))
            return t.left(i);
    return t;
}

// A stop_sequence as a number for ordering and for matching record_sub_id.
long long sequenceOf(const std::string& text)
{
    const std::string t = trimmed(text);
    if (t.empty() || t.size() > 18)
        return std::numeric_limits<long long>::max();
    long long v = 0;
    for (char c : t) {
        if (c < '0' || c > '9')
            return std::numeric_limits<long long>::max();
        v = v * 10 + (c - '0');
    }
    return v;
}

struct Route {
    QString id;
    QString shortName;
    QString longName;
    double sortOrder = 0;
    bool hasSortOrder = false;
    int type = -1;
    QString agency;
    QString agencyKey; // as the set remembers it
    bool selected = false;
    QString code; // the base of its destinations' codes
    int trips = 0; // of the chosen directions
};

// A trip's headsign as counted: its route and direction, the order it came
// in, and the headsign's hash; the text is fetched again.
struct TripSign {
    quint32 direction = 0;
    quint32 index = 0;
    quint64 sign = 0;
};

// A trip that carries a headsign that becomes a destination.
struct WinningTrip {
    KeyedHash::Value id;
    quint32 headsign = 0;
    quint32 line = 0;
};

// One route and direction: its trips, and its headsigns, the most trips
// first (ties to the earlier first trip).
struct Direction {
    int trips = 0;
    int named = 0; // the trips that name a headsign
    std::vector<int> headsigns;
};

// One headsign of a route and direction.
struct Group {
    int route = 0;
    int direction = 0;
    quint64 sign = 0;
    int count = 0;
    quint32 firstIndex = 0;
    int firstLine = 0; // its first trip
    int rank = 0;      // 0 for the direction's most common
    bool kept = false; // used by enough trips to be a destination
    QString headsign;
    std::string headsignUtf8;
    QString leftOut; // why its destination is left out, with the line
    int destination = -1;
    // The translation by trip id, from the earliest winning trip that has one.
    QString translated;
    quint32 translatedLine = std::numeric_limits<quint32>::max();
    int translationLine = 0; // in translations.txt
};

struct ViaValue {
    long long sequence = 0;
    int line = 0;       // the first row that named it
    QString translation; // by record id, from the first row that had one
    int translationLine = 0;
};

struct Translation {
    QString text;
    int line = 0;
};

struct StopKey {
    KeyedHash::Value trip;
    long long sequence = 0;
    bool operator==(const StopKey& o) const { return trip == o.trip && sequence == o.sequence; }
};
struct StopKeyHash {
    std::size_t operator()(const StopKey& k) const
    {
        return static_cast<std::size_t>(k.trip.low ^ (static_cast<quint64>(k.sequence) * 0x9E3779B97F4A7C15ULL));
    }
};

struct Translations {
    QHash<QString, Translation> tripByValue; // only the winning headsigns'
    std::unordered_map<StopKey, Translation, StopKeyHash> stopById; // only winning trips'
    QHash<QString, Translation> stopByValue;
};

// A destination's texts before it has a code.
struct Composed {
    Destination texts;
    QString viaText;
    QString viaOther;
    bool viaSuggested = false;
};

// Counts what a table's stream hands out for the import's progress.
class CountedStream : public ByteStream {
public:
    CountedStream(std::unique_ptr<ByteStream> inner, std::function<bool(qint64)> advance)
        : inner_(std::move(inner)), advance_(std::move(advance))
    {
    }
    qint64 read(char* data, qint64 capacity) override
    {
        const qint64 n = inner_->read(data, capacity);
        if (n > 0 && !advance_(n)) {
            stopped_ = QCoreApplication::translate("GtfsImport", "the import was stopped");
            return -1;
        }
        return n;
    }
    const QString& error() const override { return stopped_.isEmpty() ? inner_->error() : stopped_; }

private:
    std::unique_ptr<ByteStream> inner_;
    std::function<bool(qint64)> advance_;
    QString stopped_;
};

// The columns of routes.txt, -1 for those it lacks.
struct RouteColumns {
    int id = -1;
    int shortName = -1;
    int longName = -1;
    int sortOrder = -1;
    int type = -1;
    int agency = -1;
};

// Codes name files and the set keeps them apart without regard to case,
// so "12a" and "12A" are one code.
QString codeKey(const QString& code) { return code.toLower(); }

// How many rows of a kind a feed may have, each said in a sentence of its own.
const char* const TooManyAgencies =
    QT_TRANSLATE_NOOP("GtfsImport", "%1, line %2: more than %3 agencies; a feed may have at most %3");
const char* const TooManyRoutes =
    QT_TRANSLATE_NOOP("GtfsImport", "%1, line %2: more than %3 routes; a feed may have at most %3");
const char* const TooManyTrips =
    QT_TRANSLATE_NOOP("GtfsImport", "%1, line %2: more than %3 trips; a feed may have at most %3");
const char* const TooManyTranslations =
    QT_TRANSLATE_NOOP("GtfsImport", "%1, line %2: more than %3 translations; a feed may have at most %3");
const char* const TooManyStops =
    QT_TRANSLATE_NOOP("GtfsImport", "%1, line %2: more than %3 stops; a feed may have at most %3");
const char* const TooManyStopTimes =
    QT_TRANSLATE_NOOP("GtfsImport", "%1, line %2: more than %3 stop times; a feed may have at most %3");

bool usableCode(const QString& code) { return FileStem::check(code, QStringLiteral("the code")).ok(); }

class Reader {
    Q_DECLARE_TR_FUNCTIONS(GtfsImport)

public:
    Reader(const GtfsFeed& feed, const GtfsOptions& options) : feed_(feed), options_(options) {}
    Expected<GtfsImportResult> run();
    const QStringList& twoWordStops() const;

private:
    // A table as a reader over its stream, the header read.
    struct Table {
        std::unique_ptr<ByteStream> stream;
        std::unique_ptr<CsvReader> csv;
    };
    // Opens `file` and reads its header, which must name every column of
    // `required`.
    Expected<std::shared_ptr<Table>> openTable(const QString& file, qint64 maxBytes,
                                               std::initializer_list<const char*> required = {});
    Status missingColumn(const QString& file, const char* column) const;
    // Counts a row of `file`; a failure once there are more than `limit`.
    // sentence: "%1, line %2: more than %3 routes; ...", marked for translation
    Status countRow(qint64& rows, qint64 limit, const QString& file, const CsvReader& csv, const char* sentence) const;
    // Counts texts kept; a failure once they pass the limit.
    Status keep(qint64 bytes, const QString& file, int line);
    Status keep(const QString& text, const QString& file, int line) { return keep(text.size() * 2 + 32, file, line); }

    Status readFeedInfo();
    Status readAgencies();
    QString agencyKey(const QString& agencyId) const;
    Status readRoutes();
    // One row of routes.txt into the routes; `agencies` holds the agencies
    // named so far, `anyTooLong` whether a chosen route was left out for its
    // name.
    Status readRoute(const CsvReader& csv, const RouteColumns& columns, QSet<QString>& agencies, bool& anyTooLong);
    // Why no route was chosen.
    Status noRouteChosen(bool anyTooLong) const;
    Status readTrips();
    // A group for each route and direction.
    Status countHeadsigns();
    Status findWinningTrips();
    // A trip of `g` that carries its winning headsign `sign`: the first
    // names the headsign, a later one with another text under the same
    // hash fails the import.
    Status takeWinningSign(Group& g, const QString& sign, const CsvReader& csv);
    Status chooseHeadsigns();
    Status decideLanguage();
    Status readTranslations();
    // A translation of a winning trip's headsign, or of one of its stop's
    // stop_headsign, by the record id that names one of the winning trips.
    Status keepTranslationById(bool trips, const std::string& id, const CsvReader& csv, int recordSubId,
                               const QString& text);
    void reportRare(const Direction& d, const Group& first);
    void reportSummary(const QStringList& routes, const QString& what);
    Status readStops();
    Status readStopTimes();
    // A stop_headsign of a winning trip into destination `d`'s via; a via
    // no sign could show leaves the destination out.
    Status addViaValue(std::size_t d, std::string value, long long sequence, const KeyedHash::Value& tripId,
                       const CsvReader& csv);
    Status compose();
    // The via of destination `i` in the order its trips reach the values,
    // and its translation; returns where the translation passed the limit
    // of a sign's text, if it did.
    QString composeVia(std::size_t i, Composed& c) const;
    // The destination's texts in the columns of the feed's script; returns
    // why it is left out, or nothing.
    QString composeTexts(const Group& g, const QString& viaTooLong, Composed& c) const;
    Status assignCodes();
    // Each route's code: its short name where that can name a file and no
    // other route shares it, else its route_id.
    void chooseRouteCodes();
    // The suggestions a Georgian feed's destinations carry, for the report.
    void reportSuggestions(const std::vector<const Composed*>& kept);
    Status findScope();

    QString routeName(const Group& g) const
    {
        const Route& r = routes_[static_cast<std::size_t>(g.route)];
        return tr("route %1, direction %2,").arg(r.shortName.isEmpty() ? r.id : r.shortName).arg(g.direction);
    }
    KeyedHash::Value tripKey(const std::string& id) const { return hash_(id.data(), id.size()); }
    quint64 signKey(const QString& sign) const
    {
        return hash_(reinterpret_cast<const char*>(sign.utf16()), static_cast<std::size_t>(sign.size()) * 2).low;
    }
    // The winning trips with this id, the earliest destination first.
    std::pair<std::vector<WinningTrip>::const_iterator, std::vector<WinningTrip>::const_iterator>
    winning(const KeyedHash::Value& id) const
    {
        return std::equal_range(winningTrips_.begin(), winningTrips_.end(), WinningTrip{id, 0, 0},
                                [](const WinningTrip& a, const WinningTrip& b) { return a.id < b.id; });
    }

    QString fault(const QString& reason) const
    {
        return tr("Cannot import the feed \"%1\": %2").arg(feed_.name(), reason);
    }


    const GtfsFeed& feed_;
    const GtfsOptions& options_;
    const KeyedHash hash_;
    GtfsImportResult result_;
    QString feedLang_;
    QString defaultLang_;
    QHash<QString, QString> agencyNames_; // by agency_id
    std::vector<Route> routes_;
    std::unordered_map<std::string, int> routeIndex_;
    std::vector<Direction> directions_;
    std::vector<Group> groups_; // headsigns
    std::map<std::pair<quint32, quint64>, int> groupOf_; // by direction and headsign hash
    // While trips.txt is read twice: each trip's headsign, then the trips
    // that carry the winners, sorted by id for the joins.
    std::vector<TripSign> tripSigns_;
    quint64 keptTrips_ = 0;
    std::vector<WinningTrip> winningTrips_;
    std::vector<int> destinationGroups_;
    Translations translations_;
    std::vector<std::unordered_map<std::string, ViaValue>> vias_;
    std::vector<int> viaLength_; // of each destination's via so far
    std::vector<Composed> composed_;
    QStringList twoWordStops_; // in small letters
    qint64 kept_ = 0;
    qint64 done_ = 0;
    qint64 total_ = 0;
    qint64 told_ = 0;
};

Expected<std::shared_ptr<Reader::Table>> Reader::openTable(const QString& file, qint64 maxBytes,
                                                          std::initializer_list<const char*> required)
{
    GtfsFeed::Limits limits;
    limits.maxBytes = maxBytes;
    limits.maxRatio = options_.maxRatio;
    Expected<std::unique_ptr<ByteStream>> stream = feed_.read(file, limits);
    if (!stream)
        return Expected<std::shared_ptr<Table>>::failure(fault(stream.error()));
    auto table = std::make_shared<Table>();
    table->stream = std::move(stream).value();
    if (options_.progress)
        table->stream = std::make_unique<CountedStream>(std::move(table->stream), [this](qint64 n) {
            done_ += n;
            if (done_ - told_ < 256 * 1024)
                return true;
            told_ = done_;
            return options_.progress(done_, total_);
        });
    table->csv = std::make_unique<CsvReader>(*table->stream, file);
    if (!table->csv->readHeader())
        return Expected<std::shared_ptr<Table>>::failure(fault(table->csv->error()));
    for (const char* column : required)
        if (table->csv->column(column) < 0)
            return Expected<std::shared_ptr<Table>>(missingColumn(file, column));
    return table;
}

Status Reader::missingColumn(const QString& file, const char* column) const
{
    return Status::failure(fault(tr("%1 has no column \"%2\"").arg(file, QLatin1String(column))));
}

Status Reader::countRow(qint64& rows, qint64 limit, const QString& file, const CsvReader& csv,
                        const char* sentence) const
{
    if (++rows <= limit)
        return Status::success();
    return Status::failure(fault(tr(sentence).arg(file).arg(csv.line()).arg(limit)));
}

Status Reader::keep(qint64 bytes, const QString& file, int line)
{
    kept_ += bytes;
    if (kept_ <= options_.maxKeptTextBytes)
        return Status::success();
    return Status::failure(fault(tr("%1, line %2: the texts kept for the destinations pass %3 MiB")
                                     .arg(file)
                                     .arg(line)
                                     .arg(options_.maxKeptTextBytes / (1024 * 1024))));
}

Status Reader::readFeedInfo()
{
    const QString file = QStringLiteral("feed_info.txt");
    if (!feed_.has(file))
        return Status::success();
    auto table = openTable(file, options_.maxTableBytes, {"feed_lang"});
    if (!table)
        return table.status();
    CsvReader& csv = *(*table)->csv;
    const int lang = csv.column("feed_lang");
    const int defaultLang = csv.column("default_lang");
    const int version = csv.column("feed_version");
    if (csv.next()) {
        feedLang_ = primaryLanguage(csv.text(lang));
        defaultLang_ = primaryLanguage(csv.text(defaultLang));
        result_.feedVersion = csv.text(version);
        if (const Status s = keep(result_.feedVersion, file, csv.line()); !s)
            return s;
    }
    if (csv.failed())
        return Status::failure(fault(csv.error()));
    return Status::success();
}

// The agencies' names, which tell apart the operators of a set better than
// their ids: many feeds number their only agency "1".
Status Reader::readAgencies()
{
    const QString file = QStringLiteral("agency.txt");
    if (!feed_.has(file))
        return Status::success();
    auto table = openTable(file, options_.maxTableBytes);
    if (!table)
        return table.status();
    CsvReader& csv = *(*table)->csv;
    const int id = csv.column("agency_id");
    const int name = csv.column("agency_name");
    qint64 rows = 0;
    while (csv.next()) {
        if (const Status s = countRow(rows, options_.maxRoutes, file, csv, TooManyAgencies); !s)
            return s;
        const QString agencyId = csv.text(id);
        const QString agencyName = csv.text(name).left(MaxSignTextLength);
        const QString shown = agencyName.isEmpty() ? agencyId : agencyName;
        if (const Status s = keep(agencyId.size() + shown.size() * 2 + 64, file, csv.line()); !s)
            return s;
        agencyNames_.insert(agencyId, shown);
    }
    if (csv.failed())
        return Status::failure(fault(csv.error()));
    return Status::success();
}

// The agency a route's destinations are remembered as coming from: its
// name, else its id, else (a feed without agencies) the feed's own name.
QString Reader::agencyKey(const QString& agencyId) const
{
    QString key = agencyNames_.value(agencyId);
    if (key.isEmpty() && agencyId.isEmpty() && agencyNames_.size() == 1)
        key = agencyNames_.cbegin().value();
    if (key.isEmpty())
        key = agencyId.isEmpty() ? feed_.name() : agencyId;
    return key.left(MaxSignTextLength);
}

Status Reader::readRoutes()
{
    const QString file = QStringLiteral("routes.txt");
    if (!feed_.has(file))
        return Status::failure(fault(tr("it has no routes.txt")));
    auto table = openTable(file, options_.maxTableBytes, {"route_id"});
    if (!table)
        return table.status();
    CsvReader& csv = *(*table)->csv;
    RouteColumns columns;
    columns.id = csv.column("route_id");
    columns.shortName = csv.column("route_short_name");
    columns.longName = csv.column("route_long_name");
    columns.sortOrder = csv.column("route_sort_order");
    columns.type = csv.column("route_type");
    columns.agency = csv.column("agency_id");
    if (!options_.routeTypes.isEmpty() && columns.type < 0)
        return missingColumn(file, "route_type");
    if (!options_.agencyIds.isEmpty() && columns.agency < 0)
        return missingColumn(file, "agency_id");

    QSet<QString> agencies;
    qint64 rows = 0;
    bool anyTooLong = false;
    while (csv.next()) {
        if (const Status s = countRow(rows, options_.maxRoutes, file, csv, TooManyRoutes); !s)
            return s;
        if (const Status s = readRoute(csv, columns, agencies, anyTooLong); !s)
            return s;
    }
    if (csv.failed())
        return Status::failure(fault(csv.error()));
    if (routes_.empty())
        return Status::failure(fault(tr("routes.txt holds no route")));
    if (std::none_of(routes_.begin(), routes_.end(), [](const Route& r) { return r.selected; }))
        return noRouteChosen(anyTooLong);
    return Status::success();
}

Status Reader::readRoute(const CsvReader& csv, const RouteColumns& columns, QSet<QString>& agencies, bool& anyTooLong)
{
    const QString file = QStringLiteral("routes.txt");
    Route r;
    const std::string key = trimmed(csv.field(columns.id));
    r.id = fromUtf8(key);
    if (r.id.isEmpty())
        return Status::failure(fault(tr("routes.txt, line %1: the route_id is empty").arg(csv.line())));
    if (routeIndex_.count(key))
        return Status::failure(
            fault(tr("routes.txt, line %1: the route_id \"%2\" is named twice").arg(csv.line()).arg(r.id)));
    r.shortName = csv.text(columns.shortName);
    r.longName = csv.text(columns.longName);
    bool ok = false;
    r.sortOrder = csv.text(columns.sortOrder).toDouble(&ok);
    r.hasSortOrder = ok;
    r.type = csv.text(columns.type).toInt(&ok);
    if (!ok)
        r.type = -1;
    else
        ++result_.routeTypes[r.type];
    r.agency = csv.text(columns.agency);
    if (!r.agency.isEmpty() && !agencies.contains(r.agency)) {
        agencies.insert(r.agency);
        result_.agencies << r.agency;
        if (const Status s = keep(r.agency, file, csv.line()); !s)
            return s;
    }
    r.selected = (options_.routeTypes.isEmpty() || options_.routeTypes.contains(r.type)) &&
                 (options_.agencyIds.isEmpty() || options_.agencyIds.contains(r.agency));
    r.agencyKey = agencyKey(r.agency);
    // The short name is the route shown on the signs.
    const QString tooLong = signTextLengthError(r.shortName, QStringLiteral("route_short_name"));
    if (!tooLong.isEmpty()) {
        if (r.selected)
            result_.report << tr("routes.txt, line %1: %2; the route is left out").arg(csv.line()).arg(tooLong);
        anyTooLong = anyTooLong || r.selected;
        r.selected = false;
        r.shortName.clear();
        r.longName.clear();
    }
    if (const Status s = keep(static_cast<qint64>(key.size()) * 3 + (r.shortName.size() + r.longName.size()) * 2 + 64,
                              file, csv.line());
        !s)
        return s;
    routeIndex_.emplace(key, static_cast<int>(routes_.size()));
    routes_.push_back(r);
    return Status::success();
}

Status Reader::noRouteChosen(bool anyTooLong) const
{
    QStringList wanted;
    if (!options_.routeTypes.isEmpty()) {
        QStringList types;
        for (int t : options_.routeTypes)
            types << QString::number(t);
        wanted << tr("of route type %1").arg(types.join(tr(" or ")));
    }
    if (!options_.agencyIds.isEmpty())
        wanted << tr("of agency %1").arg(options_.agencyIds.join(tr(" or ")));
    if (anyTooLong)
        wanted << tr("with a route_short_name a sign can show");
    return Status::failure(fault(tr("no route is %1").arg(wanted.join(tr(" and ")))));
}

// trips.txt is read twice, keeping a few bytes per trip: first each trip's
// route, direction and headsign hash, to count the headsigns; then, knowing
// which headsigns become destinations, the ids of the trips that carry them.
// A hash stands for a headsign only until the second reading compares the
// texts.
Status Reader::readTrips()
{
    const QString file = QStringLiteral("trips.txt");
    if (!feed_.has(file))
        return Status::failure(fault(tr("it has no trips.txt")));
    auto table = openTable(file, options_.maxTableBytes, {"route_id", "trip_id", "trip_headsign"});
    if (!table)
        return table.status();
    CsvReader& csv = *(*table)->csv;
    const int route = csv.column("route_id");
    const int headsign = csv.column("trip_headsign");
    const int direction = csv.column("direction_id");

    directions_.resize(routes_.size() * 2);
    int unknownRoute = 0;
    int badDirection = 0;
    int firstBadLine = 0;
    // Room for the most trips a feed may have, taken from the system only
    // as it fills and given back whole once counted: growing by copies would
    // hold twice as much at once.
    tripSigns_.reserve(static_cast<std::size_t>(std::clamp<qint64>(options_.maxTrips, 0, 64 * 1024 * 1024)));
    qint64 rows = 0;
    while (csv.next()) {
        if (const Status s = countRow(rows, options_.maxTrips, file, csv, TooManyTrips); !s)
            return s;
        const auto found = routeIndex_.find(trimmed(csv.field(route)));
        if (found == routeIndex_.end()) {
            ++unknownRoute;
            continue;
        }
        if (!routes_[static_cast<std::size_t>(found->second)].selected)
            continue;
        const std::string d = trimmed(csv.field(direction));
        if (!d.empty() && d != "0" && d != "1") {
            if (badDirection++ == 0)
                firstBadLine = csv.line();
            continue;
        }
        const quint32 index = static_cast<quint32>(keptTrips_++);
        const quint32 at = static_cast<quint32>(found->second * 2 + (d == "1" ? 1 : 0));
        ++directions_[at].trips;
        ++routes_[static_cast<std::size_t>(found->second)].trips;
        const QString sign = csv.text(headsign);
        if (!sign.isEmpty())
            tripSigns_.push_back(TripSign{at, index, signKey(sign)});
    }
    if (csv.failed())
        return Status::failure(fault(csv.error()));
    if (unknownRoute)
        result_.report << tr("trips.txt: %1 trips of routes that routes.txt does not name were left out")
                              .arg(unknownRoute);
    if (badDirection)
        result_.report << tr("trips.txt: %1 trips with a direction_id other than 0 or 1 were left out "
                                         "(the first on line %2)")
                              .arg(badDirection)
                              .arg(firstBadLine);
    if (const Status s = countHeadsigns(); !s)
        return s;
    return findWinningTrips();
}

// Every headsign a direction's trips name, the most trips first. Those of
// enough trips become destinations; the others are reported.
Status Reader::countHeadsigns()
{
    std::sort(tripSigns_.begin(), tripSigns_.end(), [](const TripSign& a, const TripSign& b) {
        if (a.direction != b.direction)
            return a.direction < b.direction;
        return a.sign != b.sign ? a.sign < b.sign : a.index < b.index;
    });
    for (auto run = tripSigns_.begin(); run != tripSigns_.end();) {
        auto end = run;
        while (end != tripSigns_.end() && end->direction == run->direction && end->sign == run->sign)
            ++end;
        Group g;
        g.route = static_cast<int>(run->direction / 2);
        g.direction = static_cast<int>(run->direction % 2);
        g.sign = run->sign;
        g.count = static_cast<int>(end - run);
        g.firstIndex = run->index;
        groupOf_.emplace(std::pair{run->direction, run->sign}, static_cast<int>(groups_.size()));
        directions_[run->direction].headsigns.push_back(static_cast<int>(groups_.size()));
        directions_[run->direction].named += g.count;
        groups_.push_back(std::move(g));
        run = end;
    }
    std::vector<TripSign>().swap(tripSigns_);
    for (Direction& d : directions_) {
        std::sort(d.headsigns.begin(), d.headsigns.end(), [this](int a, int b) {
            const Group& ga = groups_[static_cast<std::size_t>(a)];
            const Group& gb = groups_[static_cast<std::size_t>(b)];
            return ga.count != gb.count ? ga.count > gb.count : ga.firstIndex < gb.firstIndex;
        });
        for (std::size_t rank = 0; rank < d.headsigns.size(); ++rank) {
            Group& g = groups_[static_cast<std::size_t>(d.headsigns[rank])];
            g.rank = static_cast<int>(rank);
            g.kept = rank == 0 || qint64(g.count) * 100 >= qint64(d.named) * options_.minHeadsignPercent ||
                     g.count >= options_.minHeadsignTrips;
        }
    }
    return Status::success();
}

Status Reader::findWinningTrips()
{
    const QString file = QStringLiteral("trips.txt");
    auto table = openTable(file, options_.maxTableBytes);
    if (!table)
        return table.status();
    CsvReader& csv = *(*table)->csv;
    const int route = csv.column("route_id");
    const int trip = csv.column("trip_id");
    const int headsign = csv.column("trip_headsign");
    const int direction = csv.column("direction_id");
    if (route < 0 || trip < 0 || headsign < 0)
        return Status::failure(fault(tr("trips.txt changed while it was read")));
    std::size_t winners = 0;
    for (const Group& g : groups_)
        winners += g.kept ? static_cast<std::size_t>(g.count) : 0;
    winningTrips_.reserve(winners);

    quint64 index = 0;
    while (csv.next()) {
        const auto found = routeIndex_.find(trimmed(csv.field(route)));
        if (found == routeIndex_.end() || !routes_[static_cast<std::size_t>(found->second)].selected)
            continue;
        const std::string d = trimmed(csv.field(direction));
        if (!d.empty() && d != "0" && d != "1")
            continue;
        ++index;
        const QString sign = csv.text(headsign);
        if (sign.isEmpty())
            continue;
        const auto known = groupOf_.find({static_cast<quint32>(found->second * 2 + (d == "1" ? 1 : 0)), signKey(sign)});
        if (known == groupOf_.end())
            return Status::failure(fault(tr("trips.txt changed while it was read")));
        Group& g = groups_[static_cast<std::size_t>(known->second)];
        if (const Status s = takeWinningSign(g, sign, csv); !s)
            return s;
        if (g.kept && g.leftOut.isEmpty())
            winningTrips_.push_back(WinningTrip{tripKey(trimmed(csv.field(trip))), static_cast<quint32>(known->second),
                                                static_cast<quint32>(csv.line())});
    }
    if (csv.failed())
        return Status::failure(fault(csv.error()));
    if (index != keptTrips_ ||
        std::any_of(groups_.begin(), groups_.end(), [](const Group& g) { return g.firstLine == 0; }))
        return Status::failure(fault(tr("trips.txt changed while it was read")));
    return Status::success();
}

Status Reader::takeWinningSign(Group& g, const QString& sign, const CsvReader& csv)
{
    if (g.firstLine == 0) {
        g.firstLine = csv.line();
        const QString tooLong = signTextLengthError(sign, QStringLiteral("trip_headsign"));
        if (!tooLong.isEmpty()) {
            g.leftOut = tr("trips.txt, line %1: %2").arg(csv.line()).arg(tooLong);
            if (!g.kept)
                g.headsign = RouteCsv::shortened(sign); // to name it in the report
            return Status::success();
        }
        g.headsign = sign;
        if (g.kept)
            g.headsignUtf8 = sign.toStdString();
        return keep(sign.size() * (g.kept ? 5 : 2), QStringLiteral("trips.txt"), csv.line());
    }
    if (g.leftOut.isEmpty() && sign != g.headsign) {
        // Two headsigns with one hash: the counts cannot be trusted.
        return Status::failure(fault(tr("trips.txt, line %1: the trip_headsign \"%2\" cannot be told "
                                                    "apart from \"%3\" on line %4")
                                         .arg(csv.line())
                                         .arg(sign, g.headsign)
                                         .arg(g.firstLine)));
    }
    return Status::success();
}

// "route B41, direction 0, has headsigns too rare to be destinations
// (...): "Kings Plaza" (12 trips), ..."
void Reader::reportRare(const Direction& d, const Group& first)
{
    // The most used first (as the headsigns are sorted); a feed naming a
    // headsign per trip is not one line of megabytes.
    constexpr int Listed = 10;
    QStringList rare;
    int more = 0;
    int moreTrips = 0;
    for (int h : d.headsigns) {
        const Group& g = groups_[static_cast<std::size_t>(h)];
        if (g.kept)
            continue;
        if (rare.size() == Listed) {
            ++more;
            moreTrips += g.count;
            continue;
        }
        rare << (g.count == 1 ? QCoreApplication::translate("GtfsImport", "\"%1\" (1 trip)")
                                    .arg(RouteCsv::shortened(g.headsign))
                              : QCoreApplication::translate("GtfsImport", "\"%1\" (%2 trips)")
                                    .arg(RouteCsv::shortened(g.headsign))
                                    .arg(g.count));
    }
    if (rare.isEmpty())
        return;
    if (more > 0)
        rare << QCoreApplication::translate("GtfsImport", "and %1 more (%2 trips)").arg(more).arg(moreTrips);
    result_.report << QCoreApplication::translate("GtfsImport", "%1 has headsigns too rare to be destinations (under "
                                                                "%2 % of its %3 trips and under %4 trips each): %5")
                          .arg(routeName(first))
                          .arg(options_.minHeadsignPercent)
                          .arg(d.named)
                          .arg(options_.minHeadsignTrips)
                          .arg(rare.join(QStringLiteral(", ")));
}

// Routes named by one line in all, not one line each: a city's feeds often
// list every route of the agency and run only some.
void Reader::reportSummary(const QStringList& routes, const QString& what)
{
    if (routes.isEmpty())
        return;
    constexpr int Named = 12;
    QString names = routes.mid(0, Named).join(QStringLiteral(", "));
    if (routes.size() > Named)
        names += QCoreApplication::translate("GtfsImport", " and %1 more").arg(routes.size() - Named);
    result_.report << what.arg(routes.size()).arg(names);
}

Status Reader::chooseHeadsigns()
{
    // Destinations in the feed's route_sort_order, then its file order.
    std::vector<int> order(routes_.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = static_cast<int>(i);
    std::stable_sort(order.begin(), order.end(), [this](int a, int b) {
        const Route& ra = routes_[static_cast<std::size_t>(a)];
        const Route& rb = routes_[static_cast<std::size_t>(b)];
        if (ra.hasSortOrder != rb.hasSortOrder)
            return ra.hasSortOrder;
        return ra.hasSortOrder && ra.sortOrder < rb.sortOrder;
    });
    QStringList idle;
    QStringList unnamed;
    for (int r : order) {
        const Route& route = routes_[static_cast<std::size_t>(r)];
        if (!route.selected)
            continue;
        const QString name = route.shortName.isEmpty() ? route.id : route.shortName;
        if (route.trips == 0)
            idle << name;
        else if (directions_[static_cast<std::size_t>(r) * 2].headsigns.empty() &&
                 directions_[static_cast<std::size_t>(r) * 2 + 1].headsigns.empty())
            unnamed << name;
        for (int d = 0; d < 2; ++d) {
            const Direction& direction = directions_[static_cast<std::size_t>(r * 2 + d)];
            for (int h : direction.headsigns) {
                Group& g = groups_[static_cast<std::size_t>(h)];
                if (!g.kept)
                    continue;
                if (!g.leftOut.isEmpty()) {
                    result_.report << tr("%1; %2 is left out").arg(g.leftOut, routeName(g));
                    continue;
                }
                g.destination = static_cast<int>(destinationGroups_.size());
                destinationGroups_.push_back(h);
            }
            if (!direction.headsigns.empty())
                reportRare(direction, groups_[static_cast<std::size_t>(direction.headsigns.front())]);
        }
    }
    reportSummary(idle, QCoreApplication::translate("GtfsImport", "routes of the chosen types and agencies without "
                                                                  "trips in this feed, left out (%1): %2"));
    reportSummary(unnamed, QCoreApplication::translate("GtfsImport", "routes whose trips name no trip_headsign, left "
                                                                     "out (%1): %2"));
    if (destinationGroups_.empty())
        return Status::failure(fault(tr("no trip of the chosen routes names a trip_headsign")));
    vias_.resize(destinationGroups_.size());
    viaLength_.assign(destinationGroups_.size(), 0);
    // By id, and among trips that share one the earliest destination first,
    // which is the one its stop times go to.
    std::sort(winningTrips_.begin(), winningTrips_.end(), [this](const WinningTrip& a, const WinningTrip& b) {
        if (a.id != b.id)
            return a.id < b.id;
        return groups_[a.headsign].destination < groups_[b.headsign].destination;
    });
    return Status::success();
}

Status Reader::decideLanguage()
{
    QString lang = feedLang_ == QLatin1String("mul") ? defaultLang_ : feedLang_;
    auto byText = [&](const QString& why) {
        bool georgian = false;
        for (int g : destinationGroups_)
            georgian = georgian || hasGeorgian(groups_[static_cast<std::size_t>(g)].headsign);
        result_.georgian = georgian;
        result_.language = georgian ? QStringLiteral("ka") : QStringLiteral("en");
        result_.report << tr("%1; the headsigns are taken as %2")
                              .arg(why, georgian ? tr("Georgian") : tr("Latin"));
        return Status::success();
    };
    if (lang.isEmpty())
        return byText(tr("feed_info.txt names no language of the feed"));
    result_.language = lang;
    if (lang == QLatin1String("ka")) {
        result_.georgian = true;
        return Status::success();
    }
    const QLocale locale(lang);
    if (locale.language() == QLocale::C || locale.language() == QLocale::AnyLanguage)
        return byText(tr("the feed's language \"%1\" is not one this program knows").arg(lang));
    if (locale.script() == QLocale::LatinScript)
        return Status::success();
    return Status::failure(fault(tr("its language \"%1\" is written in %2 letters; only feeds in Georgian "
                                                "or in a language of Latin letters can be imported")
                                     .arg(lang, QLocale::scriptToString(locale.script()))));
}

// Only what a destination can use is kept: translations of winning
// headsigns and of winning trips' stops, and of stop headsigns by value.
Status Reader::readTranslations()
{
    const QString file = QStringLiteral("translations.txt");
    if (!feed_.has(file))
        return Status::success();
    auto table = openTable(file, options_.maxTableBytes, {"table_name", "field_name", "language", "translation"});
    if (!table)
        return table.status();
    CsvReader& csv = *(*table)->csv;
    const int tableName = csv.column("table_name");
    const int fieldName = csv.column("field_name");
    const int language = csv.column("language");
    const int translation = csv.column("translation");
    const int recordId = csv.column("record_id");
    const int recordSubId = csv.column("record_sub_id");
    const int fieldValue = csv.column("field_value");
    const QString wanted = result_.georgian ? QStringLiteral("en") : QStringLiteral("ka");
    QSet<QString> headsigns;
    for (int g : destinationGroups_)
        headsigns.insert(groups_[static_cast<std::size_t>(g)].headsign);
    qint64 rows = 0;
    while (csv.next()) {
        if (const Status s = countRow(rows, options_.maxTranslations, file, csv, TooManyTranslations); !s)
            return s;
        const std::string t = trimmed(csv.field(tableName));
        const std::string f = trimmed(csv.field(fieldName));
        const bool trips = t == "trips" && f == "trip_headsign";
        const bool stops = t == "stop_times" && f == "stop_headsign";
        if ((!trips && !stops) || primaryLanguage(csv.text(language)) != wanted)
            continue;
        const QString text = csv.text(translation);
        if (text.isEmpty())
            continue;
        const int line = csv.line();
        const std::string id = trimmed(csv.field(recordId));
        if (!id.empty()) {
            if (const Status s = keepTranslationById(trips, id, csv, recordSubId, text); !s)
                return s;
            continue;
        }
        const QString value = csv.text(fieldValue);
        if (value.isEmpty() || (trips && !headsigns.contains(value)))
            continue;
        QHash<QString, Translation>& byValue = trips ? translations_.tripByValue : translations_.stopByValue;
        if (!byValue.contains(value)) {
            byValue.insert(value, Translation{text, line});
            if (const Status s = keep((value.size() + text.size()) * 2 + 160, file, line); !s)
                return s;
        }
    }
    if (csv.failed())
        return Status::failure(fault(csv.error()));
    return Status::success();
}

Status Reader::keepTranslationById(bool trips, const std::string& id, const CsvReader& csv, int recordSubId,
                                   const QString& text)
{
    const QString file = QStringLiteral("translations.txt");
    const int line = csv.line();
    const auto [from, to] = winning(tripKey(id));
    if (from == to)
        return Status::success();
    if (!trips) {
        const long long sequence = sequenceOf(csv.field(recordSubId));
        if (sequence != std::numeric_limits<long long>::max() &&
            translations_.stopById.emplace(StopKey{from->id, sequence}, Translation{text, line}).second)
            return keep(text.size() * 2 + 160, file, line);
        return Status::success();
    }
    for (auto w = from; w != to; ++w) {
        Group& g = groups_[w->headsign];
        if (w->line >= g.translatedLine)
            continue;
        g.translatedLine = w->line;
        g.translated = text;
        g.translationLine = line;
        if (const Status s = keep(text, file, line); !s)
            return s;
    }
    return Status::success();
}

// Stop names of two words ("Kings Plaza"), which a line break should not
// split where a sign text names them; only their text is kept.
Status Reader::readStops()
{
    const QString file = QStringLiteral("stops.txt");
    if (!feed_.has(file))
        return Status::success();
    auto table = openTable(file, options_.maxTableBytes);
    if (!table)
        return table.status();
    CsvReader& csv = *(*table)->csv;
    const int name = csv.column("stop_name");
    if (name < 0)
        return Status::success();
    QSet<QString> seen;
    qint64 rows = 0;
    while (csv.next()) {
        if (const Status s = countRow(rows, options_.maxStopTimes, file, csv, TooManyStops); !s)
            return s;
        const QStringList words = csv.text(name).simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (words.size() != 2 || words[0].size() + words[1].size() >= SetWords::MaxWordLength ||
            !std::all_of(words.begin(), words.end(), [](const QString& w) { return w.front().isLetterOrNumber(); }))
            continue;
        const QString phrase = words.join(QLatin1Char(' ')).toLower();
        if (seen.contains(phrase))
            continue;
        if (const Status s = keep(phrase, file, csv.line()); !s)
            return s;
        seen.insert(phrase);
    }
    if (csv.failed())
        return Status::failure(fault(csv.error()));
    twoWordStops_ = QStringList(seen.begin(), seen.end());
    return Status::success();
}

Status Reader::readStopTimes()
{
    const QString file = QStringLiteral("stop_times.txt");
    if (!feed_.has(file))
        return Status::success();
    auto table = openTable(file, options_.maxStreamedBytes);
    if (!table)
        return table.status();
    CsvReader& csv = *(*table)->csv;
    const int headsign = csv.column("stop_headsign");
    if (headsign < 0)
        return Status::success(); // no via to read; the rest of the file is never decompressed
    const int trip = csv.column("trip_id");
    const int sequence = csv.column("stop_sequence");
    for (auto [column, name] : {std::pair{trip, "trip_id"}, {sequence, "stop_sequence"}})
        if (column < 0)
            return missingColumn(file, name);

    // A trip's stop times mostly come together: its id is looked up once.
    std::string lastTrip;
    bool haveLast = false;
    int destination = -1;
    KeyedHash::Value tripId;
    qint64 rows = 0;
    while (csv.next()) {
        if (const Status s = countRow(rows, options_.maxStopTimes, file, csv, TooManyStopTimes); !s)
            return s;
        const std::string& rawTrip = csv.field(trip);
        if (!haveLast || rawTrip != lastTrip) {
            lastTrip = rawTrip;
            haveLast = true;
            const bool plain = !rawTrip.empty() && rawTrip.front() != ' ' && rawTrip.back() != ' ';
            tripId = plain ? tripKey(rawTrip) : tripKey(trimmed(rawTrip));
            const auto [from, to] = winning(tripId);
            destination = from == to ? -1 : groups_[from->headsign].destination;
        }
        if (destination < 0)
            continue;
        const std::size_t d = static_cast<std::size_t>(destination);
        if (viaLength_[d] > MaxSignTextLength)
            continue; // the destination is left out already
        std::string value = trimmed(csv.field(headsign));
        const Group& g = groups_[static_cast<std::size_t>(destinationGroups_[d])];
        if (value.empty() || value == g.headsignUtf8)
            continue;
        if (const Status s = addViaValue(d, std::move(value), sequenceOf(csv.field(sequence)), tripId, csv); !s)
            return s;
    }
    if (csv.failed())
        return Status::failure(fault(csv.error()));
    return Status::success();
}

Status Reader::addViaValue(std::size_t d, std::string value, long long sequence, const KeyedHash::Value& tripId,
                           const CsvReader& csv)
{
    auto [it, added] = vias_[d].try_emplace(std::move(value), ViaValue{sequence, csv.line(), {}, 0});
    ViaValue& via = it->second;
    if (added) {
        // The via's length is known as it grows, so a destination whose
        // via no sign could show stops collecting at once.
        viaLength_[d] += static_cast<int>(fromUtf8(it->first).size()) + (vias_[d].size() > 1 ? 2 : 0);
        if (viaLength_[d] > MaxSignTextLength) {
            QStringList values;
            for (const auto& [text, v] : vias_[d])
                values << fromUtf8(text);
            const QString tooLong = signTextLengthError(values.join(QStringLiteral(", ")),
                                                        tr("the via of its stop_headsign values"));
            const Group& g = groups_[static_cast<std::size_t>(destinationGroups_[d])];
            result_.report << tr("stop_times.txt, line %1: %2; %3 is left out")
                                  .arg(csv.line())
                                  .arg(tooLong, routeName(g));
            std::unordered_map<std::string, ViaValue>().swap(vias_[d]);
            return Status::success();
        }
        if (const Status s = keep(static_cast<qint64>(it->first.size()) * 3 + 160, QStringLiteral("stop_times.txt"),
                                  csv.line());
            !s)
            return s;
    } else if (sequence < via.sequence) {
        via.sequence = sequence;
    }
    if (via.translation.isEmpty() && !translations_.stopById.empty()) {
        const auto t = translations_.stopById.find(StopKey{tripId, sequence});
        if (t != translations_.stopById.end()) {
            via.translation = t->second.text;
            via.translationLine = t->second.line;
        }
    }
    return Status::success();
}

// Each destination's texts, and the left out: a text no sign could show.
Status Reader::compose()
{
    std::vector<int> kept;
    for (std::size_t i = 0; i < destinationGroups_.size(); ++i) {
        const Group& g = groups_[static_cast<std::size_t>(destinationGroups_[i])];
        if (viaLength_[i] > MaxSignTextLength)
            continue; // reported as it was read
        Composed c;
        const QString viaTooLong = composeVia(i, c);
        const QString leftOut = composeTexts(g, viaTooLong, c);
        if (!leftOut.isEmpty()) {
            result_.report << tr("%1; %2 is left out").arg(leftOut, routeName(g));
            continue;
        }
        kept.push_back(destinationGroups_[i]);
        composed_.push_back(std::move(c));
    }
    if (kept.empty())
        return Status::failure(fault(tr("no route of the feed has texts a sign can show")));
    destinationGroups_ = std::move(kept);
    vias_.clear();
    return Status::success();
}

QString Reader::composeVia(std::size_t i, Composed& c) const
{
    // The via values in the order the trips reach them.
    std::vector<std::pair<const std::string*, const ViaValue*>> values;
    for (const auto& [text, via] : vias_[i])
        values.emplace_back(&text, &via);
    std::sort(values.begin(), values.end(), [](const auto& a, const auto& b) {
        return a.second->sequence != b.second->sequence ? a.second->sequence < b.second->sequence
                                                        : a.second->line < b.second->line;
    });
    QStringList via;
    QStringList viaTranslated;
    bool viaComplete = true;
    QString where; // the line of the via value whose translation passed the limit
    int length = 0;
    for (const auto& [text, value] : values) {
        const QString own = fromUtf8(*text);
        via << own;
        QString t = value->translation;
        int line = value->translationLine;
        if (t.isEmpty()) {
            const Translation byValue = translations_.stopByValue.value(own);
            t = byValue.text;
            line = byValue.line;
        }
        if (t.isEmpty() && result_.georgian) {
            t = suggestLatin(own);
            c.viaSuggested = true;
        }
        if (t.isEmpty())
            viaComplete = false;
        length += static_cast<int>(t.size()) + (viaTranslated.isEmpty() ? 0 : 2);
        if (length > MaxSignTextLength && where.isEmpty())
            where = line > 0 ? tr("translations.txt, line %1").arg(line)
                             : tr("stop_times.txt, line %1").arg(value->line);
        viaTranslated << t;
    }
    c.viaText = via.join(QStringLiteral(", "));
    c.viaOther = viaComplete ? viaTranslated.join(QStringLiteral(", ")) : QString();
    return where;
}

QString Reader::composeTexts(const Group& g, const QString& viaTooLong, Composed& c) const
{
    QString translated = g.translated;
    int translationLine = g.translationLine;
    if (translated.isEmpty()) {
        const Translation byValue = translations_.tripByValue.value(g.headsign);
        translated = byValue.text;
        translationLine = byValue.line;
    }

    Destination& d = c.texts;
    QString leftOut;
    if (result_.georgian) {
        d.destinationKa = g.headsign;
        d.viaKa = c.viaText;
        d.viaEn = c.viaOther;
        if (translated.isEmpty()) {
            d.destinationEn = suggestLatin(g.headsign);
            d.latinSuggested = true;
            const QString tooLong = signTextLengthError(d.destinationEn, tr("the Latin name suggested"));
            if (!tooLong.isEmpty())
                leftOut = tr("trips.txt, line %1: %2").arg(g.firstLine).arg(tooLong);
        } else {
            d.destinationEn = translated;
        }
    } else {
        d.destinationEn = g.headsign;
        d.destinationKa = translated;
        d.viaEn = c.viaText;
        d.viaKa = c.viaOther;
    }
    if (leftOut.isEmpty() && !translated.isEmpty()) {
        const QString tooLong = signTextLengthError(translated, tr("its translation"));
        if (!tooLong.isEmpty())
            leftOut = tr("translations.txt, line %1: %2").arg(translationLine).arg(tooLong);
    }
    if (leftOut.isEmpty()) {
        const QString tooLong = signTextLengthError(c.viaOther, tr("the via's translation"));
        if (!tooLong.isEmpty())
            leftOut = QStringLiteral("%1: %2").arg(viaTooLong, tooLong);
    }
    return leftOut;
}

void Reader::chooseRouteCodes()
{
    // A short name no file can be named after gives way to the route_id as
    // an empty one does.
    QSet<int> destined;
    for (int g : destinationGroups_)
        destined.insert(groups_[static_cast<std::size_t>(g)].route);
    QHash<QString, int> shortNames;
    for (int r : destined)
        ++shortNames[codeKey(routes_[static_cast<std::size_t>(r)].shortName)];
    for (int g : destinationGroups_) {
        Route& r = routes_[static_cast<std::size_t>(groups_[static_cast<std::size_t>(g)].route)];
        if (!r.code.isEmpty())
            continue;
        if (r.shortName.isEmpty()) {
            r.code = r.id;
            result_.report << tr("route_id %1: no route_short_name; the code is its route_id").arg(r.id);
        } else if (!usableCode(r.shortName)) {
            r.code = r.id;
            result_.report << tr("route_id %1: the route_short_name \"%2\" cannot name a file; the code is "
                                             "its route_id")
                                  .arg(r.id, r.shortName);
        } else if (shortNames.value(codeKey(r.shortName)) > 1) {
            r.code = r.id;
            result_.report << tr("route_id %1: the route_short_name \"%2\" is shared with another route; the "
                                             "code is its route_id")
                                  .arg(r.id, r.shortName);
        } else {
            r.code = r.shortName;
        }
    }
}

Status Reader::assignCodes()
{
    chooseRouteCodes();
    QSet<QString> used;
    std::vector<const Composed*> kept;
    for (std::size_t i = 0; i < destinationGroups_.size(); ++i) {
        const Group& group = groups_[static_cast<std::size_t>(destinationGroups_[i])];
        const Route& r = routes_[static_cast<std::size_t>(group.route)];
        // The direction's other headsigns after its most common: "B41-2".
        QString suffix = group.direction == 1 ? options_.returnSuffix : QString();
        if (group.rank > 0)
            suffix += SetWords::variantCode(options_.variantRule(), group.rank + 1);
        QString code = r.code + suffix;
        if (used.contains(codeKey(code)) || !usableCode(code)) {
            const QString fallback = r.id + suffix;
            if (used.contains(codeKey(fallback)) || fallback == code || !usableCode(fallback)) {
                result_.report << tr("route_id %1: neither \"%2\" nor its route_id can be its code (taken by "
                                                 "another route, or no file can be named so); left out")
                                      .arg(r.id, code);
                continue;
            }
            result_.report << tr("route_id %1: the code \"%2\" %3; the code is \"%4\"")
                                  .arg(r.id, code,
                                       usableCode(code) ? tr("is taken by another route")
                                                        : tr("cannot name a file"),
                                       fallback);
            code = fallback;
        }
        used.insert(codeKey(code));
        kept.push_back(&composed_[i]);
        Destination d = composed_[i].texts;
        d.code = code;
        d.route = r.code;
        d.note = r.longName;
        d.agency = r.agencyKey;
        d.routeId = r.id;
        result_.destinations.push_back(d);
    }
    if (kept.empty())
        return Status::failure(fault(tr("no route of the feed has a code that can name a file")));
    if (result_.georgian)
        reportSuggestions(kept);
    return Status::success();
}

void Reader::reportSuggestions(const std::vector<const Composed*>& kept)
{
    for (std::size_t i = 0; i < kept.size(); ++i) {
        const Destination& d = result_.destinations[i];
        if (d.latinSuggested)
            result_.report << tr("%1: no English name for \"%2\" in translations.txt; \"%3\" is suggested")
                                  .arg(d.code, d.destinationKa, d.destinationEn);
        // Only the Latin destination is marked as a suggestion; a guessed
        // via is recognised by the difference when it is compared.
        if (kept[i]->viaSuggested)
            result_.report << tr("%1: the via \"%2\" is not all in translations.txt; \"%3\" is suggested")
                                  .arg(d.code, kept[i]->viaText, kept[i]->viaOther);
    }
}

Status Reader::findScope()
{
    ImportScope& scope = result_.scope;
    for (const Route& r : routes_) {
        const QString key = ImportScope::routeKey(r.agencyKey, r.id);
        scope.listed.insert(key);
        if (!r.selected)
            continue;
        scope.agencies.insert(r.agencyKey);
        if (r.trips > 0)
            scope.run.insert(key);
    }
    for (const Destination& d : result_.destinations)
        scope.routes.insert(d.route.toLower());
    return Status::success();
}

const QStringList& Reader::twoWordStops() const { return twoWordStops_; }

Expected<GtfsImportResult> Reader::run()
{
    if (options_.returnSuffix.trimmed().isEmpty())
        return Failure::failure(fault(tr("the second direction needs a code suffix")));
    if (options_.progress) {
        // trips.txt is read twice.
        for (const char* file : {"feed_info.txt", "agency.txt", "routes.txt", "trips.txt", "trips.txt", "translations.txt",
                                 "stops.txt", "stop_times.txt"})
            total_ += feed_.size(QLatin1String(file));
        if (!options_.progress(0, total_))
            return Failure::failure(fault(tr("the import was stopped")));
    }
    for (Status (Reader::*step)() :
         {&Reader::readFeedInfo, &Reader::readAgencies, &Reader::readRoutes, &Reader::readTrips, &Reader::chooseHeadsigns,
          &Reader::decideLanguage, &Reader::readTranslations, &Reader::readStops, &Reader::readStopTimes, &Reader::compose,
          &Reader::assignCodes, &Reader::findScope}) {
        const Status s = (this->*step)();
        if (!s)
            return s;
    }
    if (options_.progress)
        options_.progress(std::max(done_, total_), total_);
    return std::move(result_);
}

// The first ten phrases whole, and how many more: a big city's feed names
// hundreds.
QString listedPhrases(const QStringList& phrases)
{
    constexpr int Listed = 10;
    QStringList shown = phrases.mid(0, Listed);
    if (phrases.size() > Listed)
        shown << QCoreApplication::translate("GtfsImport", "and %1 more").arg(phrases.size() - Listed);
    return shown.join(QStringLiteral(", "));
}

// The phrases of `phrases` (two words, in small letters) that the texts
// name, as the first text that names one writes it.
QStringList namedPhrases(const std::vector<Destination>& destinations, const QStringList& phrases)
{
    if (phrases.isEmpty())
        return {};
    std::map<QString, QString> pairs; // the texts' word pairs, in small letters
    for (const Destination& d : destinations)
        for (const QString* text : {&d.destinationEn, &d.destinationKa, &d.viaEn, &d.viaKa}) {
            const QStringList words = text->split(QRegularExpression(QStringLiteral("[\\s,/]+")), Qt::SkipEmptyParts);
            for (qsizetype i = 0; i + 1 < words.size(); ++i) {
                const QString pair = words[i] + QLatin1Char(' ') + words[i + 1];
                pairs.emplace(pair.toLower(), pair);
            }
        }
    QStringList out;
    for (const QString& phrase : phrases) {
        const auto found = pairs.find(phrase);
        if (found != pairs.end())
            out << found->second;
    }
    out.sort(Qt::CaseInsensitive);
    return out;
}

} // namespace

Expected<GtfsImportResult> GtfsImport::read(const QString& feedPath, const GtfsOptions& options)
{
    Expected<GtfsFeed> feed = GtfsFeed::open(feedPath);
    if (!feed)
        return feed.status();
    return read(*feed, options);
}

Expected<GtfsImportResult> GtfsImport::read(const GtfsFeed& feed, const GtfsOptions& options)
{
    Reader reader(feed, options);
    Expected<GtfsImportResult> run = reader.run();
    if (!run)
        return run;
    GtfsImportResult read = std::move(run).value();
    // Before the via split, which romanizes what it cuts off a Georgian text.
    read.scripts = placeScripts(read.destinations, read.language);
    for (const ScriptNote& n : read.scripts)
        read.report << QStringLiteral("%1: %2; %3").arg(n.code, n.note,
                                                        n.moved ? QCoreApplication::translate("GtfsImport", "proposed as %1").arg(n.field)
                                                                : QCoreApplication::translate("GtfsImport", "left there, as the other column has a text"));
    const ImportShaping shaped = shapeImported(read.destinations, options.words, options.letterCase);
    if (shaped.viaSplit > 0)
        read.report << QCoreApplication::translate("GtfsImport", "%1 of the headsigns name their via; it is split off the destination")
                            .arg(shaped.viaSplit);
    if (shaped.titleCased > 0)
        read.report << QCoreApplication::translate("GtfsImport", "%1 of the Latin texts are in capitals only; title case is suggested")
                            .arg(shaped.titleCased);
    read.notes = shaped.notes;
    read.report << shapingReport(shaped);
    read.keepTogether = namedPhrases(read.destinations, reader.twoWordStops());
    if (!read.keepTogether.isEmpty())
        read.report << QCoreApplication::translate("GtfsImport", "stop names of two words in the texts, which the "
                                                                 "signs' line breaks keep together once the import "
                                                                 "is applied (%1): %2")
                           .arg(read.keepTogether.size())
                           .arg(listedPhrases(read.keepTogether));
    return read;
}

} // namespace vexel
