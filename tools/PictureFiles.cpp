#include "PictureFiles.h"

#include <cairo.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <vector>

#include "Paint.h"

namespace {

// One straight (unpremultiplied) pixel.
struct Rgba {
  uint8_t r, g, b, a;
};

uint8_t Unpremultiply(uint32_t channel, uint32_t alpha) {
  if (alpha == 0) return 0;
  return static_cast<uint8_t>((channel * 255 + alpha / 2) / alpha);
}

// The canvas must have been flushed.
Rgba PixelAt(const Canvas& canvas, int x, int y) {
  cairo_surface_t* surface = canvas.surface();
  const unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  const uint32_t word = *reinterpret_cast<const uint32_t*>(data + y * stride + x * 4);
  const uint32_t alpha = word >> 24;
  return {Unpremultiply((word >> 16) & 0xFF, alpha), Unpremultiply((word >> 8) & 0xFF, alpha),
          Unpremultiply(word & 0xFF, alpha), static_cast<uint8_t>(alpha)};
}

void PutLittle16(std::vector<uint8_t>& out, uint32_t value) {
  out.push_back(value & 0xFF);
  out.push_back((value >> 8) & 0xFF);
}

void PutLittle32(std::vector<uint8_t>& out, uint32_t value) {
  PutLittle16(out, value & 0xFFFF);
  PutLittle16(out, value >> 16);
}

bool WriteBytes(const std::vector<uint8_t>& bytes, const std::string& path) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!file) {
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return false;
  }
  return true;
}

}  // namespace

bool WritePng(const Canvas& canvas, const std::string& path) {
  cairo_surface_flush(canvas.surface());
  if (cairo_surface_write_to_png(canvas.surface(), path.c_str()) != CAIRO_STATUS_SUCCESS) {
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return false;
  }
  return true;
}

bool WriteTga(const Canvas& canvas, const std::string& path) {
  cairo_surface_flush(canvas.surface());
  std::vector<uint8_t> bytes;
  bytes.push_back(0);  // no image id
  bytes.push_back(0);  // no colour map
  bytes.push_back(2);  // uncompressed true colour
  for (int i = 0; i < 5; ++i) bytes.push_back(0);  // no colour map entries
  PutLittle16(bytes, 0);  // x origin
  PutLittle16(bytes, 0);  // y origin
  PutLittle16(bytes, canvas.width());
  PutLittle16(bytes, canvas.height());
  bytes.push_back(32);
  bytes.push_back(0x28);  // 8 alpha bits, first row is the top row
  for (int y = 0; y < canvas.height(); ++y) {
    for (int x = 0; x < canvas.width(); ++x) {
      const Rgba pixel = PixelAt(canvas, x, y);
      bytes.insert(bytes.end(), {pixel.b, pixel.g, pixel.r, pixel.a});
    }
  }
  return WriteBytes(bytes, path);
}

bool WriteBmp(const Canvas& canvas, const std::string& path) {
  cairo_surface_flush(canvas.surface());
  const uint32_t rowBytes = (canvas.width() * 3 + 3) & ~3u;
  const uint32_t pixelBytes = rowBytes * canvas.height();
  std::vector<uint8_t> bytes{'B', 'M'};
  PutLittle32(bytes, 54 + pixelBytes);
  PutLittle32(bytes, 0);
  PutLittle32(bytes, 54);
  PutLittle32(bytes, 40);
  PutLittle32(bytes, canvas.width());
  PutLittle32(bytes, canvas.height());  // positive: bottom row first
  PutLittle16(bytes, 1);
  PutLittle16(bytes, 24);
  PutLittle32(bytes, 0);  // no compression
  PutLittle32(bytes, pixelBytes);
  PutLittle32(bytes, 2835);  // 72 dpi
  PutLittle32(bytes, 2835);
  PutLittle32(bytes, 0);
  PutLittle32(bytes, 0);
  for (int y = canvas.height() - 1; y >= 0; --y) {
    const size_t rowStart = bytes.size();
    for (int x = 0; x < canvas.width(); ++x) {
      // Without alpha in the file, a transparent pixel is stored as black.
      const Rgba pixel = PixelAt(canvas, x, y);
      const auto scale = [&](uint8_t c) { return static_cast<uint8_t>((c * pixel.a + 127) / 255); };
      bytes.insert(bytes.end(), {scale(pixel.b), scale(pixel.g), scale(pixel.r)});
    }
    bytes.resize(rowStart + rowBytes, 0);
  }
  return WriteBytes(bytes, path);
}
