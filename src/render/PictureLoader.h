#pragma once
#include <cstdint>
#include <string>
#include <vector>

// A decoded picture, ready to become a texture.
struct Picture {
  uint32_t width = 0, height = 0;                // texture size: powers of two
  uint32_t pictureWidth = 0, pictureHeight = 0;  // the picture as it lies in the file
  std::vector<uint32_t> texels;                  // width * height ARGB words, top row first
};

// Pictures larger than this on either side are refused.
constexpr uint32_t kMaxPictureSize = 8192;

// Reads a PNG or BMP file (recognised by its contents) or a TGA file (by its
// .tga name: TGA carries no signature) into a power-of-two texture with the
// picture in the top-left corner and the rest transparent black. Texels exactly equal to `colorKey` (ARGB) become
// transparent black; 0 means no key. When `path` does not exist as written, a
// file whose name differs only in letter case is used. Returns false, with
// `picture` emptied, for a missing, unreadable, truncated, oversized or
// otherwise broken file.
bool LoadPicture(const std::string& path, uint32_t colorKey, Picture& picture);

// Smallest power of two not below `value` (1 for 0).
uint32_t NextPowerOfTwo(uint32_t value);
