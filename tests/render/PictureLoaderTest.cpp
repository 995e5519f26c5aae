#include <gtest/gtest.h>

#include "render/PictureLoader.h"
#include "support/TestPictures.h"

using namespace testpictures;

namespace {

// A 5 x 3 picture whose every texel differs, red and blue unlike, with varied alpha.
std::vector<uint32_t> Gradient() {
  std::vector<uint32_t> pixels;
  for (uint32_t i = 0, x = 0, y = 0; i < 15; ++i, x = i % 5, y = i / 5)
    pixels.push_back(0x40000000u * (1 + (x + y) % 3) + 0xFFu * (y + 1) * 0x10000u / 4 + x * 0x3300u + y * 0x40u);
  return pixels;
}

TEST(PictureLoader, EveryFormatLandsTopLeftOfAPowerOfTwoTextureWithItsOwnColours) {
  const std::vector<uint32_t> source = Gradient();
  ASSERT_TRUE(WritePng(TempPath("g.png"), source, 5, 3) && WriteTga32(TempPath("g.tga"), 5, 3, source, false) &&
              WriteTga32(TempPath("rle.tga"), 5, 3, source, true) && WriteBmp24(TempPath("g24.bmp"), 5, 3, source) &&
              WritePng(TempPath("Mixed.PNG"), source, 5, 3));
  struct Row {
    const char* name;
    uint32_t forcedAlpha;  // formats without alpha come out opaque
  } rows[] = {{"g.png", 0}, {"g.tga", 0}, {"rle.tga", 0}, {"g24.bmp", 0xFF000000u}, {"mixed.png", 0}};  // any letter case
  for (const Row& row : rows) {
    Picture picture;
    ASSERT_TRUE(LoadPicture(TempPath(row.name), 0, picture)) << row.name;
    ASSERT_EQ(picture.width, 8u) << row.name;
    ASSERT_EQ(picture.height, 4u) << row.name;
    EXPECT_TRUE(picture.pictureWidth == 5 && picture.pictureHeight == 3) << row.name;
    for (uint32_t i = 0; i < 32; ++i) {
      const uint32_t x = i % 8, y = i / 8;
      const uint32_t expected = (x < 5 && y < 3) ? (source[y * 5 + x] | row.forcedAlpha) : 0u;
      EXPECT_EQ(picture.texels[i], expected) << row.name << " at " << x << "," << y;
    }
  }
}

TEST(PictureLoader, ColourKeyClearsOnlyExactMatches) {
  std::vector<uint32_t> source = Solid(4, 4, 0xFF00FF00);
  source[1] = 0xFE00FF00;  // differs only in alpha
  source[2] = 0xFF10FF00;
  ASSERT_TRUE(WritePng(TempPath("key.png"), source, 4, 4));
  Picture picture;
  ASSERT_TRUE(LoadPicture(TempPath("key.png"), 0xFF00FF00, picture));
  EXPECT_EQ(std::vector<uint32_t>(picture.texels.begin(), picture.texels.begin() + 4),
            (std::vector<uint32_t>{0, 0xFE00FF00, 0xFF10FF00, 0}));
  // A key with alpha 0 matches nothing in an opaque picture.
  ASSERT_TRUE(LoadPicture(TempPath("key.png"), 0x0000FF00, picture));
  EXPECT_EQ(picture.texels[0], 0xFF00FF00u);
}

// A 54-byte BMP header for a 4096 x 4096 picture of 24-bit pixels, and no pixels.
std::vector<uint8_t> EmptyBmp(uint32_t compression) {
  std::vector<uint8_t> bytes(54, 0);
  const uint32_t fields[][2] = {{2, 54}, {10, 54}, {14, 40}, {18, 4096}, {22, 4096}, {26, 1}, {28, 24}, {30, compression}};
  for (const auto& field : fields)
    for (int i = 0; i < 4; ++i) bytes[field[0] + i] = uint8_t(field[1] >> (8 * i));
  bytes[0] = 'B', bytes[1] = 'M';
  return bytes;
}

// Broken, cut, empty or hostile files fail and leave no texels; nothing
// decodes a large picture out of a few bytes.
TEST(PictureLoader, BadFilesFailCleanly) {
  const std::vector<uint32_t> big = Solid(64, 64, 0xFF336699);
  ASSERT_TRUE(WritePng(TempPath("whole.png"), big, 64, 64) && WriteBmp24(TempPath("whole.bmp"), 64, 64, big) &&
              WriteTga32(TempPath("whole.tga"), 64, 64, big, false) && WriteTga32(TempPath("wholerle.tga"), 64, 64, big, true));
  std::vector<std::string> bad = {TempPath("no-such-file.png"), TempDir()};
  for (const char* name : {"whole.png", "whole.bmp", "whole.tga", "wholerle.tga"}) {
    std::vector<uint8_t> bytes = ReadBytes(TempPath(name));
    bytes.resize(bytes.size() / 2);
    bad.push_back(TempPath(std::string("cut-") + name));
    ASSERT_TRUE(WriteBytes(bad.back(), bytes));
  }
  const std::vector<std::pair<const char*, std::vector<uint8_t>>> written = {
      {"empty.png", {}},
      {"text.bmp", {'h', 'e', 'l', 'l', 'o'}},
      // A header claiming 9000 x 1064 with almost nothing behind it.
      {"huge.tga", {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x28, 0x23, 4, 0, 32, 0x28, 0xFF, 0xFF, 0xFF, 0xFF}},
      {"raw.bmp", EmptyBmp(0)}, {"rle8.bmp", EmptyBmp(1)}, {"rle4.bmp", EmptyBmp(2)}, {"fields.bmp", EmptyBmp(3)},
      {"jpeg.bmp", EmptyBmp(4)}, {"odd.bmp", EmptyBmp(0x80000000u)}, {"junk.bmp", EmptyBmp(0xC9000008u)},
  };
  for (const auto& [name, bytes] : written) {
    bad.push_back(TempPath(name));
    ASSERT_TRUE(WriteBytes(bad.back(), bytes));
  }
  // Real files just over the size limit, and one at it.
  ASSERT_TRUE(WritePng(TempPath("wide.png"), Solid(8193, 1, 0xFF000000), 8193, 1) &&
              WriteBmp24(TempPath("tall.bmp"), 1, 8193, Solid(1, 8193, 0xFF000000)));
  bad.insert(bad.end(), {TempPath("wide.png"), TempPath("tall.bmp")});
  for (const std::string& file : bad) {
    Picture picture;
    EXPECT_FALSE(LoadPicture(file, 0, picture)) << file;
    EXPECT_TRUE(picture.texels.empty()) << file;
  }
  ASSERT_TRUE(WritePng(TempPath("limit.png"), Solid(8192, 1, 0xFF000000), 8192, 1));
  Picture limit;
  ASSERT_TRUE(LoadPicture(TempPath("limit.png"), 0, limit));
  EXPECT_EQ(limit.width, 8192u);
}

}  // namespace
