#include <gtest/gtest.h>

#include "base/Clock.h"

TEST(Clock, ManualClockWrapsLikeTheRealOne) {
  InstallManualClock(0xFFFFFFF0u);
  const uint32_t then = TickCount();
  AdvanceManualTickCount(40);
  EXPECT_EQ(TickCount(), 0x18u);
  EXPECT_EQ(TickCount() - then, 40u);
  RemoveManualClock();
  EXPECT_FALSE(IsManualClockInstalled());
}
