#include <gtest/gtest.h>

#include <vector>

#include "MotionTestHelpers.h"
#include "motion/MotionDetector.h"

namespace {

using Rects = std::vector<MotionRect>;

class MotionDetectorTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(detector.Init(&mode)); }

  // Feeds a still frame, then one in which the given cells changed by `value`.
  void Move(const std::vector<MotionRect>& cellRects, uint8_t value = 0xFF) {
    TestFrame changed(mode.width, mode.height);
    for (const MotionRect& r : cellRects) {
      changed.SetCells(r, value);
    }
    detector.ProcessFrame(still.View());
    detector.ProcessFrame(changed.View());
  }

  CVideoMode mode{320, 240, 32};
  TestFrame still{320, 240};
  CMotionDetector detector;
};

TEST(MotionDetectorInitTest, RejectsMissingAndTooSmallModesAndThenIgnoresFrames) {
  CMotionDetector detector;
  EXPECT_FALSE(detector.Init(nullptr));
  const CVideoMode narrow(29, 480, 32);
  const CVideoMode low(640, 29, 32);
  const CVideoMode smallest(30, 30, 32);
  EXPECT_FALSE(detector.Init(&narrow));
  EXPECT_FALSE(detector.Init(&low));
  EXPECT_TRUE(detector.Init(&smallest));
  // A failed Init after a good one leaves a detector that ignores frames.
  EXPECT_FALSE(detector.Init(&narrow));
  TestFrame still(29, 480);
  TestFrame changed(29, 480);
  changed.SetCells({0, 0, 5, 5}, 0xFF);
  detector.ProcessFrame(still.View());
  detector.ProcessFrame(changed.View());
  EXPECT_TRUE(PublishedRects(detector).empty());
}

TEST(MotionDetectorInitTest, DetectorWithoutModeIgnoresFrames) {
  CMotionDetector detector;
  TestFrame still(320, 240);
  TestFrame changed(320, 240);
  changed.SetCells({0, 0, 5, 5}, 0xFF);
  detector.ProcessFrame(still.View());
  detector.ProcessFrame(changed.View());
  EXPECT_TRUE(PublishedRects(detector).empty());
}

TEST(MotionDetectorInitTest, SmallestModeFindsMotion) {
  CMotionDetector detector;
  const CVideoMode smallest(30, 30, 32);
  ASSERT_TRUE(detector.Init(&smallest));
  TestFrame still(30, 30);
  TestFrame changed(30, 30);
  changed.SetCells({27, 28, 29, 29}, 0xFF);
  detector.ProcessFrame(still.View());
  detector.ProcessFrame(changed.View());
  EXPECT_EQ(PublishedRects(detector), (Rects{{27, 28, 29, 29}}));
}

TEST_F(MotionDetectorTest, InitResetsThresholdListAndPreviousFrame) {
  detector.SetThreshold(30);
  EXPECT_EQ(detector.GetThreshold(), 30);
  Move({{3, 3, 5, 4}});
  ASSERT_EQ(PublishedRects(detector).size(), 1u);

  ASSERT_TRUE(detector.Init(&mode));
  EXPECT_EQ(detector.GetThreshold(), 20);
  EXPECT_TRUE(PublishedRects(detector).empty());
  // The first frame after Init is compared with itself, whatever came before.
  TestFrame changed(320, 240);
  changed.SetCells({3, 3, 5, 4}, 0xFF);
  detector.ProcessFrame(changed.View());
  EXPECT_TRUE(PublishedRects(detector).empty());
  detector.ProcessFrame(still.View());
  EXPECT_EQ(PublishedRects(detector), (Rects{{3, 3, 5, 4}}));
}

TEST_F(MotionDetectorTest, StillFramesKeepTheListUntilCleared) {
  Move({{10, 10, 12, 12}});
  TestFrame changed(320, 240);
  changed.SetCells({10, 10, 12, 12}, 0xFF);
  detector.ProcessFrame(changed.View());
  detector.ProcessFrame(changed.View());
  EXPECT_EQ(PublishedRects(detector), (Rects{{10, 10, 12, 12}}));

  detector.ClearMotionRects();
  EXPECT_TRUE(PublishedRects(detector).empty());
  detector.ProcessFrame(changed.View());
  EXPECT_TRUE(PublishedRects(detector).empty());
  // Noise below six cells does not replace the list either.
  TestFrame noisy = changed;
  noisy.SetCells({20, 20, 24, 20}, 0xFF);
  detector.ProcessFrame(noisy.View());
  EXPECT_TRUE(PublishedRects(detector).empty());
}

TEST_F(MotionDetectorTest, SixConnectedCellsAreOneRegionFiveAreNoise) {
  // Five cells: a diagonal staircase.
  Move({{4, 4, 4, 5}, {5, 6, 5, 7}, {6, 8, 6, 8}});
  EXPECT_TRUE(PublishedRects(detector).empty());
  // Six, joined only by a diagonal step between the two halves.
  Move({{4, 4, 4, 6}, {5, 7, 5, 9}});
  EXPECT_EQ(PublishedRects(detector), (Rects{{4, 4, 5, 9}}));
  // Two groups of six that touch only across an empty column stay apart.
  Move({{0, 0, 1, 2}, {3, 0, 4, 2}});
  EXPECT_EQ(PublishedRects(detector), (Rects{{0, 0, 1, 2}, {3, 0, 4, 2}}));
}

TEST_F(MotionDetectorTest, DifferenceIsExclusiveOrPerChannel) {
  detector.SetThreshold(30);
  TestFrame before(320, 240);
  TestFrame after(320, 240);
  before.SetCells({0, 0, 2, 1}, 0x7F);
  after.SetCells({0, 0, 2, 1}, 0x80);  // 0x7F ^ 0x80 = 0xFF
  before.SetCells({10, 0, 12, 1}, 0x80);
  after.SetCells({10, 0, 12, 1}, 0x90);  // 0x80 ^ 0x90 = 0x10
  detector.ProcessFrame(before.View());
  detector.ProcessFrame(after.View());
  EXPECT_EQ(PublishedRects(detector), (Rects{{0, 0, 2, 1}}));
}

TEST_F(MotionDetectorTest, EveryColourChannelMustExceedTheThreshold) {
  detector.SetThreshold(30);
  const uint8_t atThreshold[3] = {0xFF, 30, 0xFF};
  const uint8_t aboveThreshold[3] = {31, 31, 31};
  TestFrame changed(320, 240);
  for (int32_t i = 0; i < 6; ++i) {
    for (int32_t c = 0; c < 3; ++c) {
      changed.Pixel(i * 10, 0)[c] = atThreshold[c];
      changed.Pixel(i * 10, 8 * 8)[c] = aboveThreshold[c];
    }
    changed.Pixel(i * 10, 16 * 8)[3] = 0xFF;  // the unused byte
  }
  detector.ProcessFrame(still.View());
  detector.ProcessFrame(changed.View());
  EXPECT_EQ(PublishedRects(detector), (Rects{{0, 8, 5, 8}}));
}

TEST_F(MotionDetectorTest, RegionInTheLastRowAndColumn) {
  Move({{27, 28, 29, 29}, {0, 29, 5, 29}, {29, 0, 29, 5}});
  EXPECT_EQ(PublishedRects(detector), (Rects{{0, 29, 5, 29}, {27, 28, 29, 29}, {29, 0, 29, 5}}));
}

TEST_F(MotionDetectorTest, ListIsInScanOrderColumnsFirst) {
  Move({{20, 0, 22, 1}, {2, 25, 4, 26}, {2, 10, 4, 11}});
  EXPECT_EQ(PublishedRects(detector), (Rects{{2, 10, 4, 11}, {2, 25, 4, 26}, {20, 0, 22, 1}}));
}

// A one-cell-wide path snaking up and down the even columns, joined at the
// ends by the odd columns. The fill follows the path and stops at depth 100,
// in column 6 at row 20; the rest of column 6 seeds the next region, and so on.
TEST_F(MotionDetectorTest, DepthLimitCutsLongRegionsIntoSeveral) {
  std::vector<MotionRect> path;
  for (int32_t x = 0; x < 30; x += 2) {
    path.push_back({x, 0, x, 29});
  }
  for (int32_t x = 1; x < 30; x += 2) {
    const int32_t y = (x % 4 == 1) ? 29 : 0;
    path.push_back({x, y, x, y});
  }
  Move(path);
  EXPECT_EQ(PublishedRects(detector), (Rects{{0, 0, 6, 29}, {6, 0, 14, 29}, {14, 0, 22, 29}, {22, 0, 29, 29}}));
}

TEST_F(MotionDetectorTest, SamplesOnlyTheGridPoints) {
  // Every pixel except the sample points changes: nothing moves.
  TestFrame changed(320, 240);
  for (int32_t row = 0; row < 240; ++row) {
    for (int32_t x = 0; x < 320; ++x) {
      changed.SetColour(x, row, 0xFF);
    }
  }
  for (int32_t i = 0; i < 30; ++i) {
    for (int32_t j = 0; j < 30; ++j) {
      changed.SetColour(i * 10, j * 8, 0);
    }
  }
  detector.ProcessFrame(still.View());
  detector.ProcessFrame(changed.View());
  EXPECT_TRUE(PublishedRects(detector).empty());
}

TEST(MotionDetectorSamplingTest, SamplePositionsFor640x480) {
  const CVideoMode mode(640, 480, 32);
  CMotionDetector detector;
  ASSERT_TRUE(detector.Init(&mode));
  TestFrame still(640, 480);
  TestFrame changed(640, 480);
  // Columns 0, 21, ..., 609 and rows 0, 16, ..., 464.
  for (const int32_t x : {0, 21, 42}) {
    for (const int32_t row : {448, 464}) {
      changed.SetColour(x, row, 0xFF);
    }
  }
  for (const int32_t x : {567, 588, 609}) {
    for (const int32_t row : {0, 16}) {
      changed.SetColour(x, row, 0xFF);
    }
  }
  // Neighbours of sample points are not read.
  for (const int32_t x : {1, 20, 22, 43}) {
    for (int32_t row = 100; row < 200; ++row) {
      changed.SetColour(x, row, 0xFF);
    }
  }
  detector.ProcessFrame(still.View());
  detector.ProcessFrame(changed.View());
  EXPECT_EQ(PublishedRects(detector), (Rects{{0, 28, 2, 29}, {27, 0, 29, 1}}));
}

TEST(MotionDetectorFrameTest, FrameOfAnotherSizeOrWithOverlappingRowsIsIgnored) {
  const CVideoMode mode(320, 240, 32);
  CMotionDetector detector;
  ASSERT_TRUE(detector.Init(&mode));
  TestFrame still(320, 240);
  TestFrame changed(320, 240);
  changed.SetCells({0, 0, 5, 5}, 0xFF);
  TestFrame smaller(160, 120);
  detector.ProcessFrame(still.View());
  detector.ProcessFrame(smaller.View());
  FrameView overlapping = changed.View();
  overlapping.stride = 4;
  detector.ProcessFrame(overlapping);
  FrameView empty = changed.View();
  empty.firstRow = nullptr;
  detector.ProcessFrame(empty);
  EXPECT_TRUE(PublishedRects(detector).empty());
  detector.ProcessFrame(changed.View());
  EXPECT_EQ(PublishedRects(detector), (Rects{{0, 0, 5, 5}}));
}

TEST(MotionDetectorFrameTest, RowsCountFromTheFirstRowOfTheViewWhateverTheStride) {
  const CVideoMode mode(320, 240, 32);
  for (const auto layout : {TestFrame::Layout::kBottomUp, TestFrame::Layout::kTopDown}) {
    CMotionDetector detector;
    ASSERT_TRUE(detector.Init(&mode));
    TestFrame still(320, 240, layout, 12);
    TestFrame changed(320, 240, layout, 12);
    changed.SetCells({3, 0, 5, 1}, 0xFF);
    detector.ProcessFrame(still.View());
    detector.ProcessFrame(changed.View());
    EXPECT_EQ(PublishedRects(detector), (Rects{{3, 0, 5, 1}}));
  }
}

}  // namespace
