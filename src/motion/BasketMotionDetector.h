#pragma once
#include <cstdint>

#include "motion/MotionDetector.h"
#include "motion/MotionRect.h"

// The egg game's detector: besides finding movement it tells in which of four
// screen quarters, one per chute, there is movement now.
//
// The zones are laid out in viewport pixels: with sx = viewport width / 1024
// and sy = viewport height / 768, zone 0 (top-left) is 0, 0, 450 sx, 350 sy;
// zone 1 (bottom-left) 0, 400 sy, 450 sx, 768 sy; zone 2 (top-right) 600 sx,
// 0, 1024 sx, 350 sy; zone 3 (bottom-right) 600 sx, 400 sy, 1024 sx, 768 sy.
// Motion rectangles are scaled by the same factors before they are compared,
// so the same movement falls in the same zone on a screen of any size.
class CBasketMotionDetector : public CMotionDetector {
 public:
  static constexpr int32_t kTopLeft = 0;
  static constexpr int32_t kBottomLeft = 1;
  static constexpr int32_t kTopRight = 2;
  static constexpr int32_t kBottomRight = 3;
  static constexpr int32_t kNoZone = 4;

  // Viewport size in pixels as the drawing device reports it; 0 x 0 (no
  // viewport known) falls back to 1024 x 768.
  explicit CBasketMotionDetector(uint32_t viewportWidth = 1024, uint32_t viewportHeight = 768);
  ~CBasketMotionDetector() override;

  // Main thread, about twenty times a second. The zone of the first published
  // rectangle that overlaps a zone, testing top-left, top-right, bottom-left,
  // bottom-right in that order; kNoZone when none does.
  int32_t QueryZone() const;

  // Zone 0..3 in viewport pixels.
  ScreenRect ZoneRect(int32_t zone) const;

 private:
  ScreenRect ToViewport(const ScreenRect& virtualRect) const;

  uint32_t viewportWidth;
  uint32_t viewportHeight;
  ScreenRect zones[4];
};
