#pragma once
#include <cstdint>
#include <vector>

#include "menu/Option.h"
#include "motion/MotionRect.h"

// The movement seen this frame, mapped to virtual screen units: the current
// detector's rectangles (none without a detector). Main thread.
class MotionSnapshot {
 public:
  // Reads the detector installed in the capture engine.
  static MotionSnapshot FromCurrentDetector();
  explicit MotionSnapshot(const std::vector<ScreenRect>& rects) : screenRects(rects) {}

  // How many of this frame's rectangles overlap `rect`.
  int32_t CountOverlaps(const ScreenRect& rect) const;

 private:
  MotionSnapshot() = default;
  std::vector<ScreenRect> screenRects;
};

// The evaluation every options container runs once a frame: exactly one
// overlap between movement and the container's sensitive rectangles makes a
// candidate; movement elsewhere, or over two places at once, releases every
// held option. `overlaps` is the number of overlapping pairs found, and
// `candidate` the option they point at (ignored unless overlaps is 1).
// For each option in order this runs its evaluation step and its Update.
// Returns the value of the last option found chosen, or -1.
int32_t RunOptionSet(const std::vector<COption*>& options, int32_t overlaps, COption* candidate, uint32_t now);
