// The model sequences of `make test`: 300 sequences of 200 operations, each
// applied to the editor and to the model and compared after every one.
#include "support/EditingModel.h"

#include <benchmark/benchmark.h>

namespace {

void BM_ModelSequences300(benchmark::State& state)
{
    for (auto _ : state) {
        for (unsigned seed = 1000; seed < 1300; ++seed) {
            const std::string failure = model_testing::run(model_testing::makeScenario(seed, 200));
            if (!failure.empty()) {
                state.SkipWithError(("seed " + std::to_string(seed) + " fails; run test_session").c_str());
                return;
            }
        }
    }
}
BENCHMARK(BM_ModelSequences300)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace
