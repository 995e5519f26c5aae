#include "motion/MotionRect.h"

namespace {

// The single-precision values of 1024 / 30 and 768 / 30; the products are
// formed in double so the screen edges land exactly where the menus and the
// basket zones expect them.
constexpr double kCellWidth = static_cast<double>(1024.0f / 30.0f);
constexpr double kCellHeight = static_cast<double>(768.0f / 30.0f);

// The conversion truncates toward zero, as the mapping requires.
int32_t MirroredEdge(double extent, int32_t cell, double cellSize) {
  return static_cast<int32_t>(extent - (static_cast<double>(cell) + 1.0) * cellSize);
}

bool IsEmpty(const ScreenRect& r) {
  return r.right <= r.left || r.bottom <= r.top;
}

}  // namespace

ScreenRect GridRectToScreen(const MotionRect& r) {
  return ScreenRect{MirroredEdge(1024.0, r.maxX, kCellWidth), MirroredEdge(768.0, r.maxY, kCellHeight),
                    MirroredEdge(1024.0, r.minX, kCellWidth), MirroredEdge(768.0, r.minY, kCellHeight)};
}

bool RectsOverlap(const ScreenRect& a, const ScreenRect& b) {
  if (IsEmpty(a) || IsEmpty(b)) {
    return false;
  }
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}
