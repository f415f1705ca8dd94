// A destination set's release as `vexel set release` makes it: 200
// destinations on the three signs of the example bus (front 160 x 19, side
// 112 x 16, rear 28 x 16), the 600 files and release.txt, beside the check
// `vexel check` runs over the same 600 files; the proof sheets apart.
#include "BenchSupport.h"
#include "sets/DestinationSet.h"
#include "depot/Preflight.h"
#include "sets/SignProfile.h"
#include "lettering/FontList.h"
#include "session/DestinationsSession.h"
#include "fleet/SetRelease.h"

#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int Destinations = 200;

struct ReleaseSetup {
    QTemporaryDir dir;
    std::unique_ptr<vexel::DestinationSet> set;
    vexel::FontList fonts{vexel::FontList::installedPlaces()};
    QString out;
    QStringList files;
    QString error;

    ReleaseSetup()
    {
        auto made = makeSet(dir.filePath(QStringLiteral("fleet.vxset")));
        if (!made) {
            error = made.error();
            return;
        }
        set = std::move(made).value();
        out = dir.filePath(QStringLiteral("release"));
        const auto signs = set->signs();
        for (const auto& sign : *signs)
            for (int i = 0; i < Destinations; ++i)
                files << out + QStringLiteral("/%1/%2.img").arg(sign.name).arg(i + 1);
    }

    // The example bus's signs and 200 destinations, in a set at `path`.
    static vexel::Expected<std::unique_ptr<vexel::DestinationSet>> makeSet(const QString& path)
    {
        const auto signs = vexel::SignProfile::read(QStringLiteral(VEXEL_EXAMPLES "/bus-profile.json"));
        if (!signs)
            return signs.status();
        auto made = vexel::DestinationSet::create(path, *signs);
        if (!made)
            return made;
        if (const auto merged = (*made)->merge(bench::busDestinations(Destinations)); !merged)
            return merged.status();
        return made;
    }

    bool release(bool sheets)
    {
        vexel::ReleaseOptions options;
        options.proofSheets = sheets;
        const auto report = vexel::SetRelease::release(*set, fonts, out, options);
        if (!report) {
            error = report.error();
            return false;
        }
        if (report->written.size() != files.size()) {
            error = report->unfit.value(0, QStringLiteral("not every image was written"));
            return false;
        }
        return true;
    }
};

ReleaseSetup& setup()
{
    static ReleaseSetup s;
    return s;
}

void runRelease(benchmark::State& state, bool sheets)
{
    ReleaseSetup& s = setup();
    if (!s.error.isEmpty()) {
        state.SkipWithError(s.error.toStdString().c_str());
        return;
    }
    for (auto _ : state) {
        // A first release into an empty folder, as for a new fleet.
        state.PauseTiming();
        QDir(s.out).removeRecursively();
        state.ResumeTiming();
        if (!s.release(sheets)) {
            state.SkipWithError(s.error.toStdString().c_str());
            return;
        }
    }
}

void BM_SetRelease600(benchmark::State& state) { runRelease(state, false); }
BENCHMARK(BM_SetRelease600)->Unit(benchmark::kMillisecond);

// The same with a proof sheet per sign.
void BM_SetReleaseSheets600(benchmark::State& state) { runRelease(state, true); }
BENCHMARK(BM_SetReleaseSheets600)->Unit(benchmark::kMillisecond);

// The same release from the Destinations window: its session holds every
// image lettered already, so the release only writes them.
void BM_SetRelease600Held(benchmark::State& state)
{
    ReleaseSetup& s = setup();
    if (!s.error.isEmpty()) {
        state.SkipWithError(s.error.toStdString().c_str());
        return;
    }
    // A set of its own: the setup's is open for editing.
    const QString path = s.dir.filePath(QStringLiteral("held.vxset"));
    if (!QFile::exists(path)) {
        const auto made = ReleaseSetup::makeSet(path);
        if (!made) {
            state.SkipWithError(made.error().toStdString().c_str());
            return;
        }
    }
    auto opened = vexel::DestinationsSession::open(path, s.fonts);
    if (!opened) {
        state.SkipWithError(opened.error().toStdString().c_str());
        return;
    }
    const QString out = s.dir.filePath(QStringLiteral("held-release"));
    vexel::ReleaseOptions options;
    options.proofSheets = false;
    for (auto _ : state) {
        state.PauseTiming();
        QDir(out).removeRecursively();
        state.ResumeTiming();
        const auto report = (*opened)->release(out, options);
        if (!report || report->written.size() != s.files.size()) {
            state.SkipWithError(report ? "not every image was written" : report.error().toStdString().c_str());
            return;
        }
    }
}
BENCHMARK(BM_SetRelease600Held)->Unit(benchmark::kMillisecond);

void BM_CheckRelease600(benchmark::State& state)
{
    ReleaseSetup& s = setup();
    if (!s.error.isEmpty() || (!QFile::exists(s.files.back()) && !s.release(false))) {
        state.SkipWithError(s.error.toStdString().c_str());
        return;
    }
    for (auto _ : state) {
        // `vexel check`: each file loaded as the editor loads it, then the
        // checks before a send (as one list the 600 are more than a
        // message carries, which it finds).
        vexel::PreflightInput input;
        input.boardWidth = 160;
        input.boardHeight = 19;
        input.files = vexel::Preflight::load(s.files, QString());
        const auto findings = vexel::Preflight::check(input);
        for (const auto& f : findings)
            if (f.kind == vexel::Finding::Kind::Unreadable) {
                state.SkipWithError("a released file does not load");
                return;
            }
        benchmark::DoNotOptimize(findings.size());
    }
}
BENCHMARK(BM_CheckRelease600)->Unit(benchmark::kMillisecond);

} // namespace
