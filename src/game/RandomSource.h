#pragma once
#include <cstdint>

// The egg game's dice: a small linear congruential generator giving numbers
// uniform in 0..32767, the same sequence for the same seed. The game seeds it
// from the time; tests seed it with a fixed value, or give the game a source of
// their own that deals chosen numbers. Main thread only.
class CRandomSource {
 public:
  static constexpr int32_t kMax = 32767;

  explicit CRandomSource(uint32_t seed) : state(seed) {}
  virtual ~CRandomSource() = default;
  void Seed(uint32_t seed) { state = seed; }
  // The next number, 0..kMax.
  virtual int32_t Next();

 private:
  uint32_t state;
};
