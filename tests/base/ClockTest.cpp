#include <gtest/gtest.h>

#include "base/Clock.h"

TEST(Clock, ManualClockWrapsLikeTheRealOne) {
  InstallManualClock(0xFFFFFFF0u);
  AdvanceManualTickCount(40);
  EXPECT_EQ(TickCount(), 0x18u);  // 40 ms on, past the wrap
  RemoveManualClock();
  EXPECT_FALSE(IsManualClockInstalled());
}
