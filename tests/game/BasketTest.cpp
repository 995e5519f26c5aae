#include <gtest/gtest.h>

#include "BasketDriver.h"
#include "GameTest.h"
#include "game/Basket.h"
#include "motion/CurrentMotionDetector.h"

namespace {

constexpr float kZones[4][2] = {{180, 300}, {180, 520}, {720, 310}, {720, 520}};

class BasketTest : public GameTest {
 protected:
  // The next poll: just over the 50 ms the basket waits between polls.
  void Poll(CBasket& basket) {
    Advance(51);
    basket.Update();
  }
  void ExpectAt(const CBasket& basket, float x, float y) {
    EXPECT_NEAR(basket.GetPositionX(), x * kScaleX, 1e-3);
    EXPECT_NEAR(basket.GetPositionY(), y * kScaleY, 1e-3);
  }

  BasketDriver motion;
};

TEST_F(BasketTest, StartsAtHomeAndFollowsEachQuarterAtTheNextPoll) {
  CBasket basket;
  ExpectAt(basket, 448, 320);
  EXPECT_EQ(basket.GetZone(), 4);
  // Whatever its previous place, one poll puts it in the quarter moved in.
  for (int32_t zone : {0, 3, 1, 2, 0}) {
    motion.MoveIn(zone);
    Poll(basket);
    EXPECT_EQ(basket.GetZone(), zone);
    ExpectAt(basket, kZones[zone][0], kZones[zone][1]);
  }
}

TEST_F(BasketTest, PollsAtMostEvery51Ms) {
  CBasket basket;
  motion.MoveIn(3);
  Advance(50);
  basket.Update();
  EXPECT_EQ(basket.GetZone(), 4);
  ExpectAt(basket, 448, 320);
  Advance(1);
  basket.Update();
  EXPECT_EQ(basket.GetZone(), 3);
  motion.MoveIn(0);
  Advance(50);
  basket.Update();
  EXPECT_EQ(basket.GetZone(), 3);
}

TEST_F(BasketTest, GoesHomeOnlyOnTheFourthPollWithoutAQuarter) {
  CBasket basket;
  motion.MoveIn(1);
  Poll(basket);
  motion.MoveIn(4);  // movement between the quarters only
  for (int poll = 0; poll < 3; ++poll) {
    Poll(basket);
    EXPECT_EQ(basket.GetZone(), 4);
    ExpectAt(basket, kZones[1][0], kZones[1][1]);
  }
  Poll(basket);
  ExpectAt(basket, 448, 320);
  // A quarter in between starts the count again.
  motion.MoveIn(2);
  Poll(basket);
  motion.MoveIn(4);
  for (int poll = 0; poll < 3; ++poll) {
    Poll(basket);
  }
  ExpectAt(basket, kZones[2][0], kZones[2][1]);
}

TEST_F(BasketTest, StillPictureKeepsTheLastQuarter) {
  CBasket basket;
  motion.MoveIn(2);
  Poll(basket);
  for (int poll = 0; poll < 10; ++poll) {
    Poll(basket);  // no new frame: the detector keeps its last list
  }
  EXPECT_EQ(basket.GetZone(), 2);
  ExpectAt(basket, kZones[2][0], kZones[2][1]);
}

TEST_F(BasketTest, WithoutABasketDetectorThereIsNoQuarter) {
  CBasket basket;
  motion.MoveIn(0);
  Poll(basket);
  ASSERT_EQ(basket.GetZone(), 0);
  CMotionDetector plain;
  SetCurrentMotionDetector(&plain);
  Poll(basket);
  EXPECT_EQ(basket.GetZone(), 4);
  SetCurrentMotionDetector(nullptr);
  Poll(basket);
  EXPECT_EQ(basket.GetZone(), 4);
}

}  // namespace
