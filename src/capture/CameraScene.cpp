#include "capture/CameraScene.h"

#include <algorithm>
#include <cmath>

void PutScenePixel(uint8_t* pixel, uint32_t rgb) {
  pixel[0] = static_cast<uint8_t>(rgb);
  pixel[1] = static_cast<uint8_t>(rgb >> 8);
  pixel[2] = static_cast<uint8_t>(rgb >> 16);
  pixel[3] = 255;
}

void FillSceneDisc(float x, float y, float radius, uint32_t rgb, uint8_t* pixels, int32_t width, int32_t height,
                   ptrdiff_t stride) {
  const float cx = x * static_cast<float>(width);
  const float cy = y * static_cast<float>(height);
  const float r = radius * static_cast<float>(height);
  const int32_t top = std::max(0, static_cast<int32_t>(std::floor(cy - r)));
  const int32_t bottom = std::min(height - 1, static_cast<int32_t>(std::ceil(cy + r)));
  const int32_t left = std::max(0, static_cast<int32_t>(std::floor(cx - r)));
  const int32_t right = std::min(width - 1, static_cast<int32_t>(std::ceil(cx + r)));
  for (int32_t row = top; row <= bottom; ++row) {
    uint8_t* line = pixels + row * stride;
    for (int32_t column = left; column <= right; ++column) {
      const float dx = static_cast<float>(column) + 0.5f - cx;
      const float dy = static_cast<float>(row) + 0.5f - cy;
      if (dx * dx + dy * dy <= r * r) PutScenePixel(line + 4 * column, rgb);
    }
  }
}
