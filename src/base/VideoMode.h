#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

// One capture mode of a camera: the frame size the game receives, the bits
// per pixel of the camera's own format and, when the camera says, the frames
// a second it delivers at that size. Frames handed to the game are always
// 32-bit, whatever this record says.
class CVideoMode {
 public:
  CVideoMode() = default;
  CVideoMode(int32_t w, int32_t h, int32_t bits, double fps = 0)
      : width(w), height(h), bitsPerPixel(bits), framesPerSecond(fps) {}
  virtual ~CVideoMode() = default;

  // "32x320x240": bits per pixel, width and height in decimal, then the
  // frame rate when it is known: "32x320x240 (30 fps)", "(29.97 fps)".
  std::string Description() const {
    std::string text = std::to_string(bitsPerPixel) + "x" + std::to_string(width) + "x" + std::to_string(height);
    if (framesPerSecond <= 0) return text;
    char rate[32];
    std::snprintf(rate, sizeof rate, "%.2f", framesPerSecond);
    std::string number = rate;
    number.erase(number.find_last_not_of('0') + 1);
    if (number.back() == '.') number.pop_back();
    return text + " (" + number + " fps)";
  }

  int32_t width = 0;
  int32_t height = 0;
  int32_t bitsPerPixel = 0;
  double framesPerSecond = 0;  // 0: not known
};
