#include "capture/PixelConversion.h"

#include <cstring>

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "the four-pixel step reads little-endian words");

void ConvertBgrRow(const uint8_t* source, uint32_t* texels, int32_t width) {
  const int32_t quads = width / 4;
  for (int32_t q = 0; q < quads; ++q, source += 12, texels += 4) {
    uint32_t w[3];
    std::memcpy(w, source, sizeof w);  // b0 g0 r0 b1 | g1 r1 b2 g2 | r2 b3 g3 r3
    texels[0] = 0xFF000000u | (w[0] & 0xFFFFFFu);
    texels[1] = 0xFF000000u | (w[0] >> 24) | ((w[1] & 0xFFFFu) << 8);
    texels[2] = 0xFF000000u | (w[1] >> 16) | ((w[2] & 0xFFu) << 16);
    texels[3] = 0xFF000000u | (w[2] >> 8);
  }
  for (int32_t x = quads * 4; x < width; ++x, source += 3) *texels++ = BgrToXrgb(source);
}
