#pragma once
#include <cstdint>
#include <string>

#include "render/PictureLoader.h"

// A picture of res/ loaded with the game's own loader, with alpha lookups in
// the picture's own pixels (row 0 at the top).
class ResourcePicture {
 public:
  // Loads "./res/<name>" (the tests run with res/ beside them) with `colorKey`.
  explicit ResourcePicture(const std::string& name, uint32_t colorKey = 0);

  bool Loaded() const { return loaded; }
  const Picture& Get() const { return picture; }
  uint32_t Texel(int x, int y) const { return picture.texels[y * picture.width + x]; }
  // 0 outside the picture.
  uint32_t Alpha(int x, int y) const;
  // Number of texels in the rectangle [left, right) x [top, bottom) whose
  // alpha is above `threshold`.
  int CountOpaque(int left, int top, int right, int bottom, uint32_t threshold = 0x10) const;

 private:
  Picture picture;
  bool loaded;
};
