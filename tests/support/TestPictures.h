#pragma once
// Picture files made by the tests themselves, in a fresh temporary folder.
#include <cstdint>
#include <string>
#include <vector>

#include "render/PngWriter.h"
#include "support/TempFolder.h"

namespace testpictures {

// A folder of its own for this test program, made on first use and removed
// when the program ends, so that runs leave nothing behind in /tmp.
inline std::string TempDir() {
  static const TempFolder folder;
  return folder.Path();
}

inline std::string TempPath(const std::string& name) { return TempDir() + "/" + name; }

inline std::vector<uint32_t> Solid(uint32_t width, uint32_t height, uint32_t argb) {
  return std::vector<uint32_t>(size_t(width) * height, argb);
}

// Four quadrants: top-left, top-right, bottom-left, bottom-right colours.
inline std::vector<uint32_t> Quadrants(uint32_t width, uint32_t height, const uint32_t colors[4]) {
  std::vector<uint32_t> pixels(size_t(width) * height);
  for (size_t at = 0; at < pixels.size(); ++at)
    pixels[at] = colors[(at / width < height / 2 ? 0 : 2) + (at % width < width / 2 ? 0 : 1)];
  return pixels;
}

// Writes `bytes` as they are.
inline bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  WriteFile(path, std::string(bytes.begin(), bytes.end()));
  return ReadFile(path).size() == bytes.size();
}

inline std::vector<uint8_t> ReadBytes(const std::string& path) {
  const std::string bytes = ReadFile(path);
  return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

// `count` bytes of `value`, lowest first, as both formats store numbers and pixels (B, G, R, A).
inline void PutBytes(std::vector<uint8_t>& b, uint32_t value, int count) {
  for (int n = 0; n < count; ++n) b.push_back(uint8_t(value >> (8 * n)));
}

// Bottom-up rows, padded to 4 bytes.
inline bool WriteBmp24(const std::string& path, uint32_t width, uint32_t height, const std::vector<uint32_t>& argb) {
  const uint32_t rowBytes = (width * 3 + 3) / 4 * 4;
  std::vector<uint8_t> b{'B', 'M'};
  for (const uint32_t word : {54 + rowBytes * height, 0u, 54u, 40u, width, height}) PutBytes(b, word, 4);
  PutBytes(b, 1, 2);
  PutBytes(b, 24, 2);
  for (const uint32_t word : {0u, rowBytes * height, 2835u, 2835u, 0u, 0u}) PutBytes(b, word, 4);
  for (uint32_t y = height; y-- > 0;) {
    const size_t start = b.size();
    for (uint32_t x = 0; x < width; ++x) PutBytes(b, argb[y * width + x], 3);
    b.resize(start + rowBytes, 0);
  }
  return WriteBytes(path, b);
}

// Uncompressed (type 2) or run-length (type 10) 32-bit TGA, top row first.
inline bool WriteTga32(const std::string& path, uint32_t width, uint32_t height, const std::vector<uint32_t>& argb,
                       bool runLength) {
  std::vector<uint8_t> b{0, 0, uint8_t(runLength ? 10 : 2), 0, 0, 0, 0, 0, 0, 0, 0, 0};
  PutBytes(b, width, 2);
  PutBytes(b, height, 2);
  b.push_back(32);
  b.push_back(0x28);  // top row first, 8 alpha bits
  for (size_t i = 0; i < argb.size();) {
    size_t run = 1;
    while (runLength && i + run < argb.size() && run < 128 && argb[i + run] == argb[i]) ++run;
    if (runLength) b.push_back(uint8_t(0x80 | (run - 1)));
    PutBytes(b, argb[i], 4);
    i += run;
  }
  return WriteBytes(path, b);
}

}  // namespace testpictures
