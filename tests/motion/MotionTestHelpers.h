#pragma once
#include <algorithm>
#include <cstdint>
#include <ostream>
#include <vector>

#include "base/FrameView.h"
#include "motion/MotionDetector.h"
#include "motion/MotionRect.h"

// A black camera frame owned by a test, except at the pixels the detector
// samples for the grid cells of `moved`, which are white. Rows are addressed
// as the detector sees them (row 0 first in the view); the storage can run
// the other way (a negative stride) and rows can carry padding.
class TestFrame {
 public:
  TestFrame(int32_t width, int32_t height, const std::vector<MotionRect>& moved = {}, bool topDown = false,
            int32_t padBytes = 0)
      : bytes(static_cast<size_t>((width * 4 + padBytes) * height)) {
    const ptrdiff_t rowBytes = width * 4 + padBytes;
    view = {bytes.data() + (topDown ? (height - 1) * rowBytes : 0), width, height, topDown ? -rowBytes : rowBytes};
    for (const MotionRect& r : moved) {
      for (int32_t i = r.minX; i <= r.maxX; ++i) {
        for (int32_t j = r.minY; j <= r.maxY; ++j) SetColour(i * (width / 30), j * (height / 30), 0xFF);
      }
    }
  }
  TestFrame(const TestFrame&) = delete;
  TestFrame& operator=(const TestFrame&) = delete;

  uint8_t* Pixel(int32_t x, int32_t row) { return const_cast<uint8_t*>(view.Pixel(x, row)); }
  // Blue, green and red of one pixel; the fourth byte is left alone.
  void SetColour(int32_t x, int32_t row, uint8_t value) { std::fill_n(Pixel(x, row), 3, value); }
  const FrameView& View() const { return view; }

 private:
  std::vector<uint8_t> bytes;
  FrameView view;
};

// A still frame of the detector's size, then one in which `cells` changed.
inline void MoveCells(CMotionDetector& detector, int32_t width, int32_t height, const std::vector<MotionRect>& cells) {
  detector.ProcessFrame(TestFrame(width, height).View());
  detector.ProcessFrame(TestFrame(width, height, cells).View());
}

inline bool operator==(const MotionRect& a, const MotionRect& b) {
  return a.minX == b.minX && a.minY == b.minY && a.maxX == b.maxX && a.maxY == b.maxY;
}

inline std::ostream& operator<<(std::ostream& out, const MotionRect& r) {
  return out << "{" << r.minX << ", " << r.minY << ", " << r.maxX << ", " << r.maxY << "}";
}

// The first `count` entries of the detector's published list.
inline std::vector<MotionRect> PublishedRects(const CMotionDetector& detector) {
  MotionRect rects[kMaxMotionRects];
  int32_t count = -1;
  detector.GetMotionRects(rects, &count);
  return std::vector<MotionRect>(rects, rects + count);
}
