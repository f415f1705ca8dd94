#pragma once

#include <QString>

namespace bench {

// Run as `vexel-bench --peak-memory IMAGE`, the program measures instead of
// benchmarking: a fresh process holds nothing a benchmark left behind.
constexpr const char* PeakMemoryOption = "--peak-memory";

// Opens IMAGE in an editor window on a 488 x 100 board at zoom 4, shows it,
// previews every frame once, and prints the peak resident bytes.
int measurePeakMemory(const QString& imagePath);

} // namespace bench
