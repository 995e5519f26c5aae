#include <gtest/gtest.h>

#include "GameTest.h"
#include "game/Basket.h"
#include "motion/CurrentMotionDetector.h"

namespace {

// Where the basket stands in each zone; 4 is home, between the quarters.
constexpr float kPlaces[5][2] = {{180, 300}, {180, 520}, {720, 310}, {720, 520}, {448, 320}};
constexpr int kStill = -1, kPlainDetector = -2, kNoDetector = -3;

// One step of what the camera shows, then a poll `ms` later; the zone the
// basket reports and the place it stands in after it.
struct Step {
  int movement;  // a zone moved in (4: the band between the quarters), or one of the above
  uint32_t ms;
  int32_t zone;
  int place;
};

class BasketTest : public GameTest {
 protected:
  void Play(const std::vector<Step>& steps) {
    CBasket basket;
    CMotionDetector plain;
    for (size_t i = 0; i < steps.size(); ++i) {
      const Step& step = steps[i];
      SCOPED_TRACE(i);
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
};

TEST_F(BasketTest, FollowsEachQuarterAtTheNextPollWhateverItsPlace) {
  Play({{kStill, 0, 4, 4}, {0, 51, 0, 0}, {3, 51, 3, 3}, {1, 51, 1, 1}, {2, 51, 2, 2}, {0, 51, 0, 0}});
}

TEST_F(BasketTest, PollsOnlyAfterMoreThan50Ms) {
  Play({{3, 50, 4, 4}, {kStill, 1, 3, 3}, {0, 50, 3, 3}, {kStill, 1, 0, 0}});
}

TEST_F(BasketTest, GoesHomeOnlyOnTheFourthPollWithoutAQuarter) {
  Play({{1, 51, 1, 1}, {4, 51, 4, 1}, {4, 51, 4, 1}, {4, 51, 4, 1}, {4, 51, 4, 4},
        // A quarter in between starts the count again.
        {2, 51, 2, 2}, {4, 51, 4, 2}, {4, 51, 4, 2}, {4, 51, 4, 2}});
}

TEST_F(BasketTest, AStillPictureKeepsTheLastQuarter) {
  std::vector<Step> steps{{2, 51, 2, 2}};
  steps.resize(11, {kStill, 51, 2, 2});
  Play(steps);
}

TEST_F(BasketTest, WithoutABasketDetectorThereIsNoQuarter) {
  Play({{0, 51, 0, 0}, {kPlainDetector, 51, 4, 0}, {kNoDetector, 51, 4, 0}});
}

}  // namespace
