#include <gtest/gtest.h>

#include <vector>

#include "MotionTestHelpers.h"
#include "motion/MotionDetector.h"

// The comparison with the full-frame reference covers sampling, thresholds
// and the region search; these cover what it does not: modes, clearing, Init
// and frames that do not fit.
namespace {

using Rects = std::vector<MotionRect>;

TEST(MotionDetectorTest, OnlyModesOfThirtyPixelsOrMoreAreAcceptedAndOthersIgnoreFrames) {
  const Rects corner{{27, 28, 29, 29}};
  const CVideoMode smallest(30, 30, 32), narrow(29, 480, 32), low(640, 29, 32);
  CMotionDetector detector;
  MoveCells(detector, 320, 240, corner);  // before any Init
  EXPECT_TRUE(PublishedRects(detector).empty());
  for (const CVideoMode* refused : {static_cast<const CVideoMode*>(nullptr), &narrow, &low}) {
    EXPECT_FALSE(detector.Init(refused));
  }
  ASSERT_TRUE(detector.Init(&smallest));
  MoveCells(detector, 30, 30, corner);
  EXPECT_EQ(PublishedRects(detector), corner);
  // A refused Init after a good one leaves a detector that ignores frames.
  EXPECT_FALSE(detector.Init(&narrow));
  MoveCells(detector, 29, 480, corner);
  EXPECT_TRUE(PublishedRects(detector).empty());
}

TEST(MotionDetectorTest, TheListLastsUntilClearedInitStartsAfreshAndBadFramesAreIgnored) {
  const CVideoMode mode(320, 240, 32);
  CMotionDetector detector;
  ASSERT_TRUE(detector.Init(&mode));
  const TestFrame still(320, 240);
  const TestFrame smaller(160, 120);
  TestFrame changed(320, 240);
  changed.SetCells({3, 3, 5, 4}, 0xFF);
  detector.SetThreshold(30);
  detector.ProcessFrame(still.View());
  detector.ProcessFrame(changed.View());
  detector.ProcessFrame(changed.View());  // still: the list stays
  EXPECT_EQ(PublishedRects(detector), (Rects{{3, 3, 5, 4}}));
  detector.ClearMotionRects();
  EXPECT_TRUE(PublishedRects(detector).empty());

  // Init forgets the threshold and the previous frame: the first frame after
  // it is compared with itself. Frames of another size, with overlapping rows
  // or without pixels come between and change nothing.
  ASSERT_TRUE(detector.Init(&mode));
  EXPECT_EQ(detector.GetThreshold(), 20);
  detector.ProcessFrame(changed.View());
  FrameView overlapping = still.View();
  overlapping.stride = 4;
  FrameView empty = still.View();
  empty.firstRow = nullptr;
  for (const FrameView& bad : {smaller.View(), overlapping, empty}) detector.ProcessFrame(bad);
  EXPECT_TRUE(PublishedRects(detector).empty());
  detector.ProcessFrame(still.View());
  EXPECT_EQ(PublishedRects(detector), (Rects{{3, 3, 5, 4}}));
}

}  // namespace
