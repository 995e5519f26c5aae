#pragma once
#include <cstdint>
#include <vector>

#include "base/VideoMode.h"
#include "motion/BasketMotionDetector.h"
#include "motion/MotionRect.h"

// Steers a real basket detector (for a 1000 x 750 viewport) as a camera
// would: each Move feeds one 300 x 300 frame that differs from the previous
// one exactly at the grid cells whose screen area lies inside the given
// rectangles (virtual 1024 x 768 units). Installs the detector as the current
// one for its lifetime.
class BasketDriver {
 public:
  // Areas well inside each quarter, and one in the band between the quarters.
  static constexpr ScreenRect kQuarter[4] = {
      {40, 40, 400, 320}, {40, 440, 400, 740}, {640, 40, 1000, 320}, {640, 440, 1000, 740}};
  static constexpr ScreenRect kMiddle = {480, 60, 580, 740};

  BasketDriver();
  ~BasketDriver();
  void Move(const std::vector<ScreenRect>& areas);
  void MoveIn(int32_t zone) { Move({zone < 4 ? kQuarter[zone] : kMiddle}); }
  CBasketMotionDetector& Detector() { return detector; }

 private:
  void Feed();
  CVideoMode mode{300, 300, 32};
  CBasketMotionDetector detector{1000, 750};
  std::vector<uint8_t> pixels;
};
