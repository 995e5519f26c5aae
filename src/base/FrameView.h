#pragma once
#include <cstddef>
#include <cstdint>

// A camera frame as it is handed from the capture thread to its consumers,
// without a copy: 32-bit pixels, bytes blue, green, red and one unused byte.
// Row 0 is the first row the game's frame convention names: the bottom row
// of the picture. `stride` is the byte distance from one row to the next and
// may be negative (a top-down buffer walked from its last row). The pixels
// belong to the capture pipeline and are valid only during the call that
// hands the view over.
struct FrameView {
  const uint8_t* firstRow = nullptr;
  int32_t width = 0;
  int32_t height = 0;
  ptrdiff_t stride = 0;

  const uint8_t* Row(int32_t row) const { return firstRow + static_cast<ptrdiff_t>(row) * stride; }
  const uint8_t* Pixel(int32_t x, int32_t row) const { return Row(row) + 4 * static_cast<ptrdiff_t>(x); }
};
