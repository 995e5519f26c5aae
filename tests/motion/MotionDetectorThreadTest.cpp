#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "MotionTestHelpers.h"
#include "motion/BasketMotionDetector.h"

namespace {

// One thread feeds frames as the capture thread does while the main thread
// reads, clears and retunes the detector. Frames alternate so that the
// published list is always either the one-region list or the two-region
// list; a reader must never see a mixture.
TEST(MotionDetectorThreadTest, ReadersSeeWholeListsWhileFramesArrive) {
  const CVideoMode mode(160, 120, 32);
  CBasketMotionDetector detector;
  ASSERT_TRUE(detector.Init(&mode));
  const std::vector<MotionRect> one{{0, 0, 2, 1}};
  const std::vector<MotionRect> two{{5, 5, 7, 6}, {20, 20, 22, 21}};
  TestFrame still(160, 120);
  TestFrame first(160, 120);
  TestFrame second(160, 120);
  first.SetCells(one[0], 0xFF);
  second.SetCells(two[0], 0xFF);
  second.SetCells(two[1], 0xFF);

  std::atomic<bool> done{false};
  std::thread capture([&] {
    const TestFrame* sequence[] = {&still, &first, &still, &second};
    for (int32_t n = 0; n < 20000; ++n) detector.ProcessFrame(sequence[n % 4]->View());
    done = true;
  });
  int32_t reads = 0;
  int32_t mixed = 0;
  while (!done) {
    const std::vector<MotionRect> seen = PublishedRects(detector);
    // The first rectangle of either list is in the bottom-right zone.
    const int32_t zone = detector.QueryZone();
    mixed += (!seen.empty() && seen != one && seen != two) ||
             (zone != CBasketMotionDetector::kNoZone && zone != CBasketMotionDetector::kBottomRight);
    if (++reads % 7 == 0) detector.ClearMotionRects();
    detector.SetThreshold(reads % 2 == 0 ? 20 : 30);
  }
  capture.join();
  EXPECT_EQ(mixed, 0);
  EXPECT_GT(reads, 0);
  // The detector still works after all that.
  detector.ProcessFrame(still.View());
  EXPECT_EQ(PublishedRects(detector), two);
}

}  // namespace
