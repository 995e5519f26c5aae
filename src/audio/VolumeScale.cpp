#include "audio/VolumeScale.h"

#include <algorithm>
#include <cmath>

int32_t PercentToHundredthsDb(float percent) {
  // Written so that NaN, which compares false, lands on 0 % like any bad input.
  const float clamped = percent >= 100.0f ? 100.0f : (percent > 0.0f ? percent : 0.0f);
  return static_cast<int32_t>((clamped - 100.0f) * 100.0f);
}

float HundredthsDbToPercent(int32_t hundredthsDb) {
  return static_cast<float>(hundredthsDb) * 0.01f + 100.0f;
}

double HundredthsDbToLinear(int32_t hundredthsDb) {
  return std::pow(10.0, hundredthsDb / 2000.0);
}

int32_t LinearToHundredthsDb(double linear) {
  if (!(linear > 0.0)) {
    return kSilentHundredthsDb;
  }
  const double hundredths = std::round(2000.0 * std::log10(linear));
  return static_cast<int32_t>(std::clamp(hundredths, double(kSilentHundredthsDb), 0.0));
}
