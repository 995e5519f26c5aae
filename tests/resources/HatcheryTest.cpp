#include <gtest/gtest.h>

#include <cmath>

#include "ResourcePicture.h"

// The hatchery is drawn over the camera at the same scale as the eggs; its
// ledges must carry the eggs along their paths: an egg is a 64 x 64 cell with
// its top-left corner on the path, so the ledge's top edge runs under the
// middle of the cell's bottom edge.

namespace {

struct EggRoute {
  float startX, startY;
  float firstVelocityX;
  float firstTurnX;
  float secondVelocityX, secondVelocityY;
  float secondTurnX;
};

const EggRoute kRoutes[] = {
    {30, 100, 3, 35, 3.5f, 2.6f, 200},
    {30, 305, 3, 35, 3.5f, 2.6f, 200},
    {915, 120, -3.5f, 980, -3.5f, 2.9f, 765},
    {920, 375, -3.5f, 910, -3.5f, 2.5f, 765},
};

constexpr int kEggSize = 64;

// Runs an egg along its route frame by frame as the game does (at level 1)
// and calls `visit` with every top-left position it takes on the ledge and
// the chute, before it starts to fall.
template <typename Visit>
void FollowRoute(const EggRoute& route, Visit visit) {
  float x = route.startX, y = route.startY;
  float vx = route.firstVelocityX, vy = 0;
  int state = 2;
  for (int frame = 0; frame < 1000 && state < 4; ++frame) {
    visit(x, y);
    if (state == 2 && ((vx > 0 && x > route.firstTurnX) || (vx < 0 && x < route.firstTurnX))) {
      vx = route.secondVelocityX;
      vy = route.secondVelocityY;
      state = 3;
    } else if (state == 3 && ((vx > 0 && x > route.secondTurnX) || (vx < 0 && x < route.secondTurnX))) {
      state = 4;
    }
    x += vx;
    y += vy;
  }
}

class HatcheryTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(hatchery.Loaded()); }

  // Row of the first solid texel at or below `fromY` in column `x`; -1 if none.
  int FirstSolidRow(int x, int fromY) const {
    for (int y = fromY; y < 768; ++y) {
      if (hatchery.Alpha(x, y) >= 0x80) return y;
    }
    return -1;
  }

  ResourcePicture hatchery{"hatchery.tga"};
};

}  // namespace

TEST_F(HatcheryTest, EveryStartPointRestsOnASolidLedge) {
  for (const EggRoute& route : kRoutes) {
    SCOPED_TRACE(route.startY);
    const int x = static_cast<int>(route.startX) + kEggSize / 2;
    const int bottom = static_cast<int>(route.startY) + kEggSize;
    EXPECT_GE(hatchery.Alpha(x, bottom + 2), 0xF0u);
    // Level towards the hen-house wall, where the egg appears.
    const int wallward = route.secondVelocityX > 0 ? -20 : 20;
    EXPECT_GE(hatchery.Alpha(x + wallward, bottom + 2), 0xF0u);
    EXPECT_EQ(hatchery.CountOpaque(x + wallward - 2, bottom - 6, x + wallward + 2, bottom - 1), 0);
    // ...and the egg itself appears over the camera, not over wood.
    EXPECT_EQ(hatchery.CountOpaque(x - 16, bottom - 48, x + 16, bottom - 4), 0);
  }
}

TEST_F(HatcheryTest, LedgeTopEdgesFollowTheWholePathOfEveryEgg) {
  for (const EggRoute& route : kRoutes) {
    SCOPED_TRACE(route.startY);
    int checked = 0;
    FollowRoute(route, [&](float x, float y) {
      const int column = static_cast<int>(std::lround(x)) + kEggSize / 2;
      const double bottom = y + kEggSize;
      const int top = FirstSolidRow(column, static_cast<int>(y) + 8);
      EXPECT_NEAR(top, bottom, 2.0) << "egg at " << x << "," << y;
      ++checked;
    });
    EXPECT_GT(checked, 20);
  }
}

TEST_F(HatcheryTest, TheMiddleAndTheFallingColumnsStayClear) {
  // Where the player stands.
  EXPECT_EQ(hatchery.CountOpaque(270, 50, 754, 720), 0);
  // Under each chute's end the egg falls in front of the camera to the floor
  // (the upper chutes' eggs pass the lower chutes' ends on the way).
  EXPECT_EQ(hatchery.CountOpaque(240, 540, 264, 720), 0);
  EXPECT_EQ(hatchery.CountOpaque(765, 580, 789, 720), 0);
  // The frame: posts on both sides from top to bottom, a roof along the top.
  EXPECT_EQ(hatchery.CountOpaque(0, 0, 20, 768, 0xF0), 20 * 768);
  EXPECT_EQ(hatchery.CountOpaque(1004, 0, 1024, 768, 0xF0), 20 * 768);
  EXPECT_EQ(hatchery.CountOpaque(0, 0, 1024, 20, 0xF0), 1024 * 20);
}
