#include <gtest/gtest.h>

#include "GameTest.h"
#include "game/Basket.h"
#include "motion/CurrentMotionDetector.h"

namespace {

// Where the basket stands in each zone; 4 is home, between the quarters.
constexpr float kPlaces[5][2] = {{180, 300}, {180, 520}, {720, 310}, {720, 520}, {448, 320}};
constexpr int kStill = -1, kPlainDetector = -2, kNoDetector = -3;

using BasketTest = GameTest;

// Scripts of what the camera shows, each step followed by a poll `ms` later,
// with the zone the basket then reports and the place it stands in. A step's
// movement is a zone moved in (4: the band between the quarters), or one of
// the above.
TEST_F(BasketTest, FollowsTheQuarterPolledEveryMoreThan50Ms) {
  struct Step { int movement; uint32_t ms; int32_t zone; int place; };
  const std::vector<std::vector<Step>> scripts = {
      // Each quarter at the next poll, whatever the basket's place.
      {{kStill, 0, 4, 4}, {0, 51, 0, 0}, {3, 51, 3, 3}, {1, 51, 1, 1}, {2, 51, 2, 2}, {0, 51, 0, 0}},
      // Polls only after more than 50 ms.
      {{3, 50, 4, 4}, {kStill, 1, 3, 3}, {0, 50, 3, 3}, {kStill, 1, 0, 0}},
      // Home only on the fourth poll without a quarter; a quarter in between
      // starts the count again.
      {{1, 51, 1, 1}, {4, 51, 4, 1}, {4, 51, 4, 1}, {4, 51, 4, 1}, {4, 51, 4, 4}, {2, 51, 2, 2}, {4, 51, 4, 2},
       {4, 51, 4, 2}, {4, 51, 4, 2}},
      // Without a basket detector there is no quarter.
      {{0, 51, 0, 0}, {kPlainDetector, 51, 4, 0}, {kNoDetector, 51, 4, 0}},
  };
  CMotionDetector plain;
  for (const std::vector<Step>& script : scripts) {
    CBasket basket;
    for (const Step& step : script) {
      SCOPED_TRACE(testing::Message() << "script " << (&script - &scripts[0]) << ", step " << (&step - &script[0]));
      if (step.movement >= 0) {
        motion.MoveIn(step.movement);
      } else if (step.movement != kStill) {
        SetCurrentMotionDetector(step.movement == kPlainDetector ? &plain : nullptr);
      }
      Advance(step.ms);
      basket.Update();
      EXPECT_EQ(basket.GetZone(), step.zone);
      EXPECT_NEAR(basket.GetPositionX(), kPlaces[step.place][0] * kScaleX, 1e-3);
      EXPECT_NEAR(basket.GetPositionY(), kPlaces[step.place][1] * kScaleY, 1e-3);
    }
  }
}

}  // namespace
