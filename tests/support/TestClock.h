#pragma once
#include <gtest/gtest.h>

#include "base/Clock.h"

// A test fixture that runs on the manual clock, starting at `kStart`.
class ManualClockTest : public ::testing::Test {
 protected:
  static constexpr uint32_t kStart = 100000;
  void SetUp() override { InstallManualClock(kStart); }
  void TearDown() override { RemoveManualClock(); }
  void Advance(uint32_t ms) { AdvanceManualTickCount(ms); }
  uint32_t Now() const { return TickCount(); }
};
