#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "ResourcePicture.h"

namespace {

struct ExpectedPicture {
  const char* file;
  uint32_t width, height;
  int cells;           // side by side, each height x height; 0: one picture
  uint32_t gameKey;    // the colour key the game loads it with
};

// Every picture the game loads, as it loads it.
const ExpectedPicture kPictures[] = {
    {"egg_strip.png", 320, 64, 5, 0xFFFFFF},
    {"golden_egg_strip.png", 320, 64, 5, 0xFFFFFF},
    {"zbuk_strip.png", 320, 64, 5, 0xFFFFFF},
    {"cyberegg.png", 64, 64, 0, 0xFFFFFF},
    {"alien_strip.png", 448, 64, 7, 0xFFFFFF},
    {"basket2.png", 128, 64, 0, 0xFFFFFF},
    {"contour.png", 512, 680, 0, 0xFFFFFF},
    {"hatchery.tga", 1024, 768, 0, 0},
    {"bm_main.tga", 512, 512, 0, 0},
    {"3.tga", 300, 300, 0, 0x00FFFFFF},
    {"hiscore.png", 300, 300, 0, 0x00FFFFFF},
    {"exit.png", 300, 300, 0, 0x00FFFFFF},
    {"progress.tga", 256, 10, 0, 0},
    {"emptyprogress.tga", 256, 10, 0, 0},
    {"emptytexture.bmp", 16, 16, 0, 0},
    {"bluebg.bmp", 256, 256, 0, 0},
    {"egg_intro_en.png", 1024, 768, 0, 0x1100FF00},
    {"zestbox.png", 128, 128, 0, 0},
};

std::vector<uint8_t> FileBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::vector<uint8_t>((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

}  // namespace

TEST(ResourcePictures, EveryPictureLoadsWithItsSizeAndTheColourKeyPunchesNothing) {
  for (const ExpectedPicture& expected : kPictures) {
    SCOPED_TRACE(expected.file);
    const ResourcePicture plain(expected.file);
    ASSERT_TRUE(plain.Loaded());
    EXPECT_EQ(plain.Get().pictureWidth, expected.width);
    EXPECT_EQ(plain.Get().pictureHeight, expected.height);
    // The pictures carry real alpha: the key the game passes must not change a texel.
    const ResourcePicture keyed(expected.file, expected.gameKey);
    ASSERT_TRUE(keyed.Loaded());
    EXPECT_EQ(plain.Get().texels, keyed.Get().texels);
  }
}

TEST(ResourcePictures, StripCellsEachHoldOnePictureInsideTheirOwnCell) {
  for (const ExpectedPicture& expected : kPictures) {
    if (expected.cells == 0) continue;
    SCOPED_TRACE(expected.file);
    const ResourcePicture strip(expected.file);
    ASSERT_TRUE(strip.Loaded());
    const int cell = static_cast<int>(expected.height);
    ASSERT_EQ(expected.width, static_cast<uint32_t>(cell * expected.cells));
    std::vector<std::vector<uint32_t>> cells;
    for (int i = 0; i < expected.cells; ++i) {
      SCOPED_TRACE(i);
      const int left = i * cell;
      // Solid in the middle, nothing on the cell's edges (a neighbour would bleed in).
      EXPECT_GT(strip.CountOpaque(left, 0, left + cell, cell, 0xF0), cell * cell / 5);
      EXPECT_EQ(strip.CountOpaque(left, 0, left + 1, cell), 0);
      EXPECT_EQ(strip.CountOpaque(left + cell - 1, 0, left + cell, cell), 0);
      std::vector<uint32_t> texels;
      for (int y = 0; y < cell; ++y) {
        for (int x = left; x < left + cell; ++x) texels.push_back(strip.Texel(x, y));
      }
      for (size_t j = 0; j < cells.size(); ++j) EXPECT_NE(texels, cells[j]) << "cell " << i << " repeats cell " << j;
      cells.push_back(texels);
    }
  }
}

TEST(ResourcePictures, SpritesHaveSoftEdgesOverTransparency) {
  // Corners clear, a body of opaque texels, and some partly transparent edge
  // texels (antialiasing) in between.
  for (const char* file : {"egg_strip.png", "cyberegg.png", "basket2.png", "3.tga", "hiscore.png", "exit.png"}) {
    SCOPED_TRACE(file);
    const ResourcePicture picture(file);
    ASSERT_TRUE(picture.Loaded());
    const int w = static_cast<int>(picture.Get().pictureWidth), h = static_cast<int>(picture.Get().pictureHeight);
    EXPECT_EQ(picture.Alpha(0, 0), 0u);
    EXPECT_EQ(picture.Alpha(w - 1, h - 1), 0u);
    const int some = picture.CountOpaque(0, 0, w, h, 0x10);
    const int solid = picture.CountOpaque(0, 0, w, h, 0xF0);
    EXPECT_GT(solid, w * h / 5);
    EXPECT_GT(some - solid, 20);
  }
}

TEST(ResourcePictures, TgaFilesAreUncompressed32BitWithTheTopRowFirst) {
  for (const char* file : {"hatchery.tga", "bm_main.tga", "3.tga", "progress.tga", "emptyprogress.tga"}) {
    SCOPED_TRACE(file);
    const std::vector<uint8_t> bytes = FileBytes(std::string("./res/") + file);
    ASSERT_GE(bytes.size(), 18u);
    EXPECT_EQ(bytes[2], 2);      // uncompressed true colour
    EXPECT_EQ(bytes[16], 32);    // bits per pixel
    EXPECT_EQ(bytes[17], 0x28);  // 8 alpha bits, top row first
    const uint32_t width = bytes[12] | (bytes[13] << 8), height = bytes[14] | (bytes[15] << 8);
    EXPECT_EQ(bytes.size(), 18u + width * height * 4);
  }
  // Read the right way up: the hatchery's roof is at the top, its straw floor at the bottom.
  const ResourcePicture hatchery("hatchery.tga");
  ASSERT_TRUE(hatchery.Loaded());
  EXPECT_EQ(hatchery.CountOpaque(0, 0, 1024, 10, 0xF0), 10240);
  EXPECT_EQ(hatchery.CountOpaque(30, 700, 190, 730), 0);
  EXPECT_GT(hatchery.CountOpaque(30, 760, 990, 768, 0xF0), 7000);
}

TEST(ResourcePictures, BackgroundsDrawnWithTheColourBlendHaveThePlacementTheyNeed) {
  // bm_main.tga and bluebg.bmp are stretched over the window's width and
  // centred on it; square textures cover its whole height. A texel row r of
  // a 512 texture lands at window row 2r - 127 (of 768).
  const ResourcePicture banner("bm_main.tga");
  ASSERT_TRUE(banner.Loaded());
  ASSERT_EQ(banner.Get().width, banner.Get().height);
  const auto rowFor = [](int windowY) { return (windowY + 127) / 2; };
  // The banner behind the caption wheel and the arrows at the top...
  EXPECT_EQ(banner.CountOpaque(20, rowFor(30), 490, rowFor(30) + 1, 0xF0), 470);
  EXPECT_EQ(banner.CountOpaque(20, rowFor(120), 490, rowFor(120) + 1, 0xF0), 470);
  // ...and the camera left alone below it.
  EXPECT_EQ(banner.CountOpaque(0, rowFor(200), 512, 512), 0);

  const ResourcePicture blue("bluebg.bmp");
  ASSERT_TRUE(blue.Loaded());
  ASSERT_EQ(blue.Get().width, blue.Get().height);
  for (const uint32_t texel : blue.Get().texels) {
    ASSERT_EQ(texel >> 24, 0xFFu);
    const uint32_t r = (texel >> 16) & 0xFF, g = (texel >> 8) & 0xFF, b = texel & 0xFF;
    ASSERT_GT(b, r + 40);
    ASSERT_GT(b, g + 40);
  }
  const ResourcePicture white("emptytexture.bmp");
  ASSERT_TRUE(white.Loaded());
  for (const uint32_t texel : white.Get().texels) ASSERT_EQ(texel, 0xFFFFFFFFu);
}

TEST(ResourcePictures, IntroductionIsLightLetteringOnBlackWithTheCameraClearAroundIt) {
  const ResourcePicture intro("egg_intro_en.png");
  ASSERT_TRUE(intro.Loaded());
  int black = 0, light = 0, other = 0;
  for (int y = 0; y < 768; ++y) {
    for (int x = 0; x < 1024; ++x) {
      const uint32_t texel = intro.Texel(x, y);
      if ((texel >> 24) < 0xF0) continue;
      const uint32_t r = (texel >> 16) & 0xFF, g = (texel >> 8) & 0xFF, b = texel & 0xFF;
      if (r + g + b < 60) {
        ++black;
      } else if (r > 180 || g > 180) {
        ++light;
      } else {
        ++other;
      }
    }
  }
  EXPECT_GT(black, 300000);
  EXPECT_GT(light, 20000);
  EXPECT_LT(other, light);
  // The "Play" option's corner stays see-through.
  EXPECT_EQ(intro.CountOpaque(900, 0, 1024, 60), 0);
}

TEST(ResourcePictures, BasketAndContourSitWhereTheGameDrawsThem) {
  // The catch test measures from the basket's top: its rim is at the top of the picture.
  const ResourcePicture basket("basket2.png");
  ASSERT_TRUE(basket.Loaded());
  EXPECT_GT(basket.CountOpaque(0, 8, 128, 22, 0xF0), 1000);
  EXPECT_GT(basket.CountOpaque(30, 56, 98, 60, 0xF0), 200);
  // The contour at (256, 85) is centred on the screen and ends at its bottom.
  const ResourcePicture contour("contour.png");
  ASSERT_TRUE(contour.Loaded());
  const Picture& picture = contour.Get();
  EXPECT_EQ(256 + picture.pictureWidth / 2, 512u);
  EXPECT_LE(85 + picture.pictureHeight, 768u);
  // An outline: the head's middle and the body's middle are empty.
  EXPECT_EQ(contour.CountOpaque(226, 120, 286, 180), 0);
  EXPECT_EQ(contour.CountOpaque(150, 500, 360, 600), 0);
  int solid = 0, light = 0;
  for (int y = 0; y < static_cast<int>(picture.pictureHeight); ++y) {
    for (int x = 0; x < static_cast<int>(picture.pictureWidth); ++x) {
      if (contour.Alpha(x, y) != 0xFF) continue;
      const uint32_t texel = contour.Texel(x, y);
      // A white line with a dark edge; no colour, since the game tints it white.
      const int r = (texel >> 16) & 0xFF, b = texel & 0xFF;
      ASSERT_LE(std::abs(r - b), 0x30) << x << "," << y;
      ++solid;
      light += r > 0xF0 ? 1 : 0;
    }
  }
  EXPECT_GT(light, solid / 3);
}
