// The Fleet window opened on 2,000 buses of three signs each: the table
// filled, the filters' choices and the counts, as the operator first sees it.
// First with the fleet given as read, so the time is the window's own; then
// read from the journal of 200,000 sends, as the operator opens it.
#include "FleetData.h"

#include "app/FleetWindow.h"
#include "app/Prompter.h"

#include "fleet/FleetStatus.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

std::vector<vexel::FleetBusState> fleet(int buses)
{
    std::vector<vexel::FleetBusState> list;
    for (int i = 0; i < buses; ++i) {
        vexel::FleetBusState b;
        b.bus.number = QString::number(1000 + i);
        b.bus.depot = QStringLiteral("Depot %1").arg(i % 8);
        b.bus.set = QStringLiteral("/sets/city-%1.vxset").arg(i % 3);
        b.bus.codes = {QStringLiteral("12"), QStringLiteral("37"), QStringLiteral("61"), QStringLiteral("9"),
                       QStringLiteral("12R")};
        for (const char* name : {"front", "side", "rear"}) {
            vexel::FleetSignState s;
            s.sign = QString::fromUtf8(name);
            s.latestVersion = 7;
            s.carriedVersion = i % 5 == 0 ? 6 : 7;
            if (s.carriedVersion != 7)
                s.behind = {QStringLiteral("12"), QStringLiteral("37")};
            b.signs.push_back(s);
        }
        list.push_back(std::move(b));
    }
    return list;
}

void BM_FleetWindowOpen2000(benchmark::State& state)
{
    const std::vector<vexel::FleetBusState> buses = fleet(2000);
    ScriptedPrompter prompter;
    for (auto _ : state) {
        FleetWindow window({[&] { return vexel::Expected<std::vector<vexel::FleetBusState>>(buses); }, {}, {}},
                           prompter, nullptr);
        window.show();
        QApplication::processEvents();
        if (window.session().model().rowCount() != 2000) {
            state.SkipWithError("the fleet was not shown");
            return;
        }
    }
}
BENCHMARK(BM_FleetWindowOpen2000)->Unit(benchmark::kMillisecond);

void BM_FleetWindowJournal2000(benchmark::State& state)
{
    fleet_bench::Fleet& f = fleet_bench::onFile();
    if (!f.ok()) {
        state.SkipWithError(f.failed.c_str());
        return;
    }
    ScriptedPrompter prompter;
    for (auto _ : state) {
        FleetWindow window({[&] { return vexel::FleetStatus::load(f.journal, QDate(2027, 1, 1)); }, {}, {}}, prompter,
                           nullptr);
        window.show();
        QApplication::processEvents();
        if (window.session().model().rowCount() != 2000) {
            state.SkipWithError("the fleet was not shown");
            return;
        }
    }
}
BENCHMARK(BM_FleetWindowJournal2000)->Unit(benchmark::kMillisecond);

} // namespace
