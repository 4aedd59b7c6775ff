// A few hundred cycles of what the engine keeps per window (cycle_checks.h).
#include <gtest/gtest.h>

#include "tests/skin/core/cycle_checks.h"
#include "tests/skin/shadow/resource_cycles.h"

namespace korvath::skin::cycles {
namespace {

TEST(ResourceCycles, LiveObjectsReturnToWhereTheyWere) { ExpectNothingLeft(RunResourceCycles(kTestCycles)); }

}  // namespace
}  // namespace korvath::skin::cycles
