#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DemoRun.h"

namespace {

// What a player sees of a run: the screens and the HUD's last values.
std::vector<std::string> WhatThePlayerSaw(const CDemoRun& run) {
  std::vector<std::string> seen;
  for (const char* key : {"screens", "eggs caught", "eggs dropped", "score", "level", "tries"}) {
    seen.push_back(std::string(key) + ": " + run.Summary(key));
  }
  return seen;
}

// On the fixed-step clock the camera runs in lockstep with the game, so the
// same seed plays the same game however busy the machine is.
TEST(FixedStepTest, TheSameSeedPlaysTheSameGame) {
  const std::vector<std::string> plan{"--demo-plan", "game,misses=30", "--frames", "700"};
  const CDemoRun first(plan);
  const CDemoRun second(plan);
  ASSERT_EQ(0, first.ExitCode()) << first.Output();
  EXPECT_EQ("frame limit", first.Summary("ended by"));
  EXPECT_GT(first.Number("eggs caught") + first.Number("eggs dropped"), 0) << "a game with eggs to compare";
  EXPECT_EQ(WhatThePlayerSaw(first), WhatThePlayerSaw(second));
}

}  // namespace
