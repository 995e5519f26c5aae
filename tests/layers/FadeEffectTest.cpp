#include <gtest/gtest.h>

#include "support/TestPictures.h"
#include "layers/FadeEffect.h"
#include "render/Texture.h"
#include "support/RecordingDevice.h"
#include "support/TestClock.h"

using namespace testpictures;

namespace {

class FadeEffectTest : public ManualClockTest {
 protected:
  void SetUp() override {
    ManualClockTest::SetUp();
    d3dDevice = &device;
    ASSERT_TRUE(WriteBmp24(TempPath("white16.bmp"), 16, 16, Solid(16, 16, 0xFFFFFFFF)));
  }
  void TearDown() override {
    CTexture::ReleaseAll();
    d3dDevice = nullptr;
    ManualClockTest::TearDown();
  }
  // Updates every 10 ms until idle; returns the distinct alpha values seen.
  std::vector<uint32_t> RunToIdle(CFadeEffect& fade, int* steps) {
    std::vector<uint32_t> alphas{fade.GetColor() >> 24};
    *steps = 0;
    for (int i = 0; i < 10000 && fade.GetPhase() != CFadeEffect::kIdle; ++i) {
      Advance(10);
      fade.Update();
      if ((fade.GetColor() >> 24) != alphas.back()) {
        alphas.push_back(fade.GetColor() >> 24);
        ++*steps;
      }
    }
    return alphas;
  }
  RecordingDevice device;
};

TEST_F(FadeEffectTest, FadeInStepsDownBy8AndEndsTransparent) {
  CFadeEffect fade(TempPath("white16.bmp").c_str());
  EXPECT_EQ(fade.GetPhase(), CFadeEffect::kIdle);
  fade.StartFadeIn();
  EXPECT_EQ(fade.GetColor(), 0xFFFFFFFFu);
  Advance(30);
  fade.Update();
  EXPECT_EQ(fade.GetColor(), 0xFFFFFFFFu);  // 30 ms is not more than 30
  const uint32_t start = Now();
  int steps = 0;
  const std::vector<uint32_t> alphas = RunToIdle(fade, &steps);
  ASSERT_EQ(alphas.size(), 32u);  // 0xFF, 0xF7 .. 0x0F, then 0x00
  for (size_t i = 0; i + 1 < alphas.size(); ++i) {
    EXPECT_EQ(alphas[i], 0xFFu - 8u * uint32_t(i));
  }
  EXPECT_EQ(alphas.back(), 0u);
  EXPECT_EQ(fade.GetColor(), 0x00FFFFFFu);
  // 30 steps of more than 30 ms each came before the fade could end.
  EXPECT_GT(Now() - start, 30u * 30u);
}

TEST_F(FadeEffectTest, FadeOutStepsUpBy8AndEndsOpaque) {
  CFadeEffect fade(TempPath("white16.bmp").c_str());
  fade.StartFadeOut();
  int steps = 0;
  const std::vector<uint32_t> alphas = RunToIdle(fade, &steps);
  ASSERT_EQ(alphas.size(), 33u);  // 0x00, 0x08 .. 0xF8, then 0xFF
  for (size_t i = 0; i + 1 < alphas.size(); ++i) {
    EXPECT_EQ(alphas[i], 8u * uint32_t(i));
  }
  EXPECT_EQ(fade.GetColor(), 0xFFFFFFFFu);
  EXPECT_EQ(fade.GetPhase(), CFadeEffect::kIdle);
}

TEST_F(FadeEffectTest, FadeOutDuringFadeInRestartsFromTransparent) {
  CFadeEffect fade(TempPath("white16.bmp").c_str());
  fade.StartFadeIn();
  for (int i = 0; i < 5; ++i) {
    Advance(31);
    fade.Update();
  }
  EXPECT_EQ(fade.GetColor() >> 24, 0xFFu - 40u);
  fade.StartFadeOut();
  EXPECT_EQ(fade.GetColor(), 0x00FFFFFFu);
  Advance(31);
  fade.Update();
  EXPECT_EQ(fade.GetColor(), 0x08FFFFFFu);
  EXPECT_EQ(fade.GetPhase(), CFadeEffect::kFadingOut);
}

TEST_F(FadeEffectTest, CoversA1000By750ViewportAtDepthZero) {
  CFadeEffect fade(TempPath("white16.bmp").c_str());
  EXPECT_EQ(fade.GetScreenScaleX(), 63.0f);
  EXPECT_EQ(fade.GetScreenScaleY(), 47.0f);
  EXPECT_EQ(fade.Render(&device), 1);
  EXPECT_TRUE(device.sprites.empty());  // idle draws nothing
  fade.StartFadeOut();
  ASSERT_EQ(fade.Render(&device), 1);
  ASSERT_EQ(device.sprites.size(), 1u);
  const SpriteDraw& drawn = device.sprites[0].sprite;
  EXPECT_EQ(drawn.position.z, 0.0f);
  EXPECT_EQ(drawn.color, 0x00FFFFFFu);
  const Vec4 corner = Transform(Vec3{16, 16, 0}, drawn.transform);
  EXPECT_FLOAT_EQ(corner.x, 1008.0f);
  EXPECT_FLOAT_EQ(corner.y, 752.0f);
  fade.SetVisible(0);
  EXPECT_EQ(fade.Render(&device), 1);
  EXPECT_EQ(device.sprites.size(), 1u);
}

TEST_F(FadeEffectTest, OddColourCannotWrapPastOpaque) {
  CFadeEffect fade(TempPath("white16.bmp").c_str());
  fade.StartFadeOut();
  fade.SetColor(1, 1, 1, 0.99f);  // alpha 0xFC, not on the 8-step ladder
  Advance(31);
  fade.Update();
  EXPECT_EQ(fade.GetColor(), 0xFFFFFFFFu);
  EXPECT_EQ(fade.GetPhase(), CFadeEffect::kIdle);
}

}  // namespace
