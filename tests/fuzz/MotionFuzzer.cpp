// Any frame bytes at any allowed frame size: the detector reads only inside
// the frame and publishes at most kMaxMotionRects rectangles inside the grid.
//
// Input: two bytes of width, two of height (each 0..511, so sizes below 30
// test the refusal too), one byte of row padding and stride direction, one of
// threshold, then pixel bytes, repeated to fill frames as needed. Three frames
// are fed, the middle one from the pixel bytes shifted by one.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "motion/MotionDetector.h"

namespace {

std::vector<uint8_t> Tile(const uint8_t* data, size_t size, size_t shift, size_t total) {
  std::vector<uint8_t> bytes(total);
  if (total == 0) return bytes;
  shift %= size;
  size_t filled = std::min(total, size - shift);
  std::memcpy(bytes.data(), data + shift, filled);
  if (filled < total) {
    const size_t rest = std::min(total - filled, shift);
    std::memcpy(bytes.data() + filled, data, rest);
    filled += rest;
  }
  // Doubling copies: the pattern repeats with the input's length.
  while (filled < total) {
    const size_t step = std::min(filled, total - filled);
    std::memcpy(bytes.data() + filled, bytes.data(), step);
    filled += step;
  }
  return bytes;
}

void CheckRects(const CMotionDetector& detector) {
  MotionRect rects[kMaxMotionRects];
  int32_t count = -1;
  detector.GetMotionRects(rects, &count);
  if (count < 0 || count > kMaxMotionRects) std::abort();
  for (int32_t i = 0; i < count; ++i) {
    const MotionRect& r = rects[i];
    if (r.minX < 0 || r.minY < 0 || r.maxX >= kMotionGridSize || r.maxY >= kMotionGridSize || r.minX > r.maxX ||
        r.minY > r.maxY) {
      std::abort();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 7) return 0;
  const int32_t width = (data[0] | data[1] << 8) & 511;
  const int32_t height = (data[2] | data[3] << 8) & 511;
  const int32_t padding = data[4] & 0x7F;
  const bool bottomUp = (data[4] & 0x80) != 0;
  const int32_t threshold = data[5];
  data += 6;
  size -= 6;

  CMotionDetector detector;
  const CVideoMode mode(width, height, 32);
  const bool usable = detector.Init(&mode);
  if (usable != (width >= kMotionGridSize && height >= kMotionGridSize)) std::abort();
  detector.SetThreshold(threshold);

  const size_t stride = size_t(4 * width + padding);
  const size_t total = stride * size_t(height);
  for (size_t shift = 0; shift < 3; ++shift) {
    // Each frame is its own exact allocation, so ASan sees any read outside it.
    const std::vector<uint8_t> pixels = Tile(data, size, shift == 1 ? 1 : 0, total);
    FrameView view;
    view.firstRow = pixels.data();
    view.width = width;
    view.height = height;
    view.stride = ptrdiff_t(stride);
    if (bottomUp && height > 0) {
      view.firstRow = pixels.data() + stride * size_t(height - 1);
      view.stride = -view.stride;
    }
    detector.ProcessFrame(view);
    CheckRects(detector);
  }
  // A frame of another size is ignored, whatever its bytes.
  const std::vector<uint8_t> small = Tile(data, size, 0, 4 * 30 * 30);
  detector.ProcessFrame(FrameView{small.data(), 30, 30, 4 * 30});
  CheckRects(detector);
  return 0;
}
