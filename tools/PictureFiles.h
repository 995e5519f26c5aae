#pragma once
#include <string>

class Canvas;

// Writers for the three picture formats the game reads. Each returns false
// (after printing why) when the file cannot be written. Alpha is stored
// straight (not premultiplied), as the game's loader expects.

// 8-bit RGBA PNG.
bool WritePng(const Canvas& canvas, const std::string& path);

// Uncompressed 32-bit true-colour TGA with 8 alpha bits, rows stored top row
// first (descriptor origin bit set).
bool WriteTga(const Canvas& canvas, const std::string& path);

// Uncompressed 24-bit BMP (no alpha), rows bottom row first as BMP requires.
bool WriteBmp(const Canvas& canvas, const std::string& path);
