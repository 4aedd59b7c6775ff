#pragma once
// The base of every test that touches the skin engine's state: the state is
// reset before the test's own members are made and again after they are
// gone, whether the test passed, failed an ASSERT or threw, so that no case
// sees what another left behind.
#include <gtest/gtest.h>

#include "skin/core/engine_state.h"

namespace korvath::skin::test {

class EngineTest : public ::testing::Test {
 protected:
  EngineTest() { SkinEngineReset(); }
  ~EngineTest() override { SkinEngineReset(); }
};

}  // namespace korvath::skin::test
