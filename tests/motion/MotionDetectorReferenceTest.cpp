#include <gtest/gtest.h>

#include <iterator>
#include <random>
#include <utility>
#include <vector>

#include "MotionTestHelpers.h"
#include "motion/MotionDetector.h"
#include "support/ReferenceMotionDetector.h"

// The sampling detector must publish exactly what the full-frame reference
// publishes, frame after frame, for any frame size, row layout and threshold.
namespace {

class FrameSequence {
 public:
  FrameSequence(std::mt19937& random, int32_t width, int32_t height, TestFrame::Layout layout, int32_t padBytes)
      : random(random), frame(width, height, layout, padBytes) {
    Noise(0, 0, width, height);
  }

  const TestFrame& Frame() const { return frame; }

  // Changes the frame in one of several ways, from nothing to everything.
  void Step() {
    const int32_t x = Pick(0, frame.Width() - 1);
    const int32_t row = Pick(0, frame.Height() - 1);
    switch (Pick(0, 5)) {
      case 0: Noise(0, 0, frame.Width(), frame.Height()); break;
      case 1: Noise(x, row, Pick(x + 1, frame.Width()), Pick(row + 1, frame.Height())); break;
      case 2: FlipCells(Pick(5, 60), false); break;
      case 3: FlipCells(Pick(40, 100), true); break;
      case 4: FlipCells(Pick(0, 100), Pick(0, 1) == 1); break;
      default: break;  // a still frame
    }
  }

 private:
  int32_t Pick(int32_t low, int32_t high) { return std::uniform_int_distribution<int32_t>(low, high)(random); }

  // Every byte of the area, the fourth included.
  void Noise(int32_t left, int32_t firstRow, int32_t right, int32_t endRow) {
    for (int32_t row = firstRow; row < endRow; ++row) {
      for (int32_t x = left; x < right; ++x) {
        for (int32_t c = 0; c < 4; ++c) frame.Pixel(x, row)[c] = static_cast<uint8_t>(Pick(0, 255));
      }
    }
  }

  // Changes the sample pixels of about `percent` of the cells, including the
  // samples beyond cell 29 that wide frames have, and every pixel between
  // samples: strongly (all bits) or by a random amount per channel that may
  // fall either side of the threshold.
  void FlipCells(int32_t percent, bool strongly) {
    const int32_t dx = frame.Width() / 30;
    const int32_t dy = frame.Height() / 30;
    for (int32_t x = 0; x < frame.Width(); ++x) {
      for (int32_t row = 0; row < frame.Height(); ++row) {
        if (x % dx != 0 || row % dy != 0) {
          frame.SetColour(x, row, static_cast<uint8_t>(Pick(0, 255)));
        } else if (Pick(1, 100) <= percent) {
          for (int32_t c = 0; c < 3; ++c) frame.Pixel(x, row)[c] ^= strongly ? 0xFF : static_cast<uint8_t>(Pick(0, 255));
        }
      }
    }
  }

  std::mt19937& random;
  TestFrame frame;
};

void CompareSequence(std::mt19937& random, int32_t width, int32_t height, int32_t frames) {
  static const int32_t kThresholds[] = {-5, -1, 0, 1, 20, 30, 127, 128, 200, 254, 255, 300, 60, 90};
  const auto layout = (random() % 2 == 0) ? TestFrame::Layout::kBottomUp : TestFrame::Layout::kTopDown;
  const int32_t padBytes = static_cast<int32_t>(random() % 3) * 8;
  SCOPED_TRACE(testing::Message() << width << "x" << height << (layout == TestFrame::Layout::kTopDown ? " top-down" : "")
                                  << " pad " << padBytes);
  const CVideoMode mode(width, height, 32);
  CMotionDetector detector;
  ASSERT_TRUE(detector.Init(&mode));
  CReferenceMotionDetector reference(width, height);
  FrameSequence sequence(random, width, height, layout, padBytes);
  for (int32_t n = 0; n < frames; ++n) {
    if (random() % 4 == 0) {
      const int32_t threshold = kThresholds[random() % std::size(kThresholds)];
      detector.SetThreshold(threshold);
      reference.SetThreshold(threshold);
    }
    detector.ProcessFrame(sequence.Frame().View());
    reference.ProcessFrame(sequence.Frame().View());
    ASSERT_EQ(PublishedRects(detector), reference.Rects()) << "frame " << n;
    sequence.Step();
  }
}

TEST(MotionDetectorReferenceTest, CommonCameraSizes) {
  std::mt19937 random(14);
  for (const auto& size : {std::pair{320, 240}, std::pair{640, 480}, std::pair{176, 144}, std::pair{160, 120}}) {
    for (int32_t n = 0; n < 6; ++n) CompareSequence(random, size.first, size.second, 12);
  }
}

TEST(MotionDetectorReferenceTest, OddSizesDownToThirtyPixels) {
  std::mt19937 random(41);
  std::uniform_int_distribution<int32_t> side(30, 150);
  for (int32_t n = 0; n < 300; ++n) CompareSequence(random, side(random), side(random), 10);
}

}  // namespace
