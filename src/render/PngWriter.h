#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Writes `argb` (width * height ARGB words, top row first) as an 8-bit RGBA
// PNG file. False when the sizes do not match or the file cannot be written.
bool WritePng(const std::string& path, const std::vector<uint32_t>& argb, uint32_t width, uint32_t height);
