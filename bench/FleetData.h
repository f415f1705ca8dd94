// The fleet of the fleet benchmarks: 2,000 buses on three signs, serving
// five codes each, with a journal of 200,000 sends, in a journal file or on
// the benchmarks' server (VEXEL_BENCH_PGHOST, which `make bench` starts).
#pragma once

#include "fleet/SendJournal.h"

#include <QTemporaryDir>

#include <memory>
#include <string>

namespace fleet_bench {

struct Fleet {
    QTemporaryDir dir;
    vexel::SendJournal journal{QString(), QString()};
    std::string failed; // empty when made

    bool ok() const { return failed.empty(); }
};

// Made once a run for each; the server's fails without a server.
Fleet& onFile();
Fleet& onServer();

} // namespace fleet_bench
