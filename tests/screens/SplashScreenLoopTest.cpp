#include <gtest/gtest.h>

#include "support/StateFixture.h"
#include "screens/SplashScreenLoop.h"
#include "state/StateSwitch.h"
#include "layers/TextureLayer.h"
#include "menu/OptionsLayer.h"

namespace {
const ScreenRect kPlayArea{780, 10, 1010, 160};

class SplashScreenLoopTest : public StateFixture<CSplashScreenLoop> {
 protected:
  void Show(int32_t nextCode, int32_t interactive) {
    state = std::make_unique<CSplashScreenLoop>(kIntroPicture, nextCode, interactive);
    state->Start();
  }
  // Movement over "Play" for `ms` milliseconds.
  void HoldPlay(uint32_t ms) {
    for (uint32_t t = 0; t < ms && !state->IsLeaving(); t += 40) {
      motion.Move({kPlayArea});
      Frame();
    }
  }
};

TEST_F(SplashScreenLoopTest, PlayHeldForTwoAndAHalfSecondsStartsTheGameAndLaterChoicesAreIgnored) {
  Show(0, 1);
  const auto layers = state->Layers();
  ASSERT_EQ(3u, layers.size()) << "picture, Play, fade (no camera in this test)";
  device.ClearRecords();
  layers[0]->Render(&device);
  ASSERT_EQ(1u, device.strips.size());
  EXPECT_EQ(BlendFactor::SrcColor, device.strips[0].states.srcBlend) << "the picture is blended over the camera";
  EXPECT_EQ(BlendFactor::DestColor, device.strips[0].states.destBlend);
  EXPECT_EQ(state->GetOptions(), layers[1]);

  HoldPlay(2000);
  EXPECT_FALSE(state->IsLeaving()) << "not yet after two seconds";
  HoldPlay(1500);
  EXPECT_TRUE(state->IsLeaving());
  EXPECT_TRUE(state->IsFadingOut());
  state->OnKey(13);
  EXPECT_EQ(1, state->Leave()) << "Escape while leaving changes nothing";
  HoldPlay(400);
  UntilFinished();
  EXPECT_EQ(1, state->IsFinished());
  EXPECT_EQ(0, state->GetResult());
}

TEST_F(SplashScreenLoopTest, EnterStartsTheSuccessorAndEscapeCannotTurnItBack) {
  Show(0, 1);
  Frames(3);
  state->OnKey(37);
  EXPECT_FALSE(state->IsLeaving()) << "only Enter";
  state->OnKey(13);
  EXPECT_TRUE(state->IsLeaving());
  state->Leave();
  UntilFinished();
  EXPECT_EQ(0, state->GetResult());
}

TEST_F(SplashScreenLoopTest, EscapeGoesBackToTheTitleUnlessTheSuccessorIsTheEnd) {
  Show(0, 1);
  EXPECT_EQ(1, state->Leave());
  EXPECT_TRUE(state->IsFadingOut());
  state->OnKey(13);
  UntilFinished();
  EXPECT_EQ(CSplashScreenLoop::kTitleCode, state->GetResult());

  Show(CSplashScreenLoop::kQuitCode, 0);
  state->Leave();
  UntilFinished();
  EXPECT_EQ(CSplashScreenLoop::kQuitCode, state->GetResult());
}

TEST_F(SplashScreenLoopTest, WithoutPlayItEndsOnlyAfterMoreThanFiveSecondsOrEarlierWithEnter) {
  Show(5, 0);
  EXPECT_EQ(nullptr, state->GetOptions());
  device.ClearRecords();
  state->Layers()[0]->Render(&device);
  ASSERT_EQ(1u, device.strips.size());
  EXPECT_NE(BlendFactor::SrcColor, device.strips[0].states.srcBlend);
  Advance(CSplashScreenLoop::kShowMs);
  state->Update();
  EXPECT_FALSE(state->IsLeaving()) << "exactly five seconds is not yet more";
  Advance(1);
  state->Update();
  EXPECT_TRUE(state->IsLeaving());
  UntilFinished();
  EXPECT_EQ(5, state->GetResult());

  Show(5, 0);
  Frames(10);
  state->OnKey(13);
  EXPECT_TRUE(state->IsLeaving());
  UntilFinished();
  EXPECT_EQ(5, state->GetResult());
}

}  // namespace
