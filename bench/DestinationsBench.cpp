// The Destinations window's work on a depot's set: 200 destinations of a
// three-sign bus opened with every fit computed, beside reading the same set
// alone; and one destination's signs lettered again after a keystroke,
// beside a repaint of the board (BM_FillCanvas). The opening again with the
// set on the local server, beside the file.
#include "BenchSupport.h"
#include "depot/DestinationSet.h"
#include "depot/SignProfile.h"
#include "lettering/FontList.h"
#include "session/DestinationsSession.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int Destinations = 200;

vexel::FontList& projectFonts()
{
    static vexel::FontList fonts([] {
        vexel::FontList::Places places;
        places.ledFontFolders << QStringLiteral(VEXEL_FONTS_DIR);
        places.systemFonts = false;
        return places;
    }());
    return fonts;
}

struct BusSet {
    QTemporaryDir dir;
    QString path;
    bool ok = false;

    BusSet() : BusSet(QString()) {}
    // On the benchmarks' server when `server` is given.
    explicit BusSet(const QString& server)
        : path(server.isEmpty() ? dir.filePath(QStringLiteral("bus.vxset")) : server + QStringLiteral("&set=bus"))
    {
        const auto signs = vexel::SignProfile::read(QStringLiteral(VEXEL_BUS_PROFILE));
        if (!signs)
            return;
        auto set = vexel::DestinationSet::create(path, *signs);
        if (!set)
            return;
        const std::vector<vexel::Destination> all = bench::busDestinations(Destinations);
        ok = (*set)->merge(all).ok();
    }
};

BusSet& busSet()
{
    static BusSet set;
    return set;
}

BusSet& serverSet()
{
    static BusSet set([] {
        const vexel::Expected<QString> db = bench::freshServerDatabase(QStringLiteral("bench_sets"));
        return db ? *db : QStringLiteral("postgresql://nowhere/none");
    }());
    return set;
}

void setRead(benchmark::State& state, BusSet& bus)
{
    if (!bus.ok) {
        state.SkipWithError("the set could not be made");
        return;
    }
    for (auto _ : state) {
        auto set = vexel::DestinationSet::open(bus.path, vexel::DestinationSet::Access::Read);
        if (!set || !(*set)->destinations() || !(*set)->signs() || !(*set)->overrides()) {
            state.SkipWithError("the set could not be read");
            return;
        }
    }
}

void windowOpen(benchmark::State& state, BusSet& bus)
{
    if (!bus.ok) {
        state.SkipWithError("the set could not be made");
        return;
    }
    for (auto _ : state) {
        auto session = vexel::DestinationsSession::open(bus.path, projectFonts());
        if (!session || (*session)->destinations().size() != Destinations) {
            state.SkipWithError("the set could not be opened");
            return;
        }
        state.PauseTiming();
        session = vexel::Expected<std::unique_ptr<vexel::DestinationsSession>>::failure("closed");
        state.ResumeTiming();
    }
}

void BM_DestinationSetRead200(benchmark::State& state) { setRead(state, busSet()); }
BENCHMARK(BM_DestinationSetRead200)->Unit(benchmark::kMillisecond);

void BM_DestinationsOpen200(benchmark::State& state) { windowOpen(state, busSet()); }
BENCHMARK(BM_DestinationsOpen200)->Unit(benchmark::kMillisecond);

// The same set on the local server: every row read over the socket.
void BM_DestinationSetRead200Server(benchmark::State& state) { setRead(state, serverSet()); }
BENCHMARK(BM_DestinationSetRead200Server)->Unit(benchmark::kMillisecond);

void BM_DestinationsOpen200Server(benchmark::State& state) { windowOpen(state, serverSet()); }
BENCHMARK(BM_DestinationsOpen200Server)->Unit(benchmark::kMillisecond);

void BM_DestinationsRefit(benchmark::State& state)
{
    if (!busSet().ok) {
        state.SkipWithError("the set could not be made");
        return;
    }
    auto session = vexel::DestinationsSession::open(busSet().path, projectFonts());
    if (!session) {
        state.SkipWithError("the set could not be opened");
        return;
    }
    vexel::Destination draft = (*session)->destinations()[0];
    const QString typed = QStringLiteral("Tbilisi International Airport");
    int n = 0;
    for (auto _ : state) {
        // One more letter of the Latin name, as the operator types it.
        draft.destinationEn = typed.left(1 + n++ % typed.size());
        const std::vector<vexel::SignImage> images = (*session)->letterDraft(draft);
        benchmark::DoNotOptimize(images.data());
    }
}
BENCHMARK(BM_DestinationsRefit)->Unit(benchmark::kMillisecond);

} // namespace
