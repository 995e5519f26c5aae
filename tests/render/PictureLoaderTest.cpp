#include <gtest/gtest.h>

#include "render/PictureLoader.h"
#include "support/TestPictures.h"

using namespace testpictures;

namespace {

// A 5 x 3 picture whose every texel differs, red and blue unlike, with varied alpha.
std::vector<uint32_t> Gradient() {
  std::vector<uint32_t> pixels;
  for (uint32_t y = 0; y < 3; ++y)
    for (uint32_t x = 0; x < 5; ++x)
      pixels.push_back(0x40000000u * (1 + (x + y) % 3) + 0xFFu * (y + 1) * 0x10000u / 4 + x * 0x3300u + y * 0x40u);
  return pixels;
}

TEST(PictureLoader, EveryFormatLandsTopLeftOfAPowerOfTwoTextureWithItsOwnColours) {
  const std::vector<uint32_t> source = Gradient();
  struct Row {
    const char* name;
    bool (*write)(const std::string&, const std::vector<uint32_t>&);
    uint32_t forcedAlpha;  // formats without alpha come out opaque
  } rows[] = {
      {"g.png", [](const std::string& p, const std::vector<uint32_t>& s) { return WritePng(p, s, 5, 3); }, 0},
      {"g.tga", [](const std::string& p, const std::vector<uint32_t>& s) { return WriteTga32(p, 5, 3, s, false); }, 0},
      {"rle.tga", [](const std::string& p, const std::vector<uint32_t>& s) { return WriteTga32(p, 5, 3, s, true); }, 0},
      {"g24.bmp", [](const std::string& p, const std::vector<uint32_t>& s) { return WriteBmp24(p, 5, 3, s); }, 0xFF000000u},
      // The loader reads the name in any letter case.
      {"Mixed.PNG", [](const std::string& p, const std::vector<uint32_t>& s) { return WritePng(p, s, 5, 3); }, 0},
  };
  for (const Row& row : rows) {
    ASSERT_TRUE(row.write(TempPath(row.name), source)) << row.name;
    Picture picture;
    const std::string asked = row.name[0] == 'M' ? TempPath("mixed.png") : TempPath(row.name);
    ASSERT_TRUE(LoadPicture(asked, 0, picture)) << row.name;
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
  EXPECT_EQ(picture.texels[0] | picture.texels[15], 0u);
  EXPECT_EQ(picture.texels[1], 0xFE00FF00u);
  EXPECT_EQ(picture.texels[2], 0xFF10FF00u);
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
  ASSERT_TRUE(WritePng(TempPath("whole.png"), big, 64, 64));
  ASSERT_TRUE(WriteBmp24(TempPath("whole.bmp"), 64, 64, big));
  ASSERT_TRUE(WriteTga32(TempPath("whole.tga"), 64, 64, big, false));
  ASSERT_TRUE(WriteTga32(TempPath("wholerle.tga"), 64, 64, big, true));
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
  ASSERT_TRUE(WritePng(TempPath("wide.png"), Solid(8193, 1, 0xFF000000), 8193, 1));
  ASSERT_TRUE(WriteBmp24(TempPath("tall.bmp"), 1, 8193, Solid(1, 8193, 0xFF000000)));
  bad.push_back(TempPath("wide.png"));
  bad.push_back(TempPath("tall.bmp"));
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
