#pragma once
// What every test that touches the skin engine's state stands on: the state
// is reset before the test's own members are made and again after they are
// gone, whether the test passed, failed an ASSERT or threw, so that no case
// sees what another left behind.
#include <gtest/gtest.h>

#include "platform/gdi_object.h"
#include "skin/core/engine_state.h"

namespace korvath::skin::test {

// As a fixture's first member.
struct EngineGlobals {
  EngineGlobals() { SkinEngineReset(); }
  ~EngineGlobals() { SkinEngineReset(); }
  EngineGlobals(const EngineGlobals&) = delete;
  EngineGlobals& operator=(const EngineGlobals&) = delete;
};

// As a fixture's base.
class EngineTest : public ::testing::Test {
 private:
  EngineGlobals engine_;
};

// As a fixture's base, for tests that leave the live GDI objects as they found
// them: counted again once the state is reset after the test.
class GdiCountedEngineTest : public EngineTest {
 protected:
  void SetUp() override { start_ = platform::LiveGdiObjectCount(); }
  void TearDown() override {
    SkinEngineReset();
    EXPECT_EQ(platform::LiveGdiObjectCount(), start_);
  }

 private:
  long start_ = 0;
};

}  // namespace korvath::skin::test
