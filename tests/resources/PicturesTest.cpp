#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "ResourcePicture.h"

// How our pictures fit the game; how they look when drawn is checked on the
// screens drawn by the OpenGL device.
namespace {

struct ExpectedPicture {
  const char* file;
  uint32_t width, height;
  int cells;         // side by side, each height x height; 0: one picture
  uint32_t gameKey;  // the colour key the game loads it with
};

// Every picture the game loads, as it loads it.
const ExpectedPicture kPictures[] = {
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
  for (const ExpectedPicture& expected : kPictures) {
    SCOPED_TRACE(expected.file);
    const ResourcePicture plain(expected.file), keyed(expected.file, expected.gameKey);
    ASSERT_TRUE(plain.Loaded() && keyed.Loaded());
    EXPECT_TRUE(plain.Get().pictureWidth == expected.width && plain.Get().pictureHeight == expected.height);
    EXPECT_EQ(plain.Get().texels, keyed.Get().texels);
    const int cell = static_cast<int>(expected.height);
    std::vector<std::vector<uint32_t>> cells;
    for (int left = 0; left < expected.cells * cell; left += cell) {
      EXPECT_GT(plain.CountOpaque(left, 0, left + cell, cell, 0xF0), cell * cell / 5) << left;
      EXPECT_EQ(plain.CountOpaque(left, 0, left + 1, cell) + plain.CountOpaque(left + cell - 1, 0, left + cell, cell), 0) << left;
      std::vector<uint32_t> texels;
      for (int y = 0; y < cell; ++y)
        for (int x = left; x < left + cell; ++x) texels.push_back(plain.Texel(x, y));
      EXPECT_EQ(std::count(cells.begin(), cells.end(), texels), 0) << "cell at " << left << " repeats another";
      cells.push_back(texels);
    }
  }
  // The fades' picture is plain white.
  const ResourcePicture white("emptytexture.bmp");
  EXPECT_EQ(std::count(white.Get().texels.begin(), white.Get().texels.end(), 0xFFFFFFFFu), 16 * 16);
}

TEST(ResourcePictures, BasketAndContourSitWhereTheGameDrawsThem) {
  // The catch test measures from the basket's top: its rim is at the top of the picture.
  const ResourcePicture basket("basket2.png");
  EXPECT_TRUE(basket.CountOpaque(0, 8, 128, 22, 0xF0) > 1000 && basket.CountOpaque(30, 56, 98, 60, 0xF0) > 200);
  // The contour at (256, 85) is centred on the screen and ends above its
  // bottom; an outline (the head's and the body's middles empty) of white
  // with a dark edge, no colour, since the game tints it white.
  const ResourcePicture contour("contour.png");
  const Picture& picture = contour.Get();
  EXPECT_TRUE(256 + picture.pictureWidth / 2 == 512 && 85 + picture.pictureHeight <= 768);
  EXPECT_EQ(contour.CountOpaque(226, 120, 286, 180) + contour.CountOpaque(150, 500, 360, 600), 0);
  int solid = 0, light = 0;
  for (int i = 0; i < static_cast<int>(picture.pictureWidth * picture.pictureHeight); ++i) {
    const int x = i % picture.pictureWidth, y = i / picture.pictureWidth;
    const uint32_t texel = contour.Texel(x, y), r = (texel >> 16) & 0xFF, b = texel & 0xFF;
    if (contour.Alpha(x, y) != 0xFF) continue;
    ASSERT_LE(std::abs(int(r) - int(b)), 0x30) << x << "," << y;
    solid += 1, light += r > 0xF0;
  }
  EXPECT_GT(light, solid / 3);
}

}  // namespace
