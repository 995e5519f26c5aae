#include "TestPictures.h"

#include <fstream>
#include <iterator>

#include "TempFolder.h"

namespace testpictures {

namespace {

void Put16(std::vector<uint8_t>& b, uint32_t v) {
  b.push_back(uint8_t(v));
  b.push_back(uint8_t(v >> 8));
}

void Put32(std::vector<uint8_t>& b, uint32_t v) {
  Put16(b, v & 0xFFFF);
  Put16(b, v >> 16);
}

void PutPixel(std::vector<uint8_t>& b, uint32_t argb, bool alpha) {
  b.push_back(uint8_t(argb));
  b.push_back(uint8_t(argb >> 8));
  b.push_back(uint8_t(argb >> 16));
  if (alpha) {
    b.push_back(uint8_t(argb >> 24));
  }
}

// Bottom-up rows, padded to 4 bytes.
bool WriteBmp(const std::string& path, uint32_t width, uint32_t height, const std::vector<uint32_t>& argb,
              uint32_t bits) {
  const uint32_t rowBytes = (width * bits / 8 + 3) / 4 * 4;
  std::vector<uint8_t> b{'B', 'M'};
  Put32(b, 54 + rowBytes * height);
  Put32(b, 0);
  Put32(b, 54);
  Put32(b, 40);
  Put32(b, width);
  Put32(b, height);
  Put16(b, 1);
  Put16(b, bits);
  Put32(b, 0);
  Put32(b, rowBytes * height);
  Put32(b, 2835);
  Put32(b, 2835);
  Put32(b, 0);
  Put32(b, 0);
  for (uint32_t y = height; y-- > 0;) {
    const size_t start = b.size();
    for (uint32_t x = 0; x < width; ++x) {
      PutPixel(b, argb[y * width + x], bits == 32);
    }
    b.resize(start + rowBytes, 0);
  }
  return WriteBytes(path, b);
}

}  // namespace

std::string TempDir() {
  // One folder per test program, removed when the program ends so that runs
  // leave nothing behind in /tmp.
  static const TempFolder folder;
  return folder.Path();
}

std::string TempPath(const std::string& name) { return TempDir() + "/" + name; }

std::vector<uint32_t> Solid(uint32_t width, uint32_t height, uint32_t argb) {
  return std::vector<uint32_t>(size_t(width) * height, argb);
}

std::vector<uint32_t> Quadrants(uint32_t width, uint32_t height, const uint32_t colors[4]) {
  std::vector<uint32_t> pixels(size_t(width) * height);
  for (uint32_t y = 0; y < height; ++y) {
    for (uint32_t x = 0; x < width; ++x) {
      pixels[size_t(y) * width + x] = colors[(y < height / 2 ? 0 : 2) + (x < width / 2 ? 0 : 1)];
    }
  }
  return pixels;
}

bool WriteBmp24(const std::string& path, uint32_t width, uint32_t height, const std::vector<uint32_t>& argb) {
  return WriteBmp(path, width, height, argb, 24);
}

bool WriteBmp32(const std::string& path, uint32_t width, uint32_t height, const std::vector<uint32_t>& argb) {
  return WriteBmp(path, width, height, argb, 32);
}

bool WriteTga32(const std::string& path, uint32_t width, uint32_t height, const std::vector<uint32_t>& argb,
                bool runLength) {
  std::vector<uint8_t> b{0, 0, uint8_t(runLength ? 10 : 2), 0, 0, 0, 0, 0, 0, 0, 0, 0};
  Put16(b, width);
  Put16(b, height);
  b.push_back(32);
  b.push_back(0x28);  // top row first, 8 alpha bits
  for (size_t i = 0; i < argb.size();) {
    if (!runLength) {
      PutPixel(b, argb[i++], true);
      continue;
    }
    size_t run = 1;
    while (i + run < argb.size() && run < 128 && argb[i + run] == argb[i]) {
      ++run;
    }
    b.push_back(uint8_t(0x80 | (run - 1)));
    PutPixel(b, argb[i], true);
    i += run;
  }
  return WriteBytes(path, b);
}

bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  return bool(out);
}

std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace testpictures
