#include <gtest/gtest.h>

#include <cmath>

#include "ResourcePicture.h"

// The hatchery is drawn over the camera at the same scale as the eggs; its
// ledges must carry the eggs along their courses: the ledge's top edge runs
// under the middle of the egg cell's bottom edge.
namespace {

class HatcheryTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(hatchery.Loaded()); }
  ResourcePicture hatchery{"hatchery.tga"};
};

// Each egg appears over the camera on a level, solid ledge, which then runs
// under it along its whole course.
TEST_F(HatcheryTest, LedgesCarryEveryEggFromItsStartAlongItsWholeCourse) {
  for (const EggRoute& route : kRoutes) {
    SCOPED_TRACE(route.startY);
    const int x = static_cast<int>(route.startX) + kEggSize / 2, bottom = static_cast<int>(route.startY) + kEggSize;
    const int wallward = route.secondVelocityX > 0 ? -20 : 20;
    EXPECT_TRUE(hatchery.Alpha(x, bottom + 2) >= 0xF0 && hatchery.Alpha(x + wallward, bottom + 2) >= 0xF0);
    EXPECT_EQ(hatchery.CountOpaque(x + wallward - 2, bottom - 6, x + wallward + 2, bottom - 1) +
                  hatchery.CountOpaque(x - 16, bottom - 48, x + 16, bottom - 4), 0);
    int checked = 0;
    FollowRoute(route, [&](float eggX, float eggY) {
      const int column = static_cast<int>(std::lround(eggX)) + kEggSize / 2;
      int top = static_cast<int>(eggY) + 8;
      while (top < 768 && hatchery.Alpha(column, top) < 0x80) ++top;
      EXPECT_NEAR(top, eggY + kEggSize, 2.0) << "egg at " << eggX << "," << eggY;
      ++checked;
    });
    EXPECT_GT(checked, 20);
  }
}

TEST_F(HatcheryTest, TheMiddleTheFallingColumnsAndTheFrame) {
  // Where the player stands, and under each chute's end, where the egg falls
  // in front of the camera to the floor, stay clear.
  EXPECT_EQ(hatchery.CountOpaque(270, 50, 754, 720), 0);
  EXPECT_EQ(hatchery.CountOpaque(240, 540, 264, 720) + hatchery.CountOpaque(765, 580, 789, 720), 0);
  // Posts on both sides from top to bottom, a roof along the top, read the
  // right way up (no straw floor at the top).
  EXPECT_EQ(hatchery.CountOpaque(0, 0, 20, 768, 0xF0) + hatchery.CountOpaque(1004, 0, 1024, 768, 0xF0), 2 * 20 * 768);
  EXPECT_EQ(hatchery.CountOpaque(0, 0, 1024, 20, 0xF0), 1024 * 20);
  EXPECT_EQ(hatchery.CountOpaque(30, 700, 190, 730), 0);
  EXPECT_GT(hatchery.CountOpaque(30, 760, 990, 768, 0xF0), 7000);
}

}  // namespace
