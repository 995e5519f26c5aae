#include <gtest/gtest.h>

#include "motion/BasketMotionDetector.h"
#include "motion/CurrentMotionDetector.h"

namespace {

TEST(CurrentMotionDetectorTest, HoldsTheInstalledDetectorUntilReplaced) {
  EXPECT_EQ(CurrentMotionDetector(), nullptr);
  CMotionDetector plain;
  CBasketMotionDetector basket;
  SetCurrentMotionDetector(&plain);
  EXPECT_EQ(CurrentMotionDetector(), &plain);
  SetCurrentMotionDetector(&basket);
  EXPECT_EQ(CurrentMotionDetector(), &basket);
  SetCurrentMotionDetector(nullptr);
  EXPECT_EQ(CurrentMotionDetector(), nullptr);
}

}  // namespace
