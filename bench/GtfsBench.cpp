// A city's feed imported up to the difference an operator is shown: 500
// routes, 50,000 trips, 100,000 translations and a stop_times.txt of
// 1,000,000 rows with stop headsigns, as a deflated zip; beside reading the
// zip's bytes alone, with the peak resident memory of a fresh process that
// imports it once. And the difference of 500 destinations beside merely
// comparing them.
#include "PeakMemory.h"

#include "BenchSupport.h"
#include "feeds/DestinationDiff.h"
#include "feeds/GtfsImport.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <zip.h>

#include <cstdio>
#include <vector>

namespace {

using namespace vexel;

constexpr int Routes = 500;
constexpr int TripsPerRoute = 100;
constexpr int StopsPerTrip = 20;
// A route's first direction names a second headsign on a fifth of its trips,
// enough to be a destination of its own (B41, B41-2).
constexpr int DestinationsRead = Routes * 3;

const char* const places[] = {"აეროპორტი", "დიდუბე", "გლდანი", "ვარკეთილი", "საბურთალო", "ორთაჭალა", "ვაკე", "დიღომი"};
const char* const vias[] = {"რუსთაველი", "მარჯანიშვილი", "წერეთელი", "ჭავჭავაძე", "ვაჟა-ფშაველა", "თამარ მეფე"};

struct Feed {
    QTemporaryDir dir;
    QString zip;
    std::vector<QByteArray> texts; // kept until the zip is written
    bool ok = false;

    Feed()
    {
        zip = dir.filePath(QStringLiteral("city.zip"));
        QByteArray routes = "route_id,agency_id,route_short_name,route_long_name,route_type\r\n";
        QByteArray trips = "route_id,service_id,trip_id,trip_headsign,direction_id,shape_id\r\n";
        QByteArray translations = "table_name,field_name,language,translation,record_id,record_sub_id,field_value\r\n";
        QByteArray stopTimes = "trip_id,arrival_time,departure_time,stop_id,stop_sequence,stop_headsign\r\n";
        stopTimes.reserve(64 * 1024 * 1024);
        for (int r = 0; r < Routes; ++r) {
            const QByteArray id = "R" + QByteArray::number(r);
            routes += id + ",TT," + QByteArray::number(r + 1) + ",\"Line " + QByteArray::number(r + 1) + "\",3\r\n";
            for (int t = 0; t < TripsPerRoute; ++t) {
                const int direction = t % 2;
                const QByteArray trip = id + "_" + QByteArray::number(t);
                const QByteArray sign = places[(r + direction * 3 + (t % 10 == 0 ? 1 : 0)) % 8];
                trips += id + ",wk," + trip + "," + sign + "," + QByteArray::number(direction) + ",sh1\r\n";
                translations += "trips,trip_headsign,en,Place " + QByteArray::number(r % 8) + ",," + trip + ",\r\n";
                translations += "stop_times,stop_headsign,en,Via " + QByteArray::number(t % 6) + "," + trip + ",5,\r\n";
                for (int s = 1; s <= StopsPerTrip; ++s) {
                    const QByteArray time = "08:" + QByteArray::number(10 + s) + ":00";
                    const QByteArray stopSign = s <= 10 ? QByteArray(vias[(r + s / 4) % 6]) : sign;
                    stopTimes += trip + "," + time + "," + time + ",S" + QByteArray::number(r * 7 + s) + "," +
                                 QByteArray::number(s) + "," + stopSign + "\r\n";
                }
            }
        }
        texts = {"feed_publisher_name,feed_lang,feed_version\r\nCity,ka,2026-12\r\n", routes, trips, translations,
                 stopTimes};
        const char* names[] = {"feed_info.txt", "routes.txt", "trips.txt", "translations.txt", "stop_times.txt"};
        int code = 0;
        zip_t* z = zip_open(QFile::encodeName(zip).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
        if (!z)
            return;
        for (std::size_t i = 0; i < texts.size(); ++i) {
            zip_source_t* source =
                zip_source_buffer(z, texts[i].constData(), static_cast<zip_uint64_t>(texts[i].size()), 0);
            const zip_int64_t index = zip_file_add(z, names[i], source, ZIP_FL_OVERWRITE);
            if (index < 0)
                return;
            zip_set_file_compression(z, static_cast<zip_uint64_t>(index), ZIP_CM_DEFLATE, 6);
        }
        ok = zip_close(z) == 0;
        texts.clear();
    }
};

Feed& feed()
{
    static Feed f;
    return f;
}

// The set as it stood before: every other destination renamed, a tenth gone,
// a few that the feed no longer has.
std::vector<Destination> previousSet(const std::vector<Destination>& current)
{
    std::vector<Destination> set;
    for (std::size_t i = 0; i < current.size(); ++i) {
        if (i % 10 == 3)
            continue;
        Destination d = current[i];
        if (i % 2 == 0)
            d.destinationEn += QStringLiteral(" (old)");
        set.push_back(d);
    }
    for (int i = 0; i < 20; ++i) {
        Destination gone;
        gone.code = QStringLiteral("X%1").arg(i);
        gone.destinationKa = QString::fromUtf8(places[i % 8]);
        set.push_back(gone);
    }
    return set;
}

void BM_GtfsZipBytes(benchmark::State& state)
{
    if (!feed().ok) {
        state.SkipWithError("the feed could not be written");
        return;
    }
    for (auto _ : state) {
        QFile file(feed().zip);
        if (!file.open(QIODevice::ReadOnly)) {
            state.SkipWithError("the feed cannot be read");
            return;
        }
        benchmark::DoNotOptimize(file.readAll());
    }
}
BENCHMARK(BM_GtfsZipBytes)->Unit(benchmark::kMillisecond);

void BM_GtfsImport(benchmark::State& state)
{
    if (!feed().ok) {
        state.SkipWithError("the feed could not be written");
        return;
    }
    static const std::vector<Destination> set = [] {
        const Expected<GtfsImportResult> first = GtfsImport::read(feed().zip);
        return first ? previousSet(first->destinations) : std::vector<Destination>{};
    }();
    for (auto _ : state) {
        const Expected<GtfsImportResult> r = GtfsImport::read(feed().zip);
        if (!r || r->destinations.size() != DestinationsRead) {
            state.SkipWithError(r ? "not every destination was read" : r.error().toStdString().c_str());
            return;
        }
        const QStringList lines = diffLines(diffDestinations(set, r->destinations));
        benchmark::DoNotOptimize(lines.size());
    }
}
BENCHMARK(BM_GtfsImport)->Unit(benchmark::kMillisecond);

void BM_GtfsImportPeakMemory(benchmark::State& state)
{
    if (!feed().ok) {
        state.SkipWithError("the feed could not be written");
        return;
    }
    bench::runPeakMemoryChild(state, bench::PeakMemoryGtfsOption, feed().zip);
}
BENCHMARK(BM_GtfsImportPeakMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

std::vector<Destination> fiveHundred(bool changed)
{
    std::vector<Destination> out;
    for (int i = 0; i < 500; ++i) {
        Destination d;
        d.code = QString::number(i / 2 + 1) + (i % 2 ? QStringLiteral("R") : QString());
        d.route = QString::number(i / 2 + 1);
        d.destinationKa = QString::fromUtf8(places[i % 8]);
        d.destinationEn = QStringLiteral("Place %1").arg(i % 8);
        d.viaKa = QString::fromUtf8(vias[i % 6]) + QStringLiteral(", ") + QString::fromUtf8(vias[(i + 1) % 6]);
        d.viaEn = QStringLiteral("Via %1, Via %2").arg(i % 6).arg((i + 1) % 6);
        if (changed && i % 3 == 0)
            d.destinationEn += QStringLiteral(" new");
        if (!changed || i % 50 != 7)
            out.push_back(d);
    }
    return out;
}

void BM_DestinationCompare500(benchmark::State& state)
{
    const std::vector<Destination> a = fiveHundred(false);
    const std::vector<Destination> b = fiveHundred(true);
    for (auto _ : state) {
        int same = 0;
        for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i)
            same += a[i] == b[i];
        benchmark::DoNotOptimize(same);
    }
}
BENCHMARK(BM_DestinationCompare500)->Unit(benchmark::kMicrosecond);

void BM_DestinationDiff500(benchmark::State& state)
{
    const std::vector<Destination> a = fiveHundred(false);
    const std::vector<Destination> b = fiveHundred(true);
    for (auto _ : state) {
        const QStringList lines = diffLines(diffDestinations(a, b));
        benchmark::DoNotOptimize(lines.size());
    }
}
BENCHMARK(BM_DestinationDiff500)->Unit(benchmark::kMicrosecond);

} // namespace

int bench::measurePeakMemoryGtfs(const QString& feedPath)
{
    const vexel::Expected<vexel::GtfsImportResult> r = vexel::GtfsImport::read(feedPath);
    if (!r || r->destinations.size() != DestinationsRead)
        return 2;
    std::printf("%lld\n", bench::peakResidentBytes());
    return 0;
}
