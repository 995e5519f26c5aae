#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "base/VideoMode.h"
#include "motion/MotionDetector.h"
#include "motion/MotionRect.h"

// Steers a real motion detector the way a camera would: each Move feeds one
// 300 x 300 frame that differs from the previous one exactly at the grid
// cells whose screen area lies inside the given rectangles (virtual
// 1024 x 768 units, as the widgets and zones test them). Installs the
// detector as the current one for its lifetime.
class MotionDriver {
 public:
  explicit MotionDriver(std::unique_ptr<CMotionDetector> steered = std::make_unique<CMotionDetector>());
  ~MotionDriver();
  MotionDriver(const MotionDriver&) = delete;
  MotionDriver& operator=(const MotionDriver&) = delete;

  // One frame with movement over `areas` (each wide and high enough to hold
  // a region of six cells: about 70 x 52 units or more).
  void Move(const std::vector<ScreenRect>& areas);
  // A frame identical to the previous one: the detector keeps its last list.
  void Still();
  // The detector forgets its rectangles: no movement anywhere.
  void Clear();

  CMotionDetector& Detector() { return *detector; }

 private:
  void Feed();

  CVideoMode mode{300, 300, 32};
  std::unique_ptr<CMotionDetector> detector;
  std::vector<uint8_t> pixels;
};
