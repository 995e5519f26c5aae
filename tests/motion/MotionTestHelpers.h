#pragma once
#include <cstdint>
#include <ostream>
#include <vector>

#include "base/FrameView.h"
#include "motion/MotionDetector.h"
#include "motion/MotionRect.h"

// A camera frame owned by a test. Rows are addressed as the detector sees
// them (row 0 first in the view); the storage can run the other way (a
// negative stride) and rows can carry padding.
class TestFrame {
 public:
  enum class Layout { kBottomUp, kTopDown };

  TestFrame(int32_t width, int32_t height, Layout layout = Layout::kBottomUp, int32_t padBytes = 0)
      : width(width), height(height), topDown(layout == Layout::kTopDown),
        rowBytes(static_cast<size_t>(width) * 4 + static_cast<size_t>(padBytes)),
        bytes(rowBytes * static_cast<size_t>(height), 0) {}

  int32_t Width() const { return width; }
  int32_t Height() const { return height; }

  uint8_t* Pixel(int32_t x, int32_t row) {
    const size_t stored = static_cast<size_t>(topDown ? height - 1 - row : row);
    return &bytes[stored * rowBytes + static_cast<size_t>(x) * 4];
  }

  // Blue, green and red of one pixel; the fourth byte is left alone.
  void SetColour(int32_t x, int32_t row, uint8_t value) {
    uint8_t* p = Pixel(x, row);
    p[0] = p[1] = p[2] = value;
  }

  // Sets the pixels the detector samples for the grid cells of `r`.
  void SetCells(const MotionRect& r, uint8_t value) {
    for (int32_t i = r.minX; i <= r.maxX; ++i) {
      for (int32_t j = r.minY; j <= r.maxY; ++j) SetColour(i * (width / 30), j * (height / 30), value);
    }
  }

  FrameView View() const {
    FrameView view;
    view.width = width;
    view.height = height;
    view.firstRow = bytes.data() + (topDown ? (static_cast<size_t>(height) - 1) * rowBytes : 0);
    view.stride = topDown ? -static_cast<ptrdiff_t>(rowBytes) : static_cast<ptrdiff_t>(rowBytes);
    return view;
  }

 private:
  int32_t width;
  int32_t height;
  bool topDown;
  size_t rowBytes;
  std::vector<uint8_t> bytes;
};

// A still frame of the detector's size, then one in which `cells` changed.
inline void MoveCells(CMotionDetector& detector, int32_t width, int32_t height, const std::vector<MotionRect>& cells) {
  TestFrame still(width, height);
  TestFrame changed(width, height);
  for (const MotionRect& r : cells) changed.SetCells(r, 0xFF);
  detector.ProcessFrame(still.View());
  detector.ProcessFrame(changed.View());
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
