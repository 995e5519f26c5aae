#pragma once
#include <cstdint>

// The music volume scale: the game speaks in percent (0..100), the player
// stores hundredths of a decibel (-10000 = silent, 0 = full), and the
// playbin takes a linear amplitude factor.

constexpr int32_t kSilentHundredthsDb = -10000;

// Clamps to 0..100 percent (NaN counts as 0), then (percent - 100) * 100 truncated toward zero:
// 90 % gives -1000.
int32_t PercentToHundredthsDb(float percent);
// v * 0.01 + 100: -1000 gives 90 %.
float HundredthsDbToPercent(int32_t hundredthsDb);
// 10^(dB / 20): -1000 (-10 dB) gives 0.316.
double HundredthsDbToLinear(int32_t hundredthsDb);
// The inverse, rounded to the nearest hundredth and clamped to -10000..0.
int32_t LinearToHundredthsDb(double linear);
