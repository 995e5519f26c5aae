#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "audio/VolumeScale.h"

TEST(VolumeScale, PercentIsClampedAndTruncatedToHundredthsOfADecibel) {
  EXPECT_EQ(PercentToHundredthsDb(150.0f), 0);
  EXPECT_EQ(PercentToHundredthsDb(100.0f), 0);
  EXPECT_EQ(PercentToHundredthsDb(90.0f), -1000);
  EXPECT_EQ(PercentToHundredthsDb(0.0f), -10000);
  EXPECT_EQ(PercentToHundredthsDb(-5.0f), -10000);
  EXPECT_EQ(PercentToHundredthsDb(std::numeric_limits<float>::quiet_NaN()), -10000);
  // Truncation toward zero, not rounding: 99.995 % is -0.5 hundredths.
  EXPECT_EQ(PercentToHundredthsDb(99.995f), 0);
  EXPECT_EQ(PercentToHundredthsDb(50.5f), -4950);
}

TEST(VolumeScale, HundredthsOfADecibelGiveTheLinearAmplitude) {
  EXPECT_DOUBLE_EQ(HundredthsDbToLinear(0), 1.0);
  EXPECT_NEAR(HundredthsDbToLinear(-1000), 0.316228, 1e-6);
  EXPECT_NEAR(HundredthsDbToLinear(-600), 0.501187, 1e-6);
  EXPECT_NEAR(HundredthsDbToLinear(-10000), 1e-5, 1e-12);
}

TEST(VolumeScale, LinearAmplitudeReadsBackAsTheSameHundredths) {
  for (int32_t v : {0, -1, -999, -1000, -4950, -9999, -10000}) {
    EXPECT_EQ(LinearToHundredthsDb(HundredthsDbToLinear(v)), v);
  }
  EXPECT_EQ(LinearToHundredthsDb(0.0), -10000);
  EXPECT_EQ(LinearToHundredthsDb(1e-9), -10000);
  EXPECT_EQ(LinearToHundredthsDb(4.0), 0);
  EXPECT_FLOAT_EQ(HundredthsDbToPercent(-1000), 90.0f);
  EXPECT_FLOAT_EQ(HundredthsDbToPercent(-10000), 0.0f);
}
