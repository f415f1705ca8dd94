// The Destinations window's work on a depot's set: 200 destinations of a
// three-sign bus opened with every fit computed, beside reading the same set
// alone; and one destination's signs lettered again after a keystroke,
// beside a repaint of the board (BM_FillCanvas). The opening again with the
// set on the local server, beside the file; and one edit stored and seen
// by a second window open on the set.
#include "BenchSupport.h"
#include "sets/DestinationSet.h"
#include "sets/SignProfile.h"
#include "lettering/FontList.h"
#include "session/DestinationsSession.h"
#include "session/SetWatch.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

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

// One destination's note changed in one window and stored, until a second
// window open on the same set has read the row again: on the local server,
// beside the edit stored alone in a file.
void editStored(benchmark::State& state, BusSet& bus, bool seenElsewhere)
{
    if (!bus.ok) {
        state.SkipWithError("the set could not be made");
        return;
    }
    auto editor = vexel::DestinationsSession::open(bus.path, projectFonts());
    auto other = seenElsewhere ? vexel::DestinationsSession::open(bus.path, projectFonts())
                               : vexel::Expected<std::unique_ptr<vexel::DestinationsSession>>::failure("none");
    if (!editor || (seenElsewhere && !other)) {
        state.SkipWithError("the set could not be opened twice");
        return;
    }
    // Unique across runs: a note stored already would be no edit at all.
    static int n = 0;
    for (auto _ : state) {
        vexel::Destination d = (*editor)->destinations()[0];
        d.note = QStringLiteral("edit %1").arg(++n);
        QEventLoop loop;
        const auto seen = [&] { return seenElsewhere && (*other)->destinations()[0].note == d.note; };
        QMetaObject::Connection heard;
        if (seenElsewhere)
            heard = QObject::connect((*other).get(), &vexel::DestinationsSession::changedElsewhere, &loop, [&] {
                if (seen())
                    loop.quit();
            });
        if (const vexel::Status stored = (*editor)->update(0, d); !stored) {
            state.SkipWithError(stored.error().toStdString().c_str());
            return;
        }
        if (!seenElsewhere)
            continue;
        if (!seen()) {
            QTimer::singleShot(5000, &loop, &QEventLoop::quit);
            loop.exec();
        }
        QObject::disconnect(heard);
        if (!seen()) {
            state.SkipWithError("the second window did not hear of the edit");
            return;
        }
        // An operator's edits come seconds apart, not inside the spell in
        // which a window gathers a burst of changes into one read.
        state.PauseTiming();
        QElapsedTimer quiet;
        quiet.start();
        while (quiet.elapsed() < 2 * vexel::SetWatch::DebounceMs)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        state.ResumeTiming();
    }
}

void BM_DestinationEditStored(benchmark::State& state) { editStored(state, busSet(), false); }
BENCHMARK(BM_DestinationEditStored)->Unit(benchmark::kMillisecond);

void BM_DestinationEditSeenServer(benchmark::State& state) { editStored(state, serverSet(), true); }
BENCHMARK(BM_DestinationEditSeenServer)->Unit(benchmark::kMillisecond);

} // namespace
