// Any bytes as a picture file, under a TGA name and under a name that leaves
// only the contents to tell PNG and BMP: a valid texture or a clean failure.
#include <cstdlib>

#include "FuzzFile.h"
#include "render/PictureLoader.h"

namespace {

bool IsPowerOfTwo(uint32_t value) { return value != 0 && (value & (value - 1)) == 0; }

void Check(const std::string& path) {
  Picture picture;
  picture.width = 7;  // a failed load must not leave anything behind
  if (!LoadPicture(path, 0xFF000000u, picture)) {
    if (picture.width != 0 || picture.height != 0 || picture.pictureWidth != 0 || picture.pictureHeight != 0 ||
        !picture.texels.empty()) {
      std::abort();
    }
    return;
  }
  const bool sane = picture.pictureWidth > 0 && picture.pictureHeight > 0 &&
                    picture.pictureWidth <= kMaxPictureSize && picture.pictureHeight <= kMaxPictureSize &&
                    IsPowerOfTwo(picture.width) && IsPowerOfTwo(picture.height) &&
                    picture.width >= picture.pictureWidth && picture.height >= picture.pictureHeight &&
                    picture.width < 2 * picture.pictureWidth + 1 && picture.height < 2 * picture.pictureHeight + 1 &&
                    picture.texels.size() == size_t(picture.width) * picture.height;
  if (!sane) std::abort();
  // The colour key turned opaque black into transparent black.
  for (uint32_t texel : picture.texels) {
    if (texel == 0xFF000000u) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Check(WriteFuzzFile("picture.tga", data, size));
  Check(WriteFuzzFile("picture.bmp", data, size));
  return 0;
}
