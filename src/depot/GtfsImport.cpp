#include "depot/GtfsImport.h"

#include "depot/CsvReader.h"
#include "depot/FileStem.h"
#include "depot/Romanization.h"

#include <QHash>
#include <QLocale>
#include <QSet>

#include <algorithm>
#include <limits>
#include <memory>
#include <unordered_map>

namespace vexel {

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

std::string stopKey(const std::string& tripId, long long sequence)
{
    return tripId + '\x1f' + std::to_string(sequence);
}

struct Route {
    QString id;
    QString shortName;
    QString longName;
    double sortOrder = 0;
    bool hasSortOrder = false;
    int type = -1;
    QString agency;
    bool selected = false;
    QString code; // the base of its destinations' codes
};

struct HeadsignCount {
    int count = 0;
    int firstTrip = 0;
};

// One route and direction.
struct Group {
    int route = 0;
    int direction = 0;
    std::map<QString, HeadsignCount> headsigns;
    QString headsign; // the winner
    std::string headsignUtf8;
    std::vector<int> winningTrips; // in file order
    int destination = -1;
};

struct ViaValue {
    long long sequence = 0;
    long long row = 0;
    QString translation; // by record id, from the first row that had one
};

struct Translations {
    QHash<QString, QString> tripById;
    QHash<QString, QString> tripByValue;
    std::unordered_map<std::string, QString> stopById;
    QHash<QString, QString> stopByValue;
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
            stopped_ = "the import was stopped";
            return -1;
        }
        return n;
    }
    const std::string& error() const override { return stopped_.empty() ? inner_->error() : stopped_; }

private:
    std::unique_ptr<ByteStream> inner_;
    std::function<bool(qint64)> advance_;
    std::string stopped_;
};

class Reader {
public:
    Reader(const GtfsFeed& feed, const GtfsOptions& options) : feed_(feed), options_(options) {}
    Expected<GtfsImportResult> run();

private:
    // A table as a reader over its stream, the header read.
    struct Table {
        std::unique_ptr<ByteStream> stream;
        std::unique_ptr<CsvReader> csv;
    };
    Expected<std::shared_ptr<Table>> openTable(const QString& file, qint64 maxBytes);
    Failure missingColumn(const QString& file, const char* column) const;

    Status readFeedInfo();
    Status readRoutes();
    Status readTrips();
    Status chooseHeadsigns();
    Status decideLanguage();
    Status readTranslations();
    Status readStopTimes();
    Status assignCodes();
    void finish();

    std::string fault(const QString& reason) const
    {
        return QStringLiteral("Cannot import the feed \"%1\": %2").arg(feed_.name(), reason).toStdString();
    }
    std::string fault(const std::string& reason) const { return fault(QString::fromStdString(reason)); }

    const GtfsFeed& feed_;
    const GtfsOptions& options_;
    GtfsImportResult result_;
    QString feedLang_;
    QString defaultLang_;
    std::vector<Route> routes_;
    std::unordered_map<std::string, int> routeIndex_;
    std::vector<std::string> tripIds_;
    std::vector<Group> groups_;
    std::vector<int> destinationGroups_;
    Translations translations_;
    std::vector<std::unordered_map<std::string, ViaValue>> vias_;
    qint64 done_ = 0;
    qint64 total_ = 0;
    qint64 told_ = 0;
};

Expected<std::shared_ptr<Reader::Table>> Reader::openTable(const QString& file, qint64 maxBytes)
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
    return table;
}

Failure Reader::missingColumn(const QString& file, const char* column) const
{
    return Failure::failure(fault(QStringLiteral("%1 has no column \"%2\"").arg(file, QLatin1String(column))));
}

Status Reader::readFeedInfo()
{
    const QString file = QStringLiteral("feed_info.txt");
    if (!feed_.has(file))
        return Status::success();
    auto table = openTable(file, options_.maxTableBytes);
    if (!table)
        return table.status();
    CsvReader& csv = *(*table)->csv;
    const int lang = csv.column("feed_lang");
    if (lang < 0)
        return missingColumn(file, "feed_lang").status();
    const int defaultLang = csv.column("default_lang");
    const int version = csv.column("feed_version");
    if (csv.next()) {
        feedLang_ = primaryLanguage(csv.text(lang));
        defaultLang_ = primaryLanguage(csv.text(defaultLang));
        result_.feedVersion = csv.text(version);
    }
    if (csv.failed())
        return Status::failure(fault(csv.error()));
    return Status::success();
}

Status Reader::readRoutes()
{
    const QString file = QStringLiteral("routes.txt");
    if (!feed_.has(file))
        return Status::failure(fault(QStringLiteral("it has no routes.txt")));
    auto table = openTable(file, options_.maxTableBytes);
    if (!table)
        return table.status();
    CsvReader& csv = *(*table)->csv;
    const int id = csv.column("route_id");
    if (id < 0)
        return missingColumn(file, "route_id").status();
    const int shortName = csv.column("route_short_name");
    const int longName = csv.column("route_long_name");
    const int sortOrder = csv.column("route_sort_order");
    const int type = csv.column("route_type");
    const int agency = csv.column("agency_id");
    if (!options_.routeTypes.isEmpty() && type < 0)
        return missingColumn(file, "route_type").status();
    if (!options_.agencyIds.isEmpty() && agency < 0)
        return missingColumn(file, "agency_id").status();

    QSet<QString> agencies;
    while (csv.next()) {
        Route r;
        const std::string key = trimmed(csv.field(id));
        r.id = fromUtf8(key);
        if (r.id.isEmpty())
            return Status::failure(fault(QStringLiteral("routes.txt, line %1: the route_id is empty").arg(csv.line())));
        if (routeIndex_.count(key))
            return Status::failure(
                fault(QStringLiteral("routes.txt, line %1: the route_id \"%2\" is named twice").arg(csv.line()).arg(r.id)));
        r.shortName = csv.text(shortName);
        r.longName = csv.text(longName);
        bool ok = false;
        r.sortOrder = csv.text(sortOrder).toDouble(&ok);
        r.hasSortOrder = ok;
        r.type = csv.text(type).toInt(&ok);
        if (!ok)
            r.type = -1;
        else
            ++result_.routeTypes[r.type];
        r.agency = csv.text(agency);
        if (!r.agency.isEmpty() && !agencies.contains(r.agency)) {
            agencies.insert(r.agency);
            result_.agencies << r.agency;
        }
        r.selected = (options_.routeTypes.isEmpty() || options_.routeTypes.contains(r.type)) &&
                     (options_.agencyIds.isEmpty() || options_.agencyIds.contains(r.agency));
        routeIndex_.emplace(key, static_cast<int>(routes_.size()));
        routes_.push_back(r);
    }
    if (csv.failed())
        return Status::failure(fault(csv.error()));
    if (routes_.empty())
        return Status::failure(fault(QStringLiteral("routes.txt holds no route")));
    if (std::none_of(routes_.begin(), routes_.end(), [](const Route& r) { return r.selected; })) {
        QStringList wanted;
        if (!options_.routeTypes.isEmpty()) {
            QStringList types;
            for (int t : options_.routeTypes)
                types << QString::number(t);
            wanted << QStringLiteral("of route type %1").arg(types.join(QStringLiteral(" or ")));
        }
        if (!options_.agencyIds.isEmpty())
            wanted << QStringLiteral("of agency %1").arg(options_.agencyIds.join(QStringLiteral(" or ")));
        return Status::failure(fault(QStringLiteral("no route is %1").arg(wanted.join(QStringLiteral(" and ")))));
    }
    return Status::success();
}

Status Reader::readTrips()
{
    const QString file = QStringLiteral("trips.txt");
    if (!feed_.has(file))
        return Status::failure(fault(QStringLiteral("it has no trips.txt")));
    auto table = openTable(file, options_.maxTableBytes);
    if (!table)
        return table.status();
    CsvReader& csv = *(*table)->csv;
    const int route = csv.column("route_id");
    const int trip = csv.column("trip_id");
    const int headsign = csv.column("trip_headsign");
    const int direction = csv.column("direction_id");
    for (auto [column, name] : {std::pair{route, "route_id"}, {trip, "trip_id"}, {headsign, "trip_headsign"}})
        if (column < 0)
            return missingColumn(file, name).status();

    groups_.resize(routes_.size() * 2);
    for (std::size_t i = 0; i < routes_.size(); ++i)
        for (int d = 0; d < 2; ++d) {
            groups_[i * 2 + static_cast<std::size_t>(d)].route = static_cast<int>(i);
            groups_[i * 2 + static_cast<std::size_t>(d)].direction = d;
        }
    int unknownRoute = 0;
    int badDirection = 0;
    int firstBadLine = 0;
    // Per trip of a chosen route: its group and headsign, to find the trips
    // that carry each winning headsign once the counts are known.
    std::vector<std::pair<int, QString>> trips;
    while (csv.next()) {
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
        const int g = found->second * 2 + (d == "1" ? 1 : 0);
        const QString sign = csv.text(headsign);
        const int index = static_cast<int>(tripIds_.size());
        tripIds_.push_back(trimmed(csv.field(trip)));
        trips.emplace_back(g, sign);
        if (sign.isEmpty())
            continue;
        HeadsignCount& count = groups_[static_cast<std::size_t>(g)].headsigns[sign];
        if (count.count++ == 0)
            count.firstTrip = index;
    }
    if (csv.failed())
        return Status::failure(fault(csv.error()));
    if (unknownRoute)
        result_.report << QStringLiteral("trips.txt: %1 trips of routes that routes.txt does not name were left out")
                              .arg(unknownRoute);
    if (badDirection)
        result_.report << QStringLiteral("trips.txt: %1 trips with a direction_id other than 0 or 1 were left out "
                                         "(the first on line %2)")
                              .arg(badDirection)
                              .arg(firstBadLine);

    for (Group& g : groups_) {
        const HeadsignCount* best = nullptr;
        for (const auto& [sign, count] : g.headsigns)
            if (!best || count.count > best->count || (count.count == best->count && count.firstTrip < best->firstTrip)) {
                best = &count;
                g.headsign = sign;
            }
        g.headsignUtf8 = g.headsign.toStdString();
    }
    for (std::size_t t = 0; t < trips.size(); ++t) {
        Group& g = groups_[static_cast<std::size_t>(trips[t].first)];
        if (!g.headsign.isEmpty() && trips[t].second == g.headsign)
            g.winningTrips.push_back(static_cast<int>(t));
    }
    return Status::success();
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
    for (int r : order) {
        const Route& route = routes_[static_cast<std::size_t>(r)];
        if (!route.selected)
            continue;
        bool any = false;
        for (int d = 0; d < 2; ++d) {
            const int g = r * 2 + d;
            if (groups_[static_cast<std::size_t>(g)].headsign.isEmpty())
                continue;
            groups_[static_cast<std::size_t>(g)].destination = static_cast<int>(destinationGroups_.size());
            destinationGroups_.push_back(g);
            any = true;
        }
        if (!any)
            result_.report << QStringLiteral("route %1: no trip names a trip_headsign; left out")
                                  .arg(route.shortName.isEmpty() ? route.id : route.shortName);
    }
    if (destinationGroups_.empty())
        return Status::failure(fault(QStringLiteral("no trip of the chosen routes names a trip_headsign")));
    vias_.resize(destinationGroups_.size());
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
        result_.report << QStringLiteral("%1; the headsigns are taken as %2")
                              .arg(why, georgian ? QStringLiteral("Georgian") : QStringLiteral("Latin"));
        return Status::success();
    };
    if (lang.isEmpty())
        return byText(QStringLiteral("feed_info.txt names no language of the feed"));
    result_.language = lang;
    if (lang == QLatin1String("ka")) {
        result_.georgian = true;
        return Status::success();
    }
    const QLocale locale(lang);
    if (locale.language() == QLocale::C || locale.language() == QLocale::AnyLanguage)
        return byText(QStringLiteral("the feed's language \"%1\" is not one this program knows").arg(lang));
    if (locale.script() == QLocale::LatinScript)
        return Status::success();
    return Status::failure(fault(QStringLiteral("its language \"%1\" is written in %2 letters; only feeds in Georgian "
                                                "or in a language of Latin letters can be imported")
                                     .arg(lang, QLocale::scriptToString(locale.script()))));
}

Status Reader::readTranslations()
{
    const QString file = QStringLiteral("translations.txt");
    if (!feed_.has(file))
        return Status::success();
    auto table = openTable(file, options_.maxTableBytes);
    if (!table)
        return table.status();
    CsvReader& csv = *(*table)->csv;
    const int tableName = csv.column("table_name");
    const int fieldName = csv.column("field_name");
    const int language = csv.column("language");
    const int translation = csv.column("translation");
    for (auto [column, name] : {std::pair{tableName, "table_name"}, {fieldName, "field_name"}, {language, "language"},
                                {translation, "translation"}})
        if (column < 0)
            return missingColumn(file, name).status();
    const int recordId = csv.column("record_id");
    const int recordSubId = csv.column("record_sub_id");
    const int fieldValue = csv.column("field_value");
    const QString wanted = result_.georgian ? QStringLiteral("en") : QStringLiteral("ka");
    while (csv.next()) {
        const std::string t = trimmed(csv.field(tableName));
        const std::string f = trimmed(csv.field(fieldName));
        const bool trips = t == "trips" && f == "trip_headsign";
        const bool stops = t == "stop_times" && f == "stop_headsign";
        if ((!trips && !stops) || primaryLanguage(csv.text(language)) != wanted)
            continue;
        const QString text = csv.text(translation);
        if (text.isEmpty())
            continue;
        const std::string id = trimmed(csv.field(recordId));
        if (!id.empty()) {
            if (trips) {
                const QString key = fromUtf8(id);
                if (!translations_.tripById.contains(key))
                    translations_.tripById.insert(key, text);
            } else {
                const long long sequence = sequenceOf(csv.field(recordSubId));
                if (sequence != std::numeric_limits<long long>::max())
                    translations_.stopById.emplace(stopKey(id, sequence), text);
            }
            continue;
        }
        const QString value = csv.text(fieldValue);
        if (value.isEmpty())
            continue;
        QHash<QString, QString>& byValue = trips ? translations_.tripByValue : translations_.stopByValue;
        if (!byValue.contains(value))
            byValue.insert(value, text);
    }
    if (csv.failed())
        return Status::failure(fault(csv.error()));
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
            return missingColumn(file, name).status();

    std::unordered_map<std::string, int> destinationOf; // trip_id -> destination
    for (int g : destinationGroups_)
        for (int t : groups_[static_cast<std::size_t>(g)].winningTrips)
            destinationOf.emplace(tripIds_[static_cast<std::size_t>(t)], groups_[static_cast<std::size_t>(g)].destination);

    std::string tripId;
    long long row = 0;
    while (csv.next()) {
        ++row;
        const std::string& rawTrip = csv.field(trip);
        const bool plain = !rawTrip.empty() && rawTrip.front() != ' ' && rawTrip.back() != ' ';
        const auto found = destinationOf.find(plain ? rawTrip : trimmed(rawTrip));
        if (found == destinationOf.end())
            continue;
        std::string value = trimmed(csv.field(headsign));
        const Group& g = groups_[static_cast<std::size_t>(destinationGroups_[static_cast<std::size_t>(found->second)])];
        if (value.empty() || value == g.headsignUtf8)
            continue;
        const long long seq = sequenceOf(csv.field(sequence));
        auto [it, added] = vias_[static_cast<std::size_t>(found->second)].try_emplace(std::move(value), ViaValue{seq, row, {}});
        ViaValue& via = it->second;
        if (!added && seq < via.sequence)
            via.sequence = seq;
        if (via.translation.isEmpty() && !translations_.stopById.empty()) {
            const auto t = translations_.stopById.find(stopKey(found->first, seq));
            if (t != translations_.stopById.end())
                via.translation = t->second;
        }
    }
    if (csv.failed())
        return Status::failure(fault(csv.error()));
    return Status::success();
}

Status Reader::assignCodes()
{
    // Codes name files and the set keeps them apart without regard to case,
    // so "12a" and "12A" are one code, and a short name no file can be named
    // after gives way to the route_id as an empty one does.
    auto key = [](const QString& code) { return code.toLower(); };
    auto usable = [](const QString& code) { return FileStem::check(code, QStringLiteral("the code")).ok(); };
    QHash<QString, int> shortNames;
    for (int g : destinationGroups_)
        if (groups_[static_cast<std::size_t>(g)].direction == 0 ||
            groups_[static_cast<std::size_t>(g - 1)].destination < 0)
            ++shortNames[key(routes_[static_cast<std::size_t>(groups_[static_cast<std::size_t>(g)].route)].shortName)];
    for (int g : destinationGroups_) {
        Route& r = routes_[static_cast<std::size_t>(groups_[static_cast<std::size_t>(g)].route)];
        if (!r.code.isEmpty())
            continue;
        if (r.shortName.isEmpty()) {
            r.code = r.id;
            result_.report << QStringLiteral("route_id %1: no route_short_name; the code is its route_id").arg(r.id);
        } else if (!usable(r.shortName)) {
            r.code = r.id;
            result_.report << QStringLiteral("route_id %1: the route_short_name \"%2\" cannot name a file; the code is "
                                             "its route_id")
                                  .arg(r.id, r.shortName);
        } else if (shortNames.value(key(r.shortName)) > 1) {
            r.code = r.id;
            result_.report << QStringLiteral("route_id %1: the route_short_name \"%2\" is shared with another route; the "
                                             "code is its route_id")
                                  .arg(r.id, r.shortName);
        } else {
            r.code = r.shortName;
        }
    }
    QSet<QString> used;
    std::vector<int> kept;
    std::vector<std::unordered_map<std::string, ViaValue>> keptVias;
    for (std::size_t i = 0; i < destinationGroups_.size(); ++i) {
        const int g = destinationGroups_[i];
        const Group& group = groups_[static_cast<std::size_t>(g)];
        const Route& r = routes_[static_cast<std::size_t>(group.route)];
        const QString suffix = group.direction == 1 ? options_.returnSuffix : QString();
        QString code = r.code + suffix;
        if (used.contains(key(code)) || !usable(code)) {
            const QString fallback = r.id + suffix;
            if (used.contains(key(fallback)) || fallback == code || !usable(fallback)) {
                result_.report << QStringLiteral("route_id %1: neither \"%2\" nor its route_id can be its code (taken by "
                                                 "another route, or no file can be named so); left out")
                                      .arg(r.id, code);
                continue;
            }
            result_.report << QStringLiteral("route_id %1: the code \"%2\" %3; the code is \"%4\"")
                                  .arg(r.id, code,
                                       usable(code) ? QStringLiteral("is taken by another route")
                                                    : QStringLiteral("cannot name a file"),
                                       fallback);
            code = fallback;
        }
        used.insert(key(code));
        kept.push_back(g);
        keptVias.push_back(std::move(vias_[i]));
        Destination d;
        d.code = code;
        d.route = r.code;
        d.note = r.longName;
        result_.destinations.push_back(d);
    }
    if (kept.empty())
        return Status::failure(fault(QStringLiteral("no route of the feed has a code that can name a file")));
    destinationGroups_ = std::move(kept);
    vias_ = std::move(keptVias);
    return Status::success();
}

void Reader::finish()
{
    for (std::size_t i = 0; i < destinationGroups_.size(); ++i) {
        const Group& g = groups_[static_cast<std::size_t>(destinationGroups_[i])];
        Destination& d = result_.destinations[i];

        QString translated;
        for (int t : g.winningTrips) {
            translated = translations_.tripById.value(fromUtf8(tripIds_[static_cast<std::size_t>(t)]));
            if (!translated.isEmpty())
                break;
        }
        if (translated.isEmpty())
            translated = translations_.tripByValue.value(g.headsign);

        // The via values in the order the trips reach them.
        std::vector<std::pair<const std::string*, const ViaValue*>> values;
        for (const auto& [text, via] : vias_[i])
            values.emplace_back(&text, &via);
        std::sort(values.begin(), values.end(), [](const auto& a, const auto& b) {
            return a.second->sequence != b.second->sequence ? a.second->sequence < b.second->sequence
                                                            : a.second->row < b.second->row;
        });
        QStringList via;
        QStringList viaTranslated;
        bool viaComplete = true;
        bool viaSuggested = false;
        for (const auto& [text, value] : values) {
            const QString own = fromUtf8(*text);
            via << own;
            QString t = value->translation;
            if (t.isEmpty())
                t = translations_.stopByValue.value(own);
            if (t.isEmpty() && result_.georgian) {
                t = suggestLatin(own);
                viaSuggested = true;
            }
            if (t.isEmpty())
                viaComplete = false;
            viaTranslated << t;
        }
        const QString viaText = via.join(QStringLiteral(", "));
        const QString viaOther = viaComplete ? viaTranslated.join(QStringLiteral(", ")) : QString();

        if (result_.georgian) {
            d.destinationKa = g.headsign;
            d.viaKa = viaText;
            d.viaEn = viaOther;
            if (translated.isEmpty()) {
                d.destinationEn = suggestLatin(g.headsign);
                d.latinSuggested = true;
                result_.report << QStringLiteral("%1: no English name for \"%2\" in translations.txt; \"%3\" is suggested")
                                      .arg(d.code, g.headsign, d.destinationEn);
            } else {
                d.destinationEn = translated;
            }
            // Only the Latin destination is marked as a suggestion; a guessed
            // via is recognised by the difference when it is compared.
            if (viaSuggested) {
                result_.report << QStringLiteral("%1: the via \"%2\" is not all in translations.txt; \"%3\" is suggested")
                                      .arg(d.code, viaText, viaOther);
            }
        } else {
            d.destinationEn = g.headsign;
            d.destinationKa = translated;
            d.viaEn = viaText;
            d.viaKa = viaOther;
        }
    }
}

Expected<GtfsImportResult> Reader::run()
{
    if (options_.returnSuffix.trimmed().isEmpty())
        return Failure::failure(fault(QStringLiteral("the second direction needs a code suffix")));
    if (options_.progress) {
        for (const char* file : {"feed_info.txt", "routes.txt", "trips.txt", "translations.txt", "stop_times.txt"})
            total_ += feed_.size(QLatin1String(file));
        if (!options_.progress(0, total_))
            return Failure::failure(fault(QStringLiteral("the import was stopped")));
    }
    for (Status (Reader::*step)() :
         {&Reader::readFeedInfo, &Reader::readRoutes, &Reader::readTrips, &Reader::chooseHeadsigns,
          &Reader::decideLanguage, &Reader::readTranslations, &Reader::readStopTimes, &Reader::assignCodes}) {
        const Status s = (this->*step)();
        if (!s)
            return s;
    }
    finish();
    if (options_.progress)
        options_.progress(std::max(done_, total_), total_);
    return std::move(result_);
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
    return reader.run();
}

} // namespace vexel
