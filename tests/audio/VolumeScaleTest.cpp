#include <gtest/gtest.h>

#include <limits>

#include "audio/VolumeScale.h"

// Percent to hundredths of a decibel: clamped, truncated toward zero (99.995 %
// is -0.5 hundredths), and back through the linear amplitude unchanged. The
// music player's volume test takes 90 % there and back.
TEST(VolumeScale, PercentHundredthsOfADecibelAndLinearAmplitudeConvertBothWays) {
  const struct {
    float percent;
    int32_t hundredths;
  } rows[] = {{150.0f, 0},    {100.0f, 0},   {99.995f, 0},  {90.0f, -1000}, {50.5f, -4950},
              {0.0f, -10000}, {-5.0f, -10000}, {std::numeric_limits<float>::quiet_NaN(), -10000}};
  for (const auto& row : rows) {
    EXPECT_EQ(PercentToHundredthsDb(row.percent), row.hundredths) << row.percent;
    EXPECT_EQ(LinearToHundredthsDb(HundredthsDbToLinear(row.hundredths)), row.hundredths);
  }
  for (int32_t v : {-1, -999, -9999}) EXPECT_EQ(LinearToHundredthsDb(HundredthsDbToLinear(v)), v);
  EXPECT_NEAR(HundredthsDbToLinear(-600), 0.501187, 1e-6);
  EXPECT_NEAR(HundredthsDbToLinear(-10000), 1e-5, 1e-12);
  EXPECT_EQ(LinearToHundredthsDb(0.0), -10000);
  EXPECT_EQ(LinearToHundredthsDb(4.0), 0);
  EXPECT_FLOAT_EQ(HundredthsDbToPercent(-10000), 0.0f);
}
