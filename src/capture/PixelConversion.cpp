#include "capture/PixelConversion.h"

#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "the four-pixel step reads little-endian words");

namespace {

// Four pixels from three 32-bit words: b0 g0 r0 b1 | g1 r1 b2 g2 | r2 b3 g3 r3.
void ConvertQuad(const uint8_t* source, uint32_t* texels) {
  uint32_t w[3];
  std::memcpy(w, source, sizeof w);
  texels[0] = 0xFF000000u | (w[0] & 0xFFFFFFu);
  texels[1] = 0xFF000000u | (w[0] >> 24) | ((w[1] & 0xFFFFu) << 8);
  texels[2] = 0xFF000000u | (w[1] >> 16) | ((w[2] & 0xFFu) << 16);
  texels[3] = 0xFF000000u | (w[2] >> 8);
}

#if defined(__x86_64__)
// The same four-pixel step as one byte shuffle where the processor has it.
// Each step reads 16 bytes for its 12, so the row's last quad is left to the
// word version. Returns the quads done.
__attribute__((target("ssse3"))) int32_t ConvertQuadsShuffled(const uint8_t* source, uint32_t* texels,
                                                               int32_t quads) {
  const __m128i spread = _mm_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
  const __m128i alpha = _mm_set1_epi32(static_cast<int>(0xFF000000u));
  int32_t q = 0;
  for (; q + 1 < quads; ++q) {
    const __m128i pixels = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + 12 * q));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(texels + 4 * q), _mm_or_si128(_mm_shuffle_epi8(pixels, spread), alpha));
  }
  return q;
}

const bool haveShuffle = __builtin_cpu_supports("ssse3");
#endif

}  // namespace

void ConvertBgrRow(const uint8_t* source, uint32_t* texels, int32_t width) {
  const int32_t quads = width / 4;
  int32_t q = 0;
#if defined(__x86_64__)
  if (haveShuffle) q = ConvertQuadsShuffled(source, texels, quads);
#endif
  for (; q < quads; ++q) ConvertQuad(source + 12 * q, texels + 4 * q);
  source += 12 * quads;
  texels += 4 * quads;
  for (int32_t x = quads * 4; x < width; ++x, source += 3) *texels++ = BgrToXrgb(source);
}
