#pragma once
// Picture files made by the tests themselves, in a fresh temporary folder.
#include <cstdint>
#include <string>
#include <vector>

#include "render/PngWriter.h"

namespace testpictures {

// A folder of its own for this test program, made on first use.
std::string TempDir();
std::string TempPath(const std::string& name);

std::vector<uint32_t> Solid(uint32_t width, uint32_t height, uint32_t argb);
// Four quadrants: top-left, top-right, bottom-left, bottom-right colours.
std::vector<uint32_t> Quadrants(uint32_t width, uint32_t height, const uint32_t colors[4]);

bool WriteBmp24(const std::string& path, uint32_t width, uint32_t height, const std::vector<uint32_t>& argb);
bool WriteBmp32(const std::string& path, uint32_t width, uint32_t height, const std::vector<uint32_t>& argb);
// Uncompressed (type 2) or run-length (type 10) 32-bit TGA, top row first.
bool WriteTga32(const std::string& path, uint32_t width, uint32_t height, const std::vector<uint32_t>& argb,
                bool runLength);
// Writes `bytes` as they are.
bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);
std::vector<uint8_t> ReadBytes(const std::string& path);

}  // namespace testpictures
