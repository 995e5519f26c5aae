#pragma once
#include <cstdint>
#include <string>

// One capture mode of a camera: the frame size the game receives and the
// bits per pixel of the camera's own format. Frames handed to the game are
// always 32-bit, whatever this record says.
class CVideoMode {
 public:
  CVideoMode() = default;
  CVideoMode(int32_t w, int32_t h, int32_t bits) : width(w), height(h), bitsPerPixel(bits) {}
  virtual ~CVideoMode() = default;

  // "32x320x240": bits per pixel, width and height in decimal.
  std::string Description() const {
    return std::to_string(bitsPerPixel) + "x" + std::to_string(width) + "x" + std::to_string(height);
  }

  int32_t width = 0;
  int32_t height = 0;
  int32_t bitsPerPixel = 0;
};
