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

// The ways out of the introduction and what each reports: Enter leads on,
// Escape goes back to the title (unless the successor is the end), and a
// picture without "Play" ends by itself after more than five seconds.
TEST_F(SplashScreenLoopTest, EnterEscapeAndTheTimeLeadOutAndNothingTurnsThemBack) {
  enum Way { kEnter, kEscape, kTime };
  struct Row {
    int32_t nextCode, interactive;
    Way way;
    int32_t result;
  };
  for (const Row row : {Row{0, 1, kEnter, 0}, Row{0, 1, kEscape, CSplashScreenLoop::kTitleCode},
                        Row{CSplashScreenLoop::kQuitCode, 0, kEscape, CSplashScreenLoop::kQuitCode},
                        Row{5, 0, kEnter, 5}, Row{5, 0, kTime, 5}}) {
    SCOPED_TRACE(testing::Message() << "next " << row.nextCode << ", way " << row.way);
    Show(row.nextCode, row.interactive);
    EXPECT_EQ(state->GetOptions() != nullptr, row.interactive == 1) << "\"Play\" only when interactive";
    Frames(3);
    state->OnKey(37);
    EXPECT_FALSE(state->IsLeaving()) << "only Enter";
    if (row.way == kEnter) {
      state->OnKey(13);
      state->Leave();
    } else if (row.way == kEscape) {
      EXPECT_EQ(1, state->Leave());
      state->OnKey(13);
    } else {
      Advance(CSplashScreenLoop::kShowMs - 3 * 40);
      state->Update();
      EXPECT_FALSE(state->IsLeaving()) << "exactly five seconds is not yet more";
      Advance(1);
      state->Update();
    }
    EXPECT_TRUE(state->IsFadingOut());
    UntilFinished();
    EXPECT_EQ(row.result, state->GetResult());
  }
}

}  // namespace
