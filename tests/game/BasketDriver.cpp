#include "BasketDriver.h"

#include "base/FrameView.h"
#include "motion/CurrentMotionDetector.h"

namespace {
constexpr int32_t kSize = 300;
constexpr int32_t kStep = kSize / kMotionGridSize;

// The middle of grid cell (x, y) in virtual units, mirrored as the detector maps it.
void CellCentre(int32_t x, int32_t y, double& sx, double& sy) {
  sx = 1024.0 - (x + 0.5) * (1024.0 / kMotionGridSize);
  sy = 768.0 - (y + 0.5) * (768.0 / kMotionGridSize);
}
}  // namespace

BasketDriver::BasketDriver() : pixels(static_cast<size_t>(kSize) * kSize * 4, 0) {
  detector.Init(&mode);
  SetCurrentMotionDetector(&detector);
  Feed();
}

BasketDriver::~BasketDriver() {
  if (CurrentMotionDetector() == &detector) {
    SetCurrentMotionDetector(nullptr);
  }
}

void BasketDriver::Feed() {
  FrameView view;
  view.firstRow = pixels.data();
  view.width = kSize;
  view.height = kSize;
  view.stride = kSize * 4;
  detector.ProcessFrame(view);
}

void BasketDriver::Move(const std::vector<ScreenRect>& areas) {
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
