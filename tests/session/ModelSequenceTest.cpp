// The editing core against a plain model of it (tests/support/EditingModel):
// random sequences of tools, gestures, frame panel commands, undo and redo,
// appearance changes, saves and loads on a small board, compared after
// every operation. A failure prints its seed and the shortest sequence that
// still fails. VEXEL_SOAK_SECONDS runs new seeds for that long instead.
#include "support/EditingModel.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <iostream>

using namespace model_testing;

namespace {

#ifndef VEXEL_MODEL_SEQUENCES
#define VEXEL_MODEL_SEQUENCES 300
#endif
constexpr int Sequences = VEXEL_MODEL_SEQUENCES;
constexpr int Operations = 200;
constexpr int Parts = 6; // ctest runs the parts side by side

class ModelSequences : public ::testing::TestWithParam<int> {};

TEST_P(ModelSequences, AgreeAfterEveryOperation)
{
    const int per = (Sequences + Parts - 1) / Parts;
    for (int i = GetParam() * per; i < std::min((GetParam() + 1) * per, Sequences); ++i) {
        const Scenario s = makeScenario(static_cast<unsigned>(1000 + i), Operations);
        const std::string failure = run(s);
        ASSERT_TRUE(failure.empty()) << shrinkReport(s, failure);
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, ModelSequences, ::testing::Range(0, Parts));

TEST(ModelSoak, NewSeedsForAsLongAsAsked)
{
    const char* seconds = std::getenv("VEXEL_SOAK_SECONDS");
    if (!seconds)
        GTEST_SKIP() << "set VEXEL_SOAK_SECONDS (make soak-model SECONDS=N)";
    using Clock = std::chrono::steady_clock;
    const auto end = Clock::now() + std::chrono::seconds(std::atoi(seconds));
    auto seed = static_cast<unsigned>(std::chrono::system_clock::now().time_since_epoch().count());
    std::cout << "first seed " << seed << std::endl;
    int runs = 0;
    for (; Clock::now() < end; ++runs, ++seed) {
        const Scenario s = makeScenario(seed, Operations);
        const std::string failure = run(s);
        ASSERT_TRUE(failure.empty()) << shrinkReport(s, failure);
    }
    std::cout << runs << " sequences of " << Operations << " operations, seeds up to " << seed - 1 << std::endl;
}

} // namespace
