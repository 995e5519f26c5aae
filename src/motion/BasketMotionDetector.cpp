#include "motion/BasketMotionDetector.h"

#include <cassert>

namespace {

constexpr uint32_t kVirtualWidth = 1024;
constexpr uint32_t kVirtualHeight = 768;

// value * viewport / virtual, truncated toward zero. Exact integer arithmetic,
// so the full height maps to the full viewport height with no rounding loss.
int32_t Scale(int32_t value, uint32_t viewport, uint32_t virtualSize) {
  return static_cast<int32_t>(static_cast<int64_t>(value) * viewport / virtualSize);
}

}  // namespace

CBasketMotionDetector::CBasketMotionDetector(uint32_t width, uint32_t height)
    : viewportWidth(width == 0 || height == 0 ? kVirtualWidth : width),
      viewportHeight(width == 0 || height == 0 ? kVirtualHeight : height) {
  const int32_t left = Scale(450, viewportWidth, kVirtualWidth);
  const int32_t right = Scale(600, viewportWidth, kVirtualWidth);
  const int32_t fullWidth = Scale(1024, viewportWidth, kVirtualWidth);
  const int32_t upper = Scale(350, viewportHeight, kVirtualHeight);
  // Scaled like every other edge, so that the band between the top and the
  // lower zones is the same part of the screen at any size.
  const int32_t lower = Scale(400, viewportHeight, kVirtualHeight);
  const int32_t fullHeight = Scale(768, viewportHeight, kVirtualHeight);
  zones[kTopLeft] = ScreenRect{0, 0, left, upper};
  zones[kBottomLeft] = ScreenRect{0, lower, left, fullHeight};
  zones[kTopRight] = ScreenRect{right, 0, fullWidth, upper};
  zones[kBottomRight] = ScreenRect{right, lower, fullWidth, fullHeight};
}

CBasketMotionDetector::~CBasketMotionDetector() = default;

int32_t CBasketMotionDetector::QueryZone() const {
  static constexpr int32_t kPreference[4] = {kTopLeft, kTopRight, kBottomLeft, kBottomRight};
  MotionRect found[kMaxMotionRects];
  int32_t count = 0;
  GetMotionRects(found, &count);
  for (int32_t n = 0; n < count; ++n) {
    const ScreenRect motion = ToViewport(GridRectToScreen(found[n]));
    for (const int32_t zone : kPreference) {
      if (RectsOverlap(motion, zones[zone])) {
        return zone;
      }
    }
  }
  return kNoZone;
}

ScreenRect CBasketMotionDetector::ZoneRect(int32_t zone) const {
  assert(zone >= 0 && zone < 4);
  return zones[zone >= 0 && zone < 4 ? zone : 0];
}

ScreenRect CBasketMotionDetector::ToViewport(const ScreenRect& r) const {
  return ScreenRect{Scale(r.left, viewportWidth, kVirtualWidth), Scale(r.top, viewportHeight, kVirtualHeight),
                    Scale(r.right, viewportWidth, kVirtualWidth), Scale(r.bottom, viewportHeight, kVirtualHeight)};
}
