// `vexel fleet status` of 2,000 buses on three signs, serving five codes
// each, from a journal of 200,000 sends; beside reading those entries alone
// as `vexel journal` does. Both on a journal file and on a local server.
#include "FleetData.h"

#include "BenchSupport.h"

#include "fleet/FleetStatus.h"
#include "fleet/JournalServer.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

using namespace vexel;
using fleet_bench::Fleet;

void journalRead(benchmark::State& state, Fleet& f)
{
    if (!f.ok()) {
        state.SkipWithError(f.failed.c_str());
        return;
    }
    std::size_t read = 0;
    for (auto _ : state) {
        const auto entries = f.journal.entries();
        if (!entries) {
            state.SkipWithError(entries.error().toStdString().c_str());
            return;
        }
        read = entries->size();
        benchmark::DoNotOptimize(read);
    }
    state.counters["entries"] = double(read);
}

void fleetStatus(benchmark::State& state, Fleet& f)
{
    if (!f.ok()) {
        state.SkipWithError(f.failed.c_str());
        return;
    }
    std::size_t behind = 0;
    for (auto _ : state) {
        const auto all = FleetStatus::load(f.journal, QDate(2027, 1, 1));
        if (!all) {
            state.SkipWithError(all.error().toStdString().c_str());
            return;
        }
        behind = 0;
        for (const FleetBusState& b : *all)
            behind += b.isBehind() ? 1 : 0;
        benchmark::DoNotOptimize(behind);
    }
    state.counters["behind"] = double(behind);
}

void BM_JournalRead200k(benchmark::State& state) { journalRead(state, fleet_bench::onFile()); }
BENCHMARK(BM_JournalRead200k)->Unit(benchmark::kMillisecond);

void BM_FleetStatus2000(benchmark::State& state) { fleetStatus(state, fleet_bench::onFile()); }
BENCHMARK(BM_FleetStatus2000)->Unit(benchmark::kMillisecond);

void BM_JournalRead200kServer(benchmark::State& state) { journalRead(state, fleet_bench::onServer()); }
BENCHMARK(BM_JournalRead200kServer)->Unit(benchmark::kMillisecond);

void BM_FleetStatus2000Server(benchmark::State& state) { fleetStatus(state, fleet_bench::onServer()); }
BENCHMARK(BM_FleetStatus2000Server)->Unit(benchmark::kMillisecond);

// One send's entry written, as the editor records it after the board's
// reply: to the journal file, and to the server (kept in the local file
// first, then uploaded).
void journalEntry(benchmark::State& state, const QString& server)
{
    QTemporaryDir dir;
    const SendJournal journal(dir.filePath(QStringLiteral("journal.sqlite")), server, QStringLiteral("depot-1"));
    JournalEntry e;
    e.bus = QStringLiteral("1042");
    e.sign = QStringLiteral("front");
    e.files = {QStringLiteral("12.img"), QStringLiteral("37.img")};
    e.sums = {QStringLiteral("0123456789abcdef"), QStringLiteral("fedcba9876543210")};
    e.reply = QStringLiteral("OK");
    for (auto _ : state) {
        e.time = QDateTime::currentDateTimeUtc();
        e.id.clear();
        bool uploaded = server.isEmpty();
        if (const Status kept = journal.record(e, server.isEmpty() ? nullptr : &uploaded); !kept || !uploaded) {
            state.SkipWithError(kept ? "the entry did not reach the server" : kept.error().toStdString().c_str());
            return;
        }
    }
}

void BM_JournalEntry(benchmark::State& state) { journalEntry(state, QString()); }
BENCHMARK(BM_JournalEntry)->Unit(benchmark::kMillisecond);

void BM_JournalEntryServer(benchmark::State& state)
{
    const Expected<QString> db = bench::freshServerDatabase(QStringLiteral("bench_journal"));
    if (!db) {
        state.SkipWithError(db.error().toStdString().c_str());
        return;
    }
    if (const Status made = JournalServer::at(*db)->init(); !made) {
        state.SkipWithError(made.error().toStdString().c_str());
        return;
    }
    journalEntry(state, *db);
}
BENCHMARK(BM_JournalEntryServer)->Unit(benchmark::kMillisecond);

} // namespace
