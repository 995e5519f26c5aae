#include <gtest/gtest.h>

#include "LayerTest.h"
#include "layers/FadeEffect.h"

namespace {

using FadeEffectTest = LayerTest;

// Steps of 8 each more than 30 ms apart, ending fully clear or fully covered,
// never wrapping round; a fade-out breaks off a fade-in from clear.
TEST_F(FadeEffectTest, FadesStepBy8EveryMoreThan30MsAndEndExactly) {
  CFadeEffect fade("./res/emptytexture.bmp");  // the game's own fade picture
  const struct { bool in; uint32_t stepMs; std::vector<uint32_t> from; } rows[] = {
      {true, 10, {}}, {true, 31, {}}, {false, 10, {}}, {false, 31, {}}, {false, 31, {0xFF, 0xF7, 0xEF}}};
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.in ? "in" : "out") + " every " + std::to_string(row.stepMs) + " ms");
    fade.StartFadeIn();
    for (size_t i = 1; i < row.from.size(); ++i) Advance(31), fade.Update();
    if (!row.in) fade.StartFadeOut();
    const uint32_t start = Now();
    std::vector<uint32_t> expected = row.from, alphas = row.from;
    for (int a = row.in ? 0xFF : 0; row.in ? a >= 0x0F : a <= 0xF8; a += row.in ? -8 : 8) expected.push_back(a);
    expected.push_back(row.in ? 0x00 : 0xFF);
    // Every distinct alpha until the fade is idle, the first included.
    alphas.push_back(fade.GetColor() >> 24);
    for (int i = 0; i < 10000 && fade.GetPhase() != CFadeEffect::kIdle; ++i) {
      Advance(row.stepMs);
      fade.Update();
      if ((fade.GetColor() >> 24) != alphas.back()) alphas.push_back(fade.GetColor() >> 24);
    }
    EXPECT_EQ(alphas, expected);
    EXPECT_GT(Now() - start, (expected.size() - row.from.size() - 1) * 30u);
  }
}

}  // namespace
