#include "ResourcePicture.h"

ResourcePicture::ResourcePicture(const std::string& name, uint32_t colorKey)
    : loaded(LoadPicture("./res/" + name, colorKey, picture)) {}

uint32_t ResourcePicture::Alpha(int x, int y) const {
  const bool inside = x >= 0 && y >= 0 && x < static_cast<int>(picture.pictureWidth) && y < static_cast<int>(picture.pictureHeight);
  return inside ? Texel(x, y) >> 24 : 0;
}

int ResourcePicture::CountOpaque(int left, int top, int right, int bottom, uint32_t threshold) const {
  int count = 0;
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) count += Alpha(x, y) > threshold ? 1 : 0;
  }
  return count;
}
