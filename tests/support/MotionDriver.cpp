#include "MotionDriver.h"

#include "base/FrameView.h"
#include "motion/CurrentMotionDetector.h"

namespace {
constexpr int32_t kSize = 300;
constexpr int32_t kStep = kSize / kMotionGridSize;  // pixels between sample points

// The middle of grid cell (x, y) in virtual screen units, mirrored as the
// detector's mapping mirrors it.
void CellCentre(int32_t x, int32_t y, double& sx, double& sy) {
  sx = 1024.0 - (x + 0.5) * (1024.0 / kMotionGridSize);
  sy = 768.0 - (y + 0.5) * (768.0 / kMotionGridSize);
}
}  // namespace

MotionDriver::MotionDriver(std::unique_ptr<CMotionDetector> steered)
    : detector(std::move(steered)), pixels(static_cast<size_t>(kSize) * kSize * 4, 0) {
  detector->Init(&mode);
  SetCurrentMotionDetector(detector.get());
  Feed();  // the first frame after Init never moves anything
}

MotionDriver::~MotionDriver() {
  if (CurrentMotionDetector() == detector.get()) {
    SetCurrentMotionDetector(nullptr);
  }
}

void MotionDriver::Feed() {
  FrameView view;
  view.firstRow = pixels.data();
  view.width = kSize;
  view.height = kSize;
  view.stride = kSize * 4;
  detector->ProcessFrame(view);
}

void MotionDriver::Move(const std::vector<ScreenRect>& areas) {
  for (int32_t x = 0; x < kMotionGridSize; ++x) {
    for (int32_t y = 0; y < kMotionGridSize; ++y) {
      double sx = 0, sy = 0;
      CellCentre(x, y, sx, sy);
      for (const ScreenRect& area : areas) {
        if (sx > area.left && sx < area.right && sy > area.top && sy < area.bottom) {
          uint8_t* pixel = &pixels[(static_cast<size_t>(y) * kStep * kSize + static_cast<size_t>(x) * kStep) * 4];
          for (int c = 0; c < 3; ++c) {
            pixel[c] ^= 0xFF;
          }
          break;
        }
      }
    }
  }
  Feed();
}

void MotionDriver::Still() { Feed(); }

void MotionDriver::Clear() { detector->ClearMotionRects(); }
