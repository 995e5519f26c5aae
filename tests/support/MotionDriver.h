#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "base/FrameView.h"
#include "base/VideoMode.h"
#include "motion/CurrentMotionDetector.h"
#include "motion/MotionDetector.h"
#include "motion/MotionRect.h"

// Steers a real motion detector the way a camera would: each Move feeds one
// 300 x 300 frame that differs from the previous one exactly at the grid
// cells whose screen area lies inside the given rectangles (virtual
// 1024 x 768 units, as the widgets and zones test them). Installs the
// detector as the current one for its lifetime.
class MotionDriver {
 public:
  explicit MotionDriver(std::unique_ptr<CMotionDetector> steered = std::make_unique<CMotionDetector>())
      : detector(std::move(steered)), pixels(size_t(kSize) * kSize * 4, 0) {
    detector->Init(&mode);
    SetCurrentMotionDetector(detector.get());
    Still();  // the first frame after Init never moves anything
  }
  ~MotionDriver() {
    if (CurrentMotionDetector() == detector.get()) SetCurrentMotionDetector(nullptr);
  }
  MotionDriver(const MotionDriver&) = delete;
  MotionDriver& operator=(const MotionDriver&) = delete;

  // One frame with movement over `areas` (each wide and high enough to hold
  // a region of six cells: about 70 x 52 units or more). A cell's middle is
  // mirrored on both axes, as the detector's mapping mirrors it.
  void Move(const std::vector<ScreenRect>& areas) {
    for (int32_t x = 0; x < kMotionGridSize; ++x) {
      for (int32_t y = 0; y < kMotionGridSize; ++y) {
        const double sx = 1024.0 - (x + 0.5) * (1024.0 / kMotionGridSize);
        const double sy = 768.0 - (y + 0.5) * (768.0 / kMotionGridSize);
        for (const ScreenRect& area : areas) {
          if (sx > area.left && sx < area.right && sy > area.top && sy < area.bottom) {
            uint8_t* pixel = &pixels[(size_t(y) * kStep * kSize + size_t(x) * kStep) * 4];
            for (int c = 0; c < 3; ++c) pixel[c] ^= 0xFF;
            break;
          }
        }
      }
    }
    Still();
  }
  // A frame identical to the previous one: the detector keeps its last list.
  void Still() { detector->ProcessFrame(FrameView{pixels.data(), kSize, kSize, kSize * 4}); }
  // The detector forgets its rectangles: no movement anywhere.
  void Clear() { detector->ClearMotionRects(); }

  CMotionDetector& Detector() { return *detector; }

 private:
  static constexpr int32_t kSize = 300;
  static constexpr int32_t kStep = kSize / kMotionGridSize;  // pixels between sample points

  CVideoMode mode{kSize, kSize, 32};
  std::unique_ptr<CMotionDetector> detector;
  std::vector<uint8_t> pixels;
};
