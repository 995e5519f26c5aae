#include <gtest/gtest.h>

#include "support/TestPictures.h"
#include "render/PictureLoader.h"
#include "render/PngWriter.h"

using namespace testpictures;

namespace {

// A 5 x 3 picture whose every texel differs, with varied alpha.
std::vector<uint32_t> Gradient() {
  std::vector<uint32_t> pixels;
  for (uint32_t y = 0; y < 3; ++y) {
    for (uint32_t x = 0; x < 5; ++x) {
      pixels.push_back(0x40000000u * (1 + (x + y) % 3) + 0xFFu * (y + 1) * 0x10000u / 4 + x * 0x3300u + y * 0x40u);
    }
  }
  return pixels;
}

void ExpectPadded(const Picture& picture, const std::vector<uint32_t>& source, bool opaque) {
  ASSERT_EQ(picture.width, 8u);
  ASSERT_EQ(picture.height, 4u);
  EXPECT_EQ(picture.pictureWidth, 5u);
  EXPECT_EQ(picture.pictureHeight, 3u);
  for (uint32_t y = 0; y < 4; ++y) {
    for (uint32_t x = 0; x < 8; ++x) {
      const uint32_t expected =
          (x < 5 && y < 3) ? (source[y * 5 + x] | (opaque ? 0xFF000000u : 0u)) : 0u;
      EXPECT_EQ(picture.texels[y * 8 + x], expected) << "at " << x << "," << y;
    }
  }
}

TEST(PictureLoader, EveryFormatLandsTopLeftOfAPowerOfTwoTexture) {
  const std::vector<uint32_t> source = Gradient();
  ASSERT_TRUE(WritePng(TempPath("g.png"), source, 5, 3));
  ASSERT_TRUE(WriteTga32(TempPath("g.tga"), 5, 3, source, false));
  ASSERT_TRUE(WriteTga32(TempPath("grle.tga"), 5, 3, source, true));
  ASSERT_TRUE(WriteBmp32(TempPath("g32.bmp"), 5, 3, source));
  ASSERT_TRUE(WriteBmp24(TempPath("g24.bmp"), 5, 3, source));
  for (const char* name : {"g.png", "g.tga", "grle.tga"}) {
    Picture picture;
    ASSERT_TRUE(LoadPicture(TempPath(name), 0, picture)) << name;
    ExpectPadded(picture, source, false);
  }
  Picture bmp24;
  ASSERT_TRUE(LoadPicture(TempPath("g24.bmp"), 0, bmp24));
  ExpectPadded(bmp24, source, true);
  Picture bmp32;
  ASSERT_TRUE(LoadPicture(TempPath("g32.bmp"), 0, bmp32));
  EXPECT_EQ(bmp32.width, 8u);
  EXPECT_EQ(bmp32.texels[0] & 0xFFFFFFu, source[0] & 0xFFFFFFu);
}

TEST(PictureLoader, ColourKeyClearsOnlyExactMatches) {
  std::vector<uint32_t> source = Solid(4, 4, 0xFF00FF00);
  source[1] = 0xFE00FF00;  // differs only in alpha
  source[2] = 0xFF10FF00;
  ASSERT_TRUE(WritePng(TempPath("key.png"), source, 4, 4));
  Picture picture;
  ASSERT_TRUE(LoadPicture(TempPath("key.png"), 0xFF00FF00, picture));
  EXPECT_EQ(picture.texels[0], 0u);
  EXPECT_EQ(picture.texels[1], 0xFE00FF00u);
  EXPECT_EQ(picture.texels[2], 0xFF10FF00u);
  EXPECT_EQ(picture.texels[15], 0u);
  // A key with alpha 0 matches nothing in an opaque picture.
  ASSERT_TRUE(LoadPicture(TempPath("key.png"), 0x0000FF00, picture));
  EXPECT_EQ(picture.texels[0], 0xFF00FF00u);
}

TEST(PictureLoader, NameLetterCaseDoesNotMatterOnDisk) {
  ASSERT_TRUE(WritePng(TempPath("MixedCase.PNG"), Solid(2, 2, 0xFF123456), 2, 2));
  Picture picture;
  ASSERT_TRUE(LoadPicture(TempPath("mixedcase.png"), 0, picture));
  EXPECT_EQ(picture.texels[0], 0xFF123456u);
}

TEST(PictureLoader, BrokenFilesFailCleanly) {
  Picture picture;
  EXPECT_FALSE(LoadPicture(TempPath("no-such-file.png"), 0, picture));
  EXPECT_FALSE(LoadPicture(TempDir(), 0, picture));  // a folder

  const std::vector<uint32_t> big = Solid(64, 64, 0xFF336699);
  ASSERT_TRUE(WritePng(TempPath("whole.png"), big, 64, 64));
  ASSERT_TRUE(WriteBmp24(TempPath("whole.bmp"), 64, 64, big));
  ASSERT_TRUE(WriteTga32(TempPath("whole.tga"), 64, 64, big, false));
  ASSERT_TRUE(WriteTga32(TempPath("wholerle.tga"), 64, 64, big, true));
  for (const char* name : {"whole.png", "whole.bmp", "whole.tga", "wholerle.tga"}) {
    std::vector<uint8_t> bytes = ReadBytes(TempPath(name));
    ASSERT_TRUE(LoadPicture(TempPath(name), 0, picture)) << name;
    bytes.resize(bytes.size() / 2);
    const std::string cut = TempPath(std::string("cut-") + name);
    ASSERT_TRUE(WriteBytes(cut, bytes));
    EXPECT_FALSE(LoadPicture(cut, 0, picture)) << name;
    EXPECT_TRUE(picture.texels.empty());
  }
  ASSERT_TRUE(WriteBytes(TempPath("empty.png"), {}));
  EXPECT_FALSE(LoadPicture(TempPath("empty.png"), 0, picture));
  ASSERT_TRUE(WriteBytes(TempPath("text.bmp"), {'h', 'e', 'l', 'l', 'o'}));
  EXPECT_FALSE(LoadPicture(TempPath("text.bmp"), 0, picture));
}

TEST(PictureLoader, HugeDimensionsAreRefusedBeforeDecoding) {
  // Headers that claim 9000 pixels on one side, with almost no data behind them.
  std::vector<uint8_t> tga{0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x28, 0x23, 4, 0, 32, 0x28};
  tga.resize(tga.size() + 64, 0xFF);
  ASSERT_TRUE(WriteBytes(TempPath("huge.tga"), tga));
  Picture picture;
  EXPECT_FALSE(LoadPicture(TempPath("huge.tga"), 0, picture));

  // Real files just over and at the limit.
  ASSERT_TRUE(WritePng(TempPath("wide.png"), Solid(8193, 1, 0xFF000000), 8193, 1));
  ASSERT_TRUE(WriteBmp24(TempPath("tall.bmp"), 1, 8193, Solid(1, 8193, 0xFF000000)));
  ASSERT_TRUE(WritePng(TempPath("limit.png"), Solid(8192, 1, 0xFF000000), 8192, 1));
  EXPECT_FALSE(LoadPicture(TempPath("wide.png"), 0, picture));
  EXPECT_FALSE(LoadPicture(TempPath("tall.bmp"), 0, picture));
  EXPECT_TRUE(picture.texels.empty());
  ASSERT_TRUE(LoadPicture(TempPath("limit.png"), 0, picture));
  EXPECT_EQ(picture.width, 8192u);
}

TEST(PictureLoader, NextPowerOfTwo) {
  EXPECT_EQ(NextPowerOfTwo(0), 1u);
  EXPECT_EQ(NextPowerOfTwo(1), 1u);
  EXPECT_EQ(NextPowerOfTwo(768), 1024u);
  EXPECT_EQ(NextPowerOfTwo(1024), 1024u);
  EXPECT_EQ(NextPowerOfTwo(1025), 2048u);
}

}  // namespace
