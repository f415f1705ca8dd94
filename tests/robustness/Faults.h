#pragma once

// Shared pieces of the fault tests: a scratch folder that is made full or
// read-only, multi-frame image texts, and the heap in use.

#include "support/ScratchMount.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <atomic>
#include <cstddef>
#include <ostream>
#include <string>
#include <thread>

namespace robustness {

enum class DiskFault { Full, ReadOnly };

inline const char* faultName(DiskFault f) { return f == DiskFault::Full ? "Full" : "ReadOnly"; }
inline void PrintTo(DiskFault f, std::ostream* os) { *os << faultName(f); }

// Makes the scratch folder refuse every write; false when that failed.
bool apply(testing_support::ScratchMount& mount, DiskFault fault);

// Every name in a folder, hidden ones too (what a failed save leaves behind).
QStringList entries(const QString& folder);

// An image of `frames` frames, frame f a full `width` x `height` window
// whose LEDs spell out f, so that frames tell apart.
QByteArray imageText(int frames, int width, int height);

// Bytes the program has allocated and not freed: the sanitizer's count in
// a sanitizer build, the C library's otherwise.
std::size_t heapInUse();

// Stands in for a writer on a named pipe: whoever opens the pipe for
// reading is let through at once (and reads nothing), and is noticed. Keeps
// a test from hanging where the code under test would.
class PipeWatch {
public:
    explicit PipeWatch(const QString& path);
    ~PipeWatch();
    PipeWatch(const PipeWatch&) = delete;
    PipeWatch& operator=(const PipeWatch&) = delete;
    bool openedForReading() const { return opened_; }

private:
    std::string path_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> opened_{false};
    std::thread thread_;
};

} // namespace robustness
