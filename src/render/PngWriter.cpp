#include "render/PngWriter.h"

#include <png.h>

#include <cstring>

bool WritePng(const std::string& path, const std::vector<uint32_t>& argb, uint32_t width, uint32_t height) {
  if (width == 0 || height == 0 || argb.size() != size_t(width) * height) {
    return false;
  }
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = width;
  image.height = height;
  // A little-endian ARGB word is the bytes B, G, R, A.
  image.format = PNG_FORMAT_BGRA;
  const int written = png_image_write_to_file(&image, path.c_str(), 0, argb.data(), 0, nullptr);
  png_image_free(&image);
  return written != 0;
}
