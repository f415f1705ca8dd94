#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace bench {

// The console table as usual, and afterwards each target of the editor
// checked against its baseline from the same run: the median when the
// benchmarks were repeated, the single run otherwise.
class TargetReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override;

    struct Result {
        double seconds = 0; // real time per iteration
        std::map<std::string, double> counters;
        bool median = false;
        bool failed = false;
    };
    const std::map<std::string, Result>& results() const { return results_; }

    // One line per target: measured, baseline, ratio, target, met or missed.
    // Returns how many targets were missed (not-run ones count as missed).
    int printTargets(std::ostream& out) const;

private:
    std::map<std::string, Result> results_;
};

} // namespace bench
