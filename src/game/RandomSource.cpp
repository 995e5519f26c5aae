#include "game/RandomSource.h"

int32_t CRandomSource::Next() {
  // Full-period 32-bit LCG; the high bits are the well-mixed ones.
  state = state * 214013u + 2531011u;
  return static_cast<int32_t>((state >> 16) & static_cast<uint32_t>(kMax));
}
