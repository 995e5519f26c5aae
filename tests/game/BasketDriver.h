#pragma once
#include <cstdint>
#include <memory>

#include "motion/BasketMotionDetector.h"
#include "motion/MotionRect.h"
#include "support/MotionDriver.h"

// Steers a real basket detector (for a 1000 x 750 viewport) as a camera would,
// and names the places a player moves in.
class BasketDriver : public MotionDriver {
 public:
  // Areas well inside each quarter, and one in the band between the quarters.
  static constexpr ScreenRect kQuarter[4] = {
      {40, 40, 400, 320}, {40, 440, 400, 740}, {640, 40, 1000, 320}, {640, 440, 1000, 740}};
  static constexpr ScreenRect kMiddle = {480, 60, 580, 740};

  BasketDriver() : MotionDriver(std::make_unique<CBasketMotionDetector>(1000, 750)) {}
  void MoveIn(int32_t zone) { Move({zone < 4 ? kQuarter[zone] : kMiddle}); }
  CBasketMotionDetector& Detector() { return static_cast<CBasketMotionDetector&>(MotionDriver::Detector()); }
};
