#pragma once
#include <cstdint>

// One RGB24 pixel (bytes blue, green, red) as an X8R8G8B8 texel.
inline uint32_t BgrToXrgb(const uint8_t* p) {
  return 0xFF000000u | static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[1]) << 8 | p[0];
}

// Converts `width` RGB24 pixels into X8R8G8B8 texels: four pixels (twelve
// bytes) per step, then the remaining width mod 4 one by one. Any thread.
void ConvertBgrRow(const uint8_t* source, uint32_t* texels, int32_t width);
