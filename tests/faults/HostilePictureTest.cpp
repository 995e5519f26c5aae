#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "render/PictureLoader.h"
#include "support/TempFolder.h"

// A picture file of a few bytes must not make the game decode a large
// picture out of nothing.
namespace {

TEST(HostilePictureTest, ABmpHeaderWithoutItsPixelsIsRefusedWhateverItsCompression) {
  TempFolder folder;
  const std::string file = folder.File("hostile.bmp");
  for (uint32_t compression : {0u, 1u, 2u, 3u, 4u, 0x80000000u, 0xC9000008u}) {
    // The 54-byte header of a 4096 x 4096 picture of 24-bit pixels, and no pixels.
    std::string bytes(54, '\0');
    const auto put = [&](size_t at, uint32_t value) {
      for (int i = 0; i < 4; ++i) bytes[at + i] = char(value >> (8 * i));
    };
    bytes[0] = 'B';
    bytes[1] = 'M';
    for (const auto& [at, value] : {std::pair{2u, 54u}, {10u, 54u}, {14u, 40u}, {18u, 4096u}, {22u, 4096u},
                                    {26u, 1u}, {28u, 24u}, {30u, compression}})
      put(at, value);
    WriteFile(file, bytes);
    Picture picture;
    EXPECT_FALSE(LoadPicture(file, 0, picture)) << "compression " << compression;
    EXPECT_TRUE(picture.texels.empty());
  }
}

}  // namespace
