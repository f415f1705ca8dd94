// The fleet's state from a journal file.
#include "support/FleetCases.h"

namespace fleet_cases {

INSTANTIATE_TEST_SUITE_P(Journal, FleetStatusCases, ::testing::Values(Engine{"file", {}}), engineName);

} // namespace fleet_cases
