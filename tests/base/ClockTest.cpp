#include <gtest/gtest.h>

#include "base/Clock.h"
#include "base/Texts.h"

TEST(Clock, ManualClockWrapsLikeTheRealOne) {
  InstallManualClock(0xFFFFFFF0u);
  const uint32_t then = TickCount();
  AdvanceManualTickCount(40);
  EXPECT_EQ(TickCount(), 0x18u);
  EXPECT_EQ(TickCount() - then, 40u);
  RemoveManualClock();
  EXPECT_FALSE(IsManualClockInstalled());
}

TEST(Texts, StringTableHoldsTheGamesTexts) {
  EXPECT_STREQ(LoadText(2), "High scores");
  EXPECT_STREQ(LoadText(25), "Level ");
  EXPECT_STREQ(LoadText(27), "Empty");
  EXPECT_STREQ(LoadText(19), "");
}
