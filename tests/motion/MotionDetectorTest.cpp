#include <gtest/gtest.h>

#include <atomic>
#include <iterator>
#include <random>
#include <thread>
#include <utility>

#include "MotionTestHelpers.h"
#include "motion/BasketMotionDetector.h"
#include "support/ReferenceMotionDetector.h"

namespace {

using Rects = std::vector<MotionRect>;

// Feeds the detector and the full-frame reference the same random frames,
// frame size, row layout and thresholds, comparing what they publish.
void CompareSequence(std::mt19937& random, int32_t width, int32_t height, int32_t frames) {
  static const int32_t kThresholds[] = {-5, -1, 0, 1, 20, 30, 127, 128, 200, 254, 255, 300, 60, 90};
  const auto pick = [&](int32_t low, int32_t high) {
    return std::uniform_int_distribution<int32_t>(low, high)(random);
  };
  const bool topDown = pick(0, 1) == 1;
  const int32_t padBytes = pick(0, 2) * 8;
  SCOPED_TRACE(testing::Message() << width << "x" << height << (topDown ? " top-down" : "") << " pad " << padBytes);
  TestFrame frame(width, height, {}, topDown, padBytes);
  // Every byte of the area, the fourth included.
  const auto noise = [&](int32_t left, int32_t top, int32_t right, int32_t bottom) {
    for (int32_t row = top; row < bottom; ++row) {
      for (int32_t b = 4 * left; b < 4 * right; ++b) frame.Pixel(0, row)[b] = static_cast<uint8_t>(pick(0, 255));
    }
  };
  // Changes the sample pixels of about `percent` of the cells, including the
  // samples beyond cell 29 that wide frames have, and every pixel between
  // samples: strongly (all bits) or by a random amount per channel that may
  // fall either side of the threshold.
  const auto flipCells = [&](int32_t percent, bool strongly) {
    for (int32_t x = 0; x < width; ++x) {
      for (int32_t row = 0; row < height; ++row) {
        if (x % (width / 30) != 0 || row % (height / 30) != 0) {
          frame.SetColour(x, row, static_cast<uint8_t>(pick(0, 255)));
        } else if (pick(1, 100) <= percent) {
          for (int32_t c = 0; c < 3; ++c) frame.Pixel(x, row)[c] ^= strongly ? 255 : static_cast<uint8_t>(pick(0, 255));
        }
      }
    }
  };
  const CVideoMode mode(width, height, 32);
  CMotionDetector detector;
  ASSERT_TRUE(detector.Init(&mode));
  CReferenceMotionDetector reference(width, height);
  noise(0, 0, width, height);
  int32_t threshold = detector.GetThreshold();
  for (int32_t n = 0; n < frames; ++n) {
    if (pick(0, 3) == 0) threshold = kThresholds[pick(0, std::size(kThresholds) - 1)];
    detector.SetThreshold(threshold);
    reference.SetThreshold(threshold);
    detector.ProcessFrame(frame.View());
    reference.ProcessFrame(frame.View());
    ASSERT_EQ(PublishedRects(detector), reference.Rects()) << "frame " << n;
    // The next frame, from one changed everywhere to a still one (5).
    const int32_t x = pick(0, width - 1), row = pick(0, height - 1);
    switch (pick(0, 5)) {
      case 0: noise(0, 0, width, height); break;
      case 1: noise(x, row, pick(x + 1, width), pick(row + 1, height)); break;
      case 2: flipCells(pick(5, 60), false); break;
      case 3: flipCells(pick(40, 100), true); break;
      case 4: flipCells(pick(0, 100), pick(0, 1) == 1); break;
    }
  }
}

// The sampling detector must publish exactly what the full-frame reference
// publishes, frame after frame, for any frame size, row layout and threshold.
TEST(MotionDetectorReferenceTest, CommonCameraSizesAndOddOnesDownToThirtyPixels) {
  std::mt19937 random(14);
  for (const auto& size : {std::pair{320, 240}, std::pair{640, 480}, std::pair{176, 144}, std::pair{160, 120}}) {
    for (int32_t n = 0; n < 6; ++n) CompareSequence(random, size.first, size.second, 12);
  }
  std::uniform_int_distribution<int32_t> side(30, 150);
  for (int32_t n = 0; n < 300; ++n) CompareSequence(random, side(random), side(random), 10);
}

// The comparison with the full-frame reference covers sampling, thresholds
// and the region search; these cover what it does not: modes, clearing, Init
// and frames that do not fit.

// Each Init in turn, then movement in 30 x 30 frames: a refused mode leaves a
// detector that ignores frames and publishes nothing.
TEST(MotionDetectorTest, OnlyModesOfThirtyPixelsOrMoreAreAcceptedAndOthersIgnoreFrames) {
  const Rects corner{{27, 28, 29, 29}};
  const CVideoMode smallest(30, 30, 32), narrow(29, 480, 32), low(640, 29, 32);
  const CVideoMode* const inits[] = {nullptr, &narrow, &smallest, &low, &smallest, nullptr};
  CMotionDetector detector;
  for (const CVideoMode* mode : inits) {
    EXPECT_EQ(detector.Init(mode), mode == &smallest);
    MoveCells(detector, 30, 30, corner);
    EXPECT_EQ(PublishedRects(detector), mode == &smallest ? corner : Rects{}) << (mode ? mode->width : 0);
  }
}

TEST(MotionDetectorTest, TheListLastsUntilClearedInitStartsAfreshAndBadFramesAreIgnored) {
  const CVideoMode mode(320, 240, 32);
  CMotionDetector detector;
  ASSERT_TRUE(detector.Init(&mode));
  const TestFrame still(320, 240), changed(320, 240, {{3, 3, 5, 4}}), smaller(160, 120);
  for (const TestFrame* frame : {&still, &changed, &still}) detector.ProcessFrame(frame->View());
  EXPECT_EQ(PublishedRects(detector), (Rects{{3, 3, 5, 4}}));
  detector.ClearMotionRects();
  EXPECT_TRUE(PublishedRects(detector).empty());

  // Init forgets the threshold and the previous frame: the first frame after
  // it is compared with itself. Frames of another size, with overlapping rows
  // or without pixels come next and change nothing.
  detector.SetThreshold(30);
  ASSERT_TRUE(detector.Init(&mode));
  EXPECT_EQ(detector.GetThreshold(), 20);
  FrameView overlapping = still.View(), empty = still.View();
  overlapping.stride = 4;
  empty.firstRow = nullptr;
  for (const FrameView& view : {changed.View(), smaller.View(), overlapping, empty}) detector.ProcessFrame(view);
  EXPECT_TRUE(PublishedRects(detector).empty());
  detector.ProcessFrame(still.View());
  EXPECT_EQ(PublishedRects(detector), (Rects{{3, 3, 5, 4}}));
}

// One thread feeds frames as the capture thread does while the main thread
// reads, clears and retunes the detector. Frames alternate so that the
// published list is always either the one-region list or the two-region
// list; a reader must never see a mixture.
TEST(MotionDetectorThreadTest, ReadersSeeWholeListsWhileFramesArrive) {
  const CVideoMode mode(160, 120, 32);
  CBasketMotionDetector detector;
  ASSERT_TRUE(detector.Init(&mode));
  const Rects one{{0, 0, 2, 1}}, two{{5, 5, 7, 6}, {20, 20, 22, 21}};
  const TestFrame still(160, 120), first(160, 120, one), second(160, 120, two);

  std::atomic<bool> done{false};
  std::thread capture([&] {
    const TestFrame* sequence[] = {&still, &first, &still, &second};
    for (int32_t n = 0; n < 20000; ++n) detector.ProcessFrame(sequence[n % 4]->View());
    done = true;
  });
  int32_t reads = 0, mixed = 0;
  while (!done) {
    const Rects seen = PublishedRects(detector);
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
