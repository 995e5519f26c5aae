#pragma once
#include <cstdint>
#include <string>

#include "render/PictureLoader.h"

// A picture of res/ loaded with the game's own loader and `colorKey` (the
// tests run with res/ beside them); no texels when it failed.
inline Picture LoadResource(const std::string& name, uint32_t colorKey = 0) {
  Picture picture;
  LoadPicture("./res/" + name, colorKey, picture);
  return picture;
}
// The texel at (x, y), row 0 at the top.
inline uint32_t Texel(const Picture& picture, int x, int y) { return picture.texels[y * picture.width + x]; }
// Its alpha; 0 outside the picture.
inline uint32_t Alpha(const Picture& picture, int x, int y) {
  const bool inside = x >= 0 && y >= 0 && x < int(picture.pictureWidth) && y < int(picture.pictureHeight);
  return inside ? Texel(picture, x, y) >> 24 : 0;
}
// Number of texels in the rectangle [left, right) x [top, bottom) whose
// alpha is above `threshold`.
inline int CountOpaque(const Picture& picture, int left, int top, int right, int bottom, uint32_t threshold = 0x10) {
  int count = 0;
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) count += Alpha(picture, x, y) > threshold ? 1 : 0;
  return count;
}

// The eggs' courses at level 1 in virtual units (the hatchery is drawn at
// that scale): start, roll along the ledge until past the first turn, slide
// down the chute until past the second, then fall. An egg is a 64 x 64 cell
// with its top-left corner on the course.
struct EggRoute {
  float startX, startY, firstVelocityX, firstTurnX, secondVelocityX, secondVelocityY, secondTurnX;
};
constexpr EggRoute kRoutes[] = {
    {30, 100, 3, 35, 3.5f, 2.6f, 200},
    {30, 305, 3, 35, 3.5f, 2.6f, 200},
    {915, 120, -3.5f, 980, -3.5f, 2.9f, 765},
    {920, 375, -3.5f, 910, -3.5f, 2.5f, 765},
};
constexpr int kEggSize = 64;

// Calls `visit` with every top-left position an egg takes on the ledge and
// the chute, frame by frame as the game moves it, before it starts to fall.
template <typename Visit>
void FollowRoute(const EggRoute& route, Visit visit) {
  float x = route.startX, y = route.startY, vx = route.firstVelocityX, vy = 0;
  for (int turns = 0, frame = 0; turns < 2 && frame < 1000; ++frame, x += vx, y += vy) {
    visit(x, y);
    const float turnX = turns == 0 ? route.firstTurnX : route.secondTurnX;
    if ((vx > 0 && x > turnX) || (vx < 0 && x < turnX)) {
      if (++turns == 1) vx = route.secondVelocityX, vy = route.secondVelocityY;
    }
  }
}
