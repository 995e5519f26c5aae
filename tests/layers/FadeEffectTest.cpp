#include <gtest/gtest.h>

#include <optional>

#include "LayerTest.h"
#include "layers/FadeEffect.h"

namespace {

class FadeEffectTest : public LayerTest {
 protected:
  // The game's own fade picture.
  void SetUp() override { LayerTest::SetUp(), fade.emplace("./res/emptytexture.bmp"); }
  // Updates every `stepMs` until idle; the distinct alpha values seen, the first included.
  std::vector<uint32_t> RunToIdle(uint32_t stepMs) {
    std::vector<uint32_t> alphas{fade->GetColor() >> 24};
    for (int i = 0; i < 10000 && fade->GetPhase() != CFadeEffect::kIdle; ++i) {
      Advance(stepMs);
      fade->Update();
      if ((fade->GetColor() >> 24) != alphas.back()) alphas.push_back(fade->GetColor() >> 24);
    }
    return alphas;
  }
  std::optional<CFadeEffect> fade;  // made once the device is in place
};

// Steps of 8 each more than 30 ms apart, ending fully clear or fully covered,
// never wrapping round; a fade-out breaks off a fade-in from clear.
TEST_F(FadeEffectTest, FadesStepBy8EveryMoreThan30MsAndEndExactly) {
  const struct { bool in; uint32_t stepMs; std::vector<uint32_t> from; } rows[] = {
      {true, 10, {}}, {true, 31, {}}, {false, 10, {}}, {false, 31, {}}, {false, 31, {0xFF, 0xF7, 0xEF}}};
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.in ? "in" : "out") + " every " + std::to_string(row.stepMs) + " ms");
    fade->StartFadeIn();
    for (size_t i = 1; i < row.from.size(); ++i) Advance(31), fade->Update();
    if (!row.in) fade->StartFadeOut();
    const uint32_t start = Now();
    std::vector<uint32_t> expected = row.from;
    for (int a = row.in ? 0xFF : 0; row.in ? a >= 0x0F : a <= 0xF8; a += row.in ? -8 : 8) expected.push_back(a);
    expected.push_back(row.in ? 0x00 : 0xFF);
    std::vector<uint32_t> alphas = RunToIdle(row.stepMs);
    if (!row.from.empty()) alphas.insert(alphas.begin(), row.from.begin(), row.from.end());
    EXPECT_EQ(alphas, expected);
    EXPECT_EQ(fade->GetColor() & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_GT(Now() - start, (expected.size() - row.from.size() - 1) * 30u);
  }
}

TEST_F(FadeEffectTest, AnOddColourCannotWrapPastOpaque) {
  fade->StartFadeOut();
  fade->SetColor(1, 1, 1, 0.99f);  // alpha 0xFC, not on the 8-step ladder
  Advance(31);
  fade->Update();
  EXPECT_EQ(fade->GetColor(), 0xFFFFFFFFu);
  EXPECT_EQ(fade->GetPhase(), CFadeEffect::kIdle);
}

}  // namespace
