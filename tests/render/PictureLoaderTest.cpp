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

// Formats without alpha come out opaque; the name's letter case does not matter.
TEST(PictureLoader, EveryFormatLandsTopLeftOfAPowerOfTwoTextureWithItsOwnColours) {
  const std::vector<uint32_t> source = Gradient();
  ASSERT_TRUE(WritePng(TempPath("g.png"), source, 5, 3) && WriteTga32(TempPath("g.tga"), 5, 3, source, false) &&
              WriteTga32(TempPath("rle.tga"), 5, 3, source, true) && WriteBmp24(TempPath("g24.bmp"), 5, 3, source) &&
              WritePng(TempPath("Mixed.PNG"), source, 5, 3));
  const std::pair<const char*, uint32_t> rows[] = {
      {"g.png", 0}, {"g.tga", 0}, {"rle.tga", 0}, {"g24.bmp", 0xFF000000u}, {"mixed.png", 0}};
  for (const auto& [name, forcedAlpha] : rows) {
    Picture picture;
    ASSERT_TRUE(LoadPicture(TempPath(name), 0, picture) && picture.width == 8 && picture.height == 4 &&
                picture.pictureWidth == 5 && picture.pictureHeight == 3) << name;
    std::vector<uint32_t> expected(32, 0u);
    for (uint32_t i = 0; i < 15; ++i) expected[i / 5 * 8 + i % 5] = source[i] | forcedAlpha;
    EXPECT_EQ(picture.texels, expected) << name;
  }
}

// Only exact matches are cleared; a key with alpha 0 matches nothing in an opaque picture.
TEST(PictureLoader, ColourKeyClearsOnlyExactMatches) {
  std::vector<uint32_t> source = Solid(4, 4, 0xFF00FF00);
  source[1] = 0xFE00FF00;  // differs only in alpha
  source[2] = 0xFF10FF00;
  ASSERT_TRUE(WritePng(TempPath("key.png"), source, 4, 4));
  Picture picture;
  ASSERT_TRUE(LoadPicture(TempPath("key.png"), 0xFF00FF00, picture));
  EXPECT_EQ(std::vector<uint32_t>(picture.texels.begin(), picture.texels.begin() + 4),
            (std::vector<uint32_t>{0, 0xFE00FF00, 0xFF10FF00, 0}));
  ASSERT_TRUE(LoadPicture(TempPath("key.png"), 0x0000FF00, picture));
  EXPECT_EQ(picture.texels[0], 0xFF00FF00u);
}

// Broken, cut, empty or hostile files fail and leave no texels; nothing
// decodes a large picture out of a few bytes (a BMP header of a 4096 x 4096
// picture of 24-bit pixels, whatever its compression, and no pixels).
TEST(PictureLoader, BadFilesFailCleanly) {
  const std::vector<uint32_t> big = Solid(64, 64, 0xFF336699);
  ASSERT_TRUE(WritePng(TempPath("whole.png"), big, 64, 64) && WriteBmp24(TempPath("whole.bmp"), 64, 64, big) &&
              WriteTga32(TempPath("whole.tga"), 64, 64, big, false) && WriteTga32(TempPath("wholerle.tga"), 64, 64, big, true));
  std::vector<std::string> bad = {TempPath("no-such-file.png"), TempDir()};
  const auto write = [&](const std::string& name, const std::vector<uint8_t>& bytes) {
    bad.push_back(TempPath(name));
    return WriteBytes(bad.back(), bytes);
  };
  for (const char* name : {"whole.png", "whole.bmp", "whole.tga", "wholerle.tga"}) {
    const std::vector<uint8_t> bytes = ReadBytes(TempPath(name));
    ASSERT_TRUE(write(std::string("cut-") + name, {bytes.begin(), bytes.begin() + bytes.size() / 2}));
  }
  // A TGA header claiming 9000 x 1064 with almost nothing behind it.
  ASSERT_TRUE(write("empty.png", {}) && write("text.bmp", {'h', 'e', 'l', 'l', 'o'}) &&
              write("huge.tga", {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x28, 0x23, 4, 0, 32, 0x28, 0xFF, 0xFF, 0xFF, 0xFF}));
  for (const uint32_t compression : {0u, 1u, 2u, 3u, 4u, 0x80000000u, 0xC9000008u}) {
    std::vector<uint8_t> bytes(54, 0);
    const uint32_t fields[][2] = {{2, 54}, {10, 54}, {14, 40}, {18, 4096}, {22, 4096}, {26, 1}, {28, 24}, {30, compression}};
    for (const auto& field : fields)
      for (int i = 0; i < 4; ++i) bytes[field[0] + i] = uint8_t(field[1] >> (8 * i));
    bytes[0] = 'B', bytes[1] = 'M';
    ASSERT_TRUE(write("empty" + std::to_string(compression) + ".bmp", bytes));
  }
  // Real files just over the size limit, and one at it.
  ASSERT_TRUE(WritePng(TempPath("wide.png"), Solid(8193, 1, 0xFF000000), 8193, 1) &&
              WriteBmp24(TempPath("tall.bmp"), 1, 8193, Solid(1, 8193, 0xFF000000)));
  bad.insert(bad.end(), {TempPath("wide.png"), TempPath("tall.bmp")});
  for (const std::string& file : bad) {
    Picture picture;
    EXPECT_TRUE(!LoadPicture(file, 0, picture) && picture.texels.empty()) << file;
  }
  Picture limit;
  ASSERT_TRUE(WritePng(TempPath("limit.png"), Solid(8192, 1, 0xFF000000), 8192, 1) &&
              LoadPicture(TempPath("limit.png"), 0, limit));
  EXPECT_EQ(limit.width, 8192u);
}

}  // namespace
