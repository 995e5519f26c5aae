#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "render/PictureLoader.h"
#include "support/TempFolder.h"

// A picture file of a few bytes must not make the game decode a large
// picture out of nothing.
namespace {

void PutLe32(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = uint8_t(value >> (8 * i));
}

// A 54-byte BMP header for a 4096 x 4096 picture of 24-bit pixels, and no pixels.
std::vector<uint8_t> EmptyBmp(uint32_t compression) {
  std::vector<uint8_t> bytes(54, 0);
  bytes[0] = 'B';
  bytes[1] = 'M';
  PutLe32(bytes, 2, 54);
  PutLe32(bytes, 10, 54);
  PutLe32(bytes, 14, 40);
  PutLe32(bytes, 18, 4096);
  PutLe32(bytes, 22, 4096);
  bytes[26] = 1;
  bytes[28] = 24;
  PutLe32(bytes, 30, compression);
  return bytes;
}

TEST(HostilePictureTest, ABmpHeaderWithoutItsPixelsIsRefusedWhateverItsCompression) {
  TempFolder folder;
  const std::string file = folder.File("hostile.bmp");
  for (uint32_t compression : {0u, 1u, 2u, 3u, 4u, 0x80000000u, 0xC9000008u}) {
    const std::vector<uint8_t> bytes = EmptyBmp(compression);
    WriteFile(file, std::string(bytes.begin(), bytes.end()));
    Picture picture;
    EXPECT_FALSE(LoadPicture(file, 0, picture)) << "compression " << compression;
    EXPECT_TRUE(picture.texels.empty());
  }
}

}  // namespace
