#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "ResourcePicture.h"

// How our pictures fit the game; how they look when drawn is checked on the
// screens drawn by the OpenGL device.
namespace {

// Every picture the game loads, as it loads it: its size, its cells side by
// side (each height x height; 0: one picture) and the colour key the game
// loads it with.
const struct { const char* file; uint32_t width, height; int cells; uint32_t gameKey; } kPictures[] = {
    {"egg_strip.png", 320, 64, 5, 0xFFFFFF}, {"golden_egg_strip.png", 320, 64, 5, 0xFFFFFF}, {"zbuk_strip.png", 320, 64, 5, 0xFFFFFF},
    {"cyberegg.png", 64, 64, 0, 0xFFFFFF},  {"alien_strip.png", 448, 64, 7, 0xFFFFFF},      {"basket2.png", 128, 64, 0, 0xFFFFFF},
    {"contour.png", 512, 680, 0, 0xFFFFFF}, {"hatchery.tga", 1024, 768, 0, 0},              {"bm_main.tga", 512, 512, 0, 0},
    {"3.tga", 300, 300, 0, 0x00FFFFFF},     {"hiscore.png", 300, 300, 0, 0x00FFFFFF},       {"exit.png", 300, 300, 0, 0x00FFFFFF},
    {"progress.tga", 256, 10, 0, 0},        {"emptyprogress.tga", 256, 10, 0, 0},           {"emptytexture.bmp", 16, 16, 0, 0},
    {"bluebg.bmp", 256, 256, 0, 0},         {"egg_intro_en.png", 1024, 768, 0, 0x1100FF00}, {"zestbox.png", 128, 128, 0, 0},
};

// Each loads with its size; the key the game passes changes no texel (the
// pictures carry real alpha); each cell of a strip holds a picture of its own,
// solid in the middle and clear at the cell's edges (a neighbour would bleed in).
TEST(ResourcePictures, EveryPictureLoadsWithItsSizeAndEachStripCellIsItsOwn) {
  for (const auto& expected : kPictures) {
    SCOPED_TRACE(expected.file);
    const Picture plain = LoadResource(expected.file), keyed = LoadResource(expected.file, expected.gameKey);
    ASSERT_FALSE(plain.texels.empty());
    EXPECT_TRUE(plain.pictureWidth == expected.width && plain.pictureHeight == expected.height);
    EXPECT_EQ(plain.texels, keyed.texels);
    const int cell = static_cast<int>(expected.height);
    std::vector<std::vector<uint32_t>> cells;
    for (int left = 0; left < expected.cells * cell; left += cell) {
      EXPECT_GT(CountOpaque(plain, left, 0, left + cell, cell, 0xF0), cell * cell / 5) << left;
      EXPECT_EQ(CountOpaque(plain, left, 0, left + 1, cell) + CountOpaque(plain, left + cell - 1, 0, left + cell, cell), 0) << left;
      std::vector<uint32_t> texels;
      for (int y = 0; y < cell; ++y)
        for (int x = left; x < left + cell; ++x) texels.push_back(Texel(plain, x, y));
      EXPECT_EQ(std::count(cells.begin(), cells.end(), texels), 0) << "cell at " << left << " repeats another";
      cells.push_back(texels);
    }
  }
  // The fades' picture is plain white.
  const Picture white = LoadResource("emptytexture.bmp");
  EXPECT_EQ(std::count(white.texels.begin(), white.texels.end(), 0xFFFFFFFFu), 16 * 16);
}

TEST(ResourcePictures, BasketAndContourSitWhereTheGameDrawsThem) {
  // The catch test measures from the basket's top: its rim is at the top of the picture.
  const Picture basket = LoadResource("basket2.png");
  EXPECT_TRUE(CountOpaque(basket, 0, 8, 128, 22, 0xF0) > 1000 && CountOpaque(basket, 30, 56, 98, 60, 0xF0) > 200);
  // The contour at (256, 85) is centred on the screen and ends above its
  // bottom; an outline: the head's and the body's middles are empty.
  const Picture contour = LoadResource("contour.png");
  EXPECT_TRUE(256 + contour.pictureWidth / 2 == 512 && 85 + contour.pictureHeight <= 768);
  EXPECT_EQ(CountOpaque(contour, 226, 120, 286, 180) + CountOpaque(contour, 150, 500, 360, 600), 0);
}

// The hatchery is drawn over the camera at the same scale as the eggs; its
// ledges must carry the eggs along their courses: the ledge's top edge runs
// under the middle of the egg cell's bottom edge. (Where each egg appears,
// on a solid ledge with the camera beside it, is checked on the drawn game
// screen.) Where the player stands, and under each chute's end, where the egg
// falls in front of the camera to the floor, stay clear; posts on both sides
// and a roof along the top frame it.
TEST(ResourcePictures, HatcheryLedgesCarryEveryEggFromItsStartAlongItsWholeCourse) {
  const Picture hatchery = LoadResource("hatchery.tga");
  ASSERT_FALSE(hatchery.texels.empty());
  for (const EggRoute& route : kRoutes) {
    int checked = 0;
    FollowRoute(route, [&](float eggX, float eggY) {
      const int column = static_cast<int>(std::lround(eggX)) + kEggSize / 2;
      int top = static_cast<int>(eggY) + 8;
      while (top < 768 && Alpha(hatchery, column, top) < 0x80) ++top;
      EXPECT_NEAR(top, eggY + kEggSize, 2.0) << "egg at " << eggX << "," << eggY;
      ++checked;
    });
    EXPECT_GT(checked, 20) << route.startY;
  }
  EXPECT_EQ(CountOpaque(hatchery, 270, 50, 754, 720) + CountOpaque(hatchery, 240, 540, 264, 720) +
                CountOpaque(hatchery, 765, 580, 789, 720), 0);
  EXPECT_EQ(CountOpaque(hatchery, 0, 0, 20, 768, 0xF0) + CountOpaque(hatchery, 1004, 0, 1024, 768, 0xF0) +
                CountOpaque(hatchery, 0, 0, 1024, 20, 0xF0), 2 * 20 * 768 + 1024 * 20);
}

}  // namespace
