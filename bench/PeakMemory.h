#pragma once

#include <QString>

namespace benchmark {
class State;
} // namespace benchmark

namespace bench {

// Run as `vexel-bench --peak-memory IMAGE`, the program measures instead of
// benchmarking: a fresh process holds nothing a benchmark left behind.
constexpr const char* PeakMemoryOption = "--peak-memory";

// Opens IMAGE in an editor window on a 488 x 100 board at zoom 4, shows it,
// previews every frame once, and prints the peak resident bytes.
int measurePeakMemory(const QString& imagePath);

// `vexel-bench --peak-memory-undo IMAGE`: opens IMAGE the same way, makes 500
// editing steps (strokes, and a whole-board Fill or Clear every tenth) and
// prints the peak resident bytes.
constexpr const char* PeakMemoryUndoOption = "--peak-memory-undo";
int measurePeakMemoryUndo(const QString& imagePath);

// `vexel-bench --peak-memory-gtfs FEED`: imports the transit feed FEED once,
// as the editor and `vexel set gtfs` do, and prints the peak resident bytes.
constexpr const char* PeakMemoryGtfsOption = "--peak-memory-gtfs";
int measurePeakMemoryGtfs(const QString& feedPath);

// Runs this program again as `vexel-bench OPTION IMAGE` and reports its
// peak resident memory as the counter peak_MiB of `state`.
void runPeakMemoryChild(benchmark::State& state, const char* option, const QString& imagePath);

} // namespace bench
