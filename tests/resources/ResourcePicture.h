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

// The eggs' courses at level 1 in virtual units (the hatchery is drawn at
// that scale): start, roll along the ledge until past the first turn, slide
// down the chute until past the second, then fall. An egg is a 64 x 64 cell
// with its top-left corner on the course.
struct EggRoute {
  float startX, startY;
  float firstVelocityX, firstTurnX;
  float secondVelocityX, secondVelocityY, secondTurnX;
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
  const auto passed = [&](float turnX) { return (vx > 0 && x > turnX) || (vx < 0 && x < turnX); };
  for (int state = 2, frame = 0; state < 4 && frame < 1000; ++frame, x += vx, y += vy) {
    visit(x, y);
    if (state == 2 && passed(route.firstTurnX)) {
      vx = route.secondVelocityX, vy = route.secondVelocityY, state = 3;
    } else if (state == 3 && passed(route.secondTurnX)) {
      state = 4;
    }
  }
}
